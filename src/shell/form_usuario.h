#pragma once

#include "shell/forma.h"

class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;

// The login form: checks a user against TUsuarios, greets by the time of
// day, lets the clerk confirm or change the computer's date and time, and
// opens the main menu.
class Form_Usuario : public Forma {
    Q_OBJECT
public:
    explicit Form_Usuario(Aplicacion& app);

    void Form_Load() override;
    void Cmd_ValidaUsuario_Click();
    void Cmd_Continuar_Click();
    void Cmd_Salir_Click();
    void Text_Usuario_LostFocus();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void ocultaSaludo();
    void saluda(const QString& nombre);
    void muestraFechaHora(bool visible);
    bool avisaSiNoHayUsuarios();

    QLineEdit* Text_Usuario;
    QLineEdit* Text_Clave;
    QPushButton* Cmd_ValidaUsuario;
    QPushButton* Cmd_Continuar;
    QPushButton* Cmd_Salir;
    QLabel* Label_Saludos;
    QLabel* Label_Buenos_Dias;
    QLabel* Label_Usuario_Dias;
    QLabel* Label_Buenas_Tardes;
    QLabel* Label_Usuario_Tardes;
    QLabel* Label_Buenas_Noches;
    QLabel* Label_Usuario_Noches;
    QFrame* Shp_Tiempos;
    QLabel* Lbl_Fecha;
    QLabel* Lbl_Hora;
    QDateEdit* DTP_Fecha;
    QTimeEdit* DTP_Hora;
    bool fechaCambiada_ = false;
    bool horaCambiada_ = false;
};
