#pragma once

#include "shell/datos/conexion.h"
#include "shell/datos/fila.h"

#include <QHash>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// A client-side snapshot of a query's rows: every row is read at open, so
// recordCount() is exact. For small results (a folio, the physicians, the
// users); large ones are streamed with Conexion::recorre or read in blocks.
// Fields are read and written by column name, compared without case.
class Recordset {
public:
    Recordset() = default;
    Recordset(std::shared_ptr<Conexion> conexion, TablaEditable edicion,
              std::shared_ptr<const ColumnasFila> columnas, std::vector<Fila> filas);

    bool abierto() const { return abierto_; }
    int recordCount() const { return int(filas_.size()); }
    bool eof() const { return actual_ >= recordCount(); }
    void moveFirst() { actual_ = 0; }
    void moveNext();

    const QStringList& columnas() const { return columnas_->nombres(); }
    bool tieneColumna(const QString& columna) const;
    // The current row; throws ErrorDatos when there is none.
    const Fila& fila() const;
    // The value of the current row; throws ErrorDatos without a current row or
    // for an unknown column.
    QVariant valor(const QString& columna) const;
    // The value as the forms show it: null as empty text, dates as dd-mm-yyyy.
    QString texto(const QString& columna) const;

    // Changes of the current row (or of the row begun by addNew()) until
    // update() stores them, through this recordset's connection.
    void addNew();
    void asigna(const QString& columna, const QVariant& valor);
    void update();
    void close();

private:
    int indice(const QString& columna) const;

    std::shared_ptr<Conexion> conexion_;
    TablaEditable edicion_;
    std::shared_ptr<const ColumnasFila> columnas_ = std::make_shared<ColumnasFila>(QStringList{});
    std::vector<Fila> filas_;
    int actual_ = 0;
    bool abierto_ = false;
    bool nueva_ = false;
    QHash<int, QVariant> cambios_;
};
