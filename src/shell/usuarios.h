#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

class Conexion;

using FlagsAcceso = std::array<quint8, 18>;

struct Usuario {
    QString usuario;
    QString nombre;
    FlagsAcceso accesos{};
};

// Adds a user to TUsuarios with the password stored in its encoded form.
// Throws std::invalid_argument with a Spanish text for a password that is not
// 6 characters or cannot be encoded, or a user that already exists, and
// ErrorDatos for a failing database.
void AgregaUsuario(Conexion& conexion, const Usuario& usuario, const QString& clave);
std::vector<Usuario> ListaUsuarios(Conexion& conexion);
