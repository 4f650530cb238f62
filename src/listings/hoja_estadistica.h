#pragma once

#include "listings/estadistica.h"
#include "shell/forma.h"

#include <QList>
#include <QPair>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class CajaMascara;
class QIODevice;
class QLineEdit;
class QPainter;
class QPushButton;
class QRectF;
class SuperficieImpresion;

// A block of boxes, in twips from the sheet's top-left corner: the two
// tables (four rows and "T O T A L") and the two summary rows (one row).
struct GeometriaBloque {
    std::array<int, 5> arriba;  // tops of the rows
    int izquierda;              // the H box of the first class column
    int totalH;
    int totalM;
    int leyenda;  // left edge of the row captions
};

// One of the two sheets: which statistics, its names and texts, and where
// its blocks and its signature stand.
struct ConfiguracionHoja {
    const char* nombre;
    const char* tituloVentana;
    const char* encabezado;
    TipoEstadistica tipo;
    // First table, its summary, professional table, professional summary.
    std::array<GeometriaBloque, 4> bloques;
    int firmaIzquierda;
    int firmaArriba;
    int cargoArriba;
};
const ConfiguracionHoja& ConfiguracionDe(TipoEstadistica tipo);

struct CajaHoja {
    QString nombre;
    int izquierda;  // twips
    int arriba;
    bool negrita;  // totals and summaries
};
// Every counting box of a sheet, in the sheet's order: blocks and rows top
// to bottom, columns left to right.
std::vector<CajaHoja> CajasHoja(const ConfiguracionHoja& configuracion);

// What a run writes into the sheet; without values no count is written.
struct DatosHoja {
    QString mes;
    QString anio;
    std::optional<ValoresHoja> valores;
};

// The printable monthly sheet, Form_Esta (granted) or Form_Deniega
// (denied): every box by its name at its place. Created for one run and
// destroyed when closed.
class HojaEstadistica : public Forma {
    Q_OBJECT
public:
    HojaEstadistica(Aplicacion& app, TipoEstadistica tipo, DatosHoja datos);

    void Form_Load() override;
    void Cmd_Imprimir_Click();
    void Cmd_Abortar_Click();

    const ConfiguracionHoja& configuracion() const { return configuracion_; }
    // Prints the sheet's image on one Legal page, without its two buttons,
    // once the print dialog is accepted.
    void imprime(SuperficieImpresion& superficie);
    // Draws the sheet as it prints, scaled into `pagina`.
    void pinta(QPainter& pintor, const QRectF& pagina);
    // The sheet as a one-page Legal PDF.
    bool guardaPdf(QIODevice& destino);
    // Every box of the sheet in its order, with the text it shows: the month
    // and the year, then the counting boxes.
    QList<QPair<QString, QString>> cajas() const;
    // cajas() as comma-separated lines.
    QString csv() const;

private:
    class Escala;
    void construye();
    void creaEncabezado(const Escala& escala);
    void creaBloques(const Escala& escala);
    void creaCajas(const Escala& escala);
    void creaFirma(const Escala& escala);
    void creaBotones(const Escala& escala);
    // Runs `impresion` with the two buttons hidden, and shows them again.
    void sinBotones(const std::function<void()>& impresion);

    const ConfiguracionHoja& configuracion_;
    DatosHoja datos_;
    QLineEdit* Text_Mes = nullptr;
    CajaMascara* MEd_Ano = nullptr;
    QPushButton* Cmd_Imprimir = nullptr;
    QPushButton* Cmd_Abortar = nullptr;
};
