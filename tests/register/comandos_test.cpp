#include "entorno.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "prueba.h"
#include "register/campos_licencia.h"
#include "register/comando_bitacora.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/grabacion_licencia.h"
#include "shell/datos/recordset.h"
#include "linea_comandos.h"
#include "solicitud_valida.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <map>

namespace {

const QString FolioYaRegistrado =
    "El número de folio actual ya se encuentra registrado  <Especie Valorada Número>";
const QString FolioNoRegistrado =
    "El número de folio actual no se encuentra registrado  <Especie Valorada Número>";
const QString PreguntaRegistro = "Licencia ha sido registrada, desea imprimir ahora ?";
const QString PreguntaModificacion = "Licencia ha sido modificada, desea imprimir ahora ?";

class Comandos : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.app().Accesos.fill(1);
        e.agregaMedico("DR. PEDRO SOTO");
        f = &e.app().forma<Form_Licencia>();
        LlenaSolicitudValida(*f);
    }

    void pulsa(const char* boton) { f->findChild<QPushButton*>(boton)->click(); }
    // Presses a storing command that asks to print, answering `respuesta`.
    void pulsaYResponde(const char* boton, Respuesta respuesta)
    {
        e.mensajes->responde(respuesta);
        pulsa(boton);
    }

    Recordset fila(const QString& folio)
    {
        return e.conexion().consulta("SELECT * FROM TLicencias WHERE FolioActual = ?", {folio});
    }
    int filas() { return e.conexion().consulta("SELECT count(*) AS n FROM TLicencias").valor("n").toInt(); }

    // What every field of the form shows.
    std::map<QString, QString> campos()
    {
        std::map<QString, QString> valores;
        for (const CampoLicencia& c : CamposLicencia) {
            valores[c.control] = TextoDelControl(f->findChild<QWidget*>(c.control));
        }
        return valores;
    }

    // Loads the stored row of `folio` as a click on its grid row does.
    void carga(const QString& folio) { ASSERT_TRUE(f->CargaFolio(folio)) << folio.toStdString(); }

    Entorno e;
    Form_Licencia* f = nullptr;
};

}  // namespace

TEST_F(Comandos, RegistrarGuardaLaSolicitudComoSeDigitoYLaVuelveACargarIgual)
{
    f->texto("Text_Nombres").setText("JOSÉ O'NEILL \"PEPE\"");
    f->texto("Text_Domicilio").setText("PJE. ÑUÑOA 50% \\ 2_B");
    f->casilla("Chk_D").setChecked(true);
    f->lista("Cbo_ProfesionalMedico").fijaTexto("DR. PEDRO SOTO");
    const auto digitados = campos();
    pulsaYResponde("Cmd_Registrar", Respuesta::No);

    EXPECT_EQ(e.mensajes->textos(), QStringList({PreguntaRegistro}));
    EXPECT_EQ(e.impresora->documentosTerminados, 0);
    EXPECT_EQ(f->Label_Aviso().text(), "Indefinido");
    Recordset r = fila("CA04354520");
    ASSERT_FALSE(r.eof());
    const std::map<QString, QString> derivados = {
        {"Estado", "Ok"},        {"LicActual", "B-D"}, {"LicAnterior", "B"},
        {"ExamenMedico", "Si"},  {"Denegada", "no"},    {"D01", QString(20, ' ')},
        {"d10", QString(20, ' ')}, {"Duracion", ""},    {"CorrNoDonante", ""},
        {"Perimetria", ""},      {"FechaActual1", ""},
    };
    for (const auto& [columna, valor] : derivados) {
        EXPECT_EQ(r.texto(columna), valor) << columna.toStdString();
    }
    // A blank non-donor number is not stored; the box shows "." instead.
    EXPECT_EQ(f->texto("Text_CorrNoDonante").text(), ".");

    carga("CA04354520");
    auto cargados = campos();
    cargados["Text_CorrNoDonante"] = digitados.at("Text_CorrNoDonante");
    for (const auto& [control, valor] : digitados) {
        EXPECT_EQ(cargados[control], valor) << control.toStdString();
    }
}

TEST_F(Comandos, UnFolioRegistradoEnCualquierEstadoSeRechaza)
{
    int n = 0;
    for (const char* estado : {"Ok", "Reprobado", "Anulado", "Eliminado"}) {
        const QString folio = QString("F-%1").arg(++n);
        e.agregaLicencia({{"FolioActual", folio}, {"Estado", estado}, {"Nombres", "ANTES"}});
        f->texto("Text_FolioActual").setText(folio);
        e.mensajes->cajas.clear();
        pulsa("Cmd_Registrar");
        ASSERT_EQ(e.mensajes->cajas.size(), 1u) << estado;
        EXPECT_EQ(e.mensajes->cajas[0].texto, FolioYaRegistrado);
        EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en Especie Valorada Número");
        EXPECT_EQ(fila(folio).texto("Nombres"), "ANTES");
    }
    EXPECT_EQ(filas(), 4);
}

