// The fields of the licence form: lists, clearing, loading a grid row, and
// the small behaviours of single fields.
#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "register/campos_licencia.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/registro_licencia.h"
#include "shell/aplicacion.h"
#include "shell/datos/recordset.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

namespace {

// Fields that "Limpiar Campos" leaves as they are.
const QStringList NoSeLimpian = {
    QStringLiteral("Cbo_ProfesionalMedico"), QStringLiteral("Cbo_EntregaLicencia"),
    QStringLiteral("Cbo_Donante"),           QStringLiteral("DTP_Medico"),
    QStringLiteral("DTP_Teorico"),           QStringLiteral("DTP_Practico"),
};

const QString RutEnBlanco = QStringLiteral("00.000.000-0");

// The entry a stored list value stands for: the entry itself, or, for a
// list stored cut to `corte` characters, the first entry that begins so.
QString EntradaGuardada(const CajaLista& lista, const QString& guardado, int corte)
{
    if (corte == 0 || guardado.isEmpty() || lista.findText(guardado, Qt::MatchExactly) >= 0) {
        return guardado;
    }
    for (int i = 0; i < lista.count(); ++i) {
        if (lista.itemText(i).left(corte) == guardado) {
            return lista.itemText(i);
        }
    }
    return guardado;
}

// The fixed lists, in the order they are filled after the physicians.
const QPair<const char*, const QStringList*> ListasFijas[] = {
    {"Cbo_EntregaLicencia", &Vocabulario::EntregaLicencia},
    {"Cbo_TieneAntecedentes", &Vocabulario::Antecedentes},
    {"Cbo_Sexo", &Vocabulario::Sexo},
    {"Cbo_NivelEstudios", &Vocabulario::Estudios},
    {"Cbo_Donante", &Vocabulario::Donante},
};

// A new application starts with no test result, no denial reason, "no"
// denial and no duration.
QStringList FilaEntregaEnBlanco()
{
    QStringList fila(NumeroColumnasLicencia + 1);
    fila[ColumnaDenegada] = QStringLiteral("no");
    for (int columna = ColumnaPrimeraRazon; columna < ColumnaPrimeraRazon + 10; ++columna) {
        fila[columna] = QString(20, QLatin1Char(' '));
    }
    return fila;
}

}  // namespace

void Form_Licencia::CargaListas()
{
    Recordset medicos = app().conexion().consulta(QStringLiteral("SELECT * FROM TMedicos"));
    if (medicos.recordCount() == 0) {
        app().mensajes().muestra(QStringLiteral("No hay médicos registrados"),
                                 QStringLiteral("Error en registro de médicos"));
        return;
    }
    QStringList nombres;
    for (medicos.moveFirst(); !medicos.eof(); medicos.moveNext()) {
        nombres << medicos.texto(QStringLiteral("Nombres"));
    }
    medicos.close();
    CajaLista& profesional = lista(QStringLiteral("Cbo_ProfesionalMedico"));
    profesional.fijaTexto(QStringLiteral("Selecione el Médico"));
    profesional.llena(nombres);
    for (const auto& [control, entradas] : ListasFijas) {
        lista(QLatin1String(control)).llena(*entradas);
    }
}

void Form_Licencia::Cmd_Limpiar_Click()
{
    solicitudNueva_ = true;
    cargada_.reset();
    reiniciaFilaNueva();
    grilla_->quitaFilaActual();
    labelAviso_->setText(QStringLiteral("Indefinido"));
    const QDate hoy = app().reloj().hoy();
    for (const CampoLicencia& campo : CamposLicencia) {
        const QString nombre = QLatin1String(campo.control);
        if (NoSeLimpian.contains(nombre)) {
            continue;
        }
        switch (campo.tipo) {
        case TipoCampo::Fecha:
            fecha(nombre).setDate(hoy);
            break;
        case TipoCampo::Rut:
        case TipoCampo::RutEscuela:
            mascara(nombre).fijaTexto(RutEnBlanco);
            break;
        case TipoCampo::Certificado:
            mascara(nombre).fijaTexto(QString(11, QLatin1Char('_')));
            break;
        default:
            fijaCampo(campo, QString());
        }
    }
    actualizaMarcasExamen();
}

void Form_Licencia::MSHF_Licencias_Click()
{
    if (grilla_->filaActual() > 0) {
        solicitudNueva_ = false;
    }
    cargaFila(grilla_->filaActual());
}

void Form_Licencia::reiniciaFilaNueva()
{
    filaNueva_ = FilaEntregaEnBlanco();
}

// Without a data row chosen in the grid (a new application, or a grid that
// shows only its header) the hand-over is the new application's blank row:
// the header is never read or written as an application.
bool Form_Licencia::entregaEnFilaNueva() const
{
    return solicitudNueva_ || grilla_->filaActual() < 1;
}

QString Form_Licencia::celdaEntrega(int columna) const
{
    return entregaEnFilaNueva() ? filaNueva_.value(columna)
                                : grilla_->texto(grilla_->filaActual(), columna);
}

void Form_Licencia::fijaCeldaEntrega(int columna, const QString& texto)
{
    if (entregaEnFilaNueva()) {
        filaNueva_[columna] = texto;
    } else {
        grilla_->fijaTexto(grilla_->filaActual(), columna, texto);
    }
}

