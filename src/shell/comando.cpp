#include "shell/comando.h"

#include <QCommandLineParser>
#include <QTextStream>

bool InterpretaOpciones(QCommandLineParser& parser, const ContextoComando& contexto)
{
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    // The parser expects the program's name first.
    if (parser.parse(QStringList{QStringLiteral("licencias")} + contexto.argumentos)) {
        return true;
    }
    const QStringList desconocidas = parser.unknownOptionNames();
    FallaComando(contexto,
                 desconocidas.isEmpty()
                     ? QStringLiteral("Falta el valor de una opción")
                     : QStringLiteral("Opción desconocida: %1").arg(desconocidas.join(", ")),
                 Salida::Uso);
    contexto.error << "Use 'licencias --help' para ver las opciones.\n";
    return false;
}

std::optional<QDate> FechaDeOpcion(const QCommandLineParser& parser, const QCommandLineOption& opcion,
                                   const ContextoComando& contexto)
{
    const QString texto = parser.value(opcion).trimmed();
    const QDate valor = QDate::fromString(texto, QStringLiteral("dd-MM-yyyy"));
    if (!valor.isValid()) {
        FallaComando(contexto,
                     QStringLiteral("La fecha de --%1 no es una fecha válida (DD-MM-AAAA): «%2»")
                         .arg(opcion.names().first(), texto),
                     Salida::Uso);
        return std::nullopt;
    }
    return valor;
}

int FallaComando(const ContextoComando& contexto, const QString& texto, int estado)
{
    contexto.error << "licencias: " << texto << "\n";
    contexto.error.flush();
    return estado;
}
