#include "listings/informe_folios.h"

#include "shell/csv.h"
#include "platform/caja_fecha.h"
#include "shell/datos/clave_fecha.h"
#include "shell/datos/conexion.h"
#include "shell/datos/fila.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

const TipoListado Tipos[] = {
    {"Folios", nullptr, false, "Listado  Total  de  Folios  Utilizados", "Clases", false},
    {"LicOtorgadas", "Ok", false, "Listado  de Licencias Emitidas", "Clases Obtenidas", true},
    {"LicDenegadas", "Reprobado", false, "Listado  de  Licencias  Denegadas", "Clases Denegadas",
     false},
    {"LicAnuladasElim", "Anulado", false, "Listado  de  Folios  Inutilizados", "Clases", true},
    {"LicNoDonantes", "Ok", true, "Listado  de  No  Donantes", "Clases", true},
};

const char* const ColumnasListado[] = {"NumeroLicencia", "Nombres",     "ApPaterno",
                                       "ApMaterno",      "LicActual",   "FechaActual",
                                       "FolioActual",    "Estado"};
const QString ColumnaNoDonante = QStringLiteral("CorrNoDonante");

// The report's design: its columns on paper with their design headings. A
// column of fixed form is as wide as its sample text; the others share the
// rest of the page by their weights.
const struct {
    const char* campo;
    const char* encabezado;
    const char* muestra;
    double peso;
} Diseno[] = {
    {"FolioActual", "Folio", "CA00000000", 0},
    {"FechaActual", "Fecha", "00-00-0000", 0},
    {"NumeroLicencia", "R.U.T.", "00.000.000-0", 0},
    {"ApPaterno", "Apellido Paterno", nullptr, 25},
    {"ApMaterno", "Apellido Materno", nullptr, 25},
    {"Nombres", "Nombres", nullptr, 36},
    {"LicActual", "Clases", nullptr, 24},
    {"Estado", "Estado", "Reprobado", 0},
    {"CorrNoDonante", "Nº Certificado No Donante", nullptr, 24},
};

constexpr double MargenPagina = 15;  // millimetres

}  // namespace

const TipoListado* BuscaTipoListado(const QString& modo)
{
    const QString buscado = modo.trimmed();
    for (const TipoListado& t : Tipos) {
        if (buscado == QLatin1String(t.modo)) {
            return &t;
        }
    }
    return nullptr;
}

QStringList ModosFolios()
{
    QStringList modos;
    for (const TipoListado& t : Tipos) {
        modos << QLatin1String(t.modo);
    }
    return modos;
}

ConsultaFolios ConsultaListado(const TipoListado& tipo, const PeticionFolios& peticion)
{
    ConsultaFolios c;
    for (const char* columna : ColumnasListado) {
        c.columnas << QLatin1String(columna);
    }
    if (tipo.noDonantes) {
        c.columnas << ColumnaNoDonante;
    }
    QStringList condiciones;
    if (tipo.estado) {
        condiciones << QStringLiteral("trim(Estado) = ?");
        c.valores << QString::fromLatin1(tipo.estado);
    }
    if (tipo.noDonantes) {
        condiciones << QStringLiteral("EsDonante = ?");
        c.valores << QStringLiteral("No");
    }
    const QString clave = ClaveFechaSql();
    condiciones << clave + QStringLiteral(" >= ?") << clave + QStringLiteral(" <= ?");
    c.valores << ClaveFecha(peticion.desde) << ClaveFecha(peticion.hasta);
    // Posicion last: applications of one RUT keep the order they were stored in.
    const QString orden = peticion.orden == OrdenFolios::PorFolio
                              ? QStringLiteral("FolioActual, Posicion")
                              : QStringLiteral("NumeroLicencia, Posicion");
    c.sql = QStringLiteral("SELECT Posicion FROM TLicencias WHERE %1 ORDER BY %2")
                .arg(condiciones.join(QStringLiteral(" AND ")), orden);
    return c;
}

FilasInforme::FilasInforme(qint64 cantidad, Lector lector)
    : cantidad_(std::max<qint64>(0, cantidad)), lector_(std::move(lector))
{
}

std::vector<QStringList> FilasInforme::lee(qint64 desde, qint64 cantidad) const
{
    const qint64 primera = std::clamp<qint64>(desde, 0, cantidad_);
    const qint64 ultima = std::clamp<qint64>(primera + cantidad, primera, cantidad_);
    return primera == ultima ? std::vector<QStringList>() : lector_(primera, ultima - primera);
}

