#pragma once

#include "platform/superficie_impresion.h"

#include <QStringList>
#include <optional>
#include <vector>

// Records every print-surface operation, and every printed text with its
// position, font and size, instead of printing. Lines advance with the
// same metrics as the real surface.
class SuperficieGrabadora : public SuperficieImpresion {
public:
    struct TextoImpreso {
        QString texto;
        double x;  // the print position it was printed at
        double y;
        QString fuente;
        double tamano;
        int avance;
        int documento;  // 0 for the first document
        double xTexto;  // where the text itself goes, after the advance
        double yTexto;
    };

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
    // Draws the page once when the clerk prints from the preview
    // (aceptaVistaPrevia), nothing when the preview is closed.
    bool muestraVistaPrevia(QWidget* dueno, const Dibujo& dibujo) override;

    // The texts of document `documento`.
    std::vector<TextoImpreso> textosDe(int documento) const;

    // One line per operation, such as "posicion 2.5 3" or "linea HOLA".
    QStringList operaciones;
    std::vector<TextoImpreso> textos;
    QStringList imagenes;  // object names of the forms printed as images
    int documentosTerminados = 0;
    int documentosCancelados = 0;
    int vistasPrevias = 0;
    bool aceptaDialogo = true;
    bool aceptaVistaPrevia = true;
    // The printed line (1 for the first of the run) at which the printer
    // fails with ErrorImpresion.
    std::optional<int> fallaEnLinea;
    Papel papel = Papel::Carta;

private:
    double x_ = 0;
    double y_ = 0;
    QString fuente_;
    double tamano_ = 0;
    int documento_ = 0;
    int lineas_ = 0;
};
