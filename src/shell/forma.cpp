#include "shell/forma.h"

#include "shell/aplicacion.h"

#include <QAbstractButton>
#include <QKeyEvent>

Forma::Forma(Aplicacion& app, const QString& nombre, const QString& titulo) : app_(app)
{
    setObjectName(nombre);
    setWindowTitle(titulo);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void Forma::alPulsar(QAbstractButton* boton, std::function<void()> procedimiento)
{
    connect(boton, &QAbstractButton::clicked, this,
            [this, procedimiento = std::move(procedimiento)] { app_.protegido(procedimiento); });
}

void Forma::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}