FilasInforme FilasInforme::dePosiciones(std::shared_ptr<Conexion> conexion, QStringList campos,
                                        std::vector<qint64> posiciones)
{
    auto lista = std::make_shared<const std::vector<qint64>>(std::move(posiciones));
    const qint64 total = qint64(lista->size());
    return FilasInforme(total, [conexion = std::move(conexion), campos = std::move(campos),
                                   lista](qint64 desde, qint64 cantidad) {
        QHash<qint64, qsizetype> lugar;
        QVariantList valores;
        for (qint64 i = desde; i < desde + cantidad; ++i) {
            lugar.insert((*lista)[size_t(i)], qsizetype(i - desde));
            valores << (*lista)[size_t(i)];
        }
        const QStringList marcas(valores.size(), QStringLiteral("?"));
        std::vector<QStringList> filas(static_cast<size_t>(cantidad));
        conexion->recorre(
            QStringLiteral("SELECT Posicion, %1 FROM TLicencias WHERE Posicion IN (%2)")
                .arg(campos.join(QStringLiteral(", ")), marcas.join(QLatin1Char(','))),
            valores, [&](const Fila& fila) {
                QStringList textos;
                for (int i = 1; i <= campos.size(); ++i) {
                    textos << fila.texto(i);
                }
                const qint64 posicion = fila.valor(QStringLiteral("Posicion")).toLongLong();
                filas[size_t(lugar.value(posicion))] = std::move(textos);
            });
        return filas;
    });
}

InformeFolios::InformeFolios() : titulo(QStringLiteral("Listado de Folios"))
{
    for (const auto& d : Diseno) {
        columnas.push_back({QLatin1String(d.campo), QString::fromUtf8(d.encabezado),
                            QString::fromLatin1(d.muestra), d.peso});
    }
    fijaOcultos(false);
}

ColumnaInforme& InformeFolios::columna(const QString& campo)
{
    for (ColumnaInforme& c : columnas) {
        if (c.campo == campo) {
            return c;
        }
    }
    throw std::logic_error("El informe de folios no tiene la columna " + campo.toStdString());
}

const ColumnaInforme* InformeFolios::busca(const QString& campo) const
{
    for (const ColumnaInforme& c : columnas) {
        if (c.campo == campo) {
            return &c;
        }
    }
    return nullptr;
}

void InformeFolios::fijaOcultos(bool noDonantes)
{
    for (ColumnaInforme* c : {&encabezadoClases(), &segundoEncabezado()}) {
        c->encabezadoOculto = noDonantes;
        c->campoOculto = noDonantes;
    }
    encabezadoNoDonante().encabezadoOculto = !noDonantes;
    encabezadoNoDonante().campoOculto = !noDonantes;
}

void InformeFolios::descartaDatos()
{
    campos.clear();
    filas = FilasInforme();
}

QString InformeFolios::valor(const QStringList& fila, const ColumnaInforme& columna) const
{
    return fila.value(campos.indexOf(columna.campo));
}

void PreparaInforme(InformeFolios& informe, const std::shared_ptr<Conexion>& conexion,
                    const TipoListado& tipo, const PeticionFolios& peticion)
{
    informe.fijaOcultos(tipo.noDonantes);
    const ConsultaFolios consulta = ConsultaListado(tipo, peticion);
    informe.descartaDatos();
    std::vector<qint64> posiciones;
    conexion->recorre(consulta.sql, consulta.valores, [&](const Fila& fila) {
        posiciones.push_back(fila.valor(QStringLiteral("Posicion")).toLongLong());
    });
    informe.campos = consulta.columnas;
    informe.filas = FilasInforme::dePosiciones(conexion, consulta.columnas, std::move(posiciones));
    informe.titulo = QString::fromLatin1(tipo.titulo);
    // Every kind sets the class heading, so that no listing is headed by
    // the text an earlier one left.
    informe.encabezadoClases().encabezado = QString::fromLatin1(tipo.encabezadoClases);
    const QString desde = CajaFecha::formatea(peticion.desde);
    informe.subtitulo = tipo.subtituloConTermino
                            ? QStringLiteral("Informe solicitado fechas: ") + desde +
                                  QStringLiteral(" a ") + CajaFecha::formatea(peticion.hasta)
                            : QStringLiteral("Informe solicitado a la fecha: ") + desde;
}

PaginacionFolios::PaginacionFolios(const InformeFolios& informe, const QPaintDevice& dispositivo)
    : PaginacionFolios(informe, dispositivo, HojaDe(dispositivo))
{
}

