#include "platform/grilla.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace {
constexpr int TwipsPorPixel = 15;
}

void ModeloGrilla::reemplaza(TablaTextos tabla)
{
    beginResetModel();
    tabla_ = std::move(tabla);
    endResetModel();
}

void ModeloGrilla::fijaEncabezado(int columnaDatos, const QString& texto)
{
    if (columnaDatos < 0 || columnaDatos >= tabla_.columnas.size()) {
        return;
    }
    tabla_.columnas[columnaDatos] = texto;
    emit headerDataChanged(Qt::Horizontal, columnaDatos, columnaDatos);
}

QString ModeloGrilla::encabezado(int columnaDatos) const
{
    return tabla_.columnas.value(columnaDatos);
}

QString ModeloGrilla::celda(int filaDatos, int columnaDatos) const
{
    if (filaDatos < 0 || filaDatos >= int(tabla_.filas.size())) {
        return {};
    }
    return tabla_.filas[size_t(filaDatos)].value(columnaDatos);
}

void ModeloGrilla::fijaCelda(int filaDatos, int columnaDatos, const QString& texto)
{
    if (filaDatos < 0 || filaDatos >= int(tabla_.filas.size()) || columnaDatos < 0 ||
        columnaDatos >= tabla_.columnas.size()) {
        return;
    }
    QStringList& fila = tabla_.filas[size_t(filaDatos)];
    while (fila.size() <= columnaDatos) {
        fila.append(QString());
    }
    fila[columnaDatos] = texto;
    const QModelIndex i = index(filaDatos, columnaDatos);
    emit dataChanged(i, i);
}

int ModeloGrilla::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(tabla_.filas.size());
}

int ModeloGrilla::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(tabla_.columnas.size());
}

QVariant ModeloGrilla::data(const QModelIndex& indice, int rol) const
{
    if (rol != Qt::DisplayRole || !indice.isValid()) {
        return {};
    }
    return celda(indice.row(), indice.column());
}

QVariant ModeloGrilla::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (rol != Qt::DisplayRole) {
        return {};
    }
    return orientacion == Qt::Horizontal ? QVariant(encabezado(seccion)) : QVariant(QString());
}

Grilla::Grilla(QWidget* padre) : QTableView(padre)
{
    setModel(&modelo_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setMinimumSectionSize(1);
    fijaAnchoColumna(0, 100);
    connect(this, &QTableView::clicked, this, &Grilla::Click);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!enlazando_) {
            emit RowColChange();
        }
    });
}

void Grilla::enlaza(TablaTextos tabla)
{
    QScopedValueRollback<bool> guarda(enlazando_, true);
    modelo_.reemplaza(std::move(tabla));
    if (modelo_.rowCount() > 0) {
        setCurrentIndex(modelo_.index(0, 0));
    }
}

QString Grilla::texto(int fila, int columna) const
{
    if (columna <= 0) {
        return {};
    }
    return fila == 0 ? modelo_.encabezado(columna - 1) : modelo_.celda(fila - 1, columna - 1);
}

void Grilla::fijaTexto(int fila, int columna, const QString& texto)
{
    if (columna <= 0) {
        return;
    }
    if (fila == 0) {
        modelo_.fijaEncabezado(columna - 1, texto);
    } else {
        modelo_.fijaCelda(fila - 1, columna - 1, texto);
    }
}

int Grilla::filaActual() const
{
    const QModelIndex actual = currentIndex();
    return actual.isValid() ? actual.row() + 1 : 0;
}

void Grilla::fijaFilaActual(int fila)
{
    if (fila < 1 || fila > modelo_.rowCount()) {
        return;
    }
    const int columna = currentIndex().isValid() ? currentIndex().column() : 0;
    setCurrentIndex(modelo_.index(fila - 1, columna));
}

void Grilla::quitaFilaActual()
{
    QScopedValueRollback<bool> guarda(enlazando_, true);
    selectionModel()->clear();
}

void Grilla::fijaAnchoColumna(int columna, int twips)
{
    const int pixeles = qMax(1, twips / TwipsPorPixel);
    if (columna == 0) {
        verticalHeader()->setFixedWidth(pixeles);
    } else {
        setColumnWidth(columna - 1, pixeles);
    }
}

int Grilla::anchoColumna(int columna) const
{
    const int pixeles = columna == 0 ? verticalHeader()->width() : columnWidth(columna - 1);
    return pixeles * TwipsPorPixel;
}
