#include "platform/procesos.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

bool ProcesosQt::inicia(const QString& programa, const QStringList& argumentos)
{
    return QProcess::startDetached(programa, argumentos);
}

bool ProcesosQt::abreDireccion(const QString& direccion)
{
    return QDesktopServices::openUrl(QUrl(direccion));
}
