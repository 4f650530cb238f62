// A process killed at any moment leaves nothing half written: the database
// passes its integrity check and holds every application whole, as it was
// logged before its commit, and a registry file keeps its earlier contents
// until the new one is whole.

#include "app/esquema_sistema.h"
#include "demo/generador_solicitudes.h"
#include "diario.h"
#include "entorno.h"
#include "fiabilidad.h"
#include "prueba.h"
#include "register/columnas_licencia.h"
#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QTemporaryDir>

namespace {

// Every application by folio: the text of each column, in table order, as
// the form shows it (Posicion left empty: the database gives it).
using Tabla = QMap<QString, QStringList>;

void Aplica(Tabla& tabla, const EntradaDiario& entrada)
{
    QStringList fila = entrada.nueva ? QStringList() : tabla.value(entrada.folio);
    fila.resize(NumeroColumnasLicencia);
    for (const auto& [columna, valor] : entrada.valores) {
        const int posicion = PosicionColumna(columna);
        fila[posicion - 1] = TextoValor(valor, ColumnaEn(posicion).tipo == TipoColumna::Fecha);
    }
    tabla[entrada.folio] = fila;
}

// The stored applications; a folio stored twice is a difference too.
Tabla Almacenadas(Conexion& conexion, QStringList* repetidos)
{
    Tabla tabla;
    conexion.recorre(QStringLiteral("SELECT * FROM TLicencias"), {}, [&](const Fila& f) {
        QStringList fila;
        for (const ColumnaLicencia& c : ColumnasLicencia) {
            fila << (c.tipo == TipoColumna::Autonumero ? QString() : f.texto(QLatin1String(c.nombre)));
        }
        const QString folio = f.texto(QStringLiteral("FolioActual"));
        if (tabla.contains(folio)) {
            *repetidos << folio;
        }
        tabla[folio] = fila;
    });
    return tabla;
}

QString Recorta(const QString& texto)
{
    return texto.size() > 60 ? texto.left(60) + QStringLiteral("…") : texto;
}

// What differs, the first few differences.
QStringList Diferencias(const Tabla& esperada, const Tabla& almacenada)
{
    QStringList diferencias;
    for (auto it = esperada.cbegin(); it != esperada.cend() && diferencias.size() < 5; ++it) {
        if (!almacenada.contains(it.key())) {
            diferencias << QStringLiteral("falta el folio %1").arg(it.key());
            continue;
        }
        const QStringList& guardada = almacenada[it.key()];
        for (int i = 0; i < NumeroColumnasLicencia; ++i) {
            if (guardada.value(i) != it.value().value(i)) {
                diferencias << QStringLiteral("folio %1, %2: se escribió «%3», quedó «%4»")
                                   .arg(it.key(), QLatin1String(ColumnasLicencia[size_t(i)].nombre),
                                        Recorta(it.value().value(i)), Recorta(guardada.value(i)));
            }
        }
    }
    for (auto it = almacenada.cbegin(); it != almacenada.cend(); ++it) {
        if (!esperada.contains(it.key())) {
            diferencias << QStringLiteral("sobra el folio %1").arg(it.key());
        }
    }
    return diferencias;
}

// PRAGMA integrity_check on SQLite; a PostgreSQL server keeps its own pages.
std::optional<QString> FallaDeIntegridad(Conexion& conexion)
{
    if (conexion.dialecto() != Conexion::Dialecto::SQLite) {
        return std::nullopt;
    }
    QStringList informe;
    conexion.recorre(QStringLiteral("PRAGMA integrity_check"), {},
                     [&](const Fila& f) { informe << f.valores().value(0).toString(); });
    if (informe == QStringList{QStringLiteral("ok")}) {
        return std::nullopt;
    }
    return informe.join(QStringLiteral("; "));
}

void Mata(QProcess& proceso)
{
    proceso.kill();
    proceso.waitForFinished(30000);
}

// Whether the process holds a file of `carpeta` open: a file being written,
// whose temporary name may not show in the folder.
bool EscribeEn(const QProcess& proceso, const QString& carpeta)
{
    const QDir descriptores(QStringLiteral("/proc/%1/fd").arg(proceso.processId()));
    for (const QFileInfo& d : descriptores.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (d.symLinkTarget().startsWith(carpeta + QLatin1Char('/'))) {
            return true;
        }
    }
    return false;
}

// The test database with the schema and no connection left open, so that
// each process that opens it after a kill finds it as a restarted
// workstation does (on SQLite, the first connection recovers the journal).
class Interrupcion : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsSet("LICENCIAS_PRUEBA_DB")) {
            const Entorno e;
            origen = e.origen();
        } else {
            origen = OrigenDatos::sqlite(QDir(carpeta.path()).filePath(QStringLiteral("prueba.sqlite")));
            AbreBase(origen);
        }
    }

    // The integrity checks made, as a figure.
    QString integridad(int comprobadas) const
    {
        return origen.motor == OrigenDatos::Motor::SQLite
                   ? QStringLiteral("%1 comprobaciones de integridad").arg(comprobadas)
                   : QStringLiteral("la integridad de las páginas la guarda el servidor");
    }
    QString motor() const
    {
        return origen.motor == OrigenDatos::Motor::SQLite ? QStringLiteral("SQLite") : QStringLiteral("PostgreSQL");
    }
    // The integrity check, when the engine has one, after a kill.
    void compruebaIntegridad(Conexion& conexion, int* comprobadas, int ronda)
    {
        if (const auto falla = FallaDeIntegridad(conexion)) {
            fallas << QStringLiteral("ronda %1: integridad: %2").arg(ronda).arg(*falla);
        } else if (conexion.dialecto() == Conexion::Dialecto::SQLite) {
            ++*comprobadas;
        }
    }

    QTemporaryDir carpeta;
    OrigenDatos origen;
    const quint32 semilla = SemillaDePrueba();
    std::mt19937 azar{semilla};
    QStringList fallas;
};

}  // namespace

