#include "listings/hoja_estadistica.h"

#include "shell/csv.h"
#include "platform/caja_mascara.h"
#include "platform/superficie_impresion.h"
#include "shell/aplicacion.h"

#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace {

const ConfiguracionHoja Hojas[] = {
    {"Form_Esta",
     "Formulario de estadisticas mensuales",
     "Licencias otorgadas",
     TipoEstadistica::Otorgadas,
     {{{{2520, 2880, 3240, 3600, 3960}, 2070, 9090, 9765, 270},
       {{5445}, 225, 7245, 7920, 225},
       {{6945, 7260, 7620, 7980, 8340}, 2025, 7065, 7740, 315},
       {{9810}, 225, 5310, 5940, 225}}},
     8550,
     10440,
     10710},
    {"Form_Deniega",
     "Form1",
     "Licencias denegadas",
     TipoEstadistica::Denegadas,
     {{{{2640, 3000, 3360, 3720, 4080}, 2205, 9225, 9900, 405},
       {{5565}, 360, 7380, 8055, 360},
       {{7065, 7380, 7740, 8100, 8460}, 2160, 7200, 7875, 450},
       {{9990}, 360, 5445, 6075, 360}}},
     8685,
     10500,
     10770},
};

// The four blocks of both sheets, top to bottom.
struct DefinicionBloque {
    const char* titulo;
    bool conPeticiones;  // a table of request rows and "T O T A L"; else a summary row
    bool profesional;
};
const DefinicionBloque Bloques[] = {
    {"T i p o s    d e    L i c e n c i a s", true, false},
    {"E s p e c i f i c a c i ó n    p o r    C l a s e", false, false},
    {"L i c e n c i a s   P r o f e s i o n a l e s", true, true},
    {"L i c e n c i a s   P r o f e s i o n a l e s", false, true},
};

// Twips of the sheet's box grid.
constexpr int AnchoCaja = 420;
constexpr int AltoCaja = 255;
constexpr int PasoSexo = 495;
constexpr int PasoClase = 990;
constexpr int Margen = 315;
// Above a block's first row: its title, the class headings, the H and M.
constexpr int SobreTitulo = 840;
constexpr int SobreClases = 530;
constexpr int SobreSexos = 280;

const QString FilaTotal = QStringLiteral("T");

QStringList partesFila(const DefinicionBloque& bloque)
{
    if (!bloque.conPeticiones) {
        return {QString()};
    }
    QStringList partes;
    for (const CodigoPeticion& p : CodigosPeticion) {
        partes << QLatin1String(p.codigo);
    }
    return partes << FilaTotal;
}

std::vector<const CodigoClase*> clasesDe(const DefinicionBloque& bloque)
{
    std::vector<const CodigoClase*> clases;
    for (const CodigoClase& c : CodigosClase) {
        if (c.profesional == bloque.profesional) {
            clases.push_back(&c);
        }
    }
    return clases;
}

enum class Letra { Caja, CajaNegrita, Bloque, Titulo, Texto };

QFont letra(Letra tipo)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(tipo == Letra::Titulo ? 18 : tipo == Letra::Bloque ? 9.75 : 8.25);
    f.setBold(tipo != Letra::Caja && tipo != Letra::Texto);
    f.setUnderline(tipo == Letra::Titulo);
    return f;
}

}  // namespace

const ConfiguracionHoja& ConfiguracionDe(TipoEstadistica tipo)
{
    return tipo == TipoEstadistica::Otorgadas ? Hojas[0] : Hojas[1];
}

std::vector<CajaHoja> CajasHoja(const ConfiguracionHoja& configuracion)
{
    std::vector<CajaHoja> cajas;
    for (size_t b = 0; b < std::size(Bloques); ++b) {
        const DefinicionBloque& bloque = Bloques[b];
        const GeometriaBloque& g = configuracion.bloques[b];
        const QStringList filas = partesFila(bloque);
        const auto clases = clasesDe(bloque);
        for (int i = 0; i < filas.size(); ++i) {
            const int arriba = g.arriba[size_t(i)];
            const bool negrita = !bloque.conPeticiones || filas[i] == FilaTotal;
            for (int s = 0; s < NumeroSexos; ++s) {
                const QString sexo = QLatin1String(CodigosSexo[size_t(s)].codigo);
                for (size_t k = 0; k < clases.size(); ++k) {
                    cajas.push_back({NombreCaja(filas[i], QLatin1String(clases[k]->codigo), sexo),
                                     g.izquierda + int(k) * PasoClase + s * PasoSexo, arriba,
                                     negrita});
                }
                cajas.push_back({NombreCaja(filas[i], ParteTotal(bloque.profesional), sexo),
                                 s == 0 ? g.totalH : g.totalM, arriba, true});
            }
        }
    }
    // Left to right within each row.
    std::stable_sort(cajas.begin(), cajas.end(), [](const CajaHoja& a, const CajaHoja& b) {
        return a.arriba != b.arriba ? a.arriba < b.arriba : a.izquierda < b.izquierda;
    });
    return cajas;
}

