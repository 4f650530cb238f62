#include "shell/datos/origen_datos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

std::optional<OrigenDatos> OrigenDatos::interpreta(const QString& texto, QString* error)
{
    const QString t = texto.trimmed();
    if (t.startsWith(QLatin1String("sqlite:"), Qt::CaseInsensitive)) {
        const QString ruta = t.mid(7);
        if (ruta.isEmpty()) {
            if (error) *error = QStringLiteral("Falta la ruta del archivo SQLite: sqlite:RUTA");
            return std::nullopt;
        }
        return sqlite(ruta);
    }
    if (t.startsWith(QLatin1String("odbc:"), Qt::CaseInsensitive)) {
        OrigenDatos o;
        o.motor = Motor::ODBC;
        o.ruta = t.mid(5).isEmpty() ? QStringLiteral("Licencias") : t.mid(5);
        return o;
    }
    if (t.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
        t.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive)) {
        const QUrl url(t);
        if (!url.isValid() || url.host().isEmpty() || url.path().size() < 2) {
            if (error)
                *error = QStringLiteral(
                    "Dirección PostgreSQL no válida; use postgresql://usuario@servidor/base");
            return std::nullopt;
        }
        OrigenDatos o;
        o.motor = Motor::PostgreSQL;
        o.servidor = url.host();
        o.puerto = url.port(-1);
        o.base = url.path().mid(1);
        o.usuario = url.userName();
        o.clave = url.password();
        QStringList opciones;
        for (const auto& [nombre, valor] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
            opciones << nombre + QLatin1Char('=') + valor;
        }
        o.opciones = opciones.join(QLatin1Char(';'));
        return o;
    }
    if (error)
        *error = QStringLiteral("Base de datos no reconocida: \"%1\" (use sqlite:RUTA, odbc:DSN o "
                                "postgresql://usuario@servidor/base)")
                     .arg(texto);
    return std::nullopt;
}

OrigenDatos OrigenDatos::sqlite(const QString& ruta)
{
    OrigenDatos o;
    o.motor = Motor::SQLite;
    o.ruta = ruta;
    return o;
}

QString OrigenDatos::carpetaDatos()
{
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    // Made with its mode, so that it is never open to others for a moment.
    if (!QDir(carpeta).exists() && QDir().mkpath(QFileInfo(carpeta).absolutePath())) {
        QDir().mkdir(carpeta, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                  QFileDevice::ExeOwner);
    }
    return carpeta;
}

OrigenDatos OrigenDatos::porDefecto()
{
    return sqlite(QDir(carpetaDatos()).filePath(QStringLiteral("licencias.sqlite")));
}

OrigenDatos OrigenDatos::demo()
{
    return sqlite(QDir(carpetaDatos()).filePath(QStringLiteral("demo.sqlite")));
}

QString OrigenDatos::descripcion() const
{
    switch (motor) {
    case Motor::SQLite:
        return QStringLiteral("sqlite:") + ruta;
    case Motor::ODBC:
        return QStringLiteral("odbc:") + ruta;
    case Motor::PostgreSQL:
        return QStringLiteral("postgresql://%1@%2/%3").arg(usuario, servidor, base);
    }
    return {};
}

QString OrigenDatos::nombreVisible() const
{
    switch (motor) {
    case Motor::SQLite:
        return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(ruta));
    case Motor::ODBC:
        return QStringLiteral("de la fuente de datos ODBC «%1»").arg(ruta);
    case Motor::PostgreSQL:
        return QStringLiteral("«%1» del servidor «%2»").arg(base, servidor);
    }
    return {};
}
