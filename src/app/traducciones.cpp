#include "app/traducciones.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

std::unique_ptr<QTranslator> TraduccionesQt()
{
    const QStringList carpetas = {
        QLibraryInfo::path(QLibraryInfo::TranslationsPath),
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations"))};
    for (const QString& carpeta : carpetas) {
        auto traductor = std::make_unique<QTranslator>();
        // The program speaks Spanish whatever the workstation's language.
        if (traductor->load(QStringLiteral("qtbase_es"), carpeta)) {
            return traductor;
        }
    }
    return nullptr;
}
