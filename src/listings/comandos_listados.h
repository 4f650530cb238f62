#pragma once

struct ContextoComando;

// licencias estadistica --tipo otorgadas|denegadas --mes MES --anio AAAA
//     [--formato csv|pdf] [--salida ARCHIVO]
// Runs the month panel's "Aceptar" off screen and writes the sheet it shows.
int ComandoEstadistica(ContextoComando& contexto);

// licencias listado --tipo MODO --desde DD-MM-AAAA --hasta DD-MM-AAAA
//     [--orden folio|rut] [--formato csv|pdf] [--salida ARCHIVO]
// Runs the folio panel's "Aceptar" off screen and writes the listing.
int ComandoListado(ContextoComando& contexto);
