// The licence form's commands that store applications: register, modify,
// annul and delete, and the signature panel.

#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "register/bitacora.h"
#include "register/campos_licencia.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/grabacion_licencia.h"
#include "register/grilla_licencias.h"
#include "register/registro_licencia.h"
#include "register/valores_entrega.h"
#include "shell/aplicacion.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QSysInfo>
#include <map>

namespace {

const QString TituloFolio = QStringLiteral("Error en Especie Valorada Número");
const QString FolioYaRegistrado =
    QStringLiteral("El número de folio actual ya se encuentra registrado  <Especie Valorada Número>");
const QString ModificadaEnOtraEstacion = QStringLiteral(
    "La solicitud fue modificada en otra estación; cárguela de nuevo antes de modificarla");
const QString FolioNoRegistrado =
    QStringLiteral("El número de folio actual no se encuentra registrado  <Especie Valorada Número>");

constexpr int ColumnaFechaActual1 = 102;
constexpr int ColumnaCorrNoDonante = 103;

constexpr int UltimaColumnaEntrega = ColumnaDuracion;

}  // namespace

void Form_Licencia::Cmd_Registrar_Click() { ejecutaSiEsValida([this] { RegistraLicencia(); }); }
void Form_Licencia::Cmd_Modificar_Click() { ejecutaSiEsValida([this] { ModificaLicencia(); }); }
void Form_Licencia::Cmd_Anular_Click() { ejecutaSiEsValida([this] { MarcaFolio(Estados::Anulado); }); }
void Form_Licencia::Cmd_Eliminar_Click() { ejecutaSiEsValida([this] { MarcaFolio(Estados::Eliminado); }); }

// A storing command runs only on an application that passes the checks;
// afterwards the state label is undefined again, also when the command
// stopped with a message.
void Form_Licencia::ejecutaSiEsValida(const std::function<void()>& comando)
{
    if (!ValidaLicencia()) {
        return;
    }
    comando();
    labelAviso_->setText(QStringLiteral("Indefinido"));
}

void Form_Licencia::RegistraLicencia()
{
    Conexion& conexion = app().conexion();
    Transaccion t(conexion);
    const QString folio = texto(QStringLiteral("Text_FolioActual")).text();
    const auto posicion = PosicionDelFolio(conexion, folio) ? std::nullopt
                                                            : InsertaLicencia(conexion, valoresGrabados());
    if (!posicion) {
        avisaFolio(FolioYaRegistrado);
        return;
    }
    anotaBitacora(QStringLiteral("Registrar"), folio, {});
    t.confirma();
    recuerdaCargada(*posicion);
    muestraPaginaConservandoEntrega();
    preguntaImprimir(QStringLiteral("Licencia ha sido registrada, desea imprimir ahora ?"));
}

void Form_Licencia::ModificaLicencia()
{
    Conexion& conexion = app().conexion();
    Transaccion t(conexion);
    const auto posicion = posicionParaCambiar();
    if (!posicion) {
        return;
    }
    const QStringList antes = filaAlmacenada(*posicion);
    ActualizaLicencia(conexion, *posicion, valoresGrabados());
    anotaCambio(QStringLiteral("Modificar"), *posicion, antes);
    t.confirma();
    recuerdaCargada(*posicion);
    muestraPaginaConservandoEntrega();
    preguntaImprimir(QStringLiteral("Licencia ha sido modificada, desea imprimir ahora ?"));
}

void Form_Licencia::MarcaFolio(const QString& estado)
{
    Conexion& conexion = app().conexion();
    Transaccion t(conexion);
    const auto posicion = posicionParaCambiar();
    if (!posicion) {
        return;
    }
    const QStringList antes = filaAlmacenada(*posicion);
    MarcaEstado(conexion, *posicion, estado);
    anotaCambio(estado == Estados::Anulado ? QStringLiteral("Anular") : QStringLiteral("Eliminar"),
                *posicion, antes);
    t.confirma();
    AbrePagina();
    Cmd_Limpiar_Click();
}

