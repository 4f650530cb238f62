#pragma once

#include <QString>
#include <stdexcept>

// A failure of the data store, with the engine's own text.
class ErrorDatos : public std::runtime_error {
public:
    explicit ErrorDatos(const QString& texto, bool claveDuplicada = false)
        : std::runtime_error(texto.toStdString()), claveDuplicada_(claveDuplicada) {}

    QString texto() const { return QString::fromStdString(what()); }
    // The engine refused a row because a unique key already holds its value.
    bool claveDuplicada() const { return claveDuplicada_; }

private:
    bool claveDuplicada_;
};
