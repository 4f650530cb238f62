#include "register/comando_bitacora.h"

#include "register/bitacora.h"
#include "shell/comando.h"
#include "shell/csv.h"
#include "shell/datos/conexion.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {

const QStringList Encabezado = {QStringLiteral("Momento"), QStringLiteral("Estacion"),
                                QStringLiteral("Usuario"), QStringLiteral("Accion"),
                                QStringLiteral("Folio"),   QStringLiteral("Cambios")};

QStringList campos(const EntradaBitacora& e)
{
    return {e.momento.toString(QStringLiteral("dd-MM-yyyy HH:mm:ss")), e.estacion, e.usuario, e.accion,
            e.folio, e.cambios};
}

// One line per entry, each change below it, indented.
void escribeTexto(QTextStream& salida, const EntradaBitacora& e)
{
    QStringList cabeza = campos(e);
    cabeza.removeLast();
    salida << cabeza.join(QStringLiteral("  ")) << "\n";
    for (const QString& cambio : e.cambios.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        salida << "    " << cambio << "\n";
    }
}

}  // namespace

int ComandoBitacora(ContextoComando& contexto)
{
    QCommandLineParser parser;
    const QCommandLineOption desde(QStringLiteral("desde"), QString(), QStringLiteral("FECHA"));
    const QCommandLineOption hasta(QStringLiteral("hasta"), QString(), QStringLiteral("FECHA"));
    const QCommandLineOption folio(QStringLiteral("folio"), QString(), QStringLiteral("FOLIO"));
    const QCommandLineOption formato(QStringLiteral("formato"), QString(), QStringLiteral("FORMATO"));
    parser.addOptions({desde, hasta, folio, formato});
    if (!InterpretaOpciones(parser, contexto)) {
        return Salida::Uso;
    }
    const bool csv = parser.value(formato) == QLatin1String("csv");
    if (parser.isSet(formato) && !csv) {
        return FallaComando(contexto, QStringLiteral("--formato admite solo 'csv'"), Salida::Uso);
    }
    QDate inicio;
    QDate termino;
    for (const auto& [opcion, fecha] : {std::pair{&desde, &inicio}, {&hasta, &termino}}) {
        if (parser.isSet(*opcion)) {
            const auto leida = FechaDeOpcion(parser, *opcion, contexto);
            if (!leida) {
                return Salida::Uso;
            }
            *fecha = *leida;
        }
    }
    try {
        const auto conexion = contexto.abre();
        if (csv) {
            contexto.salida << LineaCsv(Encabezado);
        }
        LeeBitacora(*conexion, inicio, termino, parser.value(folio), [&](const EntradaBitacora& e) {
            if (csv) {
                contexto.salida << LineaCsv(campos(e));
            } else {
                escribeTexto(contexto.salida, e);
            }
        });
    } catch (const ErrorDatos& error) {
        return FallaComando(contexto, error.texto());
    }
    return Salida::Exito;
}
