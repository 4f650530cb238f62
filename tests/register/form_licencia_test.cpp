#include "entorno.h"
#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "prueba.h"
#include "register/campos_licencia.h"
#include "register/form_licencia.h"
#include "solicitud_valida.h"
#include "capturas.h"
#include "register/grilla_licencias.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>

namespace {

class FormaLicencia : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.app().Accesos.fill(1);
        for (const char* medico : {"DR. PEDRO SOTO", "DRA. ANA MUÑOZ", "DR. LUIS PAZ"}) {
            e.agregaMedico(medico);
        }
    }

    Form_Licencia& forma()
    {
        if (!forma_) {
            forma_ = &e.app().forma<Form_Licencia>();
        }
        return *forma_;
    }

    void muestraActiva()
    {
        forma().show();
        QApplication::setActiveWindow(&forma());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&forma()));
    }

    // Applications at positions 1 to `cantidad`, folio "F<position>".
    void agregaNumeradas(int cantidad)
    {
        Transaccion t(e.conexion());
        QSqlQuery q = e.conexion().prepara("INSERT INTO TLicencias (FolioActual, Nombres) VALUES (?, ?)");
        for (int i = 1; i <= cantidad; ++i) {
            q.bindValue(0, QString("F%1").arg(i));
            q.bindValue(1, QString("NOMBRE %1").arg(i));
            e.conexion().ejecutaPreparada(q);
        }
        t.confirma();
    }

    // Posicion of the first and last rows the grid shows.
    QPair<int, int> ventanaVisible()
    {
        Grilla& g = forma().MSHF_Licencias();
        if (g.filas() < 2) {
            return {0, 0};
        }
        return {g.texto(1, 83).toInt(), g.texto(g.filas() - 1, 83).toInt()};
    }

    QStringList foliosVisibles()
    {
        QStringList folios;
        Grilla& g = forma().MSHF_Licencias();
        for (int fila = 1; fila < g.filas(); ++fila) {
            folios << g.texto(fila, 2);
        }
        return folios;
    }

    void pulsa(const char* boton) { forma().findChild<QPushButton*>(boton)->click(); }

    // The value a field shows, as text of its stored form.
    QString lee(const QString& control)
    {
        QWidget* w = forma().findChild<QWidget*>(control);
        EXPECT_NE(w, nullptr) << "sin control " << control.toStdString();
        return TextoDelControl(w);
    }

    Entorno e;

private:
    Form_Licencia* forma_ = nullptr;
};

}  // namespace

// ---------------------------------------------------------------- browser

TEST_F(FormaLicencia, PrimeraVentanaConTitulosYAnchos)
{
    agregaNumeradas(130);
    EXPECT_EQ(ventanaVisible(), qMakePair(1, 100));
    Grilla& g = forma().MSHF_Licencias();
    EXPECT_EQ(g.columnas(), 116);
    EXPECT_EQ(g.texto(0, 1), "Estado");
    EXPECT_EQ(g.texto(0, 2), "Nº Folio Actual");
    EXPECT_EQ(g.texto(0, 101), "Fecha Practico");
    EXPECT_EQ(g.texto(0, 102), "FechaActual1");
    EXPECT_EQ(g.texto(0, 114), "d10");
    // Widths in whole pixels of 15 twips.
    EXPECT_NEAR(g.anchoColumna(1), 1100, 15);
    EXPECT_NEAR(g.anchoColumna(4), 2550, 15);
    EXPECT_NEAR(g.anchoColumna(68), 6300, 15);
    EXPECT_EQ(forma().Label_Aviso().text(), "Indefinida");
}

TEST_F(FormaLicencia, VentanasAnterioresYProximas)
{
    agregaNumeradas(250);
    pulsa("Cmd_Proximos");
    EXPECT_EQ(ventanaVisible(), qMakePair(101, 200));
    pulsa("Cmd_Proximos");
    EXPECT_EQ(ventanaVisible(), qMakePair(201, 250));
    pulsa("Cmd_Proximos");  // nothing beyond: the window stays
    EXPECT_EQ(forma().PosicionDesde(), 201);
    EXPECT_EQ(forma().PosicionHasta(), 300);
    EXPECT_EQ(ventanaVisible(), qMakePair(201, 250));
    pulsa("Cmd_Anterior");
    EXPECT_EQ(ventanaVisible(), qMakePair(101, 200));
    pulsa("Cmd_Anterior");
    EXPECT_EQ(ventanaVisible(), qMakePair(1, 100));
    pulsa("Cmd_Anterior");
    EXPECT_EQ(forma().PosicionDesde(), 1);
    EXPECT_EQ(forma().PosicionHasta(), 100);
}

