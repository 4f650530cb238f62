#pragma once

#include "shell/datos/error_datos.h"
#include "shell/datos/fila.h"
#include "shell/datos/origen_datos.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <functional>
#include <memory>
#include <optional>

class Recordset;

// Which table and key column a recordset writes back to; empty for a
// read-only recordset.
struct TablaEditable {
    QString tabla;
    QString clave;
    bool editable() const { return !tabla.isEmpty(); }
};

// One connection to the database. Values always travel as bound parameters.
// Every failure becomes an ErrorDatos with its cause, a plain message and the
// engine's text. A connection the server dropped is opened again by the next
// statement outside a transaction.
class Conexion : public std::enable_shared_from_this<Conexion> {
public:
    // Opens the database; a new SQLite file is created, readable by its owner
    // only. Throws ErrorDatos, also for a file that is not a database.
    static std::shared_ptr<Conexion> abre(const OrigenDatos& origen);
    // How long a statement waits for another writer, and a server for its
    // connection, before it gives up.
    static constexpr int EsperaMs = 10000;
    static constexpr int EsperaConexionSegundos = 10;
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    // The SQL both SQLite and PostgreSQL speak; an ODBC source leads to one
    // of them.
    enum class Dialecto { SQLite, PostgreSQL };
    Dialecto dialecto() const { return dialecto_; }
    const OrigenDatos& origen() const { return origen_; }
    QSqlDatabase base() const { return QSqlDatabase::database(nombre_, false); }

    // A client-side snapshot of the rows of a query.
    Recordset consulta(const QString& sql, const QVariantList& valores = {},
                       const TablaEditable& edicion = {});
    // Hands the rows of a query to `porFila` one at a time, holding none of
    // them. `porFila` must not use this connection while the rows flow.
    void recorre(const QString& sql, const QVariantList& valores,
                 const std::function<void(const Fila&)>& porFila);
    void ejecuta(const QString& sql, const QVariantList& valores = {});
    // Inserts one row and returns the key the database gave it.
    QVariant inserta(const TablaEditable& tabla, const QStringList& columnas,
                     const QVariantList& valores);
    // Prepares a statement for repeated execution; throws on failure.
    QSqlQuery prepara(const QString& sql);
    void ejecutaPreparada(QSqlQuery& consulta);

    // Transactions nest: the outermost one is the database's transaction,
    // each inner one a savepoint, so an inner failure undoes only its own
    // writes. Prefer the Transaccion guard.
    void comienza();
    void confirma();
    void deshace();
    int profundidadTransaccion() const { return profundidad_; }

    // The refusal a write would meet, when the database (or this user) may
    // not write at all; nothing when writes are allowed. Writes nothing.
    std::optional<ErrorDatos> rechazoEscritura();
    // The SQLite file behind the connection, native or through ODBC; empty
    // for another engine.
    QString archivoSqlite();

    ErrorDatos error(const QString& contexto, const class QSqlError& error) const;
    ErrorDatos error(const QString& contexto, const QSqlQuery& consulta) const;

private:
    Conexion(OrigenDatos origen, QString nombre);
    QSqlQuery ejecutaCon(const QString& sql, const QVariantList& valores);
    std::shared_ptr<const ColumnasFila> columnasDe(const QSqlQuery& consulta) const;
    void ejecutaControl(const QString& sql, const QString& contexto);
    ErrorDatos errorConEstado(const QString& contexto, const QSqlError& error,
                              const QString& estadoOdbc, bool alAbrir = false) const;
    void conecta();
    void aseguraConexion();
    void configura();
    OrigenDatos origen_;
    QString nombre_;
    Dialecto dialecto_ = Dialecto::SQLite;
    int profundidad_ = 0;
    // The server dropped the connection: the next statement opens it again.
    mutable bool perdida_ = false;
};

// Undoes its transaction (or its savepoint, when nested) unless confirmed.
class Transaccion {
public:
    explicit Transaccion(Conexion& conexion) : conexion_(conexion) { conexion_.comienza(); }
    ~Transaccion();
    void confirma();
    Transaccion(const Transaccion&) = delete;
    Transaccion& operator=(const Transaccion&) = delete;

private:
    Conexion& conexion_;
    bool terminada_ = false;
};
