#include "capturas.h"
#include "entorno.h"
#include "prueba.h"
#include "shell/form_menu_licencia.h"
#include "shell/form_usuario.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

namespace {

// The login form over a database with one user, "ana" / "abc123".
class Login : public ::testing::Test {
protected:
    void SetUp() override
    {
        FlagsAcceso accesos = Entorno::todosLosAccesos();
        accesos[6] = 0;
        e.agregaUsuario("ana", "abc123", "Ana Rojas", accesos);
        e.fijaJefe(QString("JEFE DE TRANSITO").leftJustified(25));
        forma = &e.app().forma<Form_Usuario>();
    }

    template <class W>
    W* control(const char* nombre)
    {
        auto* w = forma->findChild<W*>(nombre);
        EXPECT_NE(w, nullptr) << nombre;
        return w;
    }

    void ingresa(const QString& usuario, const QString& clave)
    {
        control<QLineEdit>("Text_Usuario")->setText(usuario);
        control<QLineEdit>("Text_Clave")->setText(clave);
        control<QPushButton>("Cmd_ValidaUsuario")->click();
    }

    QStringList saludoVisible()
    {
        QStringList visibles;
        for (const char* nombre : {"Label_Saludos", "Label_Buenos_Dias", "Label_Usuario_Dias",
                                   "Label_Buenas_Tardes", "Label_Usuario_Tardes",
                                   "Label_Buenas_Noches", "Label_Usuario_Noches"}) {
            if (!control<QLabel>(nombre)->isHidden()) {
                visibles << nombre;
            }
        }
        return visibles;
    }

    bool continuarVisible() { return !control<QPushButton>("Cmd_Continuar")->isHidden(); }

    Entorno e;
    Form_Usuario* forma = nullptr;
};

}  // namespace

TEST_F(Login, AlCargarSoloUsuarioClaveYBotones)
{
    EXPECT_EQ(forma->windowTitle(), "Sistema de Acceso al Sistema de Licencias de Conducir");
    EXPECT_TRUE(saludoVisible().isEmpty());
    EXPECT_FALSE(continuarVisible());
    for (const char* oculto : {"Shp_Tiempos", "Lbl_Fecha", "Lbl_Hora", "DTP_Fecha", "DTP_Hora"}) {
        EXPECT_TRUE(control<QWidget>(oculto)->isHidden()) << oculto;
    }
    EXPECT_EQ(control<QDateEdit>("DTP_Fecha")->date(), e.reloj->momento.date());
    EXPECT_EQ(control<QTimeEdit>("DTP_Hora")->time(), e.reloj->momento.time());
    EXPECT_EQ(control<QLineEdit>("Text_Usuario")->maxLength(), 15);
    EXPECT_EQ(control<QLineEdit>("Text_Clave")->maxLength(), 6);
    EXPECT_EQ(control<QLineEdit>("Text_Clave")->echoMode(), QLineEdit::Password);
}

TEST_F(Login, ClaveCorrectaLlenaElEstadoCompartidoYMuestraContinuar)
{
    ingresa("ana", "abc123");
    EXPECT_TRUE(e.mensajes->cajas.empty());
    EXPECT_EQ(e.app().UsuarioActual.texto(), QString("ana").leftJustified(15));
    EXPECT_EQ(e.app().FirmaJefe.recortado(), "JEFE DE TRANSITO");
    EXPECT_TRUE(e.app().tieneAcceso(Acceso::Registrar));
    EXPECT_FALSE(e.app().tieneAcceso(7));
    EXPECT_TRUE(continuarVisible());
    EXPECT_EQ(control<QLabel>("Label_Usuario_Dias")->text(), "Ana Rojas");
    for (const char* visible : {"Shp_Tiempos", "Lbl_Fecha", "Lbl_Hora", "DTP_Fecha", "DTP_Hora"}) {
        EXPECT_FALSE(control<QWidget>(visible)->isHidden()) << visible;
    }
}

