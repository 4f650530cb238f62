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

int FallaComando(const ContextoComando& contexto, const QString& texto, int estado)
{
    contexto.error << "licencias: " << texto << "\n";
    contexto.error.flush();
    return estado;
}
