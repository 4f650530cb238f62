#include "shell/form_usuario.h"

#include "platform/tecla_como_tab.h"
#include "shell/aplicacion.h"
#include "shell/clave.h"
#include "shell/emblema.h"
#include "shell/form_menu_licencia.h"
#include "shell/datos/recordset.h"
#include "shell/usuarios.h"

#include <QDateEdit>
#include <QFocusEvent>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

QLabel* etiqueta(const QString& nombre, const QString& texto, QWidget* padre)
{
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}

QPushButton* boton(const QString& nombre, const QString& texto, QWidget* padre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    return b;
}

}  // namespace

Form_Usuario::Form_Usuario(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Usuario"),
            QStringLiteral("Sistema de Acceso al Sistema de Licencias de Conducir"))
{
    Text_Usuario = new QLineEdit(this);
    Text_Usuario->setObjectName(QStringLiteral("Text_Usuario"));
    Text_Usuario->setMaxLength(15);
    Text_Clave = new QLineEdit(this);
    Text_Clave->setObjectName(QStringLiteral("Text_Clave"));
    Text_Clave->setMaxLength(6);
    Text_Clave->setEchoMode(QLineEdit::Password);
    Text_Clave->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    Cmd_ValidaUsuario = boton(QStringLiteral("Cmd_ValidaUsuario"),
                              QStringLiteral("Validación del usuario"), this);
    Cmd_Continuar = boton(QStringLiteral("Cmd_Continuar"),
                          QStringLiteral("Continuar con la ejecución del sistema"), this);
    Cmd_Salir = boton(QStringLiteral("Cmd_Salir"), QStringLiteral("Finalizar la ejecución del sistema"),
                      this);
    Label_Saludos = etiqueta(QStringLiteral("Label_Saludos"),
                             QStringLiteral("saludos y buena suerte hoy"), this);
    Label_Buenos_Dias = etiqueta(QStringLiteral("Label_Buenos_Dias"), QStringLiteral("Buenos dias"), this);
    Label_Usuario_Dias = etiqueta(QStringLiteral("Label_Usuario_Dias"), QString(), this);
    Label_Buenas_Tardes = etiqueta(QStringLiteral("Label_Buenas_Tardes"), QStringLiteral("Buenas tardes"), this);
    Label_Usuario_Tardes = etiqueta(QStringLiteral("Label_Usuario_Tardes"), QString(), this);
    Label_Buenas_Noches = etiqueta(QStringLiteral("Label_Buenas_Noches"), QStringLiteral("Buenas noches"), this);
    Label_Usuario_Noches = etiqueta(QStringLiteral("Label_Usuario_Noches"), QString(), this);
    Shp_Tiempos = new QFrame(this);
    Shp_Tiempos->setObjectName(QStringLiteral("Shp_Tiempos"));
    Shp_Tiempos->setFrameShape(QFrame::Box);
    Lbl_Fecha = etiqueta(QStringLiteral("Lbl_Fecha"), QStringLiteral("Fecha del sistema:"), Shp_Tiempos);
    Lbl_Hora = etiqueta(QStringLiteral("Lbl_Hora"), QStringLiteral("Hora del sistema:"), Shp_Tiempos);
    DTP_Fecha = new QDateEdit(Shp_Tiempos);
    DTP_Fecha->setObjectName(QStringLiteral("DTP_Fecha"));
    DTP_Fecha->setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    DTP_Fecha->setCalendarPopup(true);
    DTP_Hora = new QTimeEdit(Shp_Tiempos);
    DTP_Hora->setObjectName(QStringLiteral("DTP_Hora"));
    DTP_Hora->setDisplayFormat(QStringLiteral("HH:mm:ss"));

    auto* titulo = LineaCentrada(TituloSistema, 6, this);

    auto* datos = new QFormLayout;
    datos->addRow(QStringLiteral("Usuario"), Text_Usuario);
    datos->addRow(QStringLiteral("Clave"), Text_Clave);

    auto* saludo = new QGridLayout;
    const QList<QPair<QLabel*, QLabel*>> pares = {{Label_Buenos_Dias, Label_Usuario_Dias},
                                                  {Label_Buenas_Tardes, Label_Usuario_Tardes},
                                                  {Label_Buenas_Noches, Label_Usuario_Noches}};
    for (const auto& [hora, nombre] : pares) {
        QFont f = hora->font();
        f.setBold(true);
        f.setPointSize(f.pointSize() + 2);
        hora->setFont(f);
        nombre->setFont(f);
        saludo->addWidget(hora, 0, 0, Qt::AlignRight);
        saludo->addWidget(nombre, 0, 1, Qt::AlignLeft);
    }
    saludo->addWidget(Label_Saludos, 1, 0, 1, 2, Qt::AlignCenter);
    saludo->setColumnStretch(0, 1);
    saludo->setColumnStretch(1, 1);

    auto* tiempos = new QGridLayout(Shp_Tiempos);
    tiempos->addWidget(Lbl_Fecha, 0, 0);
    tiempos->addWidget(DTP_Fecha, 0, 1);
    tiempos->addWidget(Lbl_Hora, 1, 0);
    tiempos->addWidget(DTP_Hora, 1, 1);

    // A hidden "Continuar" keeps its room: the button below it must not
    // move under the clerk's pointer.
    QSizePolicy reservaLugar = Cmd_Continuar->sizePolicy();
    reservaLugar.setRetainSizeWhenHidden(true);
    Cmd_Continuar->setSizePolicy(reservaLugar);
    auto* botones = new QVBoxLayout;
    botones->addWidget(Cmd_ValidaUsuario);
    botones->addWidget(Cmd_Continuar);
    botones->addWidget(Cmd_Salir);

    auto* centro = new QHBoxLayout;
    auto* izquierda = new QVBoxLayout;
    izquierda->addLayout(datos);
    izquierda->addSpacing(8);
    izquierda->addLayout(saludo);
    izquierda->addStretch();
    centro->addLayout(izquierda, 3);
    centro->addSpacing(16);
    auto* derecha = new QVBoxLayout;
    derecha->addLayout(botones);
    derecha->addSpacing(8);
    derecha->addWidget(Shp_Tiempos);
    derecha->addStretch();
    centro->addLayout(derecha, 2);

    auto* principal = new QVBoxLayout(this);
    principal->addWidget(titulo);
    principal->addSpacing(12);
    principal->addLayout(centro);
    setMinimumSize(640, 300);

    setTabOrder(Text_Usuario, Text_Clave);
    setTabOrder(Text_Clave, Cmd_ValidaUsuario);
    setTabOrder(Cmd_ValidaUsuario, Cmd_Continuar);
    setTabOrder(Cmd_Continuar, DTP_Fecha);
    setTabOrder(DTP_Fecha, DTP_Hora);
    setTabOrder(DTP_Hora, Cmd_Salir);

    alPulsar(Cmd_ValidaUsuario, [this] { Cmd_ValidaUsuario_Click(); });
    alPulsar(Cmd_Continuar, [this] { Cmd_Continuar_Click(); });
    alPulsar(Cmd_Salir, [this] { Cmd_Salir_Click(); });
    Text_Usuario->installEventFilter(this);
    TeclaComoTab::instala(*this);
    ocultaSaludo();
    muestraFechaHora(false);
}

