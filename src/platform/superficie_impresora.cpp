#include "platform/superficie_impresora.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QWidget>

SuperficieImpresora::SuperficieImpresora() : impresora_(QPrinter::HighResolution)
{
    fuente_.setWeight(QFont::Normal);
}

SuperficieImpresora::SuperficieImpresora(const QString& archivoPdf) : SuperficieImpresora()
{
    impresora_.setOutputFormat(QPrinter::PdfFormat);
    impresora_.setOutputFileName(archivoPdf);
}

SuperficieImpresora::~SuperficieImpresora()
{
    if (pintor_) {
        pintor_->end();
    }
}

double SuperficieImpresora::pixelesPorCentimetro() const
{
    return impresora_.resolution() / 2.54;
}

QPainter& SuperficieImpresora::pintor()
{
    if (!pintor_) {
        auto nuevo = std::make_unique<QPainter>();
        if (!nuevo->begin(&impresora_)) {
            const QString destino = impresora_.outputFormat() == QPrinter::PdfFormat
                                        ? impresora_.outputFileName()
                                        : impresora_.printerName();
            throw ErrorImpresion(
                QStringLiteral("No fue posible iniciar la impresión en «%1». Revise que la "
                               "impresora esté encendida y disponible.")
                    .arg(destino));
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
    impresora_.setPageSize(QPageSize(papel == Papel::Carta ? QPageSize::Letter : QPageSize::Legal));
}

void SuperficieImpresora::fijaOrientacion(Orientacion)
{
    impresora_.setPageOrientation(QPageLayout::Portrait);
}

void SuperficieImpresora::fijaPosicion(double x, double y)
{
    posicion_ = QPointF(x, y);
}

void SuperficieImpresora::imprimeLinea(const QString& texto, int avanceColumnas)
{
    QPainter& p = pintor();
    p.setFont(fuente_);
    const QFontMetricsF medidas(fuente_, &impresora_);
    const double escala = pixelesPorCentimetro();
    const double renglon = medidas.lineSpacing() / escala;
    double x = posicion_.x();
    double y = posicion_.y();
    if (avanceColumnas > 0) {
        // A tab to print column n: n - 1 average character widths from the
        // left edge, on the next line when the position is already past it.
        const double columna = (avanceColumnas - 1) * medidas.averageCharWidth() / escala;
        if (x > columna) {
            y += renglon;
        }
        x = columna;
    }
    const QPointF arribaIzquierda = (origen_ + QPointF(x, y)) * escala;
    p.drawText(arribaIzquierda + QPointF(0, medidas.ascent()), texto);
    posicion_ = QPointF(0, y + renglon);
}

void SuperficieImpresora::terminaDocumento()
{
    if (!pintor_) {
        return;
    }
    const bool entregado = pintor_->end();
    pintor_.reset();
    if (!entregado) {
        throw ErrorImpresion(QStringLiteral("La impresora no recibió el documento."));
    }
}

bool SuperficieImpresora::eligeImpresora(QWidget* dueno)
{
    QPrintDialog dialogo(&impresora_, dueno);
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