TEST_F(FormaLicencia, VentanaMasAllaDe32767)
{
    agregaNumeradas(33000);
    for (int i = 0; i < 330; ++i) {
        forma().Cmd_Proximos_Click();
    }
    EXPECT_EQ(forma().PosicionDesde(), 32901);
    EXPECT_EQ(ventanaVisible(), qMakePair(32901, 33000));
    forma().Cmd_Proximos_Click();
    EXPECT_EQ(ventanaVisible(), qMakePair(32901, 33000));
    forma().Cmd_Anterior_Click();
    EXPECT_EQ(ventanaVisible(), qMakePair(32801, 32900));
}

TEST_F(FormaLicencia, BuscaNombresPorPrefijoSinMayusculasNiApostrofos)
{
    const QPair<const char*, const char*> personas[] = {
        {"JUAN CARLOS", "PEREZ"}, {"JUANA", "O'HIGGINS"}, {"MARIA JUANA", "SOTO"},
        {"  Juan Pablo", "muñoz"}, {"ANA", "ORTIZ"}};
    for (const auto& [nombres, paterno] : personas) {
        e.agregaLicencia({{"FolioActual", QString("F-%1").arg(nombres)}, {"Nombres", nombres},
                          {"ApPaterno", paterno}});
    }
    const struct {
        bool apellido;
        const char* texto;
        QStringList folios;
    } casos[] = {
        {false, "JUAN", {"F-JUAN CARLOS", "F-JUANA", "F-  Juan Pablo"}},
        {false, "  juan ", {"F-JUAN CARLOS", "F-JUANA", "F-  Juan Pablo"}},
        {false, "juana", {"F-JUANA"}},
        {true, "o'hig", {"F-JUANA"}},
        {true, "MUÑ", {"F-  Juan Pablo"}},
        {true, "o", {"F-JUANA", "F-ANA"}},
    };
    for (const auto& caso : casos) {
        forma().findChild<QRadioButton*>(caso.apellido ? "Opt_Apellido" : "Opt_Nombre")->setChecked(true);
        forma().findChild<QLineEdit*>("Text_NomApe")->setText(caso.texto);
        pulsa("Cmd_BuscaTexto");
        EXPECT_EQ(foliosVisibles(), caso.folios) << caso.texto;
    }
    EXPECT_TRUE(e.mensajes->cajas.empty());
    // A search shows the column names, not the captions.
    EXPECT_EQ(forma().MSHF_Licencias().texto(0, 2), "FolioActual");
    pulsa("Cmd_Todos");
    EXPECT_EQ(forma().MSHF_Licencias().texto(0, 2), "Nº Folio Actual");
    EXPECT_EQ(foliosVisibles().size(), 5);
}

TEST_F(FormaLicencia, ComodinesDigitadosSeBuscanLiteralmente)
{
    e.agregaLicencia({{"FolioActual", "A"}, {"Nombres", "50% DESCUENTO"}});
    e.agregaLicencia({{"FolioActual", "B"}, {"Nombres", "500 PESOS"}});
    forma().findChild<QLineEdit*>("Text_NomApe")->setText("50%");
    pulsa("Cmd_BuscaTexto");
    EXPECT_EQ(foliosVisibles(), QStringList({"A"}));
}