TEST_F(Login, LosTresMensajesYLoQueDejaCadaUno)
{
    forma->show();
    ingresa("ana", "abc12");
    ingresa("ana", "ABC123");
    EXPECT_EQ(e.mensajes->textos(),
              QStringList({"La clave debe ser de 6 caracteres", "Clave del usuario no es aceptada"}));
    // A refused password keeps the user name of the row but grants nothing.
    EXPECT_EQ(e.app().UsuarioActual.recortado(), "ana");
    EXPECT_FALSE(e.app().tieneAcceso(Acceso::Registrar));
    EXPECT_FALSE(continuarVisible());
    EXPECT_TRUE(forma->isVisible());

    // A name with an apostrophe is looked up like any other: not found.
    ingresa("o'brien", "abc123");
    EXPECT_EQ(e.mensajes->textos().last(), "Usuario no se encuentra registrado");
    EXPECT_EQ(e.mensajes->cajas.back().botones, Botones::Aceptar);
    EXPECT_EQ(e.mensajes->cajas.back().icono, Icono::Ninguno);
    EXPECT_FALSE(forma->isVisible());  // the login closes: the program ends
}

TEST_F(Login, ClaveConCaracterQueNoSePuedeCodificarEsRechazada)
{
    ingresa("ana", QString::fromUtf8("ñandú1"));
    EXPECT_EQ(e.mensajes->textos(), QStringList({"Clave del usuario no es aceptada"}));
}

TEST_F(Login, SaludoSegunLaHora)
{
    const struct {
        QTime hora;
        QStringList visibles;
    } casos[] = {
        {QTime(11, 59), {"Label_Saludos", "Label_Buenos_Dias", "Label_Usuario_Dias"}},
        {QTime(12, 30), {"Label_Saludos"}},
        {QTime(13, 0), {"Label_Saludos", "Label_Buenas_Tardes", "Label_Usuario_Tardes"}},
        {QTime(19, 59), {"Label_Saludos", "Label_Buenas_Tardes", "Label_Usuario_Tardes"}},
        {QTime(20, 0), {"Label_Saludos", "Label_Buenas_Noches", "Label_Usuario_Noches"}},
    };
    for (const auto& caso : casos) {
        e.reloj->momento.setTime(caso.hora);
        forma->Text_Usuario_LostFocus();
        ingresa("ana", "abc123");
        EXPECT_EQ(saludoVisible(), caso.visibles) << caso.hora.toString().toStdString();
    }
}

TEST_F(Login, DejarElUsuarioOcultaSaludoYContinuar)
{
    ingresa("ana", "abc123");
    ASSERT_TRUE(continuarVisible());
    forma->Text_Usuario_LostFocus();
    EXPECT_TRUE(saludoVisible().isEmpty());
    EXPECT_FALSE(continuarVisible());
    EXPECT_FALSE(control<QWidget>("DTP_Fecha")->isHidden());
}

TEST_F(Login, EnterYFlechaAbajoPasanAlControlSiguiente)
{
    forma->show();
    QApplication::setActiveWindow(forma);
    ASSERT_TRUE(QTest::qWaitForWindowActive(forma));
    auto* usuario = control<QLineEdit>("Text_Usuario");
    auto* clave = control<QLineEdit>("Text_Clave");
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Down}) {
        usuario->setFocus();
        QTest::keyClick(usuario, tecla);
        EXPECT_EQ(QApplication::focusWidget(), clave) << tecla;
    }
    // Leaving the user box by the keyboard also asks for a new check.
    EXPECT_FALSE(continuarVisible());
}

TEST_F(Login, ClaveConAsteriscosFechaYHoraDeUnaTeclaYBotonesQuietos)
{
    forma->show();
    QApplication::setActiveWindow(forma);
    ASSERT_TRUE(QTest::qWaitForWindowActive(forma));
    const QRect salir = control<QPushButton>("Cmd_Salir")->geometry();
    GuardaCaptura(*forma, "login_antes");
    QTest::keyClicks(control<QLineEdit>("Text_Usuario"), "ana");
    QTest::keyClicks(control<QLineEdit>("Text_Clave"), "abc123");
    QTest::mouseClick(control<QPushButton>("Cmd_ValidaUsuario"), Qt::LeftButton);
    ASSERT_TRUE(continuarVisible());
    GuardaCaptura(*forma, "login_despues");
    EXPECT_EQ(control<QLineEdit>("Text_Clave")->displayText(), "******");
    EXPECT_EQ(control<QPushButton>("Cmd_Salir")->geometry(), salir);

    auto* fecha = control<QDateEdit>("DTP_Fecha");
    auto* hora = control<QTimeEdit>("DTP_Hora");
    fecha->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(QApplication::focusWidget() == hora || hora->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("Cmd_Salir"));

    control<QLineEdit>("Text_Usuario")->setFocus();
    control<QLineEdit>("Text_Clave")->setFocus();
    EXPECT_FALSE(continuarVisible());
    EXPECT_EQ(control<QPushButton>("Cmd_Salir")->geometry(), salir);
}

