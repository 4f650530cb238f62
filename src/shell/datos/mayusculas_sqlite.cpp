#include "shell/datos/mayusculas_sqlite.h"

#include <QByteArray>
#include <QString>
#include <sqlite3.h>

namespace {

void mayusculasUnicode(sqlite3_context* contexto, int, sqlite3_value** argumentos)
{
    if (sqlite3_value_type(argumentos[0]) == SQLITE_NULL) {
        sqlite3_result_null(contexto);
        return;
    }
    const auto* texto = reinterpret_cast<const char*>(sqlite3_value_text(argumentos[0]));
    const QByteArray mayusculas =
        QString::fromUtf8(texto, sqlite3_value_bytes(argumentos[0])).toUpper().toUtf8();
    sqlite3_result_text(contexto, mayusculas.constData(), int(mayusculas.size()),
                        SQLITE_TRANSIENT);
}

}  // namespace

int RegistraMayusculasUnicode(sqlite3* base)
{
    return sqlite3_create_function_v2(base, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                      mayusculasUnicode, nullptr, nullptr, nullptr);
}
