#include "entorno.h"
#include "printing/calibracion_impresion.h"
#include "printing/form_calibra_impresion.h"
#include "prueba.h"
#include "shell/form_menu_licencia.h"

#include <QAction>
#include <QDir>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSettings>

namespace {

class Calibracion : public ::testing::Test {
protected:
    void SetUp() override { ajustes().clear(); }
    void TearDown() override { ajustes().clear(); }

    static QSettings ajustes() { return QSettings("licencias", "licencias"); }

    // Runs `paso` on the calibration form opened from the main menu.
    void abreDesdeElMenu(std::function<void(Form_CalibraImpresion&)> paso)
    {
        e.ventanas->mientrasModal["Form_CalibraImpresion"] = [paso](QWidget& w) {
            paso(static_cast<Form_CalibraImpresion&>(w));
        };
        e.app().forma<Form_MenuLicencia>().entrada("CalibrarImpresion")->trigger();
    }

    static void fija(Form_CalibraImpresion& f, double horizontal, double vertical)
    {
        f.control<QDoubleSpinBox>("NE_Horizontal").setValue(horizontal);
        f.control<QDoubleSpinBox>("NE_Vertical").setValue(vertical);
    }

    Entorno e;
};

}  // namespace

TEST_F(Calibracion, SinAjustesNoHayDesplazamiento)
{
    const Desplazamiento d = LeeDesplazamiento();
    EXPECT_EQ(d.horizontalMm, 0);
    EXPECT_EQ(d.verticalMm, 0);
}

TEST_F(Calibracion, AjustesGuardadosFueraDeRangoONoNumericos)
{
    const struct {
        QVariant guardado;
        double leido;
    } casos[] = {{2.5, 2.5}, {-20, -20}, {35, 20}, {-50.5, -20}, {"abc", 0}, {"", 0}, {"nan", 0}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.guardado.toString().toStdString());
        ajustes().setValue("impresion/desplazamientoHorizontalMm", caso.guardado);
        ajustes().setValue("impresion/desplazamientoVerticalMm", caso.guardado);
        const Desplazamiento d = LeeDesplazamiento();
        EXPECT_EQ(d.horizontalMm, caso.leido);
        EXPECT_EQ(d.verticalMm, caso.leido);
    }
}

TEST_F(Calibracion, AceptarGuardaLosDesplazamientosDeLaEstacion)
{
    GuardaDesplazamiento({1, 1});
    Desplazamiento mostrado;
    abreDesdeElMenu([&](Form_CalibraImpresion& f) {
        mostrado = f.desplazamiento();
        fija(f, -3.5, 4);
        // What the clerk sees, when asked for (LICENCIAS_CAPTURAS=folder).
        const QString capturas = qEnvironmentVariable("LICENCIAS_CAPTURAS");
        if (!capturas.isEmpty()) {
            f.show();
            f.adjustSize();
            QTest::qWait(50);
            f.grab().save(QDir(capturas).filePath("calibrar_impresion.png"));
        }
        f.control<QPushButton>("Cmd_Aceptar").click();
    });
    EXPECT_EQ(e.ventanas->modales, QStringList{"Form_CalibraImpresion"});
    EXPECT_EQ(mostrado.horizontalMm, 1);
    EXPECT_EQ(LeeDesplazamiento().horizontalMm, -3.5);
    EXPECT_EQ(LeeDesplazamiento().verticalMm, 4);
}

TEST_F(Calibracion, CancelarNoCambiaNada)
{
    GuardaDesplazamiento({1, 2});
    abreDesdeElMenu([](Form_CalibraImpresion& f) {
        fija(f, 5, 5);
        f.control<QPushButton>("Cmd_Cancelar").click();
    });
    EXPECT_EQ(LeeDesplazamiento().horizontalMm, 1);
    EXPECT_EQ(LeeDesplazamiento().verticalMm, 2);
}

TEST_F(Calibracion, LasCajasNoPasanDeVeinteMilimetros)
{
    abreDesdeElMenu([](Form_CalibraImpresion& f) {
        fija(f, 25, -25);
        EXPECT_EQ(f.desplazamiento().horizontalMm, 20);
        EXPECT_EQ(f.desplazamiento().verticalMm, -20);
    });
}

// The test sheet uses the offsets on screen, before they are kept.
TEST_F(Calibracion, HojaDePruebaConLosDesplazamientosEnPantalla)
{
    abreDesdeElMenu([](Form_CalibraImpresion& f) {
        fija(f, 2, -1);
        f.control<QPushButton>("Cmd_ImprimirPrueba").click();
    });
    ASSERT_FALSE(e.impresora->textos.empty());
    const auto& primero = e.impresora->textos.front();
    EXPECT_EQ(primero.texto, "1");
    EXPECT_NEAR(primero.x, 12.0 + 0.2, 1e-9);
    EXPECT_NEAR(primero.y, 1.02 - 0.1, 1e-9);
    EXPECT_EQ(e.impresora->textos.back().texto, "62");
    EXPECT_EQ(e.impresora->documentosTerminados, 1);
    EXPECT_EQ(LeeDesplazamiento().horizontalMm, 0);
}

TEST_F(Calibracion, UnaImpresoraQueFallaSeInforma)
{
    e.impresora->fallaEnLinea = 1;
    e.mensajes->esperaCriticos();
    abreDesdeElMenu([](Form_CalibraImpresion& f) { f.control<QPushButton>("Cmd_ImprimirPrueba").click(); });
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error de impresión");
    EXPECT_EQ(e.mensajes->cajas[0].texto, "La impresora no responde");
    EXPECT_EQ(e.impresora->documentosCancelados, 1);
}
