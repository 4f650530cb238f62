#include "register/grilla_licencias.h"

#include "platform/grilla.h"
#include "register/columnas_licencia.h"
#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <algorithm>
#include <limits>
#include <set>
#include <utility>

namespace {

QStringList nombresColumnas()
{
    QStringList nombres;
    for (const ColumnaLicencia& c : ColumnasLicencia) {
        nombres << QLatin1String(c.nombre);
    }
    return nombres;
}

// The searchable columns and their indexes.
const struct {
    const char* columna;
    const char* indice;
} ColumnasBusqueda[] = {
    {"Nombres", "TLicencias_BuscaNombres"},
    {"ApPaterno", "TLicencias_BuscaApPaterno"},
};

// The key the search index of a column holds. SQLite's NOCASE folds ASCII
// letters only: the other letters are searched in each of their cases.
// PostgreSQL's upper() folds every letter; "C" makes the order that of the
// characters, so that a prefix is one range.
QString claveBusqueda(const Conexion& conexion, const QString& columna)
{
    return conexion.dialecto() == Conexion::Dialecto::PostgreSQL
               ? QStringLiteral("upper(trim(%1)) COLLATE \"C\"").arg(columna)
               : QStringLiteral("trim(%1) COLLATE NOCASE").arg(columna);
}

// A typed text matched literally by LIKE: its wildcards lose their meaning.
QString prefijoLiteral(const QString& texto)
{
    QString escapado = texto;
    escapado.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escapado.replace(QLatin1Char('%'), QLatin1String("\\%"));
    escapado.replace(QLatin1Char('_'), QLatin1String("\\_"));
    return escapado + QLatin1Char('%');
}

// The prefix match row by row, both sides in upper case, so every engine
// finds the same rows; no index serves it.
QString condicionFila(const QString& columna)
{
    return QStringLiteral("upper(TRIM(%1)) LIKE upper(?) ESCAPE '\\'").arg(columna);
}

// Ranges of the search key that hold exactly the keys beginning with a
// prefix: from the prefix up to the prefix followed by the last character.
struct RangosPrefijo {
    QStringList desde;
    bool exactos = true;  // false: they hold more, the row condition sorts them out
};

const QString UltimoCaracter = QString::fromUcs4(U"\U0010FFFF");

// On SQLite, one range for every way of writing the letters NOCASE does not
// fold, up to a limit; past it the ranges stop at that letter.
RangosPrefijo rangosSqlite(const QString& prefijo)
{
    constexpr int MaximoRangos = 32;
    std::vector<QString> formas{QString()};
    RangosPrefijo r;
    for (const QChar c : prefijo) {
        std::set<QChar> casos{c};
        if (c.unicode() > 127) {
            casos.insert(c.toUpper());
            casos.insert(c.toLower());
        }
        if (formas.size() * casos.size() > MaximoRangos) {
            r.exactos = false;
            break;
        }
        std::vector<QString> siguientes;
        for (const QString& forma : formas) {
            for (const QChar caso : casos) {
                siguientes.push_back(forma + caso);
            }
        }
        formas = std::move(siguientes);
    }
    for (const QString& forma : formas) {
        r.desde << forma;
    }
    return r;
}

}  // namespace

FuenteLicencias::FuenteLicencias(std::shared_ptr<Conexion> conexion, QString condicion,
                                 QVariantList valores)
    : conexion_(std::move(conexion)),
      condicion_(std::move(condicion)),
      valores_(std::move(valores)),
      ultimaPosicion_(std::numeric_limits<qint64>::min())
{
}

