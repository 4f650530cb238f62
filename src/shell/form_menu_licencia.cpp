#include "shell/form_menu_licencia.h"

#include "shell/aplicacion.h"
#include "shell/emblema.h"
#include "shell/form_en_construccion.h"
#include "shell/form_finalizar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

enum class Accion {
    Submenu,
    Ninguna,
    Impresora,
    Salir,
    Subsistema,  // the action the program installed under the entry's key
    Calculadora,
    Creditos,
    Internet,
    AcercaDe,
};

struct EntradaMenu {
    const char* control;
    const char* titulo;
    const char* padre;  // nullptr: on the menu bar itself
    Accion accion;
    const char* clave;  // a subsystem entry: the key of its action
    const char* modo;   // listing mode of a listing entry
};

const EntradaMenu Menu[] = {
    {"Archivo", "Archivo", nullptr, Accion::Submenu, nullptr, nullptr},
    {"SeleccionarImpresora", "Seleccionar Impresora", "Archivo", Accion::Impresora, nullptr, nullptr},
    {"CalibrarImpresion", "Calibrar impresión", "Archivo", Accion::Subsistema, "CalibrarImpresion",
     nullptr},
    {"Fin", "Salir", "Archivo", Accion::Salir, nullptr, nullptr},
    {"MantencionLicencias", "Mantención de Licencias", nullptr, Accion::Submenu, nullptr, nullptr},
    {"NuevaLicencia", "Ingreso, Modificación y Eliminación de Licencias", "MantencionLicencias",
     Accion::Subsistema, "Licencias", nullptr},
    {"ListadoEstadisticas", "Listados y Estadisticas", nullptr, Accion::Submenu, nullptr, nullptr},
    {"SolicitudDeCertificados", "Solicitud de certificados", "ListadoEstadisticas", Accion::Ninguna,
     nullptr, nullptr},
    {"LicenciasNoDonantes", "Licencias de los No Donantes", "ListadoEstadisticas", Accion::Subsistema, "Listados", "LicNoDonantes"},
    {"EspeciesValoradas", "Especies Valoradas", "ListadoEstadisticas", Accion::Submenu, nullptr, nullptr},
    {"LicenciasSiOtorgadas", "Licencias Otorgadas", "EspeciesValoradas", Accion::Subsistema, "Listados", "LicOtorgadas"},
    {"LicenciasNoOtorgadas", "Licencias Denegadas", "EspeciesValoradas", Accion::Subsistema, "Listados", "LicDenegadas"},
    {"LicenciasAnuladasEliminadas", "Licencias Anuladas / Eliminadas", "EspeciesValoradas",
     Accion::Subsistema, "Listados", "LicAnuladasElim"},
    {"RolesTotales", "Especies valoradas utilizadas (totales)", "EspeciesValoradas",
     Accion::Subsistema, "Listados", "Folios"},
    {"EstadisticaMensual", "Estadistica Mensual", "ListadoEstadisticas", Accion::Submenu, nullptr, nullptr},
    {"LicenciasOtorgadas", "Estadística Licencias Otorgadas", "EstadisticaMensual",
     Accion::Subsistema, "Listados", "Estadistica"},
    {"LicenciasDenegadas", "Estadísticas Licencias Denegadas", "EstadisticaMensual",
     Accion::Subsistema, "Listados", "Denegada"},
    {"ArchivosPlanosLicenciasyDuplicados",
     "Archivos Planos Licencias y Duplicados Sin Anotaciones", "ListadoEstadisticas",
     Accion::Subsistema, "PlanosLicencias", nullptr},
    {"DenegacionesLicencias", "Denegaciones de Licencias de Conducir", "ListadoEstadisticas",
     Accion::Subsistema, "PlanosDenegaciones", nullptr},
    {"calculadora", "Calculadora", nullptr, Accion::Calculadora, nullptr, nullptr},
    {"Creditos", "Créditos", nullptr, Accion::Creditos, nullptr, nullptr},
    {"internet", "Internet", nullptr, Accion::Internet, nullptr, nullptr},
    {"AcercaDe", "Acerca de", nullptr, Accion::AcercaDe, nullptr, nullptr},
    {"salir", "Salir", nullptr, Accion::Salir, nullptr, nullptr},
};

// Entries that acceso06 = 0 disables.
const char* const EntradasAcceso06[] = {"RolesTotales", "LicenciasOtorgadas", "LicenciasDenegadas"};

const QString PaginaInicio = QStringLiteral("https://www.gob.cl/");

}  // namespace

