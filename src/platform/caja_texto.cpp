#include "platform/caja_texto.h"

#include <QLineEdit>

QValidator::State TextoDeCaja::validate(QString& texto, int& posicion) const
{
    QString limpio;
    limpio.reserve(texto.size());
    int nuevaPosicion = posicion;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate()) {
            limpio += c;
            limpio += texto.at(++i);
        } else if (c.isSurrogate()) {
            // Half a character: dropped, and the cursor with it.
            if (i < posicion) {
                --nuevaPosicion;
            }
        } else {
            limpio += c.category() == QChar::Other_Control ? QChar(u' ') : c;
        }
    }
    texto = limpio;
    posicion = nuevaPosicion;
    return Acceptable;
}

void AcotaCaja(QLineEdit& caja, int largo)
{
    caja.setMaxLength(largo);
    caja.setValidator(new TextoDeCaja(&caja));
}