// The stored row of the typed folio, held for this transaction; nothing
// (after saying why) when there is none, or when the form holds that
// application as it was before another workstation changed it.
std::optional<qint64> Form_Licencia::posicionParaCambiar()
{
    Conexion& conexion = app().conexion();
    const auto posicion = PosicionDelFolio(conexion, texto(QStringLiteral("Text_FolioActual")).text());
    if (!posicion) {
        avisaFolio(FolioNoRegistrado);
        return std::nullopt;
    }
    BloqueaLicencia(conexion, *posicion);
    if (cargada_ && cargada_->posicion == *posicion && filaAlmacenada(*posicion) != cargada_->textos) {
        app().mensajes().muestra(ModificadaEnOtraEstacion, QStringLiteral("Solicitud modificada"));
        return std::nullopt;
    }
    return posicion;
}

// The stored row as the grid reads it, so the two compare text for text.
// FechaActual1 does not count: the listing form rewrites it on its own, and
// the record write never stores it.
QStringList Form_Licencia::filaAlmacenada(qint64 posicion)
{
    FuenteLicencias fuente(app().conexion().shared_from_this(), QStringLiteral("Posicion = ?"), {posicion});
    const auto filas = fuente.siguientes(1);
    return filas.empty() ? QStringList() : comoSeComparan(filas.front());
}

QStringList Form_Licencia::comoSeComparan(QStringList fila)
{
    if (fila.size() >= ColumnaFechaActual1) {
        fila[ColumnaFechaActual1 - 1].clear();
    }
    return fila;
}

void Form_Licencia::recuerdaCargada(qint64 posicion)
{
    cargada_ = SolicitudCargada{posicion, filaAlmacenada(posicion)};
}

void Form_Licencia::anotaBitacora(const QString& accion, const QString& folio, const QString& cambios)
{
    AnotaBitacora(app().conexion(), {app().reloj().ahora(), QSysInfo::machineHostName(),
                                     app().UsuarioActual.recortado(), accion, folio, cambios});
}

// Records which columns the change left different from `antes`.
void Form_Licencia::anotaCambio(const QString& accion, qint64 posicion, const QStringList& antes)
{
    QStringList columnas;
    for (const ColumnaLicencia& c : ColumnasLicencia) {
        columnas << QLatin1String(c.nombre);
    }
    anotaBitacora(accion, texto(QStringLiteral("Text_FolioActual")).text(),
                  CambiosEntre(columnas, antes, filaAlmacenada(posicion)));
}

void Form_Licencia::avisaFolio(const QString& texto)
{
    app().mensajes().muestra(texto, TituloFolio);
}

// Yes prints straight on the chosen printer, whatever the access flags of
// "Imprimir": the form still holds the application just stored.
void Form_Licencia::preguntaImprimir(const QString& pregunta)
{
    if (app().mensajes().muestra(pregunta, QStringLiteral("¿Desea imprimir?"), Botones::SiNo) ==
        Respuesta::Si) {
        ImprimeSolicitud();
    }
}

// The page is read again, so the grid row the form came from is no longer
// chosen; the hand-over values of the stored application stay with the form
// for its next command.
void Form_Licencia::muestraPaginaConservandoEntrega()
{
    QStringList entrega;
    for (int columna = 0; columna <= UltimaColumnaEntrega; ++columna) {
        entrega << celdaEntrega(columna);
    }
    filaNueva_ = entrega;
    solicitudNueva_ = true;
    AbrePagina();
}

QVariant Form_Licencia::valorCampo(const CampoLicencia& campo) const
{
    const QString nombre = QLatin1String(campo.control);
    switch (campo.tipo) {
    case TipoCampo::Texto:
        return texto(nombre).text();
    case TipoCampo::Lista:
        return campo.largo > 0 ? lista(nombre).texto().left(campo.largo) : lista(nombre).texto();
    case TipoCampo::Rut:
    case TipoCampo::RutEscuela:
    case TipoCampo::Certificado:
        return mascara(nombre).texto();
    case TipoCampo::Numero:
        return numero(nombre).value();
    case TipoCampo::Fecha:
        // The two school dates go to the database as dates, every other as text.
        return ColumnaEn(campo.posicion).tipo == TipoColumna::Fecha ? QVariant(fecha(nombre).date())
                                                                    : QVariant(fecha(nombre).texto());
    case TipoCampo::Casilla:
        return SiNo(casilla(nombre).isChecked());
    }
    return {};
}

