// A SQLite extension with the program's own SQL functions, for a database
// reached through SQLite's ODBC driver, where the program cannot add them
// itself: the data source loads it (LoadExt). It calls the engine directly,
// sharing the one SQLite library of the process.

#include "shell/datos/mayusculas_sqlite.h"

#include <sqlite3.h>

extern "C" int sqlite3_extension_init(sqlite3* base, char**, const sqlite3_api_routines*)
{
    return RegistraMayusculasUnicode(base);
}
