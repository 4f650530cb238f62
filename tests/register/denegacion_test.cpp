#include "entorno.h"
#include "platform/grilla.h"
#include "prueba.h"
#include "register/form_denegacion.h"
#include "register/form_licencia.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int Denegada = 104;
constexpr int PrimeraRazon = 105;
constexpr int Duracion = 115;
const QString Blanco20(20, ' ');

// Class boxes by position: 1 A1 ... 5 A5, 6 B ... 10 F.
enum { A1 = 1, A2 = 2, B = 6, F = 10 };

class Denegacion : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.app().Accesos.fill(1);
        e.agregaMedico("DR. PEDRO SOTO");
    }

    // A stored application with the given denial cells (reason k is "D0k"
    // or "d10"); the other reasons are 20 blanks.
    void agregaFila(const QString& denegada, const QMap<int, QString>& razones = {},
                    const QVariant& duracion = QVariant())
    {
        QMap<QString, QVariant> valores{
            {"Estado", "Reprobado"}, {"FolioActual", QString("F%1").arg(++folios_)}, {"Denegada", denegada},
            {"Duracion", duracion}};
        for (int k = 1; k <= 10; ++k) {
            valores[k == 10 ? QString("d10") : QString("D%1").arg(k, 2, 10, QChar('0'))] =
                razones.value(k, Blanco20);
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

    void abreDenegacion(const std::function<void(Form_Denegacion&)>& paso)
    {
        e.ventanas->mientrasModal["Form_Denegacion"] = [paso](QWidget& w) {
            paso(static_cast<Form_Denegacion&>(w));
        };
        licencia().findChild<QPushButton*>("Cmd_Denegacion")->click();
        Entorno::procesaEliminaciones();
    }

    static void regresa(Form_Denegacion& f) { f.findChild<QPushButton*>("Cmd_Volver")->click(); }

    // The class boxes of reason k that are checked.
    static QList<int> clases(Form_Denegacion& f, int k)
    {
        QList<int> marcadas;
        for (int j = 1; j <= 10; ++j) {
            if (f.Clase(k, j).isChecked()) {
                marcadas << j;
            }
        }
        return marcadas;
    }

    QString celda(int columna) { return licencia().celdaEntrega(columna); }

    Entorno e;
    int folios_ = 0;
};

}  // namespace

TEST_F(Denegacion, RazonCuatroConA2YB)
{
    agregaFila("no");
    eligeFila(1);
    abreDenegacion([](Form_Denegacion& f) {
        f.Razon(4).click();
        f.Clase(4, A2).click();
        f.Clase(4, B).click();
        f.Text_Dias().setText("6");
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(1, Denegada), "si");
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(grilla().texto(1, PrimeraRazon + k - 1),
                  k == 4 ? "  A2      B         " : Blanco20)
            << "razón " << k;
    }
    EXPECT_EQ(grilla().texto(1, Duracion), "006");

    abreDenegacion([](Form_Denegacion& f) {
        EXPECT_TRUE(f.Razon(4).isChecked());
        EXPECT_EQ(clases(f, 4), QList<int>({A2, B}));
        EXPECT_EQ(f.Label_Denegada().text(), "Licencia Denegada");
        EXPECT_EQ(f.Text_Dias().text(), "006");
    });
}

TEST_F(Denegacion, SinRazonLasClasesNoCuentan)
{
    agregaFila("si", {{2, "A1                  "}}, "030");
    eligeFila(1);
    abreDenegacion([](Form_Denegacion& f) {
        f.Razon(2).click();  // unchosen; its class box stays checked
        EXPECT_EQ(clases(f, 2), QList<int>({A1}));
        f.Clase(7, F).click();
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(1, Denegada), "no");
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(grilla().texto(1, PrimeraRazon + k - 1), Blanco20) << "razón " << k;
    }
}

