#include "shell/comando_respaldo.h"

#include "shell/comando.h"
#include "shell/datos/conexion.h"
#include "shell/datos/respaldo.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString ayudaServidor(const OrigenDatos& origen)
{
    const QString servidor = origen.servidor.isEmpty() ? QStringLiteral("SERVIDOR") : origen.servidor;
    const QString usuario = origen.usuario.isEmpty() ? QStringLiteral("USUARIO") : origen.usuario;
    const QString base = origen.base.isEmpty() ? QStringLiteral("BASE") : origen.base;
    return QStringLiteral("La base de datos %1 es de un servidor PostgreSQL: su respaldo se hace "
                          "con pg_dump, por ejemplo\n"
                          "    pg_dump -Fc -h %2 -U %3 -f licencias.dump %4\n"
                          "y se restaura con pg_restore (vea «Respaldos» en el manual).")
        .arg(origen.nombreVisible(), servidor, usuario, base);
}

}  // namespace

int ComandoRespaldo(ContextoComando& contexto)
{
    QCommandLineParser parser;
    const QCommandLineOption destino(QStringLiteral("destino"), QString(), QStringLiteral("ARCHIVO"));
    parser.addOption(destino);
    if (!InterpretaOpciones(parser, contexto)) {
        return Salida::Uso;
    }
    if (parser.positionalArguments().size() > 1) {
        return FallaComando(contexto, QStringLiteral("'respaldo' no lleva más argumentos"), Salida::Uso);
    }
    try {
        const auto conexion = contexto.abre();
        const QString archivo = conexion->archivoSqlite();
        if (archivo.isEmpty()) {
            return FallaComando(contexto, ayudaServidor(contexto.origen));
        }
        QString copia = parser.value(destino);
        if (copia.isEmpty()) {
            const QString carpeta = CarpetaRespaldos();
            copia = RespaldosDiarios(archivo, carpeta).archivoDelMomento(QDateTime::currentDateTime());
        }
        if (!QFileInfo(copia).absoluteDir().exists()) {
            return FallaComando(contexto, QStringLiteral("No existe la carpeta %1 del respaldo")
                                              .arg(QDir::toNativeSeparators(
                                                  QFileInfo(copia).absolutePath())));
        }
        RespaldaSqlite(archivo, copia);
        contexto.salida << QStringLiteral("Respaldo de %1 escrito en %2\n")
                               .arg(QDir::toNativeSeparators(archivo),
                                    QDir::toNativeSeparators(QFileInfo(copia).absoluteFilePath()));
        contexto.salida.flush();
        return Salida::Exito;
    } catch (const ErrorDatos& e) {
        return FallaComando(contexto, e.texto());
    }
}
