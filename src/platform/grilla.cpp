#include "platform/grilla.h"

#include <QHeaderView>
#include <QScopedValueRollback>

namespace {
constexpr int TwipsPorPixel = 15;
}

void ModeloGrilla::reemplaza(std::unique_ptr<FuenteFilas> fuente)
{
    beginResetModel();
    fuente_ = std::move(fuente);
    columnas_ = fuente_ ? fuente_->columnas() : QStringList();
    filas_.clear();
    escritas_.clear();
    completo_ = !fuente_;
    endResetModel();
    if (fuente_) {
        fetchMore({});
    }
}

bool ModeloGrilla::canFetchMore(const QModelIndex& padre) const
{
    return !padre.isValid() && !completo_;
}

void ModeloGrilla::fetchMore(const QModelIndex& padre)
{
    if (!canFetchMore(padre)) {
        return;
    }
    std::vector<QStringList> bloque;
    const auto lee = [&] { bloque = fuente_->siguientes(FilasPorBloque); };
    if (ejecutor_ && !ejecutor_(lee)) {
        completo_ = true;
        return;
    }
    if (!ejecutor_) {
        lee();
    }
    completo_ = int(bloque.size()) < FilasPorBloque;
    if (bloque.empty()) {
        return;
    }
    const int primera = int(filas_.size());
    beginInsertRows({}, primera, primera + int(bloque.size()) - 1);
    for (QStringList& fila : bloque) {
        filas_.push_back(std::move(fila));
    }
    endInsertRows();
}

void ModeloGrilla::fijaEncabezado(int columnaDatos, const QString& texto)
{
    if (columnaDatos < 0 || columnaDatos >= columnas_.size()) {
        return;
    }
    columnas_[columnaDatos] = texto;
    emit headerDataChanged(Qt::Horizontal, columnaDatos, columnaDatos);
}

QString ModeloGrilla::encabezado(int columnaDatos) const
{
    return columnas_.value(columnaDatos);
}

QString ModeloGrilla::textoCelda(int filaDatos, int columnaDatos) const
{
    if (filaDatos < 0 || filaDatos >= int(filas_.size())) {
        return {};
    }
    const auto escrita = escritas_.constFind(claveCelda(filaDatos, columnaDatos));
    if (escrita != escritas_.constEnd()) {
        return *escrita;
    }
    return filas_[size_t(filaDatos)].value(columnaDatos);
}

QString ModeloGrilla::celda(int filaDatos, int columnaDatos)
{
    while (filaDatos >= int(filas_.size()) && canFetchMore({})) {
        fetchMore({});
    }
    return textoCelda(filaDatos, columnaDatos);
}

QStringList ModeloGrilla::filaLeida(int filaDatos) const
{
    return filaDatos < 0 || filaDatos >= int(filas_.size()) ? QStringList() : filas_[size_t(filaDatos)];
}

void ModeloGrilla::fijaCelda(int filaDatos, int columnaDatos, const QString& texto)
{
    if (filaDatos < 0 || filaDatos >= int(filas_.size()) || columnaDatos < 0 ||
        columnaDatos >= columnas_.size()) {
        return;
    }
    escritas_.insert(claveCelda(filaDatos, columnaDatos), texto);
    const QModelIndex i = index(filaDatos, columnaDatos);
    emit dataChanged(i, i);
}

int ModeloGrilla::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(filas_.size());
}

int ModeloGrilla::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : int(columnas_.size());
}

QVariant ModeloGrilla::data(const QModelIndex& indice, int rol) const
{
    if (rol != Qt::DisplayRole || !indice.isValid()) {
        return {};
    }
    return textoCelda(indice.row(), indice.column());
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

void Grilla::enlaza(std::unique_ptr<FuenteFilas> fuente)
{
    QScopedValueRollback<bool> guarda(enlazando_, true);
    modelo_.reemplaza(std::move(fuente));
    for (int c = 0; c < modelo_.columnCount(); ++c) {
        setColumnWidth(c, qMax(columnWidth(c), anchoDeTitulo(c)));
    }
    if (modelo_.rowCount() > 0) {
        setCurrentIndex(modelo_.index(0, 0));
    }
}

void Grilla::limpia()
{
    enlaza(nullptr);
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
    if (fila < 1) {
        return;
    }
    modelo_.celda(fila - 1, 0);  // reads as far as that row
    if (fila > modelo_.rowCount()) {
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
        setColumnWidth(columna - 1, qMax(pixeles, anchoDeTitulo(columna - 1)));
    }
}

// A column is never narrower than its caption: a header the clerk cannot
// read helps no one.
int Grilla::anchoDeTitulo(int columnaDatos) const
{
    QFont negrita = horizontalHeader()->font();  // the current column's caption is bold
    negrita.setBold(true);
    return QFontMetrics(negrita).horizontalAdvance(modelo_.encabezado(columnaDatos)) + 14;
}

int Grilla::anchoColumna(int columna) const
{
    const int pixeles = columna == 0 ? verticalHeader()->width() : columnWidth(columna - 1);
    return pixeles * TwipsPorPixel;
}
