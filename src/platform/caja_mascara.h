#pragma once

#include <QLineEdit>

// A masked entry box whose text always carries the mask's literals and the
// prompt character in unfilled places, so a RUT box always gives 12
// characters.
class CajaMascara : public QLineEdit {
    Q_OBJECT
public:
    // RUT: two digits, ".", three digits, ".", three digits, "-", then a digit
    // or "K".
    static CajaMascara* rut(QChar relleno, QWidget* padre = nullptr);
    // A fixed number of digit places.
    static CajaMascara* digitos(int cantidad, QChar relleno, QWidget* padre = nullptr);

    // The text with literals and prompt characters, as the system reads it.
    QString texto() const;
    // The typed characters only: empty for an untouched box.
    QString textoDigitado() const;
    // Puts a stored text into the box, place by place.
    void fijaTexto(const QString& texto);
    QChar relleno() const { return relleno_; }

protected:
    // A click past what was typed puts the cursor on the first unfilled
    // place, so no typed digit falls off the end of the mask.
    void mousePressEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    int primerLugarLibre() const;
    void llevaAlPrimerLugarLibre();
    CajaMascara(const QString& mascara, QChar relleno, QWidget* padre);
    QChar relleno_;
};
