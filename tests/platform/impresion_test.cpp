#include "platform/medidas_impresion.h"
#include "platform/superficie_impresora.h"
#include "prueba.h"
#include "superficie_grabadora.h"
#include "texto_pdf.h"

#include <QDir>
#include <QFontMetricsF>
#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

struct Linea {
    double x;  // a print position, or a negative x to go on from the last line
    double y;
    double tamano;
    int avance;
    const char* texto;
};

// Lines as the callers print them: set positions, lines that go on from
// the one before, size changes and the one advance of 65 columns.
const Linea Lineas[] = {
    {2.5, 3, 12, 0, "JUAN PEREZ"},
    {-1, 0, 12, 0, "SEGUNDA LÍNEA"},
    {8.5, 1.7, 8, 65, "Folio Registrado:   CA04354520"},
    {18.5, 1.7, 8, 65, "MÁS ALLÁ DE LA COLUMNA"},
    {6.7, 12.25, 6, 0, "AVENIDA O'HIGGINS 1234"},
    {-1, 0, 6, 0, "ÑUÑOA"},
};

void imprime(SuperficieImpresion& s)
{
    s.fijaOrigen(0, 0);
    s.fijaUnidadCentimetros();
    s.fijaFuente("Arial");
    s.fijaPapel(Papel::Carta);
    s.fijaOrientacion(Orientacion::Vertical);
    for (const Linea& l : Lineas) {
        s.fijaTamanoFuente(l.tamano);
        if (l.x >= 0) {
            s.fijaPosicion(l.x, l.y);
        }
        s.imprimeLinea(QString::fromUtf8(l.texto), l.avance);
    }
    s.terminaDocumento();
}

QByteArray contenido(const QString& ruta)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

// Top-left corner of the printable area of a Letter PDF, in centimetres.
QPointF margenPdf()
{
    QPrinter p(QPrinter::HighResolution);
    p.setOutputFormat(QPrinter::PdfFormat);
    p.setPageSize(QPageSize(QPageSize::Letter));
    return p.pageLayout().paintRect(QPageLayout::Millimeter).topLeft() / 10;
}

// Every text of the PDF sits where the recording surface says the same
// lines go: its baseline one ascent below the top-left corner.
void esperaTextosDondeLaGrabadora(const DocumentoPdf& pdf, const SuperficieGrabadora& grabadora)
{
    const QPointF margen = margenPdf();
    ASSERT_EQ(pdf.textos.size(), grabadora.textos.size());
    for (size_t i = 0; i < pdf.textos.size(); ++i) {
        const TextoPdf& t = pdf.textos[i];
        const SuperficieGrabadora::TextoImpreso& g = grabadora.textos[i];
        QFont fuente(g.fuente);
        fuente.setPointSizeF(g.tamano);
        EXPECT_EQ(t.texto, g.texto);
        EXPECT_NEAR(t.x, margen.x() + g.xTexto, 0.005) << g.texto.toStdString();
        EXPECT_NEAR(t.y, margen.y() + g.yTexto + AscensoCm(fuente), 0.005) << g.texto.toStdString();
        EXPECT_NEAR(t.puntos, g.tamano, 0.05) << g.texto.toStdString();
    }
}

class SuperficieImpresora_ : public ::testing::Test {
protected:
    QString ruta(const char* nombre) const { return QDir(carpeta.path()).filePath(nombre); }
    QTemporaryDir carpeta;
};

}  // namespace

TEST(SuperficieGrabadora, RegistraOperacionesYTextosConPosicionYTamano)
{
    SuperficieGrabadora s;
    imprime(s);
    EXPECT_EQ(s.operaciones.mid(0, 8),
              QStringList({"origen 0 0", "unidad cm", "fuente Arial", "papel carta",
                           "orientacion vertical", "tamano 12", "posicion 2.5 3", "linea JUAN PEREZ"}));
    EXPECT_EQ(s.operaciones.last(), "fin documento");
    ASSERT_EQ(s.textos.size(), std::size(Lineas));
    EXPECT_EQ(s.textos[0].texto, "JUAN PEREZ");
    EXPECT_DOUBLE_EQ(s.textos[0].xTexto, 2.5);
    EXPECT_DOUBLE_EQ(s.textos[0].yTexto, 3);
    // The next line starts at the left edge, one line of its font lower.
    EXPECT_DOUBLE_EQ(s.textos[1].xTexto, 0);
    QFont arial(QStringLiteral("Arial"));
    arial.setPointSizeF(12);
    const QFontMetricsF medidas(arial);
    EXPECT_NEAR(s.textos[1].yTexto - 3, medidas.lineSpacing() / medidas.fontDpi() * 2.54, 0.05);
    // The advance is a tab to column 65; past it, the text goes a line lower.
    EXPECT_EQ(s.textos[2].avance, 65);
    EXPECT_GT(s.textos[2].xTexto, 8.5);
    EXPECT_DOUBLE_EQ(s.textos[2].yTexto, 1.7);
    EXPECT_DOUBLE_EQ(s.textos[3].xTexto, s.textos[2].xTexto);
    EXPECT_GT(s.textos[3].yTexto, 1.7);
    EXPECT_EQ(s.documentosTerminados, 1);
}

