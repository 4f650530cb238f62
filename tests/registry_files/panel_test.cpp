#include "entorno_planos.h"

#include <QRadioButton>

namespace {

class Panel : public EntornoPlanos {
protected:
    // An application of June 2010 for each file: plain, restricted, denied.
    void agregaUnaDeCada()
    {
        Solicitud("CA00000001").con("FechaActual", "01-06-2010").agregaEn(e);
        Solicitud("CA00000002")
            .con("FechaActual", "30-06-2010")
            .con("RestriccionActual", "1-3")
            .agregaEn(e);
        Solicitud("CA00000003")
            .con("FechaActual", "15-06-2010")
            .con("Estado", "Reprobado")
            .con("Denegada", "si")
            .con("D02", "          B         ")
            .con("Duracion", "006")
            .agregaEn(e);
    }
    void generaJunio(const char* entrada, const QString& carpeta)
    {
        generaEnPanel(entrada, QDate(2010, 6, 1), QDate(2010, 6, 30), carpeta);
    }
    QStringList textos() const { return e.mensajes->textos(); }
};

const QString ExitoL = "El archivo plano (LPVN000) fue generado exitosamente";
const QString ExitoR = "El archivo plano (RPVN000) fue generado exitosamente";
const QString ExitoD = "El archivo plano (DPVN000) fue generado exitosamente";

// The lines of a file, each checked to end in CR LF.
QByteArrayList lineas(const QByteArray& archivo)
{
    EXPECT_TRUE(archivo.endsWith("\r\n"));
    QByteArrayList partes = archivo.split('\n');
    partes.removeLast();
    for (QByteArray& p : partes) {
        EXPECT_TRUE(p.endsWith('\r')) << p.toStdString();
        p.chop(1);
    }
    return partes;
}

}  // namespace

TEST_F(Panel, LasEntradasDelMenuLoAbrenConHoyYSuOpcion)
{
    for (const auto& [entrada, opcion] :
         {std::pair{MenuLicencias, "Opt_LicenciasDuplicadosSinAnotaciones"},
          {MenuDenegaciones, "Opt_DenegacionesLicencias"}}) {
        bool mostrado = false;
        abrePanel(entrada, [&, opcion = opcion](Frm_Planos& panel) {
            mostrado = true;
            EXPECT_EQ(panel.windowTitle(), "Archivos Planos");
            EXPECT_EQ(panel.control<CajaFecha>("DTP_FechaFolio").date(), e.reloj->hoy());
            EXPECT_EQ(panel.control<CajaFecha>("DTP_FechaFolioFin").date(), e.reloj->hoy());
            EXPECT_TRUE(panel.control<QRadioButton>(opcion).isChecked()) << opcion;
            EXPECT_EQ(panel.control<QLineEdit>("Text_CarpetaPlanos").text(),
                      QDir::toNativeSeparators(QDir::home().filePath("planos")));
        });
        EXPECT_TRUE(mostrado) << entrada;
    }
    EXPECT_EQ(e.ventanas->modales, QStringList({"Frm_Planos", "Frm_Planos"}));
}

TEST_F(Panel, GenerarLicenciasEscribeAmbosArchivosLosCopiaYAvisaEnOrden)
{
    agregaUnaDeCada();
    const QString carpeta = en(salida, "nueva/planos");  // missing: it is created
    generaJunio(MenuLicencias, carpeta);

    ASSERT_EQ(e.mensajes->cajas.size(), 2u) << textos().join(" | ").toStdString();
    EXPECT_EQ(textos(), QStringList({ExitoL, ExitoR}));
    for (const auto& caja : e.mensajes->cajas) {
        EXPECT_EQ(caja.titulo, "Archivo generado");
        EXPECT_EQ(caja.icono, Icono::Ninguno);
    }
    const QByteArray l = lee(en(trabajo, "LPVN000"));
    const QByteArrayList lineasL = lineas(l);
    ASSERT_EQ(lineasL.size(), 3);
    EXPECT_EQ(lineasL[0], "Pelvarin");
    EXPECT_TRUE(lineasL[1].startsWith("L1CA000000000120100601B ")) << lineasL[1].toStdString();
    EXPECT_EQ(lineasL[1].size(), 208);
    EXPECT_TRUE(lineasL[1].contains("MU\xD1OZ" + QByteArray(25, ' ') + "JUAN ANDR\xC9S"));
    EXPECT_TRUE(lineasL[2].startsWith("DTEMUCO "));
    EXPECT_EQ(lineasL[2].size(), 158);

    const QByteArrayList lineasR = lineas(lee(en(trabajo, "RPVN000")));
    ASSERT_EQ(lineasR.size(), 3);
    EXPECT_EQ(lineasR[0], "Pelvarin");
    EXPECT_TRUE(lineasR[1].startsWith("L1CA000000000220100630")) << lineasR[1].toStdString();
    EXPECT_EQ(lineasR[1].mid(159, 16), "0103000000000000");

    for (const char* nombre : {"LPVN000", "RPVN000"}) {
        EXPECT_EQ(lee(QDir(carpeta).filePath(nombre)), lee(en(trabajo, nombre))) << nombre;
    }
    EXPECT_EQ(QDir(carpeta).entryList(QDir::Files | QDir::Hidden),
              QStringList({"LPVN000", "RPVN000"}));
}

