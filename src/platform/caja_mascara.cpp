#include "platform/caja_mascara.h"

#include <QValidator>

namespace {

// Qt masks have no "digit or K" place; this validator narrows the check place
// of a RUT mask.
class ValidadorDigitoVerificador : public QValidator {
public:
    ValidadorDigitoVerificador(int posicion, QChar relleno, QObject* padre)
        : QValidator(padre), posicion_(posicion), relleno_(relleno) {}
    State validate(QString& texto, int&) const override
    {
        if (texto.size() <= posicion_) {
            return Intermediate;
        }
        const QChar c = texto.at(posicion_);
        return c.isDigit() || c == QLatin1Char('K') || c == relleno_ || c == QLatin1Char(' ')
                   ? Acceptable
                   : Invalid;
    }

private:
    int posicion_;
    QChar relleno_;
};

}  // namespace

CajaMascara::CajaMascara(const QString& mascara, QChar relleno, QWidget* padre)
    : QLineEdit(padre), relleno_(relleno)
{
    setInputMask(mascara + QLatin1Char(';') + relleno);
}

CajaMascara* CajaMascara::rut(QChar relleno, QWidget* padre)
{
    auto* caja = new CajaMascara(QStringLiteral(">00.000.000-N"), relleno, padre);
    caja->setValidator(new ValidadorDigitoVerificador(11, relleno, caja));
    return caja;
}

CajaMascara* CajaMascara::digitos(int cantidad, QChar relleno, QWidget* padre)
{
    return new CajaMascara(QString(cantidad, QLatin1Char('0')), relleno, padre);
}

int CajaMascara::primerLugarLibre() const
{
    const QString t = displayText();
    int libre = 0;
    for (int i = 0; i < t.size(); ++i) {
        if (t.at(i).isLetterOrNumber()) {
            libre = i + 1;
        }
    }
    while (libre < t.size() && t.at(libre) != relleno_) {
        ++libre;
    }
    return libre;
}

void CajaMascara::llevaAlPrimerLugarLibre()
{
    const int libre = primerLugarLibre();
    if (!hasSelectedText() && cursorPosition() > libre) {
        setCursorPosition(libre);
    }
}

void CajaMascara::mousePressEvent(QMouseEvent* evento)
{
    QLineEdit::mousePressEvent(evento);
    llevaAlPrimerLugarLibre();
}

void CajaMascara::mouseReleaseEvent(QMouseEvent* evento)
{
    QLineEdit::mouseReleaseEvent(evento);
    llevaAlPrimerLugarLibre();
}

QString CajaMascara::texto() const
{
    return displayText();
}

QString CajaMascara::textoDigitado() const
{
    return text().trimmed();
}

void CajaMascara::fijaTexto(const QString& texto)
{
    setText(texto);
}
