#pragma once

#include "shell/datos/origen_datos.h"

#include <QDate>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class Conexion;
class QCommandLineOption;
class QCommandLineParser;
class QTextStream;

// Exit statuses of every command-line command.
namespace Salida {
constexpr int Exito = 0;
constexpr int Fallo = 1;  // the work failed
constexpr int Uso = 2;    // the command line is wrong
}  // namespace Salida

// What a command-line command works with: its own words and options (the
// first word is the command's name; --db is already taken out), the
// database that --db, LICENCIAS_DB or the embedded default names, how to
// open it with the program's whole schema, and the output streams: results
// on `salida`, messages on `error`.
struct ContextoComando {
    QStringList argumentos;
    OrigenDatos origen;
    std::function<std::shared_ptr<Conexion>(const OrigenDatos&)> abreBase;
    QTextStream& salida;
    QTextStream& error;

    std::shared_ptr<Conexion> abre() const { return abreBase(origen); }
};

// Parses the command's options and words; a fault is written to `error` in
// Spanish and the result is false (the command then exits Salida::Uso).
bool InterpretaOpciones(QCommandLineParser& parser, const ContextoComando& contexto);
// The date DD-MM-AAAA of an option; a text that is no such date is
// reported as a usage fault and gives nothing.
std::optional<QDate> FechaDeOpcion(const QCommandLineParser& parser, const QCommandLineOption& opcion,
                                   const ContextoComando& contexto);
// Writes "licencias: texto" to `error` and returns `estado`.
int FallaComando(const ContextoComando& contexto, const QString& texto, int estado = Salida::Fallo);
