#include "fixtura.h"
#include "listings/estadistica.h"
#include "listings/hoja_estadistica.h"
#include "shell/datos/fila.h"
#include "superficie_grabadora.h"

#include <QPushButton>

namespace {

using Valores = QList<QPair<QString, QVariant>>;

SolicitudContada contada(const Valores& valores)
{
    const Fila fila = Fila::de(valores);
    return LectorSolicitud(fila.columnas()).lee(fila);
}

// The boxes that do not show zero after counting these applications.
QMap<QString, int> distintasDeCero(const QList<Valores>& solicitudes, TipoEstadistica tipo)
{
    ConteoMes conteo;
    for (const Valores& s : solicitudes) {
        conteo.cuenta(contada(s), tipo);
    }
    const ValoresHoja valores = CalculaValoresHoja(conteo, tipo);
    QMap<QString, int> distintas;
    for (auto it = valores.cbegin(); it != valores.cend(); ++it) {
        if (it.value() != 0) {
            distintas.insert(it.key(), it.value());
        }
    }
    return distintas;
}

// One application and the boxes it moves.
struct Caso {
    const char* que;
    Valores solicitud;
    QMap<QString, int> cajas;
};

void compruebaCasos(const std::vector<Caso>& casos, TipoEstadistica tipo)
{
    for (const Caso& c : casos) {
        Valores v = c.solicitud;
        if (std::none_of(v.begin(), v.end(), [](const auto& p) { return p.first == "Sexo"; })) {
            v.append(qMakePair(QString("Sexo"), QVariant("Masculino")));
        }
        EXPECT_EQ(distintasDeCero({v}, tipo), c.cajas) << c.que;
    }
}

TEST(Estadistica, ReglasDeConteoDeLasOtorgadas)
{
    const std::vector<Caso> casos = {
        {"primera vez en minúsculas", {{"PrimeraVez", "si"}, {"ClaseB", "Si"}}, {}},
        {"primera vez tras un blanco", {{"PrimeraVez", " Si"}, {"ClaseB", "Si"}}, {}},
        {"clase con blancos y sexo con un blanco al final",
         {{"PrimeraVez", "Si"}, {"ClaseB", " Si "}, {"Sexo", "Femenino "}},
         {{"NE_PVBM", 1}, {"NE_PVTM", 1}, {"NE_TBM", 1}, {"NE_TTM", 1}, {"NE_BM", 1}, {"NE_TM", 1}}},
        {"sexo desconocido", {{"CambioClase", "Si"}, {"ClaseB", "Si"}, {"Sexo", "X"}}, {}},
        {"sin petición", {{"ClaseB", "Si"}}, {}},
        {"A3 por cambio de clase, hombre",
         {{"CambioClase", "Si"}, {"ClaseA3", "Si"}},
         {{"NE_CCA3H", 1}, {"NE_CCTPH", 1}, {"NE_TA3H", 1}, {"NE_TTPH", 1}, {"NE_A3H", 1}, {"NE_TPH", 1}}},
        {"A1 del régimen anterior",
         {{"ExamenControl", "Si"}, {"ClaseA1a", "Si"}},
         {{"NE_ECA1aH", 1}, {"NE_ECTH", 1}, {"NE_TA1aH", 1}, {"NE_TTH", 1}, {"NE_A1aH", 1}, {"NE_TH", 1}}},
        {"primera vez y ampliación para B y C, mujer",
         {{"PrimeraVez", "Si"}, {"AmpliacionClase", "Si"}, {"ClaseB", "Si"}, {"ClaseC", "Si"},
          {"Sexo", "Femenino"}},
         {{"NE_PVBM", 1}, {"NE_PVCM", 1}, {"NE_ACBM", 1}, {"NE_ACCM", 1}, {"NE_PVTM", 2},
          {"NE_ACTM", 2}, {"NE_TBM", 2}, {"NE_TCM", 2}, {"NE_TTM", 4}, {"NE_BM", 2}, {"NE_CM", 2},
          {"NE_TM", 4}}},
    };
    compruebaCasos(casos, TipoEstadistica::Otorgadas);
}

TEST(Estadistica, ReglasDeConteoDeLasDenegadas)
{
    const std::vector<Caso> casos = {
        {"mujer de clase B que reprobó el médico y el teórico",
         {{"ExamenMedico", "No"}, {"ExamenTeorico", "No"}, {"ExamenPractico", "Si"},
          {"ClaseB", "Si"}, {"Sexo", "Femenino"}},
         {{"NE_CCBM", 1}, {"NE_PVBM", 1}, {"NE_CCTM", 1}, {"NE_PVTM", 1}, {"NE_TBM", 2},
          {"NE_TTM", 2}, {"NE_BM", 1}, {"NE_TM", 1}}},
        {"exámenes en minúsculas o tras un blanco",
         {{"ExamenMedico", "no"}, {"ExamenTeorico", " No"}, {"ClaseB", "Si"}},
         {{"NE_BH", 1}, {"NE_TH", 1}}},
        {"la fila sin examen queda en cero",
         {{"ExamenMedico", "No"}, {"ExamenTeorico", "No"}, {"ExamenPractico", "No"},
          {"ExamenControl", "Si"}, {"ClaseB", "Si"}},
         {{"NE_CCBH", 1}, {"NE_PVBH", 1}, {"NE_ACBH", 1}, {"NE_CCTH", 1}, {"NE_PVTH", 1},
          {"NE_ACTH", 1}, {"NE_TBH", 3}, {"NE_TTH", 3}, {"NE_BH", 1}, {"NE_TH", 1}}},
        {"profesional con los tres exámenes aprobados",
         {{"ExamenMedico", "Si"}, {"ExamenTeorico", "Si"}, {"ExamenPractico", "Si"},
          {"ClaseA2", "Si"}},
         {{"NE_A2H", 1}, {"NE_TPH", 1}}},
    };
    compruebaCasos(casos, TipoEstadistica::Denegadas);
}

TEST(Estadistica, FuncionesDeSumaPorCodigo)
{
    const SolicitudContada s = contada({{"ClaseB", "Si"}, {"Sexo", "Masculino"}, {"CambioClase", "Si"},
                                        {"ExamenMedico", "No"}, {"ExamenTeorico", "Si"}});
    const struct {
        const char* funcion;
        const char* fila;
        const char* clase;
        const char* sexo;
        int esperado;
    } casos[] = {
        {"SumaClase", "", "B", "H", 1},        {"SumaClase", "", " B ", "H", 1},
        {"SumaClase", "", "b", "H", 0},        {"SumaClase", "", "G", "H", 0},
        {"SumaClase", "", "B", "h", 0},        {"SumaClase", "", "B", " H", 0},
        {"SumaClase", "", "B", "M", 0},        {"SumaClase", "", "C", "H", 0},
        {"SumaPeticionClase", "CC", "B", "H", 1}, {"SumaPeticionClase", "cc", "B", "H", 0},
        {"SumaPeticionClase", "PV", "B", "H", 0}, {"SumaPeticionClase", "XX", "B", "H", 0},
        {"SumaDeniegaClase", "CC", "B", "H", 1},  {"SumaDeniegaClase", "PV", "B", "H", 0},
        {"SumaDeniegaClase", "EC", "B", "H", 0},  {"SumaDeniegaClase", " CC", "B", "H", 0},
    };
    for (const auto& c : casos) {
        const QString funcion = c.funcion;
        const int obtenido = funcion == "SumaClase" ? SumaClase(s, c.clase, c.sexo)
                             : funcion == "SumaPeticionClase"
                                 ? SumaPeticionClase(s, c.fila, c.clase, c.sexo)
                                 : SumaDeniegaClase(s, c.fila, c.clase, c.sexo);
        EXPECT_EQ(obtenido, c.esperado) << c.funcion << " " << c.fila << " " << c.clase << " " << c.sexo;
    }
}

using Hojas = Listados;

TEST_F(Hojas, CadaHojaLeeLasSolicitudesDeSuEstadoYSuMes)
{
    agrega({solicitud("10-03-2010", {{"Estado", " Ok "}}), solicitud("31-03-2010"),
            solicitud("01-03-2010", {{"Estado", "ok"}}),
            solicitud("11-03-2010", {{"Estado", "Reprobado"}}),
            solicitud("12-03-2010", {{"Estado", "Anulado"}}),
            solicitud("01-04-2010"), solicitud("28-02-2010"), solicitud("10-03-2011"),
            solicitud("10/03/2010", {{"Estado", "Reprobado"}}),
            // A malformed date whose key happens to begin as March 2010's
            // ("201003x"), although its month and year are not.
            solicitud("3x?00?201")});
    NormalizaFechaActual1(e.conexion());
    EXPECT_EQ(CuentaMes(e.conexion(), TipoEstadistica::Otorgadas, 2, "2010").solicitudes, 2);
    EXPECT_EQ(CuentaMes(e.conexion(), TipoEstadistica::Denegadas, 2, "2010").solicitudes, 2);
    EXPECT_EQ(CuentaMes(e.conexion(), TipoEstadistica::Otorgadas, 11, "2010").solicitudes, 0);
}

TEST_F(Hojas, UnaCasillaDeMasDe255NoSeDesborda)
{
    QList<Campos> solicitudes;
    for (int i = 0; i < 300; ++i) {
        solicitudes << solicitud("15-03-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}});
    }
    agrega(solicitudes);
    const auto hoja = acepta("Marzo", "2010");
    ASSERT_TRUE(hoja);
    for (const char* caja : {"NE_CCBH", "NE_CCTH", "NE_TBH", "NE_TTH", "NE_BH", "NE_TH"}) {
        EXPECT_EQ(hoja->value(caja), "300") << caja;
    }
}

TEST_F(Hojas, UnMesSinSolicitudesMuestraSoloElMesYElAnio)
{
    agrega(solicitud("15-04-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}}));
    for (const char* modo : {"Estadistica", "Denegada"}) {
        const auto hoja = acepta("Marzo", "2010", modo);
        ASSERT_TRUE(hoja) << modo;
        EXPECT_EQ(hoja->value("Text_Mes"), "Marzo");
        EXPECT_EQ(hoja->value("MEd_Ano"), "2010");
        int cajas = 0;
        for (auto it = hoja->cbegin(); it != hoja->cend(); ++it) {
            if (it.key().startsWith("NE_")) {
                ++cajas;
                EXPECT_EQ(it.value(), "") << modo << " " << it.key().toStdString();
            }
        }
        EXPECT_EQ(cajas, 2 * (5 * 8 + 8 + 5 * 6 + 6)) << modo;
    }
}

TEST_F(Hojas, LaFilaSinExamenDeLaHojaDeDenegadasMuestraCero)
{
    agrega(solicitud("15-03-2010", {{"Estado", "Reprobado"}, {"ExamenControl", "Si"},
                                    {"ExamenMedico", "No"}, {"ClaseB", "Si"}, {"ClaseA2", "Si"}}));
    const auto hoja = acepta("Marzo", "2010", "Denegada");
    ASSERT_TRUE(hoja);
    int filaEC = 0;
    for (auto it = hoja->cbegin(); it != hoja->cend(); ++it) {
        if (it.key().startsWith("NE_EC")) {
            ++filaEC;
            EXPECT_EQ(it.value(), "0") << it.key().toStdString();
        }
    }
    EXPECT_EQ(filaEC, 2 * (8 + 6));
    EXPECT_EQ(hoja->value("NE_CCBH"), "1");
    EXPECT_EQ(hoja->value("NE_CCA2H"), "1");
    EXPECT_EQ(hoja->value("NE_BH"), "1");
    EXPECT_EQ(hoja->value("NE_A2H"), "1");
    EXPECT_EQ(hoja->value("NE_TPH"), "1");
}

// Records, as the sheet's image is printed, which buttons it shows.
class SuperficieQueMira : public SuperficieGrabadora {
public:
    void imprimeImagen(QWidget& forma) override
    {
        SuperficieGrabadora::imprimeImagen(forma);
        for (QPushButton* b : forma.findChildren<QPushButton*>()) {
            if (!b->isHidden()) {
                botonesVisibles << b->objectName();
            }
        }
    }
    QStringList botonesVisibles;
};

TEST_F(Hojas, ImprimirFormularioImprimeUnaPaginaOficioSinLosBotones)
{
    for (const char* modo : {"Estadistica", "Denegada"}) {
        SCOPED_TRACE(modo);
        const QString nombre = QString(modo) == "Estadistica" ? "Form_Esta" : "Form_Deniega";
        e.impresora->operaciones.clear();
        SuperficieQueMira mira;
        SuperficieQueMira cancela;
        cancela.aceptaDialogo = false;
        QStringList visiblesDespues;
        Form_Listados& f = listados(modo);
        f.control<CajaMascara>("MEd_Ano").fijaTexto("2010");
        e.ventanas->mientrasModal[nombre] = [&](QWidget& w) {
            auto& hoja = static_cast<HojaEstadistica&>(w);
            hoja.control<QPushButton>("Cmd_Imprimir").click();
            hoja.imprime(mira);
            hoja.imprime(cancela);
            for (QPushButton* b : hoja.findChildren<QPushButton*>()) {
                if (!b->isHidden()) {
                    visiblesDespues << b->objectName();
                }
            }
        };
        f.control<QPushButton>("Cmd_Aceptar").click();
        EXPECT_EQ(e.impresora->operaciones,
                  QStringList({"elige impresora", "papel oficio", "imagen " + nombre}));
        EXPECT_EQ(mira.imagenes, QStringList{nombre});
        EXPECT_TRUE(mira.botonesVisibles.isEmpty()) << mira.botonesVisibles.join(" ").toStdString();
        EXPECT_EQ(visiblesDespues, QStringList({"Cmd_Imprimir", "Cmd_Abortar"}));
        // A cancelled print dialog prints nothing.
        EXPECT_EQ(cancela.operaciones, QStringList{"elige impresora"});
    }
}

TEST_F(Hojas, AbortarImpresionCierraLaHoja)
{
    Form_Listados& f = listados("Estadistica");
    bool visible = true;
    e.ventanas->mientrasModal["Form_Esta"] = [&](QWidget& hoja) {
        hoja.show();
        hoja.findChild<QPushButton*>("Cmd_Abortar")->click();
        visible = hoja.isVisible();
    };
    f.control<QPushButton>("Cmd_Aceptar").click();
    EXPECT_FALSE(visible);
    EXPECT_TRUE(e.impresora->operaciones.isEmpty());
}

}  // namespace
