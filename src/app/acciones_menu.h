#pragma once

class Aplicacion;

// Installs what the main menu's subsystem entries do: the licence form, the
// listings and statistics, the registry-file panel.
void InstalaAcciones(Aplicacion& app);
