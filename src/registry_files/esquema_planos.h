#pragma once

#include "shell/datos/esquema.h"

// The index the registry files select their range through: the date key of
// FechaActual, the one expression every range and month selection uses.
ComponenteEsquema EsquemaPlanos();
