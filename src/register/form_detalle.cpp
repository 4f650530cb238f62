#include "register/form_detalle.h"

#include "register/form_licencia.h"
#include "register/registro_licencia.h"
#include "register/valores_entrega.h"
#include "shell/aplicacion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const Secciones[] = {"Exámen Sensométrico", "Exámen Sicométrico"};
const char* const Encabezados[] = {"Aprobado", "Reprobado", "Pendiente"};

// The tests top to bottom. Option `indice` stands for "A", the next two
// for "R" and "P".
struct ExamenDetalle {
    int seccion;
    const char* etiqueta;
    const char* opciones;
    int indice;
    int columna;
};

const ExamenDetalle Examenes[NumeroExamenesPsicotecnicos] = {
    {0, "Agudeza visual", "Opt_AgudezaVisual", 0, 85},
    {0, "Perimetría", "Opt_Perimetria", 0, 84},
    {0, "Visión de profundidad", "Opt_Distancia", 0, 86},
    {0, "Visión nocturna", "Opt_VisionNocturna", 0, 89},
    {0, "Encandilamiento", "Opt_Encandilamiento", 0, 87},
    {0, "Recuperación al encandilamiento", "Opt_RecupEncandilamiento", 0, 88},
    {0, "Visión de colores", "Opt_VisionColores", 0, 90},
    {0, "Audiometría", "Opt_Audiometria", 0, 91},
    {1, "Tiempos de reacción simple", "Opt_Reaccion", 0, 94},
    {1, "Tiempos de reacción compuesta", "Opt_Reaccion", 3, 95},
    {1, "Coordinación motriz punteada", "Opt_Coordinacion", 0, 92},
    {1, "Coordinación motriz palanca", "Opt_Coordinacion", 3, 93},
};

QString nombreOpcion(const QString& arreglo, int indice)
{
    return arreglo + QLatin1Char('_') + QString::number(indice);
}

}  // namespace

Form_Detalle::Form_Detalle(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Detalle"),
            QStringLiteral("Detalle de los exámenes realizados"))
{
    auto* capa = new QVBoxLayout(this);
    QGridLayout* rejillas[2] = {};
    for (int s = 0; s < 2; ++s) {
        auto* marco = new QGroupBox(QString::fromUtf8(Secciones[s]), this);
        rejillas[s] = new QGridLayout(marco);
        rejillas[s]->setHorizontalSpacing(24);
        rejillas[s]->setColumnStretch(0, 1);
        for (int o = 0; o < 3; ++o) {
            auto* encabezado = new QLabel(QString::fromUtf8(Encabezados[o]), marco);
            QFont negrita = encabezado->font();
            negrita.setBold(true);
            encabezado->setFont(negrita);
            rejillas[s]->addWidget(encabezado, 0, o + 1, Qt::AlignCenter);
        }
        capa->addWidget(marco);
    }
    for (const ExamenDetalle& e : Examenes) {
        QGridLayout* rejilla = rejillas[e.seccion];
        const int fila = rejilla->rowCount();
        QWidget* marco = rejilla->parentWidget();
        rejilla->addWidget(new QLabel(QString::fromUtf8(e.etiqueta), marco), fila, 0);
        auto* grupo = new QButtonGroup(this);
        for (int o = 0; o < 3; ++o) {
            auto* opcion = new QRadioButton(marco);
            opcion->setObjectName(nombreOpcion(QLatin1String(e.opciones), e.indice + o));
            opcion->setAccessibleName(QString::fromUtf8(e.etiqueta) + QLatin1String(": ") +
                                      QString::fromUtf8(Encabezados[o]));
            grupo->addButton(opcion, o);
            rejilla->addWidget(opcion, fila, o + 1, Qt::AlignCenter);
        }
        grupos_.push_back(grupo);
    }
    Cmd_Volver = new QPushButton(QStringLiteral("Regresar"), this);
    Cmd_Volver->setObjectName(QStringLiteral("Cmd_Volver"));
    Cmd_Volver->setAutoDefault(false);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(Cmd_Volver);
    capa->addLayout(botones);
    setMinimumWidth(560);
    alPulsar(Cmd_Volver, [this] { Cmd_Volver_Click(); });
}

QRadioButton& Form_Detalle::Opt(const QString& arreglo, int indice) const
{
    return control<QRadioButton>(nombreOpcion(arreglo, indice));
}

Form_Licencia& Form_Detalle::licencia()
{
    return app().forma<Form_Licencia>();
}

int Form_Detalle::opcionElegida(int examen) const
{
    return grupos_[size_t(examen)]->checkedId();
}

void Form_Detalle::Form_Load()
{
    const Form_Licencia& fila = licencia();
    for (int i = 0; i < NumeroExamenesPsicotecnicos; ++i) {
        const int opcion = OpcionResultado(fila.celdaEntrega(Examenes[i].columna));
        if (opcion >= 0) {
            grupos_[size_t(i)]->button(opcion)->setChecked(true);
        }
    }
}

// The medical result is approved only when every test is approved; a test
// without a selection keeps its cell but fails the result.
void Form_Detalle::Cmd_Volver_Click()
{
    Form_Licencia& fila = licencia();
    bool todosAprobados = true;
    for (int i = 0; i < NumeroExamenesPsicotecnicos; ++i) {
        const int opcion = opcionElegida(i);
        todosAprobados = todosAprobados && opcion == 0;
        if (opcion >= 0) {
            fila.fijaCeldaEntrega(Examenes[i].columna, CodigosResultado[opcion]);
        }
    }
    licencia().casilla(QStringLiteral("Chk_Medico")).setChecked(todosAprobados);
    fila.fijaCeldaEntrega(1, todosAprobados ? Estados::Ok : Estados::Reprobado);
    close();
}
