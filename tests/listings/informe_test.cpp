#include "fixtura.h"
#include "listings/form_crfolios.h"
#include "listings/informe_folios.h"
#include "listings/vista_informe.h"
#include "platform/caja_fecha.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>

namespace {

class Informe : public Listados {
protected:
    void SetUp() override
    {
        // Folios CA00000001 to CA00000009, in this order.
        agrega({solicitud("01-03-2010", {{"NumeroLicencia", "12.345.678-5"}}),
                solicitud("02-03-2010", {{"Estado", " Ok "}, {"NumeroLicencia", "09.507.357-7"},
                                         {"EsDonante", "No"}, {"CorrNoDonante", "000017"}}),
                solicitud("02-03-2010", {{"Estado", "Reprobado"}, {"NumeroLicencia", "15.000.000-1"}}),
                solicitud("03-03-2010", {{"Estado", "Anulado"}, {"NumeroLicencia", "11.111.111-1"}}),
                solicitud("03-03-2010", {{"Estado", "Eliminado"}, {"NumeroLicencia", "10.101.010-1"}}),
                solicitud("04-03-2010", {{"EsDonante", "No"}, {"NumeroLicencia", "08.000.000-5"},
                                         {"CorrNoDonante", "000018"}}),
                solicitud("04-03-2010", {{"EsDonante", "no"}}),
                solicitud("28-02-2010"), solicitud("01-04-2010")});
    }

    struct Listado {
        InformeFolios informe;
        bool mostrado = false;
        bool conInforme = false;
    };

    // Asks for a listing on the folio panel; what its viewer held.
    Listado lista(const QString& modo, const QDate& desde, const QDate& hasta,
                  bool porRut = false)
    {
        Form_Listados& f = listados(modo);
        f.control<CajaFecha>("DTP_FechaFolio").setDate(desde);
        f.control<CajaFecha>("DTP_FechaFolioFin").setDate(hasta);
        f.control<QRadioButton>(porRut ? "Opt_OrdenadoPorRut" : "Opt_OrdenadoPorFolios").setChecked(true);
        Listado l;
        e.ventanas->mientrasModal["FormCRFolios"] = [&](QWidget& w) {
            auto& visor = static_cast<FormCRFolios&>(w);
            l.mostrado = true;
            l.informe = visor.CRFolios();
            l.conInforme = visor.conInforme();
        };
        f.control<QPushButton>("Cmd_AceptaFolio").click();
        return l;
    }

    static QStringList columna(const InformeFolios& informe, const QString& campo)
    {
        QStringList valores;
        const int i = informe.campos.indexOf(campo);
        for (const QStringList& fila : informe.filas.lee(0, informe.filas.cantidad())) {
            valores << fila.value(i);
        }
        return valores;
    }

    static QStringList folios(const InformeFolios& informe) { return columna(informe, "FolioActual"); }

