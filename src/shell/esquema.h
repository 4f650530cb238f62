#pragma once

class Conexion;

// Creates whichever of the five tables the database lacks: TLicencias with
// its 115 columns (Posicion the auto-number key, FolioActual unique),
// AuxTLicencias with the same columns, TUsuarios, TJefe and TMedicos.
// Returns true when TLicencias was created now (a new database).
bool CreaEsquema(Conexion& conexion);
