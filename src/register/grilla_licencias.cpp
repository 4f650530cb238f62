#include "register/grilla_licencias.h"

#include "platform/grilla.h"
#include "register/columnas_licencia.h"
#include "shell/datos/conexion.h"

#include <limits>
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

}  // namespace

FuenteLicencias::FuenteLicencias(std::shared_ptr<Conexion> conexion, QString condicion,
                                 QVariantList valores)
    : conexion_(std::move(conexion)),
      condicion_(std::move(condicion)),
      valores_(std::move(valores)),
      ultimaPosicion_(std::numeric_limits<qint64>::min())
{
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
    std::vector<QStringList> bloque;
    QVariantList valores = valores_;
    valores << ultimaPosicion_ << cantidad;
    const QString sql =
        QStringLiteral("SELECT * FROM TLicencias WHERE (%1) AND Posicion > ? ORDER BY Posicion LIMIT ?")
            .arg(condicion_);
    std::vector<int> indices;
    conexion_->recorre(sql, valores, [&](const Fila& fila) {
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
