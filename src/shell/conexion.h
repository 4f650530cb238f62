#pragma once

#include "shell/error_datos.h"
#include "shell/origen_datos.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <memory>

class Recordset;

// Which table and key column a recordset writes back to; empty for a
// read-only recordset.
struct TablaEditable {
    QString tabla;
    QString clave;
    bool editable() const { return !tabla.isEmpty(); }
};

// One connection to the database. Values always travel as bound parameters.
// Every failure becomes an ErrorDatos carrying the engine's text.
class Conexion : public std::enable_shared_from_this<Conexion> {
public:
    // Opens the database; a new SQLite file is created. Throws ErrorDatos.
    static std::shared_ptr<Conexion> abre(const OrigenDatos& origen);
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
    void ejecuta(const QString& sql, const QVariantList& valores = {});
    // Prepares a statement for repeated execution; throws on failure.
    QSqlQuery prepara(const QString& sql);
    void ejecutaPreparada(QSqlQuery& consulta);

    // Transactions; a write that spans several statements is one of them.
    void comienza();
    void confirma();
    void deshace();

    ErrorDatos error(const QString& contexto, const class QSqlError& error) const;

private:
    Conexion(OrigenDatos origen, QString nombre);
    QSqlQuery ejecutaCon(const QString& sql, const QVariantList& valores);
    void configuraSqlite();
    OrigenDatos origen_;
    QString nombre_;
    Dialecto dialecto_ = Dialecto::SQLite;
};

// Undoes its transaction unless confirmed.
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