// Every column the record write stores, from the form and from the
// hand-over row. Columns it leaves out keep their stored value: a
// psychotechnical test with no option, a blank non-donor number (the box
// then shows "."), and the columns only the listing form writes.
ValoresLicencia Form_Licencia::valoresGrabados()
{
    std::map<int, QVariant> porPosicion;
    for (const CampoLicencia& campo : CamposLicencia) {
        porPosicion[campo.posicion] = valorCampo(campo);
    }
    const auto marcada = [this](const char* nombre) { return casilla(QLatin1String(nombre)).isChecked(); };
    const bool examenControl = marcada("Chk_ExamenControl");
    const struct {
        int examen;
        int profesional;
        const char* casilla;
        const char* texto;
    } sujetosAControl[] = {{63, 66, "Chk_Teorico", "Text_ProfesionalTeorico"},
                           {64, 67, "Chk_Practico", "Text_ProfesionalPractico"}};
    for (const auto& s : sujetosAControl) {
        const ExamenGrabado grabado =
            ExamenConControl(examenControl, marcada(s.casilla), texto(QLatin1String(s.texto)).text());
        porPosicion[s.examen] = grabado.aprobado;
        porPosicion[s.profesional] = grabado.profesional;
    }
    porPosicion[1] = EstadoSolicitud(marcada("Chk_Medico"), marcada("Chk_Teorico"), marcada("Chk_Practico"),
                                     marcada("Chk_PrimeraVez") || marcada("Chk_CambioClase") ||
                                         marcada("Chk_AmpliacionClase"));
    porPosicion[81] = LicActual(clasesDesde(QStringLiteral("ClaseA1")));
    porPosicion[82] = LicAnterior(clasesDesde(QStringLiteral("ClaseA1Ant")));
    for (const ValorPsicotecnico& v : ValoresPsicotecnicos([this](int c) { return celdaEntrega(c); })) {
        porPosicion[v.columna] = v.codigo;
    }
    QLineEdit& noDonante = texto(QStringLiteral("Text_CorrNoDonante"));
    if (noDonante.text().trimmed().isEmpty()) {
        noDonante.setText(QStringLiteral("."));
        porPosicion.erase(ColumnaCorrNoDonante);
    }
    porPosicion[ColumnaDenegada] = celdaEntrega(ColumnaDenegada).trimmed();
    for (int columna = ColumnaPrimeraRazon; columna <= ColumnaDuracion; ++columna) {
        porPosicion[columna] = celdaEntrega(columna);
    }
    ValoresLicencia valores;
    for (const auto& [posicion, valor] : porPosicion) {
        valores.emplace_back(QLatin1String(ColumnaEn(posicion).nombre), valor);
    }
    return valores;
}

// ---------------------------------------------------------------- signature

void Form_Licencia::Cmd_Firma_Click()
{
    if (app().FirmaJefe.enBlanco()) {
        app().FirmaJefe.asigna(QStringLiteral("."));
    }
    texto(QStringLiteral("TextFirma")).setText(app().FirmaJefe.texto());
    control(QStringLiteral("FrmFirma")).show();
}

void Form_Licencia::Cmd_FrmAceptar_Click()
{
    QLineEdit& firma = texto(QStringLiteral("TextFirma"));
    if (firma.text().trimmed().isEmpty()) {
        firma.setText(QStringLiteral("."));
    }
    TextoFijo nueva(app().FirmaJefe.texto().size());
    nueva.asigna(firma.text());
    Transaccion t(app().conexion());
    GrabaFirmaJefe(app().conexion(), nueva.texto());
    anotaBitacora(QStringLiteral("Firma"), {},
                  CambiosEntre({QStringLiteral("Usuario")}, {app().FirmaJefe.texto()}, {nueva.texto()}));
    t.confirma();
    app().FirmaJefe.asigna(nueva.texto());
    control(QStringLiteral("FrmFirma")).hide();
}

void Form_Licencia::Cmd_FrmSalir_Click()
{
    control(QStringLiteral("FrmFirma")).hide();
}
