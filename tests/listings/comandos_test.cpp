#include "app/esquema_sistema.h"
#include "fixtura.h"
#include "listings/comandos_listados.h"
#include "shell/comando.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace {

class Comandos : public Listados {
protected:
    struct Resultado {
        int estado;
        QString salida;
        QString error;
    };

    Resultado ejecuta(int (*comando)(ContextoComando&), const QStringList& argumentos)
    {
        Resultado r{};
        QTextStream salida(&r.salida);
        QTextStream error(&r.error);
        ContextoComando contexto{argumentos, e.origen(), AbreBase, salida, error};
        r.estado = comando(contexto);
        salida.flush();
        error.flush();
        return r;
    }

    Resultado estadistica(const QStringList& opciones)
    {
        return ejecuta(ComandoEstadistica, QStringList{"estadistica"} + opciones);
    }
    Resultado listado(const QStringList& opciones)
    {
        return ejecuta(ComandoListado, QStringList{"listado"} + opciones);
    }

    void agregaMes()
    {
        agrega({solicitud("05-03-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"},
                                         {"NumeroLicencia", "11.111.111-1"}}),
                solicitud("06-03-2010", {{"PrimeraVez", "Si"}, {"ClaseB", "Si"}, {"ClaseC", "Si"},
                                         {"Sexo", "Femenino"}, {"NumeroLicencia", "09.999.999-3"},
                                         {"Nombres", "ANA, MARÍA"}}),
                solicitud("07-03-2010", {{"Estado", "Reprobado"}, {"ExamenMedico", "No"},
                                         {"ClaseB", "Si"}}),
                solicitud("07-04-2010", {{"CambioClase", "Si"}, {"ClaseB", "Si"}})});
    }

    static int paginasPdf(const QByteArray& pdf)
    {
        int paginas = 0;
        auto it = QRegularExpression("/Type\\s*/Page[^s]").globalMatch(QString::fromLatin1(pdf));
        while (it.hasNext()) {
            it.next();
            ++paginas;
        }
        return paginas;
    }
};

TEST_F(Comandos, EstadisticaCsvEnElOrdenDeLaHoja)
{
    agregaMes();
    const Resultado r = estadistica({"--tipo", "otorgadas", "--mes", "3", "--anio", "2010"});
    ASSERT_EQ(r.estado, 0) << r.error.toStdString();
    const QStringList lineas = r.salida.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lineas.size(), 2 + 168);
    EXPECT_EQ(lineas.mid(0, 6), QStringList({"Text_Mes,Marzo", "MEd_Ano,2010", "NE_CCA1aH,0",
                                             "NE_CCA1aM,0", "NE_CCA2aH,0", "NE_CCA2aM,0"}));
    for (const char* linea : {"NE_CCBH,1", "NE_PVBM,1", "NE_PVCM,1", "NE_PVTM,2", "NE_TTH,1",
                              "NE_TTM,2", "NE_TH,1", "NE_TM,2", "NE_TTPH,0", "NE_TPM,0"}) {
        EXPECT_TRUE(lineas.contains(linea)) << linea;
    }
    EXPECT_EQ(lineas.last(), "NE_TPM,0");
    // The same sheet as the form: the month by its name, any case.
    EXPECT_EQ(estadistica({"--tipo", "otorgadas", "--mes", "MARZO", "--anio", "2010"}).salida, r.salida);
}

TEST_F(Comandos, EstadisticaDeUnMesVacioTieneLaHojaSinValores)
{
    const Resultado r = estadistica({"--tipo", "denegadas", "--mes", "febrero", "--anio", "2010"});
    ASSERT_EQ(r.estado, 0) << r.error.toStdString();
    const QStringList lineas = r.salida.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lineas.mid(0, 3), QStringList({"Text_Mes,Febrero", "MEd_Ano,2010", "NE_CCA1aH,"}));
    EXPECT_EQ(lineas.filter(QRegularExpression(",.+$")).size(), 2);
}

