#pragma once

#include <QString>
#include <QStringList>

// A field of a comma-separated line: quoted, with its quotes doubled, when
// it holds a comma, a quote or a line break.
inline QString CampoCsv(const QString& campo)
{
    if (!campo.contains(QLatin1Char(',')) && !campo.contains(QLatin1Char('"')) &&
        !campo.contains(QLatin1Char('\n')) && !campo.contains(QLatin1Char('\r'))) {
        return campo;
    }
    QString citado = campo;
    citado.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + citado + QLatin1Char('"');
}

inline QString LineaCsv(const QStringList& campos)
{
    QStringList citados;
    for (const QString& c : campos) {
        citados << CampoCsv(c);
    }
    return citados.join(QLatin1Char(',')) + QLatin1Char('\n');
}
