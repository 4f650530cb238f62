// A failing engine: each failure explained in plain Spanish, naming the
// database, with the engine's text as the detail; nothing stored, nothing
// reported as done, and the form goes on once the database is back.

#include "app/esquema_sistema.h"
#include "entorno.h"
#include "prueba.h"
#include "register/form_licencia.h"
#include "shell/datos/recordset.h"
#include "shell/form_usuario.h"
#include "sin_privilegios.h"
#include "solicitud_valida.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <arpa/inet.h>
#include <iostream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// The rows of the application the tests type (LlenaSolicitudValida).
int registradas(Conexion& c)
{
    return c.consulta("SELECT count(*) AS n FROM TLicencias WHERE FolioActual = ?", {"CA04354520"})
        .valor("n")
        .toInt();
}

bool esSqlite(Entorno& e)
{
    return e.conexion().dialecto() == Conexion::Dialecto::SQLite;
}

// Lifts the failure a case provoked.
using Levanta = std::function<void()>;

// Another workstation in the middle of a write that it does not finish.
struct OtraEstacion {
    std::shared_ptr<Conexion> conexion;
    std::unique_ptr<Transaccion> escritura;
};

Levanta ocupa(Entorno& e)
{
    auto otra = std::make_shared<OtraEstacion>();
    otra->conexion = Conexion::abre(e.origen());
    otra->escritura = std::make_unique<Transaccion>(*otra->conexion);
    // This workstation waits a moment, not the program's ten seconds.
    if (esSqlite(e)) {
        otra->conexion->ejecuta("INSERT INTO TMedicos (Nombres) VALUES (?)", {"OTRA ESTACION"});
        e.conexion().consulta("PRAGMA busy_timeout = 300");
    } else {
        otra->conexion->ejecuta("LOCK TABLE TLicencias IN EXCLUSIVE MODE");
        e.conexion().ejecuta("SET lock_timeout = 300");
    }
    return [otra] {
        otra->escritura.reset();
        otra->conexion.reset();
    };
}

// The file may not grow, and its pages are full: rows smaller than any
// application are added until one does not fit.
Levanta llena(Entorno& e)
{
    Conexion& c = e.conexion();
    c.ejecuta("VACUUM");  // no free pages left from earlier tables
    const int paginas = c.consulta("PRAGMA page_count").valor("page_count").toInt();
    c.consulta(QString("PRAGMA max_page_count = %1").arg(paginas));
    int relleno = 0;
    for (; relleno < 10000; ++relleno) {
        try {
            c.ejecuta("INSERT INTO TLicencias (FolioActual) VALUES (?)",
                      {QString("R%1").arg(relleno, 9, 10, QChar('0'))});
        } catch (const ErrorDatos& error) {
            EXPECT_EQ(error.causa(), CausaDatos::DiscoLleno) << error.texto().toStdString();
            break;
        }
    }
    std::cout << "[motor] disco lleno tras " << relleno << " filas de relleno en " << paginas
              << " páginas\n";
    return [&c] { c.consulta("PRAGMA max_page_count = 1073741823"); };
}

Levanta soloLectura(Entorno& e)
{
    Conexion& c = e.conexion();
    if (esSqlite(e)) {
        c.consulta("PRAGMA query_only = ON");
        return [&c] { c.consulta("PRAGMA query_only = OFF"); };
    }
    c.ejecuta("SET default_transaction_read_only = on");
    return [&c] { c.ejecuta("SET default_transaction_read_only = off"); };
}

// The server ends this workstation's connection, as a restart does.
Levanta cortaServidor(Entorno& e)
{
    const QVariant pid = e.conexion().consulta("SELECT pg_backend_pid() AS pid").valor("pid");
    const auto otra = Conexion::abre(e.origen());
    otra->ejecuta("SELECT pg_terminate_backend(?)", {pid});
    for (int i = 0; i < 100; ++i) {
        if (otra->consulta("SELECT count(*) AS n FROM pg_stat_activity WHERE pid = ?", {pid})
                .valor("n")
                .toInt() == 0) {
            break;
        }
        QThread::msleep(20);
    }
    return [] {};
}

