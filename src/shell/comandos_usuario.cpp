#include "shell/comandos_usuario.h"

#include "shell/comando.h"
#include "shell/datos/conexion.h"
#include "shell/datos/error_datos.h"

#include <QCommandLineParser>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <termios.h>
#include <unistd.h>
#endif

namespace {

constexpr int EstadoRechazo = 1;  // the command could not be carried out
constexpr int EstadoUso = 2;      // the command line is wrong, as for the program itself
constexpr int LargoMaximoNombre = 50;
constexpr int NumeroAccesos = int(std::tuple_size_v<FlagsAcceso>);

// Echo stays off while the password is typed, and comes back however the
// reading ends.
#ifdef _WIN32
bool entradaEsTerminal()
{
    return _isatty(_fileno(stdin)) != 0;
}

class EcoApagado {
public:
    EcoApagado() : consola_(GetStdHandle(STD_INPUT_HANDLE))
    {
        activo_ = GetConsoleMode(consola_, &original_) &&
                  SetConsoleMode(consola_, original_ & ~DWORD(ENABLE_ECHO_INPUT));
    }
    ~EcoApagado()
    {
        if (activo_) {
            SetConsoleMode(consola_, original_);
        }
    }

private:
    HANDLE consola_;
    DWORD original_ = 0;
    bool activo_ = false;
};
#else
bool entradaEsTerminal()
{
    return isatty(STDIN_FILENO) != 0;
}

class EcoApagado {
public:
    EcoApagado()
    {
        if (tcgetattr(STDIN_FILENO, &original_) == 0) {
            termios sinEco = original_;
            sinEco.c_lflag &= ~tcflag_t(ECHO);
            activo_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &sinEco) == 0;
        }
    }
    ~EcoApagado()
    {
        if (activo_) {
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &original_);
        }
    }

private:
    termios original_{};
    bool activo_ = false;
};
#endif

std::optional<QString> leeLinea()
{
    std::string linea;
    if (!std::getline(std::cin, linea)) {
        return std::nullopt;
    }
    if (!linea.empty() && linea.back() == '\r') {
        linea.pop_back();
    }
    return QString::fromLocal8Bit(linea.data(), qsizetype(linea.size()));
}

int falla(QTextStream& error, const QString& texto, int estado)
{
    error << "licencias: " << texto << "\n";
    error.flush();
    return estado;
}

// "todos", "ninguno" or the granted numbers, as `agregar` takes them.
QString textoAccesos(const FlagsAcceso& accesos)
{
    QStringList numeros;
    for (int i = 0; i < NumeroAccesos; ++i) {
        if (accesos[size_t(i)] != 0) {
            numeros << QString::number(i + 1);
        }
    }
    if (numeros.isEmpty()) {
        return QStringLiteral("ninguno");
    }
    return numeros.size() == NumeroAccesos ? QStringLiteral("todos") : numeros.join(u',');
}

// On a terminal the password is asked twice and both entries must match.
std::optional<QString> pideClave(LectorClave& lector, QString* problema)
{
    const auto clave = lector.lee(QStringLiteral("Clave (6 caracteres): "));
    if (!clave) {
        *problema = QStringLiteral("No se recibió la clave");
        return std::nullopt;
    }
    if (!lector.interactivo()) {
        return clave;
    }
    const auto repetida = lector.lee(QStringLiteral("Repita la clave: "));
    if (!repetida) {
        *problema = QStringLiteral("No se recibió la repetición de la clave");
        return std::nullopt;
    }
    if (*repetida != *clave) {
        *problema = QStringLiteral("Las dos claves no coinciden; no se agregó el usuario");
        return std::nullopt;
    }
    return clave;
}

bool existeUsuario(Conexion& conexion, const QString& usuario)
{
    const auto usuarios = ListaUsuarios(conexion);
    return std::any_of(usuarios.begin(), usuarios.end(),
                       [&](const Usuario& u) { return u.usuario == usuario; });
}

int agrega(Conexion& conexion, const QStringList& argumentos, const std::optional<QString>& nombre,
           const std::optional<QString>& accesos, LectorClave& lector, QTextStream& salida,
           QTextStream& error)
{
    if (argumentos.size() < 2) {
        return falla(error, QStringLiteral("Falta el nombre del usuario: usuario agregar USUARIO "
                                           "--nombre \"NOMBRE\" --accesos LISTA"),
                     EstadoUso);
    }
    if (argumentos.size() > 2) {
        return falla(error,
                     QStringLiteral("Sobran argumentos: %1 (si el nombre lleva espacios, "
                                    "escríbalo entre comillas)")
                         .arg(argumentos.mid(2).join(u' ')),
                     EstadoUso);
    }
    if (!nombre || nombre->trimmed().isEmpty()) {
        return falla(error, QStringLiteral("Falta el nombre de la persona: --nombre \"NOMBRE\""),
                     EstadoUso);
    }
    if (nombre->trimmed().size() > LargoMaximoNombre) {
        return falla(error,
                     QStringLiteral("El nombre no puede tener más de %1 caracteres")
                         .arg(LargoMaximoNombre),
                     EstadoUso);
    }
    if (!accesos) {
        return falla(error, QStringLiteral("Faltan los accesos: --accesos 1,2,5 o --accesos todos"),
                     EstadoUso);
    }
    QString problema;
    const auto flags = InterpretaAccesos(*accesos, &problema);
    if (!flags) {
        return falla(error, problema, EstadoUso);
    }
    const QString usuario = argumentos.at(1);
    // Checked before the password is asked, so nobody types it for nothing;
    // the insert checks again.
    if (existeUsuario(conexion, usuario)) {
        return falla(error, QStringLiteral("El usuario %1 ya existe").arg(usuario), EstadoRechazo);
    }
    const auto clave = pideClave(lector, &problema);
    if (!clave) {
        return falla(error, problema, EstadoRechazo);
    }
    try {
        AgregaUsuario(conexion, Usuario{usuario, nombre->trimmed(), *flags}, *clave);
    } catch (const std::invalid_argument& e) {
        return falla(error, QString::fromStdString(e.what()), EstadoRechazo);
    }
    salida << QStringLiteral("Usuario %1 agregado con los accesos %2")
                  .arg(usuario, textoAccesos(*flags))
           << "\n";
    salida.flush();
    return 0;
}

