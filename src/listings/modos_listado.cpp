#include "listings/modos_listado.h"


namespace {

const ModoListadoForm Modos[] = {
    {"Folios", true, "Formulario de Listado de Folios Diarios Totales", "Folios Diarios Totales"},
    {"LicOtorgadas", true, "Formulario de Listado de Folios Diarios Otorgados",
     "Folios Diarios Otorgados"},
    {"LicDenegadas", true, "Formulario de Listado de Folios Diarios Denegados",
     "Folios Diarios Denegados"},
    {"LicAnuladasElim", true, "Formulario de Listado de Folios Diarios Anuladas y/o Eliminadas",
     "Folios Diarios Eliminados/Anulados"},
    {"LicNoDonantes", true, "Formulario de Listado de los No Donantes",
     "Listado de los No Donantes"},
    {"Estadistica", false, "Formulario de Listado de Estadistica Mensual-Licencias Otorgadas",
     "Estadistica mensual Otorgadas"},
};

const ModoListadoForm OtroModo = {
    nullptr, false, "Formulario de Listado de Estadistica Mensual-Licencias Denegadas",
    "Estadistica mensual Denegadas"};

}  // namespace

const ModoListadoForm& BuscaModoListado(const QString& modo)
{
    const QString buscado = modo.trimmed();
    for (const ModoListadoForm& m : Modos) {
        if (buscado == QLatin1String(m.modo)) {
            return m;
        }
    }
    return OtroModo;
}

const QStringList& NombresMeses()
{
    static const QStringList meses = {
        QStringLiteral("Enero"),      QStringLiteral("Febrero"), QStringLiteral("Marzo"),
        QStringLiteral("Abril"),      QStringLiteral("Mayo"),    QStringLiteral("Junio"),
        QStringLiteral("Julio"),      QStringLiteral("Agosto"),  QStringLiteral("Septiembre"),
        QStringLiteral("Octubre"),    QStringLiteral("Noviembre"), QStringLiteral("Diciembre"),
    };
    return meses;
}
