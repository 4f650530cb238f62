#pragma once

#include "shell/datos/error_datos.h"
#include "shell/datos/origen_datos.h"

#include <QString>

// What an engine said about a failure.
struct FallaMotor {
    bool sqlite = true;  // the engine behind the connection (also through ODBC)
    QString codigo;      // the driver's native code: SQLite's result code, PostgreSQL's SQLSTATE
    QString estado;      // the ODBC SQLSTATE, when the database is reached through ODBC
    QString texto;       // the engine's own text
    bool alAbrir = false;
};

// The cause of a failure, from the engine's codes (never from its wording,
// which may be translated), except SQLite's unique-key refusal through ODBC,
// whose driver hands only the primary code on with SQLite's fixed text.
CausaDatos ClasificaFalla(const FallaMotor& falla, OrigenDatos::Motor motor);

// The message for the user: what happened to which database and what to do
// about it, with the engine's text as its last line. `contexto` says what
// was being done; it heads the message of a failure without a known cause.
QString MensajeFalla(CausaDatos causa, const OrigenDatos& origen, const QString& contexto,
                     const QString& detalle);

// Reads the first ODBC diagnostic record of a statement or connection handle
// (a QODBC handle in a QVariant): its SQLSTATE, or empty.
QString EstadoOdbc(const QVariant& manejador, bool esSentencia);
