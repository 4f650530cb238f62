#pragma once

#include "printing/solicitud_impresa.h"

// The offsets of the valued-form print belong to the workstation (its
// printer), so they are kept in its settings, never in the shared database.
constexpr double DesplazamientoMaximoMm = 20;

// This workstation's offsets; 0 when none were kept, a value out of range
// held at its nearest bound, one that is not a number read as 0.
Desplazamiento LeeDesplazamiento();
// False when the settings could not be written.
bool GuardaDesplazamiento(const Desplazamiento& desplazamiento);
