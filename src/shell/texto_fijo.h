#pragma once

#include <QString>

// A shared value of fixed length: a shorter value is padded with blanks on
// the right, a longer one is cut. Readers trim it before comparing.
class TextoFijo {
public:
    explicit TextoFijo(int largo) : largo_(largo), texto_(largo, QLatin1Char(' ')) {}

    void asigna(const QString& valor) { texto_ = valor.left(largo_).leftJustified(largo_); }
    const QString& texto() const { return texto_; }
    QString recortado() const { return texto_.trimmed(); }
    bool enBlanco() const { return recortado().isEmpty(); }
    int largo() const { return largo_; }

private:
    int largo_;
    QString texto_;
};
