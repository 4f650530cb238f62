#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

class QWidget;

// The sheet sizes the system prints on.
enum class Papel { Carta, Oficio };  // Letter, Legal
enum class Orientacion { Vertical };

// A printer that cannot start or finish a document.
class ErrorImpresion : public std::runtime_error {
public:
    explicit ErrorImpresion(const QString& texto) : std::runtime_error(texto.toStdString()) {}
    QString texto() const { return QString::fromStdString(what()); }
};

// The process-wide print surface: positions in centimetres from the top-left
// corner of the printable area, a current font and a print position. A
// document begins with the first output after the previous end of document;
// nothing reaches the printer before terminaDocumento(). Settings stay in
// force until they are set again.
class SuperficieImpresion {
public:
    virtual ~SuperficieImpresion() = default;

    virtual void fijaOrigen(double izquierda, double arriba) = 0;
    virtual void fijaUnidadCentimetros() = 0;
    virtual void fijaFuente(const QString& nombre) = 0;
    virtual void fijaTamanoFuente(double puntos) = 0;
    virtual void fijaPapel(Papel papel) = 0;
    virtual void fijaOrientacion(Orientacion orientacion) = 0;
    virtual void fijaPosicion(double x, double y) = 0;
    // Prints one text at the print position, after an advance to print
    // column `avanceColumnas` when it is not 0, and moves the position to the
    // left edge of the next line.
    virtual void imprimeLinea(const QString& texto, int avanceColumnas = 0) = 0;
    virtual void terminaDocumento() = 0;
    // Drops the document begun, when a print fails halfway, so that the
    // next output starts a document of its own.
    virtual void cancelaDocumento() = 0;
    // The system print dialog; later output goes to the printer chosen there.
    // Returns false when the dialog was cancelled.
    virtual bool eligeImpresora(QWidget* dueno) = 0;
    // The client area of a form, as shown on screen, as one page.
    virtual void imprimeImagen(QWidget& forma) = 0;

    // Draws one document on a print surface.
    using Dibujo = std::function<void(SuperficieImpresion&)>;
    // Shows what `dibujo` draws in the print preview of the chosen printer,
    // from which the clerk prints it or closes it. True when it was printed;
    // a printer that fails throws ErrorImpresion.
    virtual bool muestraVistaPrevia(QWidget* dueno, const Dibujo& dibujo) = 0;
};
