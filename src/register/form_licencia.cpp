#include "register/form_licencia.h"

#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "platform/caja_texto.h"
#include "platform/grilla.h"
#include "platform/tecla_como_tab.h"
#include "register/campos_licencia.h"
#include "register/form_denegacion.h"
#include "register/form_detalle.h"
#include "register/registro_licencia.h"
#include "shell/aplicacion.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A frame of fields: each row lists its items left to right; an item
// starting with "=" is a caption, any other names a control. The last item
// of a row takes the rest of the row.
struct MarcoCampos {
    const char* nombre;
    const char* titulo;
    int columna;  // 0 or 1: which column of frames it stands in
    std::vector<std::vector<const char*>> filas;
};

const MarcoCampos Marcos[] = {
    {"Frm_DatosPersonales", "Datos Personales", 0,
     {{"=Número Licencia", "MEd_NLicencia", "=Sexo", "Cbo_Sexo"},
      {"=Nombres", "Text_Nombres"},
      {"=Apellido paterno", "Text_ApPaterno", "=Apellido materno", "Text_ApMaterno"},
      {"=Domicilio", "Text_Domicilio"},
      {"=Comuna domicilio", "Text_ComunaDomicilio", "=Estudios", "Cbo_NivelEstudios"},
      {"=Fecha nacimiento", "DTP_FechaNacimiento", "=Edad cumplida", "NE_Edad"},
      {"=Tiene antecedentes", "Cbo_TieneAntecedentes", "=Foto", "Text_Foto"},
      {"=Huella", "Text_Huella"},
      {"Label_Aviso"}}},
    {"Frm_Examenes", "Resultado de exámenes", 0,
     {{"=", "=", "=", "=Fecha", "=Nombre profesional/encargado"},
      {"=Médico", "Chk_Medico", "Lbl_MedicoOk", "DTP_Medico", "Cbo_ProfesionalMedico"},
      {"=Teórico", "Chk_Teorico", "Lbl_TeoricoOK", "DTP_Teorico", "Text_ProfesionalTeorico"},
      {"=Práctico", "Chk_Practico", "Lbl_PracticoOk", "DTP_Practico", "Text_ProfesionalPractico"},
      {"=Observaciones", "Text_ObservaExamenes"},
      {"=", "Pnl_BotonesExamen"}}},
    {"Frm_EscuelaProfesional", "Datos escuela licencia profesional", 0,
     {{"=R.U.T", "MEd_RutEscuela", "=Nº Certif.", "Text_CertificadoEscuela"},
      {"=Aprobación", "DTP_FechaAprobacion", "=Especialidad", "Text_Especialidad"},
      {"=Nombre", "Text_EscuelaNombre"}}},
    {"Frm_EscuelaEspecial", "Datos escuela licencia especial", 0,
     {{"=R.U.T", "MEd_RutEscuelaEspecial", "=Resolución Minist.", "Text_EscuelaResolucionEspecial"},
      {"=Fecha", "DTP_FechaResolucionEspecial"},
      {"=Nombre", "Text_EscuelaNombreEspecial"},
      {"=Representante legal", "Text_RepresentanteEspecial"}}},
    {"Frm_LicenciaActual", "Licencia Actual", 1,
     {{"=Nº Especie Valorada", "Text_FolioActual", "=Fecha actual", "DTP_FechaOtorgaActual"},
      {"=F. Ultimo Control", "DTP_FechaUltimoControl", "=F. Próximo control",
       "DTP_FechaProximoControl"},
      {"=F.Otorgamiento", "DTP_FechaOtorgaInicial", "=01-01-1900 si es Primera vez"},
      {"=Restricciones", "Text_RestriccionActual", "=Certif. antecedentes ",
       "MEd_CertifAntecedentes"},
      {"=F. Certif. Antecedentes", "DTP_FechaCertificado", "=Fecha del ingreso",
       "DTP_FechaIngreso"},
      {"=Orden de ingreso Nº", "NE_OrdenIngreso", "=Valor del ingreso", "NE_ValorIngreso"},
      {"=¿ Dona Organos ?", "Cbo_Donante", "=Nº no donante", "Text_CorrNoDonante"},
      {"=Observaciones", "Text_ObservaLicenciaActual"},
      {"=Obs. resumen", "Text_Obs1", "=", "Text_Obs2"},
      {"Frm_Tramite"},
      {"Frm_ClasesActual"}}},
    {"Frm_LicenciaAnterior", "Licencia Anterior", 1,
     {{"=Comuna anterior", "Text_ComunaAnterior", "=Especie Valorada", "Text_FolioAnterior"},
      {"=Fecha otorgamiento", "DTP_FechaOtorgaAnterior", "=Fecha Vencimiento",
       "DTP_FechaVenceAnterior"},
      {"=Restricciones", "Text_RestriccionAnterior", "=Entrega Licencia", "Cbo_EntregaLicencia"},
      {"Frm_ClasesAnterior"}}},
};

