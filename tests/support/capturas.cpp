#include "capturas.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

void GuardaCaptura(QWidget& ventana, const QString& nombre)
{
    const QString carpeta = qEnvironmentVariable("LICENCIAS_CAPTURAS");
    if (carpeta.isEmpty()) {
        return;
    }
    QCoreApplication::processEvents();
    ventana.grab().save(QDir(carpeta).filePath(nombre + QStringLiteral(".png")));
}