TEST_F(Panel, GenerarDenegacionesEscribeDpvn000)
{
    agregaUnaDeCada();
    generaJunio(MenuDenegaciones, salida.path());
    EXPECT_EQ(textos(), QStringList({ExitoD}));
    const QByteArray d = lee(en(trabajo, "DPVN000"));
    const QByteArray registro = QByteArray("20100615") + "02006" + "          B         " +
                                "095073577" + "SOTO" + QByteArray(16, ' ') + "MU\xD1OZ" +
                                QByteArray(15, ' ') + "JUAN ANDR\xC9S" + QByteArray(19, ' ');
    EXPECT_EQ(d, "Pelvarin" + QByteArray(42, ' ') + "\r\n" + registro + "\r\n");
    EXPECT_EQ(lee(en(salida, "DPVN000")), d);
    EXPECT_FALSE(QFile::exists(en(trabajo, "LPVN000")));
}

TEST_F(Panel, SinDatosCadaArchivoTieneUnaLineaEnBlancoYSuMensajeCritico)
{
    e.mensajes->esperaCriticos(3);
    agregaUnaDeCada();
    generaEnPanel(MenuLicencias, QDate(2011, 1, 1), QDate(2011, 1, 31), salida.path());
    generaEnPanel(MenuDenegaciones, QDate(2011, 1, 1), QDate(2011, 1, 31), salida.path());
    EXPECT_EQ(textos(),
              QStringList({"No hay información para la selección solicitada (LPVN000)",
                           "No hay información para la selección solicitada  (RPVN000)",
                           "No hay información para la selección solicitada (DPVN000)"}));
    for (const auto& caja : e.mensajes->cajas) {
        EXPECT_EQ(caja.titulo, "Error: Datos solicitados no existen");
        EXPECT_EQ(caja.icono, Icono::Critico);
    }
    for (const char* nombre : {"LPVN000", "RPVN000", "DPVN000"}) {
        EXPECT_EQ(lee(en(trabajo, nombre)), " \r\n") << nombre;
        EXPECT_EQ(lee(en(salida, nombre)), " \r\n") << nombre;
    }
}

TEST_F(Panel, SoloHayRestriccionesElArchivoDeLicenciasVaSinDatos)
{
    e.mensajes->esperaCriticos(1);
    Solicitud("CA00000002")
        .con("FechaActual", "30-06-2010")
        .con("RestriccionActual", "2")
        .agregaEn(e);
    generaJunio(MenuLicencias, salida.path());
    EXPECT_EQ(textos(),
              QStringList({"No hay información para la selección solicitada (LPVN000)", ExitoR}));
}

