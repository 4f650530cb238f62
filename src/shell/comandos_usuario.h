#pragma once

#include "shell/usuarios.h"

#include <QString>
#include <QStringList>
#include <optional>

class Conexion;
class QTextStream;

// Where a password typed for a user command comes from: the terminal
// without echo, or one line of standard input when it is not a terminal.
class LectorClave {
public:
    virtual ~LectorClave() = default;
    // Whether lee() asks twice (a terminal) or once (standard input).
    virtual bool interactivo() const = 0;
    // Nothing when the input ended.
    virtual std::optional<QString> lee(const QString& indicacion) = 0;
};

class LectorClaveTerminal : public LectorClave {
public:
    bool interactivo() const override;
    std::optional<QString> lee(const QString& indicacion) override;
};

// The access flags of a list such as "1,2,5" (numbers 1 to 18, blanks around
// the commas allowed) or "todos". Nothing, and the reason in `error`, when the
// list is empty or names something else.
std::optional<FlagsAcceso> InterpretaAccesos(const QString& lista, QString* error);

// The IT staff's user commands, without a display:
//   agregar USUARIO --nombre "..." --accesos 1,2,5|todos
//   listar
// `argumentos` are the words after "usuario" with the options already
// taken out into `nombre` and `accesos`. Returns the exit status; errors go
// to `error` in Spanish.
int EjecutaComandoUsuario(Conexion& conexion, const QStringList& argumentos,
                          const std::optional<QString>& nombre,
                          const std::optional<QString>& accesos, LectorClave& lector,
                          QTextStream& salida, QTextStream& error);

struct ContextoComando;
// "licencias usuario ...": the options --nombre and --accesos, then
// EjecutaComandoUsuario with a password read from the terminal.
int ComandoUsuario(ContextoComando& contexto);
