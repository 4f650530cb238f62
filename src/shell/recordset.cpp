#include "shell/recordset.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>

Recordset::Recordset(std::shared_ptr<Conexion> conexion, TablaEditable edicion,
                     QStringList columnas, std::vector<QVariantList> filas)
    : conexion_(std::move(conexion)),
      edicion_(std::move(edicion)),
      columnas_(std::move(columnas)),
      filas_(std::move(filas)),
      abierto_(true)
{
    for (int i = 0; i < columnas_.size(); ++i) {
        indices_.insert(columnas_[i].toLower(), i);
    }
}

void Recordset::moveNext()
{
    if (!eof()) {
        ++actual_;
    }
}

bool Recordset::tieneColumna(const QString& columna) const
{
    return indices_.contains(columna.toLower());
}

int Recordset::indice(const QString& columna) const
{
    const auto it = indices_.constFind(columna.toLower());
    if (it == indices_.constEnd()) {
        throw ErrorDatos(QStringLiteral("La columna %1 no existe en la consulta").arg(columna));
    }
    return *it;
}

const QVariantList& Recordset::filaActual() const
{
    if (!abierto_ || eof() || actual_ < 0) {
        throw ErrorDatos(QStringLiteral("No hay un registro actual"));
    }
    return filas_[size_t(actual_)];
}

QVariantList& Recordset::filaActual()
{
    return const_cast<QVariantList&>(std::as_const(*this).filaActual());
}

QVariant Recordset::valor(const QString& columna) const
{
    const int i = indice(columna);
    if (cambios_.contains(i)) {
        return cambios_.value(i);
    }
    if (nueva_) {
        return {};
    }
    return filaActual().at(i);
}

QString Recordset::texto(const QString& columna) const
{
    return comoTexto(valor(columna));
}

QString Recordset::comoTexto(const QVariant& valor)
{
    if (valor.isNull()) {
        return {};
    }
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return valor.toDate().toString(QStringLiteral("dd-MM-yyyy"));
    case QMetaType::QDateTime:
        return valor.toDateTime().date().toString(QStringLiteral("dd-MM-yyyy"));
    default:
        return valor.toString();
    }
}

void Recordset::addNew()
{
    nueva_ = true;
    cambios_.clear();
}

void Recordset::asigna(const QString& columna, const QVariant& valor)
{
    if (!nueva_) {
        filaActual();  // a current row is needed
    }
    cambios_.insert(indice(columna), valor);
}

void Recordset::update()
{
    if (!edicion_.editable()) {
        throw ErrorDatos(QStringLiteral("La consulta es de solo lectura"));
    }
    QStringList nombres;
    QVariantList valores;
    for (auto it = cambios_.cbegin(); it != cambios_.cend(); ++it) {
        nombres << columnas_[it.key()];
        valores << it.value();
    }
    const int clave = indice(edicion_.clave);
    if (nueva_) {
        const QString sql =
            nombres.isEmpty()
                ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2")
                      .arg(edicion_.tabla, edicion_.clave)
                : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
                      .arg(edicion_.tabla, nombres.join(QStringLiteral(", ")),
                           QStringList(nombres.size(), QStringLiteral("?")).join(
                               QStringLiteral(", ")),
                           edicion_.clave);
        Recordset devuelto = conexion_->consulta(sql, valores);
        QVariantList fila(columnas_.size());
        for (auto it = cambios_.cbegin(); it != cambios_.cend(); ++it) {
            fila[it.key()] = it.value();
        }
        if (devuelto.recordCount() > 0) {
            fila[clave] = devuelto.valor(edicion_.clave);
        }
        filas_.push_back(fila);
        actual_ = recordCount() - 1;
        nueva_ = false;
    } else if (!nombres.isEmpty()) {
        QVariantList fila = filaActual();
        QStringList asignaciones;
        for (const QString& nombre : nombres) {
            asignaciones << nombre + QStringLiteral(" = ?");
        }
        valores << fila.at(clave);
        conexion_->ejecuta(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                               .arg(edicion_.tabla, asignaciones.join(QStringLiteral(", ")),
                                    edicion_.clave),
                           valores);
        for (auto it = cambios_.cbegin(); it != cambios_.cend(); ++it) {
            fila[it.key()] = it.value();
        }
        filas_[size_t(actual_)] = fila;
    }
    cambios_.clear();
}

void Recordset::close()
{
    abierto_ = false;
    filas_.clear();
    cambios_.clear();
    nueva_ = false;
    actual_ = 0;
}

TablaTextos Recordset::comoTextos() const
{
    TablaTextos tabla;
    tabla.columnas = columnas_;
    tabla.filas.reserve(filas_.size());
    for (const QVariantList& fila : filas_) {
        QStringList textos;
        textos.reserve(fila.size());
        for (const QVariant& valor : fila) {
            textos << comoTexto(valor);
        }
        tabla.filas.push_back(std::move(textos));
    }
    return tabla;
}