// Rows another program wrote are found as well: the search indexes hold
// built-in functions only. On SQLite the other program is a bare
// connection, without this program's upper().
TEST_F(FormaLicencia, LoEscritoPorOtroProgramaSeEncuentraConAcentosYEnesEnCualquierCaja)
{
    const QStringList filas[] = {
        {"F1", "  josé ñandú", "núñez"}, {"F2", "JOSÉ ÑANDÚ", "NÚÑEZ"}, {"F3", "Jose Nandu", "Nunez"},
        {"F4", "ÁÉÍÓÚÑ ÜX", "áéíóúñü"}, {"F5", "JOSEFA", "ÑUÑOA"}};
    const QString sql = "INSERT INTO TLicencias (FolioActual, Nombres, ApPaterno) VALUES (?, ?, ?)";
    // Another program on the same file, without the program's own functions.
    if (e.origen().motor == OrigenDatos::Motor::SQLite) {
        QSqlDatabase otra = QSqlDatabase::addDatabase("QSQLITE", "otro programa");
        otra.setDatabaseName(e.origen().ruta);
        ASSERT_TRUE(otra.open());
        for (const QStringList& fila : filas) {
            QSqlQuery q(otra);
            q.prepare(sql);
            for (int i = 0; i < 3; ++i) {
                q.bindValue(i, fila[i]);
            }
            ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        }
    } else {
        const auto otra = Conexion::abre(e.origen());
        for (const QStringList& fila : filas) {
            otra->ejecuta(sql, {fila[0], fila[1], fila[2]});
        }
    }
    QSqlDatabase::removeDatabase("otro programa");
    const struct {
        bool apellido;
        const char* texto;
        QStringList folios;
    } casos[] = {
        {false, "JOSÉ Ñ", {"F1", "F2"}},
        {false, "josé ñandú", {"F1", "F2"}},
        {false, "jose", {"F3", "F5"}},
        {true, "NÚÑ", {"F1", "F2"}},
        {true, "ñ", {"F5"}},
        // More accented letters than the index ranges take one by one.
        {false, "áéíóúñ üx", {"F4"}},
        {true, "ÁÉÍÓÚÑÜ", {"F4"}},
    };
    for (const auto& caso : casos) {
        forma().findChild<QRadioButton*>(caso.apellido ? "Opt_Apellido" : "Opt_Nombre")->setChecked(true);
        forma().findChild<QLineEdit*>("Text_NomApe")->setText(caso.texto);
        pulsa("Cmd_BuscaTexto");
        EXPECT_EQ(foliosVisibles(), caso.folios) << caso.texto;
        // Gathered through the index or picked out of the table, the same rows.
        auto leidas = FuenteLicencias::conPrefijo(e.conexion().shared_from_this(),
                                                  caso.apellido ? "ApPaterno" : "Nombres",
                                                  QString(caso.texto).trimmed(), 0);
        QStringList folios;
        for (const QStringList& fila : leidas->siguientes(100)) {
            folios << fila[1];
        }
        EXPECT_EQ(folios, caso.folios) << caso.texto;
    }
    EXPECT_TRUE(e.mensajes->cajas.empty());
}

TEST_F(FormaLicencia, UnaBaseQueFallaAlDesplazarseSeInformaYLaGrillaSigue)
{
    agregaNumeradas(3 * ModeloGrilla::FilasPorBloque);
    muestraActiva();
    forma().findChild<QLineEdit*>("Text_NomApe")->setText("NOMBRE");
    pulsa("Cmd_BuscaTexto");
    Grilla& g = forma().MSHF_Licencias();
    const int leidas = g.model()->rowCount();
    e.conexion().ejecuta("DROP TABLE TLicencias");
    e.mensajes->esperaCriticos();
    g.scrollToBottom();
    QCoreApplication::processEvents();
    g.scrollToBottom();
    QCoreApplication::processEvents();
    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en la base de datos");
    EXPECT_EQ(g.model()->rowCount(), leidas);
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(leidas - 1, 3)).center());
    EXPECT_EQ(lee("Text_Nombres"), QString("NOMBRE %1").arg(leidas));
}

