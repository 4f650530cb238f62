#include "printing/calibracion_impresion.h"

#include <QSettings>

namespace {

const QString ClaveHorizontal = QStringLiteral("impresion/desplazamientoHorizontalMm");
const QString ClaveVertical = QStringLiteral("impresion/desplazamientoVerticalMm");

QSettings ajustesEstacion()
{
    return QSettings(QStringLiteral("licencias"), QStringLiteral("licencias"));
}

double enRango(double mm)
{
    return qBound(-DesplazamientoMaximoMm, mm, DesplazamientoMaximoMm);
}

double leeMm(const QSettings& ajustes, const QString& clave)
{
    bool esNumero = false;
    const double mm = ajustes.value(clave, 0).toDouble(&esNumero);
    return esNumero && qIsFinite(mm) ? enRango(mm) : 0;
}

}  // namespace

Desplazamiento LeeDesplazamiento()
{
    const QSettings ajustes = ajustesEstacion();
    return {leeMm(ajustes, ClaveHorizontal), leeMm(ajustes, ClaveVertical)};
}

bool GuardaDesplazamiento(const Desplazamiento& desplazamiento)
{
    QSettings ajustes = ajustesEstacion();
    ajustes.setValue(ClaveHorizontal, enRango(desplazamiento.horizontalMm));
    ajustes.setValue(ClaveVertical, enRango(desplazamiento.verticalMm));
    ajustes.sync();
    return ajustes.status() == QSettings::NoError;
}
