#include "entorno.h"
#include "prueba.h"
#include "shell/clave.h"
#include "shell/comandos_usuario.h"
#include "shell/datos/recordset.h"

#include <QRegularExpression>
#include <QTextStream>
#include <set>

namespace {

// Hands out scripted passwords and remembers what it was asked.
class LectorFalso : public LectorClave {
public:
    LectorFalso(bool interactivo, QStringList entradas)
        : interactivo_(interactivo), entradas_(std::move(entradas))
    {
    }
    bool interactivo() const override { return interactivo_; }
    std::optional<QString> lee(const QString& indicacion) override
    {
        indicaciones << indicacion;
        if (entradas_.isEmpty()) {
            return std::nullopt;
        }
        return entradas_.takeFirst();
    }
    QStringList indicaciones;

private:
    bool interactivo_;
    QStringList entradas_;
};

struct Resultado {
    int estado;
    QString salida;
    QString error;
};

Resultado ejecuta(Conexion& conexion, const QStringList& argumentos,
                  const std::optional<QString>& nombre, const std::optional<QString>& accesos,
                  LectorClave& lector)
{
    Resultado r{};
    QTextStream salida(&r.salida);
    QTextStream error(&r.error);
    r.estado = EjecutaComandoUsuario(conexion, argumentos, nombre, accesos, lector, salida, error);
    return r;
}

std::set<int> numerosConcedidos(const FlagsAcceso& flags)
{
    std::set<int> numeros;
    for (size_t i = 0; i < flags.size(); ++i) {
        if (flags[i] != 0) {
            numeros.insert(int(i) + 1);
        }
    }
    return numeros;
}

std::set<int> todos()
{
    std::set<int> numeros;
    for (int i = 1; i <= 18; ++i) {
        numeros.insert(i);
    }
    return numeros;
}

}  // namespace

TEST(InterpretaAccesos, AceptaNumerosDel1Al18OTodosYRechazaLoDemas)
{
    const struct {
        QString lista;
        std::optional<std::set<int>> concedidos;
    } casos[] = {
        {"1,2,5", std::set<int>{1, 2, 5}},
        {" 1 , 18 ", std::set<int>{1, 18}},
        {"3,3", std::set<int>{3}},
        {"07", std::set<int>{7}},
        {"todos", todos()},
        {" TODOS ", todos()},
        {"0", std::nullopt},
        {"19", std::nullopt},
        {"-1", std::nullopt},
        {"x", std::nullopt},
        {"1.5", std::nullopt},
        {"1;2", std::nullopt},
        {"1,", std::nullopt},
        {",", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"todos,1", std::nullopt},
    };
    for (const auto& caso : casos) {
        QString error;
        const auto flags = InterpretaAccesos(caso.lista, &error);
        ASSERT_EQ(flags.has_value(), caso.concedidos.has_value()) << caso.lista.toStdString();
        if (flags) {
            EXPECT_EQ(numerosConcedidos(*flags), *caso.concedidos) << caso.lista.toStdString();
        } else {
            EXPECT_TRUE(error.contains("del 1 al 18")) << error.toStdString();
        }
    }
}

TEST(ComandoUsuario, AgregarGuardaLaClaveComoLaCompruebaElIngreso)
{
    const struct {
        QString usuario;
        QString nombre;
        QString accesos;
        bool terminal;
        QStringList entradas;
        std::set<int> concedidos;
    } casos[] = {
        {"ana", "Ana Pérez", "1, 2 ,5", true, {"abc123", "abc123"}, {1, 2, 5}},
        {"o'brien", "Juan O'Brien", "todos", false, {"úñand1"}, todos()},
        {"cajero", "  Cajero Municipal  ", "6", false, {"a b c!"}, {6}},
    };
    for (const auto& caso : casos) {
        Entorno entorno;
        LectorFalso lector(caso.terminal, caso.entradas);
        const Resultado r = ejecuta(entorno.conexion(), {"agregar", caso.usuario}, caso.nombre,
                                    caso.accesos, lector);
        ASSERT_EQ(r.estado, 0) << r.error.toStdString();
        EXPECT_TRUE(r.error.isEmpty());
        EXPECT_TRUE(r.salida.contains(caso.usuario)) << r.salida.toStdString();
        EXPECT_EQ(lector.indicaciones.size(), caso.terminal ? 2 : 1);

        const auto usuarios = ListaUsuarios(entorno.conexion());
        ASSERT_EQ(usuarios.size(), 1u);
        EXPECT_EQ(usuarios[0].usuario, caso.usuario);
        EXPECT_EQ(usuarios[0].nombre, caso.nombre.trimmed());
        EXPECT_EQ(numerosConcedidos(usuarios[0].accesos), caso.concedidos);

        Recordset rs = entorno.conexion().consulta("SELECT Clave FROM TUsuarios WHERE usuario = ?",
                                                   {caso.usuario});
        ASSERT_EQ(rs.recordCount(), 1);
        EXPECT_EQ(std::optional<QString>(rs.texto("Clave")), CodificaClave(caso.entradas.first()));
    }
}