TEST_F(FormaLicencia, MensajesDeBusqueda)
{
    e.agregaLicencia({{"FolioActual", "CA1"}, {"Nombres", "ANA"}, {"NumeroLicencia", "09.507.357-7"}});
    e.agregaLicencia({{"FolioActual", "CA2"}, {"Nombres", "LUIS"}, {"NumeroLicencia", "9.507.357-7"}});
    auto* texto = forma().findChild<QLineEdit*>("Text_NomApe");
    auto* rut = forma().findChild<CajaMascara*>("MEd_BuscaRut");

    texto->setText("   ");
    pulsa("Cmd_BuscaTexto");
    forma().findChild<QRadioButton*>("Opt_Apellido")->setChecked(true);
    pulsa("Cmd_BuscaTexto");
    rut->fijaTexto("09.507.357-");
    pulsa("Cmd_BuscaRut");
    texto->setText("ZZZ");
    pulsa("Cmd_BuscaTexto");
    rut->fijaTexto("11.111.111-1");
    pulsa("Cmd_BuscaRut");

    const std::vector<std::pair<QString, QString>> esperados = {
        {"Debe ingresar un texto para buscar", "Error en busca de nombre"},
        {"Debe ingresar un texto para buscar", "Error en busca de apellido"},
        {"RUT no tiene información digitada", "Error en RUT"},
        {"No existe información para el Nombre/Apellido solicitado", "Verifique datos del Nombre/Apellido"},
        {"No existe información para el RUT solicitado", "Verifique número de RUT"},
    };
    ASSERT_EQ(e.mensajes->cajas.size(), esperados.size());
    for (size_t i = 0; i < esperados.size(); ++i) {
        EXPECT_EQ(e.mensajes->cajas[i].texto, esperados[i].first);
        EXPECT_EQ(e.mensajes->cajas[i].titulo, esperados[i].second);
        EXPECT_EQ(e.mensajes->cajas[i].icono, i >= 3 ? Icono::Informacion : Icono::Ninguno);
    }
    // Not found runs "Todos": the window with its captions.
    EXPECT_EQ(foliosVisibles(), QStringList({"CA1", "CA2"}));
    EXPECT_EQ(forma().MSHF_Licencias().texto(0, 2), "Nº Folio Actual");

    rut->fijaTexto("09.507.357-7");
    pulsa("Cmd_BuscaRut");
    EXPECT_EQ(foliosVisibles(), QStringList({"CA1"}));
}

// ---------------------------------------------------------------- fields

namespace {

// A value each kind of field shows back exactly as the row holds it.
QString valorDePrueba(const CampoLicencia& campo, const Form_Licencia& forma)
{
    switch (campo.tipo) {
    case TipoCampo::Texto:
        return QString("T%1").arg(campo.posicion).left(campo.largo);
    case TipoCampo::Lista: {
        const CajaLista& lista = forma.lista(QLatin1String(campo.control));
        return lista.itemText(lista.count() - 1);
    }
    case TipoCampo::Rut:
        return "09.507.357-7";
    case TipoCampo::RutEscuela:
        return "76.123.456-K";
    case TipoCampo::Certificado:
        return "12345678901";
    case TipoCampo::Numero:
        return QString::number(campo.posicion * 10);
    case TipoCampo::Fecha:
        return QDate(2000, 1, 1).addDays(campo.posicion * 37).toString("dd-MM-yyyy");
    case TipoCampo::Casilla:
        return "Si";
    }
    return {};
}

}  // namespace

TEST_F(FormaLicencia, CadaCampoDeLaTablaEsUnControlDeSuClase)
{
    for (const CampoLicencia& c : CamposLicencia) {
        const QString nombre = QLatin1String(c.control);
        switch (c.tipo) {
        case TipoCampo::Texto: EXPECT_NO_THROW(forma().texto(nombre)) << c.control; break;
        case TipoCampo::Lista: EXPECT_NO_THROW(forma().lista(nombre)) << c.control; break;
        case TipoCampo::Rut:
        case TipoCampo::RutEscuela:
        case TipoCampo::Certificado: EXPECT_NO_THROW(forma().mascara(nombre)) << c.control; break;
        case TipoCampo::Numero: EXPECT_NO_THROW(forma().numero(nombre)) << c.control; break;
        case TipoCampo::Fecha: EXPECT_NO_THROW(forma().fecha(nombre)) << c.control; break;
        case TipoCampo::Casilla: EXPECT_NO_THROW(forma().casilla(nombre)) << c.control; break;
        }
    }
    try {
        forma().texto("Text_QueNoExiste");
        ADD_FAILURE() << "un control inexistente no falla";
    } catch (const Forma::ErrorPrograma& error) {
        EXPECT_STREQ(error.what(), "El formulario Form_Licencia no tiene el control Text_QueNoExiste");
    }
}

