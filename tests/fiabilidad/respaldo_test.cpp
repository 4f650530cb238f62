// Backups of the embedded database: a copy restored reads back every row,
// the daily set keeps one copy a day for a week, and a copy killed half way
// never spoils the one it was to replace.

#include "app/esquema_sistema.h"
#include "demo/demo.h"
#include "demo/generador_solicitudes.h"
#include "dobles.h"
#include "entorno.h"
#include "prueba.h"
#include "shell/datos/recordset.h"
#include "shell/comando.h"
#include "shell/comando_respaldo.h"
#include "shell/datos/respaldo.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTextStream>
#include <QTemporaryDir>
#include <QThread>
#include <iostream>
#include <random>

namespace {

// A database as a department has it: the demo's users, physicians and signer
// and its applications, plus `masSolicitudes` generated ones.
std::shared_ptr<Conexion> baseConDatos(const QString& ruta, int masSolicitudes)
{
    auto conexion = AbreBase(OrigenDatos::sqlite(ruta));
    RelojFijo reloj;
    PreparaDemo(*conexion, reloj);
    LlenaSolicitudes(*conexion, masSolicitudes, 20100607, QDate(2026, 12, 10));
    return conexion;
}

QStringList tablas(Conexion& c)
{
    QStringList nombres;
    c.recorre("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
              "ORDER BY name",
              {}, [&](const Fila& f) { nombres << f.texto("name"); });
    return nombres;
}

std::vector<QVariantList> filas(Conexion& c, const QString& tabla)
{
    std::vector<QVariantList> todas;
    c.recorre(QString("SELECT * FROM %1 ORDER BY rowid").arg(tabla), {},
              [&](const Fila& f) { todas.push_back(f.valores()); });
    return todas;
}

int solicitudes(const QString& archivo)
{
    const auto c = Conexion::abre(OrigenDatos::sqlite(archivo));
    return c->consulta("SELECT count(*) AS n FROM TLicencias").valor("n").toInt();
}

QString revision(const QString& archivo)
{
    const auto c = Conexion::abre(OrigenDatos::sqlite(archivo));
    return c->consulta("PRAGMA integrity_check").fila().valores().value(0).toString();
}

}  // namespace

TEST(Respaldo, RestauradoSeLeeFilaPorFilaIgualAlOriginal)
{
    QTemporaryDir carpeta;
    const QString original = QDir(carpeta.path()).filePath("licencias.sqlite");
    const auto conexion = baseConDatos(original, 1500);
    // Another workstation in the middle of a write: the copy neither waits
    // for it nor takes what it has not confirmed.
    const auto otra = Conexion::abre(OrigenDatos::sqlite(original));
    Transaccion escribiendo(*otra);
    otra->ejecuta("INSERT INTO TMedicos (Nombres) VALUES (?)", {"SIN CONFIRMAR"});

    const QString copia = QDir(carpeta.path()).filePath("respaldo.sqlite");
    QElapsedTimer reloj;
    reloj.start();
    RespaldaSqlite(original, copia);
    const qint64 ms = reloj.elapsed();

    // Restored as the manual says: the copy takes the database's place.
    const QString restaurada = QDir(carpeta.path()).filePath("restaurada/licencias.sqlite");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(restaurada).absolutePath()));
    ASSERT_TRUE(QFile::copy(copia, restaurada));
    const auto leida = AbreBase(OrigenDatos::sqlite(restaurada));

    const QStringList nombres = tablas(*conexion);
    EXPECT_EQ(tablas(*leida), nombres);
    qint64 cantidadFilas = 0;
    qint64 valores = 0;
    for (const QString& tabla : nombres) {
        const auto esperadas = filas(*conexion, tabla);
        const auto restauradas = filas(*leida, tabla);
        ASSERT_EQ(restauradas.size(), esperadas.size()) << tabla.toStdString();
        for (size_t i = 0; i < esperadas.size(); ++i) {
            ASSERT_EQ(restauradas[i], esperadas[i]) << tabla.toStdString() << " fila " << i;
            valores += esperadas[i].size();
        }
        cantidadFilas += qint64(esperadas.size());
    }
    EXPECT_GT(cantidadFilas, 1500);
    EXPECT_TRUE(leida->consulta("SELECT * FROM TMedicos WHERE Nombres = ?", {"SIN CONFIRMAR"}).eof());
    EXPECT_FALSE(QFileInfo::exists(RespaldoParcial(copia)));
    std::cout << "[respaldo] restaurado: " << nombres.size() << " tablas, " << cantidadFilas
              << " filas y " << valores << " valores iguales al original; copia de "
              << QFileInfo(copia).size() << " bytes en " << ms << " ms con otra estación escribiendo\n";
}

