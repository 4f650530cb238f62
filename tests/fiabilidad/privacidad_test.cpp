// Licence applications are personal data: the program's folders and files
// are for their owner only, whatever the session's file-creation mask.

#include "app/esquema_sistema.h"
#include "prueba.h"
#include "shell/datos/conexion.h"
#include "shell/datos/respaldo.h"

#include <QDir>
#include <QTemporaryDir>
#include <iostream>
#include <sys/stat.h>

namespace {

int modo(const QString& ruta)
{
    struct stat datos {};
    if (stat(QFile::encodeName(ruta).constData(), &datos) != 0) {
        return -1;
    }
    return int(datos.st_mode & 07777);
}

// Sets an environment variable for the life of the object.
class Variable {
public:
    Variable(const char* nombre, const QByteArray& valor)
        : nombre_(nombre), antes_(qgetenv(nombre)), habia_(qEnvironmentVariableIsSet(nombre))
    {
        qputenv(nombre, valor);
    }
    ~Variable()
    {
        if (habia_) {
            qputenv(nombre_, antes_);
        } else {
            qunsetenv(nombre_);
        }
    }

private:
    const char* nombre_;
    QByteArray antes_;
    bool habia_;
};

}  // namespace

TEST(DatosPrivados, CarpetaBaseSusDiariosYRespaldosSoloParaSuDueno)
{
    const mode_t mascara = umask(0);  // a mask that would leave everything open
    QTemporaryDir raiz;
    const Variable datos("XDG_DATA_HOME", QFile::encodeName(raiz.path()));
    const QString carpeta = OrigenDatos::carpetaDatos();
    const QString archivo = QDir(carpeta).filePath("licencias.sqlite");
    std::map<QString, int> modos;
    {
        const auto conexion = AbreBase(OrigenDatos::sqlite(archivo));
        conexion->ejecuta("INSERT INTO TMedicos (Nombres) VALUES (?)", {"DR. PEDRO SOTO"});
        const QString diarios = CarpetaRespaldos();
        const auto diario = RespaldoDiario(*conexion, QDate(2026, 12, 10), diarios);
        ASSERT_TRUE(diario);
        const QString aPedido = QDir(raiz.path()).filePath("respaldo.sqlite");
        RespaldaSqlite(archivo, aPedido);
        modos = {{carpeta, 0700},
                 {archivo, 0600},
                 {archivo + "-wal", 0600},
                 {archivo + "-shm", 0600},
                 {diarios, 0700},
                 {*diario, 0600},
                 {aPedido, 0600}};
        for (const auto& [ruta, esperado] : modos) {
            EXPECT_EQ(modo(ruta), esperado) << ruta.toStdString();
            std::cout << "[privacidad] " << QString::number(modo(ruta), 8).toStdString() << " "
                      << QDir(raiz.path()).relativeFilePath(ruta).toStdString() << "\n";
        }
    }
    umask(mascara);
    std::cout << "[privacidad] " << modos.size() << " rutas revisadas con la máscara 000\n";
}