TEST_F(FormaLicencia, CargarUnaFilaLlenaCadaCampoDesdeSuColumna)
{
    e.agregaLicencia({});
    forma();
    for (const CampoLicencia& c : CamposLicencia) {
        forma().MSHF_Licencias().fijaTexto(1, c.posicion, valorDePrueba(c, forma()));
    }
    forma().MSHF_Licencias().fijaTexto(1, 1, "Anulado");
    forma().MSHF_Licencias().fijaFilaActual(1);
    forma().MSHF_Licencias_Click();
    EXPECT_EQ(forma().Label_Aviso().text(), "Estado Licencia Anulado");
    for (const CampoLicencia& c : CamposLicencia) {
        EXPECT_EQ(lee(c.control), valorDePrueba(c, forma())) << c.posicion << " " << c.control;
    }
}

TEST_F(FormaLicencia, CargaSoloSiEsExactoYFechasQueNoSonFechas)
{
    e.agregaLicencia({{"Estado", "Ok"}, {"ExamenMedico", "si"}, {"ExamenTeorico", "SI"},
                      {"ExamenPractico", "Si"}, {"FechaNacimiento", "no sabe"}});
    forma().MSHF_Licencias().fijaTexto(1, 8, "x");  // an age that is not a number
    forma().MSHF_Licencias().fijaFilaActual(1);
    forma().MSHF_Licencias_Click();
    EXPECT_EQ(lee("Chk_Medico"), "No");
    EXPECT_EQ(lee("Chk_Teorico"), "No");
    EXPECT_EQ(lee("Chk_Practico"), "Si");
    // Empty and unreadable dates become the form's "no date".
    EXPECT_EQ(lee("DTP_FechaNacimiento"), "01-01-1900");
    EXPECT_EQ(lee("DTP_FechaOtorgaActual"), "01-01-1900");
    EXPECT_EQ(lee("NE_Edad"), "0");
    EXPECT_EQ(forma().Label_Aviso().text(), "Estado Licencia Ok");
}

TEST_F(FormaLicencia, MedicoGuardadoCortadoA23CaracteresSeleccionaSuEntrada)
{
    e.agregaMedico("DRA. MARIA JOSEFINA ALVAREZ DEL RIO");
    e.agregaMedico("DRA. MARIA JOSEFINA ALVAREZ PEÑA");
    e.agregaLicencia({{"FolioActual", "M1"}, {"ProfesionalMedico", "DRA. MARIA JOSEFINA ALV"}});
    e.agregaLicencia({{"FolioActual", "M2"}, {"ProfesionalMedico", "DR. LUIS PAZ"}});
    e.agregaLicencia({{"FolioActual", "M3"}, {"ProfesionalMedico", "DR. NADIE"}});
    const struct {
        int fila;
        const char* entrada;
    } casos[] = {{1, "DRA. MARIA JOSEFINA ALVAREZ DEL RIO"}, {2, "DR. LUIS PAZ"}, {3, nullptr}};
    for (const auto& c : casos) {
        forma().MSHF_Licencias().fijaFilaActual(c.fila);
        forma().MSHF_Licencias_Click();
        CajaLista& medico = forma().lista("Cbo_ProfesionalMedico");
        SeleccionaEnLista(medico);  // as the check of the physician does
        if (c.entrada) {
            EXPECT_EQ(medico.texto(), c.entrada);
            EXPECT_GE(medico.posicion(), 0) << c.fila;
        } else {
            EXPECT_EQ(medico.posicion(), -1) << c.fila;
        }
    }
}

