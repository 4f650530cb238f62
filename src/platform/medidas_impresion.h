#pragma once

#include <QFont>
#include <QPointF>

// Text placement of the print surfaces, measured at one fixed reference
// resolution: the printer, the preview, a PDF file and the tests' recording
// surface then place every line at the same place, whatever the resolution
// of the page they draw on. Positions in centimetres.
struct LineaUbicada {
    QPointF texto;      // top-left corner of the printed text
    QPointF siguiente;  // the print position afterwards: left edge, next line
};

// Where a line printed at `posicion` goes. An advance of `avanceColumnas`
// (0: none) is a tab to that print column: n - 1 average character widths
// from the left edge, on the next line when the position is already past it.
LineaUbicada UbicaLinea(const QFont& fuente, QPointF posicion, int avanceColumnas);

// From the top of a line of this font to its baseline.
double AscensoCm(const QFont& fuente);
