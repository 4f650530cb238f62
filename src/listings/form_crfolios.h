#pragma once

#include "listings/informe_folios.h"
#include "shell/forma.h"

#include <QPrinter>
#include <functional>

class QAction;
class QIODevice;
class QLabel;
class QToolBar;
class VistaInforme;

// The folio listing's viewer: the report in a preview that draws the pages
// in sight only, pages, zooms, prints and saves it as PDF or CSV, filling
// the window. Created for one listing and destroyed when closed.
class FormCRFolios : public Forma {
    Q_OBJECT
public:
    FormCRFolios(Aplicacion& app, PeticionFolios peticion);

    // Selects the listing's rows; without rows it says so and the viewer
    // stays empty.
    void Form_Load() override;

    const InformeFolios& CRFolios() const { return informe_; }
    // The viewer holds the report.
    bool conInforme() const { return conInforme_; }
    QWidget& CRViewer1() const { return *visor_; }
    VistaInforme& vista() const { return *vista_; }

    // Each reports a failure in a message box and returns false.
    bool guardaPdf(const QString& archivo);
    bool guardaCsv(const QString& archivo);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    QToolBar* creaBarra();
    QAction* accion(QToolBar* barra, const QString& nombre, const QString& texto,
                    std::function<void()> reaccion);
    void actualizaPagina();
    void imprime();
    void eligeArchivo(const QString& titulo, const QString& filtro, const QString& extension,
                      bool (FormCRFolios::*guarda)(const QString&));
    bool guarda(const QString& archivo, const QString& titulo,
                const std::function<bool(QIODevice&)>& escribe);

    PeticionFolios peticion_;
    InformeFolios informe_;
    bool conInforme_ = false;
    QPrinter impresora_;
    QWidget* visor_ = nullptr;
    QToolBar* barra_ = nullptr;
    VistaInforme* vista_ = nullptr;
    QLabel* pagina_ = nullptr;
};
