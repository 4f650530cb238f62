#pragma once

#include <QDate>
#include <QFont>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>
#include <vector>

class Conexion;
class QIODevice;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QTextStream;

enum class OrdenFolios { PorFolio, PorRut };

// What the folio panel asks for: the listing mode, the range of application
// dates (both ends included) and the sort order.
struct PeticionFolios {
    QString modo;
    QDate desde;
    QDate hasta;
    OrdenFolios orden = OrdenFolios::PorFolio;
};

// The five folio listings.
struct TipoListado {
    const char* modo;
    const char* estado;  // the trimmed Estado selected; nullptr: every row
    bool noDonantes;     // granted licences of applicants who are not donors
    const char* titulo;
    const char* encabezadoClases;
    bool subtituloConTermino;  // the subtitle shows the end date too
};
// nullptr for a mode that is not a folio listing.
const TipoListado* BuscaTipoListado(const QString& modo);
// The modes of the five listings.
QStringList ModosFolios();

// The listing's query: its columns in order, the statement and its values.
// The statement selects the Posicion of the rows, in the report's order.
struct ConsultaFolios {
    QStringList columnas;
    QString sql;
    QVariantList valores;
};
ConsultaFolios ConsultaListado(const TipoListado& tipo, const PeticionFolios& peticion);

// A column of the report: its heading and its field, each of which may be
// hidden; the column takes its place while either is shown.
struct ColumnaInforme {
    QString campo;
    QString encabezado;
    QString muestra;  // a column of fixed form: its widest text; else empty
    double peso;      // a column of free text: its share of the rest of the width
    bool encabezadoOculto = false;
    bool campoOculto = false;
    bool visible() const { return !encabezadoOculto || !campoOculto; }
};

// The rows of a listing in the report's order, read a stretch at a time.
class FilasInforme {
public:
    // Up to `cantidad` rows from the `desde`-th on.
    using Lector = std::function<std::vector<QStringList>(qint64 desde, qint64 cantidad)>;

    FilasInforme() = default;
    FilasInforme(qint64 cantidad, Lector lector);
    // The rows of the given Posicion, in this order. Only the Posicion are
    // kept: a page's rows are read when the page is drawn, so a listing of
    // any size costs the memory of one page.
    static FilasInforme dePosiciones(std::shared_ptr<Conexion> conexion, QStringList campos,
                                     std::vector<qint64> posiciones);

    qint64 cantidad() const { return cantidad_; }
    bool vacias() const { return cantidad_ == 0; }
    // The values, as the forms show them; fewer past the last row.
    std::vector<QStringList> lee(qint64 desde, qint64 cantidad) const;

private:
    qint64 cantidad_ = 0;
    Lector lector_;
};

// The report definition of the folio listings (CRFolios): title, subtitle,
// the columns with their headings and fields, and the rows handed to it.
class InformeFolios {
public:
    InformeFolios();

    QString titulo;
    QString subtitulo;
    std::vector<ColumnaInforme> columnas;
    // The columns the rows hold, in the query's order, and the rows.
    QStringList campos;
    FilasInforme filas;

    // The report objects the listing sets by role.
    ColumnaInforme& encabezadoClases() { return columna(QStringLiteral("LicActual")); }
    ColumnaInforme& segundoEncabezado() { return columna(QStringLiteral("Estado")); }
    ColumnaInforme& encabezadoNoDonante() { return columna(QStringLiteral("CorrNoDonante")); }
    ColumnaInforme& columna(const QString& campo);
    const ColumnaInforme* busca(const QString& campo) const;

    // Shows the class and second columns and hides the non-donor one; the
    // non-donor listing turns them the other way.
    void fijaOcultos(bool noDonantes);
    void descartaDatos();
    QString valor(const QStringList& fila, const ColumnaInforme& columna) const;
};

// Selects the rows of the listing into the report, with its titles, its
// headings and its hidden columns.
void PreparaInforme(InformeFolios& informe, const std::shared_ptr<Conexion>& conexion,
                    const TipoListado& tipo, const PeticionFolios& peticion);

// Page layout of the report on a paint device: a header on every page
// (title, subtitle, column headings), the rows, the page number at the foot
// and the row count after the last row.
struct TextoPagina {
    enum class Estilo { Titulo, Subtitulo, Encabezado, Dato, Pie };
    QRectF caja;
    QString texto;
    Estilo estilo;
    int alineacion;
};
struct ComposicionPagina {
    std::vector<TextoPagina> textos;
    std::vector<QLineF> lineas;
};

class PaginacionFolios {
public:
    // The pages on a device that stands for the printable area of `hoja`;
    // without it, the device's own paper or else the report's.
    PaginacionFolios(const InformeFolios& informe, const QPaintDevice& dispositivo);
    PaginacionFolios(const InformeFolios& informe, const QPaintDevice& dispositivo,
                     const QPageLayout& hoja);
    int paginas() const { return paginas_; }
    int filasPorPagina() const { return filasPorPagina_; }
    ComposicionPagina compone(int pagina) const;
    QFont letra(TextoPagina::Estilo estilo) const;

private:
    double renglonEnPuntos(TextoPagina::Estilo estilo) const;
    double renglon(TextoPagina::Estilo estilo) const;

    const InformeFolios& informe_;
    const QPaintDevice& dispositivo_;
    QRectF area_;
    double escala_ = 1;  // device units per point
    double altoFila_ = 0;
    double arribaFilas_ = 0;
    int filasPorPagina_ = 1;
    int paginas_ = 1;
};

// The report's paper: Letter, portrait, with its margins.
QPageLayout PaginaInforme();
// The paper of a printer or a PDF writer; the report's for other devices.
QPageLayout HojaDe(const QPaintDevice& dispositivo);
// Draws one page of the report: the one routine of the printer, the
// preview and the PDF files. The painter's device stands for the printable
// area of `hoja`, the device's own paper without it.
void PintaPaginaFolios(QPainter& pintor, const InformeFolios& informe, int pagina);
void PintaPaginaFolios(QPainter& pintor, const InformeFolios& informe, int pagina,
                       const QPageLayout& hoja);
// Every page on a paged device (a printer, a PDF writer); false when the
// device cannot be painted on.
bool ImprimeInforme(QPagedPaintDevice& destino, const InformeFolios& informe);
// The report as a Letter-size PDF.
bool GuardaPdfInforme(QIODevice& destino, const InformeFolios& informe);
// The selected columns and the rows, as comma-separated lines (UTF-8).
void EscribeCsvInforme(QTextStream& salida, const InformeFolios& informe);
