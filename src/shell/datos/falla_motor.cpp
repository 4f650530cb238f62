#include "shell/datos/falla_motor.h"

#include <QVariant>

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

namespace {

// SQLite's primary result codes (the low byte of an extended code).
struct CausaSqlite {
    int codigo;
    CausaDatos causa;
};
const CausaSqlite CausasSqlite[] = {
    {3, CausaDatos::SoloLectura},      // SQLITE_PERM
    {5, CausaDatos::Bloqueada},        // SQLITE_BUSY
    {6, CausaDatos::Bloqueada},        // SQLITE_LOCKED
    {8, CausaDatos::SoloLectura},      // SQLITE_READONLY
    {10, CausaDatos::FallaDisco},      // SQLITE_IOERR
    {11, CausaDatos::NoEsBase},        // SQLITE_CORRUPT
    {13, CausaDatos::DiscoLleno},      // SQLITE_FULL
    {14, CausaDatos::NoSePuedeAbrir},  // SQLITE_CANTOPEN
    {26, CausaDatos::NoEsBase},        // SQLITE_NOTADB
};
// A WAL database in a folder without write access cannot even be read.
constexpr int SqliteCarpetaSoloLectura = 1544;  // SQLITE_READONLY_DIRECTORY
constexpr int SqliteRestriccion = 19;
constexpr int SqliteUnica = 2067;
constexpr int SqliteClavePrimaria = 1555;

// SQLSTATEs of PostgreSQL and of ODBC, exact first, then by class.
struct CausaEstado {
    const char* estado;
    CausaDatos causa;
};
const CausaEstado CausasEstado[] = {
    {"23505", CausaDatos::ClaveDuplicada}, {"25006", CausaDatos::SoloLectura},
    {"42501", CausaDatos::SoloLectura},    {"53100", CausaDatos::DiscoLleno},
    {"55P03", CausaDatos::Bloqueada},      {"40P01", CausaDatos::Bloqueada},
    {"57014", CausaDatos::Bloqueada},      {"3D000", CausaDatos::NoExiste},
    {"IM002", CausaDatos::NoExiste},       {"57P01", CausaDatos::SinServidor},
    {"57P02", CausaDatos::SinServidor},    {"57P03", CausaDatos::SinServidor},
    {"53300", CausaDatos::SinConexion},    {"28000", CausaDatos::SinConexion},
    {"28P01", CausaDatos::SinConexion},    {"HYT00", CausaDatos::SinServidor},
    {"HYT01", CausaDatos::SinServidor},    {"08001", CausaDatos::SinConexion},
    {"08", CausaDatos::SinServidor},
};

CausaDatos causaSqlite(const FallaMotor& falla)
{
    bool numero = false;
    const int codigo = falla.codigo.toInt(&numero);
    if (!numero) {
        return CausaDatos::Otra;
    }
    if (codigo == SqliteUnica || codigo == SqliteClavePrimaria ||
        (codigo == SqliteRestriccion &&
         (falla.texto.contains(QLatin1String("UNIQUE constraint failed")) ||
          falla.texto.contains(QLatin1String("PRIMARY KEY"))))) {
        return CausaDatos::ClaveDuplicada;
    }
    if (codigo == SqliteCarpetaSoloLectura) {
        return CausaDatos::NoSePuedeAbrir;
    }
    for (const CausaSqlite& c : CausasSqlite) {
        if ((codigo & 0xff) == c.codigo) {
            return c.causa;
        }
    }
    return CausaDatos::Otra;
}

CausaDatos causaEstado(const QString& estado)
{
    if (estado.isEmpty()) {
        return CausaDatos::Otra;
    }
    for (const CausaEstado& c : CausasEstado) {
        if (estado.startsWith(QLatin1String(c.estado))) {
            return c.causa;
        }
    }
    return CausaDatos::Otra;
}

// What each cause says: what happened to the database (%1 its name) and
// what to do.
struct TextoCausa {
    CausaDatos causa;
    const char* razon;
    const char* accion;
};
const TextoCausa TextosCausa[] = {
    {CausaDatos::NoEsBase,
     "El archivo de la base de datos %1 no es una base de datos del sistema, o está dañado.",
     "Revise que --db o LICENCIAS_DB indiquen el archivo correcto. Si el archivo se dañó, el "
     "personal de informática puede restaurar el último respaldo (vea «licencias respaldo» en el "
     "manual)."},
    {CausaDatos::NoSePuedeAbrir,
     "No se puede abrir la base de datos %1: el archivo no existe, este usuario no tiene permiso "
     "para leerlo o su carpeta no admite escritura.",
     "Pida al personal de informática que revise el archivo, su carpeta y sus permisos."},
    {CausaDatos::NoExiste, "La base de datos %1 no existe.",
     "Revise el nombre indicado en --db o LICENCIAS_DB; el manual explica cómo se define la "
     "fuente de datos «Licencias»."},
    {CausaDatos::SinConexion,
     "No fue posible conectarse con la base de datos %1: no respondió o rechazó la conexión.",
     "Revise la red, que el servidor esté encendido y que la base, el usuario y la clave "
     "indicados en --db o LICENCIAS_DB (o en la fuente de datos ODBC) sean los correctos; luego "
     "vuelva a intentarlo. Si se repite, avise al personal de informática."},
    {CausaDatos::SinServidor, "La base de datos %1 dejó de responder: se perdió la conexión con el servidor.",
     "Revise la red y que el servidor esté encendido, y vuelva a intentarlo: la operación no se "
     "completó. Si se repite, avise al personal de informática."},
    {CausaDatos::SoloLectura,
     "La base de datos %1 es de solo lectura: se pueden consultar las solicitudes, pero no "
     "registrarlas, modificarlas, anularlas ni eliminarlas.",
     "Pida al personal de informática permiso de escritura sobre el archivo de la base y su "
     "carpeta (en un servidor, sobre sus tablas)."},
    {CausaDatos::Bloqueada,
     "La base de datos %1 está ocupada: otra estación o programa la tiene tomada y no la liberó a "
     "tiempo.",
     "Espere unos segundos y vuelva a intentarlo: la operación no se completó. Si se repite, "
     "cierre el otro programa que la usa o avise al personal de informática."},
    {CausaDatos::DiscoLleno, "La base de datos %1 no tiene espacio: el disco donde está se llenó.",
     "Libere espacio en ese disco, o pida al personal de informática que lo haga, y vuelva a "
     "intentarlo: la operación no se completó."},
    {CausaDatos::FallaDisco, "El disco de la base de datos %1 falló al leer o escribir.",
     "Avise al personal de informática: el disco puede estar dañado o desconectado. La operación "
     "no se completó."},
};

}  // namespace