TEST(ComandoUsuario, RechazaLaEntradaMalaConUnMensajeYSinGuardarNada)
{
    const QString largo51(51, 'n');
    const struct {
        QStringList argumentos;
        std::optional<QString> nombre;
        std::optional<QString> accesos;
        bool terminal;
        QStringList entradas;
        QString mensaje;
    } casos[] = {
        {{}, std::nullopt, std::nullopt, true, {}, "Falta el subcomando"},
        {{"borrar", "ana"}, std::nullopt, std::nullopt, true, {}, "Subcomando desconocido: borrar"},
        {{"agregar"}, "Ana", "1", true, {"abc123", "abc123"}, "Falta el nombre del usuario"},
        {{"agregar", "ana", "Pérez"}, "Ana", "1", true, {}, "Sobran argumentos: Pérez"},
        {{"agregar", "ana"}, std::nullopt, "1", true, {}, "Falta el nombre de la persona"},
        {{"agregar", "ana"}, "   ", "1", true, {}, "Falta el nombre de la persona"},
        {{"agregar", "ana"}, largo51, "1", true, {}, "más de 50 caracteres"},
        {{"agregar", "ana"}, "Ana", std::nullopt, true, {}, "Faltan los accesos"},
        {{"agregar", "ana"}, "Ana", "", true, {}, "La lista de accesos está vacía"},
        {{"agregar", "ana"}, "Ana", "0", true, {}, "Acceso no válido: \"0\""},
        {{"agregar", "ana"}, "Ana", "1,19", true, {}, "Acceso no válido: \"19\""},
        {{"agregar", "ana"}, "Ana", "x", true, {}, "Acceso no válido: \"x\""},
        {{"agregar", "existente"}, "Otra", "1", true, {"abc123", "abc123"}, "ya existe"},
        {{"agregar", "ana"}, "Ana", "1", true, {"abc123", "abc124"}, "no coinciden"},
        {{"agregar", "ana"}, "Ana", "1", true, {"abc123"}, "No se recibió la repetición"},
        {{"agregar", "ana"}, "Ana", "1", false, {}, "No se recibió la clave"},
        {{"agregar", "ana"}, "Ana", "1", false, {"abc12"}, "6 caracteres"},
        {{"agregar", "ana"}, "Ana", "1", false, {"abc1234"}, "6 caracteres"},
        {{"agregar", "ana"}, "Ana", "1", false, {""}, "6 caracteres"},
        // ÿ at the third place gets 6 added: past the single byte.
        {{"agregar", "ana"}, "Ana", "1", false, {"abÿdef"}, "no se pueden codificar"},
        {{"agregar", "ana"}, "Ana", "1", false, {"abcdeł"}, "no se pueden codificar"},
        {{"agregar", "usuario_de_16_ch"}, "Ana", "1", false, {"abc123"}, "más de 15"},
        {{"listar", "todo"}, std::nullopt, std::nullopt, true, {}, "no lleva más argumentos"},
        {{"listar"}, "Ana", std::nullopt, true, {}, "no lleva más argumentos"},
    };
    for (const auto& caso : casos) {
        Entorno entorno;
        entorno.agregaUsuario("existente", "qwerty", "Usuario Existente");
        LectorFalso lector(caso.terminal, caso.entradas);
        const Resultado r =
            ejecuta(entorno.conexion(), caso.argumentos, caso.nombre, caso.accesos, lector);
        const std::string contexto = caso.argumentos.join(' ').toStdString() + " / " +
                                     caso.entradas.join(',').toStdString();
        EXPECT_NE(r.estado, 0) << contexto;
        EXPECT_TRUE(r.error.contains(caso.mensaje)) << contexto << ": " << r.error.toStdString();
        EXPECT_TRUE(r.error.endsWith('\n')) << contexto;
        EXPECT_TRUE(r.salida.isEmpty()) << contexto << ": " << r.salida.toStdString();
        EXPECT_EQ(ListaUsuarios(entorno.conexion()).size(), 1u) << contexto;
    }
}

TEST(ComandoUsuario, ListarMuestraCadaUsuarioConSusAccesosEnColumnas)
{
    Entorno entorno;
    FlagsAcceso algunos{};
    algunos[0] = 1;
    algunos[4] = 1;
    algunos[17] = 1;
    entorno.agregaUsuario("zeta", "abc123", "Zeta Soto", FlagsAcceso{});
    entorno.agregaUsuario("ana", "abc123", "Ana María Núñez", algunos);
    entorno.agregaUsuario("o'brien", "abc123", "Juan O'Brien");
    LectorFalso lector(true, {});

    const Resultado r = ejecuta(entorno.conexion(), {"listar"}, std::nullopt, std::nullopt, lector);

    ASSERT_EQ(r.estado, 0) << r.error.toStdString();
    EXPECT_TRUE(lector.indicaciones.isEmpty());
    const QStringList lineas = r.salida.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 4) << r.salida.toStdString();
    const QStringList esperadas[] = {
        {"USUARIO", "NOMBRE", "ACCESOS"},
        {"ana", "Ana María Núñez", "1,5,18"},
        {"o'brien", "Juan O'Brien", "todos"},
        {"zeta", "Zeta Soto", "ninguno"},
    };
    const qsizetype columnaAccesos = lineas[0].indexOf("ACCESOS");
    for (int i = 0; i < lineas.size(); ++i) {
        EXPECT_EQ(lineas[i].split(QRegularExpression("\\s{2,}")), esperadas[i]);
        EXPECT_EQ(lineas[i].indexOf(esperadas[i].last()), columnaAccesos)
            << lineas[i].toStdString();
    }
}

TEST(ComandoUsuario, ListarSinUsuariosLoDice)
{
    Entorno entorno;
    LectorFalso lector(true, {});
    const Resultado r = ejecuta(entorno.conexion(), {"listar"}, std::nullopt, std::nullopt, lector);
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.salida, "No hay usuarios registrados\n");
}
