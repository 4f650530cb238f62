#include "entorno.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "prueba.h"
#include "register/form_licencia.h"
#include "shell/datos/recordset.h"
#include "solicitud_valida.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

namespace {

// The licence form holding a renewal (change of class, B) that passes every
// check without a question.
class Validacion : public ::testing::Test {
public:
    void SetUp() override
    {
        e.app().Accesos.fill(1);
        e.agregaMedico("DR. PEDRO SOTO");
        f = &e.app().forma<Form_Licencia>();
        preparaValida();
    }

    void preparaValida() { LlenaSolicitudValida(*f); }

    void texto(const char* control, const QString& valor)
    {
        if (QString(control).startsWith("Cbo_")) {
            f->lista(control).fijaTexto(valor);
        } else {
            f->texto(control).setText(valor);
        }
    }
    void marca(const char* control, bool valor) { f->casilla(control).setChecked(valor); }

    // The first message the check shows, as "text | title"; empty when it
    // passes without a word.
    QString primerMensaje()
    {
        e.mensajes->cajas.clear();
        const bool valida = f->ValidaLicencia();
        if (e.mensajes->cajas.empty()) {
            return valida ? QString() : QStringLiteral("(rechazo sin mensaje)");
        }
        EXPECT_FALSE(valida);
        return e.mensajes->cajas[0].texto + " | " + e.mensajes->cajas[0].titulo;
    }

    Entorno e;
    Form_Licencia* f = nullptr;
};

}  // namespace

TEST_F(Validacion, CadaPasoConSuMensajeYTitulo)
{
    EXPECT_EQ(primerMensaje(), "");
    const struct {
        const char* paso;
        std::function<void(Validacion&)> rompe;
        const char* mensaje;
    } casos[] = {
        {"1", [](Validacion& v) { v.f->mascara("MEd_NLicencia").fijaTexto("09.507.357-"); },
         "RUT no tiene información digitada | Error en RUT"},
        {"2", [](Validacion& v) { v.texto("Cbo_EntregaLicencia", "Perdida"); },
         "No tiene seleccionado la entrega de licencia anterior | Error en Entrega de Licencia"},
        {"3", [](Validacion& v) { v.texto("Cbo_TieneAntecedentes", ""); },
         "No tiene seleccionado los antecedentes | Error en Antecedentes"},
        {"4", [](Validacion& v) { v.f->numero("NE_Edad").setValue(16); },
         "No tiene digitada la edad correctamente, debe ser mayor que 16 años | Error en Edad"},
        {"5", [](Validacion& v) { v.texto("Text_Nombres", "   "); },
         "No ha digitado un nombre | Error en Nombres"},
        {"6", [](Validacion& v) { v.texto("Cbo_NivelEstudios", "Universitaria"); },
         "No tiene seleccionado los estudios | Error en Estudios"},
        {"7", [](Validacion& v) { v.texto("Text_ApPaterno", ""); },
         "No ha digitado el apellido paterno | Error en Apellido Paterno"},
        {"8", [](Validacion& v) { v.texto("Text_ApMaterno", ""); },
         "No ha digitado el apellido materno | Error en Apellido Materno"},
        {"9", [](Validacion& v) { v.texto("Text_Domicilio", ""); },
         "No ha digitado el domicilio | Error en Domicilio"},
        {"10", [](Validacion& v) { v.texto("Text_ComunaDomicilio", ""); },
         "No ha digitado la Comuna del domicilio | Error en Comuna de Domicilio"},
        {"11", [](Validacion& v) { v.texto("Cbo_Sexo", "Otro"); },
         "No tiene seleccionado el sexo | Error en Sexo"},
        {"12", [](Validacion& v) { v.texto("Text_FolioActual", ""); },
         "No ha digitado el folio del formulario  <Especie Valorada Número> | Error en el folio "
         "actual del formulario"},
        {"13", [](Validacion& v) { v.f->mascara("MEd_CertifAntecedentes").fijaTexto(""); },
         "Certificado de Antecedentes no tiene información digitada | Error en Certificado "
         "Antecedentes"},
        {"14",
         [](Validacion& v) {
             v.marca("Chk_PrimeraVez", true);
             v.texto("Cbo_NivelEstudios", "S/Certif. X Control");
         },
         "Es Primera vez, debe llevar nivel de estudios | Error en Nivel de estudios"},
        {"15",
         [](Validacion& v) {
             v.f->mascara("MEd_CertifAntecedentes").fijaTexto("");
             v.texto("Cbo_NivelEstudios", "Básica completa");
         },
         "No ha digitado el número de certificado de antecedentes | Error en el certificado de "
         "antecedentes"},
        {"16", [](Validacion& v) { v.marca("Chk_CambioClase", false); },
         "No tiene seleccionado el tramite que solicita | Error en Tramite que Solicita"},
        {"17",
         [](Validacion& v) {
             v.marca("Chk_B", false);
             v.marca("Chk_F", true);
         },
         "No tiene seleccionado la clase de licencia actual | Error en Licencia actual"},
        {"18a", [](Validacion& v) { v.texto("Text_ComunaAnterior", " "); },
         "No ha digitado la Comuna Licencia Anterior | Error en Comuna Licencia anterior"},
        {"18b",
         [](Validacion& v) {
             v.marca("Chk_Ba", false);
             v.marca("Chk_Fa", true);
         },
         "No tiene seleccionado la clase de licencia anterior | Error en Licencia anterior"},
        {"18c", [](Validacion& v) { v.texto("Text_FolioAnterior", ""); },
         "No ha digitado el folio anterior | Error en el Folio anterior"},
        {"19a", [](Validacion& v) { v.marca("Chk_A2", true); },
         "RUT de la escuela no tiene información digitada | Error en RUT de la escuela"},
        {"19a vacío",
         [](Validacion& v) {
             v.marca("Chk_A2", true);
             v.f->mascara("MEd_RutEscuela").fijaTexto("");
         },
         "RUT de la escuela no tiene información digitada | Error en RUT de la escuela"},
        {"19b",
         [](Validacion& v) {
             v.marca("Chk_A2", true);
             v.f->mascara("MEd_RutEscuela").fijaTexto("76.123.456-K");
         },
         "No ha digitado el número de certificado de la escuela de conductores | Error en el "
         "certificado de escuela de conductores"},
        {"19c",
         [](Validacion& v) {
             v.marca("Chk_A2", true);
             v.f->mascara("MEd_RutEscuela").fijaTexto("76.123.456-K");
             v.texto("Text_CertificadoEscuela", "C-55");
         },
         "No ha digitado la especialidad de su clase de licencia | Error en la especialidad de la "
         "licencia"},
        {"20", [](Validacion& v) { v.texto("Cbo_ProfesionalMedico", "DR. NADIE"); },
         "No tiene seleccionado el profesional médico | Error en Profesional Mèdico"},
        {"21a", [](Validacion& v) { v.texto("Text_ProfesionalTeorico", ""); },
         "No ha digitado el nombre del responsable del exámen teórico | Error en nombre del "
         "responsable teórico"},
        {"21b", [](Validacion& v) { v.texto("Text_ProfesionalPractico", ""); },
         "No ha digitado el nombre del responsable del exámen práctico | Error en nombre del "
         "responsable práctico"},
    };
    for (const auto& caso : casos) {
        preparaValida();
        caso.rompe(*this);
        EXPECT_EQ(primerMensaje(), caso.mensaje) << "paso " << caso.paso;
    }
}