// Groups of check boxes inside the frames, by the positions of their boxes.
struct GrupoCasillas {
    const char* nombre;
    const char* titulo;
    int desde;
    int hasta;
    int columnas;
};

const GrupoCasillas Grupos[] = {
    {"Frm_Tramite", "Trámite que solicita", 26, 32, 4},
    {"Frm_ClasesActual", "Clases", 33, 44, 6},
    {"Frm_ClasesAnterior", "Clases", 50, 61, 6},
};

struct Ayuda {
    const char* control;
    const char* texto;
};

const Ayuda Ayudas[] = {
    {"Text_FolioActual", "Incluya las letras de la serie Ej.-    CA04354520"},
    {"MEd_NLicencia",
     "Anteponga un cero cuando corresponda,  Formato: Ej.- 09.507.357-7, 12.258.1255-K"},
    {"Text_ProfesionalTeorico", "Si el trámite es Exámen de Control, digite Control y presione OK"},
    {"Text_ProfesionalPractico", "Si el trámite es Exámen de Control, digite Control y presione OK"},
};

struct Boton {
    const char* nombre;
    const char* texto;
};

const Boton BotonesComando[] = {
    {"Cmd_Registrar", " Registrar"}, {"Cmd_Modificar", "Modificar"},
    {"Cmd_Eliminar", "Eliminar"},    {"Cmd_Anular", "Anular"},
    {"Cmd_Imprimir", "Imprimir"},    {"Cmd_Limpiar", "Limpiar Campos"},
    {"Cmd_Firma", "Firma"},          {"Cmd_Salir", "Salir"},
};

QLabel* rotulo(const QString& texto, QWidget* padre)
{
    auto* l = new QLabel(texto, padre);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

// Room for about `caracteres` characters of the box's font.
void anchoPara(QWidget* w, int caracteres)
{
    w->setMinimumWidth(w->fontMetrics().averageCharWidth() * caracteres + 12);
}

}  // namespace

