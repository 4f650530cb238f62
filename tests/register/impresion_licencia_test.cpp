#include "app/esquema_sistema.h"
#include "entorno.h"
#include "platform/grilla.h"
#include "platform/medidas_impresion.h"
#include "printing/calibracion_impresion.h"
#include "prueba.h"
#include "register/comando_imprimir.h"
#include "register/form_licencia.h"
#include "shell/comando.h"
#include "texto_pdf.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTextStream>

namespace {

const QString Folio = QStringLiteral("CA04354520");

// What the valued form shows of the stored application below, in print
// order, with the user "jperez" and the signer "MARÍA LÓPEZ".
const char* const TextosImpresos[] = {
    "Pelvarin", "10-12-2026", "Folio Registrado:   CA04354520", "09.507.357-7", "15-03-1980",
    "JUAN ANDRÉS", "PÉREZ O'HIGGINS", "09.507.357-7", "B A2", "01-02-2000", "05-06-2020",
    "05-06-2032", "RENUEVA EN PLAZO", "ÑUÑOA", "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5",
    // driving school
    "76.543.210-K", "ABC123", "20-11-2026", "TRANSPORTE DE PASAJEROS Y CARGA",
    "        REVISAR DOCUMENTOS", "", " B A2", "09.507.357-7", "1-2", "PELVARIN", "JUAN ANDRÉS",
    "PÉREZ O'HIGGINS", "AVENIDA LIBERTADOR BERNARDO O'HIGGI", "MARÍA LÓPEZ              ",
    "05-06-2020", "05-06-2032", "PELVARIN", "10-12-2026",
    "Folio Registrado:   CA04354520", "Usuario: jperez         ", "JUAN ANDRÉS", "PÉREZ O'HIGGINS",
    "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5", "ÑUÑOA", "09.507.357-7", "15-03-1980",
    // previous licence
    "09.507.357-7", " B A1a", "CONCEPCIÓN", "05-06-2014", "05-06-2020", "1",
    "09.507.357-7", " B A2", "12345678901", "01-12-2026", "01-02-2000", "05-06-2020",
    "05-06-2032", "1-2",
    // driving school again
    "ESCUELA DE CONDUCTORES DEL SUR", "76.543.210-K", "ABC123", "20-11-2026", "TRANSPORTE DE PASAJERO",
    // exams
    "Aprobado", "09-12-2026", "DRA. ANA MUÑOZ GONZÁLE", "Reprobado", "09-12-2026", "PEDRO SOTO",
    "Aprobado", "10-12-2026", "LUIS PAZ",
    "BUEN DESEMPEÑO", "MARÍA LÓPEZ              ",
};

class ImpresionLicencia : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings("licencias", "licencias").clear();
        e.app().Accesos.fill(1);
        e.agregaMedico("DRA. ANA MUÑOZ GONZÁLEZ");
        e.agregaUsuario("jperez", "clave1", "JUAN PÉREZ");
        e.fijaJefe("MARÍA LÓPEZ");
        e.agregaLicencia({
            {"Estado", "Reprobado"}, {"FolioActual", Folio}, {"NumeroLicencia", "09.507.357-7"},
            {"Nombres", "JUAN ANDRÉS"}, {"ApPaterno", "PÉREZ"}, {"ApMaterno", "O'HIGGINS"},
            {"Domicilio", "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5"},
            {"ComunaDomicilio", "ÑUÑOA"}, {"FechaNacimiento", "15-03-1980"},
            {"FechaActual", "10-12-2026"}, {"FechaOtorgamiento", "01-02-2000"},
            {"FechaUltimoControl", "05-06-2020"}, {"FechaProximoControl", "05-06-2032"},
            {"Observaciones", "RENUEVA EN PLAZO"}, {"RestriccionActual", "1-2"},
            {"CertifAntecedentes", "12345678901"}, {"FechaCertifAntecedentes", "01-12-2026"},
            {"Observa1", "REVISAR DOCUMENTOS"}, {"PrimeraVez", "No"}, {"CambioClase", "Si"},
            {"ExamenControl", "No"}, {"ClaseB", "Si"}, {"ClaseA2a", "Si"},
            {"EscuelaRut", "76.543.210-K"}, {"EscuelaCertificado", "ABC123"},
            {"EscuelaFechaAprobacion", QDate(2026, 11, 20)},
            {"EscuelaEspecialidad", "TRANSPORTE DE PASAJEROS Y CARGA"},
            {"EscuelaNombre", "ESCUELA DE CONDUCTORES DEL SUR"}, {"ComunaAnterior", "CONCEPCIÓN"},
            {"ClaseBAnt", "Si"}, {"ClaseA1aAnt", "Si"}, {"FechaOtorgaAnterior", "05-06-2014"},
            {"FechaVenceAnterior", "05-06-2020"}, {"RestriccionAnterior", "1"},
            {"ExamenMedico", "Si"}, {"FechaMedico", "09-12-2026"},
            {"ProfesionalMedico", "DRA. ANA MUÑOZ GONZÁLEZ"}, {"ExamenTeorico", "No"},
            {"FechaTeorico", "09-12-2026"}, {"ProfesionalTeorico", "PEDRO SOTO"},
            {"ExamenPractico", "Si"}, {"FechaPractico", "10-12-2026"},
            {"ProfesionalPractico", "LUIS PAZ"}, {"ExamenObservacion", "BUEN DESEMPEÑO"},
        });
        e.app().UsuarioActual.asigna("jperez");
        e.app().FirmaJefe.asigna("MARÍA LÓPEZ");
    }
    void TearDown() override { QSettings("licencias", "licencias").clear(); }

    Form_Licencia& forma()
    {
        if (!forma_) {
            forma_ = &e.app().forma<Form_Licencia>();
        }
        return *forma_;
    }

    // The stored application, as a click on its grid row shows it.
    void eligeSolicitud()
    {
        forma().MSHF_Licencias().fijaFilaActual(1);
        forma().MSHF_Licencias_Click();
        ASSERT_EQ(forma().texto("Text_FolioActual").text(), Folio);
    }

    void pulsa(const char* boton) { forma().findChild<QPushButton*>(boton)->click(); }

    QStringList impresos() const
    {
        QStringList textos;
        for (const auto& t : e.impresora->textos) {
            textos << t.texto;
        }
        return textos;
    }

    static QStringList esperados()
    {
        QStringList textos;
        for (const char* t : TextosImpresos) {
            textos << QString::fromUtf8(t);
        }
        return textos;
    }

    struct Ejecucion {
        int estado;
        QString salida;
        QString error;
    };

    Ejecucion imprimir(const QStringList& opciones)
    {
        QString salida;
        QString error;
        QTextStream flujoSalida(&salida);
        QTextStream flujoError(&error);
        ContextoComando contexto{QStringList{"imprimir"} + opciones, e.origen(), AbreBase,
                                 flujoSalida, flujoError};
        const int estado = ComandoImprimir(contexto);
        flujoSalida.flush();
        flujoError.flush();
        return {estado, salida, error};
    }

    QString ruta(const char* nombre) const { return QDir(e.carpeta()).filePath(nombre); }

    Entorno e;

