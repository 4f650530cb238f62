#include "shell/datos/respaldo.h"

#include "shell/datos/conexion.h"
#include "shell/datos/falla_motor.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <sqlite3.h>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Pages copied per step: the source is read in short steps, so a writer on
// another connection is not held up for the whole copy.
constexpr int PaginasPorPaso = 256;
constexpr int PausaOcupadaMs = 50;

const QFileDevice::Permissions SoloDueno = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The two SQLite handles of a copy, closed however it ends.
struct Manejador {
    sqlite3* base = nullptr;
    ~Manejador() { sqlite3_close_v2(base); }
};

[[noreturn]] void fallaRespaldo(const QString& archivo, const QString& destino, int codigo,
                                const QString& detalle)
{
    FallaMotor falla;
    falla.codigo = QString::number(codigo);
    const CausaDatos causa = ClasificaFalla(falla, OrigenDatos::Motor::SQLite);
    const QString accion =
        causa == CausaDatos::DiscoLleno
            ? QStringLiteral("El disco del respaldo se llenó: libere espacio o indique otro destino.")
            : QStringLiteral("Revise que la base exista y se pueda leer, y que la carpeta del "
                             "respaldo exista y admita escritura.");
    throw ErrorDatos(QStringLiteral("No fue posible hacer el respaldo de la base de datos «%1» en "
                                    "«%2».\n%3 El respaldo anterior con ese nombre, si lo había, "
                                    "quedó intacto.\n\nDetalle: %4")
                         .arg(QDir::toNativeSeparators(archivo), QDir::toNativeSeparators(destino),
                              accion, detalle),
                     causa);
}

[[noreturn]] void fallaSqlite(const QString& archivo, const QString& destino, sqlite3* base)
{
    fallaRespaldo(archivo, destino, sqlite3_extended_errcode(base),
                  QString::fromUtf8(sqlite3_errmsg(base)));
}

void abreSqlite(const QString& ruta, int modo, Manejador& manejador, const QString& archivo,
                const QString& destino)
{
    const int rc = sqlite3_open_v2(QFile::encodeName(ruta).constData(), &manejador.base, modo, nullptr);
    if (rc != SQLITE_OK) {
        fallaSqlite(archivo, destino, manejador.base);
    }
    sqlite3_extended_result_codes(manejador.base, 1);
    sqlite3_busy_timeout(manejador.base, Conexion::EsperaMs);
}

// Runs a statement on the copy and gives the first column of its first row.
QString consultaCopia(sqlite3* base, const char* sql)
{
    sqlite3_stmt* sentencia = nullptr;
    QString valor;
    if (sqlite3_prepare_v2(base, sql, -1, &sentencia, nullptr) == SQLITE_OK &&
        sqlite3_step(sentencia) == SQLITE_ROW) {
        valor = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(sentencia, 0)));
    }
    sqlite3_finalize(sentencia);
    return valor;
}

void copiaPaginas(sqlite3* fuente, sqlite3* copia, const QString& archivo, const QString& destino)
{
    sqlite3_backup* respaldo = sqlite3_backup_init(copia, "main", fuente, "main");
    if (!respaldo) {
        fallaSqlite(archivo, destino, copia);
    }
    int rc = SQLITE_OK;
    int ocupada = 0;
    do {
        rc = sqlite3_backup_step(respaldo, PaginasPorPaso);
        if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
            sqlite3_sleep(PausaOcupadaMs);
            ++ocupada;
        }
    } while ((rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED) &&
             ocupada * PausaOcupadaMs < Conexion::EsperaMs);
    const int final = sqlite3_backup_finish(respaldo);
    if (rc != SQLITE_DONE) {
        fallaRespaldo(archivo, destino, rc == SQLITE_OK ? SQLITE_BUSY : rc,
                      QString::fromUtf8(sqlite3_errstr(rc)));
    }
    if (final != SQLITE_OK) {
        fallaSqlite(archivo, destino, copia);
    }
}

// The rename and the folder entry reach the disk before the copy counts.
void sincronizaCarpeta(const QString& carpeta)
{
#ifndef _WIN32
    const int fd = ::open(QFile::encodeName(carpeta).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(carpeta);
#endif
}

void creaCarpetaPrivada(const QString& carpeta)
{
    if (!QDir(carpeta).exists() && QDir().mkpath(QFileInfo(carpeta).absolutePath())) {
        QDir().mkdir(carpeta, SoloDueno | QFileDevice::ExeOwner);
    }
}

}  // namespace

QString RespaldoParcial(const QString& destino)
{
    return destino + QStringLiteral(".parcial");
}