Form_Licencia::Form_Licencia(Aplicacion& app)
    : Forma(app, QStringLiteral("Form_Licencia"),
            QStringLiteral("Ingreso, Modificación y Eliminación de Licencias"))
{
    for (const CampoLicencia& campo : CamposLicencia) {
        QWidget* w = creaCampo(campo);
        w->setObjectName(QLatin1String(campo.control));
    }
    for (const char* nombre : {"Lbl_MedicoOk", "Lbl_TeoricoOK", "Lbl_PracticoOk"}) {
        auto* x = new QLabel(QStringLiteral("X"), this);
        x->setObjectName(QLatin1String(nombre));
        x->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
        // A hidden mark keeps its room, so the exam dates do not shift.
        QSizePolicy reservaLugar = x->sizePolicy();
        reservaLugar.setRetainSizeWhenHidden(true);
        x->setSizePolicy(reservaLugar);
    }
    labelAviso_ = new QLabel(QStringLiteral("Indefinida"), this);
    labelAviso_->setObjectName(QStringLiteral("Label_Aviso"));
    QFont aviso = labelAviso_->font();
    aviso.setBold(true);
    aviso.setPointSize(aviso.pointSize() + 2);
    labelAviso_->setFont(aviso);
    labelAviso_->setStyleSheet(QStringLiteral("color: #1f4e8c;"));
    for (const Ayuda& a : Ayudas) {
        control(QLatin1String(a.control)).setToolTip(QString::fromUtf8(a.texto));
    }

    reiniciaFilaNueva();
    grilla_ = new Grilla(this);
    grilla_->setObjectName(QStringLiteral("MSHF_Licencias"));
    // Room for ten rows under the header, whatever the font.
    // (the header is not laid out yet: it counts as one more row)
    grilla_->setMinimumHeight(11 * grilla_->verticalHeader()->defaultSectionSize() +
                              grilla_->horizontalScrollBar()->sizeHint().height() +
                              2 * grilla_->frameWidth() + 2);

    auto* inferior = new QHBoxLayout;
    inferior->addWidget(creaMarcos(), 1);
    inferior->addWidget(creaBotones());
    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(6, 6, 6, 6);
    principal->addWidget(creaBuscador());
    principal->addWidget(grilla_, 1);
    principal->addLayout(inferior, 3);
    resize(1360, 740);

    grilla_->fijaEjecutor([this](const std::function<void()>& lectura) { return this->app().protegido(lectura); });
    alSenal(grilla_, &Grilla::Click, [this] { MSHF_Licencias_Click(); });
    alSenal(grilla_, &Grilla::RowColChange, [this] { MSHF_Licencias_Click(); });
    QCheckBox& examenControl = casilla(QStringLiteral("Chk_ExamenControl"));
    alSenal(&examenControl, &QCheckBox::toggled, [this, &examenControl] {
        if (examenControl.isChecked()) {
            Chk_ExamenControl_Click();
        }
    });
    const QPair<const char*, const char*> marcas[] = {{"Chk_Medico", "Lbl_MedicoOk"},
                                                      {"Chk_Teorico", "Lbl_TeoricoOK"},
                                                      {"Chk_Practico", "Lbl_PracticoOk"}};
    for (const auto& [examen, marca] : marcas) {
        QCheckBox& casillaExamen = casilla(QLatin1String(examen));
        QWidget& x = control(QLatin1String(marca));
        alSenal(&casillaExamen, &QCheckBox::toggled, [&casillaExamen, &x] { x.setVisible(!casillaExamen.isChecked()); });
    }
    for (const char* nombre : {"NE_Edad", "Text_RestriccionActual", "Text_RestriccionAnterior"}) {
        control(QLatin1String(nombre)).installEventFilter(this);
    }
    alSenal(&numero(QStringLiteral("NE_Edad")), &QSpinBox::editingFinished, [this] { NE_Edad_Calcula(); });
    TeclaComoTab::instala(*this);
}

QWidget* Form_Licencia::creaCampo(const CampoLicencia& campo)
{
    switch (campo.tipo) {
    case TipoCampo::Texto: {
        auto* t = new QLineEdit(this);
        AcotaCaja(*t, campo.largo);
        anchoPara(t, qMin(campo.largo, 14));
        return t;
    }
    case TipoCampo::Lista: {
        auto* l = new CajaLista(this);
        anchoPara(l, 16);
        return l;
    }
    case TipoCampo::Rut:
        return CajaMascara::rut(QLatin1Char(' '), this);
    case TipoCampo::RutEscuela:
        return CajaMascara::rut(QLatin1Char('_'), this);
    case TipoCampo::Certificado:
        return CajaMascara::digitos(11, QLatin1Char('_'), this);
    case TipoCampo::Numero: {
        auto* n = new QSpinBox(this);
        n->setRange(0, 999999999);
        n->setButtonSymbols(QAbstractSpinBox::NoButtons);
        n->setGroupSeparatorShown(false);
        anchoPara(n, 9);
        return n;
    }
    case TipoCampo::Fecha:
        return new CajaFecha(this);
    case TipoCampo::Casilla:
        return new QCheckBox(QString::fromUtf8(campo.titulo), this);
    }
    return nullptr;
}

