#pragma once

#include "shell/comando.h"

#include <QString>
#include <QStringList>

// What a command-line command gave: its exit status and its two streams.
struct ResultadoComando {
    int estado;
    QString salida;
    QString error;
};

// Runs `comando` with `argumentos` (its own name first) on `origen`, with the
// program's whole schema.
ResultadoComando EjecutaComando(int (*comando)(ContextoComando&), const QStringList& argumentos,
                                const OrigenDatos& origen);
