#include "fixtura.h"
#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "shell/datos/recordset.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

using FormListados = Listados;

TEST_F(FormListados, CadaModoMuestraSuPanelConSusTitulos)
{
    const struct {
        const char* modo;
        bool folios;
        const char* form;
        const char* panel;
    } casos[] = {
        {"Folios", true, "Formulario de Listado de Folios Diarios Totales", "Folios Diarios Totales"},
        {"LicOtorgadas", true, "Formulario de Listado de Folios Diarios Otorgados",
         "Folios Diarios Otorgados"},
        {"LicDenegadas", true, "Formulario de Listado de Folios Diarios Denegados",
         "Folios Diarios Denegados"},
        {"LicAnuladasElim", true, "Formulario de Listado de Folios Diarios Anuladas y/o Eliminadas",
         "Folios Diarios Eliminados/Anulados"},
        {"LicNoDonantes", true, "Formulario de Listado de los No Donantes",
         "Listado de los No Donantes"},
        {"Estadistica", false, "Formulario de Listado de Estadistica Mensual-Licencias Otorgadas",
         "Estadistica mensual Otorgadas"},
        {"Denegada", false, "Formulario de Listado de Estadistica Mensual-Licencias Denegadas",
         "Estadistica mensual Denegadas"},
        // Any other value takes the month panel with the denial captions.
        {"", false, "Formulario de Listado de Estadistica Mensual-Licencias Denegadas",
         "Estadistica mensual Denegadas"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.modo);
        Form_Listados& f = listados(caso.modo);
        EXPECT_EQ(f.windowTitle(), QString::fromUtf8(caso.form));
        auto& folios = f.control<QGroupBox>("Frm_Folios");
        auto& mes = f.control<QGroupBox>("Frm_Licen");
        EXPECT_EQ(folios.isHidden(), !caso.folios);
        EXPECT_EQ(mes.isHidden(), caso.folios);
        EXPECT_EQ((caso.folios ? folios : mes).title(), QString::fromUtf8(caso.panel));
        if (caso.folios) {
            EXPECT_EQ(f.control<CajaFecha>("DTP_FechaFolio").date(), QDate(2026, 12, 10));
            EXPECT_EQ(f.control<CajaFecha>("DTP_FechaFolioFin").date(), QDate(2026, 12, 10));
            EXPECT_TRUE(f.control<QRadioButton>("Opt_OrdenadoPorFolios").isChecked());
            EXPECT_FALSE(f.control<QRadioButton>("Opt_OrdenadoPorRut").isChecked());
        } else {
            auto& lista = f.control<CajaLista>("Cbo_Mes");
            EXPECT_EQ(lista.texto(), "Enero");
            ASSERT_EQ(lista.count(), 12);
            EXPECT_EQ(lista.itemText(8), "Septiembre");
            EXPECT_EQ(lista.itemText(11), "Diciembre");
            EXPECT_EQ(f.control<CajaMascara>("MEd_Ano").texto(), "2026");
        }
    }
}

TEST_F(FormListados, AceptarNormalizaFechaActual1AunqueElAnioSeaRechazado)
{
    agrega({solicitud("05-03-2010"), solicitud("07/04/2011", {{"FechaActual1", "07-04-2011"}}),
            solicitud("09-05-2012", {{"FechaActual1", "09/05/2012"}}),
            solicitud("1-2-2013"), solicitud("", {{"FechaActual", QVariant()}})});
    EXPECT_FALSE(acepta("Marzo", "20"));
    EXPECT_EQ(e.mensajes->textos(),
              QStringList{"Error en el año solicitado, el año debe tener 4 digitos, verifique poir favor"});
    Recordset rs = e.conexion().consulta("SELECT FechaActual1 FROM TLicencias ORDER BY Posicion");
    QStringList normalizadas;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        normalizadas << rs.texto("FechaActual1");
    }
    // Whatever the separator; a short or missing date gives what its
    // places hold.
    EXPECT_EQ(normalizadas,
              QStringList({"05/03/2010", "07/04/2011", "09/05/2012", "1-/-2/13", "//"}));
}