// A socket on the loopback that accepts connections (the kernel completes
// them) and never reads or answers.
class PuertoMudo {
public:
    PuertoMudo()
    {
        sockaddr_in direccion{};
        direccion.sin_family = AF_INET;
        direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t largo = sizeof direccion;
        if (bind(fd_, reinterpret_cast<sockaddr*>(&direccion), largo) == 0 && listen(fd_, 8) == 0 &&
            getsockname(fd_, reinterpret_cast<sockaddr*>(&direccion), &largo) == 0) {
            puerto_ = ntohs(direccion.sin_port);
        }
    }
    ~PuertoMudo() { close(fd_); }
    int puerto() const { return puerto_; }

private:
    int fd_ = socket(AF_INET, SOCK_STREAM, 0);
    int puerto_ = 0;
};

struct Falla {
    const char* nombre;
    const char* dice;
    bool soloSqlite;
    bool soloServidor;
    Levanta (*provoca)(Entorno&);
};

const Falla Fallas[] = {
    {"ocupada por otra estación", "está ocupada", false, false, ocupa},
    {"disco lleno", "no tiene espacio", true, false, llena},
    {"solo lectura", "es de solo lectura", false, false, soloLectura},
    {"conexión cortada por el servidor", "dejó de responder", false, true, cortaServidor},
};

}  // namespace

TEST(MotorQueFalla, RegistrarSeExplicaNoGuardaNadaYFuncionaAlVolverLaBase)
{
    int probadas = 0;
    for (const Falla& falla : Fallas) {
        Entorno e;
        if ((falla.soloSqlite && !esSqlite(e)) || (falla.soloServidor && esSqlite(e))) {
            std::cout << "[motor] " << falla.nombre << ": no se da en este motor\n";
            continue;
        }
        SCOPED_TRACE(falla.nombre);
        e.app().Accesos.fill(1);
        e.agregaMedico("DR. PEDRO SOTO");
        Form_Licencia& f = e.app().forma<Form_Licencia>();
        LlenaSolicitudValida(f);
        auto* registrar = f.findChild<QPushButton*>("Cmd_Registrar");

        const Levanta levanta = falla.provoca(e);
        e.mensajes->cajas.clear();
        e.mensajes->esperaCriticos();
        registrar->click();
        // One critical box, and no question about printing a stored application.
        ASSERT_EQ(e.mensajes->cajas.size(), 1u) << e.mensajes->textos().join(" / ").toStdString();
        const MensajesFalsos::Caja caja = e.mensajes->cajas[0];
        EXPECT_EQ(caja.titulo, "Error en la base de datos");
        EXPECT_EQ(caja.icono, Icono::Critico);
        EXPECT_TRUE(caja.texto.contains(falla.dice)) << caja.texto.toStdString();
        EXPECT_TRUE(caja.texto.contains(e.origen().nombreVisible())) << caja.texto.toStdString();
        EXPECT_TRUE(caja.texto.contains("\n\nDetalle: ")) << caja.texto.toStdString();
        levanta();
        const int tras = registradas(e.conexion());
        EXPECT_EQ(tras, 0);
        if (esSqlite(e)) {
            EXPECT_EQ(e.conexion().consulta("PRAGMA integrity_check").fila().valores().value(0).toString(),
                      "ok");
        }
        EXPECT_EQ(f.texto("Text_FolioActual").text(), "CA04354520");
        EXPECT_EQ(f.texto("Text_Nombres").text(), "JUAN");

        e.mensajes->cajas.clear();
        e.mensajes->responde(Respuesta::No);
        registrar->click();
        EXPECT_EQ(e.mensajes->textos(),
                  QStringList({"Licencia ha sido registrada, desea imprimir ahora ?"}));
        const int luego = registradas(e.conexion());
        EXPECT_EQ(luego, 1);
        ++probadas;
        std::cout << "[motor] " << falla.nombre << ": 1 rechazo explicado, " << tras
                  << " filas escritas; al volver la base, " << luego << " fila registrada\n"
                  << "[motor]   " << caja.texto.section('\n', 0, 0).toStdString() << "\n";
    }
    std::cout << "[motor] " << probadas << " fallas probadas al registrar\n";
    EXPECT_GE(probadas, 2);
}