TEST_F(SuperficieImpresora_, PoneCadaTextoDelPdfDondeLoDejaLaGrabadora)
{
    {
        SuperficieImpresora s(ruta("lineas.pdf"));
        imprime(s);
    }
    SuperficieGrabadora grabadora;
    imprime(grabadora);
    const DocumentoPdf pdf = LeePdf(contenido(ruta("lineas.pdf")));
    EXPECT_EQ(pdf.paginas, 1);
    esperaTextosDondeLaGrabadora(pdf, grabadora);
}

// The printer a print preview hands over is drawn on as the surface's own.
TEST_F(SuperficieImpresora_, DibujaIgualEnUnaImpresoraQueSeLeEntrega)
{
    QPrinter entregada(QPrinter::HighResolution);
    entregada.setOutputFormat(QPrinter::PdfFormat);
    entregada.setOutputFileName(ruta("entregada.pdf"));
    {
        SuperficieImpresora s(entregada);
        imprime(s);
    }
    SuperficieGrabadora grabadora;
    imprime(grabadora);
    esperaTextosDondeLaGrabadora(LeePdf(contenido(ruta("entregada.pdf"))), grabadora);
}

TEST_F(SuperficieImpresora_, EntregaUnPdfDeUnaPaginaDelPapelElegido)
{
    const struct {
        Papel papel;
        QSizeF puntos;
    } casos[] = {{Papel::Carta, {612, 792}}, {Papel::Oficio, {612, 1008}}};
    for (const auto& caso : casos) {
        {
            SuperficieImpresora s(ruta("documento.pdf"));
            s.fijaPapel(caso.papel);
            s.fijaFuente("Arial");
            s.fijaTamanoFuente(12);
            s.fijaPosicion(2.5, 3);
            s.imprimeLinea("JUAN PEREZ");
            s.terminaDocumento();
        }
        const DocumentoPdf pdf = LeePdf(contenido(ruta("documento.pdf")));
        EXPECT_EQ(pdf.paginas, 1);
        EXPECT_EQ(pdf.hojaPuntos, caso.puntos);
    }
}

TEST_F(SuperficieImpresora_, NadaSaleAntesDelFinDeDocumentoYSinSalidaNoHayDocumento)
{
    SuperficieImpresora s(ruta("vacio.pdf"));
    s.terminaDocumento();
    EXPECT_FALSE(QFile::exists(ruta("vacio.pdf")));
}

// A print that failed halfway is dropped: the next document holds only its
// own text.
TEST_F(SuperficieImpresora_, UnDocumentoCanceladoNoPasaAlSiguiente)
{
    {
        SuperficieImpresora s(ruta("cancelado.pdf"));
        s.fijaFuente("Arial");
        s.fijaTamanoFuente(8);
        s.fijaPosicion(2, 2);
        s.imprimeLinea("A MEDIAS");
        s.cancelaDocumento();
        s.fijaPosicion(3, 4);
        s.imprimeLinea("COMPLETO");
        s.terminaDocumento();
    }
    const DocumentoPdf pdf = LeePdf(contenido(ruta("cancelado.pdf")));
    EXPECT_EQ(pdf.paginas, 1);
    ASSERT_EQ(pdf.textos.size(), 1u);
    EXPECT_EQ(pdf.textos[0].texto, "COMPLETO");
}

TEST_F(SuperficieImpresora_, ImagenDeUnaFormaComoUnaPagina)
{
    QLabel forma("Estadística");
    forma.resize(300, 200);
    SuperficieImpresora s(ruta("forma.pdf"));
    s.fijaPapel(Papel::Oficio);
    s.imprimeImagen(forma);
    const QByteArray pdf = contenido(ruta("forma.pdf"));
    EXPECT_EQ(LeePdf(pdf).paginas, 1);
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
}

TEST(SuperficieImpresora, ImpresoraQueNoAbreAvisaConError)
{
    SuperficieImpresora s("/carpeta/que/no/existe/documento.pdf");
    try {
        s.imprimeLinea("texto");
        ADD_FAILURE() << "sin error";
    } catch (const ErrorImpresion& e) {
        EXPECT_TRUE(e.texto().contains("/carpeta/que/no/existe/documento.pdf")) << e.what();
    }
    // The failure leaves no document half open.
    EXPECT_NO_THROW(s.terminaDocumento());
}