private:
    Form_Licencia* forma_ = nullptr;
};

}  // namespace

TEST_F(ImpresionLicencia, ImprimirMuestraLaVistaPreviaDeLaSolicitudDeLaForma)
{
    eligeSolicitud();
    pulsa("Cmd_Imprimir");
    EXPECT_EQ(e.impresora->vistasPrevias, 1);
    EXPECT_TRUE(e.mensajes->cajas.empty()) << e.mensajes->textos().join(" | ").toStdString();
    EXPECT_EQ(impresos(), esperados());
    EXPECT_EQ(e.impresora->documentosTerminados, 1);
}

// Printing checks nothing: a cleared form prints as it is.
TEST_F(ImpresionLicencia, ImprimirNoValidaLaSolicitud)
{
    pulsa("Cmd_Limpiar");
    pulsa("Cmd_Imprimir");
    EXPECT_TRUE(e.mensajes->cajas.empty()) << e.mensajes->textos().join(" | ").toStdString();
    EXPECT_EQ(e.impresora->documentosTerminados, 1);
    EXPECT_TRUE(impresos().contains("Folio Registrado:   "));
}

TEST_F(ImpresionLicencia, CerrarLaVistaPreviaAvisaQueNoSeImprimio)
{
    eligeSolicitud();
    e.impresora->aceptaVistaPrevia = false;
    pulsa("Cmd_Imprimir");
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].texto, "La solicitud no fue impresa: se cerró la vista previa sin imprimir");
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Imprimir");
    EXPECT_EQ(e.mensajes->cajas[0].icono, Icono::Informacion);
    EXPECT_TRUE(e.impresora->textos.empty());
}

TEST_F(ImpresionLicencia, UnaImpresoraQueFallaSeInformaYLaFormaSigue)
{
    eligeSolicitud();
    e.impresora->fallaEnLinea = 3;
    e.mensajes->esperaCriticos();
    pulsa("Cmd_Imprimir");
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error de impresión");
    EXPECT_EQ(e.mensajes->cajas[0].texto, "La impresora no responde");
    EXPECT_EQ(e.impresora->documentosCancelados, 1);
    EXPECT_EQ(forma().texto("Text_FolioActual").text(), Folio);
    // The next print is a whole document of its own.
    pulsa("Cmd_Imprimir");
    EXPECT_EQ(e.impresora->textosDe(1).size(), std::size(TextosImpresos));
}

