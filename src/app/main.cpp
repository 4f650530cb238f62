#include "shell/aplicacion.h"
#include "shell/comandos_usuario.h"
#include "demo/demo.h"
#include "app/acciones_menu.h"
#include "app/esquema_sistema.h"
#include "shell/form_usuario.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

const char* const Ayuda =
    "Uso:\n"
    "  licencias [--db CONEXION] [--demo]\n"
    "      Abre el sistema de licencias de conducir en la base de datos indicada.\n"
    "  licencias usuario agregar USUARIO --nombre \"NOMBRE\" --accesos LISTA [--db CONEXION]\n"
    "      Agrega un usuario. Pide la clave de 6 caracteres dos veces en la terminal,\n"
    "      o la lee una vez de la entrada estándar. LISTA son los accesos del 1 al 18\n"
    "      separados por comas (por ejemplo 1,2,5), o 'todos'.\n"
    "  licencias usuario listar [--db CONEXION]\n"
    "      Muestra los usuarios y sus accesos.\n"
    "\n"
    "Opciones:\n"
    "  --db CONEXION  Base de datos: sqlite:RUTA, odbc:DSN (sin DSN: Licencias) o\n"
    "                 postgresql://usuario@servidor/base. Sin esta opción se usa la\n"
    "                 variable de entorno LICENCIAS_DB y, si no existe, la base\n"
    "                 incorporada en la carpeta de datos del usuario.\n"
    "  --demo         Base de demostración (se crea y llena la primera vez) con el\n"
    "                 usuario 'demo', clave 'demo01'. Con --db llena esa base si no\n"
    "                 tiene usuarios.\n"
    "  --nombre NOMBRE, --accesos LISTA   Datos de 'usuario agregar'.\n"
    "  -h, --help     Muestra esta ayuda.\n";

struct Argumentos {
    std::optional<OrigenDatos> origen;
    bool demo = false;
    QStringList posicionales;
    std::optional<QString> nombre;
    std::optional<QString> accesos;
};

int errorDeUso(const QString& texto)
{
    QTextStream(stderr) << "licencias: " << texto << "\n"
                        << "Use 'licencias --help' para ver las opciones.\n";
    return 2;
}

// Reads the command line without a display, so user commands and --help
// work on a server.
std::optional<Argumentos> interpreta(const QStringList& lista, int* estado)
{
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("CONEXION"));
    const QCommandLineOption demo(QStringLiteral("demo"));
    const QCommandLineOption nombre(QStringLiteral("nombre"), QString(), QStringLiteral("NOMBRE"));
    const QCommandLineOption accesos(QStringLiteral("accesos"), QString(), QStringLiteral("LISTA"));
    const QCommandLineOption ayuda(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOptions({db, demo, nombre, accesos, ayuda});
    if (!parser.parse(lista)) {
        const QStringList desconocidas = parser.unknownOptionNames();
        *estado = errorDeUso(desconocidas.isEmpty()
                                 ? QStringLiteral("Falta el valor de una opción")
                                 : QStringLiteral("Opción desconocida: %1").arg(desconocidas.join(", ")));
        return std::nullopt;
    }
    if (parser.isSet(ayuda)) {
        std::fputs(Ayuda, stdout);
        *estado = 0;
        return std::nullopt;
    }
    Argumentos a;
    a.demo = parser.isSet(demo);
    a.posicionales = parser.positionalArguments();
    if (parser.isSet(nombre)) a.nombre = parser.value(nombre);
    if (parser.isSet(accesos)) a.accesos = parser.value(accesos);
    QString texto = parser.value(db);
    if (texto.isEmpty()) {
        texto = qEnvironmentVariable("LICENCIAS_DB");
    }
    if (!texto.isEmpty()) {
        QString error;
        a.origen = OrigenDatos::interpreta(texto, &error);
        if (!a.origen) {
            *estado = errorDeUso(error);
            return std::nullopt;
        }
    } else {
        a.origen = a.demo ? OrigenDatos::demo() : OrigenDatos::porDefecto();
    }
    if (!a.posicionales.isEmpty() && a.posicionales.first() != QLatin1String("usuario")) {
        *estado = errorDeUso(QStringLiteral("Comando desconocido: %1").arg(a.posicionales.first()));
        return std::nullopt;
    }
    if ((a.nombre || a.accesos) && a.posicionales.isEmpty()) {
        *estado = errorDeUso(QStringLiteral("--nombre y --accesos solo van con 'usuario agregar'"));
        return std::nullopt;
    }
    return a;
}

int comandoUsuario(const Argumentos& a)
{
    QTextStream salida(stdout);
    QTextStream error(stderr);
    try {
        const auto conexion = Conexion::abre(*a.origen);
        PreparaEsquema(*conexion);
        LectorClaveTerminal lector;
        return EjecutaComandoUsuario(*conexion, a.posicionales.mid(1), a.nombre, a.accesos, lector,
                                     salida, error);
    } catch (const ErrorDatos& e) {
        error << "licencias: " << e.texto() << "\n";
        return 1;
    }
}

int programa(const Argumentos& a)
{
    RelojQt reloj;
    try {
        const auto conexion = Conexion::abre(*a.origen);
        PreparaEsquema(*conexion);
        if (a.demo) {
            PreparaDemo(*conexion, reloj);
        }
    } catch (const ErrorDatos& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Error en la base de datos"), e.texto());
        return 1;
    }
    Aplicacion app(Servicios::reales(), *a.origen, QCoreApplication::applicationDirPath());
    InstalaAcciones(app);
    Form_Usuario& login = app.forma<Form_Usuario>();
    app.ventanas().muestra(login);
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv)
{
    // The data folder is named after the program, before any path is read.
    QCoreApplication::setApplicationName(QStringLiteral("licencias"));
    QStringList lista;
    for (int i = 0; i < argc; ++i) {
        lista << QString::fromLocal8Bit(argv[i]);
    }
    int estado = 0;
    const auto argumentos = interpreta(lista, &estado);
    if (!argumentos) {
        return estado;
    }
    if (!argumentos->posicionales.isEmpty()) {
        QCoreApplication nucleo(argc, argv);
        return comandoUsuario(*argumentos);
    }
    QApplication aplicacion(argc, argv);
    return programa(*argumentos);
}