namespace {

// The login form's loading over a database that does not open: its one
// message, which must be critical.
MensajesFalsos::Caja abreConLogin(const OrigenDatos& origen)
{
    Entorno e(origen, false);
    e.mensajes->esperaCriticos();
    Form_Usuario& login = e.app().forma<Form_Usuario>();
    EXPECT_EQ(e.mensajes->cajas.size(), 1u) << e.mensajes->textos().join(" / ").toStdString();
    EXPECT_TRUE(e.app().cargada<Form_Usuario>());
    EXPECT_TRUE(login.findChild<QPushButton*>("Cmd_Salir")->isEnabled());
    if (e.mensajes->cajas.empty()) {
        return {};
    }
    const MensajesFalsos::Caja caja = e.mensajes->cajas[0];
    EXPECT_EQ(caja.titulo, "Error en la base de datos");
    EXPECT_TRUE(caja.texto.contains(origen.nombreVisible())) << caja.texto.toStdString();
    EXPECT_TRUE(caja.texto.contains("\n\nDetalle: ")) << caja.texto.toStdString();
    std::cout << "[apertura] " << origen.descripcion().toStdString() << ": "
              << caja.texto.section('\n', 0, 0).toStdString() << "\n";
    return caja;
}

}  // namespace

TEST(MotorQueFalla, UnArchivoQueNoEsUnaBaseSeNombraYNoSeToca)
{
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath("licencias.sqlite");
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    const QByteArray contenido = QByteArray("Planilla de folios entregados\r\n").repeated(200);
    archivo.write(contenido);
    archivo.close();

    const auto caja = abreConLogin(OrigenDatos::sqlite(ruta));
    EXPECT_TRUE(caja.texto.contains("no es una base de datos del sistema")) << caja.texto.toStdString();
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(archivo.readAll(), contenido);
}

TEST(MotorQueFalla, UnaBaseQueNoSePuedeLeerSeNombra)
{
    ComoUsuarioComun([] {
        QTemporaryDir carpeta;
        const OrigenDatos origen = OrigenDatos::sqlite(QDir(carpeta.path()).filePath("licencias.sqlite"));
        AbreBase(origen);
        ASSERT_TRUE(QFile::setPermissions(origen.ruta, {}));
        const auto caja = abreConLogin(origen);
        EXPECT_TRUE(caja.texto.contains("No se puede abrir la base de datos")) << caja.texto.toStdString();
        QFile::setPermissions(origen.ruta, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    });
}

TEST(MotorQueFalla, UnServidorQueRechazaONoContestaSeNombraSinDejarEsperando)
{
    const PuertoMudo mudo;
    ASSERT_NE(mudo.puerto(), 0);
    int puertoCerrado = 0;
    {
        const PuertoMudo cerrado;
        puertoCerrado = cerrado.puerto();
    }
    struct Caso {
        const char* caso;
        QString direccion;
    };
    std::vector<Caso> casos = {
        {"rechaza", QString("postgresql://licencias@127.0.0.1:%1/licencias").arg(puertoCerrado)},
        // Accepts the connection and never answers.
        {"no contesta",
         QString("postgresql://licencias@127.0.0.1:%1/licencias?connect_timeout=1").arg(mudo.puerto())},
        {"fuente ODBC que no existe", "odbc:FuenteQueNoExisteEnEsteEquipo"},
    };
    // On a test server, a database that it does not have.
    QString error;
    const auto prueba = OrigenDatos::interpreta(qEnvironmentVariable("LICENCIAS_PRUEBA_DB"), &error);
    if (prueba && prueba->motor == OrigenDatos::Motor::PostgreSQL) {
        casos.push_back({"no tiene la base",
                         QString("postgresql://%1@%2:%3/base_que_no_existe")
                             .arg(prueba->usuario, prueba->servidor)
                             .arg(prueba->puerto)});
    }
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        const auto origen = OrigenDatos::interpreta(caso.direccion, &error);
        ASSERT_TRUE(origen) << error.toStdString();
        QElapsedTimer reloj;
        reloj.start();
        const auto caja = abreConLogin(*origen);
        EXPECT_TRUE(caja.texto.contains("No fue posible conectarse con la base de datos"))
            << caja.texto.toStdString();
        EXPECT_LT(reloj.elapsed(), 5000);
        std::cout << "[apertura] " << caso.caso << ": mensaje en " << reloj.elapsed()
                  << " ms\n";
    }
}

