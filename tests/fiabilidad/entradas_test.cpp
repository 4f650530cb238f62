// Difficult text on every input path: the licence form's text boxes, its
// search boxes and signature panel, the registry files, and the arguments of
// the commands. What a box holds is stored and read back exactly; a search
// takes the text literally; the registry files carry it in Windows-1252; a
// command uses it or refuses it with a Spanish message. Never a crash, never
// a database error.

#include "../registry_files/solicitudes.h"
#include "entorno.h"
#include "fiabilidad.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "prueba.h"
#include "register/campos_licencia.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "registry_files/generacion_planos.h"
#include "shell/datos/recordset.h"
#include "solicitud_valida.h"
#include "textos_dificiles.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <set>

namespace {

const QString PreguntaRegistro = QStringLiteral("Licencia ha sido registrada, desea imprimir ahora ?");
const QString PreguntaModificacion = QStringLiteral("Licencia ha sido modificada, desea imprimir ahora ?");

// What a box of `largo` characters keeps of a pasted text: cut at its
// maximum but never in the middle of a character, each control character a
// blank.
QString EnCaja(const QString& texto, int largo)
{
    QString enCaja = texto.left(largo);
    if (!enCaja.isEmpty() && enCaja.back().isHighSurrogate()) {
        enCaja.chop(1);
    }
    for (QChar& c : enCaja) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return enCaja;
}

QString Nombre(const TextoDificil& t)
{
    return QString::fromUtf8(t.nombre);
}

class Entradas : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.app().Accesos.fill(1);
        e.agregaMedico("DR. PEDRO SOTO");
        f = &e.app().forma<Form_Licencia>();
    }

    // The clerk pastes `texto` over whatever the box held.
    static void pega(QLineEdit& caja, const QString& texto)
    {
        QGuiApplication::clipboard()->setText(texto);
        caja.selectAll();
        caja.paste();
        if (texto.isEmpty()) {
            caja.clear();
        }
    }
    void pulsa(const char* boton) { f->findChild<QPushButton*>(boton)->click(); }
    // Presses a storing command, answering No to its print question; the
    // boxes it showed.
    QStringList guarda(const char* boton)
    {
        e.mensajes->cajas.clear();
        e.mensajes->responde(Respuesta::No);
        pulsa(boton);
        e.mensajes->respuestas.clear();
        return e.mensajes->textos();
    }
    // PostgreSQL's text cannot hold NUL; only SQLite may have such rows from
    // elsewhere (the form's boxes keep it out).
    bool cabeEnLaBase(const QString& texto) const
    {
        return e.origen().motor == OrigenDatos::Motor::SQLite || !texto.contains(QChar(0));
    }
    Recordset fila(const QString& folio)
    {
        return e.conexion().consulta(QStringLiteral("SELECT * FROM TLicencias WHERE FolioActual = ?"), {folio});
    }

    Entorno e;
    Form_Licencia* f = nullptr;
};

}  // namespace