TEST(Respaldo, UnoAlPrimerInicioDeCadaDiaYLosSieteMasRecientes)
{
    QTemporaryDir carpeta;
    const QString original = QDir(carpeta.path()).filePath("licencias.sqlite");
    const auto conexion = AbreBase(OrigenDatos::sqlite(original));
    const QString diarios = QDir(carpeta.path()).filePath("respaldos");
    RespaldosDiarios conjunto(original, diarios);
    // A copy made on demand is not part of the rotation.
    QDir().mkpath(diarios);
    const QString aPedido = conjunto.archivoDelMomento(QDateTime(QDate(2026, 12, 1), QTime(9, 30)));
    RespaldaSqlite(original, aPedido);

    const QDate primero(2026, 12, 1);
    int hechos = 0;
    for (int dia = 0; dia < 10; ++dia) {
        const QDate hoy = primero.addDays(dia);
        conexion->ejecuta("INSERT INTO TMedicos (Nombres) VALUES (?)", {hoy.toString()});
        const auto escrito = RespaldoDiario(*conexion, hoy, diarios);
        ASSERT_TRUE(escrito) << hoy.toString().toStdString();
        EXPECT_EQ(*escrito, conjunto.archivoDelDia(hoy));
        ++hechos;
        // Later starts the same day leave today's copy as it is.
        EXPECT_FALSE(RespaldoDiario(*conexion, hoy, diarios));
        EXPECT_EQ(conjunto.presentes().size(), std::min(dia + 1, RespaldosDiarios::Conservados));
    }
    QStringList esperados;
    for (int dia = 3; dia < 10; ++dia) {
        esperados << conjunto.archivoDelDia(primero.addDays(dia));
    }
    EXPECT_EQ(conjunto.presentes(), esperados);
    EXPECT_TRUE(QFileInfo::exists(aPedido));
    // Each day's copy holds that day's rows.
    const auto ultima = Conexion::abre(OrigenDatos::sqlite(esperados.last()));
    EXPECT_EQ(ultima->consulta("SELECT count(*) AS n FROM TMedicos").valor("n").toInt(), 10);
    std::cout << "[respaldo] diario: 10 días, " << hechos << " copias hechas, 10 inicios repetidos "
              << "sin copia, " << conjunto.presentes().size() << " conservadas\n";
}

