#include "entorno.h"
#include "prueba.h"
#include "registry_files/generacion_planos.h"
#include "solicitudes.h"

#include <QSet>

namespace {

class Seleccion : public ::testing::Test {
protected:
    // The folios AuxTLicencias holds after staging a file, in the order the
    // writers read them.
    QStringList preparados(TipoPlano tipo, const QDate& desde, const QDate& hasta)
    {
        PreparaAuxTLicencias(e.conexion(), tipo, {desde, hasta});
        QStringList folios;
        e.conexion().recorre("SELECT FolioActual FROM AuxTLicencias ORDER BY Posicion", {},
                             [&](const Fila& f) { folios << f.texto("FolioActual"); });
        return folios;
    }

    Entorno e;
};

QDate dia(int d, int m, int a)
{
    return QDate(a, m, d);
}

}  // namespace

TEST_F(Seleccion, RangoDeFechasConAmbosExtremosEnOrdenDePosicion)
{
    // Stored out of date order: the files follow the order of storage.
    for (const auto& [folio, fecha] : {std::pair{"F1", "01-07-2010"},
                                       {"F2", "15-06-2010"},
                                       {"F3", "31-05-2010"},
                                       {"F4", "30-06-2010"},
                                       {"F5", "01-06-2010"},
                                       {"F6", "15-06-2009"},
                                       {"F7", "15-06-2011"}}) {
        Solicitud(folio).con("FechaActual", fecha).agregaEn(e);
    }
    const struct {
        QDate desde;
        QDate hasta;
        QStringList folios;
    } casos[] = {
        {dia(1, 6, 2010), dia(30, 6, 2010), {"F2", "F4", "F5"}},
        {dia(15, 6, 2010), dia(15, 6, 2010), {"F2"}},
        {dia(30, 6, 2010), dia(1, 6, 2010), {}},
        {dia(1, 1, 2009), dia(31, 12, 2011), {"F1", "F2", "F3", "F4", "F5", "F6", "F7"}},
    };
    for (const auto& c : casos) {
        for (TipoPlano tipo : {TipoPlano::Licencias, TipoPlano::Denegaciones}) {
            if (tipo == TipoPlano::Denegaciones) {
                e.conexion().ejecuta("UPDATE TLicencias SET Denegada = 'si'");
            }
            EXPECT_EQ(preparados(tipo, c.desde, c.hasta), c.folios)
                << c.desde.toString().toStdString() << " - " << c.hasta.toString().toStdString();
        }
        e.conexion().ejecuta("UPDATE TLicencias SET Denegada = 'no'");
    }
}

TEST_F(Seleccion, CadaArchivoTomaSusSolicitudes)
{
    const struct {
        const char* folio;
        QMap<QString, QVariant> columnas;
        const char* archivos;  // L licence, R restriction, D denial
    } casos[] = {
        {"OTORGADA", {}, "L"},
        {"RESTRINGIDA", {{"RestriccionActual", "1-3"}}, "R"},
        {"SOLO_BLANCOS", {{"RestriccionActual", "   "}}, "L"},
        {"RESTRICCION_NULA", {{"RestriccionActual", QVariant()}}, "L"},
        {"REPROBADA_DENEGADA", {{"Estado", "Reprobado"}, {"Denegada", "si"}}, "D"},
        {"REPROBADA_NO_DENEGADA", {{"Estado", "Reprobado"}, {"D04", "  A2                "}}, ""},
        {"OTORGADA_DENEGADA", {{"Denegada", "si"}, {"RestriccionActual", "5"}}, "RD"},
        {"ANULADA", {{"Estado", "Anulado"}, {"Denegada", "si"}}, "D"},
        {"ESTADO_NULO", {{"Estado", QVariant()}}, ""},
        {"ESTADO_MINUSCULAS", {{"Estado", "ok"}}, ""},
        {"DENEGADA_MAYUSCULA", {{"Denegada", "Si"}}, "L"},
        {"SIN_FECHA", {{"FechaActual", QVariant()}, {"Denegada", "si"}}, ""},
        {"FECHA_NO_ES_FECHA", {{"FechaActual", "sin fecha"}, {"Denegada", "si"}}, ""},
    };
    QMap<QChar, QStringList> esperados;
    for (const auto& c : casos) {
        Solicitud s(c.folio);
        for (auto it = c.columnas.cbegin(); it != c.columnas.cend(); ++it) {
            s.con(it.key(), it.value());
        }
        s.agregaEn(e);
        for (const char letra : QByteArray(c.archivos)) {
            esperados[QChar(letra)] << c.folio;
        }
    }
    const QDate junio7 = dia(7, 6, 2010);
    EXPECT_EQ(preparados(TipoPlano::Licencias, junio7, junio7), esperados['L']);
    EXPECT_EQ(preparados(TipoPlano::Restricciones, junio7, junio7), esperados['R']);
    EXPECT_EQ(preparados(TipoPlano::Denegaciones, junio7, junio7), esperados['D']);
}
