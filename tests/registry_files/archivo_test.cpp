#include "prueba.h"
#include "registry_files/archivo_plano.h"
#include "registry_files/generacion_planos.h"
#include "shell/datos/error_datos.h"
#include "shell/datos/fila.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArrayList lineasDePrueba(const Fila& fila)
{
    return {"R" + fila.texto("n").toLatin1(), "D"};
}

// Hands over rows n = 1 to `cantidad`, then fails when `falla` says so.
RecorreFilas filas(int cantidad, bool falla = false)
{
    return [=](const std::function<void(const Fila&)>& porFila) {
        for (int n = 1; n <= cantidad; ++n) {
            porFila(Fila::de({{"n", n}}));
        }
        if (falla) {
            throw ErrorDatos("se cortó la conexión");
        }
    };
}

class Archivo : public ::testing::Test {
protected:
    QString en(const QString& nombre) const { return QDir(carpeta.path()).filePath(nombre); }
    QByteArray lee(const QString& nombre) const
    {
        QFile f(en(nombre));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no existe)");
    }
    void escribe(const QString& nombre, const QByteArray& bytes) const
    {
        QFile f(en(nombre));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList archivos() const
    {
        return QDir(carpeta.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir carpeta;
};

}  // namespace

TEST_F(Archivo, EncabezadoYLineasConCrLf)
{
    const ResultadoPlano r = EscribePlano(en("LPVN000"), "Pelvarin", lineasDePrueba, filas(2));
    EXPECT_TRUE(r.escrito);
    EXPECT_EQ(r.filas, 2);
    EXPECT_EQ(lee("LPVN000"), "Pelvarin\r\nR1\r\nD\r\nR2\r\nD\r\n");
}

TEST_F(Archivo, SinFilasUnaLineaConUnBlancoYSinEncabezado)
{
    escribe("RPVN000", "contenido anterior");
    const ResultadoPlano r = EscribePlano(en("RPVN000"), "Pelvarin", lineasDePrueba, filas(0));
    EXPECT_TRUE(r.escrito);
    EXPECT_EQ(r.filas, 0);
    EXPECT_EQ(lee("RPVN000"), " \r\n");
}

TEST_F(Archivo, UnaCorridaInterrumpidaDejaEnteroElArchivoAnterior)
{
    escribe("LPVN000", "Pelvarin\r\nanterior\r\n");
    EXPECT_THROW(EscribePlano(en("LPVN000"), "Pelvarin", lineasDePrueba, filas(3, true)),
                 ErrorDatos);
    EXPECT_EQ(lee("LPVN000"), "Pelvarin\r\nanterior\r\n");
    EXPECT_EQ(archivos(), QStringList{"LPVN000"});
}

TEST_F(Archivo, NoPoderCrearElArchivoSeInformaConSuMotivo)
{
    // A folder where the file should be, and a file where its folder should be.
    ASSERT_TRUE(QDir(carpeta.path()).mkdir("DPVN000"));
    escribe("no_es_carpeta", "x");
    for (const QString& ruta : {en("DPVN000"), en("no_es_carpeta/LPVN000")}) {
        const ResultadoPlano r = EscribePlano(ruta, "Pelvarin", lineasDePrueba, filas(1));
        EXPECT_FALSE(r.escrito) << ruta.toStdString();
        EXPECT_TRUE(r.motivo.startsWith("no se pudo crear el archivo")) << r.motivo.toStdString();
    }
}

TEST_F(Archivo, LaCopiaCreaLaCarpetaYReemplazaLaAnterior)
{
    escribe("LPVN000", "nuevo\r\n");
    const QString destino = en("salida/planos");
    QString motivo;
    ASSERT_TRUE(CopiaPlano(en("LPVN000"), destino, &motivo)) << motivo.toStdString();
    EXPECT_EQ(lee("salida/planos/LPVN000"), "nuevo\r\n");

    escribe("LPVN000", "otra vez\r\n");
    ASSERT_TRUE(CopiaPlano(en("LPVN000"), destino, &motivo)) << motivo.toStdString();
    EXPECT_EQ(lee("salida/planos/LPVN000"), "otra vez\r\n");
    EXPECT_EQ(QDir(destino).entryList(QDir::Files | QDir::Hidden), QStringList{"LPVN000"});

    // Copying a file onto itself leaves it as it is.
    ASSERT_TRUE(CopiaPlano(en("LPVN000"), carpeta.path(), &motivo)) << motivo.toStdString();
    EXPECT_EQ(lee("LPVN000"), "otra vez\r\n");
}

TEST_F(Archivo, UnaCopiaFallidaDiceElMotivo)
{
    escribe("LPVN000", "nuevo\r\n");
    escribe("ocupado", "x");
    ASSERT_TRUE(QDir(carpeta.path()).mkpath("salida/LPVN000"));
    const struct {
        QString carpeta;
        const char* motivo;
    } casos[] = {
        {en("ocupado/planos"), "no se pudo crear la carpeta"},
        {en("salida"), "no se pudo crear el archivo"},
    };
    for (const auto& c : casos) {
        QString motivo;
        EXPECT_FALSE(CopiaPlano(en("LPVN000"), c.carpeta, &motivo)) << c.carpeta.toStdString();
        EXPECT_TRUE(motivo.startsWith(c.motivo)) << motivo.toStdString();
    }
}
