#pragma once

#include <QSqlQuery>
#include <QVariantList>
#include <vector>

class Conexion;

// Inserts applications into TLicencias through one prepared statement, for
// callers that store many rows inside their own transaction. Each row holds
// the 115 values in column order; Posicion is left to the database.
class InsercionLicencias {
public:
    explicit InsercionLicencias(Conexion& conexion);
    void agrega(const QVariantList& fila);

private:
    Conexion& conexion_;
    QSqlQuery insercion_;
};

// Appends applications to TLicencias in one transaction.
void AgregaLicencias(Conexion& conexion, const std::vector<QVariantList>& filas);
