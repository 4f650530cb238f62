// The print preview of the real print surface, driven while it is open.
#include "platform/superficie_impresora.h"
#include "printing/solicitud_impresa.h"
#include "prueba.h"
#include "texto_pdf.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTimer>

namespace {

DatosSolicitud solicitud()
{
    const QDate hoy(2026, 12, 10);
    DatosSolicitud d;
    d.folio = "CA04354520";
    d.fechaActual = d.fechaCertificado = d.fechaAprobacion = hoy;
    d.rut = "09.507.357-7";
    d.fechaNacimiento = QDate(1980, 3, 15);
    d.nombres = "JUAN ANDRÉS";
    d.apPaterno = "PÉREZ";
    d.apMaterno = "O'HIGGINS";
    d.domicilio = "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5";
    d.comunaDomicilio = "ÑUÑOA";
    d.clases = {false, true, false, false, false, true};
    d.fechaOtorgaInicial = QDate(2000, 2, 1);
    d.fechaUltimoControl = QDate(2020, 6, 5);
    d.fechaProximoControl = QDate(2032, 6, 5);
    d.observaciones = "RENUEVA EN PLAZO";
    d.restriccionActual = "1-2";
    d.certifAntecedentes = "12345678901";
    d.obs1 = "REVISAR DOCUMENTOS";
    d.rutEscuela = "76.543.210-K";
    d.certificadoEscuela = "ABC123";
    d.especialidad = "TRANSPORTE DE PASAJEROS Y CARGA";
    d.escuelaNombre = "ESCUELA DE CONDUCTORES DEL SUR";
    d.comunaAnterior = "CONCEPCIÓN";
    d.clasesAnteriores = {false, false, false, false, false, true};
    d.fechaOtorgaAnterior = QDate(2014, 6, 5);
    d.fechaVenceAnterior = QDate(2020, 6, 5);
    d.restriccionAnterior = "1";
    d.medico = {true, hoy, "DRA. ANA MUÑOZ"};
    d.teorico = {true, hoy, "PEDRO SOTO"};
    d.practico = {true, hoy, "LUIS PAZ"};
    d.observaExamenes = "BUEN DESEMPEÑO";
    d.usuario = QString("jperez").leftJustified(15);
    d.firma = QString("MARÍA LÓPEZ").leftJustified(25);
    return d;
}

class VistaPrevia : public ::testing::Test {
protected:
    // Runs `paso` on the preview once it is open, then returns what the
    // preview returned.
    bool muestra(SuperficieImpresora& s, std::function<void(QPrintPreviewDialog&)> paso)
    {
        QTimer::singleShot(0, [paso] {
            auto* dialogo = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            if (!dialogo) {
                ADD_FAILURE() << "sin vista previa";
                return;
            }
            paso(*dialogo);
        });
        return s.muestraVistaPrevia(nullptr, [this](SuperficieImpresion& hoja) {
            ++dibujos;
            DibujaSolicitud(hoja, solicitud());
        });
    }

    static QPrintPreviewWidget& pagina(QPrintPreviewDialog& dialogo)
    {
        return *dialogo.findChild<QPrintPreviewWidget*>();
    }

    QString ruta(const char* nombre) const { return QDir(carpeta.path()).filePath(nombre); }

    QTemporaryDir carpeta;
    int dibujos = 0;
};

}  // namespace

TEST_F(VistaPrevia, MuestraUnaPaginaYCerrarlaNoImprime)
{
    SuperficieImpresora s(ruta("previa.pdf"));
    int paginas = 0;
    const bool impreso = muestra(s, [&](QPrintPreviewDialog& dialogo) {
        paginas = pagina(dialogo).pageCount();
        // What the clerk sees, when asked for (LICENCIAS_CAPTURAS=folder).
        const QString capturas = qEnvironmentVariable("LICENCIAS_CAPTURAS");
        if (!capturas.isEmpty()) {
            dialogo.resize(1366, 768);
            QTest::qWait(50);
            dialogo.grab().save(QDir(capturas).filePath("vista_previa.png"));
        }
        dialogo.reject();
    });
    EXPECT_FALSE(impreso);
    EXPECT_EQ(paginas, 1);
    EXPECT_GE(dibujos, 1);
    EXPECT_FALSE(QFile::exists(ruta("previa.pdf")));
}

// Printing from the preview draws the same page again on the printer.
TEST_F(VistaPrevia, ImprimirDesdeLaVistaPreviaEntregaLaMismaPagina)
{
    SuperficieImpresora s(ruta("impresa.pdf"));
    const bool impreso = muestra(s, [](QPrintPreviewDialog& dialogo) {
        pagina(dialogo).print();
        dialogo.accept();
    });
    EXPECT_TRUE(impreso);
    QFile archivo(ruta("impresa.pdf"));
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const DocumentoPdf pdf = LeePdf(archivo.readAll());
    EXPECT_EQ(pdf.paginas, 1);
    EXPECT_EQ(pdf.hojaPuntos, QSizeF(612, 792));
    QStringList textos;
    for (const TextoPdf& t : pdf.textos) {
        textos << t.texto;
    }
    EXPECT_TRUE(textos.contains("Folio Registrado:   CA04354520")) << textos.join(" | ").toStdString();
    EXPECT_TRUE(textos.contains("PÉREZ O'HIGGINS"));
}

TEST_F(VistaPrevia, UnaImpresoraQueFallaSeInformaAlCerrar)
{
    SuperficieImpresora s("/carpeta/que/no/existe/solicitud.pdf");
    try {
        muestra(s, [](QPrintPreviewDialog& dialogo) {
            pagina(dialogo).print();
            dialogo.accept();
        });
        ADD_FAILURE() << "sin error";
    } catch (const ErrorImpresion& e) {
        EXPECT_TRUE(e.texto().contains("/carpeta/que/no/existe/solicitud.pdf")) << e.what();
    }
}