TEST_F(Interrupcion, LaGrabacionMuertaEnCualquierMomentoDejaCadaSolicitudEntera)
{
    const int rondas = Rondas(60, 300);
    Tabla esperada;
    int muertes = 0;
    int confirmadas = 0;
    int enCurso = 0;
    int enCursoGuardadas = 0;
    int cortadas = 0;
    int integras = 0;
    qint64 filasComprobadas = 0;
    for (int ronda = 1; ronda <= rondas && fallas.isEmpty(); ++ronda) {
        const QString diario = QDir(carpeta.path()).filePath(QStringLiteral("diario-%1").arg(ronda));
        QProcess hijo;
        if (!Inicia(hijo, ProgramaEscribiente,
                    {"--db", TextoOrigen(origen), "--diario", diario, "--semilla", QString::number(azar())}) ||
            LeeLinea(hijo) != QStringLiteral("listo")) {
            fallas << QStringLiteral("ronda %1: el escribiente no empezó: %2")
                          .arg(ronda)
                          .arg(QString::fromUtf8(hijo.readAllStandardError()));
            break;
        }
        QThread::msleep(MilisegundosAlAzar(azar, 0, 150));
        if (hijo.state() != QProcess::Running) {
            fallas << QStringLiteral("ronda %1: el escribiente terminó solo: %2")
                          .arg(ronda)
                          .arg(QString::fromUtf8(hijo.readAllStandardError()));
            break;
        }
        Mata(hijo);
        ++muertes;

        // Every confirmed write is stored; the one in flight at the kill,
        // if any, is stored whole or not at all.
        const LecturaDiario leido = LeeDiario(diario);
        cortadas += leido.cortada ? 1 : 0;
        std::optional<EntradaDiario> pendiente;
        for (const EntradaDiario& entrada : leido.entradas) {
            if (entrada.tipo == EntradaDiario::Tipo::Escritura) {
                pendiente = entrada;
            } else if (pendiente) {
                Aplica(esperada, *pendiente);
                pendiente.reset();
                ++confirmadas;
            }
        }
        const auto conexion = Conexion::abre(origen);
        compruebaIntegridad(*conexion, &integras, ronda);
        QStringList repetidos;
        const Tabla almacenada = Almacenadas(*conexion, &repetidos);
        filasComprobadas += almacenada.size();
        QStringList diferencias = Diferencias(esperada, almacenada) + repetidos;
        if (pendiente) {
            ++enCurso;
            Tabla conPendiente = esperada;
            Aplica(conPendiente, *pendiente);
            if (Diferencias(conPendiente, almacenada).isEmpty() && repetidos.isEmpty()) {
                esperada = conPendiente;
                ++enCursoGuardadas;
                diferencias.clear();
            }
        }
        if (!diferencias.isEmpty()) {
            fallas << QStringLiteral("ronda %1: %2").arg(ronda).arg(diferencias.join(QStringLiteral("; ")));
        }
    }
    Cifras(QStringLiteral("Grabación muerta con SIGKILL (%1)").arg(motor()),
           {QStringLiteral("semilla %1").arg(semilla), QStringLiteral("%1 muertes").arg(muertes),
            QStringLiteral("%1 escrituras confirmadas").arg(confirmadas),
            QStringLiteral("%1 muertes en medio de una escritura (%2 quedaron enteras, %3 no quedaron)")
                .arg(enCurso)
                .arg(enCursoGuardadas)
                .arg(enCurso - enCursoGuardadas),
            QStringLiteral("%1 diarios cortados por la muerte").arg(cortadas),
            integridad(integras),
            QStringLiteral("%1 filas comprobadas columna por columna").arg(filasComprobadas),
            QStringLiteral("%1 fallas").arg(fallas.size())});
    EXPECT_GE(muertes, 50);
    EXPECT_TRUE(fallas.isEmpty()) << fallas.join('\n').toStdString();
}

