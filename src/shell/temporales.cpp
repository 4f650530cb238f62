#include "shell/temporales.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void BorraTemporalesEn(const QString& carpeta)
{
    const QDir dir(carpeta);
    const QStringList archivos =
        dir.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& archivo : archivos) {
        QFile::remove(dir.filePath(archivo));
    }
}

void BorraTemporales(const QString& carpetaAplicacion)
{
    BorraTemporalesEn(carpetaAplicacion);
}

void BorraTemporalesRaiz(const QString& carpetaAplicacion)
{
#ifdef Q_OS_WIN
    const QString raiz = QDir::toNativeSeparators(QFileInfo(carpetaAplicacion).absoluteFilePath()).left(3);
    BorraTemporalesEn(raiz);
#else
    Q_UNUSED(carpetaAplicacion);
#endif
}
