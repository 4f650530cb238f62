#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QPageLayout>
#include <functional>
#include <map>

// A preview of a paged document that draws a page only when it comes into
// sight: a listing of thousands of pages opens as fast as one of a single
// page. The pages run one below the other; the zoom fits a whole page or
// the page's width, or steps in and out.
class VistaInforme : public QAbstractScrollArea {
    Q_OBJECT
public:
    // Draws page `pagina` (from 0) on a painter whose device is the
    // printable area of the page.
    using PintaPagina = std::function<void(QPainter& pintor, int pagina)>;

    explicit VistaInforme(QWidget* padre = nullptr);

    void fijaDocumento(const QPageLayout& hoja, int paginas, PintaPagina pinta);
    int pageCount() const { return paginas_; }
    // Numbered from 1: the page last gone to, or at the middle of the view
    // since the clerk scrolled.
    int currentPage() const { return paginaActual_; }
    void setCurrentPage(int pagina);
    void zoomIn();
    void zoomOut();
    void fitInView();
    void fitToWidth();

signals:
    // The current page or the number of pages changed.
    void previewChanged();

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class Ajuste { Ninguno, Pagina, Ancho };

    QSizeF papelPixeles() const;
    double altoPaso() const;
    void fijaEscala(double escala, Ajuste ajuste);
    void aplicaAjuste();
    void actualizaBarras();
    int paginaEnVista() const;
    const QImage& imagen(int pagina);

    QPageLayout hoja_;
    int paginas_ = 0;
    PintaPagina pinta_;
    double escala_ = 1;  // screen pixels per point of paper
    int paginaActual_ = 0;
    bool moviendo_ = false;
    Ajuste ajuste_ = Ajuste::Pagina;
    // The pages drawn lately at the present scale, by page.
    std::map<int, QImage> dibujadas_;
};