TEST_F(Login, ContinuarFijaElRelojSoloSiSeCambioYAbreElMenu)
{
    ingresa("ana", "abc123");
    control<QPushButton>("Cmd_Continuar")->click();
    EXPECT_TRUE(e.relojSistema->fechas.empty());
    EXPECT_TRUE(e.relojSistema->horas.empty());
    EXPECT_EQ(e.ventanas->modales, QStringList({"Form_MenuLicencia"}));

    control<QTimeEdit>("DTP_Hora")->setTime(QTime(8, 15));
    control<QPushButton>("Cmd_Continuar")->click();
    EXPECT_TRUE(e.relojSistema->fechas.empty());
    ASSERT_EQ(e.relojSistema->horas.size(), 1u);
    EXPECT_EQ(e.relojSistema->horas[0], QTime(8, 15));

    // Once applied, the same picker values do not set the clock again.
    control<QPushButton>("Cmd_Continuar")->click();
    EXPECT_EQ(e.relojSistema->horas.size(), 1u);

    control<QDateEdit>("DTP_Fecha")->setDate(QDate(2026, 12, 9));
    e.relojSistema->permite = false;
    control<QPushButton>("Cmd_Continuar")->click();
    ASSERT_EQ(e.relojSistema->fechas.size(), 1u);
    EXPECT_EQ(e.relojSistema->fechas[0], QDate(2026, 12, 9));
    EXPECT_EQ(e.mensajes->textos(), QStringList({"No fue posible cambiar la fecha y hora del sistema"}));
    EXPECT_EQ(e.ventanas->modales.size(), 4);  // the menu opens all the same
    EXPECT_FALSE(e.app().cargada<Form_MenuLicencia>());  // unloaded when it closed
}

TEST_F(Login, SinJefeLaFirmaQuedaEnBlanco)
{
    e.conexion().ejecuta("DELETE FROM TJefe");
    ingresa("ana", "abc123");
    EXPECT_TRUE(e.app().FirmaJefe.enBlanco());
    EXPECT_EQ(e.app().FirmaJefe.texto().size(), 25);
}

TEST(LoginSinUsuarios, UnaBaseNuevaDiceComoAgregarElPrimeroYNoCierra)
{
    Entorno e;
    Form_Usuario& login = e.app().forma<Form_Usuario>();
    login.show();
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    const MensajesFalsos::Caja aviso = e.mensajes->cajas[0];
    EXPECT_EQ(aviso.icono, Icono::Informacion);
    EXPECT_TRUE(aviso.texto.contains("no tiene usuarios")) << aviso.texto.toStdString();
    EXPECT_TRUE(aviso.texto.contains(e.origen().nombreVisible()));
    EXPECT_TRUE(aviso.texto.contains("licencias usuario agregar USUARIO --nombre \"NOMBRE\" "
                                     "--accesos todos --db " + e.origen().descripcion()))
        << aviso.texto.toStdString();

    // A name typed before anyone was added gets the same notice; the form stays.
    login.findChild<QLineEdit*>("Text_Usuario")->setText("ana");
    login.findChild<QLineEdit*>("Text_Clave")->setText("abc123");
    login.findChild<QPushButton*>("Cmd_ValidaUsuario")->click();
    EXPECT_EQ(e.mensajes->textos(), QStringList({aviso.texto, aviso.texto}));
    EXPECT_TRUE(login.isVisible());

    // Once the IT staff added the user, the same window lets the clerk in.
    e.agregaUsuario("ana", "abc123", "Ana Rojas");
    login.findChild<QPushButton*>("Cmd_ValidaUsuario")->click();
    EXPECT_FALSE(login.findChild<QPushButton*>("Cmd_Continuar")->isHidden());
    EXPECT_EQ(e.mensajes->cajas.size(), 2u);
}
