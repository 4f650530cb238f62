#include "shell/form_en_construccion.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Form_EnConstruccion::Form_EnConstruccion(Aplicacion& app, const QString& funcion)
    : Forma(app, QStringLiteral("Form_EnConstruccion"), funcion), funcion_(funcion)
{
    auto* texto = new QLabel(QStringLiteral("«%1»\n\nEsta función se está construyendo y estará "
                                            "disponible en una próxima versión del sistema.")
                                 .arg(funcion),
                             this);
    texto->setObjectName(QStringLiteral("Label_Aviso"));
    texto->setWordWrap(true);
    texto->setAlignment(Qt::AlignCenter);
    auto* regresar = new QPushButton(QStringLiteral("Regresar"), this);
    regresar->setObjectName(QStringLiteral("Cmd_Regresar"));
    connect(regresar, &QPushButton::clicked, this, &QDialog::accept);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(texto);
    capa->addWidget(regresar, 0, Qt::AlignCenter);
    setMinimumSize(420, 160);
}
