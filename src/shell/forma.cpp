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
    alSenal(boton, &QAbstractButton::clicked, std::move(procedimiento));
}

void Forma::protege(const std::function<void()>& reaccion)
{
    app_.protegido(reaccion);
}

void Forma::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}