TEST_F(Entradas, CadaCajaDeTextoDelFormularioGuardaYVuelveACargarLoQueMuestra)
{
    int registradas = 0;
    int rechazadas = 0;
    int n = 0;
    for (const TextoDificil& t : TextosDificiles()) {
        for (const CampoLicencia& campo : CamposLicencia) {
            // A list takes typed text too, which the checks hold against its
            // entries.
            const bool deLista = campo.tipo == TipoCampo::Lista;
            if (campo.tipo != TipoCampo::Texto && !deLista) {
                continue;
            }
            const QString control = QLatin1String(campo.control);
            const QString columna = QLatin1String(ColumnaEn(campo.posicion).nombre);
            SCOPED_TRACE((Nombre(t) + " en " + control).toStdString());
            LlenaSolicitudValida(*f);
            f->texto("Text_FolioActual").setText(QStringLiteral("F%1").arg(++n));
            QLineEdit& caja = deLista ? *f->lista(control).lineEdit() : f->texto(control);
            pega(caja, t.texto);
            const QString muestra = caja.text();
            EXPECT_EQ(muestra, EnCaja(t.texto, deLista ? caja.maxLength() : campo.largo));
            const QString folio = f->texto("Text_FolioActual").text();

            const QStringList cajas = guarda("Cmd_Registrar");
            if (cajas != QStringList{PreguntaRegistro}) {
                // Only a blank text, or one no entry of a list holds, may be
                // refused, by the form's own check.
                EXPECT_TRUE(muestra.trimmed().isEmpty() || deLista) << cajas.join(" | ").toStdString();
                EXPECT_EQ(cajas.size(), 1);
                EXPECT_TRUE(fila(folio).eof());
                ++rechazadas;
                continue;
            }
            ++registradas;
            // A blank non-donor number is not stored: the column keeps its value.
            const bool sinNumero = control == QLatin1String("Text_CorrNoDonante") && muestra.trimmed().isEmpty();
            const QString guardado = sinNumero ? QString() : muestra;
            EXPECT_EQ(fila(folio).texto(columna), guardado);
            ASSERT_TRUE(f->CargaFolio(folio));
            EXPECT_EQ(caja.text(), guardado);
            EXPECT_EQ(guarda("Cmd_Modificar"), QStringList{PreguntaModificacion});
            EXPECT_EQ(fila(folio).texto(columna), guardado);
            ASSERT_TRUE(f->CargaFolio(folio));
            EXPECT_EQ(caja.text(), guardado);
        }
    }
    Cifras(QStringLiteral("Textos difíciles en las cajas del formulario"),
           {QStringLiteral("%1 textos").arg(TextosDificiles().size()),
            QStringLiteral("%1 solicitudes registradas, modificadas y leídas de nuevo").arg(registradas),
            QStringLiteral("%1 rechazadas por la validación (texto en blanco o fuera de la lista)").arg(rechazadas),
            QStringLiteral("%1 fallas").arg(FallasDeLaPrueba())});
}

TEST_F(Entradas, LaFirmaGuardaLoQueMuestraSuCaja)
{
    for (const TextoDificil& t : TextosDificiles()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        f->Cmd_Firma_Click();
        QLineEdit& caja = f->texto("TextFirma");
        pega(caja, t.texto);
        EXPECT_EQ(caja.text(), EnCaja(t.texto, 25));
        const QString firma = caja.text().trimmed().isEmpty() ? QStringLiteral(".") : caja.text();
        f->Cmd_FrmAceptar_Click();
        EXPECT_EQ(e.conexion().consulta("SELECT Usuario FROM TJefe").texto("Usuario"), firma.leftJustified(25));
        EXPECT_EQ(e.app().FirmaJefe.texto(), firma.leftJustified(25));
    }
    Cifras(QStringLiteral("Textos difíciles en la firma"),
           {QStringLiteral("%1 firmas guardadas y leídas").arg(TextosDificiles().size()),
            QStringLiteral("%1 fallas").arg(FallasDeLaPrueba())});
}

namespace {

// SQL's trim takes off blanks only.
QString SinBlancosAlBorde(const QString& texto)
{
    qsizetype desde = 0;
    qsizetype hasta = texto.size();
    while (desde < hasta && texto.at(desde) == QLatin1Char(' ')) {
        ++desde;
    }
    while (hasta > desde && texto.at(hasta - 1) == QLatin1Char(' ')) {
        --hasta;
    }
    return texto.mid(desde, hasta - desde);
}

// Names a wildcard or a lost escape would wrongly find.
QStringList Senuelos(const QString& texto)
{
    QString comodines = texto;
    comodines.replace(QLatin1Char('%'), QLatin1String("ZZ")).replace(QLatin1Char('_'), QLatin1String("Q"));
    QString sinEscapes = texto;
    sinEscapes.remove(QLatin1Char('\\')).remove(QLatin1Char('\''));
    return {comodines, sinEscapes, texto.toLower(), QStringLiteral("ZZZ") + texto, QStringLiteral("ZZZ")};
}

}  // namespace