TEST(Respaldo, UnaCopiaInterrumpidaConSigkillDejaEnteraLaAnterior)
{
    QTemporaryDir carpeta;
    const QString original = QDir(carpeta.path()).filePath("licencias.sqlite");
    const auto conexion = baseConDatos(original, 200);
    // Bulk so that the copy takes long enough to be cut.
    conexion->ejecuta("CREATE TABLE Relleno (Dato BLOB)");
    conexion->ejecuta("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000) "
                      "INSERT INTO Relleno (Dato) SELECT randomblob(1000) FROM n");
    const QString copia = QDir(carpeta.path()).filePath("respaldo.sqlite");
    const QString parcial = RespaldoParcial(copia);
    RespaldaSqlite(original, copia);
    int anteriores = solicitudes(copia);

    const QStringList argumentos = {"respaldo", "--destino", copia, "--db", "sqlite:" + original};
    std::mt19937 azar(12);
    constexpr int Rondas = 20;
    int cortadas = 0;
    int terminadas = 0;
    for (int ronda = 0; ronda < Rondas; ++ronda) {
        SCOPED_TRACE(ronda);
        // Each copy differs from the one before it by one application.
        conexion->ejecuta("INSERT INTO TLicencias (FolioActual) VALUES (?)",
                          {QString("K%1").arg(ronda, 9, 10, QChar('0'))});
        const int nuevas = solicitudes(original);
        QFile::remove(parcial);
        QProcess hijo;
        hijo.start(PROGRAMA_LICENCIAS, argumentos);
        ASSERT_TRUE(hijo.waitForStarted());
        QElapsedTimer espera;
        espera.start();
        while (!QFileInfo::exists(parcial) && hijo.state() == QProcess::Running &&
               espera.elapsed() < 10000) {
            QThread::usleep(200);
        }
        QThread::msleep(std::uniform_int_distribution<int>(0, 120)(azar));
        const bool aMedias = QFileInfo::exists(parcial) && hijo.state() == QProcess::Running;
        hijo.kill();  // SIGKILL
        hijo.waitForFinished();

        EXPECT_EQ(revision(copia), "ok");
        const int enCopia = solicitudes(copia);
        if (enCopia == nuevas) {
            ++terminadas;  // it renamed its copy before the kill
        } else {
            EXPECT_EQ(enCopia, anteriores);
            cortadas += aMedias ? 1 : 0;
        }
        anteriores = enCopia;
    }
    EXPECT_GE(cortadas, Rondas / 2);

    // The next copy clears what the last cut one left, and replaces the old.
    ASSERT_TRUE(QFileInfo::exists(parcial) || terminadas == Rondas);
    QProcess hijo;
    hijo.start(PROGRAMA_LICENCIAS, argumentos);
    ASSERT_TRUE(hijo.waitForFinished(60000));
    EXPECT_EQ(hijo.exitCode(), 0) << hijo.readAllStandardError().toStdString();
    EXPECT_EQ(solicitudes(copia), solicitudes(original));
    EXPECT_EQ(revision(copia), "ok");
    EXPECT_FALSE(QFileInfo::exists(parcial));
    std::cout << "[respaldo] " << Rondas << " copias de " << QFileInfo(original).size() / 1024
              << " KiB muertas con SIGKILL: " << cortadas << " a medio escribir, " << terminadas
              << " ya terminadas; la copia anterior quedó entera las " << Rondas
              << " veces; la siguiente copia completa la reemplazó\n";
}

TEST(Respaldo, ElComandoCopiaLaBaseSqliteYParaUnServidorDiceComoUsarPgDump)
{
    Entorno e;
    e.agregaUsuario("ana", "abc123", "Ana Rojas");
    QTemporaryDir carpeta;
    const QString destino = QDir(carpeta.path()).filePath("copia.sqlite");
    QString salida;
    QString error;
    QTextStream flujoSalida(&salida);
    QTextStream flujoError(&error);
    ContextoComando contexto{{"respaldo", "--destino", destino}, e.origen(), AbreBase, flujoSalida,
                             flujoError};
    const int estado = ComandoRespaldo(contexto);
    if (e.conexion().dialecto() == Conexion::Dialecto::SQLite) {
        EXPECT_EQ(estado, Salida::Exito) << error.toStdString();
        EXPECT_TRUE(salida.contains(destino)) << salida.toStdString();
        const auto copia = Conexion::abre(OrigenDatos::sqlite(destino));
        EXPECT_EQ(copia->consulta("SELECT usuario FROM TUsuarios").texto("usuario"), "ana");
    } else {
        EXPECT_EQ(estado, Salida::Fallo);
        EXPECT_TRUE(error.contains("pg_dump")) << error.toStdString();
        EXPECT_FALSE(QFileInfo::exists(destino));
    }
    std::cout << "[respaldo] comando sobre " << e.origen().descripcion().toStdString() << ": estado "
              << estado << ", " << (estado == 0 ? salida : error).section('\n', 0, 0).toStdString()
              << "\n";
}