TEST_F(FormaLicencia, ClicEnUnaFilaDeLaGrillaLaCarga)
{
    e.agregaLicencia({{"FolioActual", "CA1"}, {"Nombres", "ANA"}, {"Estado", "Ok"}});
    e.agregaLicencia({{"FolioActual", "CA2"}, {"Nombres", "LUIS"}, {"Estado", "Reprobado"}});
    Grilla& g = forma().MSHF_Licencias();
    g.resize(600, 200);
    g.show();
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {},
                      g.visualRect(g.model()->index(1, 3)).center());
    EXPECT_EQ(lee("Text_Nombres"), "LUIS");
    EXPECT_EQ(forma().Label_Aviso().text(), "Estado Licencia Reprobado");
}

TEST_F(FormaLicencia, LimpiarDejaLosValoresEnBlanco)
{
    e.agregaLicencia({{"FolioActual", "CA1"}, {"Nombres", "ANA"}, {"ExamenMedico", "Si"},
                      {"ExamenControl", "Si"}, {"Edad", 40}, {"ProfesionalMedico", "DR. LUIS PAZ"},
                      {"EntregaLicencia", "Entregada"}, {"FechaMedico", "01-02-2020"},
                      {"CertifAntecedentes", "12345678901"}, {"ClaseB", "Si"}, {"EsDonante", "Si"}});
    forma().MSHF_Licencias().fijaFilaActual(1);
    forma().MSHF_Licencias_Click();
    pulsa("Cmd_Limpiar");
    EXPECT_EQ(forma().Label_Aviso().text(), "Indefinido");
    EXPECT_EQ(lee("MEd_NLicencia"), "00.000.000-0");
    EXPECT_EQ(lee("MEd_RutEscuela"), "00.000.000-0");
    EXPECT_EQ(lee("MEd_RutEscuelaEspecial"), "00.000.000-0");
    EXPECT_EQ(lee("MEd_CertifAntecedentes"), "___________");
    EXPECT_EQ(lee("NE_Edad"), "0");
    EXPECT_EQ(lee("Text_FolioActual"), "");
    EXPECT_EQ(lee("Text_Nombres"), "");
    EXPECT_EQ(lee("Chk_B"), "No");
    EXPECT_EQ(lee("Chk_ExamenControl"), "No");
    EXPECT_EQ(lee("DTP_FechaNacimiento"), "10-12-2026");
    EXPECT_EQ(lee("DTP_FechaVenceAnterior"), "10-12-2026");
    // Left as they were.
    EXPECT_EQ(lee("Cbo_ProfesionalMedico"), "DR. LUIS PAZ");
    EXPECT_EQ(lee("Cbo_EntregaLicencia"), "Entregada");
    EXPECT_EQ(lee("Cbo_Donante"), "Si");
    EXPECT_EQ(lee("DTP_Medico"), "01-02-2020");
    for (const char* x : {"Lbl_MedicoOk", "Lbl_TeoricoOK", "Lbl_PracticoOk"}) {
        EXPECT_FALSE(forma().findChild<QLabel*>(x)->isHidden()) << x;
    }
}

TEST_F(FormaLicencia, MarcasXDeLosExamenesYExamenDeControl)
{
    auto visible = [&](const char* x) { return !forma().findChild<QLabel*>(x)->isHidden(); };
    auto* medico = forma().findChild<QCheckBox*>("Chk_Medico");
    auto* teorico = forma().findChild<QCheckBox*>("Chk_Teorico");
    auto* control = forma().findChild<QCheckBox*>("Chk_ExamenControl");
    pulsa("Cmd_Limpiar");
    medico->click();
    EXPECT_FALSE(visible("Lbl_MedicoOk"));
    teorico->click();
    EXPECT_FALSE(visible("Lbl_TeoricoOK"));
    teorico->click();
    EXPECT_TRUE(visible("Lbl_TeoricoOK"));
    control->click();
    EXPECT_FALSE(visible("Lbl_TeoricoOK"));
    EXPECT_FALSE(visible("Lbl_PracticoOk"));
    EXPECT_FALSE(visible("Lbl_MedicoOk"));
    control->click();  // unmarking changes nothing
    EXPECT_FALSE(visible("Lbl_TeoricoOK"));

    // A loaded control exam hides the theory and practical marks.
    e.agregaLicencia({{"ExamenControl", "Si"}, {"ExamenMedico", "No"}});
    forma().Cmd_Todos_Click();
    forma().MSHF_Licencias().fijaFilaActual(1);
    forma().MSHF_Licencias_Click();
    EXPECT_TRUE(visible("Lbl_MedicoOk"));
    EXPECT_FALSE(visible("Lbl_TeoricoOK"));
    EXPECT_FALSE(visible("Lbl_PracticoOk"));
}

