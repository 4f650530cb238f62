#pragma once

#include "platform/fuente_filas.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>
#include <functional>
#include <memory>

// Rows of a FuenteFilas, fetched block by block as the view scrolls; the
// cells the program writes go to an overlay of the rows they touch.
class ModeloGrilla : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int FilasPorBloque = 128;

    using QAbstractTableModel::QAbstractTableModel;

    // Runs each read of the source; it reports a failure and answers false,
    // and the grid then reads no further. Without one, reads run as they are.
    using Ejecutor = std::function<bool(const std::function<void()>&)>;
    void fijaEjecutor(Ejecutor ejecutor) { ejecutor_ = std::move(ejecutor); }

    // Shows a new source: its first block is read at once.
    void reemplaza(std::unique_ptr<FuenteFilas> fuente);
    void fijaEncabezado(int columnaDatos, const QString& texto);
    QString encabezado(int columnaDatos) const;
    // Reads further blocks until the row exists or the source has no more.
    QString celda(int filaDatos, int columnaDatos);
    void fijaCelda(int filaDatos, int columnaDatos, const QString& texto);
    // The row as the source gave it, without the cells the program wrote.
    QStringList filaLeida(int filaDatos) const;
    // Whether the source has no row at all.
    bool vacio() const { return filas_.empty(); }
    bool completo() const { return completo_; }

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    bool canFetchMore(const QModelIndex& padre) const override;
    void fetchMore(const QModelIndex& padre) override;

private:
    QString textoCelda(int filaDatos, int columnaDatos) const;
    static quint64 claveCelda(int fila, int columna) { return (quint64(fila) << 32) | quint32(columna); }

    std::unique_ptr<FuenteFilas> fuente_;
    QStringList columnas_;
    std::vector<QStringList> filas_;
    QHash<quint64, QString> escritas_;
    bool completo_ = true;
    Ejecutor ejecutor_;
};

// The browser grid, addressed as the system addresses it: row 0 is the
// header row, column 0 the fixed row-header column, data rows and columns
// start at 1. Cell writes change only the grid, never the database.
class Grilla : public QTableView {
    Q_OBJECT
public:
    explicit Grilla(QWidget* padre = nullptr);

    // Shows new rows; the current row becomes the first data row, without
    // notifications.
    void enlaza(std::unique_ptr<FuenteFilas> fuente);
    void limpia();
    // A read that fails while the clerk scrolls is reported through the
    // form's protected runner instead of leaving for the event loop.
    void fijaEjecutor(ModeloGrilla::Ejecutor ejecutor) { modelo_.fijaEjecutor(std::move(ejecutor)); }
    bool vacia() const { return modelo_.vacio(); }

    // Row and column counts including the header row and the fixed column;
    // rows only as far as they have been read.
    int filas() const { return modelo_.rowCount() + 1; }
    int columnas() const { return modelo_.columnCount() + 1; }

    QString texto(int fila, int columna) const;
    // Data columns 1 to N of a row as read from its source, before any cell
    // the program wrote; empty for the header or a row not read.
    QStringList filaLeida(int fila) const { return modelo_.filaLeida(fila - 1); }
    void fijaTexto(int fila, int columna, const QString& texto);

    // 0 (the header row) when the grid has no data row.
    int filaActual() const;
    void fijaFilaActual(int fila);
    // Leaves the grid without a current data row, without notifications.
    void quitaFilaActual();

    // Widths in twips, the unit the system's layouts use (15 twips a pixel).
    void fijaAnchoColumna(int columna, int twips);
    int anchoColumna(int columna) const;

signals:
    void Click();
    void RowColChange();

private:
    int anchoDeTitulo(int columnaDatos) const;
    mutable ModeloGrilla modelo_;
    bool enlazando_ = false;
};
