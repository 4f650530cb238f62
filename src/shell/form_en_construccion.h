#pragma once

#include "shell/forma.h"

// Stands for a function that is still being built.
class Form_EnConstruccion : public Forma {
    Q_OBJECT
public:
    Form_EnConstruccion(Aplicacion& app, const QString& funcion);
    void Form_Load() override {}
    const QString& funcion() const { return funcion_; }

private:
    QString funcion_;
};
