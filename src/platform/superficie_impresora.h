#pragma once

#include "platform/superficie_impresion.h"

#include <QFont>
#include <QPointF>
#include <memory>

class QPaintDevice;
class QPainter;
class QPrinter;

// The print surface over a real page: a printer of its own (the one the
// main menu chooses), a PDF file, or a page it is given to draw on, such as
// the printer a print preview hands over or a QPicture. Text is placed with
// the reference metrics of medidas_impresion.h, so every page shows the same
// drawing at the same places.
class SuperficieImpresora : public SuperficieImpresion {
public:
    // The system's default printer, until another is chosen.
    SuperficieImpresora();
    // Output goes to this PDF file.
    explicit SuperficieImpresora(const QString& archivoPdf);
    // Draws on `hoja`, which must outlive the surface.
    explicit SuperficieImpresora(QPaintDevice& hoja);
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
    void cancelaDocumento() override;
    bool eligeImpresora(QWidget* dueno) override;
    void imprimeImagen(QWidget& forma) override;
    bool muestraVistaPrevia(QWidget* dueno, const Dibujo& dibujo) override;

    // The printer it draws on; nullptr when its page is not a printer.
    QPrinter* impresora() const;

private:
    QPainter& pintor();
    QString destino() const;
    bool aPdf() const;
    QString queHacer() const;

    std::unique_ptr<QPrinter> propia_;
    QPaintDevice* hoja_;
    std::unique_ptr<QPainter> pintor_;
    QPointF origen_;    // centimetres
    QPointF posicion_;  // centimetres
    QFont fuente_;
};
