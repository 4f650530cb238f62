#pragma once

#include <QValidator>

class QLineEdit;

// What a text box keeps of what is typed or pasted into it: whole
// characters only, since a maximum length can cut a character outside the
// basic plane in two, and no control character, since a paste brings line
// breaks and tabs and no database text holds NUL: each becomes a blank.
class TextoDeCaja : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& texto, int& posicion) const override;
};

// A text box of at most `largo` characters that keeps its text as above.
void AcotaCaja(QLineEdit& caja, int largo);