TEST_F(Validacion, LosPasosTreceAQuinceSeSolapan)
{
    const struct {
        const char* estudios;
        bool primeraVez;
        const char* titulo;
    } casos[] = {
        {"S/Certif. X Control", true, "Error en Nivel de estudios"},
        {"Básica completa", false, "Error en el certificado de antecedentes"},
        {"1º Medio", false, "Error en Certificado Antecedentes"},
        {"S/Certif. X Control", false, "Error en el certificado de antecedentes"},
    };
    for (const auto& caso : casos) {
        preparaValida();
        f->mascara("MEd_CertifAntecedentes").fijaTexto("___________");
        texto("Cbo_NivelEstudios", caso.estudios);
        marca("Chk_PrimeraVez", caso.primeraVez);
        EXPECT_TRUE(primerMensaje().endsWith(caso.titulo)) << caso.estudios;
    }
    // A first-time application without education is refused even with a certificate.
    preparaValida();
    marca("Chk_PrimeraVez", true);
    texto("Cbo_NivelEstudios", "s/certif. x control");
    EXPECT_TRUE(primerMensaje().endsWith("Error en Nivel de estudios"));
}

TEST_F(Validacion, ListasAceptanTextoSinMayusculasYLoSeleccionan)
{
    texto("Cbo_Sexo", "femenino");
    texto("Cbo_NivelEstudios", "BÁSICA COMPLETA");
    f->mascara("MEd_CertifAntecedentes").fijaTexto("12345678901");
    EXPECT_EQ(primerMensaje(), "");
    EXPECT_EQ(f->lista("Cbo_Sexo").posicion(), 1 - 1);
    EXPECT_EQ(f->lista("Cbo_Sexo").texto(), "Femenino");
    EXPECT_EQ(f->lista("Cbo_NivelEstudios").posicion(), 1);
    // Typing into a chosen list leaves nothing chosen until the check finds it.
    f->lista("Cbo_Sexo").lineEdit()->setText("x");
    emit f->lista("Cbo_Sexo").lineEdit()->textEdited("x");
    EXPECT_EQ(f->lista("Cbo_Sexo").posicion(), -1);
    EXPECT_EQ(primerMensaje(), "No tiene seleccionado el sexo | Error en Sexo");
}

