// Times a run of each registry file on a database, beside the staging that
// copies the whole table into AuxTLicencias and deletes what does not
// belong: tiempo_planos --db CONEXION --desde DD-MM-AAAA --hasta DD-MM-AAAA

#include "app/esquema_sistema.h"
#include "registry_files/generacion_planos.h"
#include "shell/datos/clave_fecha.h"
#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <exception>

namespace {

struct Copia {
    TipoPlano tipo;
    const char* insercion;
    QStringList borrados;  // after the range
};

const Copia Copias[] = {
    {TipoPlano::Licencias,
     "INSERT INTO AuxTLicencias SELECT * FROM TLicencias",
     {"DELETE FROM AuxTLicencias WHERE length(trim(RestriccionActual)) > 0",
      "DELETE FROM AuxTLicencias WHERE Estado <> 'Ok'"}},
    {TipoPlano::Restricciones,
     "INSERT INTO AuxTLicencias SELECT * FROM TLicencias",
     {"DELETE FROM AuxTLicencias WHERE length(trim(RestriccionActual)) < 1",
      "DELETE FROM AuxTLicencias WHERE Estado <> 'Ok'"}},
    {TipoPlano::Denegaciones,
     "INSERT INTO AuxTLicencias SELECT * FROM TLicencias WHERE Denegada = 'si'",
     {}},
};

void copiaYBorra(Conexion& conexion, const Copia& copia, const RangoSolicitud& rango)
{
    Transaccion t(conexion);
    conexion.ejecuta(QStringLiteral("DELETE FROM AuxTLicencias"));
    conexion.ejecuta(QString::fromLatin1(copia.insercion));
    conexion.ejecuta(
        QStringLiteral("DELETE FROM AuxTLicencias WHERE %1 < ? OR %1 > ?").arg(ClaveFechaSql()),
        {ClaveFecha(rango.desde), ClaveFecha(rango.hasta)});
    for (const QString& borrado : copia.borrados) {
        conexion.ejecuta(borrado);
    }
    t.confirma();
}

// The rows staged and the sum of their Posicion, to see both stagings agree.
QString preparadas(Conexion& conexion)
{
    Recordset r = conexion.consulta(
        QStringLiteral("SELECT count(*) AS n, sum(Posicion) AS s FROM AuxTLicencias"));
    return QStringLiteral("%1 filas (suma de Posicion %2)").arg(r.texto("n"), r.texto("s"));
}

double segundos(const std::function<void()>& trabajo)
{
    QElapsedTimer reloj;
    reloj.start();
    trabajo();
    return reloj.elapsed() / 1000.0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication aplicacion(argc, argv);
    QTextStream salida(stdout);
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("CONEXION"));
    const QCommandLineOption desde(QStringLiteral("desde"), QString(), QStringLiteral("FECHA"));
    const QCommandLineOption hasta(QStringLiteral("hasta"), QString(), QStringLiteral("FECHA"));
    parser.addOptions({db, desde, hasta});
    parser.process(aplicacion);
    QString error;
    const auto origen = OrigenDatos::interpreta(parser.value(db), &error);
    const RangoSolicitud rango{
        QDate::fromString(parser.value(desde), QStringLiteral("dd-MM-yyyy")),
        QDate::fromString(parser.value(hasta), QStringLiteral("dd-MM-yyyy"))};
    if (!origen || !rango.desde.isValid() || !rango.hasta.isValid()) {
        QTextStream(stderr)
            << "Uso: tiempo_planos --db CONEXION --desde DD-MM-AAAA --hasta DD-MM-AAAA\n";
        return 2;
    }
    try {
        std::shared_ptr<Conexion> conexion;
        salida << "Apertura y esquema: " << segundos([&] { conexion = AbreBase(*origen); })
               << " s\n";
        QTemporaryDir carpeta;
        const CarpetasPlanos carpetas{carpeta.path(), carpeta.filePath(QStringLiteral("planos"))};
        for (const Copia& copia : Copias) {
            const QString nombre = NombrePlano(copia.tipo);
            const double literal = segundos([&] { copiaYBorra(*conexion, copia, rango); });
            salida << nombre << " copia y borrado: " << literal << " s, " << preparadas(*conexion)
                   << "\n";
            const double directa =
                segundos([&] { PreparaAuxTLicencias(*conexion, copia.tipo, rango); });
            salida << nombre << " selección directa: " << directa << " s, " << preparadas(*conexion)
                   << "\n";
            const double corrida = segundos([&] {
                GeneraPlano(*conexion, copia.tipo, rango, carpetas,
                            [&](const AvisoPlano& a) { salida << "  " << a.texto << "\n"; });
            });
            salida << nombre << " corrida completa (selección, archivo y copia): " << corrida
                   << " s\n";
            salida.flush();
        }
    } catch (const std::exception& e) {
        QTextStream(stderr) << "tiempo_planos: " << QString::fromStdString(e.what()) << "\n";
        return 1;
    }
    return 0;
}