void Form_Usuario::Form_Load()
{
    const QDateTime ahora = app().reloj().ahora();
    DTP_Fecha->setDate(ahora.date());
    DTP_Hora->setTime(ahora.time());
    // Only a picker the clerk changes sets the computer's clock.
    connect(DTP_Fecha, &QDateEdit::dateChanged, this, [this] { fechaCambiada_ = true; });
    connect(DTP_Hora, &QTimeEdit::timeChanged, this, [this] { horaCambiada_ = true; });
    muestraFechaHora(false);
    app().AbreConexion();
    // Said before the clerk types an application that could not be stored.
    if (const auto rechazo = app().conexion().rechazoEscritura()) {
        app().mensajes().muestra(rechazo->texto(), QStringLiteral("Error en la base de datos"),
                                 Botones::Aceptar, Icono::Critico);
    }
    avisaSiNoHayUsuarios();
}

// A new database has nobody to log in: say how to add the first user,
// instead of ending the program at the first name typed.
bool Form_Usuario::avisaSiNoHayUsuarios()
{
    if (HayUsuarios(app().conexion())) {
        return false;
    }
    app().mensajes().muestra(MensajeSinUsuarios(app().origen()), TituloSistema, Botones::Aceptar,
                             Icono::Informacion);
    return true;
}