TEST_F(Entradas, LaBusquedaPorNombreYApellidoTomaElTextoAlPieDeLaLetra)
{
    // The names stored so far, by folio: each search must find exactly those
    // beginning with the typed text, whatever case.
    QMap<QString, QString> nombres;
    int busquedas = 0;
    int encontradas = 0;
    int i = 0;
    for (const TextoDificil& t : TextosDificiles()) {
        ++i;
        int j = 0;
        for (const QString& nombre : QStringList{t.texto, t.texto + QStringLiteral(" MÁS")} + Senuelos(t.texto)) {
            const QString folio = QStringLiteral("B%1-%2").arg(i).arg(++j);
            if (!cabeEnLaBase(nombre)) {
                continue;
            }
            e.agregaLicencia({{"FolioActual", folio}, {"Nombres", nombre}, {"ApPaterno", nombre}});
            nombres[folio] = nombre;
        }
        for (const char* opcion : {"Opt_Nombre", "Opt_Apellido"}) {
            SCOPED_TRACE((Nombre(t) + " por " + opcion).toStdString());
            f->control<QRadioButton>(opcion).setChecked(true);
            QLineEdit& caja = f->texto("Text_NomApe");
            pega(caja, t.texto);
            const QString buscado = caja.text().trimmed();
            e.mensajes->cajas.clear();
            pulsa("Cmd_BuscaTexto");
            ++busquedas;
            if (buscado.isEmpty()) {
                EXPECT_EQ(e.mensajes->textos(), QStringList{"Debe ingresar un texto para buscar"});
                continue;
            }
            std::set<QString> esperados;
            for (auto it = nombres.cbegin(); it != nombres.cend(); ++it) {
                if (SinBlancosAlBorde(it.value()).toUpper().startsWith(buscado.toUpper())) {
                    esperados.insert(it.key());
                }
            }
            if (esperados.empty()) {
                EXPECT_EQ(e.mensajes->textos(),
                          QStringList{"No existe información para el Nombre/Apellido solicitado"});
                continue;
            }
            EXPECT_EQ(e.mensajes->textos(), QStringList());
            Grilla& grilla = f->MSHF_Licencias();
            std::set<QString> hallados;
            for (int fila = 1; fila < grilla.filas(); ++fila) {
                hallados.insert(grilla.texto(fila, 2));
            }
            EXPECT_EQ(hallados, esperados);
            encontradas += int(hallados.size());
        }
    }
    Cifras(QStringLiteral("Textos difíciles en la búsqueda por nombre y apellido"),
           {QStringLiteral("%1 búsquedas").arg(busquedas),
            QStringLiteral("%1 filas en la tabla, %2 halladas en total").arg(nombres.size()).arg(encontradas),
            QStringLiteral("%1 fallas").arg(FallasDeLaPrueba())});
}

TEST_F(Entradas, LaBusquedaPorRutSoloTomaLoQueCabeEnLaMascara)
{
    for (const TextoDificil& t : TextosDificiles()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        CajaMascara& caja = f->mascara("MEd_BuscaRut");
        caja.fijaTexto(QString());
        caja.setFocus();
        caja.setCursorPosition(0);
        for (const uint c : t.texto.toUcs4()) {
            const QString letra = QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
            QKeyEvent pulsada(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, letra);
            QKeyEvent soltada(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, letra);
            QCoreApplication::sendEvent(&caja, &pulsada);
            QCoreApplication::sendEvent(&caja, &soltada);
        }
        EXPECT_EQ(caja.texto().size(), 12) << caja.texto().toStdString();
        e.mensajes->cajas.clear();
        pulsa("Cmd_BuscaRut");
        ASSERT_EQ(e.mensajes->cajas.size(), 1u);
        const QString aviso = e.mensajes->cajas[0].texto;
        EXPECT_TRUE(aviso == "RUT no tiene información digitada" ||
                    aviso == "No existe información para el RUT solicitado")
            << aviso.toStdString();
    }
    Cifras(QStringLiteral("Textos difíciles tecleados en el RUT a buscar"),
           {QStringLiteral("%1 búsquedas").arg(TextosDificiles().size()),
            QStringLiteral("%1 fallas").arg(FallasDeLaPrueba())});
}

