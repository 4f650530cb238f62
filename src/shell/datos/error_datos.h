#pragma once

#include <QString>
#include <stdexcept>

// Why the data store failed, as far as the engine tells: each cause has its
// own plain message for the clerk and the IT staff.
enum class CausaDatos {
    Otra,
    ClaveDuplicada,  // a unique key already holds the value
    NoEsBase,        // the file is not a database, or it is damaged
    NoSePuedeAbrir,  // the file is missing or cannot be read
    NoExiste,        // the ODBC data source or the server's database is not defined
    SinConexion,     // the server refused or did not answer the connection
    SinServidor,     // the server stopped answering during the work
    SoloLectura,     // the database, or this user, may not write
    Bloqueada,       // another writer held it longer than the wait allows
    DiscoLleno,
    FallaDisco,      // a read or write of the disk failed
};

// A failure of the data store: the message shown to the user, with the
// engine's own text kept as its last line.
class ErrorDatos : public std::runtime_error {
public:
    explicit ErrorDatos(const QString& texto, bool claveDuplicada = false)
        : ErrorDatos(texto, claveDuplicada ? CausaDatos::ClaveDuplicada : CausaDatos::Otra) {}
    ErrorDatos(const QString& texto, CausaDatos causa)
        : std::runtime_error(texto.toStdString()), causa_(causa) {}

    QString texto() const { return QString::fromStdString(what()); }
    CausaDatos causa() const { return causa_; }
    // The engine refused a row because a unique key already holds its value.
    bool claveDuplicada() const { return causa_ == CausaDatos::ClaveDuplicada; }

private:
    CausaDatos causa_;
};
