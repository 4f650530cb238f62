#pragma once

#include "platform/superficie_impresion.h"

#include <QFont>
#include <QPointF>
#include <QPrinter>
#include <memory>

class QPainter;

// The print surface over a real QPrinter: the printer chosen in the print
// dialog, or a PDF file (previews and tests).
class SuperficieImpresora : public SuperficieImpresion {
public:
    SuperficieImpresora();
    // Output goes to this PDF file instead of a printer.
    explicit SuperficieImpresora(const QString& archivoPdf);
    ~SuperficieImpresora() override;

    void fijaOrigen(double izquierda, double arriba) override;
    void fijaUnidadCentimetros() override;
    void fijaFuente(const QString& nombre) override;
    void fijaTamanoFuente(double puntos) override;
    void fijaPapel(Papel papel) override;
    void fijaOrientacion(Orientacion orientacion) override;
    void fijaPosicion(double x, double y) override;
    void imprimeLinea(const QString& texto, int avanceColumnas = 0) override;
    void terminaDocumento() override;
    bool eligeImpresora(QWidget* dueno) override;
    void imprimeImagen(QWidget& forma) override;

    QPrinter& impresora() { return impresora_; }

private:
    QPainter& pintor();
    double pixelesPorCentimetro() const;

    QPrinter impresora_;
    std::unique_ptr<QPainter> pintor_;
    QPointF origen_;    // centimetres
    QPointF posicion_;  // centimetres
    QFont fuente_;
};
