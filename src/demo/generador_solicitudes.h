#pragma once

#include <QDate>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <random>

class Conexion;

// RUT text "dd.ddd.ddd-C" of a number below one hundred million, with a
// leading zero below ten million and the modulo-11 check character.
QString TextoRut(qint64 numero);
QChar DigitoVerificador(qint64 numero);

// Folios of generated applications: series "CA" and eight digits.
QString TextoFolio(qint64 numero);
// The folio number after the highest generated folio already stored, so that
// another run appends without colliding with the unique folio index.
qint64 PrimerFolioLibre(Conexion& conexion);

// Realistic licence applications for demonstrations and load tests: Chilean
// names, RUTs and addresses; requests, current and previous classes that fit
// each other; exams whose check boxes decide Estado as the record write does;
// annulled and deleted folios; denials with their reasons and duration; school
// data for professional classes. The same seed gives the same applications.
class GeneradorSolicitudes {
public:
    // Applications fall on random days of the six months up to `referencia`;
    // folios count up from `primerFolio`.
    GeneradorSolicitudes(quint32 semilla, QDate referencia, qint64 primerFolio);
    // `cantidad` applications in date order, spread evenly over the days from
    // `desde` to `hasta`, as a register grows over the years.
    GeneradorSolicitudes(quint32 semilla, QDate desde, QDate hasta, qint64 cantidad,
                         qint64 primerFolio);

    // The next application: the 115 values in column order, Posicion null,
    // the two school dates as dates and every other date as text.
    QVariantList siguiente();

    // The physicians the applications name, as TMedicos offers them.
    static const QStringList& medicos();

private:
    QDate fechaSiguiente();

    std::mt19937 azar_;
    QDate referencia_;
    QDate desde_;  // null: random days up to referencia_
    qint64 dias_ = 0;
    qint64 cantidad_ = 0;
    qint64 generadas_ = 0;
    qint64 folio_;
    qint64 ordenIngreso_ = 118400;
    int correlativoNoDonante_ = 0;
};

// Appends `cantidad` generated applications to TLicencias, one transaction
// per batch with one prepared statement, and reports the rows stored after
// each batch.
void LlenaSolicitudes(Conexion& conexion, qint64 cantidad, quint32 semilla, QDate referencia,
                      std::function<void(qint64 hechas)> avance = {});
// The same, with the applications in date order from `desde` to `hasta`.
void LlenaSolicitudesEnOrden(Conexion& conexion, qint64 cantidad, quint32 semilla, QDate desde,
                             QDate hasta, std::function<void(qint64 hechas)> avance = {});