QWidget* Form_Licencia::creaBuscador()
{
    auto* caja = new QGroupBox(QStringLiteral("Búsqueda"), this);
    auto* nombre = new QRadioButton(QStringLiteral("Nombres"), caja);
    nombre->setObjectName(QStringLiteral("Opt_Nombre"));
    auto* apellido = new QRadioButton(QStringLiteral("Apellido"), caja);
    apellido->setObjectName(QStringLiteral("Opt_Apellido"));
    auto* texto = new QLineEdit(caja);
    texto->setObjectName(QStringLiteral("Text_NomApe"));
    AcotaCaja(*texto, 22);
    anchoPara(texto, 22);
    auto* rut = CajaMascara::rut(QLatin1Char(' '), caja);
    rut->setObjectName(QStringLiteral("MEd_BuscaRut"));
    auto* fila = new QHBoxLayout(caja);
    fila->setContentsMargins(6, 2, 6, 2);
    fila->addWidget(nombre);
    fila->addWidget(apellido);
    fila->addWidget(new QLabel(QStringLiteral("Texto a buscar"), caja));
    fila->addWidget(texto);
    fila->addWidget(creaBoton(QStringLiteral("Cmd_BuscaTexto"), QStringLiteral("Busca")));
    fila->addSpacing(16);
    fila->addWidget(new QLabel(QStringLiteral("Nº de Licencia"), caja));
    fila->addWidget(rut);
    fila->addWidget(creaBoton(QStringLiteral("Cmd_BuscaRut"), QStringLiteral("Busca")));
    fila->addStretch();
    fila->addWidget(creaBoton(QStringLiteral("Cmd_Todos"), QStringLiteral("Todos")));
    fila->addWidget(
        creaBoton(QStringLiteral("Cmd_Anterior"), QStringLiteral("100 registros anteriores")));
    fila->addWidget(
        creaBoton(QStringLiteral("Cmd_Proximos"), QStringLiteral("100 registros proximos")));
    alPulsar(&control<QPushButton>(QStringLiteral("Cmd_BuscaTexto")), [this] { Cmd_BuscaTexto_Click(); });
    alPulsar(&control<QPushButton>(QStringLiteral("Cmd_BuscaRut")), [this] { Cmd_BuscaRut_Click(); });
    alPulsar(&control<QPushButton>(QStringLiteral("Cmd_Todos")), [this] { Cmd_Todos_Click(); });
    alPulsar(&control<QPushButton>(QStringLiteral("Cmd_Anterior")), [this] { Cmd_Anterior_Click(); });
    alPulsar(&control<QPushButton>(QStringLiteral("Cmd_Proximos")), [this] { Cmd_Proximos_Click(); });
    return caja;
}