// The register and modify questions print straight away, moved by this
// workstation's calibration.
TEST_F(ImpresionLicencia, ImprimeSolicitudVaALaImpresoraSinVistaPrevia)
{
    ASSERT_TRUE(GuardaDesplazamiento({5, -3}));
    eligeSolicitud();
    forma().ImprimeSolicitud();
    EXPECT_EQ(e.impresora->vistasPrevias, 0);
    EXPECT_EQ(impresos(), esperados());
    ASSERT_FALSE(e.impresora->textos.empty());
    EXPECT_NEAR(e.impresora->textos[0].x, 12.0 + 0.5, 1e-9);
    EXPECT_NEAR(e.impresora->textos[0].y, 1.02 - 0.3, 1e-9);
}

// The command loads the row as a grid click does and prints the same page:
// every text of the PDF sits where the print layout puts it.
TEST_F(ImpresionLicencia, ComandoImprimirEntregaUnaPaginaCartaConCadaTextoEnSuLugar)
{
    const Ejecucion r = imprimir({"--folio", Folio, "--usuario", "jperez", "--pdf", ruta("solicitud.pdf")});
    ASSERT_EQ(r.estado, Salida::Exito) << r.error.toStdString();
    EXPECT_EQ(r.salida, QString("Solicitud del folio %1 impresa en %2\n").arg(Folio, ruta("solicitud.pdf")));
    QFile archivo(ruta("solicitud.pdf"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const DocumentoPdf pdf = LeePdf(archivo.readAll());
    EXPECT_EQ(pdf.paginas, 1);
    EXPECT_EQ(pdf.hojaPuntos, QSizeF(612, 792));

    // The layout's positions, as the recording surface takes them.
    ASSERT_TRUE(forma().CargaFolio(Folio));
    forma().ImprimeSolicitud();
    EXPECT_EQ(impresos(), esperados());
    QPrinter carta(QPrinter::HighResolution);
    carta.setOutputFormat(QPrinter::PdfFormat);
    carta.setPageSize(QPageSize(QPageSize::Letter));
    const QPointF margen = carta.pageLayout().paintRect(QPageLayout::Millimeter).topLeft() / 10;
    size_t leido = 0;
    for (const auto& t : e.impresora->textos) {
        if (t.texto.trimmed().isEmpty()) {
            continue;  // nothing to see on the page
        }
        SCOPED_TRACE(t.texto.toStdString());
        ASSERT_LT(leido, pdf.textos.size());
        const TextoPdf& p = pdf.textos[leido++];
        QFont fuente(t.fuente);
        fuente.setPointSizeF(t.tamano);
        EXPECT_EQ(p.texto.trimmed(), t.texto.trimmed());
        EXPECT_NEAR(p.x, margen.x() + t.xTexto, 0.005);
        EXPECT_NEAR(p.y, margen.y() + t.yTexto + AscensoCm(fuente), 0.005);
        EXPECT_NEAR(p.puntos, t.tamano, 0.05);
    }
    EXPECT_EQ(leido, pdf.textos.size());
}

TEST_F(ImpresionLicencia, ComandoImprimirRechazaLoQueNoPuedeImprimir)
{
    const struct {
        QStringList opciones;
        int estado;
        const char* mensaje;
    } casos[] = {
        {{"--folio", "NOEXISTE", "--pdf", ruta("a.pdf")}, Salida::Fallo,
         "licencias: El folio NOEXISTE no se encuentra registrado\n"},
        {{"--folio", "CA'04 --", "--pdf", ruta("a.pdf")}, Salida::Fallo,
         "licencias: El folio CA'04 -- no se encuentra registrado\n"},
        {{"--folio", Folio, "--usuario", "nadie", "--pdf", ruta("a.pdf")}, Salida::Fallo,
         "licencias: El usuario nadie no se encuentra registrado\n"},
        {{"--folio", Folio, "--pdf", "/carpeta/que/no/existe/a.pdf"}, Salida::Fallo,
         "licencias: No fue posible iniciar la impresión en «/carpeta/que/no/existe/a.pdf». Revise "
         "que su carpeta exista y admita escritura, y que quede espacio en el disco.\n"},
        {{"--pdf", ruta("a.pdf")}, Salida::Uso, "licencias: Falta el folio: imprimir --folio FOLIO\n"},
        {{"--folio", Folio, "--pdf"}, Salida::Uso, "licencias: Falta el valor de una opción\n"},
        {{"--folio", Folio, "otro"}, Salida::Uso, "licencias: Sobran argumentos: otro\n"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.opciones.join(' ').toStdString());
        const Ejecucion r = imprimir(caso.opciones);
        EXPECT_EQ(r.estado, caso.estado);
        EXPECT_TRUE(r.error.startsWith(QString::fromUtf8(caso.mensaje))) << r.error.toStdString();
        EXPECT_TRUE(r.salida.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(ruta("a.pdf")));
}