TEST_F(Panel, UnaCopiaFallidaSeInformaYNoSeDaPorGenerada)
{
    e.mensajes->esperaCriticos(2);
    agregaUnaDeCada();
    escribe(en(salida, "archivo"), "x");
    const QString carpeta = en(salida, "archivo/planos");
    generaJunio(MenuLicencias, carpeta);

    ASSERT_EQ(e.mensajes->cajas.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        const auto& caja = e.mensajes->cajas[size_t(i)];
        EXPECT_EQ(caja.icono, Icono::Critico);
        EXPECT_EQ(caja.titulo, "Error al copiar el archivo plano");
        EXPECT_TRUE(caja.texto.contains(i == 0 ? "LPVN000" : "RPVN000"))
            << caja.texto.toStdString();
        EXPECT_TRUE(caja.texto.contains(QDir::toNativeSeparators(carpeta)))
            << caja.texto.toStdString();
        EXPECT_FALSE(caja.texto.contains("exitosamente"));
    }
    EXPECT_EQ(lineas(lee(en(trabajo, "LPVN000"))).size(), 3);
}

TEST_F(Panel, UnArchivoQueNoSePuedeEscribirSeInformaYElOtroSigue)
{
    e.mensajes->esperaCriticos(1);
    agregaUnaDeCada();
    ASSERT_TRUE(QDir(trabajo.path()).mkdir("LPVN000"));
    generaJunio(MenuLicencias, salida.path());

    ASSERT_EQ(e.mensajes->cajas.size(), 2u);
    const auto& falla = e.mensajes->cajas[0];
    EXPECT_EQ(falla.titulo, "Error al generar el archivo plano");
    EXPECT_EQ(falla.icono, Icono::Critico);
    EXPECT_TRUE(falla.texto.startsWith("No fue posible escribir el archivo plano LPVN000 en " +
                                       QDir::toNativeSeparators(en(trabajo, "LPVN000"))))
        << falla.texto.toStdString();
    EXPECT_EQ(e.mensajes->cajas[1].texto, ExitoR);
    EXPECT_FALSE(QFile::exists(en(salida, "LPVN000")));
    EXPECT_TRUE(QFile::exists(en(salida, "RPVN000")));
}

TEST_F(Panel, UnaFallaDeLaBaseDejaLosArchivosAnterioresEnteros)
{
    e.mensajes->esperaCriticos(1);
    agregaUnaDeCada();
    escribe(en(trabajo, "LPVN000"), "Pelvarin\r\nanterior\r\n");
    e.conexion().ejecuta("DROP TABLE AuxTLicencias");
    generaJunio(MenuLicencias, salida.path());

    ASSERT_EQ(e.mensajes->cajas.size(), 1u);
    EXPECT_EQ(e.mensajes->cajas[0].titulo, "Error en la base de datos");
    EXPECT_EQ(lee(en(trabajo, "LPVN000")), "Pelvarin\r\nanterior\r\n");
    EXPECT_EQ(QDir(trabajo.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"LPVN000"});
    EXPECT_TRUE(QDir(salida.path()).isEmpty());
}

TEST_F(Panel, LaCarpetaElegidaQuedaParaLaProximaVez)
{
    e.mensajes->esperaCriticos(1);
    const QString carpeta = en(salida, "elegida");
    generaJunio(MenuDenegaciones, carpeta);
    abrePanel(MenuLicencias, [&](Frm_Planos& panel) {
        EXPECT_EQ(panel.control<QLineEdit>("Text_CarpetaPlanos").text(),
                  QDir::toNativeSeparators(carpeta));
    });
}

TEST_F(Panel, SinCarpetaLaPideYNoGenera)
{
    agregaUnaDeCada();
    generaJunio(MenuLicencias, "   ");
    EXPECT_EQ(textos(), QStringList({"Indique la carpeta donde se copian los archivos planos"}));
    EXPECT_TRUE(QDir(trabajo.path()).isEmpty());
}

TEST_F(Panel, CopiarNoHaceNadaYSalirLoCierra)
{
    agregaUnaDeCada();
    abrePanel(MenuLicencias, [&](Frm_Planos& panel) {
        panel.show();
        panel.control<QPushButton>("Cmd_Copiar").click();
        EXPECT_TRUE(panel.isVisible());
        EXPECT_EQ(panel.control<QPushButton>("Cmd_Copiar").text(), "Copiar");
        panel.control<QPushButton>("Cmd_AbortaFolio").click();
        EXPECT_FALSE(panel.isVisible());
        EXPECT_EQ(panel.control<QPushButton>("Cmd_AbortaFolio").text(), "Salir");
    });
    EXPECT_TRUE(e.mensajes->cajas.empty());
    EXPECT_TRUE(QDir(trabajo.path()).isEmpty());
}