TEST_F(FormaLicencia, EdadCumplidaAlEntrarSiEstaEnCero)
{
    muestraActiva();
    auto* edad = forma().findChild<QSpinBox*>("NE_Edad");
    auto* nacimiento = forma().findChild<CajaFecha*>("DTP_FechaNacimiento");
    auto* nombres = forma().findChild<QLineEdit*>("Text_Nombres");
    const struct {
        QDate hoy, nacimiento;
        int antes, despues;
    } casos[] = {
        {QDate(2027, 1, 1), QDate(2026, 12, 31), 0, 0},
        {QDate(2026, 12, 10), QDate(2008, 12, 11), 0, 17},
        {QDate(2026, 12, 10), QDate(2008, 12, 10), 0, 18},
        {QDate(2026, 12, 10), QDate(1980, 5, 5), 33, 33},  // a typed age stays
    };
    for (const auto& c : casos) {
        e.reloj->momento.setDate(c.hoy);
        nombres->setFocus();
        nacimiento->setDate(c.nacimiento);
        edad->setValue(c.antes);
        edad->setFocus();
        EXPECT_EQ(edad->value(), c.despues) << c.nacimiento.toString().toStdString();
    }
}

TEST_F(FormaLicencia, EnterYFlechaAbajoComoTabYAyudaDeRestricciones)
{
    muestraActiva();
    auto* nombres = forma().findChild<QLineEdit*>("Text_Nombres");
    QWidget* siguiente = nombres->nextInFocusChain();
    while (!(siguiente->focusPolicy() & Qt::TabFocus) || !siguiente->isVisibleTo(&forma())) {
        siguiente = siguiente->nextInFocusChain();
    }
    for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Down}) {
        nombres->setFocus();
        QTest::keyClick(nombres, tecla);
        EXPECT_EQ(QApplication::focusWidget(), siguiente) << tecla;
    }
    auto* ayuda = forma().findChild<QGroupBox*>("Frm_Restricciones");
    EXPECT_TRUE(ayuda->isHidden());
    auto* restriccion = forma().findChild<QLineEdit*>("Text_RestriccionAnterior");
    restriccion->setFocus();
    EXPECT_FALSE(ayuda->isHidden());
    // Beside the box, not over it.
    const QRect caja(restriccion->mapTo(&forma(), QPoint()), restriccion->size());
    EXPECT_FALSE(ayuda->geometry().intersects(caja));
    EXPECT_LT(std::abs(ayuda->geometry().center().y() - caja.center().y()), ayuda->height());
    nombres->setFocus();
    EXPECT_TRUE(ayuda->isHidden());
}

TEST_F(FormaLicencia, UnaTeclaDesdeCadaFechaPasaAlControlSiguiente)
{
    muestraActiva();
    for (const CampoLicencia& c : CamposLicencia) {
        if (c.tipo != TipoCampo::Fecha) {
            continue;
        }
        CajaFecha& fecha = forma().fecha(c.control);
        for (const Qt::Key tecla : {Qt::Key_Return, Qt::Key_Down}) {
            fecha.setFocus();
            QTest::keyClick(QApplication::focusWidget(), tecla);
            QWidget* ahora = QApplication::focusWidget();
            EXPECT_TRUE(ahora != &fecha && !fecha.isAncestorOf(ahora)) << c.control << " " << tecla;
        }
    }
}