namespace {

const QStringList NombresPlanos = {QStringLiteral("LPVN000"), QStringLiteral("RPVN000")};

QByteArray Lee(const QString& ruta)
{
    QFile archivo(ruta);
    return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray();
}

// The files a run leaves in a folder, by name.
QMap<QString, QByteArray> Planos(const QString& carpeta)
{
    QMap<QString, QByteArray> planos;
    for (const QString& nombre : NombresPlanos) {
        planos[nombre] = Lee(QDir(carpeta).filePath(nombre));
    }
    return planos;
}

void Escribe(const QString& carpeta, const QMap<QString, QByteArray>& planos)
{
    for (auto it = planos.cbegin(); it != planos.cend(); ++it) {
        QFile archivo(QDir(carpeta).filePath(it.key()));
        archivo.open(QIODevice::WriteOnly);
        archivo.write(it.value());
    }
}

// Files other than the registry files themselves: the temporary ones a
// killed run leaves behind. They are removed.
int QuitaRestos(const QString& carpeta)
{
    int restos = 0;
    QDir dir(carpeta);
    for (const QString& nombre : dir.entryList(QDir::Files | QDir::Hidden)) {
        if (!NombresPlanos.contains(nombre)) {
            restos += dir.remove(nombre) ? 1 : 0;
        }
    }
    return restos;
}

}  // namespace

