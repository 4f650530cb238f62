#include "entorno.h"

#include "register/almacen_licencias.h"
#include "register/columnas_licencia.h"
#include "app/acciones_menu.h"
#include "app/esquema_sistema.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <gtest/gtest.h>

namespace {

// LICENCIAS_PRUEBA_DB names another database for the tests (such as a
// PostgreSQL server); its tables are dropped and made anew by every
// test, so such a run goes one test at a time.
OrigenDatos origenDePrueba(const QString& carpeta)
{
    const QString otra = qEnvironmentVariable("LICENCIAS_PRUEBA_DB");
    if (otra.isEmpty()) {
        return OrigenDatos::sqlite(QDir(carpeta).filePath("prueba.sqlite"));
    }
    QString error;
    const auto origen = OrigenDatos::interpreta(otra, &error);
    if (!origen) {
        ADD_FAILURE() << error.toStdString();
        return OrigenDatos::sqlite(QDir(carpeta).filePath("prueba.sqlite"));
    }
    return *origen;
}

void vaciaBase(Conexion& conexion)
{
    for (const char* tabla :
         {"TLicencias", "AuxTLicencias", "TUsuarios", "TJefe", "TMedicos", "TBitacora", "TVersion"}) {
        conexion.ejecuta(QStringLiteral("DROP TABLE IF EXISTS %1").arg(tabla));
    }
}

}  // namespace

Entorno::Entorno() : origen_(origenDePrueba(carpeta_.path()))
{
    inicia(true);
    if (origen_.motor != OrigenDatos::Motor::SQLite) {
        vaciaBase(app_->conexion());
    }
    PreparaEsquema(app_->conexion());
}

Entorno::Entorno(const OrigenDatos& origen, bool abre) : origen_(origen)
{
    inicia(abre);
    if (abre) {
        PreparaEsquema(app_->conexion());
    }
}

void Entorno::inicia(bool abre)
{
    Servicios servicios;
    auto m = std::make_unique<MensajesFalsos>();
    auto v = std::make_unique<VentanasFalsas>();
    auto r = std::make_unique<RelojFijo>();
    auto rs = std::make_unique<RelojSistemaFalso>();
    auto p = std::make_unique<ProcesosFalsos>();
    auto i = std::make_unique<SuperficieGrabadora>();
    mensajes = m.get();
    ventanas = v.get();
    reloj = r.get();
    relojSistema = rs.get();
    procesos = p.get();
    impresora = i.get();
    servicios.mensajes = std::move(m);
    servicios.ventanas = std::move(v);
    servicios.reloj = std::move(r);
    servicios.relojSistema = std::move(rs);
    servicios.procesos = std::move(p);
    servicios.impresora = std::move(i);
    app_ = std::make_unique<Aplicacion>(std::move(servicios), origen_, carpeta_.path());
    InstalaAcciones(*app_);
    if (abre) {
        app_->AbreConexion();
    }
}

Entorno::~Entorno()
{
    app_.reset();
    procesaEliminaciones();
}

void Entorno::procesaEliminaciones()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

FlagsAcceso Entorno::todosLosAccesos()
{
    FlagsAcceso a;
    a.fill(1);
    return a;
}

void Entorno::agregaUsuario(const QString& usuario, const QString& clave, const QString& nombre,
                            FlagsAcceso accesos)
{
    AgregaUsuario(conexion(), Usuario{usuario, nombre, accesos}, clave);
}

void Entorno::agregaMedico(const QString& nombre)
{
    conexion().ejecuta(QStringLiteral("INSERT INTO TMedicos (Nombres) VALUES (?)"), {nombre});
}

void Entorno::fijaJefe(const QString& nombre)
{
    conexion().ejecuta(QStringLiteral("INSERT INTO TJefe (Usuario) VALUES (?)"), {nombre});
}

void Entorno::agregaLicencia(const QMap<QString, QVariant>& valores)
{
    QVariantList fila;
    for (int posicion = 1; posicion <= NumeroColumnasLicencia; ++posicion) {
        fila << QVariant();
    }
    for (auto it = valores.cbegin(); it != valores.cend(); ++it) {
        const int posicion = PosicionColumna(it.key());
        if (posicion == 0) {
            ADD_FAILURE() << "Columna desconocida " << it.key().toStdString();
            continue;
        }
        fila[posicion - 1] = it.value();
    }
    AgregaLicencias(conexion(), {fila});
}
