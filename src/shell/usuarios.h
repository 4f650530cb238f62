#pragma once

#include "shell/datos/esquema.h"
#include "shell/datos/origen_datos.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

class Conexion;
class Fila;

// acceso01 to acceso18 of TUsuarios; index 0 holds acceso01.
using FlagsAcceso = std::array<quint8, 18>;

// The access flags the program consults, by their number (acceso01 is 1).
namespace Acceso {
constexpr int Registrar = 1;
constexpr int Modificar = 2;
constexpr int Eliminar = 3;
constexpr int Anular = 4;
constexpr int ImprimirYBuscar = 5;
constexpr int TotalesYEstadisticas = 6;
}  // namespace Acceso

// The column of access flag `numero` (1 to 18): "acceso01" and so on.
QString ColumnaAcceso(int numero);
// The flags of a TUsuarios row; a value outside 0 to 255 is held at its
// nearest bound.
FlagsAcceso LeeAccesos(const Fila& usuario);

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
bool HayUsuarios(Conexion& conexion);
// What the login says over a database without users: that nobody can log in
// yet, and the command that adds the first user.
QString MensajeSinUsuarios(const OrigenDatos& origen);

// The users' part of the schema: TUsuarios.
ComponenteEsquema EsquemaUsuarios();
