#include "platform/caja_fecha.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"

#include "prueba.h"

#include <QApplication>
#include <QSignalSpy>
#include <memory>

TEST(CajaMascara, RutConservaLiteralesYRelleno)
{
    std::unique_ptr<CajaMascara> blanco(CajaMascara::rut(QLatin1Char(' ')));
    std::unique_ptr<CajaMascara> guion(CajaMascara::rut(QLatin1Char('_')));
    EXPECT_EQ(blanco->texto(), "  .   .   - ");
    EXPECT_EQ(guion->texto(), "__.___.___-_");
    blanco->fijaTexto("00.000.000-0");
    EXPECT_EQ(blanco->texto(), "00.000.000-0");
    blanco->fijaTexto("09.507.357-k");
    EXPECT_EQ(blanco->texto(), "09.507.357-K");
}

TEST(CajaMascara, DigitoVerificadorSoloDigitoOK)
{
    std::unique_ptr<CajaMascara> caja(CajaMascara::rut(QLatin1Char(' ')));
    caja->setFocus();
    QTest::keyClicks(caja.get(), "12345678");
    QTest::keyClicks(caja.get(), "x");
    EXPECT_EQ(caja->texto(), "12.345.678- ");
    QTest::keyClicks(caja.get(), "k");
    EXPECT_EQ(caja->texto(), "12.345.678-K");
}

TEST(CajaMascara, CertificadoSinDigitarQuedaVacio)
{
    std::unique_ptr<CajaMascara> caja(CajaMascara::digitos(11, QLatin1Char('_')));
    EXPECT_EQ(caja->texto(), "___________");
    EXPECT_EQ(caja->textoDigitado(), "");
    caja->fijaTexto("___________");
    EXPECT_EQ(caja->textoDigitado(), "");
    caja->fijaTexto("12345");
    EXPECT_EQ(caja->texto(), "12345______");
    EXPECT_EQ(caja->textoDigitado(), "12345");
}

namespace {

// Shows `caja` in a window of its own, clicks into it at `fraccion` of its
// width and types `teclas`.
void clicYEscribe(QWidget& caja, double fraccion, const char* teclas)
{
    caja.resize(200, 26);
    caja.show();
    QApplication::setActiveWindow(&caja);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&caja));
    caja.clearFocus();
    QTest::mouseClick(&caja, Qt::LeftButton, {}, QPoint(int(caja.width() * fraccion), caja.height() / 2));
    QTest::keyClicks(QApplication::focusWidget(), teclas);
}

}  // namespace

TEST(CajaMascara, UnClicDondeSeaYLosDigitosLlenanLaCaja)
{
    for (const double fraccion : {0.02, 0.5, 0.95}) {
        std::unique_ptr<CajaMascara> rut(CajaMascara::rut(QLatin1Char(' ')));
        clicYEscribe(*rut, fraccion, "095073577");
        EXPECT_EQ(rut->texto(), "09.507.357-7") << fraccion;

        std::unique_ptr<CajaMascara> certificado(CajaMascara::digitos(11, QLatin1Char('_')));
        certificado->fijaTexto("123");
        clicYEscribe(*certificado, fraccion, "45");
        EXPECT_EQ(certificado->texto(), fraccion < 0.1 ? "453________" : "12345______") << fraccion;
    }
}

TEST(CajaFecha, UnClicDondeSeaYSeEscribeLaFechaEntera)
{
    for (const double fraccion : {0.1, 0.5, 0.7}) {
        CajaFecha fecha;
        fecha.setDate(QDate(2026, 12, 10));
        clicYEscribe(fecha, fraccion, "01022003");
        EXPECT_EQ(fecha.texto(), "01-02-2003") << fraccion;
    }
}

TEST(CajaFecha, LeeDiaMesAnioPorPosicionYSinFechaSiNoEsFecha)
{
    const struct {
        const char* texto;
        QDate esperada;
    } casos[] = {
        {"05-03-2024", QDate(2024, 3, 5)},
        {"05/03/2024", QDate(2024, 3, 5)},
        {"31-12-1999", QDate(1999, 12, 31)},
        {"", CajaFecha::sinFecha()},
        {"   ", CajaFecha::sinFecha()},
        {"hoy", CajaFecha::sinFecha()},
        {"31-02-2024", CajaFecha::sinFecha()},
        {"01-01-1800", CajaFecha::sinFecha()},
        {"2024-03-05", CajaFecha::sinFecha()},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(CajaFecha::interpreta(caso.texto), caso.esperada) << caso.texto;
    }
    CajaFecha caja;
    caja.fijaTexto("07-06-2010");
    EXPECT_EQ(caja.texto(), "07-06-2010");
    caja.fijaTexto("no es fecha");
    EXPECT_EQ(caja.texto(), "01-01-1900");
}

