#include "registry_files/esquema_planos.h"

#include "shell/datos/clave_fecha.h"
#include "shell/datos/conexion.h"

namespace {

void creaIndiceClaveFecha(Conexion& conexion)
{
    conexion.ejecuta(IndiceClaveFechaSql());
}

}  // namespace

ComponenteEsquema EsquemaPlanos()
{
    return {QStringLiteral("planos"), {{1, creaIndiceClaveFecha}}};
}
