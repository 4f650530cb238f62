#include "app/esquema_sistema.h"

#include "register/esquema_licencias.h"
#include "shell/datos/conexion.h"
#include "shell/usuarios.h"

void PreparaEsquema(Conexion& conexion)
{
    AplicaEsquema(conexion, {EsquemaUsuarios(), EsquemaLicencias()});
}

std::shared_ptr<Conexion> AbreBase(const OrigenDatos& origen)
{
    auto conexion = Conexion::abre(origen);
    PreparaEsquema(*conexion);
    return conexion;
}
