#pragma once

#include <QString>
#include <QVariant>
#include <optional>
#include <utility>
#include <vector>

class Conexion;

// One application as the record write stores it: column name and value, in
// table order. A column left out keeps its stored value (none on a new row).
using ValoresLicencia = std::vector<std::pair<QString, QVariant>>;

// The Posicion of the stored application of a folio, compared exactly as
// typed; the first such row.
std::optional<qint64> PosicionDelFolio(Conexion& conexion, const QString& folio);

// Stores a new application in one statement: the whole row or nothing. Gives
// its Posicion, or nothing when the folio is already registered (also when
// another workstation registered it a moment ago). Throws ErrorDatos on any
// other failure.
std::optional<qint64> InsertaLicencia(Conexion& conexion, const ValoresLicencia& valores);

// Rewrites the given columns of a stored application in one statement.
void ActualizaLicencia(Conexion& conexion, qint64 posicion, const ValoresLicencia& valores);

// Holds the stored row against other workstations until the transaction
// ends (on SQLite the write transaction already does).
void BloqueaLicencia(Conexion& conexion, qint64 posicion);

// Annulment and deletion: Estado, LicActual and LicAnterior become `estado`;
// nothing else changes.
void MarcaEstado(Conexion& conexion, qint64 posicion, const QString& estado);

// The signer of every print: the first row of TJefe, made when there is none.
void GrabaFirmaJefe(Conexion& conexion, const QString& firma);
