#pragma once

#include "platform/fuente_filas.h"

#include <QStringList>
#include <QVariantList>
#include <memory>
#include <optional>

class Conexion;

// The applications of TLicencias that meet a condition, read block by block
// in ascending Posicion as the browser shows them: the table's column names
// in their fixed order, null as empty text, every date as dd-mm-yyyy.
class FuenteLicencias : public FuenteFilas {
public:
    // `condicion` is an SQL condition over TLicencias with ? for `valores`.
    FuenteLicencias(std::shared_ptr<Conexion> conexion, QString condicion, QVariantList valores);

    // The applications whose `columna` (Nombres or ApPaterno), without its
    // leading and trailing blanks, begins with `prefijo` taken literally,
    // whatever the case of its letters (accented ones and "ñ" too), so that
    // the first block comes at once however many or few match: up to
    // `maximoReunidas` matches, their Posicion are gathered from the
    // column's search index and the rows read by key; more are dense
    // enough to pick out of the table in Posicion order.
    static constexpr int MaximoReunidas = 10000;
    static std::unique_ptr<FuenteLicencias> conPrefijo(std::shared_ptr<Conexion> conexion,
                                                       const QString& columna,
                                                       const QString& prefijo,
                                                       int maximoReunidas = MaximoReunidas);

    // Whether any application meets the condition, asked before the grid
    // takes the source: reads the first block, which the grid then takes
    // without asking the database again.
    bool tieneFilas();

    QStringList columnas() const override;
    std::vector<QStringList> siguientes(int cantidad) override;

private:
    std::vector<QStringList> lee(int cantidad);
    std::vector<QStringList> leeDonde(const QString& condicion, const QVariantList& valores,
                                      int cantidad);

    std::shared_ptr<Conexion> conexion_;
    QString condicion_;
    QVariantList valores_;
    qint64 ultimaPosicion_;
    // When known in advance, the Posicion of every row, ascending.
    std::optional<std::vector<qint64>> posiciones_;
    size_t entregadas_ = 0;
    std::vector<QStringList> primerBloque_;
    bool primerBloqueLeido_ = false;
};

// The indexes the searches by given names and father's surname go through:
// built-in functions only, so that whichever program writes a row keeps
// them right.
QStringList IndicesBusquedaSql(const Conexion& conexion);
