#pragma once

struct ContextoComando;

// "licencias planos --tipo licencias|denegaciones --desde DD-MM-AAAA
// --hasta DD-MM-AAAA [--planos DIR]": the run of the panel's "Generar",
// without a display, for scheduled exports. The files are written in the
// current folder and copied into DIR (else the workstation's folder); the
// messages of the run go to standard output, failures to standard error.
// Exits 0 when every file was written and copied, with or without rows.
int ComandoPlanos(ContextoComando& contexto);
