// Fills a database with generated licence applications, for load tests and
// timings: llena_base --db CONEXION (--cantidad N | --total N) [--semilla S]
//                    [--en-orden] [--desde-anio A --hasta-anio B]

#include "demo/generador_solicitudes.h"
#include "shell/datos/conexion.h"
#include "app/esquema_sistema.h"
#include "shell/datos/recordset.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <exception>
#include <optional>

namespace {

const char* const Uso =
    "Uso: llena_base --db CONEXION (--cantidad N | --total N) [--semilla S]\n"
    "                [--en-orden] [--desde-anio A --hasta-anio B]\n"
    "  CONEXION  sqlite:RUTA, odbc:DSN o postgresql://usuario@servidor/base\n"
    "  --cantidad N  solicitudes que se agregan a TLicencias\n"
    "  --total N     las que faltan para que TLicencias tenga N (ninguna si ya las tiene)\n"
    "  S         semilla del generador (por omisión 1)\n"
    "  --en-orden    las solicitudes se reparten en orden de fecha, como crece un registro;\n"
    "                sin ella caen en días al azar\n"
    "  A, B      en orden de fecha del 1 de enero del año A al 31 de diciembre del año B;\n"
    "            sin ellos, los seis meses hasta hoy\n";

struct Opciones {
    OrigenDatos origen;
    qint64 cantidad = 0;
    bool total = false;  // `cantidad` is the size TLicencias should reach
    quint32 semilla = 1;
    QDate desde;  // null: the six months up to today
    QDate hasta;
};

std::optional<int> anio(const QString& texto)
{
    bool valido = false;
    const int valor = texto.toInt(&valido);
    if (!valido || valor < 1900 || valor > 9999) {
        return std::nullopt;
    }
    return valor;
}

std::optional<Opciones> interpreta(const QStringList& argumentos, QString* error)
{
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("CONEXION"));
    const QCommandLineOption cantidad(QStringLiteral("cantidad"), QString(), QStringLiteral("N"));
    const QCommandLineOption total(QStringLiteral("total"), QString(), QStringLiteral("N"));
    const QCommandLineOption semilla(QStringLiteral("semilla"), QString(), QStringLiteral("S"));
    const QCommandLineOption desdeAnio(QStringLiteral("desde-anio"), QString(), QStringLiteral("A"));
    const QCommandLineOption hastaAnio(QStringLiteral("hasta-anio"), QString(), QStringLiteral("B"));
    const QCommandLineOption enOrden(QStringLiteral("en-orden"));
    parser.addOptions({db, cantidad, total, semilla, desdeAnio, hastaAnio, enOrden});
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
    if (!parser.isSet(db)) {
        *error = QStringLiteral("Falta --db");
        return std::nullopt;
    }
    if (parser.isSet(cantidad) == parser.isSet(total)) {
        *error = QStringLiteral("Indique --cantidad o --total, uno de los dos");
        return std::nullopt;
    }
    const auto origen = OrigenDatos::interpreta(parser.value(db), error);
    if (!origen) {
        return std::nullopt;
    }
    Opciones o;
    o.origen = *origen;
    bool valido = false;
    o.total = parser.isSet(total);
    o.cantidad = parser.value(o.total ? total : cantidad).toLongLong(&valido);
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
    if (parser.isSet(desdeAnio) || parser.isSet(hastaAnio)) {
        const auto desde = anio(parser.value(desdeAnio));
        const auto hasta = anio(parser.value(hastaAnio));
        if (!desde || !hasta || *desde > *hasta) {
            *error = QStringLiteral("--desde-anio y --hasta-anio van juntos: dos años de cuatro "
                                    "cifras, el primero no posterior al segundo");
            return std::nullopt;
        }
        o.desde = QDate(*desde, 1, 1);
        o.hasta = QDate(*hasta, 12, 31);
    } else if (parser.isSet(enOrden)) {
        o.hasta = QDate::currentDate();
        o.desde = o.hasta.addMonths(-6).addDays(1);
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
        qint64 cantidad = opciones->cantidad;
        if (opciones->total) {
            const qint64 hay = conexion->consulta(QStringLiteral("SELECT count(*) AS n FROM TLicencias"))
                                   .valor(QStringLiteral("n"))
                                   .toLongLong();
            cantidad = std::max<qint64>(0, opciones->cantidad - hay);
            if (cantidad == 0) {
                error << "TLicencias ya tiene " << hay << " solicitudes\n";
                return 0;
            }
        }
        QElapsedTimer reloj;
        reloj.start();
        const auto avance = [&](qint64 hechas) {
            error << "\r" << hechas << " de " << cantidad << " solicitudes";
            error.flush();
            enAvance = true;
        };
        if (opciones->desde.isNull()) {
            LlenaSolicitudes(*conexion, cantidad, opciones->semilla, QDate::currentDate(), avance);
        } else {
            LlenaSolicitudesEnOrden(*conexion, cantidad, opciones->semilla, opciones->desde,
                                    opciones->hasta, avance);
        }
        error << "\n"
              << cantidad << " solicitudes agregadas en "
              << QString::number(reloj.elapsed() / 1000.0, 'f', 1) << " s\n";
    } catch (const std::exception& e) {
        error << (enAvance ? "\n" : "") << "llena_base: " << QString::fromStdString(e.what())
              << "\n";
        return 1;
    }
    return 0;
}
