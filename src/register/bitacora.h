#pragma once

#include "shell/datos/esquema.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

class Conexion;

// The audit trail of every change to the register: who changed which
// application, when, where, and for a change the columns with their old and
// new values. Each entry is written in the transaction of the change it
// records, so neither exists without the other.
struct EntradaBitacora {
    QDateTime momento;
    QString estacion;
    QString usuario;
    QString accion;  // "Registrar", "Modificar", "Anular", "Eliminar", "Firma"
    QString folio;
    QString cambios;  // "Columna: «antes» → «después»", one per line
};

ComponenteEsquema EsquemaBitacora();

void AnotaBitacora(Conexion& conexion, const EntradaBitacora& entrada);

// The columns whose text differs between two rows of the same columns.
QString CambiosEntre(const QStringList& columnas, const QStringList& antes, const QStringList& despues);

// The entries of the days from `desde` to `hasta` (an invalid date leaves
// that end open) and of `folio` when given, oldest first, one at a time.
void LeeBitacora(Conexion& conexion, const QDate& desde, const QDate& hasta, const QString& folio,
                 const std::function<void(const EntradaBitacora&)>& porEntrada);