QWidget* Form_Licencia::creaMarcos()
{
    for (const GrupoCasillas& g : Grupos) {
        auto* grupo = new QGroupBox(QString::fromUtf8(g.titulo), this);
        grupo->setObjectName(QLatin1String(g.nombre));
        auto* rejilla = new QGridLayout(grupo);
        rejilla->setContentsMargins(6, 2, 6, 2);
        int i = 0;
        for (const CampoLicencia& campo : CamposLicencia) {
            if (campo.posicion >= g.desde && campo.posicion <= g.hasta) {
                rejilla->addWidget(&control(QLatin1String(campo.control)), i / g.columnas,
                                   i % g.columnas);
                ++i;
            }
        }
    }
    auto* examenes = new QWidget(this);
    examenes->setObjectName(QStringLiteral("Pnl_BotonesExamen"));
    auto* filaExamenes = new QHBoxLayout(examenes);
    filaExamenes->setContentsMargins(0, 0, 0, 0);
    filaExamenes->addWidget(creaBoton(QStringLiteral("Cmd_Detalle1"), QStringLiteral("Detalle")));
    filaExamenes->addWidget(creaBoton(QStringLiteral("Cmd_Denegacion"), QStringLiteral("Denegación")));
    filaExamenes->addStretch();

    auto* contenido = new QWidget(this);
    auto* columnas = new QHBoxLayout(contenido);
    columnas->setContentsMargins(0, 0, 0, 0);
    QVBoxLayout* pilas[2] = {new QVBoxLayout, new QVBoxLayout};
    for (const MarcoCampos& m : Marcos) {
        auto* marco = new QGroupBox(QString::fromUtf8(m.titulo), contenido);
        marco->setObjectName(QLatin1String(m.nombre));
        auto* rejilla = new QGridLayout(marco);
        rejilla->setContentsMargins(6, 4, 6, 4);
        rejilla->setVerticalSpacing(3);
        int columnasRejilla = 0;
        for (const auto& fila : m.filas) {
            columnasRejilla = qMax(columnasRejilla, int(fila.size()));
        }
        for (int r = 0; r < int(m.filas.size()); ++r) {
            const auto& fila = m.filas[size_t(r)];
            for (int c = 0; c < int(fila.size()); ++c) {
                const QString item = QString::fromUtf8(fila[size_t(c)]);
                QWidget* w = item.startsWith(QLatin1Char('='))
                                 ? rotulo(item.mid(1), marco)
                                 : &control(item);
                const int ancho = c == int(fila.size()) - 1 ? columnasRejilla - c : 1;
                rejilla->addWidget(w, r, c, 1, ancho);
            }
        }
        for (int c = 1; c < columnasRejilla; c += 2) {
            rejilla->setColumnStretch(c, 1);
        }
        pilas[m.columna]->addWidget(marco);
    }
    for (QVBoxLayout* pila : pilas) {
        pila->addStretch();
        columnas->addLayout(pila, 1);
    }
    auto* desplazable = new QScrollArea(this);
    desplazable->setObjectName(QStringLiteral("Scr_Campos"));
    desplazable->setWidgetResizable(true);
    desplazable->setFrameShape(QFrame::NoFrame);
    desplazable->setWidget(contenido);
    return desplazable;
}

QWidget* Form_Licencia::creaBotones()
{
    auto* columna = new QWidget(this);
    auto* pila = new QVBoxLayout(columna);
    pila->setContentsMargins(0, 0, 0, 0);
    for (const Boton& b : BotonesComando) {
        pila->addWidget(creaBoton(QLatin1String(b.nombre), QString::fromUtf8(b.texto)));
    }
    auto* firma = new QGroupBox(QStringLiteral("Firma"), columna);
    firma->setObjectName(QStringLiteral("FrmFirma"));
    auto* textoFirma = new QLineEdit(firma);
    textoFirma->setObjectName(QStringLiteral("TextFirma"));
    AcotaCaja(*textoFirma, 25);
    auto* capaFirma = new QVBoxLayout(firma);
    capaFirma->addWidget(textoFirma);
    auto* botonesFirma = new QHBoxLayout;
    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), firma);
    aceptar->setObjectName(QStringLiteral("Cmd_FrmAceptar"));
    auto* salir = new QPushButton(QStringLiteral("Salir"), firma);
    salir->setObjectName(QStringLiteral("Cmd_FrmSalir"));
    botonesFirma->addWidget(aceptar);
    botonesFirma->addWidget(salir);
    capaFirma->addLayout(botonesFirma);
    firma->hide();
    pila->addWidget(firma);

    // The restriction help floats beside the restriction box that has the
    // focus (see eventFilter).
    frmRestricciones_ = new QGroupBox(QStringLiteral("Restricciones"), this);
    frmRestricciones_->setAutoFillBackground(true);
    frmRestricciones_->setFixedWidth(220);
    frmRestricciones_->setObjectName(QStringLiteral("Frm_Restricciones"));
    auto* capaRestricciones = new QVBoxLayout(frmRestricciones_);
    for (const QString& r : Vocabulario::Restricciones + QStringList{Vocabulario::FormatoRestricciones}) {
        auto* l = new QLabel(r, frmRestricciones_);
        l->setWordWrap(true);
        capaRestricciones->addWidget(l);
    }
    frmRestricciones_->hide();
    pila->addStretch();
    columna->setFixedWidth(140);

    const QPair<const char*, std::function<void()>> reacciones[] = {
        {"Cmd_Registrar", [this] { Cmd_Registrar_Click(); }},
        {"Cmd_Modificar", [this] { Cmd_Modificar_Click(); }},
        {"Cmd_Eliminar", [this] { Cmd_Eliminar_Click(); }},
        {"Cmd_Anular", [this] { Cmd_Anular_Click(); }},
        {"Cmd_Imprimir", [this] { Cmd_Imprimir_Click(); }},
        {"Cmd_Limpiar", [this] { Cmd_Limpiar_Click(); }},
        {"Cmd_Firma", [this] { Cmd_Firma_Click(); }},
        {"Cmd_Salir", [this] { Cmd_Salir_Click(); }},
        {"Cmd_FrmAceptar", [this] { Cmd_FrmAceptar_Click(); }},
        {"Cmd_FrmSalir", [this] { Cmd_FrmSalir_Click(); }},
        {"Cmd_Detalle1", [this] { app().muestraModal<Form_Detalle>(this); }},
        {"Cmd_Denegacion", [this] { app().muestraModal<Form_Denegacion>(this); }},
    };
    for (const auto& [boton, reaccion] : reacciones) {
        alPulsar(&control<QPushButton>(QLatin1String(boton)), reaccion);
    }
    return columna;
}

