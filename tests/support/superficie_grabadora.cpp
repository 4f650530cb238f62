#include "superficie_grabadora.h"

#include "platform/medidas_impresion.h"

#include <QFont>
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
    if (fallaEnLinea && ++lineas_ == *fallaEnLinea) {
        operaciones << QStringLiteral("falla");
        throw ErrorImpresion(QStringLiteral("La impresora no responde"));
    }
    QFont fuente(fuente_);
    fuente.setPointSizeF(tamano_ > 0 ? tamano_ : 12);
    const LineaUbicada linea = UbicaLinea(fuente, QPointF(x_, y_), avanceColumnas);
    textos.push_back({texto, x_, y_, fuente_, tamano_, avanceColumnas, documento_,
                      linea.texto.x(), linea.texto.y()});
    operaciones << (avanceColumnas > 0 ? QStringLiteral("linea [%1] %2").arg(avanceColumnas).arg(texto)
                                       : QStringLiteral("linea ") + texto);
    x_ = linea.siguiente.x();
    y_ = linea.siguiente.y();
}

void SuperficieGrabadora::terminaDocumento()
{
    ++documentosTerminados;
    ++documento_;
    operaciones << QStringLiteral("fin documento");
}

void SuperficieGrabadora::cancelaDocumento()
{
    ++documentosCancelados;
    ++documento_;
    operaciones << QStringLiteral("cancela documento");
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

bool SuperficieGrabadora::muestraVistaPrevia(QWidget*, const Dibujo& dibujo)
{
    ++vistasPrevias;
    operaciones << QStringLiteral("vista previa");
    if (aceptaVistaPrevia) {
        dibujo(*this);
    }
    return aceptaVistaPrevia;
}

std::vector<SuperficieGrabadora::TextoImpreso> SuperficieGrabadora::textosDe(int documento) const
{
    std::vector<TextoImpreso> del;
    for (const TextoImpreso& t : textos) {
        if (t.documento == documento) {
            del.push_back(t);
        }
    }
    return del;
}
