#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <vector>

// Rows of text with their column names, as a grid shows them.
struct TablaTextos {
    QStringList columnas;
    std::vector<QStringList> filas;
};

class ModeloGrilla : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void reemplaza(TablaTextos tabla);
    void fijaEncabezado(int columnaDatos, const QString& texto);
    QString encabezado(int columnaDatos) const;
    QString celda(int filaDatos, int columnaDatos) const;
    void fijaCelda(int filaDatos, int columnaDatos, const QString& texto);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;

private:
    TablaTextos tabla_;
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
    void enlaza(TablaTextos tabla);
    void limpia() { enlaza({}); }

    // Row and column counts including the header row and the fixed column.
    int filas() const { return modelo_.rowCount() + 1; }
    int columnas() const { return modelo_.columnCount() + 1; }

    QString texto(int fila, int columna) const;
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
    ModeloGrilla modelo_;
    bool enlazando_ = false;
};