TEST_F(Comandos, ModificarAnularYEliminarUnFolioQueNoExiste)
{
    for (const char* boton : {"Cmd_Modificar", "Cmd_Anular", "Cmd_Eliminar"}) {
        e.mensajes->cajas.clear();
        pulsa(boton);
        EXPECT_EQ(e.mensajes->textos(), QStringList({FolioNoRegistrado})) << boton;
        EXPECT_EQ(f->Label_Aviso().text(), "Indefinido");
    }
    EXPECT_EQ(filas(), 0);
}

TEST_F(Comandos, AnularYEliminarSoloMarcanElEstadoYModificarLoRecalcula)
{
    f->fijaCeldaEntrega(ColumnaDenegada, "si");
    f->fijaCeldaEntrega(ColumnaPrimeraRazon, "A1" + QString(18, ' '));
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    for (const auto& [boton, estado] : {std::pair{"Cmd_Anular", "Anulado"}, {"Cmd_Eliminar", "Eliminado"}}) {
        LlenaSolicitudValida(*f);
        pulsa(boton);
        Recordset r = fila("CA04354520");
        for (const char* columna : {"Estado", "LicActual", "LicAnterior"}) {
            EXPECT_EQ(r.texto(columna), estado) << columna;
        }
        EXPECT_EQ(r.texto("Denegada"), "si");
        EXPECT_EQ(r.texto("D01"), "A1" + QString(18, ' '));
        EXPECT_EQ(r.texto("Nombres"), "JUAN");
        // The form is cleared for the next application.
        EXPECT_EQ(f->texto("Text_FolioActual").text(), "");
        EXPECT_EQ(f->Label_Aviso().text(), "Indefinido");
    }
    // Modify makes it an application again, with its state recomputed.
    carga("CA04354520");
    f->casilla("Chk_Teorico").setChecked(false);
    e.mensajes->responde(Respuesta::Si);  // the check's question about the failed exam
    pulsaYResponde("Cmd_Modificar", Respuesta::No);
    Recordset r = fila("CA04354520");
    EXPECT_EQ(r.texto("Estado"), "Reprobado");
    EXPECT_EQ(r.texto("LicActual"), "B");
    EXPECT_EQ(r.texto("Denegada"), "si");
    EXPECT_EQ(filas(), 1);
}

TEST_F(Comandos, SiALaPreguntaImprimeYNoNoImprime)
{
    pulsaYResponde("Cmd_Registrar", Respuesta::Si);
    EXPECT_EQ(e.impresora->documentosTerminados, 1);
    pulsaYResponde("Cmd_Modificar", Respuesta::No);
    EXPECT_EQ(e.impresora->documentosTerminados, 1);
    EXPECT_EQ(e.mensajes->textos(), QStringList({PreguntaRegistro, PreguntaModificacion}));
    // A printer that fails leaves the stored row as written.
    e.impresora->fallaEnLinea = 2;
    e.mensajes->esperaCriticos();
    f->texto("Text_Nombres").setText("PEDRO");
    pulsaYResponde("Cmd_Modificar", Respuesta::Si);
    EXPECT_EQ(fila("CA04354520").texto("Nombres"), "PEDRO");
}

TEST_F(Comandos, UnaSolicitudNuevaNoTomaLosExamenesNiLaDenegacionDeOtraFila)
{
    f->texto("Text_FolioActual").setText("OTRA");
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    e.conexion().ejecuta("UPDATE TLicencias SET Denegada = 'si', D04 = ?, Duracion = '030', "
                         "Perimetria = 'R'", {"A2        B         "});
    // Registering the loaded application under a new folio copies its values.
    carga("OTRA");
    f->texto("Text_FolioActual").setText("COPIA");
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    EXPECT_EQ(fila("COPIA").texto("Denegada"), "si");
    EXPECT_EQ(fila("COPIA").texto("Perimetria"), "R");

    // After "Limpiar Campos" the new application starts blank.
    LlenaSolicitudValida(*f);
    f->texto("Text_FolioActual").setText("NUEVA");
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    Recordset r = fila("NUEVA");
    EXPECT_EQ(r.texto("Denegada"), "no");
    EXPECT_EQ(r.texto("D04"), QString(20, ' '));
    EXPECT_EQ(r.texto("Duracion"), "");
    EXPECT_EQ(r.texto("Perimetria"), "");
}

