// Printing the application on the valued form: what the print reads from
// the form's controls, the preview of "Imprimir", and the direct print the
// register and modify questions start.
#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "printing/calibracion_impresion.h"
#include "printing/solicitud_impresa.h"
#include "register/campos_licencia.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/grilla_licencias.h"
#include "shell/aplicacion.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {


}  // namespace

DatosSolicitud Form_Licencia::DatosImpresion()
{
    const auto t = [this](const char* control) { return texto(QLatin1String(control)).text(); };
    const auto m = [this](const char* control) { return mascara(QLatin1String(control)).texto(); };
    const auto f = [this](const char* control) { return fecha(QLatin1String(control)).date(); };
    const auto c = [this](const char* control) { return casilla(QLatin1String(control)).isChecked(); };
    DatosSolicitud d;
    d.folio = t("Text_FolioActual");
    d.fechaActual = f("DTP_FechaOtorgaActual");
    d.rut = m("MEd_NLicencia");
    d.fechaNacimiento = f("DTP_FechaNacimiento");
    d.nombres = t("Text_Nombres");
    d.apPaterno = t("Text_ApPaterno");
    d.apMaterno = t("Text_ApMaterno");
    d.domicilio = t("Text_Domicilio");
    d.comunaDomicilio = t("Text_ComunaDomicilio");
    d.clases = clasesDesde(QStringLiteral("ClaseA1"));
    d.primeraVez = c("Chk_PrimeraVez");
    d.examenControl = c("Chk_ExamenControl");
    d.fechaOtorgaInicial = f("DTP_FechaOtorgaInicial");
    d.fechaUltimoControl = f("DTP_FechaUltimoControl");
    d.fechaProximoControl = f("DTP_FechaProximoControl");
    d.observaciones = t("Text_ObservaLicenciaActual");
    d.restriccionActual = t("Text_RestriccionActual");
    d.certifAntecedentes = m("MEd_CertifAntecedentes");
    d.fechaCertificado = f("DTP_FechaCertificado");
    d.obs1 = t("Text_Obs1");
    d.obs2 = t("Text_Obs2");

    d.rutEscuela = m("MEd_RutEscuela");
    d.certificadoEscuela = t("Text_CertificadoEscuela");
    d.fechaAprobacion = f("DTP_FechaAprobacion");
    d.especialidad = t("Text_Especialidad");
    d.escuelaNombre = t("Text_EscuelaNombre");

    d.comunaAnterior = t("Text_ComunaAnterior");
    d.clasesAnteriores = clasesDesde(QStringLiteral("ClaseA1Ant"));
    d.fechaOtorgaAnterior = f("DTP_FechaOtorgaAnterior");
    d.fechaVenceAnterior = f("DTP_FechaVenceAnterior");
    d.restriccionAnterior = t("Text_RestriccionAnterior");

    d.medico = {c("Chk_Medico"), f("DTP_Medico"), lista(QStringLiteral("Cbo_ProfesionalMedico")).texto()};
    d.teorico = {c("Chk_Teorico"), f("DTP_Teorico"), t("Text_ProfesionalTeorico")};
    d.practico = {c("Chk_Practico"), f("DTP_Practico"), t("Text_ProfesionalPractico")};
    d.observaExamenes = t("Text_ObservaExamenes");

    d.usuario = app().UsuarioActual.texto();
    d.firma = app().FirmaJefe.texto();
    return d;
}

// A numbered valued form is spent by every print: the clerk sees the page
// first and prints it from the preview, or closes it.
void Form_Licencia::Cmd_Imprimir_Click()
{
    const DatosSolicitud datos = DatosImpresion();
    const Desplazamiento desplazamiento = LeeDesplazamiento();
    const bool impreso = app().impresora().muestraVistaPrevia(
        this, [&](SuperficieImpresion& hoja) { DibujaSolicitud(hoja, datos, desplazamiento); });
    if (!impreso) {
        app().mensajes().muestra(
            QStringLiteral("La solicitud no fue impresa: se cerró la vista previa sin imprimir"),
            QStringLiteral("Imprimir"), Botones::Aceptar, Icono::Informacion);
    }
}

void Form_Licencia::ImprimeSolicitud()
{
    DibujaSolicitud(app().impresora(), DatosImpresion(), LeeDesplazamiento());
}

bool Form_Licencia::CargaFolio(const QString& folio)
{
    auto encontrada = licenciasDonde(QStringLiteral("FolioActual = ?"), {folio});
    if (!encontrada->tieneFilas()) {
        return false;
    }
    grilla_->enlaza(std::move(encontrada));
    MSHF_Licencias_Click();
    return true;
}
