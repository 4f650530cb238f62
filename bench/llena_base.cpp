// Fills a database with generated licence applications, for load tests and
// timings: llena_base --db CONEXION --cantidad N [--semilla S]

#include "demo/generador_solicitudes.h"
#include "shell/datos/conexion.h"
#include "app/esquema_sistema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTextStream>
#include <exception>
#include <optional>

namespace {

const char* const Uso = "Uso: llena_base --db CONEXION --cantidad N [--semilla S]\n"
                        "  CONEXION  sqlite:RUTA, odbc:DSN o postgresql://usuario@servidor/base\n"
                        "  N         solicitudes que se agregan a TLicencias\n"
                        "  S         semilla del generador (por omisión 1)\n";

struct Opciones {
    OrigenDatos origen;
    qint64 cantidad = 0;
    quint32 semilla = 1;
};

std::optional<Opciones> interpreta(const QStringList& argumentos, QString* error)
{
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("CONEXION"));
    const QCommandLineOption cantidad(QStringLiteral("cantidad"), QString(), QStringLiteral("N"));
    const QCommandLineOption semilla(QStringLiteral("semilla"), QString(), QStringLiteral("S"));
    parser.addOptions({db, cantidad, semilla});
    if (!parser.parse(argumentos)) {
        *error = parser.unknownOptionNames().isEmpty()
                     ? QStringLiteral("Falta el valor de una opción")
                     : QStringLiteral("Opción desconocida: --%1")
                           .arg(parser.unknownOptionNames().first());
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        *error =
            QStringLiteral("Argumento no reconocido: %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    for (const QCommandLineOption* obligatoria : {&db, &cantidad}) {
        if (!parser.isSet(*obligatoria)) {
            *error = QStringLiteral("Falta --%1").arg(obligatoria->names().first());
            return std::nullopt;
        }
    }
    const auto origen = OrigenDatos::interpreta(parser.value(db), error);
    if (!origen) {
        return std::nullopt;
    }
    Opciones o{*origen};
    bool valido = false;
    o.cantidad = parser.value(cantidad).toLongLong(&valido);
    if (!valido || o.cantidad < 1) {
        *error = QStringLiteral("La cantidad debe ser un número entero mayor que cero");
        return std::nullopt;
    }
    if (parser.isSet(semilla)) {
        o.semilla = parser.value(semilla).toUInt(&valido);
        if (!valido) {
            *error = QStringLiteral("La semilla debe ser un número entero entre 0 y 4294967295");
            return std::nullopt;
        }
    }
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication aplicacion(argc, argv);
    QTextStream error(stderr);
    QString problema;
    const auto opciones = interpreta(QCoreApplication::arguments(), &problema);
    if (!opciones) {
        error << "llena_base: " << problema << "\n" << Uso;
        return 2;
    }
    // The progress line is rewritten in place; whatever follows starts a new line.
    bool enAvance = false;
    try {
        const auto conexion = Conexion::abre(opciones->origen);
        PreparaEsquema(*conexion);
        QElapsedTimer reloj;
        reloj.start();
        LlenaSolicitudes(*conexion, opciones->cantidad, opciones->semilla, QDate::currentDate(),
                         [&](qint64 hechas) {
                             error << "\r" << hechas << " de " << opciones->cantidad
                                   << " solicitudes";
                             error.flush();
                             enAvance = true;
                         });
        error << "\n"
              << opciones->cantidad << " solicitudes agregadas en "
              << QString::number(reloj.elapsed() / 1000.0, 'f', 1) << " s\n";
    } catch (const std::exception& e) {
        error << (enAvance ? "\n" : "") << "llena_base: " << QString::fromStdString(e.what())
              << "\n";
        return 1;
    }
    return 0;
}
