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

// The key of a date text: characters 7-10, 4-5 and 1-2.
inline QString ClaveFechaTexto(const QString& texto)
{
    return texto.mid(6, 4) + texto.mid(3, 2) + texto.mid(0, 2);
}

inline QString ClaveFecha(const QDate& fecha)
{
    return fecha.toString(QStringLiteral("yyyyMMdd"));
}
