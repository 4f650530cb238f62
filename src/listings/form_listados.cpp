#include "listings/form_listados.h"

#include "listings/form_crfolios.h"
#include "listings/hoja_estadistica.h"
#include "listings/modos_listado.h"
#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "shell/aplicacion.h"
#include "shell/emblema.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Form_Listados::Form_Listados(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Listados"), QString())
{
    Frm_Folios = creaPanelFolios();
    Frm_Licen = creaPanelMes();
    auto* panel = new QVBoxLayout;
    panel->addWidget(Frm_Folios);
    panel->addWidget(Frm_Licen);
    panel->addStretch();
    auto* capa = new QHBoxLayout(this);
    capa->addWidget(new Emblema(this));
    capa->addLayout(panel, 1);
    setMinimumWidth(760);
}

QPushButton* Form_Listados::boton(const QString& nombre, const QString& texto, QWidget* padre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setMinimumWidth(110);
    return b;
}

namespace {

QHBoxLayout* filaBotones(QPushButton* aceptar, QPushButton* salir)
{
    auto* fila = new QHBoxLayout;
    fila->addStretch();
    fila->addWidget(aceptar);
    fila->addWidget(salir);
    return fila;
}

}  // namespace

QGroupBox* Form_Listados::creaPanelFolios()
{
    auto* marco = new QGroupBox(this);
    marco->setObjectName(QStringLiteral("Frm_Folios"));
    DTP_FechaFolio = new CajaFecha(marco);
    DTP_FechaFolio->setObjectName(QStringLiteral("DTP_FechaFolio"));
    DTP_FechaFolioFin = new CajaFecha(marco);
    DTP_FechaFolioFin->setObjectName(QStringLiteral("DTP_FechaFolioFin"));
    Opt_OrdenadoPorFolios = new QRadioButton(QStringLiteral("Registros Ordenado por Folios"), marco);
    Opt_OrdenadoPorFolios->setObjectName(QStringLiteral("Opt_OrdenadoPorFolios"));
    Opt_OrdenadoPorRut = new QRadioButton(QStringLiteral("Registros Ordenado por Rut"), marco);
    Opt_OrdenadoPorRut->setObjectName(QStringLiteral("Opt_OrdenadoPorRut"));
    auto* orden = new QButtonGroup(marco);
    orden->addButton(Opt_OrdenadoPorFolios);
    orden->addButton(Opt_OrdenadoPorRut);
    Opt_OrdenadoPorFolios->setChecked(true);
    QPushButton* aceptar = boton(QStringLiteral("Cmd_AceptaFolio"), QStringLiteral("Aceptar"), marco);
    QPushButton* salir = boton(QStringLiteral("Cmd_AbortaFolio"), QStringLiteral("Salir"), marco);

    auto* rejilla = new QGridLayout(marco);
    rejilla->addWidget(new QLabel(QStringLiteral("Fecha de Solicitud Inicio"), marco), 0, 0);
    rejilla->addWidget(DTP_FechaFolio, 0, 1);
    rejilla->addWidget(new QLabel(QStringLiteral("Fecha de Solicitud Término"), marco), 1, 0);
    rejilla->addWidget(DTP_FechaFolioFin, 1, 1);
    rejilla->addWidget(Opt_OrdenadoPorFolios, 2, 0, 1, 2);
    rejilla->addWidget(Opt_OrdenadoPorRut, 3, 0, 1, 2);
    rejilla->setRowMinimumHeight(4, 12);
    rejilla->addLayout(filaBotones(aceptar, salir), 5, 0, 1, 2);
    rejilla->setColumnStretch(1, 1);
    alPulsar(aceptar, [this] { Cmd_AceptaFolio_Click(); });
    alPulsar(salir, [this] { Cmd_AbortaFolio_Click(); });
    return marco;
}

