#include "app/esquema_sistema.h"
#include "entorno_planos.h"
#include "registry_files/comando_planos.h"
#include "shell/comando.h"

#include <QTextStream>

namespace {

struct Corrida {
    int estado;
    QString salida;
    QString error;
};

class Comando : public EntornoPlanos {
protected:
    void SetUp() override
    {
        Solicitud("CA00000001")
            .con("FechaActual", "01-06-2010")
            .con("Nombres", "José Ñandú")
            .agregaEn(e);
        Solicitud("CA00000002")
            .con("FechaActual", "30-06-2010")
            .con("RestriccionActual", "1-2")
            .con("EscuelaRut", "76.123.456-K")
            .con("EscuelaNombre", "Escuela Araucanía")
            .con("EscuelaFechaAprobacion", QDate(2010, 5, 3))
            .agregaEn(e);
        Solicitud("CA00000003")
            .con("FechaActual", "15-06-2010")
            .con("Denegada", "si")
            .con("D01", "A1                  ")
            .con("d10", "          B         ")
            .con("Duracion", "012")
            .agregaEn(e);
    }

    Corrida planos(const QStringList& opciones, const OrigenDatos* origen = nullptr)
    {
        QString salida;
        QString error;
        QTextStream flujoSalida(&salida);
        QTextStream flujoError(&error);
        ContextoComando contexto{QStringList{"planos"} + opciones, origen ? *origen : e.origen(),
                                 AbreBase, flujoSalida, flujoError};
        const int estado = ComandoPlanos(contexto);
        flujoSalida.flush();
        flujoError.flush();
        return {estado, salida, error};
    }
    Corrida junio(const char* tipo, const QString& carpeta)
    {
        return planos({"--tipo", tipo, "--desde", "01-06-2010", "--hasta", "30-06-2010", "--planos",
                       carpeta});
    }
};

}  // namespace

TEST_F(Comando, EscribeYCopiaLosArchivosYDiceCadaMensaje)
{
    const Corrida licencias = junio("licencias", en(salida, "planos"));
    EXPECT_EQ(licencias.estado, 0) << licencias.error.toStdString();
    EXPECT_EQ(licencias.salida,
              "El archivo plano (LPVN000) fue generado exitosamente\n"
              "El archivo plano (RPVN000) fue generado exitosamente\n");
    EXPECT_EQ(licencias.error, "");

    const Corrida denegaciones = junio("denegaciones", en(salida, "planos"));
    EXPECT_EQ(denegaciones.estado, 0) << denegaciones.error.toStdString();
    EXPECT_EQ(denegaciones.salida, "El archivo plano (DPVN000) fue generado exitosamente\n");
    for (const char* nombre : {"LPVN000", "RPVN000", "DPVN000"}) {
        EXPECT_EQ(lee(en(salida, QString("planos/") + nombre)), lee(en(trabajo, nombre))) << nombre;
    }
}

TEST_F(Comando, EscribeLosMismosBytesQueElPanel)
{
    generaEnPanel(MenuLicencias, QDate(2010, 6, 1), QDate(2010, 6, 30), en(salida, "panel"));
    generaEnPanel(MenuDenegaciones, QDate(2010, 6, 1), QDate(2010, 6, 30), en(salida, "panel"));
    QTemporaryDir otraCarpeta;
    QDir::setCurrent(otraCarpeta.path());
    ASSERT_EQ(junio("licencias", en(salida, "comando")).estado, 0);
    ASSERT_EQ(junio("denegaciones", en(salida, "comando")).estado, 0);

    for (const char* nombre : {"LPVN000", "RPVN000", "DPVN000"}) {
        const QByteArray delPanel = lee(en(salida, QString("panel/") + nombre));
        EXPECT_GT(delPanel.size(), 3) << nombre;
        EXPECT_EQ(lee(en(otraCarpeta, nombre)), delPanel) << nombre;
        EXPECT_EQ(lee(en(salida, QString("comando/") + nombre)), delPanel) << nombre;
    }
}

TEST_F(Comando, SinDatosTerminaBienConLosAvisosEnLaSalida)
{
    const Corrida r = planos({"--tipo", "licencias", "--desde", "01-07-2010", "--hasta",
                              "31-07-2010", "--planos", salida.path()});
    EXPECT_EQ(r.estado, 0);
    EXPECT_EQ(r.salida,
              "No hay información para la selección solicitada (LPVN000)\n"
              "No hay información para la selección solicitada  (RPVN000)\n");
    EXPECT_EQ(lee(en(salida, "LPVN000")), " \r\n");
}

TEST_F(Comando, UnaCopiaFallidaTerminaConErrorYSinExito)
{
    escribe(en(salida, "archivo"), "x");
    const Corrida r = junio("denegaciones", en(salida, "archivo/planos"));
    EXPECT_EQ(r.estado, 1);
    EXPECT_EQ(r.salida, "");
    EXPECT_TRUE(r.error.startsWith("licencias: No fue posible copiar el archivo plano DPVN000"))
        << r.error.toStdString();
}

TEST_F(Comando, UnaBaseQueNoAbreTerminaConError)
{
    const OrigenDatos sinCarpeta = OrigenDatos::sqlite(en(trabajo, "no/existe/base.sqlite"));
    const Corrida r = planos({"--tipo", "licencias", "--desde", "01-06-2010", "--hasta",
                              "30-06-2010", "--planos", salida.path()},
                             &sinCarpeta);
    EXPECT_EQ(r.estado, 1);
    EXPECT_TRUE(r.error.startsWith("licencias: No existe la carpeta")) << r.error.toStdString();
    EXPECT_TRUE(QDir(trabajo.path()).isEmpty());
}

TEST_F(Comando, UnaLineaMalaSeRechazaSinEscribirNada)
{
    const QStringList completa = {"--tipo",  "licencias",  "--desde",  "01-06-2010",
                                  "--hasta", "30-06-2010", "--planos", salida.path()};
    const auto cambia = [&](int indice, const QString& valor) {
        QStringList o = completa;
        o[indice] = valor;
        return o;
    };
    const struct {
        QStringList opciones;
        const char* error;
    } casos[] = {
        {completa.mid(2), "licencias: Falta la opción --tipo"},
        {completa.mid(0, 4), "licencias: Falta la opción --hasta"},
        {cambia(1, "restricciones"),
         "licencias: --tipo debe ser 'licencias' o 'denegaciones', no «restricciones»"},
        {cambia(3, "31-02-2010"),
         "licencias: La fecha de --desde no es una fecha válida (DD-MM-AAAA): «31-02-2010»"},
        {cambia(5, "2010-06-30"),
         "licencias: La fecha de --hasta no es una fecha válida (DD-MM-AAAA): «2010-06-30»"},
        {cambia(5, ""), "licencias: La fecha de --hasta no es una fecha válida (DD-MM-AAAA): «»"},
        {cambia(7, " "), "licencias: Falta la carpeta de --planos"},
        {completa + QStringList{"de_mas"}, "licencias: Argumento no reconocido: de_mas"},
        {completa + QStringList{"--mes", "6"}, "licencias: Opción desconocida: mes"},
    };
    for (const auto& c : casos) {
        const Corrida r = planos(c.opciones);
        EXPECT_EQ(r.estado, 2) << c.error;
        EXPECT_TRUE(r.error.startsWith(QString::fromUtf8(c.error))) << r.error.toStdString();
        EXPECT_EQ(r.salida, "");
    }
    EXPECT_TRUE(QDir(trabajo.path()).isEmpty());
    EXPECT_TRUE(QDir(salida.path()).isEmpty());
}
