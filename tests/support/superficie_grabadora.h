#pragma once

#include "platform/superficie_impresion.h"

#include <QStringList>
#include <vector>

// Records every print-surface operation, and every printed text with its
// position, font and size, instead of printing.
class SuperficieGrabadora : public SuperficieImpresion {
public:
    struct TextoImpreso {
        QString texto;
        double x;
        double y;
        QString fuente;
        double tamano;
        int avance;
        int documento;  // 0 for the first document
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
    bool eligeImpresora(QWidget* dueno) override;
    void imprimeImagen(QWidget& forma) override;

    // One line per operation, such as "posicion 2.5 3" or "linea HOLA".
    QStringList operaciones;
    std::vector<TextoImpreso> textos;
    QStringList imagenes;  // object names of the forms printed as images
    int documentosTerminados = 0;
    bool aceptaDialogo = true;
    Papel papel = Papel::Carta;

private:
    double x_ = 0;
    double y_ = 0;
    QString fuente_;
    double tamano_ = 0;
};