PaginacionFolios::PaginacionFolios(const InformeFolios& informe, const QPaintDevice& dispositivo,
                                   const QPageLayout& hoja)
    : informe_(informe),
      dispositivo_(dispositivo),
      area_(0, 0, dispositivo.width(), dispositivo.height()),
      escala_(dispositivo.logicalDpiY() / 72.0)
{
    // The rows a page holds follow from the paper in points and from text
    // measured on one fine device, never from this device's pixels: the
    // preview, the printer and the PDF files break the pages alike.
    using Estilo = TextoPagina::Estilo;
    const double mm = 72 / 25.4;
    const double arriba = renglonEnPuntos(Estilo::Titulo) + renglonEnPuntos(Estilo::Subtitulo) +
                          3 * mm + 2 * renglonEnPuntos(Estilo::Encabezado) + 1.5 * mm;
    const double fila = renglonEnPuntos(Estilo::Dato) * 1.25;
    const double pie = renglonEnPuntos(Estilo::Pie) + 3 * mm;
    const double alto = hoja.paintRect(QPageLayout::Point).height();
    filasPorPagina_ = std::max(1, int((alto - pie - arriba) / fila));
    arribaFilas_ = arriba * escala_;
    altoFila_ = fila * escala_;
    // One line more for the row count after the last row.
    const qint64 lineas = informe.filas.cantidad() + 1;
    paginas_ = int((lineas + filasPorPagina_ - 1) / filasPorPagina_);
}

double PaginacionFolios::renglonEnPuntos(TextoPagina::Estilo estilo) const
{
    static const QImage fina = [] {
        QImage imagen(1, 1, QImage::Format_RGB32);
        constexpr int PuntosPorMetro = int(1200 / 0.0254);
        imagen.setDotsPerMeterX(PuntosPorMetro);
        imagen.setDotsPerMeterY(PuntosPorMetro);
        return imagen;
    }();
    return QFontMetricsF(letra(estilo), &fina).lineSpacing() * 72 / fina.logicalDpiY();
}

double PaginacionFolios::renglon(TextoPagina::Estilo estilo) const
{
    return renglonEnPuntos(estilo) * escala_;
}

QFont PaginacionFolios::letra(TextoPagina::Estilo estilo) const
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    switch (estilo) {
    case TextoPagina::Estilo::Titulo:
        f.setPointSizeF(14);
        f.setBold(true);
        break;
    case TextoPagina::Estilo::Subtitulo:
        f.setPointSizeF(10);
        break;
    case TextoPagina::Estilo::Encabezado:
        f.setPointSizeF(8);
        f.setBold(true);
        break;
    case TextoPagina::Estilo::Dato:
        f.setPointSizeF(8);
        break;
    case TextoPagina::Estilo::Pie:
        f.setPointSizeF(7);
        break;
    }
    return f;
}

