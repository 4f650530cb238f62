#pragma once

#include <QString>

class Conexion;
class Reloj;

// The demo user the README names.
inline const QString UsuarioDemo = QStringLiteral("demo");
inline const QString ClaveDemo = QStringLiteral("demo01");

// Fills a database that has no users with the demo content: the demo user
// (every access flag on), three physicians, a signer in TJefe and a few
// hundred varied applications over the months before today. Does nothing
// on a database that already has users. Returns true when it filled it.
bool PreparaDemo(Conexion& conexion, const Reloj& reloj);