TEST_F(Denegacion, RazonSinClaseQuedaEnBlancoPeroDenegada)
{
    agregaFila("no");
    eligeFila(1);
    abreDenegacion([](Form_Denegacion& f) {
        f.Razon(9).click();
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(1, Denegada), "si");
    EXPECT_EQ(grilla().texto(1, PrimeraRazon + 8), Blanco20);
    abreDenegacion([](Form_Denegacion& f) {
        EXPECT_FALSE(f.Razon(9).isChecked());
        EXPECT_EQ(f.Label_Denegada().text(), "Licencia Denegada");
    });
}

TEST_F(Denegacion, CeldasCortasYRanurasAjenas)
{
    agregaFila("si", {{1, "A1A2A3A4A5B"},         // slot 6 is cut to "B"
                      {3, "  A2"},                // ends after slot 2
                      {5, "A2A1  B C D E F   F "},  // slots that hold another class
                      {10, "                  F "}});
    eligeFila(1);
    abreDenegacion([](Form_Denegacion& f) {
        EXPECT_EQ(clases(f, 1), QList<int>({1, 2, 3, 4, 5}));
        EXPECT_EQ(clases(f, 3), QList<int>({A2}));
        EXPECT_EQ(clases(f, 5), QList<int>({F}));
        EXPECT_EQ(clases(f, 10), QList<int>({F}));
        for (int k : {1, 3, 5, 10}) {
            EXPECT_TRUE(f.Razon(k).isChecked()) << k;
        }
        EXPECT_FALSE(f.Razon(2).isChecked());
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(1, PrimeraRazon), "A1A2A3A4A5          ");
    EXPECT_EQ(grilla().texto(1, PrimeraRazon + 2), "  A2                ");
}

TEST_F(Denegacion, DuracionRellenaConCeros)
{
    const struct {
        const char* escrita;
        const char* guardada;
    } casos[] = {{"7", "007"},   {"15", "015"}, {"120", "120"}, {" 7 ", "007"},
                 {"15 ", "015"}, {"", ""},      {"   ", ""},    {"0", "000"}};
    agregaFila("no");
    eligeFila(1);
    for (const auto& c : casos) {
        abreDenegacion([&](Form_Denegacion& f) {
            f.Text_Dias().setText(c.escrita);
            regresa(f);
        });
        EXPECT_EQ(grilla().texto(1, Duracion), c.guardada) << '"' << c.escrita << '"';
    }
    EXPECT_TRUE(e.mensajes->cajas.empty());
}

// The duration is a number of days: the box takes digits only, and a stored
// text of another form is shown but not written back.
TEST_F(Denegacion, DuracionQueNoEsNumero)
{
    agregaFila("no", {}, "1a");
    eligeFila(1);
    abreDenegacion([](Form_Denegacion& f) {
        f.show();
        EXPECT_EQ(f.Text_Dias().text(), "1a");
        f.Razon(1).click();
        regresa(f);
        f.Text_Dias().clear();
        QTest::keyClicks(&f.Text_Dias(), "9'x-12");
        EXPECT_EQ(f.Text_Dias().text(), "912");
        regresa(f);
    });
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en duración de la denegación");
    EXPECT_EQ(grilla().texto(1, Duracion), "912");
    EXPECT_EQ(grilla().texto(1, Denegada), "si");
}

TEST_F(Denegacion, Etiqueta)
{
    agregaFila("si");                                   // marked, no reason
    agregaFila("no", {{6, "      A4            "}});  // a reason, not marked
    agregaFila("no");
    const char* alCargar[] = {"Licencia Denegada", "Licencia Denegada", "Licencia Aceptada"};
    for (int fila = 1; fila <= 3; ++fila) {
        eligeFila(fila);
        abreDenegacion([&](Form_Denegacion& f) {
            EXPECT_EQ(f.Label_Denegada().text(), alCargar[fila - 1]) << "fila " << fila;
        });
    }
    // Only the box that changed counts: unchecking one of two chosen reasons
    // reads "Aceptada", yet the licence is still denied.
    abreDenegacion([](Form_Denegacion& f) {
        f.Razon(2).click();
        f.Razon(5).click();
        EXPECT_EQ(f.Label_Denegada().text(), "Licencia Denegada");
        f.Razon(2).click();
        EXPECT_EQ(f.Label_Denegada().text(), "Licencia Aceptada");
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(3, Denegada), "si");
}

TEST_F(Denegacion, CerrarSinRegresarNoEscribeNada)
{
    agregaFila("si", {{4, "  A2      B         "}}, "015");
    abreDenegacion([](Form_Denegacion& f) {
        f.show();
        f.Razon(4).click();
        f.Razon(1).click();
        f.Text_Dias().setText("9");
        f.close();
    });
    EXPECT_EQ(grilla().texto(1, Denegada), "si");
    EXPECT_EQ(grilla().texto(1, PrimeraRazon), Blanco20);
    EXPECT_EQ(grilla().texto(1, PrimeraRazon + 3), "  A2      B         ");
    EXPECT_EQ(grilla().texto(1, Duracion), "015");
}

TEST_F(Denegacion, SolicitudNuevaUsaUnaFilaEnBlanco)
{
    agregaFila("si", {{4, "  A2      B         "}}, "015");
    licencia().findChild<QPushButton*>("Cmd_Limpiar")->click();
    abreDenegacion([](Form_Denegacion& f) {
        for (int k = 1; k <= 10; ++k) {
            EXPECT_FALSE(f.Razon(k).isChecked()) << k;
            EXPECT_TRUE(clases(f, k).isEmpty()) << k;
        }
        EXPECT_EQ(f.Label_Denegada().text(), "Licencia Aceptada");
        EXPECT_EQ(f.Text_Dias().text(), "");
        f.Razon(10).click();
        f.Clase(10, A1).click();
        f.Text_Dias().setText("30");
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(1, Denegada), "si");
    EXPECT_EQ(grilla().texto(1, PrimeraRazon + 3), "  A2      B         ");
    EXPECT_EQ(grilla().texto(1, PrimeraRazon + 9), Blanco20);
    EXPECT_EQ(grilla().texto(1, Duracion), "015");
    EXPECT_EQ(celda(Denegada), "si");
    EXPECT_EQ(celda(PrimeraRazon + 3), Blanco20);
    EXPECT_EQ(celda(PrimeraRazon + 9), "A1                  ");
    EXPECT_EQ(celda(Duracion), "030");

    eligeFila(1);
    abreDenegacion([](Form_Denegacion& f) {
        EXPECT_TRUE(f.Razon(4).isChecked());
        EXPECT_FALSE(f.Razon(10).isChecked());
        EXPECT_EQ(f.Text_Dias().text(), "015");
    });
}

TEST_F(Denegacion, SinFilaNoEscribeLosTitulos)
{
    abreDenegacion([](Form_Denegacion& f) {
        // The header row's captions ("D01" ...) are no reasons.
        for (int k = 1; k <= 10; ++k) {
            EXPECT_FALSE(f.Razon(k).isChecked()) << k;
        }
        f.Razon(1).click();
        regresa(f);
    });
    EXPECT_EQ(grilla().texto(0, Denegada), "Denegada");
    EXPECT_EQ(grilla().texto(0, PrimeraRazon), "D01");
    // What was chosen belongs to the application being typed.
    EXPECT_EQ(licencia().celdaEntrega(Denegada), "si");
    EXPECT_TRUE(e.mensajes->cajas.empty());
}