std::unique_ptr<FuenteLicencias> FuenteLicencias::conPrefijo(std::shared_ptr<Conexion> conexion,
                                                             const QString& columna,
                                                             const QString& prefijo,
                                                             int maximoReunidas)
{
    auto fuente = std::make_unique<FuenteLicencias>(conexion, condicionFila(columna),
                                                    QVariantList{prefijoLiteral(prefijo)});
    const bool postgres = conexion->dialecto() == Conexion::Dialecto::PostgreSQL;
    const RangosPrefijo rangos =
        postgres ? RangosPrefijo{{prefijo}, true} : rangosSqlite(prefijo);
    // PostgreSQL folds the bounds itself, with the same upper() as the index.
    QString donde = QStringLiteral("%1 >= %2 AND %1 < %2")
                        .arg(claveBusqueda(*conexion, columna),
                             postgres ? QStringLiteral("upper(?)") : QStringLiteral("?"));
    if (!rangos.exactos) {
        donde += QStringLiteral(" AND ") + fuente->condicion_;
    }
    const auto valoresDe = [&](const QString& desde) {
        QVariantList valores{desde, desde + UltimoCaracter};
        return rangos.exactos ? valores : valores << fuente->valores_;
    };
    // Counted first in the index alone, up to one more than are gathered.
    qint64 encontradas = 0;
    for (const QString& desde : rangos.desde) {
        encontradas +=
            conexion
                ->consulta(QStringLiteral("SELECT count(*) AS n FROM "
                                          "(SELECT 1 FROM TLicencias WHERE %1 LIMIT ?) AS r")
                               .arg(donde),
                           valoresDe(desde) << qint64(maximoReunidas) + 1 - encontradas)
                .valor(QStringLiteral("n"))
                .toLongLong();
        if (encontradas > maximoReunidas) {
            return fuente;
        }
    }
    std::vector<qint64> posiciones;
    for (const QString& desde : rangos.desde) {
        conexion->recorre(QStringLiteral("SELECT Posicion FROM TLicencias WHERE %1").arg(donde),
                          valoresDe(desde), [&](const Fila& fila) {
                              posiciones.push_back(
                                  fila.valor(QStringLiteral("Posicion")).toLongLong());
                          });
    }
    std::sort(posiciones.begin(), posiciones.end());
    fuente->posiciones_ = std::move(posiciones);
    return fuente;
}

QStringList FuenteLicencias::columnas() const
{
    static const QStringList nombres = nombresColumnas();
    return nombres;
}

bool FuenteLicencias::tieneFilas()
{
    if (!primerBloqueLeido_) {
        primerBloque_ = lee(ModeloGrilla::FilasPorBloque);
        primerBloqueLeido_ = true;
    }
    return !primerBloque_.empty();
}

std::vector<QStringList> FuenteLicencias::siguientes(int cantidad)
{
    if (!primerBloqueLeido_) {
        primerBloqueLeido_ = true;
        return lee(cantidad);
    }
    if (!primerBloque_.empty()) {
        return std::exchange(primerBloque_, {});
    }
    return lee(cantidad);
}

// Each block continues after the last Posicion handed over, so no block
// depends on how many rows came before it.
std::vector<QStringList> FuenteLicencias::lee(int cantidad)
{
    if (!posiciones_) {
        QVariantList valores = valores_;
        valores << ultimaPosicion_;
        return leeDonde(QStringLiteral("(%1) AND Posicion > ?").arg(condicion_), valores,
                        cantidad);
    }
    const size_t hasta = std::min(posiciones_->size(), entregadas_ + size_t(std::max(0, cantidad)));
    if (hasta == entregadas_) {
        return {};
    }
    QVariantList valores;
    for (size_t i = entregadas_; i < hasta; ++i) {
        valores << (*posiciones_)[i];
    }
    entregadas_ = hasta;
    const QStringList marcas(int(valores.size()), QStringLiteral("?"));
    return leeDonde(QStringLiteral("Posicion IN (%1)").arg(marcas.join(QLatin1Char(','))), valores,
                    cantidad);
}

std::vector<QStringList> FuenteLicencias::leeDonde(const QString& condicion,
                                                   const QVariantList& valores, int cantidad)
{
    std::vector<QStringList> bloque;
    QVariantList todos = valores;
    todos << cantidad;
    const QString sql =
        QStringLiteral("SELECT * FROM TLicencias WHERE %1 ORDER BY Posicion LIMIT ?").arg(condicion);
    std::vector<int> indices;
    conexion_->recorre(sql, todos, [&](const Fila& fila) {
        if (indices.empty()) {
            for (const ColumnaLicencia& c : ColumnasLicencia) {
                indices.push_back(fila.columnas().indice(QLatin1String(c.nombre)));
            }
        }
        QStringList textos;
        textos.reserve(NumeroColumnasLicencia);
        for (int i : indices) {
            textos << (i < 0 ? QString() : fila.texto(i));
        }
        bloque.push_back(std::move(textos));
        ultimaPosicion_ = fila.valor(QStringLiteral("Posicion")).toLongLong();
    });
    return bloque;
}

QStringList IndicesBusquedaSql(const Conexion& conexion)
{
    // PostgreSQL counts and gathers the matches from the index alone only
    // when it also holds the column and Posicion; SQLite's index holds the
    // row's key anyway.
    const bool postgres = conexion.dialecto() == Conexion::Dialecto::PostgreSQL;
    QStringList sql;
    for (const auto& b : ColumnasBusqueda) {
        const QString columna = QLatin1String(b.columna);
        sql << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON TLicencias (%2)%3")
                   .arg(QLatin1String(b.indice), claveBusqueda(conexion, columna),
                        postgres ? QStringLiteral(" INCLUDE (%1, Posicion)").arg(columna)
                                 : QString());
    }
    return sql;
}