TEST_F(Interrupcion, UnaCorridaDeArchivosPlanosMuertaDejaEnteroElArchivoAnterior)
{
    LlenaSolicitudes(*Conexion::abre(origen), Rondas(5000, 20000), 7, QDate(2010, 6, 30));
    QTemporaryDir trabajo;
    QTemporaryDir salida;
    const auto corrida = [&](QProcess& p, const char* desde, const char* hasta) {
        p.setWorkingDirectory(trabajo.path());
        Inicia(p, ProgramaLicencias,
               {"planos", "--tipo", "licencias", "--desde", desde, "--hasta", hasta, "--planos",
                salida.path(), "--db", TextoOrigen(origen)});
    };
    // The earlier files, of January; the new ones, of the whole half year.
    const auto completa = [&](const char* desde, const char* hasta) {
        QProcess p;
        corrida(p, desde, hasta);
        p.waitForFinished(120000);
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return Planos(trabajo.path());
    };
    const auto anteriores = completa("01-01-2010", "31-01-2010");
    QElapsedTimer reloj;
    reloj.start();
    const auto nuevos = completa("01-01-2010", "30-06-2010");
    const int duracion = int(reloj.elapsed());
    ASSERT_NE(anteriores, nuevos);
    ASSERT_EQ(Planos(salida.path()), nuevos);

    const int rondas = Rondas(50, 200);
    int muertes = 0;
    int aMedias = 0;
    int terminadas = 0;
    int quedaronAnteriores = 0;
    int quedaronNuevos = 0;
    int restos = 0;
    int integras = 0;
    for (int intento = 1; muertes < rondas && intento <= 3 * rondas && fallas.isEmpty(); ++intento) {
        for (const QTemporaryDir* carpeta : {&trabajo, &salida}) {
            Escribe(carpeta->path(), anteriores);
        }
        QProcess hijo;
        corrida(hijo, "01-01-2010", "30-06-2010");
        QThread::msleep(MilisegundosAlAzar(azar, 0, duracion));
        if (hijo.state() != QProcess::Running) {
            ++terminadas;
            hijo.waitForFinished(120000);
            if (hijo.exitCode() != 0) {
                fallas << QString::fromUtf8(hijo.readAllStandardError());
            }
        } else {
            aMedias += EscribeEn(hijo, trabajo.path()) || EscribeEn(hijo, salida.path()) ? 1 : 0;
            Mata(hijo);
            ++muertes;
        }
        for (const QTemporaryDir* carpeta : {&trabajo, &salida}) {
            const auto quedan = Planos(carpeta->path());
            for (const QString& nombre : NombresPlanos) {
                if (quedan[nombre] == anteriores[nombre]) {
                    ++quedaronAnteriores;
                } else if (quedan[nombre] == nuevos[nombre]) {
                    ++quedaronNuevos;
                } else {
                    fallas << QStringLiteral("intento %1: %2 quedó con %3 bytes, ni el anterior (%4) ni el nuevo (%5)")
                                  .arg(intento)
                                  .arg(QDir(carpeta->path()).filePath(nombre))
                                  .arg(quedan[nombre].size())
                                  .arg(anteriores[nombre].size())
                                  .arg(nuevos[nombre].size());
                }
            }
            restos += QuitaRestos(carpeta->path());
        }
        compruebaIntegridad(*Conexion::abre(origen), &integras, intento);
    }
    Cifras(QStringLiteral("Archivos planos muertos con SIGKILL (%1)").arg(motor()),
           {QStringLiteral("semilla %1").arg(semilla),
            QStringLiteral("corrida completa de %1 ms").arg(duracion),
            QStringLiteral("%1 muertes (%2 con un archivo plano abierto a medio escribir)").arg(muertes).arg(aMedias),
            QStringLiteral("%1 corridas terminaron antes").arg(terminadas),
            QStringLiteral("%1 archivos comprobados: %2 anteriores enteros, %3 nuevos enteros")
                .arg(quedaronAnteriores + quedaronNuevos)
                .arg(quedaronAnteriores)
                .arg(quedaronNuevos),
            QStringLiteral("%1 archivos temporales abandonados").arg(restos),
            integridad(integras),
            QStringLiteral("%1 fallas").arg(fallas.size())});
    EXPECT_EQ(muertes, rondas);
    EXPECT_TRUE(fallas.isEmpty()) << fallas.join('\n').toStdString();
}