// Twips to pixels. The sheet keeps its arrangement; it is drawn wider than
// its twips so that a box holds five bold digits, and only as high as its
// text needs, so that it fits a 768-pixel screen.
class HojaEstadistica::Escala {
public:
    Escala()
    {
        const QFontMetricsF medidas(letra(Letra::CajaNegrita));
        horizontal_ = std::max(1.0, (medidas.horizontalAdvance(QStringLiteral("88888")) + 8) *
                                        15.0 / AnchoCaja);
        vertical_ = std::clamp((medidas.lineSpacing() + 2) * 15.0 / AltoCaja, 0.85, 1.0);
    }
    int x(int twips) const { return int(std::lround(twips * horizontal_ / 15.0)); }
    int y(int twips) const { return int(std::lround(twips * vertical_ / 15.0)); }
    QRect caja(int izquierda, int arriba, int ancho, int alto) const
    {
        return QRect(QPoint(x(izquierda), y(arriba)),
                     QPoint(x(izquierda + ancho) - 1, y(arriba + alto) - 1));
    }

private:
    double horizontal_ = 1;
    double vertical_ = 1;
};

namespace {

QLabel* etiqueta(QWidget* hoja, const QString& texto, Letra tipo, const QRect& lugar,
                 Qt::Alignment alineacion = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* l = new QLabel(texto, hoja);
    l->setFont(letra(tipo));
    l->setAlignment(alineacion);
    l->setGeometry(lugar);
    return l;
}

}  // namespace

HojaEstadistica::HojaEstadistica(Aplicacion& app, TipoEstadistica tipo, DatosHoja datos)
    : Forma(app, QString::fromLatin1(ConfiguracionDe(tipo).nombre),
            QString::fromUtf8(ConfiguracionDe(tipo).tituloVentana)),
      configuracion_(ConfiguracionDe(tipo)),
      datos_(std::move(datos))
{
    construye();
}

void HojaEstadistica::construye()
{
    setAutoFillBackground(true);
    QPalette paleta = palette();
    paleta.setColor(QPalette::Window, Qt::white);
    paleta.setColor(QPalette::WindowText, Qt::black);
    setPalette(paleta);
    const Escala escala;
    creaEncabezado(escala);
    creaBloques(escala);
    creaCajas(escala);
    creaFirma(escala);
    creaBotones(escala);
    // A long signer's name widens the sheet rather than being cut.
    setFixedSize(childrenRect().right() + 1 + escala.x(Margen),
                 escala.y(configuracion_.cargoArriba + AltoCaja + Margen));
}

