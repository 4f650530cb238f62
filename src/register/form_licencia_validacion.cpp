// The check of the whole licence form before any command stores it.
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "register/form_licencia.h"
#include "register/registro_licencia.h"
#include "shell/aplicacion.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>

namespace {

const char* const Solicitudes[] = {"Chk_PrimeraVez",      "Chk_CambioClase", "Chk_ExamenControl",
                                   "Chk_AmpliacionClase", "Chk_CambioDomicilio", "Chk_Duplicado",
                                   "Chk_RemplazoLicencia"};
const char* const SolicitudesQueOtorgan[] = {"Chk_PrimeraVez", "Chk_CambioClase",
                                             "Chk_AmpliacionClase"};
// Class F is not counted by the checks.
const char* const ClasesContadasActual[] = {"Chk_A1", "Chk_A2", "Chk_A3", "Chk_A4", "Chk_A5", "Chk_B",
                                            "Chk_C",  "Chk_D",  "Chk_E",  "Chk_A1P", "Chk_A2P"};
const char* const ClasesContadasAnterior[] = {"Chk_A1a", "Chk_A2a", "Chk_A3a", "Chk_A4a",
                                              "Chk_A5a", "Chk_Ba",  "Chk_Ca",  "Chk_Da",
                                              "Chk_Ea",  "Chk_A1Pa", "Chk_A2Pa"};
// The professional classes, now and in the previous licence.
const QPair<const char*, const char*> ClasesProfesionales[] = {
    {"Chk_A1", "Chk_A1a"}, {"Chk_A2", "Chk_A2a"}, {"Chk_A3", "Chk_A3a"},
    {"Chk_A4", "Chk_A4a"}, {"Chk_A5", "Chk_A5a"}};

constexpr int SinCertificadoPorControl = 0;  // "S/Certif. X Control"
constexpr int Extraviada = 1;

struct Paso {
    std::function<bool()> falla;
    const char* texto;
    const char* titulo;
};

}  // namespace