namespace {
std::unique_ptr<FuenteFilas> tablaDeTres()
{
    return std::make_unique<FuenteFija>(
        QStringList{"Estado", "FolioActual"},
        std::vector<QStringList>{{"Ok", "A1"}, {"Reprobado", "A2"}, {"Anulado", "A3"}});
}
}  // namespace

TEST(Grilla, DireccionaComoElSistemaFilaCeroEncabezadoColumnaCeroFija)
{
    Grilla grilla;
    grilla.enlaza(tablaDeTres());
    EXPECT_EQ(grilla.filas(), 4);
    EXPECT_EQ(grilla.columnas(), 3);
    EXPECT_EQ(grilla.texto(0, 1), "Estado");
    EXPECT_EQ(grilla.texto(2, 2), "A2");
    EXPECT_EQ(grilla.texto(2, 0), "");
    EXPECT_EQ(grilla.texto(9, 1), "");
    grilla.fijaTexto(3, 1, "Ok");
    grilla.fijaTexto(0, 2, "Nº Folio Actual");
    EXPECT_EQ(grilla.texto(3, 1), "Ok");
    EXPECT_EQ(grilla.texto(0, 2), "Nº Folio Actual");
    grilla.fijaAnchoColumna(1, 2550);
    grilla.fijaAnchoColumna(0, 100);
    EXPECT_EQ(grilla.anchoColumna(1), 2550);
    EXPECT_EQ(grilla.anchoColumna(0), 90);  // whole pixels: 100 twips is 6 pixels
}

TEST(Grilla, FilaActualYAvisosSoloPorElUsuario)
{
    Grilla grilla;
    grilla.resize(400, 200);
    grilla.show();
    QSignalSpy click(&grilla, &Grilla::Click);
    QSignalSpy cambio(&grilla, &Grilla::RowColChange);
    EXPECT_EQ(grilla.filaActual(), 0);
    grilla.enlaza(tablaDeTres());
    EXPECT_EQ(grilla.filaActual(), 1);
    EXPECT_EQ(cambio.count(), 0);

    const QRect celda = grilla.visualRect(grilla.model()->index(2, 1));
    QTest::mouseClick(grilla.viewport(), Qt::LeftButton, {}, celda.center());
    EXPECT_EQ(grilla.filaActual(), 3);
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(cambio.count(), 1);

    QTest::keyClick(&grilla, Qt::Key_Up);
    EXPECT_EQ(grilla.filaActual(), 2);
    EXPECT_EQ(cambio.count(), 2);

    grilla.limpia();
    EXPECT_EQ(grilla.filaActual(), 0);
}

namespace {
// Rows 1 to `total`, counting what the grid asks for.
class FuenteContada : public FuenteFilas {
public:
    explicit FuenteContada(int total) : total_(total) {}
    QStringList columnas() const override { return {"Numero"}; }
    std::vector<QStringList> siguientes(int cantidad) override
    {
        ++pedidos;
        std::vector<QStringList> bloque;
        for (; entregadas < total_ && int(bloque.size()) < cantidad; ++entregadas) {
            bloque.push_back({QString::number(entregadas + 1)});
        }
        return bloque;
    }
    int pedidos = 0;
    int entregadas = 0;

private:
    int total_;
};
}  // namespace

TEST(Grilla, LeeLasFilasPorBloquesAMedidaQueSeNecesitan)
{
    Grilla grilla;
    grilla.resize(300, 300);
    grilla.show();
    auto fuente = std::make_unique<FuenteContada>(100000);
    FuenteContada* contada = fuente.get();
    grilla.enlaza(std::move(fuente));
    EXPECT_EQ(contada->entregadas, ModeloGrilla::FilasPorBloque);
    EXPECT_FALSE(grilla.vacia());

    // Scrolling to the end of what was read asks for the next block only.
    grilla.scrollToBottom();
    QCoreApplication::processEvents();
    EXPECT_EQ(contada->entregadas, 2 * ModeloGrilla::FilasPorBloque);

    // A cell written by the program lives in the grid only, also on a row
    // read later.
    EXPECT_EQ(grilla.texto(600, 1), "600");
    grilla.fijaTexto(600, 1, "escrita");
    EXPECT_EQ(grilla.texto(600, 1), "escrita");
    EXPECT_LT(contada->entregadas, 1000);

    grilla.enlaza(std::make_unique<FuenteContada>(0));
    EXPECT_TRUE(grilla.vacia());
    EXPECT_EQ(grilla.filaActual(), 0);
}
