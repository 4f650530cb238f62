#include "platform/superficie_impresora.h"

#include "platform/medidas_impresion.h"

#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QWidget>
#include <optional>

namespace {

constexpr double CentimetrosPorPulgada = 2.54;

}  // namespace

SuperficieImpresora::SuperficieImpresora()
    : propia_(std::make_unique<QPrinter>(QPrinter::HighResolution)), hoja_(propia_.get())
{
    fuente_.setWeight(QFont::Normal);
}

SuperficieImpresora::SuperficieImpresora(const QString& archivoPdf) : SuperficieImpresora()
{
    propia_->setOutputFormat(QPrinter::PdfFormat);
    propia_->setOutputFileName(archivoPdf);
}

SuperficieImpresora::SuperficieImpresora(QPaintDevice& hoja) : hoja_(&hoja)
{
    fuente_.setWeight(QFont::Normal);
}

SuperficieImpresora::~SuperficieImpresora()
{
    if (pintor_) {
        pintor_->end();
    }
}

QPrinter* SuperficieImpresora::impresora() const
{
    return dynamic_cast<QPrinter*>(hoja_);
}

QString SuperficieImpresora::destino() const
{
    const QPrinter* p = impresora();
    if (!p) {
        return QStringLiteral("la página");
    }
    const QString nombre =
        p->outputFormat() == QPrinter::PdfFormat ? p->outputFileName() : p->printerName();
    return nombre.isEmpty() ? QString() : QStringLiteral("«%1»").arg(nombre);
}

bool SuperficieImpresora::aPdf() const
{
    const QPrinter* p = impresora();
    return p && p->outputFormat() == QPrinter::PdfFormat;
}

// What the clerk can do about a print that failed depends on where it went:
// a file wants its folder, a printer its power, cable and paper.
QString SuperficieImpresora::queHacer() const
{
    return aPdf() ? QStringLiteral("Revise que su carpeta exista y admita escritura, y que quede "
                                   "espacio en el disco.")
                  : QStringLiteral("Revise que la impresora esté encendida y disponible.");
}

QPainter& SuperficieImpresora::pintor()
{
    if (!pintor_) {
        auto nuevo = std::make_unique<QPainter>();
        if (!nuevo->begin(hoja_)) {
            const QString donde = destino();
            throw ErrorImpresion(
                donde.isEmpty()
                    ? QStringLiteral("No fue posible iniciar la impresión: este equipo no tiene "
                                     "una impresora instalada o elegida. Elija una en «Archivo» → "
                                     "«Seleccionar Impresora», o pida al personal de informática "
                                     "que instale una.")
                    : QStringLiteral("No fue posible iniciar la impresión en %1. %2")
                          .arg(donde, queHacer()));
        }
        pintor_ = std::move(nuevo);
    }
    return *pintor_;
}

void SuperficieImpresora::fijaOrigen(double izquierda, double arriba)
{
    origen_ = QPointF(izquierda, arriba);
}

void SuperficieImpresora::fijaUnidadCentimetros()
{
    // Every position of this surface is in centimetres already.
}

void SuperficieImpresora::fijaFuente(const QString& nombre)
{
    fuente_.setFamily(nombre);
}

void SuperficieImpresora::fijaTamanoFuente(double puntos)
{
    fuente_.setPointSizeF(puntos);
}

void SuperficieImpresora::fijaPapel(Papel papel)
{
    // A page that is not a sheet (a picture) has no paper to set.
    if (auto* hoja = dynamic_cast<QPagedPaintDevice*>(hoja_)) {
        hoja->setPageSize(QPageSize(papel == Papel::Carta ? QPageSize::Letter : QPageSize::Legal));
    }
}

void SuperficieImpresora::fijaOrientacion(Orientacion)
{
    if (auto* hoja = dynamic_cast<QPagedPaintDevice*>(hoja_)) {
        hoja->setPageOrientation(QPageLayout::Portrait);
    }
}

void SuperficieImpresora::fijaPosicion(double x, double y)
{
    posicion_ = QPointF(x, y);
}

