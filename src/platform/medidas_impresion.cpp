#include "platform/medidas_impresion.h"

#include <QFontMetricsF>
#include <QImage>

namespace {

constexpr double ResolucionReferencia = 1200;  // dots per inch
constexpr double CentimetrosPorPulgada = 2.54;

QFontMetricsF medidas(const QFont& fuente)
{
    static const QImage referencia = [] {
        QImage hoja(1, 1, QImage::Format_Mono);
        const int puntosPorMetro = qRound(ResolucionReferencia / CentimetrosPorPulgada * 100);
        hoja.setDotsPerMeterX(puntosPorMetro);
        hoja.setDotsPerMeterY(puntosPorMetro);
        return hoja;
    }();
    return QFontMetricsF(fuente, &referencia);
}

double enCentimetros(double puntosReferencia)
{
    return puntosReferencia / ResolucionReferencia * CentimetrosPorPulgada;
}

}  // namespace

LineaUbicada UbicaLinea(const QFont& fuente, QPointF posicion, int avanceColumnas)
{
    const QFontMetricsF m = medidas(fuente);
    const double renglon = enCentimetros(m.lineSpacing());
    QPointF texto = posicion;
    if (avanceColumnas > 0) {
        const double columna = enCentimetros((avanceColumnas - 1) * m.averageCharWidth());
        if (texto.x() > columna) {
            texto.ry() += renglon;
        }
        texto.setX(columna);
    }
    return {texto, QPointF(0, texto.y() + renglon)};
}

double AscensoCm(const QFont& fuente)
{
    return enCentimetros(medidas(fuente).ascent());
}
