#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariant>
#include <memory>

// The columns of a query's rows: their names, compared without case
// (PostgreSQL folds them to lower case), and which of them hold dates.
class ColumnasFila {
public:
    explicit ColumnasFila(QStringList nombres, QList<bool> fechas = {});

    const QStringList& nombres() const { return nombres_; }
    int cantidad() const { return int(nombres_.size()); }
    // -1 for a name the rows do not have.
    int indice(const QString& nombre) const;
    bool esFecha(int indice) const { return fechas_.value(indice, false); }

private:
    QStringList nombres_;
    QStringList minusculas_;
    QList<bool> fechas_;
};

// One row of a query, read by column name.
class Fila {
public:
    Fila() = default;
    Fila(std::shared_ptr<const ColumnasFila> columnas, QVariantList valores);
    // A row of the given columns and values, in that order; for fixtures and
    // for rows assembled by the program.
    static Fila de(const QList<QPair<QString, QVariant>>& valores);

    const ColumnasFila& columnas() const { return *columnas_; }
    const QVariantList& valores() const { return valores_; }
    bool tieneColumna(const QString& columna) const;
    // Throws ErrorDatos for a column the row does not have.
    QVariant valor(const QString& columna) const;
    // The value as the forms show it: null as empty text, a date column as
    // dd-mm-yyyy whatever the engine hands back.
    QString texto(const QString& columna) const;
    QString texto(int indice) const;

private:
    int indice(const QString& columna) const;

    std::shared_ptr<const ColumnasFila> columnas_ = std::make_shared<ColumnasFila>(QStringList{});
    QVariantList valores_;
};

// The text of a stored value: null as empty text; for a date column (or a
// date value) dd-mm-yyyy, also when SQLite hands the date back as ISO text.
QString TextoValor(const QVariant& valor, bool columnaFecha);
