#include "superficie_grabadora.h"

#include <QWidget>

namespace {
QString numero(double valor)
{
    return QString::number(valor, 'g', 6);
}
}  // namespace

void SuperficieGrabadora::fijaOrigen(double izquierda, double arriba)
{
    operaciones << QStringLiteral("origen %1 %2").arg(numero(izquierda), numero(arriba));
}

void SuperficieGrabadora::fijaUnidadCentimetros()
{
    operaciones << QStringLiteral("unidad cm");
}

void SuperficieGrabadora::fijaFuente(const QString& nombre)
{
    fuente_ = nombre;
    operaciones << QStringLiteral("fuente ") + nombre;
}

void SuperficieGrabadora::fijaTamanoFuente(double puntos)
{
    tamano_ = puntos;
    operaciones << QStringLiteral("tamano ") + numero(puntos);
}

void SuperficieGrabadora::fijaPapel(Papel p)
{
    papel = p;
    operaciones << (p == Papel::Carta ? QStringLiteral("papel carta") : QStringLiteral("papel oficio"));
}

void SuperficieGrabadora::fijaOrientacion(Orientacion)
{
    operaciones << QStringLiteral("orientacion vertical");
}

void SuperficieGrabadora::fijaPosicion(double x, double y)
{
    x_ = x;
    y_ = y;
    operaciones << QStringLiteral("posicion %1 %2").arg(numero(x), numero(y));
}

void SuperficieGrabadora::imprimeLinea(const QString& texto, int avanceColumnas)
{
    textos.push_back({texto, x_, y_, fuente_, tamano_, avanceColumnas, documentosTerminados});
    operaciones << (avanceColumnas > 0 ? QStringLiteral("linea [%1] %2").arg(avanceColumnas).arg(texto)
                                       : QStringLiteral("linea ") + texto);
    // The next line starts at the left edge, one line lower.
    x_ = 0;
    y_ += tamano_ * 1.2 / 72.0 * 2.54;
}

void SuperficieGrabadora::terminaDocumento()
{
    ++documentosTerminados;
    operaciones << QStringLiteral("fin documento");
}

bool SuperficieGrabadora::eligeImpresora(QWidget*)
{
    operaciones << QStringLiteral("elige impresora");
    return aceptaDialogo;
}

void SuperficieGrabadora::imprimeImagen(QWidget& forma)
{
    imagenes << forma.objectName();
    operaciones << QStringLiteral("imagen ") + forma.objectName();
}
