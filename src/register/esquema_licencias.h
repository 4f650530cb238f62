#pragma once

#include "shell/datos/esquema.h"

// The licence register's part of the schema: TLicencias with its 115
// columns (Posicion the auto-number key, FolioActual unique), AuxTLicencias
// with the same columns, TJefe and TMedicos, and their indexes.
ComponenteEsquema EsquemaLicencias();