void SuperficieImpresora::imprimeLinea(const QString& texto, int avanceColumnas)
{
    QPainter& p = pintor();
    p.setFont(fuente_);
    const LineaUbicada linea = UbicaLinea(fuente_, posicion_, avanceColumnas);
    const double pixelesPorCentimetro = hoja_->logicalDpiX() / CentimetrosPorPulgada;
    const QPointF base = origen_ + linea.texto + QPointF(0, AscensoCm(fuente_));
    p.drawText(base * pixelesPorCentimetro, texto);
    posicion_ = linea.siguiente;
}

void SuperficieImpresora::terminaDocumento()
{
    if (!pintor_) {
        return;
    }
    const bool entregado = pintor_->end();
    pintor_.reset();
    if (!entregado) {
        const QString donde = destino().isEmpty() ? QStringLiteral("elegida") : destino();
        throw ErrorImpresion(
            aPdf() ? QStringLiteral("El archivo %1 no quedó escrito. %2").arg(donde, queHacer())
                   : QStringLiteral("La impresora %1 no recibió el documento. Revise que esté "
                                    "encendida, conectada y con papel, y vuelva a imprimir.")
                         .arg(donde));
    }
}

void SuperficieImpresora::cancelaDocumento()
{
    if (!pintor_) {
        return;
    }
    if (QPrinter* p = impresora()) {
        p->abort();
    }
    pintor_->end();
    pintor_.reset();
}

bool SuperficieImpresora::eligeImpresora(QWidget* dueno)
{
    QPrinter* p = impresora();
    if (!p) {
        return false;
    }
    QPrintDialog dialogo(p, dueno);
    dialogo.setWindowTitle(QStringLiteral("Seleccionar Impresora"));
    return dialogo.exec() == QDialog::Accepted;
}

void SuperficieImpresora::imprimeImagen(QWidget& forma)
{
    // The image is a page of its own, apart from any text document.
    terminaDocumento();
    const QPixmap imagen = forma.grab();
    QPainter& p = pintor();
    const QRect pagina = p.viewport();
    const QSize tamano = imagen.size().scaled(pagina.size(), Qt::KeepAspectRatio);
    p.drawPixmap(QRect(pagina.topLeft(), tamano), imagen);
    terminaDocumento();
}

bool SuperficieImpresora::muestraVistaPrevia(QWidget* dueno, const Dibujo& dibujo)
{
    // The preview repaints the page on the printer it hands over, once for
    // the screen and again when the clerk prints: each time the same drawing
    // on a surface of its own, so no failure leaves for the dialog's events;
    // the last painting (the print, when there is one) tells the outcome. A
    // document left open on this printer is dropped first.
    cancelaDocumento();
    std::unique_ptr<QPrinter> sinImpresora;
    QPrinter* p = impresora();
    if (!p) {
        sinImpresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p = sinImpresora.get();
    }
    QPrintPreviewDialog dialogo(p, dueno);
    dialogo.setObjectName(QStringLiteral("VistaPrevia"));
    dialogo.setWindowTitle(QStringLiteral("Vista previa de impresión"));
    // The whole sheet at once, as large as the screen allows.
    if (const QScreen* pantalla = dueno ? dueno->screen() : QGuiApplication::primaryScreen()) {
        dialogo.resize(pantalla->availableGeometry().size() * 0.9);
    }
    if (auto* vista = dialogo.findChild<QPrintPreviewWidget*>()) {
        vista->fitInView();
    }
    std::optional<QString> falla;
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo,
                     [&dibujo, &falla](QPrinter* pagina) {
                         SuperficieImpresora hoja(*pagina);
                         falla.reset();
                         try {
                             dibujo(hoja);
                         } catch (const ErrorImpresion& e) {
                             hoja.cancelaDocumento();
                             falla = e.texto();
                         } catch (const std::exception& e) {
                             hoja.cancelaDocumento();
                             falla = QString::fromUtf8(e.what());
                         }
                     });
    const bool impreso = dialogo.exec() == QDialog::Accepted;
    if (falla) {
        throw ErrorImpresion(*falla);
    }
    return impreso;
}