QPushButton* Form_Licencia::creaBoton(const QString& nombre, const QString& texto)
{
    auto* b = new QPushButton(texto, this);
    b->setObjectName(nombre);
    b->setAutoDefault(false);
    return b;
}

QLineEdit& Form_Licencia::texto(const QString& nombre) const { return control<QLineEdit>(nombre); }
CajaLista& Form_Licencia::lista(const QString& nombre) const { return control<CajaLista>(nombre); }
QCheckBox& Form_Licencia::casilla(const QString& nombre) const { return control<QCheckBox>(nombre); }
CajaFecha& Form_Licencia::fecha(const QString& nombre) const { return control<CajaFecha>(nombre); }
CajaMascara& Form_Licencia::mascara(const QString& nombre) const { return control<CajaMascara>(nombre); }
QSpinBox& Form_Licencia::numero(const QString& nombre) const { return control<QSpinBox>(nombre); }

void Form_Licencia::Form_Load()
{
    aplicaAccesos();
    for (const CampoLicencia& campo : CamposLicencia) {
        if (campo.tipo == TipoCampo::Fecha) {
            fecha(QLatin1String(campo.control)).setDate(app().reloj().hoy());
        }
    }
    control<QRadioButton>(QStringLiteral("Opt_Nombre")).setChecked(true);
    posicionDesde_ = 1;
    posicionHasta_ = 100;
    AbrePagina();
    LlenaGrilla();
    CargaListas();
}

void Form_Licencia::aplicaAccesos()
{
    const QPair<int, QStringList> accesos[] = {
        {Acceso::Registrar, {QStringLiteral("Cmd_Registrar")}},
        {Acceso::Modificar, {QStringLiteral("Cmd_Modificar")}},
        {Acceso::Eliminar, {QStringLiteral("Cmd_Eliminar")}},
        {Acceso::Anular, {QStringLiteral("Cmd_Anular")}},
        {Acceso::ImprimirYBuscar, {QStringLiteral("Cmd_Imprimir"), QStringLiteral("Cmd_BuscaRut"),
             QStringLiteral("Cmd_BuscaTexto"), QStringLiteral("Cmd_Todos")}},
    };
    for (const auto& [indice, botones] : accesos) {
        for (const QString& boton : botones) {
            control(boton).setEnabled(app().tieneAcceso(indice));
        }
    }
}

void Form_Licencia::Cmd_Salir_Click()
{
    close();
}

