#pragma once

#include <QDate>
#include <QString>

// Date texts are dd-mm-yyyy with any one-character separator. Ranges and
// months compare the key yyyymmdd, built by one expression everywhere so that
// one expression index serves every such selection.

// The SQL expression of the key of a date-text column.
inline QString ClaveFechaSql(const QString& columna = QStringLiteral("FechaActual"))
{
    return QStringLiteral("substr(%1,7,4)||substr(%1,4,2)||substr(%1,1,2)").arg(columna);
}

// The one index on the key of FechaActual that every range and month
// selection of TLicencias goes through.
inline QString IndiceClaveFechaSql()
{
    return QStringLiteral("CREATE INDEX IF NOT EXISTS TLicencias_ClaveFechaActual "
                          "ON TLicencias ((%1))")
        .arg(ClaveFechaSql());
}

// The key of a date text: characters 7-10, 4-5 and 1-2.
inline QString ClaveFechaTexto(const QString& texto)
{
    return texto.mid(6, 4) + texto.mid(3, 2) + texto.mid(0, 2);
}

inline QString ClaveFecha(const QDate& fecha)
{
    return fecha.toString(QStringLiteral("yyyyMMdd"));
}

// FechaActual1 as it should be: the day, month and year of FechaActual
// joined by "/"; a missing date gives "//", as joining texts that treat null
// as empty does.
inline QString FechaActual1Sql()
{
    return QStringLiteral("substr(%1,1,2)||'/'||substr(%1,4,2)||'/'||substr(%1,7,4)")
        .arg(QStringLiteral("coalesce(FechaActual,'')"));
}

// The rows whose FechaActual1 is not yet as it should be. One partial index
// holds exactly these rows, so the text must stay the same everywhere.
inline QString FechaActual1PendienteSql()
{
    return QStringLiteral("FechaActual1 IS NULL OR FechaActual1 <> ") + FechaActual1Sql();
}
