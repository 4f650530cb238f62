#include "registry_files/archivo_plano.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// What went wrong with a file, in Spanish, with the system's own text.
enum class Fase { Apertura, Lectura, Escritura };

QString motivoDe(const QFileDevice& archivo, Fase fase)
{
    QString causa;
    if (fase == Fase::Apertura) {
        causa = QStringLiteral("no se pudo crear el archivo");
    } else if (fase == Fase::Lectura) {
        causa = QStringLiteral("no se pudo leer el archivo");
    } else if (archivo.error() == QFileDevice::RenameError) {
        causa = QStringLiteral("no se pudo reemplazar el archivo anterior");
    } else {
        causa = QStringLiteral("no se pudo escribir el archivo completo");
    }
    return QStringLiteral("%1 (%2)").arg(causa, archivo.errorString());
}

}  // namespace

EscrituraPlano::EscrituraPlano(const QString& ruta) : archivo_(ruta)
{
    abierto_ = archivo_.open(QIODevice::WriteOnly);
}

void EscrituraPlano::escribeLinea(const QByteArray& linea)
{
    archivo_.write(linea + "\r\n");
}

bool EscrituraPlano::termina()
{
    return abierto_ && archivo_.commit();
}

QString EscrituraPlano::motivo() const
{
    return motivoDe(archivo_, abierto_ ? Fase::Escritura : Fase::Apertura);
}

bool CopiaPlano(const QString& origen, const QString& carpeta, QString* motivo)
{
    if (!QDir().mkpath(carpeta)) {
        *motivo = QStringLiteral("no se pudo crear la carpeta");
        return false;
    }
    const QString destino = QDir(carpeta).filePath(QFileInfo(origen).fileName());
    // Run from the output folder itself, the file is already in place.
    if (QFileInfo(origen).canonicalFilePath() == QFileInfo(destino).canonicalFilePath()) {
        return true;
    }
    QFile lectura(origen);
    if (!lectura.open(QIODevice::ReadOnly)) {
        *motivo = motivoDe(lectura, Fase::Lectura);
        return false;
    }
    QSaveFile copia(destino);
    if (!copia.open(QIODevice::WriteOnly)) {
        *motivo = motivoDe(copia, Fase::Apertura);
        return false;
    }
    while (!lectura.atEnd()) {
        const QByteArray bloque = lectura.read(1 << 16);
        if (bloque.isEmpty() && lectura.error() != QFileDevice::NoError) {
            *motivo = motivoDe(lectura, Fase::Lectura);
            return false;
        }
        copia.write(bloque);
    }
    if (!copia.commit()) {
        *motivo = motivoDe(copia, Fase::Escritura);
        return false;
    }
    return true;
}
