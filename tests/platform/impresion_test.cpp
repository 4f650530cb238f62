#include "platform/superficie_impresora.h"
#include "prueba.h"
#include "superficie_grabadora.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

namespace {

// A small document as a caller prints it.
void documentoPequeno(SuperficieImpresion& s)
{
    s.fijaOrigen(0, 0);
    s.fijaUnidadCentimetros();
    s.fijaFuente("Arial");
    s.fijaPapel(Papel::Carta);
    s.fijaOrientacion(Orientacion::Vertical);
    s.fijaTamanoFuente(12);
    s.fijaPosicion(2.5, 3);
    s.imprimeLinea("JUAN PEREZ");
    s.fijaTamanoFuente(8);
    s.imprimeLinea("CA04354520", 65);
    s.terminaDocumento();
}

QByteArray contenido(const QString& ruta)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

}  // namespace

TEST(SuperficieGrabadora, RegistraOperacionesYTextosConPosicionYTamano)
{
    SuperficieGrabadora s;
    documentoPequeno(s);
    EXPECT_EQ(s.operaciones,
              QStringList({"origen 0 0", "unidad cm", "fuente Arial", "papel carta",
                           "orientacion vertical", "tamano 12", "posicion 2.5 3", "linea JUAN PEREZ",
                           "tamano 8", "linea [65] CA04354520", "fin documento"}));
    ASSERT_EQ(s.textos.size(), 2u);
    EXPECT_EQ(s.textos[0].texto, "JUAN PEREZ");
    EXPECT_DOUBLE_EQ(s.textos[0].x, 2.5);
    EXPECT_DOUBLE_EQ(s.textos[0].y, 3);
    EXPECT_EQ(s.textos[0].tamano, 12);
    EXPECT_EQ(s.textos[1].avance, 65);
    EXPECT_DOUBLE_EQ(s.textos[1].x, 0);  // the next line starts at the left edge
    EXPECT_GT(s.textos[1].y, 3);
    EXPECT_EQ(s.documentosTerminados, 1);
}

TEST(SuperficieImpresora, EntregaUnPdfDeUnaPaginaDelPapelElegido)
{
    QTemporaryDir carpeta;
    const struct {
        Papel papel;
        const char* caja;
    } casos[] = {{Papel::Carta, "[0 0 612.000000 792.000000]"}, {Papel::Oficio, "[0 0 612.000000 1008.000000]"}};
    for (const auto& caso : casos) {
        const QString ruta = QDir(carpeta.path()).filePath("documento.pdf");
        {
            SuperficieImpresora s(ruta);
            s.fijaPapel(caso.papel);
            s.fijaFuente("Arial");
            s.fijaTamanoFuente(12);
            s.fijaPosicion(2.5, 3);
            s.imprimeLinea("JUAN PEREZ");
            s.imprimeLinea("CA04354520", 65);
            s.terminaDocumento();
        }
        const QByteArray pdf = contenido(ruta);
        EXPECT_TRUE(pdf.startsWith("%PDF"));
        EXPECT_EQ(pdf.count("/MediaBox"), 1);
        EXPECT_TRUE(pdf.contains(caso.caja)) << caso.caja;
    }
}

TEST(SuperficieImpresora, NadaSaleAntesDelFinDeDocumentoYSinSalidaNoHayDocumento)
{
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath("vacio.pdf");
    SuperficieImpresora s(ruta);
    s.terminaDocumento();
    EXPECT_FALSE(QFile::exists(ruta));
}

TEST(SuperficieImpresora, ImagenDeUnaFormaComoUnaPagina)
{
    QTemporaryDir carpeta;
    const QString ruta = QDir(carpeta.path()).filePath("forma.pdf");
    QLabel forma("Estadística");
    forma.resize(300, 200);
    SuperficieImpresora s(ruta);
    s.fijaPapel(Papel::Oficio);
    s.imprimeImagen(forma);
    const QByteArray pdf = contenido(ruta);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Subtype /Image"));
}

TEST(SuperficieImpresora, ImpresoraQueNoAbreAvisaConError)
{
    SuperficieImpresora s("/carpeta/que/no/existe/documento.pdf");
    EXPECT_THROW(s.imprimeLinea("texto"), ErrorImpresion);
    // The failure leaves no document half open.
    EXPECT_NO_THROW(s.terminaDocumento());
}
