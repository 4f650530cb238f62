#include "shell/datos/conexion.h"

#include "shell/datos/recordset.h"

#include <QSqlField>
#include <QSqlResult>

#include <QAtomicInt>
#include <QDir>
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

// SQLite's own upper() folds ASCII letters only; this one folds every letter
// as PostgreSQL does, so a search compares the same way on both engines.
void mayusculasUnicode(sqlite3_context* contexto, int, sqlite3_value** argumentos)
{
    if (sqlite3_value_type(argumentos[0]) == SQLITE_NULL) {
        sqlite3_result_null(contexto);
        return;
    }
    const auto* texto = reinterpret_cast<const char*>(sqlite3_value_text(argumentos[0]));
    const QByteArray mayusculas =
        QString::fromUtf8(texto, sqlite3_value_bytes(argumentos[0])).toUpper().toUtf8();
    sqlite3_result_text(contexto, mayusculas.constData(), int(mayusculas.size()),
                        SQLITE_TRANSIENT);
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

}  // namespace

Conexion::Conexion(OrigenDatos origen, QString nombre)
    : origen_(std::move(origen)), nombre_(std::move(nombre))
{
}

std::shared_ptr<Conexion> Conexion::abre(const OrigenDatos& origen)
{
    const QString nombre = nuevoNombreConexion();
    std::shared_ptr<Conexion> conexion(new Conexion(origen, nombre));
    QSqlDatabase base;
    switch (origen.motor) {
    case OrigenDatos::Motor::SQLite:
        // A mistyped folder is reported, not created: the data would land
        // where nobody looks for it.
        if (!QFileInfo(origen.ruta).absoluteDir().exists()) {
            throw ErrorDatos(QStringLiteral("No existe la carpeta %1 de la base de datos %2. "
                                            "Revise la ruta indicada en --db o LICENCIAS_DB.")
                                 .arg(QDir::toNativeSeparators(QFileInfo(origen.ruta).absolutePath()),
                                      origen.descripcion()));
        }
        base = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nombre);
        base.setDatabaseName(origen.ruta);
        base.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
        break;
    case OrigenDatos::Motor::PostgreSQL:
        base = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre);
        base.setHostName(origen.servidor);
        if (origen.puerto > 0) {
            base.setPort(origen.puerto);
        }
        base.setDatabaseName(origen.base);
        base.setUserName(origen.usuario);
        base.setPassword(origen.clave);
        break;
    case OrigenDatos::Motor::ODBC:
        base = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nombre);
        base.setDatabaseName(origen.ruta);
        break;
    }
    if (!base.isValid()) {
        throw ErrorDatos(QStringLiteral("No está instalado el controlador de base de datos para %1")
                             .arg(origen.descripcion()));
    }
    if (!base.open()) {
        throw conexion->error(QStringLiteral("No fue posible abrir la base de datos %1")
                                  .arg(origen.descripcion()),
                              base.lastError());
    }
    if (origen.motor == OrigenDatos::Motor::PostgreSQL) {
        conexion->dialecto_ = Dialecto::PostgreSQL;
    } else if (origen.motor == OrigenDatos::Motor::ODBC) {
        QSqlQuery prueba(base);
        conexion->dialecto_ = prueba.exec(QStringLiteral("SELECT sqlite_version()"))
                                  ? Dialecto::SQLite
                                  : Dialecto::PostgreSQL;
    }
    conexion->configuraSqlite();
    return conexion;
}

void Conexion::configuraSqlite()
{
    sqlite3* manejador = manejadorSqlite(base());
    if (!manejador) {
        return;
    }
    sqlite3_extended_result_codes(manejador, 1);
    // Readers do not wait for a writer, and a writer waits its turn for the
    // busy timeout, when two connections share the file.
    QSqlQuery(base()).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    sqlite3_create_function_v2(manejador, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                               nullptr, mayusculasUnicode, nullptr, nullptr, nullptr);
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
    const QString codigo = error.nativeErrorCode();
    const bool duplicada = codigo == QLatin1String("2067") || codigo == QLatin1String("1555") ||
                           codigo == QLatin1String("23505");
    QString texto = contexto;
    const QString motor = error.text().trimmed();
    if (!motor.isEmpty()) {
        texto += QStringLiteral("\n\n") + motor;
    }
    return ErrorDatos(texto, duplicada);
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
        throw error(QStringLiteral("Error al leer los datos"), consulta.lastError());
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
        throw error(QStringLiteral("Error al leer los datos"), consulta.lastError());
    }
}

QVariant Conexion::inserta(const TablaEditable& tabla, const QStringList& columnas,
                           const QVariantList& valores)
{
    const QString sql =
        columnas.isEmpty()
            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2").arg(tabla.tabla, tabla.clave)
            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                  .arg(tabla.tabla, columnas.join(QStringLiteral(", ")),
                       QStringList(columnas.size(), QStringLiteral("?")).join(QStringLiteral(", ")),
                       tabla.clave);
    QSqlQuery consulta = ejecutaCon(sql, valores);
    return consulta.next() ? consulta.value(0) : QVariant();
}

void Conexion::ejecuta(const QString& sql, const QVariantList& valores)
{
    ejecutaCon(sql, valores);
}

QSqlQuery Conexion::ejecutaCon(const QString& sql, const QVariantList& valores)
{
    // PostgreSQL prepares statements on the server, and it cannot prepare
    // table definitions: a statement without values runs as it is.
    if (valores.isEmpty()) {
        QSqlQuery consulta(base());
        consulta.setForwardOnly(true);
        if (!consulta.exec(sql)) {
            throw error(QStringLiteral("La base de datos rechazó la instrucción"),
                        consulta.lastError());
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
    QSqlQuery consulta(base());
    if (!consulta.prepare(sql)) {
        throw error(QStringLiteral("La base de datos rechazó la instrucción"),
                    consulta.lastError());
    }
    return consulta;
}

void Conexion::ejecutaPreparada(QSqlQuery& consulta)
{
    if (!consulta.exec()) {
        throw error(QStringLiteral("La base de datos rechazó la instrucción"),
                    consulta.lastError());
    }
}

void Conexion::ejecutaControl(const QString& sql, const QString& contexto)
{
    QSqlQuery q(base());
    if (!q.exec(sql)) {
        throw error(contexto, q.lastError());
    }
}

void Conexion::comienza()
{
    const QString contexto = QStringLiteral("No fue posible iniciar la transacción");
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
    } else {
        b.rollback();
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
