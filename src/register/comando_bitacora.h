#pragma once

struct ContextoComando;

// licencias bitacora [--desde DD-MM-AAAA] [--hasta DD-MM-AAAA] [--folio F] [--formato csv]
// The audit trail on standard output: one entry per line, or as CSV.
int ComandoBitacora(ContextoComando& contexto);
