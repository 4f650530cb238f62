#include "register/grabacion_licencia.h"

#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <QStringList>

namespace {

QStringList nombres(const ValoresLicencia& valores)
{
    QStringList columnas;
    for (const auto& [columna, valor] : valores) {
        columnas << columna;
    }
    return columnas;
}

QVariantList datos(const ValoresLicencia& valores)
{
    QVariantList lista;
    for (const auto& [columna, valor] : valores) {
        lista << valor;
    }
    return lista;
}

}  // namespace

std::optional<qint64> PosicionDelFolio(Conexion& conexion, const QString& folio)
{
    const Recordset rs = conexion.consulta(
        QStringLiteral("SELECT Posicion FROM TLicencias WHERE FolioActual = ? ORDER BY Posicion LIMIT 1"),
        {folio});
    if (rs.eof()) {
        return std::nullopt;
    }
    return rs.valor(QStringLiteral("Posicion")).toLongLong();
}

std::optional<qint64> InsertaLicencia(Conexion& conexion, const ValoresLicencia& valores)
{
    try {
        return conexion
            .inserta({QStringLiteral("TLicencias"), QStringLiteral("Posicion")}, nombres(valores),
                     datos(valores))
            .toLongLong();
    } catch (const ErrorDatos& error) {
        if (error.claveDuplicada()) {
            return std::nullopt;
        }
        throw;
    }
}

void ActualizaLicencia(Conexion& conexion, qint64 posicion, const ValoresLicencia& valores)
{
    QStringList asignaciones;
    for (const QString& columna : nombres(valores)) {
        asignaciones << columna + QStringLiteral(" = ?");
    }
    conexion.ejecuta(QStringLiteral("UPDATE TLicencias SET %1 WHERE Posicion = ?")
                         .arg(asignaciones.join(QStringLiteral(", "))),
                     datos(valores) << posicion);
}

void BloqueaLicencia(Conexion& conexion, qint64 posicion)
{
    if (conexion.dialecto() == Conexion::Dialecto::PostgreSQL) {
        conexion.consulta(QStringLiteral("SELECT Posicion FROM TLicencias WHERE Posicion = ? FOR UPDATE"),
                          {posicion});
    }
}

void MarcaEstado(Conexion& conexion, qint64 posicion, const QString& estado)
{
    conexion.ejecuta(QStringLiteral("UPDATE TLicencias SET Estado = ?, LicActual = ?, LicAnterior = ? "
                                    "WHERE Posicion = ?"),
                     {estado, estado, estado, posicion});
}

void GrabaFirmaJefe(Conexion& conexion, const QString& firma)
{
    Transaccion t(conexion);
    const Recordset jefe = conexion.consulta(QStringLiteral("SELECT Id FROM TJefe ORDER BY Id LIMIT 1"));
    if (jefe.eof()) {
        conexion.ejecuta(QStringLiteral("INSERT INTO TJefe (Usuario) VALUES (?)"), {firma});
    } else {
        conexion.ejecuta(QStringLiteral("UPDATE TJefe SET Usuario = ? WHERE Id = ?"),
                         {firma, jefe.valor(QStringLiteral("Id"))});
    }
    t.confirma();
}