int lista(Conexion& conexion, const QStringList& argumentos, bool conOpciones,
          QTextStream& salida, QTextStream& error)
{
    if (argumentos.size() > 1 || conOpciones) {
        return falla(error, QStringLiteral("'usuario listar' no lleva más argumentos ni opciones"),
                     EstadoUso);
    }
    const auto usuarios = ListaUsuarios(conexion);
    if (usuarios.empty()) {
        salida << "No hay usuarios registrados\n";
        salida.flush();
        return 0;
    }
    qsizetype anchoUsuario = QStringLiteral("USUARIO").size();
    qsizetype anchoNombre = QStringLiteral("NOMBRE").size();
    for (const Usuario& u : usuarios) {
        anchoUsuario = std::max(anchoUsuario, u.usuario.size());
        anchoNombre = std::max(anchoNombre, u.nombre.size());
    }
    const auto linea = [&](const QString& usuario, const QString& nombre, const QString& accesos) {
        salida << usuario.leftJustified(anchoUsuario + 2) << nombre.leftJustified(anchoNombre + 2)
               << accesos << "\n";
    };
    linea(QStringLiteral("USUARIO"), QStringLiteral("NOMBRE"), QStringLiteral("ACCESOS"));
    for (const Usuario& u : usuarios) {
        linea(u.usuario, u.nombre, textoAccesos(u.accesos));
    }
    salida.flush();
    return 0;
}

}  // namespace

bool LectorClaveTerminal::interactivo() const
{
    return entradaEsTerminal();
}

std::optional<QString> LectorClaveTerminal::lee(const QString& indicacion)
{
    if (!interactivo()) {
        return leeLinea();
    }
    std::fputs(indicacion.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    std::optional<QString> clave;
    {
        EcoApagado eco;
        clave = leeLinea();
    }
    // The Enter the user typed was not echoed either.
    std::fputs("\n", stderr);
    return clave;
}

std::optional<FlagsAcceso> InterpretaAccesos(const QString& lista, QString* error)
{
    const QString ayuda = QStringLiteral("use números del 1 al %1 separados por comas, o 'todos'")
                              .arg(NumeroAccesos);
    FlagsAcceso flags{};
    if (lista.trimmed().compare(QLatin1String("todos"), Qt::CaseInsensitive) == 0) {
        flags.fill(1);
        return flags;
    }
    if (lista.trimmed().isEmpty()) {
        *error = QStringLiteral("La lista de accesos está vacía; ") + ayuda;
        return std::nullopt;
    }
    for (const QString& parte : lista.split(u',')) {
        const QString numero = parte.trimmed();
        bool esNumero = false;
        const int acceso = numero.toInt(&esNumero);
        if (numero.isEmpty() || !esNumero || acceso < 1 || acceso > NumeroAccesos) {
            *error = QStringLiteral("Acceso no válido: \"%1\"; ").arg(numero) + ayuda;
            return std::nullopt;
        }
        flags[size_t(acceso - 1)] = 1;
    }
    return flags;
}

int EjecutaComandoUsuario(Conexion& conexion, const QStringList& argumentos,
                          const std::optional<QString>& nombre,
                          const std::optional<QString>& accesos, LectorClave& lector,
                          QTextStream& salida, QTextStream& error)
{
    const QString subcomando = argumentos.value(0);
    try {
        if (subcomando == QLatin1String("agregar")) {
            return agrega(conexion, argumentos, nombre, accesos, lector, salida, error);
        }
        if (subcomando == QLatin1String("listar")) {
            return lista(conexion, argumentos, nombre || accesos, salida, error);
        }
    } catch (const ErrorDatos& e) {
        return falla(error, e.texto(), EstadoRechazo);
    }
    if (subcomando.isEmpty()) {
        return falla(error, QStringLiteral("Falta el subcomando: usuario agregar o usuario listar"),
                     EstadoUso);
    }
    return falla(
        error, QStringLiteral("Subcomando desconocido: %1 (use agregar o listar)").arg(subcomando),
        EstadoUso);
}

int ComandoUsuario(ContextoComando& contexto)
{
    QCommandLineParser parser;
    const QCommandLineOption nombre(QStringLiteral("nombre"), QString(), QStringLiteral("NOMBRE"));
    const QCommandLineOption accesos(QStringLiteral("accesos"), QString(), QStringLiteral("LISTA"));
    parser.addOptions({nombre, accesos});
    if (!InterpretaOpciones(parser, contexto)) {
        return Salida::Uso;
    }
    const auto valor = [&parser](const QCommandLineOption& opcion) {
        return parser.isSet(opcion) ? std::optional<QString>(parser.value(opcion)) : std::nullopt;
    };
    try {
        const auto conexion = contexto.abre();
        LectorClaveTerminal lector;
        return EjecutaComandoUsuario(*conexion, parser.positionalArguments().mid(1), valor(nombre),
                                     valor(accesos), lector, contexto.salida, contexto.error);
    } catch (const ErrorDatos& e) {
        return FallaComando(contexto, e.texto());
    }
}