Form_MenuLicencia::Form_MenuLicencia(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_MenuLicencia"),
            TituloSistema + QString(143, QLatin1Char(' ')) +
                QStringLiteral("(Date Update 07.06.2010)"))
{
    barra_ = new QMenuBar(this);
    barra_->setObjectName(QStringLiteral("MenuLicencia"));
    QHash<QString, QMenu*> submenus;
    for (int i = 0; i < int(std::size(Menu)); ++i) {
        const EntradaMenu& e = Menu[i];
        const QString control = QString::fromLatin1(e.control);
        const QString titulo = QString::fromUtf8(e.titulo);
        QMenu* padre = e.padre ? submenus.value(QString::fromLatin1(e.padre)) : nullptr;
        QAction* accion = nullptr;
        if (e.accion == Accion::Submenu) {
            QMenu* submenu = padre ? padre->addMenu(titulo) : barra_->addMenu(titulo);
            submenu->setObjectName(control);
            submenus.insert(control, submenu);
            accion = submenu->menuAction();
        } else {
            accion = padre ? padre->addAction(titulo) : barra_->addAction(titulo);
            connect(accion, &QAction::triggered, this, [this, i] { ejecuta(i); });
        }
        accion->setObjectName(control);
        entradas_.insert(control, accion);
    }

    auto* capa = new QVBoxLayout(this);
    capa->setMenuBar(barra_);
    capa->addStretch();
    capa->addWidget(LineaCentrada(TituloSistema, 10, this));
    capa->addWidget(new Emblema(this), 4);
    capa->addStretch();
    setMinimumSize(900, 600);
    // The main window takes the whole screen.
    setWindowState(Qt::WindowMaximized);
}

void Form_MenuLicencia::Form_Load()
{
    app().AbreConexion();
    if (!app().tieneAcceso(Acceso::TotalesYEstadisticas)) {
        for (const char* control : EntradasAcceso06) {
            entradas_.value(QString::fromLatin1(control))->setEnabled(false);
        }
    }
}

void Form_MenuLicencia::ejecuta(int indiceEntrada)
{
    const EntradaMenu& e = Menu[indiceEntrada];
    app().protegido([this, &e, indiceEntrada] {
        switch (e.accion) {
        case Accion::Submenu:
        case Accion::Ninguna:
            break;
        case Accion::Impresora:
            SeleccionarImpresora_Click();
            break;
        case Accion::Salir:
            app().muestraModal<Form_Finalizar>(this);
            break;
        case Accion::Subsistema:
            ejecutaSubsistema(indiceEntrada);
            break;
        case Accion::Calculadora:
            calculadora_Click();
            break;
        case Accion::Creditos:
            app().muestraModal<Form_Creditos>(this);
            break;
        case Accion::Internet:
            internet_Click();
            break;
        case Accion::AcercaDe:
            AcercaDe_Click();
            break;
        }
    });
}

// A listing entry first sets the listing mode its form reads.
void Form_MenuLicencia::ejecutaSubsistema(int indiceEntrada)
{
    const EntradaMenu& e = Menu[indiceEntrada];
    if (e.modo) {
        app().ModoListado.asigna(QString::fromLatin1(e.modo));
    }
    if (const auto* accion = app().accion(QString::fromLatin1(e.clave))) {
        (*accion)(this);
    } else {
        app().muestraPorUso<Form_EnConstruccion>(this, QString::fromUtf8(e.titulo));
    }
}

void Form_MenuLicencia::SeleccionarImpresora_Click()
{
    app().impresora().eligeImpresora(this);
}

void Form_MenuLicencia::calculadora_Click()
{
    const QDir ejecutables(QDir(app().carpetaAplicacion()).filePath(QStringLiteral("Ejecutables")));
    for (const QString& nombre : {QStringLiteral("calc.exe"), QStringLiteral("calc")}) {
        const QFileInfo programa(ejecutables.filePath(nombre));
        if (programa.isFile() && app().procesos().inicia(programa.absoluteFilePath(), {})) {
            return;
        }
    }
    app().mensajes().muestra(
        QStringLiteral("No fue posible iniciar la calculadora: no se encuentra %1")
            .arg(QDir::toNativeSeparators(ejecutables.filePath(QStringLiteral("calc.exe")))),
        QStringLiteral("Calculadora"), Botones::Aceptar, Icono::Critico);
}

void Form_MenuLicencia::internet_Click()
{
    if (!app().procesos().abreDireccion(PaginaInicio)) {
        app().mensajes().muestra(QStringLiteral("No fue posible abrir el navegador de internet"),
                                 QStringLiteral("Internet"), Botones::Aceptar, Icono::Critico);
    }
}

void Form_MenuLicencia::AcercaDe_Click()
{
    app().mensajes().muestra(
        QStringLiteral("Sistema de Licencias de Conducir\n"
                       "Registro de solicitudes, impresión de especies valoradas, archivos "
                       "planos y estadísticas del Departamento de Tránsito"),
        QStringLiteral("Acerca de Sistema de Licencias de Conducir"), Botones::Aceptar,
        Icono::Informacion);
}