bool Form_Licencia::ValidaLicencia()
{
    const auto marcada = [this](const char* nombre) { return casilla(QLatin1String(nombre)).isChecked(); };
    const auto alguna = [&](const auto& nombres) {
        return std::any_of(std::begin(nombres), std::end(nombres), marcada);
    };
    const auto vacio = [this](const char* nombre) {
        return texto(QLatin1String(nombre)).text().trimmed().isEmpty();
    };
    const auto seleccion = [this](const char* nombre) {
        CajaLista& l = lista(QLatin1String(nombre));
        SeleccionaEnLista(l);
        return l.posicion();
    };
    const auto posicion = [this](const char* nombre) { return lista(QLatin1String(nombre)).posicion(); };
    // A place that still shows the box's prompt holds no digit.
    const auto digitosRut = [this](const char* nombre) {
        const CajaMascara& caja = mascara(QLatin1String(nombre));
        return DigitosRut(caja.texto()).remove(caja.relleno()).trimmed();
    };
    // An untouched certificate box is empty, whatever its prompt shows.
    const auto sinCertificado = [this] {
        return mascara(QStringLiteral("MEd_CertifAntecedentes")).textoDigitado().isEmpty();
    };
    const bool primeraVez = marcada("Chk_PrimeraVez");
    const bool otorgaClase = alguna(SolicitudesQueOtorgan);
    const bool nuevaClaseProfesional =
        otorgaClase && std::any_of(std::begin(ClasesProfesionales), std::end(ClasesProfesionales),
                                   [&](const auto& clase) {
                                       return marcada(clase.first) && !marcada(clase.second);
                                   });

    const Paso pasos[] = {
        {[&] { return digitosRut("MEd_NLicencia").size() < 9; },
         "RUT no tiene información digitada", "Error en RUT"},
        {[&] { return seleccion("Cbo_EntregaLicencia") == -1; },
         "No tiene seleccionado la entrega de licencia anterior", "Error en Entrega de Licencia"},
        {[&] { return seleccion("Cbo_TieneAntecedentes") == -1; },
         "No tiene seleccionado los antecedentes", "Error en Antecedentes"},
        {[&] { return numero(QStringLiteral("NE_Edad")).value() <= 16; },
         "No tiene digitada la edad correctamente, debe ser mayor que 16 años", "Error en Edad"},
        {[&] { return vacio("Text_Nombres"); }, "No ha digitado un nombre", "Error en Nombres"},
        {[&] { return seleccion("Cbo_NivelEstudios") == -1; },
         "No tiene seleccionado los estudios", "Error en Estudios"},
        {[&] { return vacio("Text_ApPaterno"); }, "No ha digitado el apellido paterno",
         "Error en Apellido Paterno"},
        {[&] { return vacio("Text_ApMaterno"); }, "No ha digitado el apellido materno",
         "Error en Apellido Materno"},
        {[&] { return vacio("Text_Domicilio"); }, "No ha digitado el domicilio", "Error en Domicilio"},
        {[&] { return vacio("Text_ComunaDomicilio"); }, "No ha digitado la Comuna del domicilio",
         "Error en Comuna de Domicilio"},
        {[&] { return seleccion("Cbo_Sexo") == -1; }, "No tiene seleccionado el sexo", "Error en Sexo"},
        {[&] { return vacio("Text_FolioActual"); },
         "No ha digitado el folio del formulario  <Especie Valorada Número>",
         "Error en el folio actual del formulario"},
        {[&] { return sinCertificado() && posicion("Cbo_NivelEstudios") > 1; },
         "Certificado de Antecedentes no tiene información digitada",
         "Error en Certificado Antecedentes"},
        {[&] { return primeraVez && posicion("Cbo_NivelEstudios") == SinCertificadoPorControl; },
         "Es Primera vez, debe llevar nivel de estudios", "Error en Nivel de estudios"},
        {[&] { return sinCertificado(); }, "No ha digitado el número de certificado de antecedentes",
         "Error en el certificado de antecedentes"},
        {[&] { return !alguna(Solicitudes); }, "No tiene seleccionado el tramite que solicita",
         "Error en Tramite que Solicita"},
        {[&] { return !alguna(ClasesContadasActual); },
         "No tiene seleccionado la clase de licencia actual", "Error en Licencia actual"},
        {[&] { return !primeraVez && vacio("Text_ComunaAnterior"); },
         "No ha digitado la Comuna Licencia Anterior", "Error en Comuna Licencia anterior"},
        {[&] { return !primeraVez && !alguna(ClasesContadasAnterior); },
         "No tiene seleccionado la clase de licencia anterior", "Error en Licencia anterior"},
        {[&] {
             return !primeraVez && vacio("Text_FolioAnterior") &&
                    posicion("Cbo_EntregaLicencia") != Extraviada;
         },
         "No ha digitado el folio anterior", "Error en el Folio anterior"},
        {[&] {
             const QString rut = digitosRut("MEd_RutEscuela");
             return nuevaClaseProfesional && (rut.isEmpty() || rut == QLatin1String("000000000"));
         },
         "RUT de la escuela no tiene información digitada", "Error en RUT de la escuela"},
        {[&] { return nuevaClaseProfesional && vacio("Text_CertificadoEscuela"); },
         "No ha digitado el número de certificado de la escuela de conductores",
         "Error en el certificado de escuela de conductores"},
        {[&] { return nuevaClaseProfesional && vacio("Text_Especialidad"); },
         "No ha digitado la especialidad de su clase de licencia",
         "Error en la especialidad de la licencia"},
        {[&] { return seleccion("Cbo_ProfesionalMedico") == -1; },
         "No tiene seleccionado el profesional médico", "Error en Profesional Mèdico"},
        {[&] { return otorgaClase && vacio("Text_ProfesionalTeorico"); },
         "No ha digitado el nombre del responsable del exámen teórico",
         "Error en nombre del responsable teórico"},
        {[&] { return otorgaClase && vacio("Text_ProfesionalPractico"); },
         "No ha digitado el nombre del responsable del exámen práctico",
         "Error en nombre del responsable práctico"},
    };
    for (const Paso& paso : pasos) {
        if (paso.falla()) {
            app().mensajes().muestra(QString::fromUtf8(paso.texto), QString::fromUtf8(paso.titulo));
            return false;
        }
    }

    const auto confirma = [this](const QString& texto, const QString& titulo) {
        return app().mensajes().muestra(texto, titulo, Botones::SiNo) == Respuesta::Si;
    };
    if (!marcada("Chk_Medico")) {
        return confirma(QStringLiteral("El examen médico esta siendo reprobado, [SI]:Correcto, deseo "
                                       "continuar *** [NO]:Existe un error, deseo rectificar"),
                        QStringLiteral("Reprobado !!!!!!!!! por examen medico"));
    }
    if (marcada("Chk_Teorico") && marcada("Chk_Practico")) {
        return true;
    }
    if (otorgaClase) {
        return confirma(QStringLiteral("Esta reprobando el exámen, [SI]:Correcto, deseo continuar *** "
                                       "[NO]:Existe un error, deseo rectificar"),
                        QStringLiteral("Reprobado !!!!!!!!!"));
    }
    return true;
}
