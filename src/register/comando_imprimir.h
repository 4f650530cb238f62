#pragma once

struct ContextoComando;

// "licencias imprimir --folio FOLIO [--usuario USUARIO] [--pdf ARCHIVO]":
// reprints a stored application, off screen, as "Imprimir" prints it after
// a click on its grid row: to the PDF file, or else to the default printer.
// UsuarioActual is the TUsuarios user named (blank without one); FirmaJefe
// comes from TJefe as at login.
int ComandoImprimir(ContextoComando& contexto);