TEST_F(Comandos, UnFolioQueOtraEstacionRegistroRecienSeRechaza)
{
    const auto otra = Conexion::abre(e.origen());
    otra->ejecuta("INSERT INTO TLicencias (FolioActual, Nombres) VALUES (?, ?)", {"CA04354520", "OTRA"});
    // The form's own check would find it; the unique folio refuses it even
    // when it arrives between the check and the insert.
    EXPECT_FALSE(InsertaLicencia(e.conexion(), {{"FolioActual", "CA04354520"}, {"Nombres", "MIA"}}));
    EXPECT_EQ(filas(), 1);
    EXPECT_EQ(fila("CA04354520").texto("Nombres"), "OTRA");
}

TEST_F(Comandos, UnaEscrituraQueFallaNoDejaNadaEscrito)
{
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    if (e.conexion().dialecto() == Conexion::Dialecto::SQLite) {
        e.conexion().ejecuta("CREATE TRIGGER falla BEFORE UPDATE ON TLicencias "
                             "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END");
    } else {
        e.conexion().ejecuta("CREATE FUNCTION falla() RETURNS trigger AS $$ BEGIN "
                             "RAISE EXCEPTION 'disco lleno'; END $$ LANGUAGE plpgsql");
        e.conexion().ejecuta("CREATE TRIGGER falla BEFORE UPDATE ON TLicencias "
                             "FOR EACH ROW EXECUTE FUNCTION falla()");
    }
    f->texto("Text_Nombres").setText("CAMBIADO");
    e.mensajes->cajas.clear();
    e.mensajes->esperaCriticos();
    pulsa("Cmd_Modificar");
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en la base de datos");
    EXPECT_TRUE(e.mensajes->cajas[0].texto.contains("disco lleno"));
    EXPECT_EQ(fila("CA04354520").texto("Nombres"), "JUAN");
    if (e.conexion().dialecto() != Conexion::Dialecto::SQLite) {
        e.conexion().ejecuta("DROP FUNCTION falla() CASCADE");
    }
}

TEST_F(Comandos, PanelDeFirma)
{
    auto& panel = *f->findChild<QGroupBox*>("FrmFirma");
    auto& texto = f->texto("TextFirma");
    const auto firmaGuardada = [&] {
        return e.conexion().consulta("SELECT Usuario FROM TJefe ORDER BY Id").texto("Usuario");
    };
    // An empty TJefe gets its first row.
    pulsa("Cmd_Firma");
    EXPECT_FALSE(panel.isHidden());
    EXPECT_EQ(texto.text(), "." + QString(24, ' '));
    texto.setText("  ");
    pulsa("Cmd_FrmAceptar");
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(firmaGuardada(), "." + QString(24, ' '));

    pulsa("Cmd_Firma");
    texto.setText("ANA ROJAS");
    pulsa("Cmd_FrmAceptar");
    EXPECT_EQ(firmaGuardada(), QString("ANA ROJAS").leftJustified(25));
    EXPECT_EQ(e.app().FirmaJefe.texto(), QString("ANA ROJAS").leftJustified(25));
    EXPECT_EQ(e.conexion().consulta("SELECT count(*) AS n FROM TJefe").valor("n").toInt(), 1);

    // "Salir" changes nothing.
    pulsa("Cmd_Firma");
    texto.setText("OTRO");
    pulsa("Cmd_FrmSalir");
    EXPECT_TRUE(panel.isHidden());
    EXPECT_EQ(firmaGuardada(), QString("ANA ROJAS").leftJustified(25));

    // The new signer is on the next print.
    pulsaYResponde("Cmd_Registrar", Respuesta::Si);
    bool firmada = false;
    for (const auto& t : e.impresora->textos) {
        firmada = firmada || t.texto.contains("ANA ROJAS");
    }
    EXPECT_TRUE(firmada);
}