bool Form_Usuario::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == Text_Usuario && evento->type() == QEvent::FocusOut) {
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        // Leaving the window, or a list opening, is not leaving the box.
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason) {
            Text_Usuario_LostFocus();
        }
    }
    return Forma::eventFilter(objeto, evento);
}

void Form_Usuario::Text_Usuario_LostFocus()
{
    ocultaSaludo();
}

void Form_Usuario::ocultaSaludo()
{
    for (QLabel* l : {Label_Saludos, Label_Buenos_Dias, Label_Usuario_Dias, Label_Buenas_Tardes,
                      Label_Usuario_Tardes, Label_Buenas_Noches, Label_Usuario_Noches}) {
        l->hide();
    }
    Cmd_Continuar->hide();
}

void Form_Usuario::muestraFechaHora(bool visible)
{
    for (QWidget* w : std::initializer_list<QWidget*>{Shp_Tiempos, Lbl_Fecha, Lbl_Hora, DTP_Fecha,
                                                       DTP_Hora}) {
        w->setVisible(visible);
    }
}

void Form_Usuario::saluda(const QString& nombre)
{
    struct Tramo {
        int desde;
        int hasta;
        QLabel* saludo;
        QLabel* usuario;
    };
    // Between 12:00 and 12:59 no range applies: only the closing line shows.
    const Tramo tramos[] = {{0, 11, Label_Buenos_Dias, Label_Usuario_Dias},
                            {13, 19, Label_Buenas_Tardes, Label_Usuario_Tardes},
                            {20, 23, Label_Buenas_Noches, Label_Usuario_Noches}};
    Label_Saludos->show();
    const int hora = app().reloj().ahora().time().hour();
    for (const Tramo& t : tramos) {
        if (hora >= t.desde && hora <= t.hasta) {
            t.saludo->show();
            t.usuario->setText(nombre);
            t.usuario->show();
        }
    }
}

void Form_Usuario::Cmd_ValidaUsuario_Click()
{
    Conexion& conexion = app().conexion();
    Recordset rs = conexion.consulta(QStringLiteral("SELECT * FROM TUsuarios WHERE usuario = ?"),
                                     {Text_Usuario->text()});
    if (rs.recordCount() == 0) {
        if (avisaSiNoHayUsuarios()) {
            return;
        }
        app().mensajes().muestra(QStringLiteral("Usuario no se encuentra registrado"), TituloSistema);
        close();
        return;
    }
    if (Text_Clave->text().size() < 6) {
        app().mensajes().muestra(QStringLiteral("La clave debe ser de 6 caracteres"), TituloSistema);
        return;
    }
    rs.moveFirst();
    app().UsuarioActual.asigna(rs.texto(QStringLiteral("Usuario")));
    const auto codificada = CodificaClave(Text_Clave->text());
    if (!codificada || *codificada != rs.texto(QStringLiteral("Clave"))) {
        app().mensajes().muestra(QStringLiteral("Clave del usuario no es aceptada"), TituloSistema);
        return;
    }
    app().Accesos = LeeAccesos(rs.fila());
    saluda(rs.texto(QStringLiteral("nombre")));
    Cmd_Continuar->show();
    Cmd_Continuar->setFocus();
    muestraFechaHora(true);

    Recordset jefe = conexion.consulta(QStringLiteral("SELECT * FROM TJefe"));
    app().FirmaJefe.asigna(jefe.recordCount() > 0 ? jefe.texto(QStringLiteral("Usuario"))
                                                   : QString());
}

void Form_Usuario::Cmd_Continuar_Click()
{
    bool fijado = true;
    if (fechaCambiada_) {
        fijado = app().relojSistema().fijaFecha(DTP_Fecha->date()) && fijado;
    }
    if (horaCambiada_) {
        fijado = app().relojSistema().fijaHora(DTP_Hora->time()) && fijado;
    }
    fechaCambiada_ = horaCambiada_ = false;
    if (!fijado) {
        app().mensajes().muestra(QStringLiteral("No fue posible cambiar la fecha y hora del sistema"),
                                 TituloSistema);
    }
    app().muestraModal<Form_MenuLicencia>(this);
}

void Form_Usuario::Cmd_Salir_Click()
{
    close();
}