CausaDatos ClasificaFalla(const FallaMotor& falla, OrigenDatos::Motor motor)
{
    CausaDatos causa = causaEstado(falla.estado);
    if (causa == CausaDatos::Otra) {
        causa = falla.sqlite ? causaSqlite(falla) : causaEstado(falla.codigo);
    }
    // A server that cannot be reached at the start is a connection refused,
    // whatever the driver says.
    if (falla.alAbrir && motor != OrigenDatos::Motor::SQLite &&
        (causa == CausaDatos::Otra || causa == CausaDatos::SinServidor)) {
        causa = CausaDatos::SinConexion;
    }
    return causa;
}

QString MensajeFalla(CausaDatos causa, const OrigenDatos& origen, const QString& contexto,
                     const QString& detalle)
{
    QString texto;
    for (const TextoCausa& t : TextosCausa) {
        if (t.causa == causa) {
            texto = QString::fromUtf8(t.razon).arg(origen.nombreVisible()) + QLatin1Char('\n') +
                    QString::fromUtf8(t.accion);
        }
    }
    if (texto.isEmpty()) {
        texto = QStringLiteral("%1 (base de datos %2).\nSi se repite, avise al personal de "
                               "informática con el texto de este mensaje.")
                    .arg(contexto, origen.nombreVisible());
    }
    if (!detalle.trimmed().isEmpty()) {
        texto += QStringLiteral("\n\nDetalle: ") + detalle.trimmed();
    }
    return texto;
}

QString EstadoOdbc(const QVariant& manejador, bool esSentencia)
{
    if (!manejador.isValid() || qstrcmp(manejador.typeName(), "void*") != 0) {
        return {};
    }
    SQLHANDLE h = *static_cast<SQLHANDLE const*>(manejador.constData());
    if (!h) {
        return {};
    }
    SQLCHAR estado[SQL_SQLSTATE_SIZE + 1] = {};
    SQLINTEGER nativo = 0;
    SQLSMALLINT largo = 0;
    const SQLRETURN r = SQLGetDiagRec(esSentencia ? SQL_HANDLE_STMT : SQL_HANDLE_DBC, h, 1, estado,
                                      &nativo, nullptr, 0, &largo);
    if (!SQL_SUCCEEDED(r)) {
        return {};
    }
    return QString::fromLatin1(reinterpret_cast<const char*>(estado));
}
