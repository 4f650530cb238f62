#pragma once

#include <QString>
#include <functional>
#include <vector>

class Conexion;

// The schema grows by numbered steps. Each part of the program owns a
// component of it (its tables, indexes and columns); the table TVersion
// keeps, for every component, the last step the database has taken. Every
// step is idempotent (IF NOT EXISTS, or a test of what is there), so that a
// database made before its component was versioned takes it too.
struct PasoEsquema {
    int version;
    std::function<void(Conexion&)> aplica;
};

struct ComponenteEsquema {
    QString nombre;
    std::vector<PasoEsquema> pasos;  // in ascending version
};

// Takes every step the database lacks, component by component, each step
// and its version in one transaction. Throws ErrorDatos.
void AplicaEsquema(Conexion& conexion, const std::vector<ComponenteEsquema>& componentes);
// The last step of a component that the database has taken; 0 for none.
int VersionEsquema(Conexion& conexion, const QString& componente);

bool ExisteTabla(const Conexion& conexion, const QString& tabla);
bool ExisteColumna(Conexion& conexion, const QString& tabla, const QString& columna);
