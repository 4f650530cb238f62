#include "entorno.h"
#include "prueba.h"
#include "shell/form_en_construccion.h"
#include "shell/form_finalizar.h"
#include "shell/form_menu_licencia.h"
#include "shell/form_usuario.h"
#include "shell/temporales.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

class Menu : public ::testing::Test {
protected:
    Form_MenuLicencia& menu() { return e.app().forma<Form_MenuLicencia>(); }
    void elige(const char* control) { menu().entrada(control)->trigger(); }

    static void creaArchivo(const QString& ruta)
    {
        QFile archivo(ruta);
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly)) << ruta.toStdString();
        archivo.write("x");
    }

    Entorno e;
};

// Caption of every entry, nested as the menu bar shows it.
QStringList arbol(const QList<QAction*>& acciones, const QString& sangria = {})
{
    QStringList lineas;
    for (QAction* a : acciones) {
        lineas << sangria + a->text();
        if (a->menu()) {
            lineas += arbol(a->menu()->actions(), sangria + "  ");
        }
    }
    return lineas;
}

}  // namespace

TEST_F(Menu, ArbolCompletoDeEntradas)
{
    EXPECT_TRUE(menu().windowTitle().startsWith("Sistema de Licencias de Conducir" + QString(143, ' ') +
                                                "(Date Update 07.06.2010)"));
    EXPECT_EQ(arbol(menu().barra()->actions()),
              QStringList({"Archivo",
                           "  Seleccionar Impresora",
                           "  Calibrar impresión",
                           "  Salir",
                           "Mantención de Licencias",
                           "  Ingreso, Modificación y Eliminación de Licencias",
                           "Listados y Estadisticas",
                           "  Solicitud de certificados",
                           "  Licencias de los No Donantes",
                           "  Especies Valoradas",
                           "    Licencias Otorgadas",
                           "    Licencias Denegadas",
                           "    Licencias Anuladas / Eliminadas",
                           "    Especies valoradas utilizadas (totales)",
                           "  Estadistica Mensual",
                           "    Estadística Licencias Otorgadas",
                           "    Estadísticas Licencias Denegadas",
                           "  Archivos Planos Licencias y Duplicados Sin Anotaciones",
                           "  Denegaciones de Licencias de Conducir",
                           "Calculadora",
                           "Créditos",
                           "Internet",
                           "Acerca de",
                           "Salir"}));
}

TEST_F(Menu, Acceso06EnCeroDeshabilitaExactamenteSusTresEntradas)
{
    e.app().Accesos.fill(1);
    e.app().Accesos[5] = 0;
    QStringList deshabilitadas;
    for (QAction* a : menu().findChildren<QAction*>()) {
        if (!a->objectName().isEmpty() && !a->isEnabled()) {
            deshabilitadas << a->objectName();
        }
    }
    deshabilitadas.sort();
    EXPECT_EQ(deshabilitadas,
              QStringList({"LicenciasDenegadas", "LicenciasOtorgadas", "RolesTotales"}));
}

TEST_F(Menu, CadaListadoFijaSuModo)
{
    const struct {
        const char* entrada;
        const char* modo;
    } casos[] = {
        {"LicenciasNoDonantes", "LicNoDonantes"}, {"LicenciasSiOtorgadas", "LicOtorgadas"},
        {"LicenciasNoOtorgadas", "LicDenegadas"}, {"LicenciasAnuladasEliminadas", "LicAnuladasElim"},
        {"RolesTotales", "Folios"},               {"LicenciasOtorgadas", "Estadistica"},
        {"LicenciasDenegadas", "Denegada"},
    };
    e.app().Accesos.fill(1);
    for (const auto& caso : casos) {
        e.app().ModoListado.asigna("");
        elige(caso.entrada);
        EXPECT_EQ(e.app().ModoListado.texto(), QString(caso.modo).leftJustified(15)) << caso.entrada;
        EXPECT_EQ(e.ventanas->modales.last(), "Form_Listados");
    }
}

TEST_F(Menu, SolicitudDeCertificadosNoHaceNada)
{
    elige("SolicitudDeCertificados");
    EXPECT_TRUE(e.ventanas->modales.isEmpty());
    EXPECT_TRUE(e.mensajes->cajas.empty());
}

TEST_F(Menu, EntradasDeComandos)
{
    elige("SeleccionarImpresora");
    EXPECT_EQ(e.impresora->operaciones, QStringList({"elige impresora"}));

    elige("internet");
    EXPECT_EQ(e.procesos->direcciones, QStringList({"https://www.gob.cl/"}));

    elige("AcercaDe");
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].icono, Icono::Informacion);

    elige("Creditos");
    elige("Fin");
    elige("salir");
    elige("NuevaLicencia");
    EXPECT_EQ(e.ventanas->modales,
              QStringList({"Form_Creditos", "Form_Finalizar", "Form_Finalizar", "Form_Licencia"}));
}

TEST_F(Menu, CalculadoraDeLaCarpetaEjecutablesOAvisoSiNoEsta)
{
    e.mensajes->esperaCriticos();
    elige("calculadora");
    EXPECT_TRUE(e.procesos->iniciados.isEmpty());
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_TRUE(e.mensajes->cajas[0].texto.startsWith("No fue posible iniciar la calculadora"));

    QDir(e.carpeta()).mkdir("Ejecutables");
    creaArchivo(QDir(e.carpeta()).filePath("Ejecutables/calc.exe"));
    elige("calculadora");
    EXPECT_EQ(e.procesos->iniciados,
              QStringList({QDir(e.carpeta()).filePath("Ejecutables/calc.exe")}));
}

TEST_F(Menu, FinalizarBorraTemporalesYCierraLasTresFormas)
{
    creaArchivo(QDir(e.carpeta()).filePath("a.tmp"));
    creaArchivo(QDir(e.carpeta()).filePath("informe.TMP.txt"));
    e.agregaUsuario("ana", "abc123", "Ana Rojas");  // no first-user notice at login
    Form_Usuario& login = e.app().forma<Form_Usuario>();
    login.show();
    menu().show();
    ASSERT_TRUE(QFile::exists(QDir(e.carpeta()).filePath("a.tmp")));
    ASSERT_TRUE(login.isVisible() && menu().isVisible());
    e.ventanas->mientrasModal["Form_Finalizar"] = [](QWidget& forma) {
        forma.findChild<QPushButton*>("Cmd_Finalizar")->click();
    };
    elige("salir");
    EXPECT_FALSE(QFile::exists(QDir(e.carpeta()).filePath("a.tmp")));
    EXPECT_TRUE(QFile::exists(QDir(e.carpeta()).filePath("informe.TMP.txt")));
    EXPECT_FALSE(login.isVisible());
    EXPECT_FALSE(menu().isVisible());
    EXPECT_TRUE(e.mensajes->cajas.empty());
}

TEST(Temporales, BorraSoloTmpYCallaLosErrores)
{
    QTemporaryDir carpeta;
    const QDir dir(carpeta.path());
    for (const char* nombre : {"uno.tmp", "dos.tmp", "datos.sqlite"}) {
        QFile archivo(dir.filePath(nombre));
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    }
    dir.mkdir("sub.tmp");  // a folder is not a temporary file
    BorraTemporales(carpeta.path());
    EXPECT_EQ(dir.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
              QStringList({"datos.sqlite", "sub.tmp"}));
    // Nothing to delete, or no folder at all: silence.
    BorraTemporales(carpeta.path());
    BorraTemporales(dir.filePath("no-existe"));
    BorraTemporalesRaiz(dir.filePath("no-existe"));
}
