#pragma once

#include "shell/forma.h"

#include <vector>

class Form_Licencia;
class QButtonGroup;
class QPushButton;
class QRadioButton;

// The results of the twelve sensometric and psychometric tests of the
// application in the licence form's hand-over row. It reads the row's cells
// when it loads and writes them back, with the medical result and the
// "Estado" cell, only through "Regresar". Shown modally and unloaded when it
// closes, so each opening reads the row anew.
class Form_Detalle : public Forma {
    Q_OBJECT
public:
    explicit Form_Detalle(Aplicacion& app);

    void Form_Load() override;
    void Cmd_Volver_Click();

    // Option `indice` of an option array, such as ("Opt_Reaccion", 3).
    QRadioButton& Opt(const QString& arreglo, int indice) const;

private:
    Form_Licencia& licencia();
    // The option selected in a test's row: 0, 1, 2, or -1 for none.
    int opcionElegida(int examen) const;

    std::vector<QButtonGroup*> grupos_;  // one per test, in the order of the tests
    QPushButton* Cmd_Volver = nullptr;
};
