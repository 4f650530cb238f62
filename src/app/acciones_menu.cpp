#include "app/acciones_menu.h"

#include "listings/form_listados.h"
#include "printing/form_calibra_impresion.h"
#include "register/form_licencia.h"
#include "registry_files/frm_planos.h"
#include "shell/aplicacion.h"

void InstalaAcciones(Aplicacion& app)
{
    app.registraAccion(QStringLiteral("Licencias"),
                       [&app](QWidget* menu) { app.muestraModal<Form_Licencia>(menu); });
    app.registraAccion(QStringLiteral("CalibrarImpresion"),
                       [&app](QWidget* menu) { app.muestraPorUso<Form_CalibraImpresion>(menu); });
    app.registraAccion(QStringLiteral("PlanosLicencias"), [&app](QWidget* menu) {
        MuestraPlanos(app, menu, OpcionPlanos::LicenciasDuplicados);
    });
    app.registraAccion(QStringLiteral("PlanosDenegaciones"), [&app](QWidget* menu) {
        MuestraPlanos(app, menu, OpcionPlanos::Denegaciones);
    });
    app.registraAccion(QStringLiteral("Listados"),
                       [&app](QWidget* menu) { app.muestraModal<Form_Listados>(menu); });
}