    const QDate marzo1{2010, 3, 1};
    const QDate marzo4{2010, 3, 4};
};

QString folio(int n)
{
    return QString("CA%1").arg(n, 8, 10, QLatin1Char('0'));
}

QStringList foliosDe(std::initializer_list<int> numeros)
{
    QStringList f;
    for (int n : numeros) {
        f << folio(n);
    }
    return f;
}

TEST_F(Informe, CadaListadoEligeSusFilasConTituloYSubtitulo)
{
    const struct {
        const char* modo;
        QStringList folios;
        const char* titulo;
        const char* subtitulo;
        const char* clases;
    } casos[] = {
        {"Folios", foliosDe({1, 2, 3, 4, 5, 6, 7}), "Listado  Total  de  Folios  Utilizados",
         "Informe solicitado a la fecha: 01-03-2010", "Clases"},
        {"LicOtorgadas", foliosDe({1, 2, 6, 7}), "Listado  de Licencias Emitidas",
         "Informe solicitado fechas: 01-03-2010 a 04-03-2010", "Clases Obtenidas"},
        {"LicDenegadas", foliosDe({3}), "Listado  de  Licencias  Denegadas",
         "Informe solicitado a la fecha: 01-03-2010", "Clases Denegadas"},
        {"LicAnuladasElim", foliosDe({4}), "Listado  de  Folios  Inutilizados",
         "Informe solicitado fechas: 01-03-2010 a 04-03-2010", "Clases"},
        {"LicNoDonantes", foliosDe({2, 6}), "Listado  de  No  Donantes",
         "Informe solicitado fechas: 01-03-2010 a 04-03-2010", "Clases"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.modo);
        const Listado l = lista(c.modo, marzo1, marzo4);
        EXPECT_TRUE(l.conInforme);
        EXPECT_EQ(folios(l.informe), c.folios);
        EXPECT_EQ(l.informe.titulo, c.titulo);
        EXPECT_EQ(l.informe.subtitulo, c.subtitulo);
        EXPECT_EQ(const_cast<InformeFolios&>(l.informe).encabezadoClases().encabezado, c.clases);
    }
    EXPECT_TRUE(e.mensajes->cajas.empty());
}

TEST_F(Informe, LasColumnasDelNoDonanteSeMuestranSoloEnSuListado)
{
    const auto columnas = [](InformeFolios& i) {
        return QList<bool>{i.encabezadoClases().encabezadoOculto, i.encabezadoClases().campoOculto,
                           i.segundoEncabezado().encabezadoOculto, i.segundoEncabezado().campoOculto,
                           i.encabezadoNoDonante().encabezadoOculto, i.encabezadoNoDonante().campoOculto};
    };
    Listado l = lista("LicNoDonantes", marzo1, marzo4);
    EXPECT_EQ(columnas(l.informe), QList<bool>({true, true, true, true, false, false}));
    EXPECT_EQ(columna(l.informe, "CorrNoDonante"), QStringList({"000017", "000018"}));
    l = lista("LicOtorgadas", marzo1, marzo4);
    EXPECT_EQ(columnas(l.informe), QList<bool>({false, false, false, false, true, true}));
    EXPECT_FALSE(l.informe.campos.contains("CorrNoDonante"));
}

TEST_F(Informe, OrdenPorRutConElCeroInicial)
{
    const Listado l = lista("LicOtorgadas", marzo1, marzo4, true);
    EXPECT_EQ(columna(l.informe, "NumeroLicencia"),
              QStringList({"08.000.000-5", "09.507.357-7", "10.000.000-8", "12.345.678-5"}));
    EXPECT_EQ(folios(l.informe), foliosDe({6, 2, 7, 1}));
}

TEST_F(Informe, UnRangoDeUnDia)
{
    EXPECT_EQ(folios(lista("Folios", QDate(2010, 3, 2), QDate(2010, 3, 2)).informe), foliosDe({2, 3}));
    EXPECT_EQ(folios(lista("Folios", QDate(2010, 2, 28), QDate(2010, 2, 28)).informe), foliosDe({8}));
}

TEST_F(Informe, SinFilasLoDiceYMuestraElVisorVacio)
{
    const struct {
        const char* modo;
        QDate desde;
        QDate hasta;
    } casos[] = {
        {"LicDenegadas", QDate(2010, 3, 3), QDate(2010, 3, 4)},
        {"Folios", marzo4, marzo1},  // a start after the end
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.modo);
        e.mensajes->cajas.clear();
        const Listado l = lista(c.modo, c.desde, c.hasta);
        EXPECT_TRUE(l.mostrado);
        EXPECT_FALSE(l.conInforme);
        ASSERT_EQ(e.mensajes->cajas.size(), 1u);
        EXPECT_EQ(e.mensajes->cajas[0].texto, "No se han encontrado registros en esta fecha");
        EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en seleccion de fecha");
        EXPECT_EQ(e.mensajes->cajas[0].botones, Botones::Aceptar);
        EXPECT_EQ(e.mensajes->cajas[0].icono, Icono::Ninguno);
    }
}

