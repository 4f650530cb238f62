#pragma once

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QString>
#include <optional>

class Conexion;

// Copies a SQLite database, also while other connections use it, through
// SQLite's online backup into `destino`. The copy is written under the name
// RespaldoParcial(destino), checked, made readable by its owner only and then
// renamed over `destino`: a copy cut short never replaces an earlier one.
// Throws ErrorDatos.
void RespaldaSqlite(const QString& archivo, const QString& destino);
QString RespaldoParcial(const QString& destino);

// The set of daily copies of one SQLite database in `carpeta`: one file per
// day, named after the database and the date, the `Conservados` newest kept.
class RespaldosDiarios {
public:
    static constexpr int Conservados = 7;

    RespaldosDiarios(QString archivoBase, QString carpeta);
    // Today's copy, made when there is none yet (the first start of the
    // day), with the oldest beyond the set removed. Returns the file written,
    // or nothing when today's copy was already there. Throws ErrorDatos.
    std::optional<QString> respaldaDia(const QDate& hoy);
    QString archivoDelDia(const QDate& dia) const;
    // A copy made on demand, named after the moment, outside the rotation.
    QString archivoDelMomento(const QDateTime& momento) const;
    // The daily copies present, oldest first.
    QStringList presentes() const;

private:
    QString archivoBase_;
    QString carpeta_;
    QString prefijo_;
};

// The folder of the daily copies inside the user's data folder, made
// (readable by its owner only) when missing.
QString CarpetaRespaldos();

// The daily copy of the database behind `conexion` into `carpeta`, when it
// is a SQLite file and today's copy is not there yet. Returns the file
// written. Throws ErrorDatos.
std::optional<QString> RespaldoDiario(Conexion& conexion, const QDate& hoy, const QString& carpeta);
