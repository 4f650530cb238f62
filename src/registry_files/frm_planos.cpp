#include "registry_files/frm_planos.h"

#include "platform/caja_fecha.h"
#include "registry_files/carpeta_planos.h"
#include "registry_files/generacion_planos.h"
#include "shell/aplicacion.h"

#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template <class W>
W* nombrado(W* control, const char* nombre)
{
    control->setObjectName(QString::fromLatin1(nombre));
    return control;
}

// The wait cursor while the files are written, the normal one over each
// message box.
class CursorEspera {
public:
    CursorEspera() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CursorEspera() { QGuiApplication::restoreOverrideCursor(); }
    template <class F>
    void sinEspera(F&& f)
    {
        QGuiApplication::restoreOverrideCursor();
        f();
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
};

}  // namespace

Frm_Planos::Frm_Planos(Aplicacion& app)
    : Forma(app, QStringLiteral("Frm_Planos"), QStringLiteral("Archivos Planos"))
{
    auto* archivos =
        nombrado(new QGroupBox(QStringLiteral("Archivos Planos"), this), "Frm_Archivos");
    Opt_LicenciasDuplicadosSinAnotaciones = nombrado(
        new QRadioButton(QStringLiteral("Licencias y Duplicados Sin Anotaciones"), archivos),
        "Opt_LicenciasDuplicadosSinAnotaciones");
    Opt_DenegacionesLicencias =
        nombrado(new QRadioButton(QStringLiteral("Licencias Denegadas"), archivos),
                 "Opt_DenegacionesLicencias");
    Opt_LicenciasDuplicadosSinAnotaciones->setChecked(true);
    DTP_FechaFolio = nombrado(new CajaFecha(archivos), "DTP_FechaFolio");
    DTP_FechaFolioFin = nombrado(new CajaFecha(archivos), "DTP_FechaFolioFin");
    // Room for the whole date beside the calendar button.
    for (CajaFecha* fecha : {DTP_FechaFolio, DTP_FechaFolioFin}) {
        fecha->setMinimumWidth(fecha->sizeHint().width() +
                               fecha->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    }
    Text_CarpetaPlanos = nombrado(new QLineEdit(archivos), "Text_CarpetaPlanos");
    Text_CarpetaPlanos->setToolTip(
        QStringLiteral("Carpeta de este equipo donde se copian los archivos generados"));

    auto* opciones = new QVBoxLayout;
    opciones->addWidget(Opt_LicenciasDuplicadosSinAnotaciones);
    opciones->addWidget(Opt_DenegacionesLicencias);
    auto* campos = new QFormLayout;
    campos->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    campos->addRow(QStringLiteral("Fecha de Solicitud Inicio"), DTP_FechaFolio);
    campos->addRow(QStringLiteral("Fecha de Solicitud Término"), DTP_FechaFolioFin);
    campos->addRow(QStringLiteral("Copiar en la carpeta"), Text_CarpetaPlanos);
    auto* capaArchivos = new QVBoxLayout(archivos);
    capaArchivos->addLayout(opciones);
    capaArchivos->addSpacing(8);
    capaArchivos->addLayout(campos);

    Cmd_Generar = nombrado(new QPushButton(QStringLiteral("Generar"), this), "Cmd_Generar");
    Cmd_Copiar = nombrado(new QPushButton(QStringLiteral("Copiar"), this), "Cmd_Copiar");
    Cmd_AbortaFolio = nombrado(new QPushButton(QStringLiteral("Salir"), this), "Cmd_AbortaFolio");
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton* b : {Cmd_Generar, Cmd_Copiar, Cmd_AbortaFolio}) {
        b->setAutoDefault(false);
        botones->addWidget(b);
    }

    auto* capa = new QVBoxLayout(this);
    capa->addWidget(archivos);
    capa->addLayout(botones);
    setMinimumWidth(460);

    alPulsar(Cmd_Generar, [this] { Cmd_Generar_Click(); });
    // "Copiar" does nothing: "Generar" already copies the files.
    alPulsar(Cmd_AbortaFolio, [this] { Cmd_AbortaFolio_Click(); });
}

void Frm_Planos::Form_Load()
{
    Text_CarpetaPlanos->setText(QDir::toNativeSeparators(CarpetaPlanosEstacion()));
}

void Frm_Planos::Presenta(OpcionPlanos opcion)
{
    const QDate hoy = app().reloj().hoy();
    DTP_FechaFolio->setDate(hoy);
    DTP_FechaFolioFin->setDate(hoy);
    (opcion == OpcionPlanos::Denegaciones ? Opt_DenegacionesLicencias
                                          : Opt_LicenciasDuplicadosSinAnotaciones)
        ->setChecked(true);
}

void Frm_Planos::Cmd_Generar_Click()
{
    const QString carpeta = Text_CarpetaPlanos->text().trimmed();
    if (carpeta.isEmpty()) {
        app().mensajes().muestra(
            QStringLiteral("Indique la carpeta donde se copian los archivos planos"),
            windowTitle());
        Text_CarpetaPlanos->setFocus();
        return;
    }
    GuardaCarpetaPlanos(QDir::fromNativeSeparators(carpeta));
    const RangoSolicitud rango{DTP_FechaFolio->date(), DTP_FechaFolioFin->date()};
    const CarpetasPlanos carpetas{QDir::currentPath(), QDir::fromNativeSeparators(carpeta)};
    CursorEspera espera;
    const Avisa avisa = [this, &espera](const AvisoPlano& aviso) {
        espera.sinEspera([&] {
            app().mensajes().muestra(aviso.texto, aviso.titulo, Botones::Aceptar, aviso.icono);
        });
    };
    if (Opt_LicenciasDuplicadosSinAnotaciones->isChecked()) {
        GeneraPlanoLicencias(app().conexion(), rango, carpetas, avisa);
    } else {
        GeneraPlanoDenegaciones(app().conexion(), rango, carpetas, avisa);
    }
}

void Frm_Planos::Cmd_AbortaFolio_Click()
{
    close();
}

void MuestraPlanos(Aplicacion& app, QWidget* menu, OpcionPlanos opcion)
{
    app.forma<Frm_Planos>().Presenta(opcion);
    app.muestraModal<Frm_Planos>(menu);
}
