#include "entorno.h"
#include "platform/grilla.h"
#include "prueba.h"
#include "register/columnas_licencia.h"
#include "register/form_detalle.h"
#include "register/form_licencia.h"
#include "register/valores_entrega.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int PrimerExamen = 84;
constexpr int UltimoExamen = 95;

// Where each test's options stand: grid column, option array, index of its
// "Aprobado" option. The screen order differs from the column order.
struct Opciones {
    int columna;
    const char* arreglo;
    int indice;
};
const Opciones Mapa[] = {
    {84, "Opt_Perimetria", 0},      {85, "Opt_AgudezaVisual", 0},
    {86, "Opt_Distancia", 0},       {87, "Opt_Encandilamiento", 0},
    {88, "Opt_RecupEncandilamiento", 0}, {89, "Opt_VisionNocturna", 0},
    {90, "Opt_VisionColores", 0},   {91, "Opt_Audiometria", 0},
    {92, "Opt_Coordinacion", 0},    {93, "Opt_Coordinacion", 3},
    {94, "Opt_Reaccion", 0},        {95, "Opt_Reaccion", 3},
};

class Detalle : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.app().Accesos.fill(1);
        e.agregaMedico("DR. PEDRO SOTO");
    }

    // A stored application whose twelve result cells hold `celda` (none
    // for a null), except the cells in `otras`.
    void agregaFila(const QVariant& celda, const QMap<int, QString>& otras = {},
                    const QString& estado = "Ok")
    {
        QMap<QString, QVariant> valores{{"Estado", estado}, {"FolioActual", QString("F%1").arg(++folios_)}};
        for (int c = PrimerExamen; c <= UltimoExamen; ++c) {
            valores[ColumnaEn(c).nombre] = otras.contains(c) ? QVariant(otras[c]) : celda;
        }
        e.agregaLicencia(valores);
    }

    Form_Licencia& licencia() { return e.app().forma<Form_Licencia>(); }
    Grilla& grilla() { return licencia().MSHF_Licencias(); }
    // The clerk clicks a grid row: it becomes the hand-over row.
    void eligeFila(int fila)
    {
        grilla().fijaFilaActual(fila);
        licencia().MSHF_Licencias_Click();
    }
    QCheckBox& medico() { return licencia().casilla("Chk_Medico"); }

    // Opens "Detalle" and runs `paso` while it is shown.
    void abreDetalle(const std::function<void(Form_Detalle&)>& paso)
    {
        e.ventanas->mientrasModal["Form_Detalle"] = [paso](QWidget& w) {
            paso(static_cast<Form_Detalle&>(w));
        };
        licencia().findChild<QPushButton*>("Cmd_Detalle1")->click();
        Entorno::procesaEliminaciones();
    }

    // The option each test shows, by grid column: 0 "A", 1 "R", 2 "P", -1 none.
    static std::map<int, int> opciones(Form_Detalle& f)
    {
        std::map<int, int> elegidas;
        for (const Opciones& o : Mapa) {
            elegidas[o.columna] = -1;
            for (int i = 0; i < 3; ++i) {
                if (f.Opt(o.arreglo, o.indice + i).isChecked()) {
                    elegidas[o.columna] = i;
                }
            }
        }
        return elegidas;
    }

    static void elige(Form_Detalle& f, int columna, int opcion)
    {
        for (const Opciones& o : Mapa) {
            if (o.columna == columna) {
                f.Opt(o.arreglo, o.indice + opcion).click();
            }
        }
    }

    static void regresa(Form_Detalle& f) { f.findChild<QPushButton*>("Cmd_Volver")->click(); }

    QStringList celdas(int fila)
    {
        QStringList t;
        for (int c = PrimerExamen; c <= UltimoExamen; ++c) {
            t << grilla().texto(fila, c);
        }
        return t;
    }

    Entorno e;
    int folios_ = 0;
};

}  // namespace

TEST_F(Detalle, CadaPruebaLeeYEscribeSuColumna)
{
    // One row per test: that test failed, the others approved.
    for (const Opciones& o : Mapa) {
        agregaFila("A", {{o.columna, "R"}});
    }
    for (int fila = 1; fila <= int(std::size(Mapa)); ++fila) {
        eligeFila(fila);
        const int columna = Mapa[fila - 1].columna;
        abreDetalle([&](Form_Detalle& f) {
            for (const auto& [c, opcion] : opciones(f)) {
                EXPECT_EQ(opcion, c == columna ? 1 : 0) << "columna " << c;
            }
            elige(f, columna, 2);
            regresa(f);
        });
        for (int c = PrimerExamen; c <= UltimoExamen; ++c) {
            EXPECT_EQ(grilla().texto(fila, c), c == columna ? "P" : "A") << "columna " << c;
        }
    }
}