namespace {

QByteArray Campo(const TextoDificil& t, int ancho)
{
    return t.enPlano.left(ancho).leftJustified(ancho, ' ');
}

QList<QByteArray> Lineas(const QString& ruta)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly)) {
        return {};
    }
    QList<QByteArray> lineas = archivo.readAll().split('\n');
    for (QByteArray& l : lineas) {
        if (l.endsWith('\r')) {
            l.chop(1);
        }
    }
    if (!lineas.isEmpty() && lineas.back().isEmpty()) {
        lineas.removeLast();
    }
    return lineas;
}

}  // namespace

TEST_F(Entradas, LosArchivosPlanosLlevanCadaTextoEnWindows1252)
{
    std::vector<TextoDificil> textos;
    for (const TextoDificil& t : TextosDificiles()) {
        if (cabeEnLaBase(t.texto)) {
            textos.push_back(t);
        }
    }
    int folio = 0;
    for (const TextoDificil& t : textos) {
        Solicitud(QStringLiteral("CA%1").arg(++folio, 8, 10, QLatin1Char('0')))
            .con("Nombres", t.texto)
            .con("ApPaterno", t.texto)
            .con("ApMaterno", t.texto)
            .con("Domicilio", t.texto)
            .con("ComunaDomicilio", t.texto)
            .con("Denegada", "si")
            .con("D01", QStringLiteral("A1").leftJustified(20))
            .con("Duracion", "006")
            .agregaEn(e);
    }
    QTemporaryDir trabajo;
    QTemporaryDir salida;
    const RangoSolicitud junio{QDate(2010, 6, 7), QDate(2010, 6, 7)};
    const CarpetasPlanos carpetas{trabajo.path(), salida.path()};
    QStringList avisos;
    const Avisa avisa = [&](const AvisoPlano& a) { avisos << a.texto; };
    ASSERT_TRUE(GeneraPlanoLicencias(e.conexion(), junio, carpetas, avisa)) << avisos.join('\n').toStdString();
    ASSERT_TRUE(GeneraPlanoDenegaciones(e.conexion(), junio, carpetas, avisa)) << avisos.join('\n').toStdString();

    const auto licencias = Lineas(QDir(salida.path()).filePath("LPVN000"));
    const auto denegaciones = Lineas(QDir(salida.path()).filePath("DPVN000"));
    ASSERT_EQ(licencias.size(), 1 + 2 * qsizetype(textos.size()));
    ASSERT_EQ(denegaciones.size(), 1 + qsizetype(textos.size()));
    for (size_t i = 0; i < textos.size(); ++i) {
        const TextoDificil& t = textos[i];
        SCOPED_TRACE(Nombre(t).toStdString());
        const QByteArray& l = licencias[1 + 2 * qsizetype(i)];
        const QByteArray& d = licencias[2 + 2 * qsizetype(i)];
        const QByteArray& r = denegaciones[1 + qsizetype(i)];
        ASSERT_EQ(l.size(), 208);
        ASSERT_EQ(d.size(), 158);
        ASSERT_EQ(r.size(), 8 + 25 + 79);
        EXPECT_EQ(l.mid(51, 30), Campo(t, 30));
        EXPECT_EQ(l.mid(81, 30), Campo(t, 30));
        EXPECT_EQ(l.mid(111, 40), Campo(t, 40));
        EXPECT_EQ(d.mid(1, 55), Campo(t, 55));
        EXPECT_EQ(d.mid(56, 45), Campo(t, 45));
        EXPECT_EQ(r.mid(42, 20), Campo(t, 20));
        EXPECT_EQ(r.mid(62, 20), Campo(t, 20));
        EXPECT_EQ(r.mid(82, 30), Campo(t, 30));
    }
    Cifras(QStringLiteral("Textos difíciles en los archivos planos"),
           {QStringLiteral("%1 solicitudes").arg(textos.size()),
            QStringLiteral("%1 líneas de LPVN000 y %2 de DPVN000 medidas campo por campo")
                .arg(licencias.size())
                .arg(denegaciones.size()),
            QStringLiteral("%1 fallas").arg(FallasDeLaPrueba())});
}

