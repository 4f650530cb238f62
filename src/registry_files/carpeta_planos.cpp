#include "registry_files/carpeta_planos.h"

#include <QDir>
#include <QSettings>

namespace {

const QString Clave = QStringLiteral("planos/carpeta");

QSettings ajustes()
{
    return QSettings(QStringLiteral("licencias"), QStringLiteral("licencias"));
}

}  // namespace

QString CarpetaPlanosPredeterminada()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/planos");
#else
    return QDir::home().filePath(QStringLiteral("planos"));
#endif
}

QString CarpetaPlanosEstacion()
{
    const QString elegida = ajustes().value(Clave).toString();
    return elegida.trimmed().isEmpty() ? CarpetaPlanosPredeterminada() : elegida;
}

void GuardaCarpetaPlanos(const QString& carpeta)
{
    ajustes().setValue(Clave, carpeta);
}