void HojaEstadistica::creaEncabezado(const Escala& escala)
{
    const int ancho = configuracion_.bloques[0].totalM + AnchoCaja + Margen;
    const struct {
        const char* texto;
        int arriba;
        Letra tipo;
        bool centrada;
    } lineas[] = {
        {"Ilustre Municipalidad de Pelvarin", 100, Letra::CajaNegrita, false},
        {"Departamento de Tránsito", 340, Letra::CajaNegrita, false},
        {"Licencias de Conducir", 580, Letra::CajaNegrita, false},
        {"Estadistica Mensual", 300, Letra::Titulo, true},
        {configuracion_.encabezado, 900, Letra::Bloque, true},
    };
    for (const auto& l : lineas) {
        const int alto = l.tipo == Letra::Titulo ? 480 : l.tipo == Letra::Bloque ? 300 : 240;
        etiqueta(this, QString::fromUtf8(l.texto), l.tipo,
                 l.centrada ? escala.caja(0, l.arriba, ancho, alto)
                            : escala.caja(Margen, l.arriba, 3600, alto),
                 (l.centrada ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    const int renglon = 1260;
    etiqueta(this, QStringLiteral("Mes "), Letra::Bloque, escala.caja(3150, renglon, 500, 300));
    Text_Mes = new QLineEdit(this);
    Text_Mes->setObjectName(QStringLiteral("Text_Mes"));
    Text_Mes->setGeometry(escala.caja(3650, renglon, 1800, 300));
    etiqueta(this, QStringLiteral("Año"), Letra::Bloque, escala.caja(5850, renglon, 450, 300));
    MEd_Ano = CajaMascara::digitos(4, QLatin1Char(' '), this);
    MEd_Ano->setObjectName(QStringLiteral("MEd_Ano"));
    MEd_Ano->setGeometry(escala.caja(6300, renglon, 800, 300));
    for (QLineEdit* caja : {static_cast<QLineEdit*>(Text_Mes), static_cast<QLineEdit*>(MEd_Ano)}) {
        caja->setFont(letra(Letra::Bloque));
    }
}

void HojaEstadistica::creaBloques(const Escala& escala)
{
    const bool otorgadas = configuracion_.tipo == TipoEstadistica::Otorgadas;
    for (size_t b = 0; b < std::size(Bloques); ++b) {
        const DefinicionBloque& bloque = Bloques[b];
        const GeometriaBloque& g = configuracion_.bloques[b];
        const int primera = g.arriba[0];
        const int derecha = g.totalM + AnchoCaja;
        etiqueta(this, QString::fromUtf8(bloque.titulo), Letra::Bloque,
                 escala.caja(g.izquierda, primera - SobreTitulo, derecha - g.izquierda, 300),
                 Qt::AlignCenter);
        // Column headings: each class over its H and M boxes, then "Total".
        const auto clases = clasesDe(bloque);
        QList<QPair<QString, int>> columnas;
        for (size_t k = 0; k < clases.size(); ++k) {
            columnas.append({QLatin1String(clases[k]->encabezado), g.izquierda + int(k) * PasoClase});
        }
        columnas.append({QStringLiteral("Total"), g.totalH});
        for (const auto& [titulo, izquierda] : columnas) {
            const int pasoM = titulo == QLatin1String("Total") ? g.totalM - g.totalH : PasoSexo;
            etiqueta(this, titulo, Letra::CajaNegrita,
                     escala.caja(izquierda, primera - SobreClases, pasoM + AnchoCaja, AltoCaja),
                     Qt::AlignCenter);
            for (int s = 0; s < NumeroSexos; ++s) {
                etiqueta(this, QLatin1String(CodigosSexo[size_t(s)].codigo), Letra::CajaNegrita,
                         escala.caja(izquierda + s * pasoM, primera - SobreSexos, AnchoCaja, AltoCaja),
                         Qt::AlignCenter);
            }
        }
        if (!bloque.conPeticiones) {
            continue;
        }
        const int anchoLeyenda = g.izquierda - g.leyenda - 60;
        etiqueta(this, QStringLiteral("Petición de Licencia"), Letra::CajaNegrita,
                 escala.caja(g.leyenda, primera - SobreClases, anchoLeyenda, AltoCaja));
        QStringList leyendas;
        for (const CodigoPeticion& p : CodigosPeticion) {
            leyendas << QString::fromUtf8(otorgadas ? p.leyendaOtorgadas : p.leyendaDenegadas);
        }
        leyendas << QStringLiteral("T O T A L");
        for (int r = 0; r < leyendas.size(); ++r) {
            etiqueta(this, leyendas[r], r == NumeroPeticiones ? Letra::CajaNegrita : Letra::Texto,
                     escala.caja(g.leyenda, g.arriba[size_t(r)], anchoLeyenda, AltoCaja));
        }
    }
}

void HojaEstadistica::creaCajas(const Escala& escala)
{
    for (const CajaHoja& c : CajasHoja(configuracion_)) {
        auto* caja = new QLabel(this);
        caja->setObjectName(c.nombre);
        caja->setFont(letra(c.negrita ? Letra::CajaNegrita : Letra::Caja));
        caja->setFrameStyle(QFrame::Box | QFrame::Plain);
        caja->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        caja->setIndent(2);
        caja->setGeometry(escala.caja(c.izquierda, c.arriba, AnchoCaja, AltoCaja));
    }
}

void HojaEstadistica::creaFirma(const Escala& escala)
{
    const QString nombre = app().FirmaJefe.recortado();
    const QString cargo = QStringLiteral("Director de Transito");
    const QFontMetrics medidas(letra(Letra::CajaNegrita));
    QRect lugar = escala.caja(configuracion_.firmaIzquierda, configuracion_.firmaArriba,
                              configuracion_.bloques[0].totalM + AnchoCaja - configuracion_.firmaIzquierda,
                              AltoCaja);
    lugar.setWidth(std::max({lugar.width(), medidas.horizontalAdvance(nombre) + 8,
                             medidas.horizontalAdvance(cargo) + 8}));
    auto* linea = new QFrame(this);
    linea->setFrameStyle(QFrame::HLine | QFrame::Plain);
    linea->setGeometry(lugar.translated(0, -lugar.height() / 2 - 2).adjusted(0, 0, 0, -lugar.height() / 2));
    etiqueta(this, nombre, Letra::CajaNegrita, lugar, Qt::AlignCenter)
        ->setObjectName(QStringLiteral("Label_Director"));
    lugar.moveTop(escala.y(configuracion_.cargoArriba));
    etiqueta(this, cargo, Letra::CajaNegrita, lugar, Qt::AlignCenter);
}

void HojaEstadistica::creaBotones(const Escala& escala)
{
    const GeometriaBloque& resumen = configuracion_.bloques[1];
    const int izquierda = resumen.totalM + AnchoCaja + 600;
    const int ancho = configuracion_.bloques[0].totalM + AnchoCaja - izquierda;
    const struct {
        QPushButton** boton;
        const char* nombre;
        const char* texto;
        int arriba;
    } botones[] = {
        {&Cmd_Imprimir, "Cmd_Imprimir", "Imprimir Formulario", resumen.arriba[0] - 450},
        {&Cmd_Abortar, "Cmd_Abortar", "Abortar Impresión", resumen.arriba[0] + 60},
    };
    for (const auto& b : botones) {
        *b.boton = new QPushButton(QString::fromUtf8(b.texto), this);
        (*b.boton)->setObjectName(QLatin1String(b.nombre));
        (*b.boton)->setGeometry(escala.caja(izquierda, b.arriba, ancho, 390));
    }
    alPulsar(Cmd_Imprimir, [this] { Cmd_Imprimir_Click(); });
    alPulsar(Cmd_Abortar, [this] { Cmd_Abortar_Click(); });
}

void HojaEstadistica::Form_Load()
{
    Text_Mes->setText(datos_.mes);
    MEd_Ano->fijaTexto(datos_.anio);
    if (!datos_.valores) {
        return;
    }
    for (auto it = datos_.valores->cbegin(); it != datos_.valores->cend(); ++it) {
        control<QLabel>(it.key()).setText(QString::number(it.value()));
    }
}

void HojaEstadistica::Cmd_Imprimir_Click()
{
    imprime(app().impresora());
}

void HojaEstadistica::Cmd_Abortar_Click()
{
    close();
}

void HojaEstadistica::imprime(SuperficieImpresion& superficie)
{
    // A cancelled dialog prints nothing: the clerk said no.
    if (!superficie.eligeImpresora(this)) {
        return;
    }
    superficie.fijaPapel(Papel::Oficio);
    sinBotones([&] { superficie.imprimeImagen(*this); });
}

void HojaEstadistica::sinBotones(const std::function<void()>& impresion)
{
    struct Muestra {
        QPushButton* a;
        QPushButton* b;
        ~Muestra()
        {
            a->show();
            b->show();
        }
    } muestra{Cmd_Imprimir, Cmd_Abortar};
    Cmd_Imprimir->hide();
    Cmd_Abortar->hide();
    impresion();
}

void HojaEstadistica::pinta(QPainter& pintor, const QRectF& pagina)
{
    sinBotones([&] {
        const double escala =
            std::min(pagina.width() / width(), pagina.height() / height());
        pintor.save();
        pintor.translate(pagina.topLeft());
        pintor.scale(escala, escala);
        render(&pintor, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
        pintor.restore();
    });
}

bool HojaEstadistica::guardaPdf(QIODevice& destino)
{
    QPdfWriter pdf(&destino);
    pdf.setTitle(windowTitle());
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::Legal), QPageLayout::Portrait,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter pintor;
    if (!pintor.begin(&pdf)) {
        return false;
    }
    pinta(pintor, QRectF(0, 0, pdf.width(), pdf.height()));
    return pintor.end();
}

QList<QPair<QString, QString>> HojaEstadistica::cajas() const
{
    QList<QPair<QString, QString>> lista = {{Text_Mes->objectName(), Text_Mes->text()},
                                            {MEd_Ano->objectName(), MEd_Ano->texto()}};
    for (const CajaHoja& c : CajasHoja(configuracion_)) {
        lista.append({c.nombre, control<QLabel>(c.nombre).text()});
    }
    return lista;
}

QString HojaEstadistica::csv() const
{
    QString texto;
    for (const auto& [nombre, valor] : cajas()) {
        texto += LineaCsv({nombre, valor});
    }
    return texto;
}
