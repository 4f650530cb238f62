#pragma once

#include "shell/datos/origen_datos.h"

#include <memory>

class Conexion;

// Brings a database up to the whole program's schema: every component's
// steps that it has not taken yet. Throws ErrorDatos.
void PreparaEsquema(Conexion& conexion);

// Opens the database and prepares its schema, as every start of the
// program and every command does.
std::shared_ptr<Conexion> AbreBase(const OrigenDatos& origen);
