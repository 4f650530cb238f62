#include "printing/form_calibra_impresion.h"

#include "printing/calibracion_impresion.h"
#include "shell/aplicacion.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox* cajaMm(const QString& nombre, QWidget* padre)
{
    auto* caja = new QDoubleSpinBox(padre);
    caja->setObjectName(nombre);
    caja->setRange(-DesplazamientoMaximoMm, DesplazamientoMaximoMm);
    caja->setDecimals(1);
    caja->setSingleStep(0.5);
    caja->setSuffix(QStringLiteral(" mm"));
    caja->setAlignment(Qt::AlignRight);
    caja->setMinimumWidth(caja->fontMetrics().horizontalAdvance(QStringLiteral("-20.0 mm")) + 40);
    return caja;
}

QPushButton* boton(const QString& nombre, const QString& texto, QWidget* padre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

}  // namespace

Form_CalibraImpresion::Form_CalibraImpresion(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_CalibraImpresion"), QStringLiteral("Calibrar impresión"))
{
    auto* explicacion = new QLabel(
        QStringLiteral("Corrija la posición de la impresión en la especie valorada de esta "
                       "estación. Un valor positivo mueve la impresión hacia la derecha o hacia "
                       "abajo; uno negativo, hacia la izquierda o hacia arriba (entre -20 y 20 mm)."),
        this);
    explicacion->setWordWrap(true);
    horizontal_ = cajaMm(QStringLiteral("NE_Horizontal"), this);
    vertical_ = cajaMm(QStringLiteral("NE_Vertical"), this);
    auto* campos = new QFormLayout;
    campos->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    campos->addRow(QStringLiteral("Desplazamiento horizontal"), horizontal_);
    campos->addRow(QStringLiteral("Desplazamiento vertical"), vertical_);

    auto* prueba = boton(QStringLiteral("Cmd_ImprimirPrueba"), QStringLiteral("Imprimir hoja de prueba"), this);
    auto* aceptar = boton(QStringLiteral("Cmd_Aceptar"), QStringLiteral("Aceptar"), this);
    auto* cancelar = boton(QStringLiteral("Cmd_Cancelar"), QStringLiteral("Cancelar"), this);
    auto* botones = new QHBoxLayout;
    botones->addWidget(prueba);
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(explicacion);
    capa->addLayout(campos);
    auto* ayudaPrueba = new QLabel(
        QStringLiteral("La hoja de prueba imprime en papel blanco el número de cada dato en su "
                       "lugar, con el desplazamiento indicado arriba."),
        this);
    ayudaPrueba->setWordWrap(true);
    capa->addWidget(ayudaPrueba);
    capa->addStretch();
    capa->addLayout(botones);
    setMinimumWidth(520);

    alPulsar(prueba, [this] { Cmd_ImprimirPrueba_Click(); });
    alPulsar(aceptar, [this] { Cmd_Aceptar_Click(); });
    alPulsar(cancelar, [this] { Cmd_Cancelar_Click(); });
}

void Form_CalibraImpresion::Form_Load()
{
    const Desplazamiento guardado = LeeDesplazamiento();
    horizontal_->setValue(guardado.horizontalMm);
    vertical_->setValue(guardado.verticalMm);
}

Desplazamiento Form_CalibraImpresion::desplazamiento() const
{
    return {horizontal_->value(), vertical_->value()};
}

void Form_CalibraImpresion::Cmd_ImprimirPrueba_Click()
{
    DibujaNumerosSolicitud(app().impresora(), desplazamiento());
}

void Form_CalibraImpresion::Cmd_Aceptar_Click()
{
    if (!GuardaDesplazamiento(desplazamiento())) {
        app().mensajes().muestra(
            QStringLiteral("No fue posible guardar la calibración en la configuración de esta "
                           "estación"),
            QStringLiteral("Calibrar impresión"), Botones::Aceptar, Icono::Critico);
        return;
    }
    accept();
}

void Form_CalibraImpresion::Cmd_Cancelar_Click()
{
    reject();
}