TEST_F(FormaLicencia, CabeEnUnaPantallaDe1366x768)
{
    e.agregaMedico("DRA. MARIA JOSEFINA ALVAREZ DEL RIO");
    e.app().descarga<Form_Licencia>();
    Entorno::procesaEliminaciones();
    forma().resize(1366, 768);
    muestraActiva();
    auto* area = forma().findChild<QScrollArea*>("Scr_Campos");
    EXPECT_LE(area->widget()->width(), area->viewport()->width()) << "se corta a la derecha";
    e.agregaLicencia({{"FolioActual", "CA04354520"}, {"Nombres", "JOSÉ MARÍA"}, {"Estado", "Ok"},
                      {"Estudios", "Superior incompleta"}, {"ProfesionalMedico", "DRA. MARIA JOSEFINA ALV"}});
    pulsa("Cmd_Todos");
    forma().MSHF_Licencias().fijaFilaActual(1);
    forma().MSHF_Licencias_Click();
    const int fondo = area->verticalScrollBar()->maximum();
    for (const auto& [nombre, posicion] : {std::pair{"licencia_arriba", 0}, {"licencia_medio", fondo / 2},
                                           {"licencia_abajo", fondo}}) {
        area->verticalScrollBar()->setValue(posicion);
        GuardaCaptura(forma(), nombre);
    }
    Grilla& g = forma().MSHF_Licencias();
    EXPECT_GE(g.viewport()->height() / g.verticalHeader()->defaultSectionSize(), 10);
    for (CajaLista* lista : forma().findChildren<CajaLista*>()) {
        for (int i = 0; i < lista->count(); ++i) {
            EXPECT_GT(lista->width() - 24, lista->fontMetrics().horizontalAdvance(lista->itemText(i)))
                << lista->objectName().toStdString() << ": " << lista->itemText(i).toStdString();
        }
    }
    for (int c = 0; c < g.model()->columnCount(); ++c) {
        const QString titulo = g.model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_GE(g.columnWidth(c), g.horizontalHeader()->fontMetrics().horizontalAdvance(titulo)) << titulo.toStdString();
    }
}

TEST_F(FormaLicencia, AccesosDeshabilitanSusBotones)
{
    const struct {
        int indice;
        QStringList botones;
    } casos[] = {
        {0, {"Cmd_Registrar"}},
        {1, {"Cmd_Modificar"}},
        {2, {"Cmd_Eliminar"}},
        {3, {"Cmd_Anular"}},
        {4, {"Cmd_BuscaRut", "Cmd_BuscaTexto", "Cmd_Imprimir", "Cmd_Todos"}},
    };
    for (const auto& caso : casos) {
        e.app().descarga<Form_Licencia>();
        Entorno::procesaEliminaciones();
        e.app().Accesos.fill(1);
        e.app().Accesos[size_t(caso.indice)] = 0;
        Form_Licencia& f = e.app().forma<Form_Licencia>();
        QStringList deshabilitados;
        for (QPushButton* b : f.findChildren<QPushButton*>()) {
            if (!b->isEnabled()) {
                deshabilitados << b->objectName();
            }
        }
        deshabilitados.sort();
        EXPECT_EQ(deshabilitados, caso.botones) << caso.indice;
    }
}

TEST_F(FormaLicencia, SinMedicosAvisaUnaVezYLasListasQuedanVacias)
{
    e.conexion().ejecuta("DELETE FROM TMedicos");
    forma();
    EXPECT_EQ(e.mensajes->textos(), QStringList({"No hay médicos registrados"}));
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en registro de médicos");
    for (CajaLista* l : forma().findChildren<CajaLista*>()) {
        EXPECT_EQ(l->count(), 0) << l->objectName().toStdString();
    }
}

TEST_F(FormaLicencia, ListasEnSuOrden)
{
    EXPECT_EQ(forma().findChildren<CajaLista*>().size(), 6);
    EXPECT_EQ(lee("Cbo_ProfesionalMedico"), "Selecione el Médico");
    EXPECT_EQ(forma().lista("Cbo_ProfesionalMedico").itemText(1), "DRA. ANA MUÑOZ");
    EXPECT_EQ(forma().lista("Cbo_ProfesionalMedico").posicion(), -1);
    EXPECT_EQ(forma().lista("Cbo_NivelEstudios").itemText(0), "S/Certif. X Control");
    EXPECT_EQ(forma().lista("Cbo_NivelEstudios").count(), 11);
    EXPECT_EQ(forma().lista("Cbo_EntregaLicencia").itemText(1), "Extraviada");
    EXPECT_EQ(forma().lista("Cbo_Donante").itemText(0), "No");
}
