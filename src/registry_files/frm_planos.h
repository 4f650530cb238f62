#pragma once

#include "shell/forma.h"

class CajaFecha;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Which files "Generar" writes.
enum class OpcionPlanos { LicenciasDuplicados, Denegaciones };

// The registry-file panel: the kind of file, the range of application dates
// and the folder the files are copied into.
class Frm_Planos : public Forma {
    Q_OBJECT
public:
    explicit Frm_Planos(Aplicacion& app);

    void Form_Load() override;
    // What the two menu entries do before showing the panel: both dates
    // today and the entry's option selected.
    void Presenta(OpcionPlanos opcion);

private:
    void Cmd_Generar_Click();
    void Cmd_AbortaFolio_Click();

    QRadioButton* Opt_LicenciasDuplicadosSinAnotaciones;
    QRadioButton* Opt_DenegacionesLicencias;
    CajaFecha* DTP_FechaFolio;
    CajaFecha* DTP_FechaFolioFin;
    QLineEdit* Text_CarpetaPlanos;
    QPushButton* Cmd_Generar;
    QPushButton* Cmd_Copiar;
    QPushButton* Cmd_AbortaFolio;
};

// The main menu's entries "Archivos Planos Licencias y Duplicados Sin
// Anotaciones" and "Denegaciones de Licencias de Conducir".
void MuestraPlanos(Aplicacion& app, QWidget* menu, OpcionPlanos opcion);
