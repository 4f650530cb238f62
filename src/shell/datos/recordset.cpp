#include "shell/datos/recordset.h"

Recordset::Recordset(std::shared_ptr<Conexion> conexion, TablaEditable edicion,
                     std::shared_ptr<const ColumnasFila> columnas, std::vector<Fila> filas)
    : conexion_(std::move(conexion)),
      edicion_(std::move(edicion)),
      columnas_(std::move(columnas)),
      filas_(std::move(filas)),
      abierto_(true)
{
}

void Recordset::moveNext()
{
    if (!eof()) {
        ++actual_;
    }
}

bool Recordset::tieneColumna(const QString& columna) const
{
    return columnas_->indice(columna) >= 0;
}

int Recordset::indice(const QString& columna) const
{
    const int i = columnas_->indice(columna);
    if (i < 0) {
        throw ErrorDatos(QStringLiteral("La columna %1 no existe en la consulta").arg(columna));
    }
    return i;
}

const Fila& Recordset::fila() const
{
    if (!abierto_ || eof() || actual_ < 0) {
        throw ErrorDatos(QStringLiteral("No hay un registro actual"));
    }
    return filas_[size_t(actual_)];
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
    return fila().valores().at(i);
}

QString Recordset::texto(const QString& columna) const
{
    return TextoValor(valor(columna), columnas_->esFecha(indice(columna)));
}

void Recordset::addNew()
{
    nueva_ = true;
    cambios_.clear();
}

void Recordset::asigna(const QString& columna, const QVariant& valor)
{
    if (!nueva_) {
        fila();  // a current row is needed
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
        nombres << columnas_->nombres().at(it.key());
        valores << it.value();
    }
    const int clave = indice(edicion_.clave);
    QVariantList fila = nueva_ ? QVariantList(columnas_->cantidad()) : this->fila().valores();
    if (nueva_) {
        fila[clave] = conexion_->inserta(edicion_, nombres, valores);
    } else if (!nombres.isEmpty()) {
        QStringList asignaciones;
        for (const QString& nombre : nombres) {
            asignaciones << nombre + QStringLiteral(" = ?");
        }
        valores << fila.at(clave);
        conexion_->ejecuta(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                               .arg(edicion_.tabla, asignaciones.join(QStringLiteral(", ")),
                                    edicion_.clave),
                           valores);
    }
    for (auto it = cambios_.cbegin(); it != cambios_.cend(); ++it) {
        fila[it.key()] = it.value();
    }
    if (nueva_) {
        filas_.emplace_back(columnas_, fila);
        actual_ = recordCount() - 1;
        nueva_ = false;
    } else {
        filas_[size_t(actual_)] = Fila(columnas_, fila);
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