TEST_F(Validacion, EdadDiecisieteYRenovacionConLicenciaExtraviada)
{
    f->numero("NE_Edad").setValue(17);
    texto("Text_FolioAnterior", "");
    texto("Cbo_EntregaLicencia", "extraviada");
    EXPECT_EQ(primerMensaje(), "");
}

TEST_F(Validacion, ClaseProfesionalNuevaSoloSiNoLaTeniaAntes)
{
    // A2 as a change of class for someone who already held A2.
    marca("Chk_A2", true);
    marca("Chk_A2a", true);
    EXPECT_EQ(primerMensaje(), "");
    // Without a class-granting request there is no new professional class.
    marca("Chk_A2a", false);
    marca("Chk_CambioClase", false);
    marca("Chk_Duplicado", true);
    EXPECT_EQ(primerMensaje(), "");
    // After clearing, the school RUT is "00.000.000-0": a new class fails.
    marca("Chk_CambioClase", true);
    EXPECT_EQ(primerMensaje(), "RUT de la escuela no tiene información digitada | Error en RUT de la escuela");
}

TEST_F(Validacion, ConfirmacionesDeExamenReprobado)
{
    const QString medico = "El examen médico esta siendo reprobado, [SI]:Correcto, deseo continuar *** "
                           "[NO]:Existe un error, deseo rectificar";
    const QString otro = "Esta reprobando el exámen, [SI]:Correcto, deseo continuar *** [NO]:Existe "
                         "un error, deseo rectificar";
    const struct {
        bool medico, teorico;
        const char* solicitud;
        std::optional<Respuesta> respuesta;
        QString pregunta;
        const char* titulo;
        bool valida;
    } casos[] = {
        {false, true, "Chk_CambioClase", Respuesta::Si, medico, "Reprobado !!!!!!!!! por examen medico", true},
        {false, true, "Chk_CambioClase", Respuesta::No, medico, "Reprobado !!!!!!!!! por examen medico", false},
        {true, false, "Chk_CambioClase", Respuesta::Si, otro, "Reprobado !!!!!!!!!", true},
        {true, false, "Chk_CambioClase", Respuesta::No, otro, "Reprobado !!!!!!!!!", false},
        {true, false, "Chk_Duplicado", std::nullopt, QString(), "", true},
    };
    for (const auto& c : casos) {
        preparaValida();
        marca("Chk_CambioClase", false);
        marca(c.solicitud, true);
        marca("Chk_Medico", c.medico);
        marca("Chk_Teorico", c.teorico);
        e.mensajes->cajas.clear();
        if (c.respuesta) {
            e.mensajes->responde(*c.respuesta);
        }
        EXPECT_EQ(f->ValidaLicencia(), c.valida);
        if (c.pregunta.isEmpty()) {
            EXPECT_TRUE(e.mensajes->cajas.empty());
            continue;
        }
        ASSERT_EQ(e.mensajes->cajas.size(), 1u);
        EXPECT_EQ(e.mensajes->cajas[0].texto, c.pregunta);
        EXPECT_EQ(e.mensajes->cajas[0].titulo, c.titulo);
        EXPECT_EQ(e.mensajes->cajas[0].botones, Botones::SiNo);
    }
}

TEST_F(Validacion, SinMedicosElPasoVeinteNoPasa)
{
    e.app().descarga<Form_Licencia>();
    Entorno::procesaEliminaciones();
    e.conexion().ejecuta("DELETE FROM TMedicos");
    e.mensajes->cajas.clear();
    f = &e.app().forma<Form_Licencia>();
    EXPECT_EQ(e.mensajes->textos(), QStringList({"No hay médicos registrados"}));
    preparaValida();
    EXPECT_EQ(f->lista("Cbo_ProfesionalMedico").posicion(), -1);
    const QString mensaje = primerMensaje();
    EXPECT_FALSE(mensaje.isEmpty());
}

TEST_F(Validacion, SoloLosCuatroComandosQueGuardanValidan)
{
    texto("Text_Nombres", "");
    for (const char* boton : {"Cmd_Registrar", "Cmd_Modificar", "Cmd_Anular", "Cmd_Eliminar"}) {
        e.mensajes->cajas.clear();
        f->findChild<QPushButton*>(boton)->click();
        EXPECT_EQ(e.mensajes->textos(), QStringList({"No ha digitado un nombre"})) << boton;
    }
    EXPECT_EQ(e.conexion().consulta("SELECT count(*) AS n FROM TLicencias").valor("n").toInt(), 0);
    for (const char* boton : {"Cmd_Firma", "Cmd_Detalle1", "Cmd_Denegacion", "Cmd_Imprimir"}) {
        e.mensajes->cajas.clear();
        f->findChild<QPushButton*>(boton)->click();
        EXPECT_FALSE(e.mensajes->textos().contains("No ha digitado un nombre")) << boton;
    }
}