ComposicionPagina PaginacionFolios::compone(int pagina) const
{
    using Estilo = TextoPagina::Estilo;
    ComposicionPagina c;
    const double mm = escala_ * 72 / 25.4;
    const double ancho = area_.width();

    double y = 0;
    c.textos.push_back({QRectF(0, y, ancho, renglon(Estilo::Titulo)), informe_.titulo,
                        Estilo::Titulo, Qt::AlignHCenter | Qt::AlignTop});
    y += renglon(Estilo::Titulo);
    c.textos.push_back({QRectF(0, y, ancho, renglon(Estilo::Subtitulo)), informe_.subtitulo,
                        Estilo::Subtitulo, Qt::AlignHCenter | Qt::AlignTop});
    y += renglon(Estilo::Subtitulo) + 3 * mm;

    const QFontMetricsF medidasDato(letra(Estilo::Dato), &dispositivo_);
    const double relleno = 2 * mm;
    double fijo = 0;
    double pesos = 0;
    for (const ColumnaInforme& col : informe_.columnas) {
        if (col.visible()) {
            fijo += col.muestra.isEmpty() ? 0 : medidasDato.horizontalAdvance(col.muestra) + relleno;
            pesos += col.muestra.isEmpty() ? col.peso : 0;
        }
    }
    struct Lugar {
        const ColumnaInforme* columna;
        double x;
        double ancho;
    };
    std::vector<Lugar> lugares;
    double x = 0;
    for (const ColumnaInforme& col : informe_.columnas) {
        if (col.visible()) {
            const double a = col.muestra.isEmpty()
                                 ? (ancho - fijo) * col.peso / pesos
                                 : medidasDato.horizontalAdvance(col.muestra) + relleno;
            lugares.push_back({&col, x, a});
            x += a;
        }
    }
    const double altoEncabezado = 2 * renglon(Estilo::Encabezado);
    for (const Lugar& l : lugares) {
        if (!l.columna->encabezadoOculto) {
            c.textos.push_back({QRectF(l.x + relleno / 2, y, l.ancho - relleno, altoEncabezado),
                                l.columna->encabezado, Estilo::Encabezado,
                                Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap});
        }
    }
    c.lineas.emplace_back(0, arribaFilas_ - 0.5 * mm, ancho, arribaFilas_ - 0.5 * mm);

    const qint64 total = informe_.filas.cantidad();
    const std::vector<QStringList> filas =
        informe_.filas.lee(qint64(pagina) * filasPorPagina_, filasPorPagina_);
    for (size_t f = 0; f < filas.size(); ++f) {
        const double arriba = arribaFilas_ + double(f) * altoFila_;
        for (const Lugar& l : lugares) {
            if (l.columna->campoOculto) {
                continue;
            }
            const double a = l.ancho - relleno;
            c.textos.push_back({QRectF(l.x + relleno / 2, arriba, a, altoFila_),
                                medidasDato.elidedText(informe_.valor(filas[f], *l.columna),
                                                       Qt::ElideRight, a),
                                Estilo::Dato, Qt::AlignLeft | Qt::AlignVCenter});
        }
    }
    if (pagina == paginas_ - 1) {
        const double arriba = arribaFilas_ + double(filas.size()) * altoFila_;
        c.textos.push_back({QRectF(0, arriba, ancho, altoFila_),
                            QStringLiteral("Total de registros: %1").arg(total), Estilo::Encabezado,
                            Qt::AlignLeft | Qt::AlignVCenter});
    }

    const double pie = renglon(Estilo::Pie);
    const double arribaPie = area_.height() - pie;
    c.lineas.emplace_back(0, arribaPie - mm, ancho, arribaPie - mm);
    c.textos.push_back({QRectF(0, arribaPie, ancho, pie),
                        QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(paginas_), Estilo::Pie,
                        Qt::AlignRight | Qt::AlignBottom});
    return c;
}

QPageLayout PaginaInforme()
{
    return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                       QMarginsF(MargenPagina, MargenPagina, MargenPagina, MargenPagina),
                       QPageLayout::Millimeter);
}

QPageLayout HojaDe(const QPaintDevice& dispositivo)
{
    const auto* paginado = dynamic_cast<const QPagedPaintDevice*>(&dispositivo);
    return paginado ? paginado->pageLayout() : PaginaInforme();
}

void PintaPaginaFolios(QPainter& pintor, const InformeFolios& informe, int pagina)
{
    PintaPaginaFolios(pintor, informe, pagina, HojaDe(*pintor.device()));
}

void PintaPaginaFolios(QPainter& pintor, const InformeFolios& informe, int pagina,
                       const QPageLayout& hoja)
{
    const PaginacionFolios paginacion(informe, *pintor.device(), hoja);
    const ComposicionPagina c = paginacion.compone(pagina);
    pintor.save();
    pintor.setPen(QPen(Qt::black, pintor.device()->logicalDpiY() / 25.4 * 0.25));
    for (const QLineF& l : c.lineas) {
        pintor.drawLine(l);
    }
    for (const TextoPagina& t : c.textos) {
        pintor.setFont(paginacion.letra(t.estilo));
        pintor.drawText(t.caja, t.alineacion, t.texto);
    }
    pintor.restore();
}

bool ImprimeInforme(QPagedPaintDevice& destino, const InformeFolios& informe)
{
    QPainter pintor;
    if (!pintor.begin(&destino)) {
        return false;
    }
    const int paginas = PaginacionFolios(informe, destino).paginas();
    for (int p = 0; p < paginas; ++p) {
        if (p > 0) {
            destino.newPage();
        }
        PintaPaginaFolios(pintor, informe, p);
    }
    return pintor.end();
}

bool GuardaPdfInforme(QIODevice& destino, const InformeFolios& informe)
{
    QPdfWriter pdf(&destino);
    pdf.setTitle(informe.titulo);
    pdf.setPageLayout(PaginaInforme());
    return ImprimeInforme(pdf, informe);
}

void EscribeCsvInforme(QTextStream& salida, const InformeFolios& informe)
{
    constexpr qint64 FilasPorLectura = 1000;
    salida << LineaCsv(informe.campos);
    for (qint64 desde = 0; desde < informe.filas.cantidad(); desde += FilasPorLectura) {
        for (const QStringList& fila : informe.filas.lee(desde, FilasPorLectura)) {
            salida << LineaCsv(fila);
        }
    }
}
