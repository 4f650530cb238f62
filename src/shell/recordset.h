#pragma once

#include "platform/grilla.h"
#include "shell/conexion.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// A client-side snapshot of a query's rows: every row is read at open, so
// recordCount() is exact. Fields are read and written by column name, with
// names compared without case (PostgreSQL folds them to lower case).
class Recordset {
public:
    Recordset() = default;
    Recordset(std::shared_ptr<Conexion> conexion, TablaEditable edicion, QStringList columnas,
              std::vector<QVariantList> filas);

    bool abierto() const { return abierto_; }
    int recordCount() const { return int(filas_.size()); }
    bool eof() const { return actual_ >= recordCount(); }
    void moveFirst() { actual_ = 0; }
    void moveNext();

    const QStringList& columnas() const { return columnas_; }
    bool tieneColumna(const QString& columna) const;
    // The value of the current row; throws ErrorDatos without a current row or
    // for an unknown column.
    QVariant valor(const QString& columna) const;
    // The value as the forms show it: null as empty text, dates as dd-MM-yyyy.
    QString texto(const QString& columna) const;
    static QString comoTexto(const QVariant& valor);

    // Changes of the current row (or of the row begun by addNew()) until
    // update() stores them.
    void addNew();
    void asigna(const QString& columna, const QVariant& valor);
    void update();
    void close();

    // Every row as text, for a grid.
    TablaTextos comoTextos() const;

private:
    int indice(const QString& columna) const;
    QVariantList& filaActual();
    const QVariantList& filaActual() const;

    std::shared_ptr<Conexion> conexion_;
    TablaEditable edicion_;
    QStringList columnas_;
    QHash<QString, int> indices_;
    std::vector<QVariantList> filas_;
    int actual_ = 0;
    bool abierto_ = false;
    bool nueva_ = false;
    QHash<int, QVariant> cambios_;
};
