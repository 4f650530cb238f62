#include "app/acciones_menu.h"
#include "app/esquema_sistema.h"
#include "app/traducciones.h"
#include "demo/demo.h"
#include "listings/comandos_listados.h"
#include "register/comando_bitacora.h"
#include "register/comando_imprimir.h"
#include "registry_files/comando_planos.h"
#include "shell/aplicacion.h"
#include "shell/comando.h"
#include "shell/comando_respaldo.h"
#include "shell/comandos_usuario.h"
#include "shell/datos/respaldo.h"
#include "shell/form_usuario.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTextStream>
#include <cstdio>
#include <optional>

namespace {

// The commands of the command line: each runs the same code as the form it
// stands for. One that needs widgets runs off screen.
struct ComandoLinea {
    const char* nombre;
    const char* uso;  // its lines of the help text
    bool necesitaPantalla;
    int (*ejecuta)(ContextoComando&);
};

const ComandoLinea Comandos[] = {
    {"usuario",
     "  licencias usuario agregar USUARIO --nombre \"NOMBRE\" --accesos LISTA [--db CONEXION]\n"
     "      Agrega un usuario. Pide la clave de 6 caracteres dos veces en la terminal,\n"
     "      o la lee una vez de la entrada estándar. LISTA son los accesos del 1 al 18\n"
     "      separados por comas (por ejemplo 1,2,5), o 'todos'.\n"
     "  licencias usuario listar [--db CONEXION]\n"
     "      Muestra los usuarios y sus accesos.\n",
     false, ComandoUsuario},
    {"imprimir",
     "  licencias imprimir --folio FOLIO [--usuario USUARIO] [--pdf ARCHIVO] [--db CONEXION]\n"
     "      Imprime de nuevo la solicitud registrada con ese folio, como el botón\n"
     "      Imprimir: en el archivo PDF indicado o, sin --pdf, en la impresora\n"
     "      predeterminada. USUARIO es el usuario que figura en la hoja.\n",
     true, ComandoImprimir},
    {"bitacora",
     "  licencias bitacora [--desde DD-MM-AAAA] [--hasta DD-MM-AAAA] [--folio FOLIO]\n"
     "                     [--formato csv] [--db CONEXION]\n"
     "      Muestra la bitácora: quién registró, modificó, anuló o eliminó cada\n"
     "      solicitud, o cambió la firma, cuándo, en qué estación y qué columnas\n"
     "      cambiaron. Con --formato csv, una línea por anotación.\n",
     false, ComandoBitacora},
    {"planos",
     "  licencias planos --tipo licencias|denegaciones --desde DD-MM-AAAA --hasta DD-MM-AAAA\n"
     "                   [--planos DIR] [--db CONEXION]\n"
     "      Genera los archivos planos del rango de fechas de solicitud (ambas incluidas):\n"
     "      'licencias' escribe LPVN000 y RPVN000, 'denegaciones' escribe DPVN000, en la\n"
     "      carpeta actual, y los copia en DIR (sin --planos: la carpeta elegida en este\n"
     "      equipo, o ~/planos). Termina con 0 cuando todos quedaron escritos y copiados.\n",
     false, ComandoPlanos},
    {"estadistica",
     "  licencias estadistica --tipo otorgadas|denegadas --mes MES --anio AAAA\n"
     "            [--formato csv|pdf] [--salida ARCHIVO] [--db CONEXION]\n"
     "      La estadística mensual de licencias otorgadas o denegadas, como la hoja\n"
     "      que muestra \"Aceptar\". MES es 1 a 12 o el nombre del mes. csv: una línea\n"
     "      por casilla de la hoja (nombre,valor); pdf: la hoja impresa en una página\n"
     "      oficio. Sin --salida escribe en la salida estándar.\n",
     true, ComandoEstadistica},
    {"listado",
     "  licencias listado --tipo Folios|LicOtorgadas|LicDenegadas|LicAnuladasElim|LicNoDonantes\n"
     "            --desde DD-MM-AAAA --hasta DD-MM-AAAA [--orden folio|rut]\n"
     "            [--formato csv|pdf] [--salida ARCHIVO] [--db CONEXION]\n"
     "      El listado de folios de un rango de fechas (ambas incluidas). csv: los\n"
     "      nombres de las columnas y una línea por solicitud; pdf: el informe impreso\n"
     "      en páginas carta. Sin --salida escribe en la salida estándar.\n",
     true, ComandoListado},
    {"respaldo",
     "  licencias respaldo [--destino ARCHIVO] [--db CONEXION]\n"
     "      Copia ahora la base SQLite, también mientras otras estaciones la usan, en\n"
     "      ARCHIVO o, sin --destino, en la carpeta de respaldos de este usuario. Además\n"
     "      el programa la copia solo al abrirse por primera vez cada día y guarda las 7\n"
     "      copias diarias más recientes. Para PostgreSQL indica cómo usar pg_dump.\n",
     false, ComandoRespaldo},
};

const char* const AyudaPrograma =
    "Uso:\n"
    "  licencias [--db CONEXION] [--demo]\n"
    "      Abre el sistema de licencias de conducir en la base de datos indicada.\n";

const char* const AyudaOpciones =
    "\n"
    "Opciones:\n"
    "  --db CONEXION  Base de datos: sqlite:RUTA, odbc:DSN (sin DSN: Licencias) o\n"
    "                 postgresql://usuario@servidor/base. Sin esta opción se usa la\n"
    "                 variable de entorno LICENCIAS_DB y, si no existe, la base\n"
    "                 incorporada en la carpeta de datos del usuario.\n"
    "  --demo         Base de demostración (se crea y llena la primera vez) con el\n"
    "                 usuario 'demo', clave 'demo01'. Con --db llena esa base si no\n"
    "                 tiene usuarios.\n"
    "  -h, --help     Muestra esta ayuda.\n";

void muestraAyuda()
{
    QTextStream salida(stdout);
    salida << AyudaPrograma;
    for (const ComandoLinea& c : Comandos) {
        salida << QString::fromUtf8(c.uso);
    }
    salida << AyudaOpciones;
}

int errorDeUso(const QString& texto)
{
    QTextStream(stderr) << "licencias: " << texto << "\n"
                        << "Use 'licencias --help' para ver las opciones.\n";
    return Salida::Uso;
}

// The words of the command line, with the options every run shares taken
// out: --db (any command) and --demo, -h, --help (the program itself).
struct LineaComandos {
    QStringList palabras;
    QString db;
    bool demo = false;
    bool ayuda = false;
};

std::optional<LineaComandos> separa(const QStringList& argumentos)
{
    LineaComandos linea;
    for (int i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        if (a == QLatin1String("--db")) {
            if (i + 1 >= argumentos.size()) {
                return std::nullopt;
            }
            linea.db = argumentos[++i];
        } else if (a.startsWith(QLatin1String("--db="))) {
            linea.db = a.mid(5);
        } else if (a == QLatin1String("--demo")) {
            linea.demo = true;
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            linea.ayuda = true;
        } else {
            linea.palabras << a;
        }
    }
    return linea;
}

std::optional<OrigenDatos> origenDe(const LineaComandos& linea, int* estado)
{
    const QString texto = linea.db.isEmpty() ? qEnvironmentVariable("LICENCIAS_DB") : linea.db;
    if (texto.isEmpty()) {
        return linea.demo ? OrigenDatos::demo() : OrigenDatos::porDefecto();
    }
    QString error;
    auto origen = OrigenDatos::interpreta(texto, &error);
    if (!origen) {
        *estado = errorDeUso(error);
    }
    return origen;
}

int ejecutaComando(const ComandoLinea& comando, const LineaComandos& linea,
                   const OrigenDatos& origen)
{
    QTextStream salida(stdout);
    QTextStream error(stderr);
    ContextoComando contexto{linea.palabras, origen, AbreBase, salida, error};
    const int estado = comando.ejecuta(contexto);
    salida.flush();
    error.flush();
    return estado;
}

// Qt's dialogs speak Spanish; without its translations they stay in English,
// and the program still runs.
std::unique_ptr<QTranslator> traduceQt()
{
    auto traductor = TraduccionesQt();
    if (traductor) {
        QCoreApplication::installTranslator(traductor.get());
    } else {
        QTextStream(stderr) << "licencias: no se encontraron las traducciones de Qt al castellano "
                               "(paquete qt6-translations-l10n): sus diálogos se verán en inglés.\n";
    }
    return traductor;
}

// The first start of the day copies a SQLite database into the daily set;
// a copy that fails is said, and the program goes on.
void respaldaDelDia(Conexion& conexion, const Reloj& reloj)
{
    try {
        RespaldoDiario(conexion, reloj.ahora().date(), CarpetaRespaldos());
    } catch (const ErrorDatos& e) {
        QMessageBox::warning(nullptr, QStringLiteral("Respaldo diario"),
                             e.texto() + QStringLiteral("\n\nEl programa sigue; avise al personal "
                                                        "de informática."));
    }
}

int programa(const OrigenDatos& origen, bool demo)
{
    const auto traductor = traduceQt();
    RelojQt reloj;
    try {
        const auto conexion = AbreBase(origen);
        if (demo) {
            PreparaDemo(*conexion, reloj);
        }
        respaldaDelDia(*conexion, reloj);
    } catch (const ErrorDatos& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Error en la base de datos"), e.texto());
        return Salida::Fallo;
    }
    Aplicacion app(Servicios::reales(), origen, QCoreApplication::applicationDirPath());
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
    QStringList argumentos;
    for (int i = 0; i < argc; ++i) {
        argumentos << QString::fromLocal8Bit(argv[i]);
    }
    const auto linea = separa(argumentos);
    if (!linea) {
        return errorDeUso(QStringLiteral("Falta el valor de la opción --db"));
    }
    if (linea->ayuda) {
        muestraAyuda();
        return Salida::Exito;
    }
    int estado = Salida::Exito;
    const auto origen = origenDe(*linea, &estado);
    if (!origen) {
        return estado;
    }
    if (linea->palabras.isEmpty()) {
        QApplication aplicacion(argc, argv);
        return programa(*origen, linea->demo);
    }
    for (const ComandoLinea& comando : Comandos) {
        if (linea->palabras.first() != QLatin1String(comando.nombre)) {
            continue;
        }
        if (comando.necesitaPantalla) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            QApplication aplicacion(argc, argv);
            const auto traductor = traduceQt();
            return ejecutaComando(comando, *linea, *origen);
        }
        QCoreApplication nucleo(argc, argv);
        return ejecutaComando(comando, *linea, *origen);
    }
    return errorDeUso(QStringLiteral("Comando desconocido: %1").arg(linea->palabras.first()));
}
