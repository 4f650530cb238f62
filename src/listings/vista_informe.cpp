#include "listings/vista_informe.h"

#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace {

constexpr int Separacion = 12;  // pixels around and between pages
constexpr double PasoZoom = 1.25;
constexpr double EscalaMinima = 0.1;
constexpr double EscalaMaxima = 8;
// Pages kept drawn: those in sight and a few around them.
constexpr size_t PaginasGuardadas = 12;

}  // namespace

VistaInforme::VistaInforme(QWidget* padre) : QAbstractScrollArea(padre)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void VistaInforme::fijaDocumento(const QPageLayout& hoja, int paginas, PintaPagina pinta)
{
    hoja_ = hoja;
    paginas_ = std::max(0, paginas);
    pinta_ = std::move(pinta);
    paginaActual_ = paginas_ > 0 ? 1 : 0;
    dibujadas_.clear();
    aplicaAjuste();
    setCurrentPage(1);
    viewport()->update();
    emit previewChanged();
}

QSizeF VistaInforme::papelPixeles() const
{
    return hoja_.fullRect(QPageLayout::Point).size() * escala_;
}

double VistaInforme::altoPaso() const
{
    return std::round(papelPixeles().height()) + Separacion;
}

int VistaInforme::paginaEnVista() const
{
    const QScrollBar& barra = *verticalScrollBar();
    if (barra.maximum() > 0 && barra.value() >= barra.maximum()) {
        return paginas_;
    }
    const double medio = barra.value() + viewport()->height() / 2.0 - Separacion;
    return std::clamp(int(medio / altoPaso()) + 1, 1, paginas_);
}

void VistaInforme::setCurrentPage(int pagina)
{
    if (paginas_ == 0) {
        return;
    }
    paginaActual_ = std::clamp(pagina, 1, paginas_);
    moviendo_ = true;
    verticalScrollBar()->setValue(int(std::lround((paginaActual_ - 1) * altoPaso())));
    moviendo_ = false;
    emit previewChanged();
}

void VistaInforme::zoomIn()
{
    fijaEscala(escala_ * PasoZoom, Ajuste::Ninguno);
}

void VistaInforme::zoomOut()
{
    fijaEscala(escala_ / PasoZoom, Ajuste::Ninguno);
}

void VistaInforme::fitInView()
{
    ajuste_ = Ajuste::Pagina;
    aplicaAjuste();
}

void VistaInforme::fitToWidth()
{
    ajuste_ = Ajuste::Ancho;
    aplicaAjuste();
}

// The page in sight stays in sight whatever the new scale.
void VistaInforme::fijaEscala(double escala, Ajuste ajuste)
{
    const int pagina = paginaActual_;
    ajuste_ = ajuste;
    const double nueva = std::clamp(escala, EscalaMinima, EscalaMaxima);
    if (nueva != escala_) {
        escala_ = nueva;
        dibujadas_.clear();
    }
    actualizaBarras();
    if (pagina > 0) {
        setCurrentPage(pagina);
    }
    viewport()->update();
}

void VistaInforme::aplicaAjuste()
{
    const QSizeF papel = hoja_.fullRect(QPageLayout::Point).size();
    if (papel.isEmpty()) {
        return;
    }
    const double ancho = std::max(1, viewport()->width() - 2 * Separacion) / papel.width();
    const double alto = std::max(1, viewport()->height() - 2 * Separacion) / papel.height();
    switch (ajuste_) {
    case Ajuste::Pagina:
        fijaEscala(std::min(ancho, alto), Ajuste::Pagina);
        break;
    case Ajuste::Ancho:
        fijaEscala(ancho, Ajuste::Ancho);
        break;
    case Ajuste::Ninguno:
        actualizaBarras();
        break;
    }
}

void VistaInforme::actualizaBarras()
{
    const QSizeF papel = papelPixeles();
    const int alto = int(std::lround(paginas_ * altoPaso())) + Separacion;
    const int ancho = int(std::lround(papel.width())) + 2 * Separacion;
    verticalScrollBar()->setRange(0, std::max(0, alto - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
    horizontalScrollBar()->setRange(0, std::max(0, ancho - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

const QImage& VistaInforme::imagen(int pagina)
{
    const auto hecha = dibujadas_.find(pagina);
    if (hecha != dibujadas_.end()) {
        return hecha->second;
    }
    while (dibujadas_.size() >= PaginasGuardadas) {
        // The drawn page farthest from this one goes first.
        const auto primera = dibujadas_.begin();
        const auto ultima = std::prev(dibujadas_.end());
        dibujadas_.erase(pagina - primera->first > ultima->first - pagina ? primera : ultima);
    }
    const QSizeF area = hoja_.paintRect(QPageLayout::Point).size() * escala_;
    QImage imagen(std::max(1, int(std::lround(area.width()))),
                  std::max(1, int(std::lround(area.height()))), QImage::Format_RGB32);
    // Points are 1/72 inch: the image's resolution makes the page's
    // millimetres and font sizes come out at this scale.
    const int puntosPorMetro = int(std::lround(escala_ * 72 / 0.0254));
    imagen.setDotsPerMeterX(puntosPorMetro);
    imagen.setDotsPerMeterY(puntosPorMetro);
    imagen.fill(Qt::white);
    {
        QPainter pintor(&imagen);
        pintor.setRenderHint(QPainter::Antialiasing);
        pintor.setRenderHint(QPainter::TextAntialiasing);
        if (pinta_) {
            pinta_(pintor, pagina);
        }
    }
    return dibujadas_.emplace(pagina, std::move(imagen)).first->second;
}

void VistaInforme::paintEvent(QPaintEvent*)
{
    QPainter pintor(viewport());
    if (paginas_ == 0) {
        return;
    }
    const QSizeF papel = papelPixeles();
    const QPointF margen = hoja_.paintRect(QPageLayout::Point).topLeft() * escala_;
    const int anchoPapel = int(std::lround(papel.width()));
    const int altoPapel = int(std::lround(papel.height()));
    const int x = anchoPapel + 2 * Separacion <= viewport()->width()
                      ? (viewport()->width() - anchoPapel) / 2
                      : Separacion - horizontalScrollBar()->value();
    const int arriba = verticalScrollBar()->value();
    const int primera = std::max(0, int((arriba - Separacion) / altoPaso()));
    for (int p = primera; p < paginas_; ++p) {
        const int y = Separacion + int(std::lround(p * altoPaso())) - arriba;
        if (y > viewport()->height()) {
            break;
        }
        const QRect hoja(x, y, anchoPapel, altoPapel);
        pintor.fillRect(hoja.translated(3, 3), QColor(0, 0, 0, 60));
        pintor.fillRect(hoja, Qt::white);
        pintor.drawImage(QPointF(x, y) + margen, imagen(p));
    }
}

void VistaInforme::resizeEvent(QResizeEvent* evento)
{
    QAbstractScrollArea::resizeEvent(evento);
    aplicaAjuste();
}

void VistaInforme::scrollContentsBy(int, int)
{
    viewport()->update();
    if (!moviendo_ && paginas_ > 0) {
        paginaActual_ = paginaEnVista();
        emit previewChanged();
    }
}