TEST_F(Detalle, CeldasAOpcionesYDeVuelta)
{
    const struct {
        QVariant celda;
        int opcion;
        const char* devuelta;
    } casos[] = {
        {"A", 0, "A"},      {" R ", 1, "R"},    {"P", 2, "P"},
        {"a", -1, "a"},     {"Apto", -1, "Apto"}, {QVariant(), -1, ""},
    };
    for (const auto& c : casos) {
        agregaFila(c.celda);
    }
    for (int fila = 1; fila <= int(std::size(casos)); ++fila) {
        const auto& caso = casos[fila - 1];
        SCOPED_TRACE(caso.celda.toString().toStdString());
        eligeFila(fila);
        // The record write reads the same values a fresh load shows.
        const auto valores =
            ValoresPsicotecnicos([this](int c) { return licencia().celdaEntrega(c); });
        EXPECT_EQ(valores.size(), caso.opcion < 0 ? 0u : 12u);
        for (const ValorPsicotecnico& v : valores) {
            EXPECT_EQ(v.codigo, CodigosResultado[caso.opcion]);
        }
        medico().setChecked(caso.opcion != 0);
        abreDetalle([&](Form_Detalle& f) {
            for (const auto& [columna, opcion] : opciones(f)) {
                EXPECT_EQ(opcion, caso.opcion) << "columna " << columna;
            }
            regresa(f);
        });
        EXPECT_EQ(celdas(fila), QStringList(12, caso.devuelta));
        // Only twelve approved tests approve the medical exam.
        EXPECT_EQ(medico().isChecked(), caso.opcion == 0);
        EXPECT_EQ(grilla().texto(fila, 1), caso.opcion == 0 ? "Ok" : "Reprobado");
        EXPECT_EQ(licencia().findChild<QWidget*>("Lbl_MedicoOk")->isHidden(), caso.opcion == 0);
    }
}

TEST_F(Detalle, UnaPendienteRepruebaElExamenMedico)
{
    agregaFila("A");
    eligeFila(1);
    medico().setChecked(true);
    abreDetalle([](Form_Detalle& f) {
        elige(f, 91, 2);
        regresa(f);
    });
    QStringList esperadas(12, "A");
    esperadas[91 - PrimerExamen] = "P";
    EXPECT_EQ(celdas(1), esperadas);
    EXPECT_FALSE(medico().isChecked());
    EXPECT_EQ(grilla().texto(1, 1), "Reprobado");
}

TEST_F(Detalle, CerrarSinRegresarNoEscribeNada)
{
    agregaFila("A", {{95, "x"}}, "Anulado");
    medico().setChecked(false);
    abreDetalle([](Form_Detalle& f) {
        f.show();
        elige(f, 84, 1);
        elige(f, 95, 0);
        f.close();
    });
    QStringList esperadas(12, "A");
    esperadas[95 - PrimerExamen] = "x";
    EXPECT_EQ(celdas(1), esperadas);
    EXPECT_EQ(grilla().texto(1, 1), "Anulado");
    EXPECT_FALSE(medico().isChecked());
}

// Each opening reads the row that is current then, whatever an earlier one
// showed or left.
TEST_F(Detalle, CadaAperturaLeeLaFilaActual)
{
    agregaFila("A");
    agregaFila("R");
    abreDetalle([](Form_Detalle& f) {
        elige(f, 84, 2);
        f.close();
    });
    EXPECT_FALSE(e.app().cargada<Form_Detalle>());
    eligeFila(2);
    abreDetalle([](Form_Detalle& f) {
        EXPECT_EQ(opciones(f), (std::map<int, int>{{84, 1}, {85, 1}, {86, 1}, {87, 1},
                                                    {88, 1}, {89, 1}, {90, 1}, {91, 1},
                                                    {92, 1}, {93, 1}, {94, 1}, {95, 1}}));
    });
    EXPECT_EQ(e.ventanas->modales, QStringList({"Form_Detalle", "Form_Detalle"}));
}

TEST_F(Detalle, SolicitudNuevaUsaUnaFilaEnBlanco)
{
    agregaFila("A");
    licencia().findChild<QPushButton*>("Cmd_Limpiar")->click();
    abreDetalle([](Form_Detalle& f) {
        for (const auto& [columna, opcion] : opciones(f)) {
            EXPECT_EQ(opcion, -1) << "columna " << columna;
        }
        elige(f, 85, 1);
        regresa(f);
    });
    EXPECT_EQ(celdas(1), QStringList(12, "A"));
    EXPECT_EQ(grilla().texto(1, 1), "Ok");
    const auto valores = ValoresPsicotecnicos([this](int c) { return licencia().celdaEntrega(c); });
    ASSERT_EQ(valores.size(), 1u);
    EXPECT_EQ(valores[0].columna, 85);
    EXPECT_EQ(valores[0].codigo, "R");
    EXPECT_EQ(licencia().celdaEntrega(1), "Reprobado");

    // Choosing the grid row again hands that row over.
    eligeFila(1);
    abreDetalle([](Form_Detalle& f) { EXPECT_EQ(opciones(f).at(85), 0); });
}

// An empty grid has only its header row: no application to hand over.
TEST_F(Detalle, SinFilaNoEscribeLosTitulos)
{
    ASSERT_EQ(grilla().filaActual(), 0);
    abreDetalle([](Form_Detalle& f) {
        for (const auto& [columna, opcion] : opciones(f)) {
            EXPECT_EQ(opcion, -1) << "columna " << columna;
        }
        elige(f, 84, 0);
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(0, 1), "Estado");
    EXPECT_EQ(grilla().texto(0, 84), "Perimetría");
    // What was chosen belongs to the application being typed.
    EXPECT_EQ(licencia().celdaEntrega(84), "A");
    EXPECT_TRUE(e.mensajes->cajas.empty());
}