QGroupBox* Form_Listados::creaPanelMes()
{
    auto* marco = new QGroupBox(this);
    marco->setObjectName(QStringLiteral("Frm_Licen"));
    Cbo_Mes = new CajaLista(marco);
    Cbo_Mes->setObjectName(QStringLiteral("Cbo_Mes"));
    Cbo_Mes->setMinimumContentsLength(12);
    MEd_Ano = CajaMascara::digitos(4, QLatin1Char(' '), marco);
    MEd_Ano->setObjectName(QStringLiteral("MEd_Ano"));
    MEd_Ano->setMaximumWidth(80);
    QPushButton* aceptar = boton(QStringLiteral("Cmd_Aceptar"), QStringLiteral("Aceptar"), marco);
    QPushButton* salir = boton(QStringLiteral("Cmd_Finalizar"), QStringLiteral("Salir"), marco);

    auto* rejilla = new QGridLayout(marco);
    rejilla->addWidget(new QLabel(QStringLiteral("Seleccione Mes:"), marco), 0, 0);
    rejilla->addWidget(Cbo_Mes, 0, 1);
    rejilla->addWidget(new QLabel(QStringLiteral("Seleccione Año:"), marco), 1, 0);
    rejilla->addWidget(MEd_Ano, 1, 1, Qt::AlignLeft);
    rejilla->setRowMinimumHeight(2, 12);
    rejilla->addLayout(filaBotones(aceptar, salir), 3, 0, 1, 2);
    rejilla->setColumnStretch(1, 1);
    alPulsar(aceptar, [this] { Cmd_Aceptar_Click(); });
    alPulsar(salir, [this] { Cmd_Finalizar_Click(); });
    return marco;
}

void Form_Listados::Form_Load()
{
    const QDate hoy = app().reloj().ahora().date();
    DTP_FechaFolio->setDate(hoy);
    DTP_FechaFolioFin->setDate(hoy);
    Frm_Folios->hide();
    Frm_Licen->hide();
    const ModoListadoForm& modo = BuscaModoListado(app().ModoListado.recortado());
    QGroupBox* panel = modo.panelFolios ? Frm_Folios : Frm_Licen;
    if (!modo.panelFolios) {
        Cbo_Mes->llena(NombresMeses());
        Cbo_Mes->fijaTexto(NombresMeses().first());
        MEd_Ano->fijaTexto(QString::number(hoy.year()));
    }
    setWindowTitle(QString::fromUtf8(modo.tituloForm));
    panel->setTitle(QString::fromUtf8(modo.tituloPanel));
    panel->show();
}

void Form_Listados::Cmd_Aceptar_Click()
{
    NormalizaFechaActual1(app().conexion());
    const QString modo = app().ModoListado.recortado();
    if (modo == ModoEstadistica) {
        GeneraEstadisticaOtorgadas();
    }
    if (modo == ModoDenegada) {
        GeneraEstadisticaDenegadas();
    }
}

void Form_Listados::generaEstadistica(TipoEstadistica tipo)
{
    SeleccionaEnLista(*Cbo_Mes);
    if (const auto falla = ValidaMesAnio(Cbo_Mes->posicion(), MEd_Ano->texto())) {
        app().mensajes().muestra(falla->texto, falla->titulo, Botones::Aceptar, Icono::Ninguno);
        return;
    }
    const ConteoMes conteo = CuentaMes(app().conexion(), tipo, Cbo_Mes->posicion(), MEd_Ano->texto());
    DatosHoja datos{Cbo_Mes->texto(), MEd_Ano->texto(), std::nullopt};
    if (conteo.solicitudes > 0) {
        datos.valores = CalculaValoresHoja(conteo, tipo);
    }
    app().muestraPorUso<HojaEstadistica>(this, tipo, std::move(datos));
}

void Form_Listados::Cmd_AceptaFolio_Click()
{
    app().muestraPorUso<FormCRFolios>(
        this, PeticionFolios{app().ModoListado.recortado(), DTP_FechaFolio->date(),
                             DTP_FechaFolioFin->date(),
                             Opt_OrdenadoPorRut->isChecked() ? OrdenFolios::PorRut
                                                             : OrdenFolios::PorFolio});
}