TEST_F(Comandos, EstadisticaRechazaElMesYElAnioComoLaHoja)
{
    const QString mes = "licencias: Error en el mes solicitado, verifique poir favor\n";
    const QString anio =
        "licencias: Error en el año solicitado, el año debe tener 4 digitos, verifique poir favor\n";
    const struct {
        QStringList opciones;
        int estado;
        QString error;
    } casos[] = {
        {{"--mes", "Marzito", "--anio", "2010"}, 1, mes},
        {{"--mes", "13", "--anio", "2010"}, 1, mes},
        {{"--mes", "", "--anio", "2010"}, 1, mes},
        {{"--mes", "3", "--anio", "0999"}, 1, anio},
        {{"--mes", "3", "--anio", "20"}, 1, anio},
        {{"--mes", "3", "--anio", "20105"}, 1, anio},
        {{"--mes", "3", "--anio", "2O10"}, 1, anio},
        {{"--mes", "3"}, 2, {}},
        {{"--mes", "3", "--anio", "2010", "--formato", "xls"}, 2, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.opciones.join(' ').toStdString());
        const Resultado r = estadistica(QStringList{"--tipo", "otorgadas"} + c.opciones);
        EXPECT_EQ(r.estado, c.estado);
        EXPECT_TRUE(r.salida.isEmpty());
        if (!c.error.isEmpty()) {
            EXPECT_EQ(r.error, c.error);
        } else {
            EXPECT_TRUE(r.error.startsWith("licencias: ")) << r.error.toStdString();
        }
    }
    EXPECT_EQ(estadistica({"--tipo", "todas", "--mes", "3", "--anio", "2010"}).estado, 2);
}

TEST_F(Comandos, ListadoCsvConSusColumnasEnElOrdenDelInforme)
{
    agregaMes();
    const Resultado r = listado({"--tipo", "LicOtorgadas", "--desde", "01-03-2010", "--hasta",
                                 "31-03-2010", "--orden", "rut"});
    ASSERT_EQ(r.estado, 0) << r.error.toStdString();
    EXPECT_EQ(r.salida,
              "NumeroLicencia,Nombres,ApPaterno,ApMaterno,LicActual,FechaActual,FolioActual,Estado\n"
              "09.999.999-3,\"ANA, MARÍA\",PÉREZ,SOTO,B,06-03-2010,CA00000002,Ok\n"
              "11.111.111-1,JUAN,PÉREZ,SOTO,B,05-03-2010,CA00000001,Ok\n");
    const Resultado noDonantes = listado({"--tipo", "LicNoDonantes", "--desde", "01-03-2010",
                                          "--hasta", "31-03-2010"});
    EXPECT_EQ(noDonantes.estado, 0);
    EXPECT_EQ(noDonantes.salida, "NumeroLicencia,Nombres,ApPaterno,ApMaterno,LicActual,FechaActual,"
                                 "FolioActual,Estado,CorrNoDonante\n");
    EXPECT_EQ(noDonantes.error, "licencias: No se han encontrado registros en esta fecha\n");
}

TEST_F(Comandos, ListadoRechazaFechasQueNoSonFechas)
{
    for (const char* fecha : {"31-02-2010", "2010-03-01", "1-3-2010", "", "01-01-1899"}) {
        const Resultado r = listado({"--tipo", "Folios", "--desde", fecha, "--hasta", "31-03-2010"});
        EXPECT_EQ(r.estado, 2) << fecha;
        EXPECT_TRUE(r.salida.isEmpty());
        EXPECT_TRUE(r.error.contains("--desde")) << r.error.toStdString();
    }
    EXPECT_EQ(listado({"--tipo", "Otros", "--desde", "01-03-2010", "--hasta", "31-03-2010"}).estado, 2);
}

TEST_F(Comandos, PdfDeLaHojaEnUnaPaginaYDelListado)
{
    agregaMes();
    const QString hoja = QDir(e.carpeta()).filePath("hoja.pdf");
    const Resultado r = estadistica({"--tipo", "denegadas", "--mes", "marzo", "--anio", "2010",
                                     "--formato", "pdf", "--salida", hoja});
    ASSERT_EQ(r.estado, 0) << r.error.toStdString();
    EXPECT_TRUE(r.salida.isEmpty());
    QFile archivo(hoja);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QByteArray pdf = archivo.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF"));
    EXPECT_EQ(paginasPdf(pdf), 1);

    const QString informe = QDir(e.carpeta()).filePath("informe.pdf");
    ASSERT_EQ(listado({"--tipo", "Folios", "--desde", "01-03-2010", "--hasta", "31-03-2010",
                       "--formato", "pdf", "--salida", informe})
                  .estado,
              0);
    QFile otro(informe);
    ASSERT_TRUE(otro.open(QIODevice::ReadOnly));
    const QByteArray pdfInforme = otro.readAll();
    EXPECT_TRUE(pdfInforme.startsWith("%PDF-"));
    EXPECT_EQ(paginasPdf(pdfInforme), 1);
}

}  // namespace
