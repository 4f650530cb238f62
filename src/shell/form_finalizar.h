#pragma once

#include "shell/forma.h"

class QPushButton;

// The exit form: deletes the temporary files and ends the program.
class Form_Finalizar : public Forma {
    Q_OBJECT
public:
    explicit Form_Finalizar(Aplicacion& app);
    void Cmd_Finalizar_Click();

private:
    QPushButton* Cmd_Finalizar;
};

// Who built the system and for whom.
class Form_Creditos : public Forma {
    Q_OBJECT
public:
    explicit Form_Creditos(Aplicacion& app);
    void Cmd_SalirCreditos_Click() { close(); }

private:
    QPushButton* Cmd_SalirCreditos;
};
