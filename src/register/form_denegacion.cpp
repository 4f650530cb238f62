#include "register/form_denegacion.h"

#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/valores_entrega.h"
#include "shell/aplicacion.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// Reason k is the reason box "Check<k>", its grid column 104 + k.
const char* const Razones[NumeroRazonesDenegacion] = {
    "01 No reunir requisito de idoneidad moral",
    "02 No reunir requisito de idoneidad física",
    "03 No reunir requisito de idoneidad psiquica",
    "04 Reprobar examen práctico",
    "05 Reprobar examen teórico",
    "06 Reprobar examen médico",
    "07 No presentarse a rendir examen práctico",
    "08 No presentarse a rendir examenteórico",
    "09 No presentarse a rendir examen médico",
    "10 No saber leer ni escribir",
};

int columnaRazon(int k) { return ColumnaPrimeraRazon + k - 1; }

QString nombreRazon(int k) { return QStringLiteral("Check%1").arg(k); }

QLabel* negrita(const QString& texto, QWidget* padre)
{
    auto* l = new QLabel(texto, padre);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

Form_Denegacion::Form_Denegacion(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Denegacion"), QStringLiteral("Formulario de Denegación"))
{
    auto* marco = new QGroupBox(QStringLiteral("Denegación"), this);
    auto* capaMarco = new QVBoxLayout(marco);
    capaMarco->addWidget(negrita(QStringLiteral("Codificación de Denegaciones"), marco), 0,
                         Qt::AlignHCenter);
    auto* rejilla = new QGridLayout;
    rejilla->setHorizontalSpacing(14);
    rejilla->setColumnStretch(0, 1);
    for (int j = 1; j <= NumeroClasesDenegacion; ++j) {
        rejilla->addWidget(negrita(SlotsClases[size_t(j - 1)].trimmed(), marco), 0, j,
                           Qt::AlignCenter);
    }
    for (int k = 1; k <= NumeroRazonesDenegacion; ++k) {
        auto* razon = new QCheckBox(QString::fromUtf8(Razones[k - 1]), marco);
        razon->setObjectName(nombreRazon(k));
        rejilla->addWidget(razon, k, 0);
        for (int j = 1; j <= NumeroClasesDenegacion; ++j) {
            auto* clase = new QCheckBox(marco);
            clase->setObjectName(nombreRazon(k) + QLatin1Char('_') + QString::number(j));
            clase->setAccessibleName(QStringLiteral("%1, clase %2")
                                         .arg(QString::fromUtf8(Razones[k - 1]),
                                              SlotsClases[size_t(j - 1)].trimmed()));
            rejilla->addWidget(clase, k, j, Qt::AlignCenter);
        }
        // Only this box decides the label, whoever changed it.
        alSenal(razon, &QCheckBox::toggled, [this, razon] {
            if (razon->isChecked()) {
                MuestraDenegada();
            } else {
                MuestraAceptada();
            }
        });
    }
    capaMarco->addLayout(rejilla);

    textDias_ = new QLineEdit(this);
    textDias_->setObjectName(QStringLiteral("Text_Dias"));
    // Days, up to three digits; a stored text of another form is shown as
    // it is and refused on return.
    textDias_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9 ]{0,3}")), textDias_));
    textDias_->setFixedWidth(textDias_->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    labelDenegada_ = negrita(QStringLiteral("Licencia con/sin denegación"), this);
    labelDenegada_->setObjectName(QStringLiteral("Label_Denegada"));
    labelDenegada_->setStyleSheet(QStringLiteral("color: #1f4e8c;"));
    Cmd_Volver = new QPushButton(QStringLiteral("Regresar"), this);
    Cmd_Volver->setObjectName(QStringLiteral("Cmd_Volver"));
    Cmd_Volver->setAutoDefault(false);

    auto* pie = new QHBoxLayout;
    pie->addWidget(new QLabel(QStringLiteral("Duración de la denegación"), this));
    pie->addWidget(textDias_);
    pie->addSpacing(24);
    pie->addWidget(labelDenegada_);
    pie->addStretch();
    pie->addWidget(Cmd_Volver);
    auto* capa = new QVBoxLayout(this);
    capa->addWidget(marco);
    capa->addLayout(pie);
    alPulsar(Cmd_Volver, [this] { Cmd_Volver_Click(); });
}

QCheckBox& Form_Denegacion::Razon(int k) const
{
    return control<QCheckBox>(nombreRazon(k));
}

QCheckBox& Form_Denegacion::Clase(int k, int j) const
{
    return control<QCheckBox>(nombreRazon(k) + QLatin1Char('_') + QString::number(j));
}

Form_Licencia& Form_Denegacion::licencia()
{
    return app().forma<Form_Licencia>();
}

void Form_Denegacion::MuestraDenegada()
{
    labelDenegada_->setText(QStringLiteral("Licencia Denegada"));
}

void Form_Denegacion::MuestraAceptada()
{
    labelDenegada_->setText(QStringLiteral("Licencia Aceptada"));
}

void Form_Denegacion::Form_Load()
{
    const Form_Licencia& fila = licencia();
    if (fila.celdaEntrega(ColumnaDenegada).trimmed() == QLatin1String("si")) {
        MuestraDenegada();
    } else {
        MuestraAceptada();
    }
    for (int k = 1; k <= NumeroRazonesDenegacion; ++k) {
        Razon(k).setChecked(false);
    }
    for (int k = 1; k <= NumeroRazonesDenegacion; ++k) {
        const QString celda = fila.celdaEntrega(columnaRazon(k));
        if (celda.trimmed().isEmpty()) {
            continue;
        }
        Razon(k).setChecked(true);
        const ClasesDenegadas clases = ClasesDeRazon(celda);
        for (int j = 1; j <= NumeroClasesDenegacion; ++j) {
            Clase(k, j).setChecked(clases[size_t(j - 1)]);
        }
    }
    textDias_->setText(fila.celdaEntrega(ColumnaDuracion));
}

// An unchosen reason is stored blank whatever its class boxes show.
void Form_Denegacion::Cmd_Volver_Click()
{
    Form_Licencia& fila = licencia();
    if (!DuracionValida(textDias_->text())) {
        app().mensajes().muestra(
            QStringLiteral("La duración de la denegación debe ser un número de días, de 1 a 3 dígitos"),
            QStringLiteral("Error en duración de la denegación"));
        textDias_->setFocus();
        return;
    }
    fila.fijaCeldaEntrega(ColumnaDenegada, QStringLiteral("no"));
    for (int k = 1; k <= NumeroRazonesDenegacion; ++k) {
        QString texto(LargoCeldaRazon, QLatin1Char(' '));
        if (Razon(k).isChecked()) {
            fila.fijaCeldaEntrega(ColumnaDenegada, QStringLiteral("si"));
            ClasesDenegadas clases{};
            for (int j = 1; j <= NumeroClasesDenegacion; ++j) {
                clases[size_t(j - 1)] = Clase(k, j).isChecked();
            }
            texto = TextoRazon(clases);
        }
        fila.fijaCeldaEntrega(columnaRazon(k), texto);
    }
    textDias_->setText(DuracionRellena(textDias_->text()));
    fila.fijaCeldaEntrega(ColumnaDuracion, textDias_->text());
    close();
}
