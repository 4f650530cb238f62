#include "linea_comandos.h"

#include "app/esquema_sistema.h"

#include <QTextStream>

ResultadoComando EjecutaComando(int (*comando)(ContextoComando&), const QStringList& argumentos,
                                const OrigenDatos& origen)
{
    ResultadoComando r{0, {}, {}};
    QTextStream salida(&r.salida);
    QTextStream error(&r.error);
    ContextoComando contexto{argumentos, origen, AbreBase, salida, error};
    r.estado = comando(contexto);
    salida.flush();
    error.flush();
    return r;
}