namespace {

struct Corrida {
    int estado = -1;
    bool termino = false;
    QString salida;
    QString error;
};

class LineaDeComandos : public ::testing::Test {
protected:
    // The program run as a clerk runs it, on the test's database.
    Corrida ejecuta(const QStringList& argumentos, const QByteArray& entrada = {})
    {
        QProcess p;
        p.setWorkingDirectory(trabajo.path());
        Corrida c;
        if (Inicia(p, ProgramaLicencias, argumentos + QStringList{"--db", TextoOrigen(e.origen())})) {
            p.write(entrada);
            p.closeWriteChannel();
            c.termino = p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit;
            c.estado = p.exitCode();
            c.salida = QString::fromUtf8(p.readAllStandardOutput());
            c.error = QString::fromUtf8(p.readAllStandardError());
        }
        ++corridas;
        return c;
    }
    // Whatever the text: no crash, no failing database, and a failure says
    // why in Spanish.
    static void compruebaCorrida(const Corrida& c)
    {
        EXPECT_TRUE(c.termino) << c.error.toStdString();
        EXPECT_TRUE(c.estado == 0 || c.estado == 1 || c.estado == 2) << c.estado;
        for (const char* error : {"rechazó la instrucción", "Error al leer los datos"}) {
            EXPECT_FALSE(c.error.contains(QString::fromUtf8(error))) << c.error.toStdString();
        }
        if (c.estado != 0) {
            EXPECT_TRUE(c.error.startsWith("licencias: ") || c.error.contains("\nlicencias: "))
                << c.error.toStdString();
        }
    }
    // A file or folder named by the text, inside the output folder.
    QString enSalida(const QString& nombre) const { return salida.path() + QLatin1Char('/') + nombre; }
    static bool cabeComoNombre(const QString& nombre) { return nombre.toUtf8().size() <= 255; }

    // The texts an argument can carry.
    static std::vector<TextoDificil> textos()
    {
        std::vector<TextoDificil> lista;
        for (const TextoDificil& t : TextosDificiles()) {
            if (t.enLineaDeComandos) {
                lista.push_back(t);
            }
        }
        return lista;
    }
    void cifras(const char* comando)
    {
        Cifras(QStringLiteral("Textos difíciles en «licencias %1»").arg(comando),
               {QStringLiteral("%1 textos").arg(textos().size()), QStringLiteral("%1 corridas").arg(corridas),
                QStringLiteral("%1 fallas").arg(FallasDeLaPrueba())});
    }

    Entorno e;
    QTemporaryDir trabajo;
    QTemporaryDir salida;
    int corridas = 0;
};

}  // namespace

TEST_F(LineaDeComandos, PlanosRechazaOUsaCadaTexto)
{
    Solicitud("CA00000001").agregaEn(e);
    for (const TextoDificil& t : textos()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        const Corrida tipo =
            ejecuta({"planos", "--tipo", t.texto, "--desde", "01-06-2010", "--hasta", "30-06-2010", "--planos", salida.path()});
        compruebaCorrida(tipo);
        EXPECT_EQ(tipo.estado, 2);
        const Corrida desde =
            ejecuta({"planos", "--tipo", "licencias", "--desde", t.texto, "--hasta", "30-06-2010", "--planos", salida.path()});
        compruebaCorrida(desde);
        EXPECT_EQ(desde.estado, 2);
        const QString carpeta = enSalida(t.texto);
        const Corrida planos =
            ejecuta({"planos", "--tipo", "licencias", "--desde", "01-06-2010", "--hasta", "30-06-2010", "--planos", carpeta});
        compruebaCorrida(planos);
        EXPECT_EQ(planos.estado, cabeComoNombre(t.texto) ? 0 : 1) << planos.error.toStdString();
        if (planos.estado == 0) {
            EXPECT_TRUE(QFile::exists(QDir(carpeta.trimmed()).filePath("LPVN000")));
        }
    }
    cifras("planos");
}

