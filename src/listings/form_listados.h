#pragma once

#include "listings/estadistica.h"
#include "shell/forma.h"

class CajaFecha;
class CajaLista;
class CajaMascara;
class QGroupBox;
class QPushButton;
class QRadioButton;

// The listing form: the folio panel (a date range and a sort order for the
// folio listings) or the month panel (a month and a year for the monthly
// statistics), as the listing mode of the main menu says.
class Form_Listados : public Forma {
    Q_OBJECT
public:
    explicit Form_Listados(Aplicacion& app);

    void Form_Load() override;
    // Month panel: normalises FechaActual1, then runs the mode's statistics.
    void Cmd_Aceptar_Click();
    // Folio panel: the listing in its viewer.
    void Cmd_AceptaFolio_Click();
    void Cmd_AbortaFolio_Click() { close(); }
    void Cmd_Finalizar_Click() { close(); }

    void GeneraEstadisticaOtorgadas() { generaEstadistica(TipoEstadistica::Otorgadas); }
    void GeneraEstadisticaDenegadas() { generaEstadistica(TipoEstadistica::Denegadas); }

private:
    QGroupBox* creaPanelFolios();
    QGroupBox* creaPanelMes();
    QPushButton* boton(const QString& nombre, const QString& texto, QWidget* padre);
    void generaEstadistica(TipoEstadistica tipo);

    QGroupBox* Frm_Folios = nullptr;
    CajaFecha* DTP_FechaFolio = nullptr;
    CajaFecha* DTP_FechaFolioFin = nullptr;
    QRadioButton* Opt_OrdenadoPorFolios = nullptr;
    QRadioButton* Opt_OrdenadoPorRut = nullptr;
    QGroupBox* Frm_Licen = nullptr;
    CajaLista* Cbo_Mes = nullptr;
    CajaMascara* MEd_Ano = nullptr;
};
