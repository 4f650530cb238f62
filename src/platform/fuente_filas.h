#pragma once

#include <QStringList>
#include <vector>

// The rows a grid shows, handed over in blocks as the grid needs them, so
// that a result of any size costs the grid only the rows it has shown.
class FuenteFilas {
public:
    virtual ~FuenteFilas() = default;
    virtual QStringList columnas() const = 0;
    // Up to `cantidad` rows after those already handed over; fewer than
    // asked means there are no more.
    virtual std::vector<QStringList> siguientes(int cantidad) = 0;
};

// A fixed set of rows.
class FuenteFija : public FuenteFilas {
public:
    FuenteFija(QStringList columnas, std::vector<QStringList> filas)
        : columnas_(std::move(columnas)), filas_(std::move(filas)) {}

    QStringList columnas() const override { return columnas_; }
    std::vector<QStringList> siguientes(int cantidad) override
    {
        std::vector<QStringList> bloque;
        while (entregadas_ < filas_.size() && int(bloque.size()) < cantidad) {
            bloque.push_back(filas_[entregadas_++]);
        }
        return bloque;
    }

private:
    QStringList columnas_;
    std::vector<QStringList> filas_;
    size_t entregadas_ = 0;
};
