#pragma once

#include "platform/fuente_filas.h"

#include <QVariantList>
#include <memory>

class Conexion;

// The applications of TLicencias that meet a condition, read block by block
// in ascending Posicion as the browser shows them: the table's column names
// in their fixed order, null as empty text, every date as dd-mm-yyyy.
class FuenteLicencias : public FuenteFilas {
public:
    // `condicion` is an SQL condition over TLicencias with ? for `valores`.
    FuenteLicencias(std::shared_ptr<Conexion> conexion, QString condicion, QVariantList valores);

    // Whether any application meets the condition, asked before the grid
    // takes the source: reads the first block, which the grid then takes
    // without asking the database again.
    bool tieneFilas();

    QStringList columnas() const override;
    std::vector<QStringList> siguientes(int cantidad) override;

private:
    std::vector<QStringList> lee(int cantidad);

    std::shared_ptr<Conexion> conexion_;
    QString condicion_;
    QVariantList valores_;
    qint64 ultimaPosicion_;
    std::vector<QStringList> primerBloque_;
    bool primerBloqueLeido_ = false;
};
