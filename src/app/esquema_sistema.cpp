#include "app/esquema_sistema.h"

#include "register/bitacora.h"
#include "register/esquema_licencias.h"
#include "registry_files/esquema_planos.h"
#include "shell/datos/conexion.h"
#include "shell/usuarios.h"

void PreparaEsquema(Conexion& conexion)
{
    AplicaEsquema(conexion, {EsquemaUsuarios(), EsquemaLicencias(), EsquemaBitacora(), EsquemaPlanos()});
}

std::shared_ptr<Conexion> AbreBase(const OrigenDatos& origen)
{
    auto conexion = Conexion::abre(origen);
    PreparaEsquema(*conexion);
    return conexion;
}