void Form_Licencia::cargaFila(int fila)
{
    if (fila < 1) {
        return;  // the header row holds no application
    }
    labelAviso_->setText(QStringLiteral("Estado Licencia ") + grilla_->texto(fila, 1));
    cargada_ = SolicitudCargada{grilla_->texto(fila, ColumnaPosicion).toLongLong(), {}};
    cargada_->textos = comoSeComparan(grilla_->filaLeida(fila));
    for (const CampoLicencia& campo : CamposLicencia) {
        fijaCampo(campo, grilla_->texto(fila, campo.posicion));
    }
    actualizaMarcasExamen();
}

void Form_Licencia::fijaCampo(const CampoLicencia& campo, const QString& valor)
{
    const QString nombre = QLatin1String(campo.control);
    switch (campo.tipo) {
    case TipoCampo::Texto:
        texto(nombre).setText(valor);
        break;
    case TipoCampo::Lista:
        lista(nombre).fijaTexto(EntradaGuardada(lista(nombre), valor, campo.largo));
        break;
    case TipoCampo::Rut:
    case TipoCampo::RutEscuela:
    case TipoCampo::Certificado:
        mascara(nombre).fijaTexto(valor);
        break;
    case TipoCampo::Numero: {
        QSpinBox& caja = numero(nombre);
        const qlonglong leido = valor.trimmed().toLongLong();
        caja.setValue(int(qBound(qlonglong(caja.minimum()), leido, qlonglong(caja.maximum()))));
        break;
    }
    case TipoCampo::Fecha:
        fecha(nombre).fijaTexto(valor);
        break;
    case TipoCampo::Casilla:
        casilla(nombre).setChecked(EsSi(valor));
        break;
    }
}

// The "X" beside an exam marks it not passed; on a control exam the theory
// and practical exams are not taken, so theirs stay hidden.
void Form_Licencia::actualizaMarcasExamen()
{
    const bool examenControl = casilla(QStringLiteral("Chk_ExamenControl")).isChecked();
    const struct {
        const char* examen;
        const char* marca;
        bool exentoEnControl;
    } marcas[] = {{"Chk_Medico", "Lbl_MedicoOk", false},
                  {"Chk_Teorico", "Lbl_TeoricoOK", true},
                  {"Chk_Practico", "Lbl_PracticoOk", true}};
    for (const auto& m : marcas) {
        const bool aprobado = casilla(QLatin1String(m.examen)).isChecked();
        control(QLatin1String(m.marca)).setVisible(!aprobado && !(m.exentoEnControl && examenControl));
    }
}

void Form_Licencia::Chk_ExamenControl_Click()
{
    control(QStringLiteral("Lbl_TeoricoOK")).hide();
    control(QStringLiteral("Lbl_PracticoOk")).hide();
}

void Form_Licencia::NE_Edad_Calcula()
{
    QSpinBox& edad = numero(QStringLiteral("NE_Edad"));
    if (edad.value() == 0) {
        edad.setValue(EdadCumplida(fecha(QStringLiteral("DTP_FechaNacimiento")).date(),
                                   app().reloj().hoy()));
    }
}

// Beside the box, on its right when there is room, else on its left, and
// inside the form.
void Form_Licencia::muestraAyudaJuntoA(const QWidget& caja)
{
    QWidget& ayuda = *frmRestricciones_;
    ayuda.adjustSize();
    const QPoint origen = caja.mapTo(this, QPoint(0, 0));
    int x = origen.x() + caja.width() + 6;
    if (x + ayuda.width() > width()) {
        x = origen.x() - ayuda.width() - 6;
    }
    const int y = qBound(0, origen.y() - ayuda.height() / 2, qMax(0, height() - ayuda.height()));
    ayuda.move(qMax(0, x), y);
    ayuda.raise();
    ayuda.show();
}

bool Form_Licencia::eventFilter(QObject* objeto, QEvent* evento)
{
    const bool entra = evento->type() == QEvent::FocusIn;
    const bool sale = evento->type() == QEvent::FocusOut;
    const QString nombre = objeto->objectName();
    protege([&] {
        if (entra && nombre == QLatin1String("NE_Edad")) {
            NE_Edad_Calcula();
        } else if (entra && nombre.startsWith(QLatin1String("Text_Restriccion"))) {
            muestraAyudaJuntoA(*static_cast<QWidget*>(objeto));
        } else if (sale && nombre.startsWith(QLatin1String("Text_Restriccion"))) {
            frmRestricciones_->hide();
        }
    });
    return Forma::eventFilter(objeto, evento);
}

// Twelve class boxes from the column of the first one on: the current
// licence's (ClaseA1 ... ClaseA2a) or the previous licence's (ClaseA1Ant ...).
ClasesLicencia Form_Licencia::clasesDesde(const QString& primeraColumna) const
{
    const int desde = PosicionColumna(primeraColumna);
    const int hasta = desde + int(std::tuple_size_v<ClasesLicencia>);
    ClasesLicencia clases{};
    for (const CampoLicencia& campo : CamposLicencia) {
        if (campo.posicion >= desde && campo.posicion < hasta) {
            clases[size_t(campo.posicion - desde)] = casilla(QLatin1String(campo.control)).isChecked();
        }
    }
    return clases;
}
