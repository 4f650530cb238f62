#pragma once

#include "shell/forma.h"

class Form_Licencia;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Why a licence is denied, for which classes and for how long, for the
// application in the licence form's hand-over row: ten reasons with ten
// class boxes each, and the duration in days. It reads the denial cells
// when it loads and writes them back only through "Regresar".
class Form_Denegacion : public Forma {
    Q_OBJECT
public:
    explicit Form_Denegacion(Aplicacion& app);

    void Form_Load() override;
    void Cmd_Volver_Click();
    void MuestraDenegada();
    void MuestraAceptada();

    // Reason box k (1 to 10) and its class box j (1 to 10, A1 to F).
    QCheckBox& Razon(int k) const;
    QCheckBox& Clase(int k, int j) const;
    QLineEdit& Text_Dias() const { return *textDias_; }
    QLabel& Label_Denegada() const { return *labelDenegada_; }

private:
    Form_Licencia& licencia();

    QLineEdit* textDias_ = nullptr;
    QLabel* labelDenegada_ = nullptr;
    QPushButton* Cmd_Volver = nullptr;
};