TEST_F(FormListados, ElMesYElAnioSeCompruebanAntesDeContar)
{
    const QString mes = "Error en el mes solicitado, verifique poir favor";
    const QString anio = "Error en el año solicitado, el año debe tener 4 digitos, verifique poir favor";
    const struct {
        const char* mes;
        const char* anio;
        QString mensaje;  // empty: the sheet is shown
        const char* titulo;
        const char* textoMes;
    } casos[] = {
        {"marzo", "2010", {}, nullptr, "Marzo"},
        {"MARZO", "2010", {}, nullptr, "Marzo"},
        {"septiembre", "2010", {}, nullptr, "Septiembre"},
        {"Marzito", "2010", mes, "Error en el mes", nullptr},
        {"", "2010", mes, "Error en el mes", nullptr},
        {"Marzo", "", anio, "Error en el año", nullptr},
        {"Marzo", "20", anio, "Error en el año", nullptr},
        {"Marzo", "0999", anio, "Error en el año", nullptr},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(std::string(caso.mes) + " " + caso.anio);
        e.mensajes->cajas.clear();
        e.ventanas->modales.clear();
        const auto hoja = acepta(caso.mes, caso.anio);
        if (caso.mensaje.isEmpty()) {
            EXPECT_TRUE(e.mensajes->cajas.empty());
            ASSERT_TRUE(hoja);
            EXPECT_EQ(hoja->value("Text_Mes"), caso.textoMes);
            EXPECT_EQ(hoja->value("MEd_Ano"), caso.anio);
        } else {
            EXPECT_FALSE(hoja);
            ASSERT_EQ(e.mensajes->cajas.size(), 1u);
            EXPECT_EQ(e.mensajes->cajas[0].texto, caso.mensaje);
            EXPECT_EQ(e.mensajes->cajas[0].titulo, QString::fromUtf8(caso.titulo));
            EXPECT_EQ(e.mensajes->cajas[0].botones, Botones::Aceptar);
            EXPECT_EQ(e.mensajes->cajas[0].icono, Icono::Ninguno);
            EXPECT_TRUE(e.ventanas->modales.isEmpty());
        }
    }
}

TEST_F(FormListados, SeptiembreEscritoEnMinusculasCuentaSoloSeptiembre)
{
    agrega({solicitud("15-09-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}}),
            solicitud("30-09-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}}),
            solicitud("01-10-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}}),
            solicitud("15-09-2011", {{"CambioClase", "Si"}, {"ClaseB", "Si"}})});
    const auto hoja = acepta("septiembre", "2010");
    ASSERT_TRUE(hoja);
    EXPECT_EQ(hoja->value("NE_CCBH"), "2");
    EXPECT_EQ(hoja->value("NE_TTH"), "2");
}

TEST_F(FormListados, CadaModoDeMesMuestraSuHoja)
{
    agrega({solicitud("15-09-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}}),
            solicitud("15-09-2010", {{"Estado", "Reprobado"}, {"ClaseB", "Si"}, {"ExamenMedico", "No"}})});
    acepta("Septiembre", "2010", "Estadistica");
    acepta("Septiembre", "2010", "Denegada");
    EXPECT_EQ(e.ventanas->modales, QStringList({"Form_Esta", "Form_Deniega"}));
    // Another mode of the month panel only normalises.
    acepta("Septiembre", "2010", "");
    EXPECT_EQ(e.ventanas->modales.size(), 2);
}

TEST_F(FormListados, SalirDejaElFormularioSinAbrirElVisor)
{
    for (const char* boton : {"Cmd_AbortaFolio", "Cmd_Finalizar"}) {
        Form_Listados& f = listados(QString::fromLatin1(boton) == "Cmd_AbortaFolio" ? "Folios" : "Denegada");
        f.show();
        f.control<QPushButton>(boton).click();
        EXPECT_FALSE(f.isVisible()) << boton;
    }
    EXPECT_TRUE(e.ventanas->modales.isEmpty());
}

}  // namespace
