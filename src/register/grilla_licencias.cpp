#include "register/grilla_licencias.h"

#include "register/columnas_licencia.h"
#include "shell/datos/recordset.h"

#include <QDate>

namespace {

// SQLite hands a stored date back as ISO text.
QString textoFecha(const QString& texto)
{
    const QDate fecha = QDate::fromString(texto.left(10), Qt::ISODate);
    return fecha.isValid() ? fecha.toString(QStringLiteral("dd-MM-yyyy")) : texto;
}

}  // namespace

TablaTextos TablaLicencias(const Recordset& licencias)
{
    TablaTextos tabla;
    tabla.columnas = licencias.columnas();
    Recordset filas = licencias;
    for (filas.moveFirst(); !filas.eof(); filas.moveNext()) {
        QStringList textos;
        for (const QString& columna : tabla.columnas) {
            textos << filas.texto(columna);
        }
        tabla.filas.push_back(textos);
    }
    for (int i = 0; i < tabla.columnas.size(); ++i) {
        const int posicion = PosicionColumna(tabla.columnas[i]);
        if (posicion == 0) {
            continue;
        }
        const ColumnaLicencia& columna = ColumnaEn(posicion);
        tabla.columnas[i] = QLatin1String(columna.nombre);
        if (columna.tipo == TipoColumna::Fecha) {
            for (QStringList& fila : tabla.filas) {
                fila[i] = textoFecha(fila[i]);
            }
        }
    }
    return tabla;
}
