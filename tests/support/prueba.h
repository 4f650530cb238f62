#pragma once

// Common include of every test: GoogleTest, Qt's event helpers, and readable
// failure output for Qt values.
#include <QDate>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QVariant>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* salida)
{
    *salida << '"' << texto.toStdString() << '"';
}

inline void PrintTo(const QStringList& lista, std::ostream* salida)
{
    *salida << "[\"" << lista.join(QStringLiteral("\", \"")).toStdString() << "\"]";
}

inline void PrintTo(const QDate& fecha, std::ostream* salida)
{
    *salida << fecha.toString(Qt::ISODate).toStdString();
}

inline void PrintTo(const QVariant& valor, std::ostream* salida)
{
    *salida << valor.typeName() << '(' << valor.toString().toStdString() << ')';
}
