#pragma once

#include "entorno.h"
#include "register/columnas_licencia.h"
#include "shell/datos/fila.h"

#include <QMap>
#include <QVariant>
#include <memory>

// An application as the tests need it: by default granted on 07-06-2010,
// class B, no restriction, no school and no denial; each test changes only
// the columns it looks at. It becomes a stored row of TLicencias, or a row as
// the staging table hands it back, with every column.
class Solicitud {
public:
    explicit Solicitud(const QString& folio = QStringLiteral("CA04354520"))
    {
        for (const ColumnaLicencia& c : ColumnasLicencia) {
            if (c.tipo == TipoColumna::Texto &&
                QLatin1String(c.nombre).startsWith(QLatin1String("Clase"))) {
                valores_[c.nombre] = QStringLiteral("No");
            }
        }
        const QString sinRazon(20, QLatin1Char(' '));
        for (const char* razon :
             {"D01", "D02", "D03", "D04", "D05", "D06", "D07", "D08", "D09", "d10"}) {
            valores_[razon] = sinRazon;
        }
        const QPair<const char*, const char*> base[] = {
            {"Estado", "Ok"},
            {"NumeroLicencia", "09.507.357-7"},
            {"Nombres", "JUAN ANDRÉS"},
            {"ApPaterno", "SOTO"},
            {"ApMaterno", "MUÑOZ"},
            {"Domicilio", "Av. Prat-1150-Depto 2"},
            {"ComunaDomicilio", "TEMUCO"},
            {"RestriccionActual", ""},
            {"FechaActual", "07-06-2010"},
            {"FechaProximoControl", "07-06-2016"},
            {"Duplicado", "No"},
            {"ClaseB", "Si"},
            {"EscuelaRut", "00.000.000-0"},
            {"Denegada", "no"},
            {"Duracion", "000"},
        };
        for (const auto& [columna, valor] : base) {
            valores_[QLatin1String(columna)] = QString::fromUtf8(valor);
        }
        valores_[QStringLiteral("FolioActual")] = folio;
    }

    Solicitud& con(const QString& columna, const QVariant& valor)
    {
        valores_[columna] = valor;
        return *this;
    }
    // The column holds no value at all (database null).
    Solicitud& nula(const QString& columna) { return con(columna, QVariant()); }

    void agregaEn(Entorno& e) const { e.agregaLicencia(valores_); }

    Fila fila() const
    {
        QStringList nombres;
        QList<bool> fechas;
        QVariantList datos;
        for (const ColumnaLicencia& c : ColumnasLicencia) {
            nombres << QLatin1String(c.nombre);
            fechas << (c.tipo == TipoColumna::Fecha);
            datos << valores_.value(c.nombre);
        }
        return Fila(std::make_shared<ColumnasFila>(nombres, fechas), datos);
    }

private:
    QMap<QString, QVariant> valores_;
};
