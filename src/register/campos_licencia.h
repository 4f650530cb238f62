#pragma once

#include <vector>

// The kinds of control a field of the licence form is.
enum class TipoCampo {
    Texto,        // text box with a maximum length
    Lista,        // combo box that also takes typed text
    Rut,          // masked RUT box, blank prompt
    RutEscuela,   // masked RUT box, "_" prompt
    Certificado,  // eleven digit places, "_" prompt
    Numero,       // whole number, 0 when not given
    Fecha,        // date picker
    Casilla,      // check box: "Si" marks it
};

// One field of the licence form and the column of TLicencias (its position,
// which is also its browser grid column) it shows and stores.
struct CampoLicencia {
    int posicion;
    const char* control;
    TipoCampo tipo;
    int largo;           // longest typed text of a text box; of a list, the stored cut (0: none)
    const char* titulo;  // caption of a check box
};

// Every field, in ascending order of position: loading a row fills them in
// this order.
extern const std::vector<CampoLicencia> CamposLicencia;
