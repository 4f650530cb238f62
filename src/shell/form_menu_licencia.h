#pragma once

#include "shell/forma.h"

#include <QHash>

class QAction;
class QMenuBar;

// The main window: its menu bar opens every other form.
class Form_MenuLicencia : public Forma {
    Q_OBJECT
public:
    explicit Form_MenuLicencia(Aplicacion& app);

    void Form_Load() override;
    // The menu entry by its control name.
    QAction* entrada(const QString& control) const { return entradas_.value(control); }
    QMenuBar* barra() const { return barra_; }

private:
    void ejecuta(int indiceEntrada);
    void ejecutaSubsistema(int indiceEntrada);
    void SeleccionarImpresora_Click();
    void calculadora_Click();
    void internet_Click();
    void AcercaDe_Click();

    QMenuBar* barra_;
    QHash<QString, QAction*> entradas_;
};