TEST_F(Informe, UnListadoDeVariasPaginasRepiteElEncabezadoYNumeraLasPaginas)
{
    QList<Campos> muchas;
    for (int i = 0; i < 140; ++i) {
        muchas << solicitud("10-03-2010", {{"Nombres", QString("NOMBRE %1 CON UN TEXTO LARGO QUE NO CABE EN SU COLUMNA").arg(i)}});
    }
    agrega(muchas);
    const InformeFolios informe = lista("Folios", marzo1, QDate(2010, 3, 31)).informe;
    ASSERT_EQ(informe.filas.cantidad(), 147);

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter dispositivo(&pdf);
    dispositivo.setPageLayout(PaginaInforme());
    const PaginacionFolios paginacion(informe, dispositivo);
    ASSERT_GE(paginacion.paginas(), 3);
    QStringList foliosImpresos;
    for (int p = 0; p < paginacion.paginas(); ++p) {
        SCOPED_TRACE(p);
        const ComposicionPagina c = paginacion.compone(p);
        QStringList textos;
        for (const TextoPagina& t : c.textos) {
            textos << t.texto;
            // Nothing leaves the printable width, nothing runs past its box.
            EXPECT_GE(t.caja.left(), 0);
            EXPECT_LE(t.caja.right(), dispositivo.width() + 0.5);
            EXPECT_LE(t.caja.bottom(), dispositivo.height() + 0.5);
            if (t.estilo == TextoPagina::Estilo::Dato) {
                EXPECT_LE(QFontMetricsF(paginacion.letra(t.estilo), &dispositivo).horizontalAdvance(t.texto),
                          t.caja.width() + 0.5)
                    << t.texto.toStdString();
            }
            if (t.texto.startsWith("CA")) {
                foliosImpresos << t.texto;
            }
        }
        for (const char* encabezado : {"Listado  Total  de  Folios  Utilizados",
                                       "Informe solicitado a la fecha: 01-03-2010", "Folio", "R.U.T.",
                                       "Clases"}) {
            EXPECT_TRUE(textos.contains(encabezado)) << encabezado;
        }
        EXPECT_TRUE(textos.contains(QString("Página %1 de %2").arg(p + 1).arg(paginacion.paginas())));
        EXPECT_EQ(textos.contains("Total de registros: 147"), p == paginacion.paginas() - 1);
    }
    EXPECT_EQ(foliosImpresos, folios(informe));
    EXPECT_TRUE(ImprimeInforme(dispositivo, informe));
}

TEST_F(Informe, ElVisorPaginaYLlenaLaVentana)
{
    QList<Campos> muchas;
    for (int i = 0; i < 100; ++i) {
        muchas << solicitud("10-03-2010");
    }
    agrega(muchas);
    Form_Listados& f = listados("Folios");
    f.control<CajaFecha>("DTP_FechaFolio").setDate(marzo1);
    f.control<CajaFecha>("DTP_FechaFolioFin").setDate(QDate(2010, 3, 31));
    int paginas = 0;
    QRect visor;
    QRect ventana;
    e.ventanas->mientrasModal["FormCRFolios"] = [&](QWidget& w) {
        auto& v = static_cast<FormCRFolios&>(w);
        EXPECT_EQ(v.windowTitle(), "Formulario de Roles emitidos");
        v.show();
        v.resize(900, 560);
        QCoreApplication::processEvents();
        paginas = v.vista().pageCount();
        visor = v.CRViewer1().geometry();
        ventana = v.rect();
        v.findChild<QAction*>("Cmd_Ultima")->trigger();
        EXPECT_EQ(v.vista().currentPage(), paginas);
    };
    f.control<QPushButton>("Cmd_AceptaFolio").click();
    EXPECT_GE(paginas, 2);
    EXPECT_EQ(visor, ventana);
    EXPECT_EQ(ventana.size(), QSize(900, 560));
}

TEST_F(Informe, GuardarCsvYPdf)
{
    agrega(solicitud("03-03-2010", {{"Nombres", "MARÍA \"JOSÉ\", DE LA O"}}));
    Form_Listados& f = listados("LicOtorgadas");
    f.control<CajaFecha>("DTP_FechaFolio").setDate(QDate(2010, 3, 3));
    f.control<CajaFecha>("DTP_FechaFolioFin").setDate(QDate(2010, 3, 3));
    const QString csv = QDir(e.carpeta()).filePath("listado.csv");
    const QString pdf = QDir(e.carpeta()).filePath("listado.pdf");
    e.ventanas->mientrasModal["FormCRFolios"] = [&](QWidget& w) {
        auto& v = static_cast<FormCRFolios&>(w);
        EXPECT_TRUE(v.guardaCsv(csv));
        EXPECT_TRUE(v.guardaPdf(pdf));
        e.mensajes->esperaCriticos();
        EXPECT_FALSE(v.guardaCsv(QDir(e.carpeta()).filePath("no/existe/listado.csv")));
    };
    f.control<QPushButton>("Cmd_AceptaFolio").click();
    QFile archivo(csv);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(archivo.readAll()),
              "NumeroLicencia,Nombres,ApPaterno,ApMaterno,LicActual,FechaActual,FolioActual,Estado\n"
              "10.000.000-8,\"MARÍA \"\"JOSÉ\"\", DE LA O\",PÉREZ,SOTO,B,03-03-2010,CA00000010,Ok\n");
    QFile documento(pdf);
    ASSERT_TRUE(documento.open(QIODevice::ReadOnly));
    EXPECT_TRUE(documento.readAll().startsWith("%PDF-"));
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Guardar CSV");
    EXPECT_EQ(e.mensajes->cajas[0].icono, Icono::Critico);
}

}  // namespace
