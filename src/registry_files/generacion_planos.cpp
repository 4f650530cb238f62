#include "registry_files/generacion_planos.h"

#include "registry_files/archivo_plano.h"
#include "registry_files/registros_planos.h"
#include "shell/datos/clave_fecha.h"
#include "shell/datos/conexion.h"

#include <QDir>

namespace {

struct ArchivoPlano {
    TipoPlano tipo;
    const char* nombre;
    const char* encabezado;  // the commune header, padded with blanks to its width
    int anchoEncabezado;
    // Which applications of the range the file reports; `valor` is bound.
    const char* condicion;
    const char* valor;
    QByteArrayList (*lineas)(const Fila&);
    const char* textoExito;
    const char* textoSinDatos;
};

const ArchivoPlano Archivos[] = {
    {TipoPlano::Licencias, "LPVN000", "Pelvarin", 8,
     "Estado = ? AND length(trim(coalesce(RestriccionActual, ''))) = 0", "Ok", LineasLicencia,
     "El archivo plano (LPVN000) fue generado exitosamente",
     "No hay información para la selección solicitada (LPVN000)"},
    {TipoPlano::Restricciones, "RPVN000", "Pelvarin", 8,
     "Estado = ? AND length(trim(RestriccionActual)) > 0", "Ok", LineasRestriccion,
     "El archivo plano (RPVN000) fue generado exitosamente",
     "No hay información para la selección solicitada  (RPVN000)"},
    {TipoPlano::Denegaciones, "DPVN000", "Pelvarin", 50, "Denegada = ?", "si", LineasDenegacion,
     "El archivo plano (DPVN000) fue generado exitosamente",
     "No hay información para la selección solicitada (DPVN000)"},
};

const ArchivoPlano& archivoDe(TipoPlano tipo)
{
    for (const ArchivoPlano& a : Archivos) {
        if (a.tipo == tipo) {
            return a;
        }
    }
    return Archivos[0];
}

// The staged rows, with the columns their records read only.
QString lecturaAux()
{
    return QStringLiteral("SELECT %1 FROM AuxTLicencias ORDER BY Posicion")
        .arg(ColumnasRegistros().join(QStringLiteral(", ")));
}

AvisoPlano falla(const QString& texto, const QString& titulo)
{
    return {texto, titulo, Icono::Critico, true};
}

}  // namespace

QString NombrePlano(TipoPlano tipo)
{
    return QString::fromLatin1(archivoDe(tipo).nombre);
}

void PreparaAuxTLicencias(Conexion& conexion, TipoPlano tipo, const RangoSolicitud& rango)
{
    const ArchivoPlano& a = archivoDe(tipo);
    Transaccion t(conexion);
    // On PostgreSQL deleted rows stay in the table until it is vacuumed, and
    // every run would read through those of the runs before: the table is
    // emptied whole instead. SQLite empties it whole either way.
    conexion.ejecuta(conexion.dialecto() == Conexion::Dialecto::PostgreSQL
                         ? QStringLiteral("TRUNCATE AuxTLicencias")
                         : QStringLiteral("DELETE FROM AuxTLicencias"));
    conexion.ejecuta(
        QStringLiteral("INSERT INTO AuxTLicencias SELECT * FROM TLicencias "
                       "WHERE %1 BETWEEN ? AND ? AND %2")
            .arg(ClaveFechaSql(), QLatin1String(a.condicion)),
        {ClaveFecha(rango.desde), ClaveFecha(rango.hasta), QString::fromLatin1(a.valor)});
    t.confirma();
}

ResultadoPlano EscribePlano(const QString& ruta, const QByteArray& encabezado,
                            QByteArrayList (*lineas)(const Fila&), const RecorreFilas& recorre)
{
    ResultadoPlano resultado;
    EscrituraPlano archivo(ruta);
    if (!archivo.abierta()) {
        resultado.motivo = archivo.motivo();
        return resultado;
    }
    recorre([&](const Fila& fila) {
        if (resultado.filas++ == 0) {
            archivo.escribeLinea(encabezado);
        }
        for (const QByteArray& linea : lineas(fila)) {
            archivo.escribeLinea(linea);
        }
    });
    if (resultado.filas == 0) {
        archivo.escribeLinea(" ");
    }
    resultado.escrito = archivo.termina();
    if (!resultado.escrito) {
        resultado.motivo = archivo.motivo();
    }
    return resultado;
}

bool GeneraPlano(Conexion& conexion, TipoPlano tipo, const RangoSolicitud& rango,
                 const CarpetasPlanos& carpetas, const Avisa& avisa)
{
    const ArchivoPlano& a = archivoDe(tipo);
    const QString nombre = QString::fromLatin1(a.nombre);
    const QString ruta = QDir(carpetas.trabajo).filePath(nombre);
    ResultadoPlano resultado;
    {
        // What the file holds is what was staged: no other run comes between.
        Transaccion t(conexion);
        PreparaAuxTLicencias(conexion, tipo, rango);
        resultado =
            EscribePlano(ruta, QByteArray(a.encabezado).leftJustified(a.anchoEncabezado), a.lineas,
                         [&](const auto& porFila) { conexion.recorre(lecturaAux(), {}, porFila); });
        t.confirma();
    }
    if (!resultado.escrito) {
        avisa(falla(QStringLiteral("No fue posible escribir el archivo plano %1 en %2: %3")
                        .arg(nombre, QDir::toNativeSeparators(ruta), resultado.motivo),
                    QStringLiteral("Error al generar el archivo plano")));
        return false;
    }
    QString motivo;
    if (!CopiaPlano(ruta, carpetas.salida, &motivo)) {
        avisa(falla(QStringLiteral("No fue posible copiar el archivo plano %1 en la carpeta %2: %3")
                        .arg(nombre, QDir::toNativeSeparators(carpetas.salida), motivo),
                    QStringLiteral("Error al copiar el archivo plano")));
        return false;
    }
    if (resultado.filas > 0) {
        avisa({QString::fromUtf8(a.textoExito), QStringLiteral("Archivo generado"), Icono::Ninguno,
               false});
    } else {
        avisa({QString::fromUtf8(a.textoSinDatos),
               QStringLiteral("Error: Datos solicitados no existen"), Icono::Critico, false});
    }
    return true;
}

bool GeneraPlanoLicencias(Conexion& conexion, const RangoSolicitud& rango,
                          const CarpetasPlanos& carpetas, const Avisa& avisa)
{
    const bool licencias = GeneraPlano(conexion, TipoPlano::Licencias, rango, carpetas, avisa);
    const bool restricciones =
        GeneraPlano(conexion, TipoPlano::Restricciones, rango, carpetas, avisa);
    return licencias && restricciones;
}

bool GeneraPlanoDenegaciones(Conexion& conexion, const RangoSolicitud& rango,
                             const CarpetasPlanos& carpetas, const Avisa& avisa)
{
    return GeneraPlano(conexion, TipoPlano::Denegaciones, rango, carpetas, avisa);
}
