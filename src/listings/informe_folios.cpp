#include "listings/informe_folios.h"

#include "shell/csv.h"
#include "platform/caja_fecha.h"
#include "shell/datos/clave_fecha.h"
#include "shell/datos/conexion.h"
#include "shell/datos/fila.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
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
    c.sql = QStringLiteral("SELECT %1 FROM TLicencias WHERE %2 ORDER BY %3")
                .arg(c.columnas.join(QStringLiteral(", ")),
                     condiciones.join(QStringLiteral(" AND ")), orden);
    return c;
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
    filas.clear();
}

QString InformeFolios::valor(const QStringList& fila, const ColumnaInforme& columna) const
{
    return fila.value(campos.indexOf(columna.campo));
}

void PreparaInforme(InformeFolios& informe, Conexion& conexion, const TipoListado& tipo,
                    const PeticionFolios& peticion)
{
    informe.fijaOcultos(tipo.noDonantes);
    const ConsultaFolios consulta = ConsultaListado(tipo, peticion);
    informe.descartaDatos();
    informe.campos = consulta.columnas;
    conexion.recorre(consulta.sql, consulta.valores, [&](const Fila& fila) {
        QStringList valores;
        for (int i = 0; i < consulta.columnas.size(); ++i) {
            valores << fila.texto(i);
        }
        informe.filas.push_back(std::move(valores));
    });
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
    : informe_(informe),
      dispositivo_(dispositivo),
      area_(0, 0, dispositivo.width(), dispositivo.height())
{
    const auto renglon = [this](TextoPagina::Estilo e) {
        return QFontMetricsF(letra(e), &dispositivo_).lineSpacing();
    };
    const double mm = dispositivo.logicalDpiY() / 25.4;
    arribaFilas_ = renglon(TextoPagina::Estilo::Titulo) + renglon(TextoPagina::Estilo::Subtitulo) +
                   3 * mm + 2 * renglon(TextoPagina::Estilo::Encabezado) + 1.5 * mm;
    altoFila_ = renglon(TextoPagina::Estilo::Dato) * 1.25;
    const double pie = renglon(TextoPagina::Estilo::Pie) + 3 * mm;
    filasPorPagina_ = std::max(1, int((area_.height() - pie - arribaFilas_) / altoFila_));
    // One line more for the row count after the last row.
    const int lineas = int(informe.filas.size()) + 1;
    paginas_ = (lineas + filasPorPagina_ - 1) / filasPorPagina_;
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
    const double mm = dispositivo_.logicalDpiY() / 25.4;
    const double ancho = area_.width();
    const auto renglon = [this](Estilo e) { return QFontMetricsF(letra(e), &dispositivo_).lineSpacing(); };

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

    const int total = int(informe_.filas.size());
    const int primera = pagina * filasPorPagina_;
    const int ultima = std::min(total, primera + filasPorPagina_);
    for (int f = primera; f < ultima; ++f) {
        const double arriba = arribaFilas_ + (f - primera) * altoFila_;
        for (const Lugar& l : lugares) {
            if (l.columna->campoOculto) {
                continue;
            }
            const double a = l.ancho - relleno;
            c.textos.push_back({QRectF(l.x + relleno / 2, arriba, a, altoFila_),
                                medidasDato.elidedText(informe_.valor(informe_.filas[size_t(f)],
                                                                      *l.columna),
                                                       Qt::ElideRight, a),
                                Estilo::Dato, Qt::AlignLeft | Qt::AlignVCenter});
        }
    }
    if (pagina == paginas_ - 1) {
        const double arriba = arribaFilas_ + (ultima - primera) * altoFila_;
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

void PintaPaginaFolios(QPainter& pintor, const InformeFolios& informe, int pagina)
{
    const PaginacionFolios paginacion(informe, *pintor.device());
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
    salida << LineaCsv(informe.campos);
    for (const QStringList& fila : informe.filas) {
        salida << LineaCsv(fila);
    }
}