TEST_F(Comandos, UnCambioDeOtraEstacionNoSeSobrescribe)
{
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    const auto otra = Conexion::abre(e.origen());
    for (const char* boton : {"Cmd_Modificar", "Cmd_Anular", "Cmd_Eliminar"}) {
        carga("CA04354520");
        otra->ejecuta("UPDATE TLicencias SET Nombres = ? WHERE FolioActual = ?",
                      {QString("DE OTRA %1").arg(boton), "CA04354520"});
        e.mensajes->cajas.clear();
        pulsa(boton);
        EXPECT_EQ(e.mensajes->textos(),
                  QStringList({"La solicitud fue modificada en otra estación; cárguela de nuevo antes "
                               "de modificarla"}))
            << boton;
        Recordset r = fila("CA04354520");
        EXPECT_EQ(r.texto("Nombres"), QString("DE OTRA %1").arg(boton));
        EXPECT_EQ(r.texto("Estado"), "Ok");
    }
    // The listing form's own column is no change of the application.
    carga("CA04354520");
    otra->ejecuta("UPDATE TLicencias SET FechaActual1 = '10/12/2026'");
    e.mensajes->cajas.clear();
    pulsaYResponde("Cmd_Modificar", Respuesta::No);
    EXPECT_EQ(e.mensajes->textos(), QStringList({PreguntaModificacion}));
    // Loaded again, the change is the form's own: it may be overwritten,
    // twice in a row, also after the exam detail wrote the hand-over row.
    carga("CA04354520");
    f->fijaCeldaEntrega(ColumnaPrimerExamen, "A");
    pulsaYResponde("Cmd_Modificar", Respuesta::No);
    f->texto("Text_Nombres").setText("SEGUNDA");
    pulsaYResponde("Cmd_Modificar", Respuesta::No);
    EXPECT_EQ(fila("CA04354520").texto("Nombres"), "SEGUNDA");
    EXPECT_EQ(fila("CA04354520").texto("Perimetria"), "A");
}

TEST_F(Comandos, LaBitacoraAnotaCadaCambioEnSuTransaccion)
{
    e.app().UsuarioActual.asigna("ana");
    pulsaYResponde("Cmd_Registrar", Respuesta::No);
    carga("CA04354520");
    f->texto("Text_Nombres").setText("JOSÉ O'NEILL");
    pulsaYResponde("Cmd_Modificar", Respuesta::No);
    pulsa("Cmd_Anular");
    // A refused register leaves no entry.
    LlenaSolicitudValida(*f);
    pulsa("Cmd_Registrar");
    pulsa("Cmd_Firma");
    f->texto("TextFirma").setText("ANA ROJAS");
    pulsa("Cmd_FrmAceptar");

    const ResultadoComando todo =
        EjecutaComando(ComandoBitacora, {"bitacora", "--formato", "csv"}, e.origen());
    ASSERT_EQ(todo.estado, 0) << todo.error.toStdString();
    QStringList lineas = todo.salida.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 7) << todo.salida.toStdString();  // the annulment's three changes, three lines
    EXPECT_EQ(lineas[0], "Momento,Estacion,Usuario,Accion,Folio,Cambios");
    EXPECT_TRUE(lineas[1].startsWith("10-12-2026 10:30:00,")) << lineas[1].toStdString();
    EXPECT_TRUE(lineas[1].endsWith(",ana,Registrar,CA04354520,")) << lineas[1].toStdString();
    EXPECT_TRUE(lineas[2].endsWith(",ana,Modificar,CA04354520,Nombres: «JUAN» → «JOSÉ O'NEILL»"))
        << lineas[2].toStdString();
    EXPECT_TRUE(lineas[3].contains(",Anular,CA04354520,\"Estado: «Ok» → «Anulado»")) << lineas[3].toStdString();
    EXPECT_EQ(lineas[4], "LicActual: «B» → «Anulado»");
    EXPECT_EQ(lineas[5], "LicAnterior: «B» → «Anulado»\"");
    EXPECT_TRUE(lineas[6].contains(",ana,Firma,,Usuario: «")) << lineas[6].toStdString();

    const ResultadoComando porFolio = EjecutaComando(
        ComandoBitacora, {"bitacora", "--folio", "CA04354520", "--desde", "10-12-2026", "--hasta", "10-12-2026"},
        e.origen());
    EXPECT_EQ(porFolio.salida.count("CA04354520"), 3) << porFolio.salida.toStdString();
    EXPECT_TRUE(porFolio.salida.contains("    Nombres: «JUAN» → «JOSÉ O'NEILL»\n"));
    EXPECT_EQ(EjecutaComando(ComandoBitacora, {"bitacora", "--desde", "11-12-2026"}, e.origen()).salida, "");
    EXPECT_EQ(EjecutaComando(ComandoBitacora, {"bitacora", "--desde", "31-02-2026"}, e.origen()).estado, 2);
}

TEST_F(Comandos, SinBitacoraNoSeGuardaLaSolicitud)
{
    e.conexion().ejecuta("DROP TABLE TBitacora");
    e.mensajes->esperaCriticos();
    pulsa("Cmd_Registrar");
    EXPECT_EQ(filas(), 0);
}
