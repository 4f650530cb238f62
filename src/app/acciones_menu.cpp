#include "app/acciones_menu.h"

#include "listings/form_listados.h"
#include "register/form_licencia.h"
#include "shell/aplicacion.h"

void InstalaAcciones(Aplicacion& app)
{
    app.registraAccion(QStringLiteral("Licencias"),
                       [&app](QWidget* menu) { app.muestraModal<Form_Licencia>(menu); });
    app.registraAccion(QStringLiteral("Listados"),
                       [&app](QWidget* menu) { app.muestraModal<Form_Listados>(menu); });
}
