#include "solicitud_valida.h"

#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "register/form_licencia.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>

void LlenaSolicitudValida(Form_Licencia& f)
{
    f.Cmd_Limpiar_Click();
    f.mascara("MEd_NLicencia").fijaTexto("09.507.357-7");
    const struct {
        const char* control;
        const char* valor;
    } textos[] = {
        {"Cbo_EntregaLicencia", "Entregada"}, {"Cbo_TieneAntecedentes", "No"},
        {"Text_Nombres", "JUAN"},              {"Cbo_NivelEstudios", "4º Medio"},
        {"Text_ApPaterno", "PEREZ"},           {"Text_ApMaterno", "SOTO"},
        {"Text_Domicilio", "AV. O'HIGGINS 123"}, {"Text_ComunaDomicilio", "TALCA"},
        {"Cbo_Sexo", "Masculino"},             {"Text_FolioActual", "CA04354520"},
        {"Text_ComunaAnterior", "CURICO"},     {"Text_FolioAnterior", "CA01"},
        {"Cbo_ProfesionalMedico", "DR. PEDRO SOTO"}, {"Text_ProfesionalTeorico", "ANA"},
        {"Text_ProfesionalPractico", "LUIS"},
    };
    for (const auto& t : textos) {
        if (QString(t.control).startsWith("Cbo_")) {
            f.lista(t.control).fijaTexto(QString::fromUtf8(t.valor));
        } else {
            f.texto(t.control).setText(QString::fromUtf8(t.valor));
        }
    }
    f.numero("NE_Edad").setValue(30);
    f.mascara("MEd_CertifAntecedentes").fijaTexto("12345678901");
    for (const char* marcada : {"Chk_CambioClase", "Chk_B", "Chk_Ba", "Chk_Medico", "Chk_Teorico", "Chk_Practico"}) {
        f.casilla(marcada).setChecked(true);
    }
}

QString TextoDelControl(const QWidget* w)
{
    if (auto* m = qobject_cast<const CajaMascara*>(w)) return m->texto();
    if (auto* t = qobject_cast<const QLineEdit*>(w)) return t->text();
    if (auto* l = qobject_cast<const CajaLista*>(w)) return l->texto();
    if (auto* f = qobject_cast<const CajaFecha*>(w)) return f->texto();
    if (auto* n = qobject_cast<const QSpinBox*>(w)) return QString::number(n->value());
    if (auto* c = qobject_cast<const QCheckBox*>(w)) return c->isChecked() ? "Si" : "No";
    return QStringLiteral("(sin control)");
}
