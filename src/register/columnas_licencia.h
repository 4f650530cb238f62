#pragma once

#include <QString>
#include <array>

// The kinds of value a column of TLicencias holds.
enum class TipoColumna { Texto, Entero, Autonumero, Fecha };

struct ColumnaLicencia {
    const char* nombre;
    TipoColumna tipo;
    const char* titulo;  // browser caption; nullptr keeps the column name
    int ancho;           // browser width in twips; 0 keeps the grid's default
};

// The 115 columns of TLicencias (and AuxTLicencias) in their fixed order:
// grid column N of the browser is entry N - 1. The schema, the browser and
// the record write all read this one table.
constexpr int NumeroColumnasLicencia = 115;
extern const std::array<ColumnaLicencia, NumeroColumnasLicencia> ColumnasLicencia;

// Grid columns of the hand-over cells: the twelve psychotechnical results,
// the denial marker, the ten denial reasons D01 to d10, the duration.
constexpr int ColumnaPosicion = 83;
constexpr int ColumnaPrimerExamen = 84;
constexpr int ColumnaDenegada = 104;
constexpr int ColumnaPrimeraRazon = 105;
constexpr int ColumnaDuracion = 115;

// Position (1 to 115) of a column by name, compared without case; 0 when the
// table has no such column.
int PosicionColumna(const QString& nombre);
const ColumnaLicencia& ColumnaEn(int posicion);
