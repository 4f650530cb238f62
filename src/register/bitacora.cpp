#include "register/bitacora.h"

#include "shell/datos/conexion.h"
#include "shell/datos/fila.h"

namespace {

// Sortable text, so a range of days is a range of text.
const QString FormatoMomento = QStringLiteral("yyyy-MM-dd HH:mm:ss");

void creaBitacora(Conexion& conexion)
{
    const QString clave = conexion.dialecto() == Conexion::Dialecto::PostgreSQL
                              ? QStringLiteral("SERIAL PRIMARY KEY")
                              : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    conexion.ejecuta(QStringLiteral("CREATE TABLE IF NOT EXISTS TBitacora (Id %1, Momento TEXT, "
                                    "Estacion TEXT, Usuario TEXT, Accion TEXT, Folio TEXT, Cambios TEXT)")
                         .arg(clave));
    conexion.ejecuta(QStringLiteral("CREATE INDEX IF NOT EXISTS TBitacora_Momento ON TBitacora (Momento)"));
    conexion.ejecuta(QStringLiteral("CREATE INDEX IF NOT EXISTS TBitacora_Folio ON TBitacora (Folio)"));
}

}  // namespace

ComponenteEsquema EsquemaBitacora()
{
    return {QStringLiteral("bitacora"), {{1, creaBitacora}}};
}

void AnotaBitacora(Conexion& conexion, const EntradaBitacora& e)
{
    conexion.ejecuta(QStringLiteral("INSERT INTO TBitacora (Momento, Estacion, Usuario, Accion, Folio, "
                                    "Cambios) VALUES (?, ?, ?, ?, ?, ?)"),
                     {e.momento.toString(FormatoMomento), e.estacion, e.usuario, e.accion, e.folio,
                      e.cambios});
}

QString CambiosEntre(const QStringList& columnas, const QStringList& antes, const QStringList& despues)
{
    QStringList cambios;
    for (int i = 0; i < columnas.size(); ++i) {
        const QString a = antes.value(i);
        const QString d = despues.value(i);
        if (a != d) {
            cambios << QStringLiteral("%1: «%2» → «%3»").arg(columnas[i], a, d);
        }
    }
    return cambios.join(QLatin1Char('\n'));
}

void LeeBitacora(Conexion& conexion, const QDate& desde, const QDate& hasta, const QString& folio,
                 const std::function<void(const EntradaBitacora&)>& porEntrada)
{
    QStringList condiciones{QStringLiteral("1 = 1")};
    QVariantList valores;
    if (desde.isValid()) {
        condiciones << QStringLiteral("Momento >= ?");
        valores << desde.toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (hasta.isValid()) {
        condiciones << QStringLiteral("Momento < ?");
        valores << hasta.addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
    }
    if (!folio.isEmpty()) {
        condiciones << QStringLiteral("Folio = ?");
        valores << folio;
    }
    conexion.recorre(QStringLiteral("SELECT * FROM TBitacora WHERE %1 ORDER BY Id")
                         .arg(condiciones.join(QStringLiteral(" AND "))),
                     valores, [&](const Fila& f) {
                         porEntrada({QDateTime::fromString(f.texto(QStringLiteral("Momento")), FormatoMomento),
                                     f.texto(QStringLiteral("Estacion")), f.texto(QStringLiteral("Usuario")),
                                     f.texto(QStringLiteral("Accion")), f.texto(QStringLiteral("Folio")),
                                     f.texto(QStringLiteral("Cambios"))});
                     });
}