TEST(MotorQueFalla, UnaBaseDeSoloLecturaSeAnunciaAlAbrirYElIngresoSigue)
{
    ComoUsuarioComun([] {
        QTemporaryDir carpeta;
        const OrigenDatos origen = OrigenDatos::sqlite(QDir(carpeta.path()).filePath("licencias.sqlite"));
        {
            Entorno preparada(origen, true);
            preparada.agregaUsuario("ana", "abc123", "Ana Rojas");
            preparada.agregaMedico("DR. PEDRO SOTO");
        }
        // The file's own mode; its folder still takes the engine's side files.
        ASSERT_TRUE(QFile::setPermissions(origen.ruta, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                           QFileDevice::ReadOther));

        Entorno e(origen, false);
        e.mensajes->esperaCriticos(2);
        Form_Usuario& login = e.app().forma<Form_Usuario>();
        ASSERT_EQ(e.mensajes->cajas.size(), 1u) << e.mensajes->textos().join(" / ").toStdString();
        EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en la base de datos");
        EXPECT_TRUE(e.mensajes->cajas[0].texto.contains("es de solo lectura"))
            << e.mensajes->cajas[0].texto.toStdString();
        EXPECT_TRUE(e.mensajes->cajas[0].texto.contains(origen.nombreVisible()));
        std::cout << "[apertura] solo lectura: "
                  << e.mensajes->cajas[0].texto.section('\n', 0, 0).toStdString() << "\n";

        // Reading goes on: the clerk logs in.
        login.findChild<QLineEdit*>("Text_Usuario")->setText("ana");
        login.findChild<QLineEdit*>("Text_Clave")->setText("abc123");
        login.findChild<QPushButton*>("Cmd_ValidaUsuario")->click();
        EXPECT_FALSE(login.findChild<QPushButton*>("Cmd_Continuar")->isHidden());

        // A register is refused with the same reason, and nothing is stored.
        e.app().Accesos.fill(1);
        Form_Licencia& f = e.app().forma<Form_Licencia>();
        LlenaSolicitudValida(f);
        e.mensajes->cajas.clear();
        f.findChild<QPushButton*>("Cmd_Registrar")->click();
        ASSERT_EQ(e.mensajes->cajas.size(), 1u) << e.mensajes->textos().join(" / ").toStdString();
        EXPECT_TRUE(e.mensajes->cajas[0].texto.contains("es de solo lectura"));
        EXPECT_EQ(registradas(e.conexion()), 0);

        QFile::setPermissions(origen.ruta, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    });
}

TEST(MotorQueFalla, UnaBaseQueAdmiteEscrituraNoSeAnunciaComoSoloLectura)
{
    Entorno e;
    EXPECT_FALSE(e.conexion().rechazoEscritura());
    e.agregaUsuario("ana", "abc123", "Ana Rojas");
    e.app().forma<Form_Usuario>();
    EXPECT_TRUE(e.mensajes->cajas.empty()) << e.mensajes->textos().join(" / ").toStdString();
}