TEST_F(LineaDeComandos, EstadisticaRechazaOUsaCadaTexto)
{
    for (const TextoDificil& t : textos()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        for (const QStringList& mal : {QStringList{"--mes", t.texto, "--anio", "2010"},
                                       QStringList{"--mes", "6", "--anio", t.texto}}) {
            const Corrida c = ejecuta(QStringList{"estadistica", "--tipo", "otorgadas"} + mal);
            compruebaCorrida(c);
            EXPECT_NE(c.estado, 0);
        }
        const Corrida c = ejecuta({"estadistica", "--tipo", "otorgadas", "--mes", "6", "--anio", "2010",
                                   "--salida", enSalida(t.texto)});
        compruebaCorrida(c);
        if (c.estado == 0) {
            EXPECT_TRUE(QFile::exists(enSalida(t.texto)) || t.texto.isEmpty());
        }
    }
    cifras("estadistica");
}

TEST_F(LineaDeComandos, ListadoRechazaOUsaCadaTexto)
{
    Solicitud("CA00000001").con("Nombres", TextosDificiles().front().texto).agregaEn(e);
    for (const TextoDificil& t : textos()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        for (const QStringList& mal : {QStringList{"--tipo", t.texto, "--desde", "01-06-2010", "--hasta", "30-06-2010"},
                                       QStringList{"--tipo", "Folios", "--desde", t.texto, "--hasta", "30-06-2010"}}) {
            const Corrida c = ejecuta(QStringList{"listado"} + mal);
            compruebaCorrida(c);
            EXPECT_NE(c.estado, 0);
        }
        const Corrida c = ejecuta({"listado", "--tipo", "Folios", "--desde", "01-06-2010", "--hasta", "30-06-2010",
                                   "--salida", enSalida(t.texto)});
        compruebaCorrida(c);
        if (c.estado == 0) {
            EXPECT_TRUE(QFile::exists(enSalida(t.texto)) || t.texto.isEmpty());
        }
    }
    cifras("listado");
}

TEST_F(LineaDeComandos, ImprimirHallaElFolioTalComoSeEscribe)
{
    Solicitud("CA00000001").agregaEn(e);
    int i = 0;
    for (const TextoDificil& t : textos()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        if (!t.texto.trimmed().isEmpty()) {
            Solicitud(t.texto).agregaEn(e);
        }
        const QString pdf = enSalida(QStringLiteral("%1.pdf").arg(++i));
        const Corrida folio = ejecuta({"imprimir", "--folio", t.texto, "--pdf", pdf});
        compruebaCorrida(folio);
        EXPECT_EQ(folio.estado, t.texto.trimmed().isEmpty() ? 2 : 0) << folio.error.toStdString();
        EXPECT_EQ(QFile(pdf).size() > 0, folio.estado == 0);
        const Corrida usuario = ejecuta({"imprimir", "--folio", "CA00000001", "--usuario", t.texto, "--pdf", pdf});
        compruebaCorrida(usuario);
        EXPECT_EQ(usuario.estado, t.texto.isEmpty() ? 0 : 1) << usuario.error.toStdString();
    }
    cifras("imprimir");
}

TEST_F(LineaDeComandos, UsuarioGuardaElNombreTalComoSeEscribeORechazaConUnMotivo)
{
    QStringList agregados;
    for (const TextoDificil& t : textos()) {
        SCOPED_TRACE(Nombre(t).toStdString());
        const Corrida c = ejecuta({"usuario", "agregar", t.texto, "--nombre", t.texto, "--accesos", "todos"}, "clave1\n");
        compruebaCorrida(c);
        const Recordset guardado =
            e.conexion().consulta("SELECT nombre FROM TUsuarios WHERE usuario = ?", {t.texto});
        EXPECT_EQ(guardado.recordCount(), c.estado == 0 ? 1 : 0);
        if (c.estado == 0) {
            agregados << t.texto;
            EXPECT_EQ(guardado.texto("nombre"), t.texto.trimmed());
        }
    }
    const Corrida lista = ejecuta({"usuario", "listar"});
    compruebaCorrida(lista);
    EXPECT_EQ(lista.estado, 0);
    for (const QString& usuario : agregados) {
        EXPECT_TRUE(lista.salida.contains(usuario)) << usuario.toStdString();
    }
    cifras("usuario");
}
