#pragma once

#include "printing/solicitud_impresa.h"
#include "shell/forma.h"

class QDoubleSpinBox;

// "Calibrar impresión": the offsets of this workstation's valued-form print,
// and a test sheet with every item's number at its place, printed with the
// offsets on screen so the clerk can hold it against a valued form before
// keeping them.
class Form_CalibraImpresion : public Forma {
    Q_OBJECT
public:
    explicit Form_CalibraImpresion(Aplicacion& app);

    void Form_Load() override;
    void Cmd_ImprimirPrueba_Click();
    void Cmd_Aceptar_Click();
    void Cmd_Cancelar_Click();

    Desplazamiento desplazamiento() const;

private:
    QDoubleSpinBox* horizontal_;
    QDoubleSpinBox* vertical_;
};
