#include "registry_files/comando_planos.h"

#include "registry_files/carpeta_planos.h"
#include "registry_files/generacion_planos.h"
#include "shell/comando.h"
#include "shell/datos/conexion.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>
#include <optional>

int ComandoPlanos(ContextoComando& contexto)
{
    QCommandLineParser parser;
    const QCommandLineOption tipo(QStringLiteral("tipo"), QString(), QStringLiteral("TIPO"));
    const QCommandLineOption desde(QStringLiteral("desde"), QString(), QStringLiteral("FECHA"));
    const QCommandLineOption hasta(QStringLiteral("hasta"), QString(), QStringLiteral("FECHA"));
    const QCommandLineOption planos(QStringLiteral("planos"), QString(), QStringLiteral("DIR"));
    parser.addOptions({tipo, desde, hasta, planos});
    if (!InterpretaOpciones(parser, contexto)) {
        return Salida::Uso;
    }
    const QStringList sobrantes = parser.positionalArguments().mid(1);
    if (!sobrantes.isEmpty()) {
        return FallaComando(contexto,
                            QStringLiteral("Argumento no reconocido: %1").arg(sobrantes.first()),
                            Salida::Uso);
    }
    for (const QCommandLineOption* obligatoria : {&tipo, &desde, &hasta}) {
        if (!parser.isSet(*obligatoria)) {
            return FallaComando(
                contexto, QStringLiteral("Falta la opción --%1").arg(obligatoria->names().first()),
                Salida::Uso);
        }
    }
    const QString clase = parser.value(tipo).trimmed();
    if (clase != QLatin1String("licencias") && clase != QLatin1String("denegaciones")) {
        return FallaComando(
            contexto,
            QStringLiteral("--tipo debe ser 'licencias' o 'denegaciones', no «%1»").arg(clase),
            Salida::Uso);
    }
    const auto inicio = FechaDeOpcion(parser, desde, contexto);
    const auto termino = inicio ? FechaDeOpcion(parser, hasta, contexto) : std::nullopt;
    if (!termino) {
        return Salida::Uso;
    }
    const QString salida =
        parser.isSet(planos) ? parser.value(planos).trimmed() : CarpetaPlanosEstacion();
    if (salida.isEmpty()) {
        return FallaComando(contexto, QStringLiteral("Falta la carpeta de --planos"), Salida::Uso);
    }

    const Avisa avisa = [&contexto](const AvisoPlano& aviso) {
        if (aviso.falla) {
            FallaComando(contexto, aviso.texto);
        } else {
            contexto.salida << aviso.texto << "\n";
            contexto.salida.flush();
        }
    };
    try {
        const auto conexion = contexto.abre();
        const RangoSolicitud rango{*inicio, *termino};
        const CarpetasPlanos carpetas{QDir::currentPath(), QDir::fromNativeSeparators(salida)};
        const bool escritos = clase == QLatin1String("licencias")
            ? GeneraPlanoLicencias(*conexion, rango, carpetas, avisa)
            : GeneraPlanoDenegaciones(*conexion, rango, carpetas, avisa);
        return escritos ? Salida::Exito : Salida::Fallo;
    } catch (const ErrorDatos& e) {
        return FallaComando(contexto, e.texto());
    }
}
