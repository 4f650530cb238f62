#pragma once

#include <QString>
#include <optional>

// The stored form of a 6-character password, as TUsuarios.Clave holds it.
// Each stored character is a typed character, by the single-byte Windows
// code page, with a fixed offset added. Nothing when the password is not 6
// characters, holds a character outside that code page, or a character whose
// code plus its offset passes 255.
std::optional<QString> CodificaClave(const QString& clave);
