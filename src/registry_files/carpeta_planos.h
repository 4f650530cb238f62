#pragma once

#include <QString>

// The folder the registry files are copied into belongs to the workstation:
// it is kept in the workstation's settings, never in the shared database.

// C:\planos\ on Windows, ~/planos/ elsewhere.
QString CarpetaPlanosPredeterminada();
// The folder this workstation chose, else the default.
QString CarpetaPlanosEstacion();
void GuardaCarpetaPlanos(const QString& carpeta);
