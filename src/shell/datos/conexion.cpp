#include "shell/datos/conexion.h"

#include "shell/datos/falla_motor.h"
#include "shell/datos/mayusculas_sqlite.h"
#include "shell/datos/recordset.h"

#include <QSqlField>
#include <QSqlResult>

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {

QString nuevoNombreConexion()
{
    static QAtomicInt contador;
    return QStringLiteral("licencias-%1").arg(contador.fetchAndAddRelaxed(1) + 1);
}

sqlite3* manejadorSqlite(const QSqlDatabase& base)
{
    const QVariant manejador = base.driver()->handle();
    if (!manejador.isValid() || qstrcmp(manejador.typeName(), "sqlite3*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3* const*>(manejador.data());
}

sqlite3_stmt* sentenciaSqlite(const QSqlQuery& consulta)
{
    const QVariant manejador = consulta.result() ? consulta.result()->handle() : QVariant();
    if (!manejador.isValid() || qstrcmp(manejador.typeName(), "sqlite3_stmt*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3_stmt* const*>(manejador.data());
}

bool esSqliteNativo(const QSqlDatabase& base)
{
    return base.driverName() == QLatin1String("QSQLITE");
}

bool esOdbc(const QSqlDatabase& base)
{
    return base.driverName() == QLatin1String("QODBC");
}

// A new SQLite file is made here, readable by its owner only, before the
// engine writes to it (its journals take the same mode). A mistyped folder
// is reported, not created: the data would land where nobody looks for it.
void preparaArchivoSqlite(const OrigenDatos& origen)
{
    const QFileInfo info(origen.ruta);
    if (!info.absoluteDir().exists()) {
        throw ErrorDatos(QStringLiteral("No existe la carpeta %1 de la base de datos %2. "
                                        "Revise la ruta indicada en --db o LICENCIAS_DB.")
                             .arg(QDir::toNativeSeparators(info.absolutePath()), origen.descripcion()),
                         CausaDatos::NoSePuedeAbrir);
    }
    if (info.exists()) {
        return;
    }
    QFile archivo(origen.ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                      QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        throw ErrorDatos(QStringLiteral("No fue posible crear la base de datos %1: su carpeta no "
                                        "admite escritura para este usuario.\nPida al personal de "
                                        "informática permiso de escritura sobre la carpeta, o "
                                        "indique otra con --db.\n\nDetalle: %2")
                             .arg(origen.nombreVisible(), archivo.errorString()),
                         CausaDatos::NoSePuedeAbrir);
    }
}

QSqlDatabase defineBase(const OrigenDatos& origen, const QString& nombre)
{
    QSqlDatabase base;
    switch (origen.motor) {
    case OrigenDatos::Motor::SQLite:
        base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        base.setDatabaseName(origen.ruta);
        base.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(Conexion::EsperaMs));
        break;
    case OrigenDatos::Motor::PostgreSQL: {
        base = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre);
        base.setHostName(origen.servidor);
        if (origen.puerto > 0) {
            base.setPort(origen.puerto);
        }
        base.setDatabaseName(origen.base);
        base.setUserName(origen.usuario);
        base.setPassword(origen.clave);
        // A server that does not answer must not hold the clerk forever.
        QString opciones = origen.opciones;
        if (!opciones.contains(QLatin1String("connect_timeout"))) {
            opciones = QStringLiteral("connect_timeout=%1;").arg(Conexion::EsperaConexionSegundos) +
                       opciones;
        }
        base.setConnectOptions(opciones);
        break;
    }
    case OrigenDatos::Motor::ODBC:
        base = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
        base.setDatabaseName(origen.ruta);
        break;
    }
    return base;
}

QString contextoApertura(const OrigenDatos& origen)
{
    return QStringLiteral("No fue posible abrir la base de datos %1").arg(origen.descripcion());
}

}  // namespace

Conexion::Conexion(OrigenDatos origen, QString nombre)
    : origen_(std::move(origen)), nombre_(std::move(nombre))
{
}

std::shared_ptr<Conexion> Conexion::abre(const OrigenDatos& origen)
{
    std::shared_ptr<Conexion> conexion(new Conexion(origen, nuevoNombreConexion()));
    if (origen.motor == OrigenDatos::Motor::SQLite) {
        preparaArchivoSqlite(origen);
    }
    if (!defineBase(origen, conexion->nombre_).isValid()) {
        throw ErrorDatos(QStringLiteral("No está instalado el controlador de base de datos para %1")
                             .arg(origen.descripcion()));
    }
    conexion->conecta();
    return conexion;
}

void Conexion::conecta()
{
    QSqlDatabase b = base();
    if (!b.open()) {
        throw errorConEstado(contextoApertura(origen_), b.lastError(), QString(), true);
    }
    perdida_ = false;
    if (origen_.motor == OrigenDatos::Motor::PostgreSQL) {
        dialecto_ = Dialecto::PostgreSQL;
    } else if (origen_.motor == OrigenDatos::Motor::ODBC) {
        QSqlQuery prueba(b);
        dialecto_ = prueba.exec(QStringLiteral("SELECT sqlite_version()")) ? Dialecto::SQLite
                                                                            : Dialecto::PostgreSQL;
    }
    configura();
}

void Conexion::configura()
{
    sqlite3* manejador = manejadorSqlite(base());
    if (manejador) {
        sqlite3_extended_result_codes(manejador, 1);
    }
    if (dialecto_ == Dialecto::PostgreSQL) {
        // A writer waits for another one as long as on SQLite, then gives up.
        ejecutaControl(QStringLiteral("SET lock_timeout = %1").arg(EsperaMs), contextoApertura(origen_));
        return;
    }
    // SQLite opens any file; the first read tells whether it is a database.
    ejecutaControl(QStringLiteral("SELECT count(*) FROM sqlite_master"), contextoApertura(origen_));
    // Readers do not wait for a writer, and a writer waits its turn for the
    // busy timeout, when two connections share the file.
    // A driver may run a statement only when its row is fetched.
    for (const QString& pragma : {QStringLiteral("PRAGMA journal_mode=WAL"),
                                  QStringLiteral("PRAGMA busy_timeout = %1").arg(EsperaMs)}) {
        QSqlQuery consulta(base());
        if (consulta.exec(pragma)) {
            consulta.next();
        }
    }
    if (manejador) {
        RegistraMayusculasUnicode(manejador);
    }
}

void Conexion::aseguraConexion()
{
    if (!perdida_ && base().isOpen()) {
        return;
    }
    if (profundidad_ > 0) {
        throw ErrorDatos(MensajeFalla(CausaDatos::SinServidor, origen_, QString(),
                                      QStringLiteral("la conexión se perdió durante la transacción")),
                         CausaDatos::SinServidor);
    }
    base().close();
    conecta();
}

Conexion::~Conexion()
{
    {
        QSqlDatabase base = QSqlDatabase::database(nombre_, false);
        if (base.isOpen()) {
            base.close();
        }
    }
    QSqlDatabase::removeDatabase(nombre_);
}

ErrorDatos Conexion::error(const QString& contexto, const QSqlError& error) const
{
    const QSqlDatabase b = base();
    return errorConEstado(contexto, error,
                          esOdbc(b) ? EstadoOdbc(b.driver()->handle(), false) : QString());
}

ErrorDatos Conexion::error(const QString& contexto, const QSqlQuery& consulta) const
{
    const QString estado = esOdbc(base()) && consulta.result()
                               ? EstadoOdbc(consulta.result()->handle(), true)
                               : QString();
    return errorConEstado(contexto, consulta.lastError(), estado);
}

ErrorDatos Conexion::errorConEstado(const QString& contexto, const QSqlError& error,
                                    const QString& estadoOdbc, bool alAbrir) const
{
    FallaMotor falla;
    falla.sqlite = dialecto_ == Dialecto::SQLite;
    falla.codigo = error.nativeErrorCode();
    falla.estado = estadoOdbc;
    falla.texto = error.text();
    falla.alAbrir = alAbrir;
    CausaDatos causa = ClasificaFalla(falla, origen_.motor);
    // A server connection that closed itself says nothing more.
    if (causa == CausaDatos::Otra && origen_.motor != OrigenDatos::Motor::SQLite &&
        !base().isOpen()) {
        causa = CausaDatos::SinServidor;
    }
    if (causa == CausaDatos::SinServidor) {
        perdida_ = true;
    }
    return ErrorDatos(MensajeFalla(causa, origen_, contexto, error.text()), causa);
}

std::optional<ErrorDatos> Conexion::rechazoEscritura()
{
    if (sqlite3* manejador = manejadorSqlite(base())) {
        if (sqlite3_db_readonly(manejador, "main") == 1) {
            return ErrorDatos(MensajeFalla(CausaDatos::SoloLectura, origen_, QString(), QString()),
                              CausaDatos::SoloLectura);
        }
        return std::nullopt;
    }
    // A statement that would write, and changes no row.
    try {
        ejecuta(QStringLiteral("UPDATE TVersion SET Version = Version WHERE 1 = 0"));
    } catch (const ErrorDatos& e) {
        if (e.causa() == CausaDatos::SoloLectura) {
            return e;
        }
    }
    return std::nullopt;
}

QString Conexion::archivoSqlite()
{
    if (dialecto_ != Dialecto::SQLite) {
        return {};
    }
    QString archivo;
    recorre(QStringLiteral("PRAGMA database_list"), {}, [&archivo](const Fila& f) {
        if (f.texto(QStringLiteral("name")) == QLatin1String("main")) {
            archivo = f.texto(QStringLiteral("file"));
        }
    });
    return archivo;
}

std::shared_ptr<const ColumnasFila> Conexion::columnasDe(const QSqlQuery& consulta) const
{
    const QSqlRecord registro = consulta.record();
    sqlite3_stmt* sentencia = sentenciaSqlite(consulta);
    QStringList nombres;
    QList<bool> fechas;
    for (int i = 0; i < registro.count(); ++i) {
        nombres << registro.fieldName(i);
        // SQLite hands dates back as text; its declared type tells them apart.
        const char* declarado = sentencia ? sqlite3_column_decltype(sentencia, i) : nullptr;
        fechas << (registro.field(i).metaType().id() == QMetaType::QDate ||
                   (declarado && qstricmp(declarado, "DATE") == 0));
    }
    return std::make_shared<ColumnasFila>(nombres, fechas);
}

Recordset Conexion::consulta(const QString& sql, const QVariantList& valores,
                             const TablaEditable& edicion)
{
    std::vector<Fila> filas;
    std::shared_ptr<const ColumnasFila> columnas;
    QSqlQuery consulta = ejecutaCon(sql, valores);
    columnas = columnasDe(consulta);
    while (consulta.next()) {
        QVariantList valoresFila;
        valoresFila.reserve(columnas->cantidad());
        for (int i = 0; i < columnas->cantidad(); ++i) {
            valoresFila << consulta.value(i);
        }
        filas.emplace_back(columnas, std::move(valoresFila));
    }
    if (consulta.lastError().isValid()) {
        throw error(QStringLiteral("Error al leer los datos"), consulta);
    }
    return Recordset(shared_from_this(), edicion, columnas, std::move(filas));
}

void Conexion::recorre(const QString& sql, const QVariantList& valores,
                       const std::function<void(const Fila&)>& porFila)
{
    QSqlQuery consulta = ejecutaCon(sql, valores);
    const auto columnas = columnasDe(consulta);
    QVariantList valoresFila;
    while (consulta.next()) {
        valoresFila.clear();
        for (int i = 0; i < columnas->cantidad(); ++i) {
            valoresFila << consulta.value(i);
        }
        porFila(Fila(columnas, valoresFila));
    }
    if (consulta.lastError().isValid()) {
        throw error(QStringLiteral("Error al leer los datos"), consulta);
    }
}

QVariant Conexion::inserta(const TablaEditable& tabla, const QStringList& columnas,
                           const QVariantList& valores)
{
    // SQLite's ODBC driver drops the rows of an INSERT ... RETURNING; the
    // connection's last row id is the same key.
    const bool retorna = !(dialecto_ == Dialecto::SQLite && esOdbc(base()));
    QString sql =
        columnas.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tabla.tabla)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(tabla.tabla, columnas.join(QStringLiteral(", ")),
                       QStringList(columnas.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    if (retorna) {
        sql += QStringLiteral(" RETURNING ") + tabla.clave;
    }
    QSqlQuery consulta = ejecutaCon(sql, valores);
    if (!retorna) {
        consulta = ejecutaCon(QStringLiteral("SELECT last_insert_rowid()"), {});
    }
    if (consulta.next() && !consulta.value(0).isNull()) {
        return consulta.value(0);
    }
    // Without its key the row could not be written back: better said now.
    throw ErrorDatos(MensajeFalla(CausaDatos::Otra, origen_,
                                  QStringLiteral("La base de datos no devolvió la clave de la fila "
                                                 "nueva de %1")
                                      .arg(tabla.tabla),
                                  QString()));
}

void Conexion::ejecuta(const QString& sql, const QVariantList& valores)
{
    ejecutaCon(sql, valores);
}

QSqlQuery Conexion::ejecutaCon(const QString& sql, const QVariantList& valores)
{
    aseguraConexion();
    // PostgreSQL prepares statements on the server, and it cannot prepare
    // table definitions: a statement without values runs as it is.
    if (valores.isEmpty()) {
        QSqlQuery consulta(base());
        consulta.setForwardOnly(true);
        if (!consulta.exec(sql)) {
            throw error(QStringLiteral("La base de datos rechazó la instrucción"),
                        consulta);
        }
        return consulta;
    }
    QSqlQuery consulta = prepara(sql);
    consulta.setForwardOnly(true);
    for (int i = 0; i < valores.size(); ++i) {
        consulta.bindValue(i, valores[i]);
    }
    ejecutaPreparada(consulta);
    return consulta;
}

QSqlQuery Conexion::prepara(const QString& sql)
{
    aseguraConexion();
    QSqlQuery consulta(base());
    if (!consulta.prepare(sql)) {
        throw error(QStringLiteral("La base de datos rechazó la instrucción"),
                    consulta);
    }
    return consulta;
}

void Conexion::ejecutaPreparada(QSqlQuery& consulta)
{
    if (!consulta.exec()) {
        throw error(QStringLiteral("La base de datos rechazó la instrucción"),
                    consulta);
    }
}

void Conexion::ejecutaControl(const QString& sql, const QString& contexto)
{
    QSqlQuery q(base());
    if (!q.exec(sql)) {
        throw error(contexto, q);
    }
}

void Conexion::comienza()
{
    const QString contexto = QStringLiteral("No fue posible iniciar la transacción");
    if (profundidad_ == 0) {
        aseguraConexion();
    }
    if (profundidad_ > 0) {
        ejecutaControl(QStringLiteral("SAVEPOINT nivel%1").arg(profundidad_), contexto);
    } else if (esSqliteNativo(base())) {
        // A deferred SQLite transaction that reads and then writes fails at
        // once under concurrency; an immediate one waits for the busy timeout.
        ejecutaControl(QStringLiteral("BEGIN IMMEDIATE"), contexto);
    } else if (QSqlDatabase b = base(); !b.transaction()) {
        throw error(contexto, b.lastError());
    }
    ++profundidad_;
}

void Conexion::confirma()
{
    if (profundidad_ == 0) {
        throw ErrorDatos(QStringLiteral("No hay una transacción que confirmar"));
    }
    const QString contexto = QStringLiteral("No fue posible confirmar la transacción");
    if (profundidad_ > 1) {
        ejecutaControl(QStringLiteral("RELEASE SAVEPOINT nivel%1").arg(profundidad_ - 1), contexto);
    } else if (esSqliteNativo(base())) {
        ejecutaControl(QStringLiteral("COMMIT"), contexto);
    } else if (QSqlDatabase b = base(); !b.commit()) {
        throw error(contexto, b.lastError());
    }
    --profundidad_;
}

void Conexion::deshace()
{
    if (profundidad_ == 0) {
        return;
    }
    --profundidad_;
    QSqlDatabase b = base();
    if (profundidad_ > 0) {
        const QString punto = QStringLiteral("nivel%1").arg(profundidad_);
        QSqlQuery(b).exec(QStringLiteral("ROLLBACK TO SAVEPOINT ") + punto);
        QSqlQuery(b).exec(QStringLiteral("RELEASE SAVEPOINT ") + punto);
    } else if (esSqliteNativo(b)) {
        QSqlQuery(b).exec(QStringLiteral("ROLLBACK"));
    } else if (!b.rollback()) {
        // The engine had already ended the transaction (SQLite does on a
        // full disk) and the driver kept its transaction mode: the next
        // statement starts on a fresh connection.
        perdida_ = true;
    }
}

Transaccion::~Transaccion()
{
    if (!terminada_) {
        conexion_.deshace();
    }
}

void Transaccion::confirma()
{
    conexion_.confirma();
    terminada_ = true;
}
