#include "shell/datos/esquema.h"

#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <QSqlRecord>
#include <QStringList>

namespace {

void creaTablaVersiones(Conexion& conexion)
{
    conexion.ejecuta(QStringLiteral("CREATE TABLE IF NOT EXISTS TVersion ("
                                    "Componente TEXT PRIMARY KEY, Version INTEGER NOT NULL)"));
}

void fijaVersion(Conexion& conexion, const QString& componente, int version)
{
    conexion.ejecuta(QStringLiteral("DELETE FROM TVersion WHERE Componente = ?"), {componente});
    conexion.ejecuta(QStringLiteral("INSERT INTO TVersion (Componente, Version) VALUES (?, ?)"),
                     {componente, version});
}

}  // namespace

bool ExisteTabla(const Conexion& conexion, const QString& tabla)
{
    return conexion.base().tables().contains(tabla, Qt::CaseInsensitive);
}

bool ExisteColumna(Conexion& conexion, const QString& tabla, const QString& columna)
{
    return conexion.base().record(tabla).contains(columna) ||
           conexion.base().record(tabla.toLower()).contains(columna.toLower());
}

int VersionEsquema(Conexion& conexion, const QString& componente)
{
    if (!ExisteTabla(conexion, QStringLiteral("TVersion"))) {
        return 0;
    }
    Recordset rs = conexion.consulta(
        QStringLiteral("SELECT Version FROM TVersion WHERE Componente = ?"), {componente});
    return rs.eof() ? 0 : rs.valor(QStringLiteral("Version")).toInt();
}

namespace {

bool alDia(Conexion& conexion, const std::vector<ComponenteEsquema>& componentes)
{
    for (const ComponenteEsquema& componente : componentes) {
        if (!componente.pasos.empty() &&
            VersionEsquema(conexion, componente.nombre) < componente.pasos.back().version) {
            return false;
        }
    }
    return true;
}

}  // namespace

void AplicaEsquema(Conexion& conexion, const std::vector<ComponenteEsquema>& componentes)
{
    // A database with every step taken is only read: a read-only one opens.
    if (alDia(conexion, componentes)) {
        return;
    }
    {
        Transaccion transaccion(conexion);
        creaTablaVersiones(conexion);
        transaccion.confirma();
    }
    for (const ComponenteEsquema& componente : componentes) {
        for (const PasoEsquema& paso : componente.pasos) {
            // Another workstation may be taking the same steps: the version is
            // read again inside the transaction that takes the step.
            Transaccion transaccion(conexion);
            if (conexion.dialecto() == Conexion::Dialecto::PostgreSQL) {
                conexion.ejecuta(QStringLiteral("SELECT pg_advisory_xact_lock(20100607)"));
            }
            if (VersionEsquema(conexion, componente.nombre) >= paso.version) {
                continue;
            }
            paso.aplica(conexion);
            fijaVersion(conexion, componente.nombre, paso.version);
            transaccion.confirma();
        }
    }
}