void RespaldaSqlite(const QString& archivo, const QString& destino)
{
    if (QFileInfo::exists(destino) &&
        QFileInfo(archivo).canonicalFilePath() == QFileInfo(destino).canonicalFilePath()) {
        fallaRespaldo(archivo, destino, SQLITE_MISUSE,
                      QStringLiteral("el destino es la misma base de datos"));
    }
    const QString parcial = RespaldoParcial(destino);
    // What a copy cut short left behind.
    QFile::remove(parcial);
    QFile::remove(parcial + QStringLiteral("-journal"));
    {
        QFile vacio(parcial);
        if (!vacio.open(QIODevice::WriteOnly | QIODevice::NewOnly, SoloDueno)) {
            fallaRespaldo(archivo, destino, SQLITE_CANTOPEN, vacio.errorString());
        }
    }
    {
        Manejador fuente;
        Manejador copia;
        abreSqlite(archivo, SQLITE_OPEN_READONLY, fuente, archivo, destino);
        abreSqlite(parcial, SQLITE_OPEN_READWRITE, copia, archivo, destino);
        copiaPaginas(fuente.base, copia.base, archivo, destino);
        // The copy stands alone: no write-ahead log beside it.
        consultaCopia(copia.base, "PRAGMA journal_mode=DELETE");
        const QString revision = consultaCopia(copia.base, "PRAGMA quick_check");
        if (revision != QLatin1String("ok")) {
            QFile::remove(parcial);
            fallaRespaldo(archivo, destino, SQLITE_CORRUPT,
                          QStringLiteral("la revisión de la copia dio: %1").arg(revision));
        }
    }
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(parcial.toStdU16String()),
                            std::filesystem::path(destino.toStdU16String()), error);
    if (error) {
        QFile::remove(parcial);
        fallaRespaldo(archivo, destino, SQLITE_CANTOPEN, QString::fromLocal8Bit(error.message()));
    }
    sincronizaCarpeta(QFileInfo(destino).absolutePath());
}

RespaldosDiarios::RespaldosDiarios(QString archivoBase, QString carpeta)
    : archivoBase_(std::move(archivoBase)), carpeta_(std::move(carpeta))
{
    const QFileInfo base(archivoBase_);
    prefijo_ = base.completeBaseName();
    // A database outside the data folder keeps its own set, apart from
    // another one of the same name.
    if (base.absolutePath() != QFileInfo(carpeta_).absolutePath()) {
        prefijo_ += QLatin1Char('-') +
                    QString::fromLatin1(QCryptographicHash::hash(base.absoluteFilePath().toUtf8(),
                                                                 QCryptographicHash::Sha1)
                                            .toHex()
                                            .left(8));
    }
}

QString RespaldosDiarios::archivoDelDia(const QDate& dia) const
{
    return QDir(carpeta_).filePath(
        QStringLiteral("%1-%2.sqlite").arg(prefijo_, dia.toString(QStringLiteral("yyyy-MM-dd"))));
}

QString RespaldosDiarios::archivoDelMomento(const QDateTime& momento) const
{
    return QDir(carpeta_).filePath(QStringLiteral("%1-%2.sqlite")
                                       .arg(prefijo_, momento.toString(QStringLiteral("yyyy-MM-dd-HHmmss"))));
}

QStringList RespaldosDiarios::presentes() const
{
    const QStringList nombres =
        QDir(carpeta_).entryList({prefijo_ + QStringLiteral("-\?\?\?\?-\?\?-\?\?.sqlite")},
                                 QDir::Files, QDir::Name);
    QStringList rutas;
    for (const QString& nombre : nombres) {
        rutas << QDir(carpeta_).filePath(nombre);
    }
    return rutas;
}

std::optional<QString> RespaldosDiarios::respaldaDia(const QDate& hoy)
{
    const QString destino = archivoDelDia(hoy);
    if (QFileInfo::exists(destino)) {
        return std::nullopt;
    }
    creaCarpetaPrivada(carpeta_);
    RespaldaSqlite(archivoBase_, destino);
    QStringList presentes = this->presentes();
    while (presentes.size() > Conservados) {
        QFile::remove(presentes.takeFirst());
    }
    return destino;
}

QString CarpetaRespaldos()
{
    const QString carpeta = QDir(OrigenDatos::carpetaDatos()).filePath(QStringLiteral("respaldos"));
    creaCarpetaPrivada(carpeta);
    return carpeta;
}

std::optional<QString> RespaldoDiario(Conexion& conexion, const QDate& hoy, const QString& carpeta)
{
    const QString archivo = conexion.archivoSqlite();
    if (archivo.isEmpty()) {
        return std::nullopt;
    }
    return RespaldosDiarios(archivo, carpeta).respaldaDia(hoy);
}
