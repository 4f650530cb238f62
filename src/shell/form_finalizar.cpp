#include "shell/form_finalizar.h"

#include "shell/aplicacion.h"
#include "shell/emblema.h"
#include "shell/form_menu_licencia.h"
#include "shell/form_usuario.h"
#include "shell/temporales.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <class F>
void cierraSiCargada(Aplicacion& app)
{
    if (app.cargada<F>()) {
        app.forma<F>().close();
    }
}

}  // namespace

Form_Finalizar::Form_Finalizar(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Finalizar"), QStringLiteral("Finalización del sistema"))
{
    Cmd_Finalizar = new QPushButton(QStringLiteral("Finalizar"), this);
    Cmd_Finalizar->setObjectName(QStringLiteral("Cmd_Finalizar"));
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new Emblema(this), 1);
    capa->addWidget(LineaCentrada(QStringLiteral("El sistema ha sido finalizado por el usuario"), 4, this));
    capa->addWidget(LineaCentrada(QStringLiteral("Hasta pronto y buena suerte"), 2, this));
    capa->addSpacing(8);
    capa->addWidget(Cmd_Finalizar, 0, Qt::AlignCenter);
    setMinimumSize(460, 360);
    alPulsar(Cmd_Finalizar, [this] { Cmd_Finalizar_Click(); });
}

void Form_Finalizar::Cmd_Finalizar_Click()
{
    BorraTemporales(app().carpetaAplicacion());
    BorraTemporalesRaiz(app().carpetaAplicacion());
    close();
    cierraSiCargada<Form_MenuLicencia>(app());
    cierraSiCargada<Form_Usuario>(app());
}

Form_Creditos::Form_Creditos(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Creditos"),
            QStringLiteral("     Sistema de Licencias de Conducir   -   Créditos del Sistema"))
{
    Cmd_SalirCreditos = new QPushButton(QStringLiteral("Finalizar"), this);
    Cmd_SalirCreditos->setObjectName(QStringLiteral("Cmd_SalirCreditos"));
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(new Emblema(this), 1);
    capa->addWidget(LineaCentrada(TituloSistema, 4, this));
    const QStringList lineas = {
        QStringLiteral("Especificación: Departamento de Tránsito y Transporte Público"),
        QStringLiteral("Revisión: Unidad de Informática Municipal"),
        QStringLiteral("Desarrollo: Equipo de desarrollo del Sistema de Licencias"),
        QStringLiteral("Construido para la Ilustre Municipalidad y su Dirección de Tránsito"),
    };
    for (const QString& linea : lineas) {
        capa->addWidget(LineaCentrada(linea, 0, this));
    }
    capa->addSpacing(8);
    capa->addWidget(Cmd_SalirCreditos, 0, Qt::AlignCenter);
    setMinimumSize(520, 400);
    alPulsar(Cmd_SalirCreditos, [this] { Cmd_SalirCreditos_Click(); });
}
