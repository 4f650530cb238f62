#include "register/almacen_licencias.h"

#include "register/columnas_licencia.h"
#include "shell/datos/conexion.h"

namespace {

bool esPosicion(const ColumnaLicencia& c)
{
    return c.tipo == TipoColumna::Autonumero;
}

QString insercionLicencia()
{
    QStringList columnas;
    for (const ColumnaLicencia& c : ColumnasLicencia) {
        if (!esPosicion(c)) {
            columnas << QLatin1String(c.nombre);
        }
    }
    return QStringLiteral("INSERT INTO TLicencias (%1) VALUES (%2)")
        .arg(columnas.join(QStringLiteral(", ")),
             QStringList(columnas.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

}  // namespace

InsercionLicencias::InsercionLicencias(Conexion& conexion)
    : conexion_(conexion), insercion_(conexion.prepara(insercionLicencia()))
{
}

void InsercionLicencias::agrega(const QVariantList& fila)
{
    int marcador = 0;
    for (int i = 0; i < NumeroColumnasLicencia; ++i) {
        if (!esPosicion(ColumnasLicencia[size_t(i)])) {
            insercion_.bindValue(marcador++, fila.value(i));
        }
    }
    conexion_.ejecutaPreparada(insercion_);
}

void AgregaLicencias(Conexion& conexion, const std::vector<QVariantList>& filas)
{
    Transaccion transaccion(conexion);
    InsercionLicencias insercion(conexion);
    for (const QVariantList& fila : filas) {
        insercion.agrega(fila);
    }
    transaccion.confirma();
}
