#include "shell/datos/fila.h"

#include "shell/datos/error_datos.h"

#include <QDate>
#include <QDateTime>

ColumnasFila::ColumnasFila(QStringList nombres, QList<bool> fechas)
    : nombres_(std::move(nombres)), fechas_(std::move(fechas))
{
    for (const QString& n : nombres_) {
        minusculas_ << n.toLower();
    }
}

int ColumnasFila::indice(const QString& nombre) const
{
    return int(minusculas_.indexOf(nombre.toLower()));
}

Fila::Fila(std::shared_ptr<const ColumnasFila> columnas, QVariantList valores)
    : columnas_(std::move(columnas)), valores_(std::move(valores))
{
}

Fila Fila::de(const QList<QPair<QString, QVariant>>& valores)
{
    QStringList nombres;
    QList<bool> fechas;
    QVariantList datos;
    for (const auto& [nombre, valor] : valores) {
        nombres << nombre;
        fechas << (valor.typeId() == QMetaType::QDate);
        datos << valor;
    }
    return Fila(std::make_shared<ColumnasFila>(nombres, fechas), datos);
}

bool Fila::tieneColumna(const QString& columna) const
{
    return columnas_->indice(columna) >= 0;
}

int Fila::indice(const QString& columna) const
{
    const int i = columnas_->indice(columna);
    if (i < 0) {
        throw ErrorDatos(QStringLiteral("La columna %1 no existe en la consulta").arg(columna));
    }
    return i;
}

QVariant Fila::valor(const QString& columna) const
{
    return valores_.value(indice(columna));
}

QString Fila::texto(const QString& columna) const
{
    return texto(indice(columna));
}

QString Fila::texto(int i) const
{
    return TextoValor(valores_.value(i), columnas_->esFecha(i));
}

QString TextoValor(const QVariant& valor, bool columnaFecha)
{
    if (valor.isNull()) {
        return {};
    }
    const QString formato = QStringLiteral("dd-MM-yyyy");
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return valor.toDate().toString(formato);
    case QMetaType::QDateTime:
        return valor.toDateTime().date().toString(formato);
    default:
        break;
    }
    const QString texto = valor.toString();
    if (columnaFecha) {
        // SQLite keeps a date as ISO text, with or without a time.
        const QDate fecha = QDate::fromString(texto.left(10), Qt::ISODate);
        if (fecha.isValid()) {
            return fecha.toString(formato);
        }
    }
    return texto;
}
