#pragma once

struct ContextoComando;

// "licencias respaldo [--destino ARCHIVO]": a copy of a SQLite database made
// now, into ARCHIVO or, without it, into the data folder's backups under
// the moment's name. A server database is copied with its own tools: the
// command says how and fails.
int ComandoRespaldo(ContextoComando& contexto);
