// Two workstations press " Registrar" on the same folio at the same instant:
// the folio is stored once, in the name of one of them, and the other clerk
// is told the folio is already registered. Nothing else is shown.

#include "entorno.h"
#include "fiabilidad.h"
#include "instante.h"
#include "prueba.h"
#include "shell/datos/recordset.h"

#include <array>

namespace {

const QString PreguntaRegistro = QStringLiteral("¿Desea imprimir?\tLicencia ha sido registrada, desea imprimir ahora ?");
const QString FolioYaRegistrado = QStringLiteral(
    "Error en Especie Valorada Número\tEl número de folio actual ya se encuentra registrado  <Especie "
    "Valorada Número>");

// A clerk's form in its own process.
struct Ventanilla {
    QString nombre;
    QProcess proceso;
    qint64 inicio = 0;
    qint64 fin = 0;
    QStringList cajas;

    bool ordena(const QString& orden)
    {
        return proceso.write((orden + QLatin1Char('\n')).toUtf8()) > 0 && proceso.waitForBytesWritten(30000);
    }
    bool espera(const QString& respuesta) { return LeeLinea(proceso) == respuesta; }
    bool leeResultado()
    {
        const auto linea = LeeLinea(proceso);
        const QStringList partes = linea.value_or(QString()).split(QLatin1Char(' '));
        if (partes.size() != 4 || partes[0] != QLatin1String("resultado")) {
            return false;
        }
        inicio = partes[1].toLongLong();
        fin = partes[2].toLongLong();
        cajas.clear();
        for (int i = 0; i < partes[3].toInt(); ++i) {
            cajas << LeeLinea(proceso).value_or(QString()).mid(5);
        }
        return true;
    }
    QString error() { return QString::fromUtf8(proceso.readAllStandardError()); }
};

}  // namespace

TEST(DosEscribientes, ElMismoFolioALaVezQuedaUnaVezYElOtroRecibeElAviso)
{
    Entorno e;
    if (e.origen().motor == OrigenDatos::Motor::ODBC) {
        // The race is proven on each engine directly; through an ODBC source
        // the two clerk processes do not yet agree on one instant.
        GTEST_SKIP() << "carrera de dos escribientes probada en SQLite y PostgreSQL directos";
    }
    e.agregaMedico("DR. PEDRO SOTO");
    const bool sqlite = e.origen().motor == OrigenDatos::Motor::SQLite;
    // What every connection of the program sets, read back from one.
    const auto pragma = [&](const char* nombre) {
        return sqlite ? e.conexion().consulta(QStringLiteral("PRAGMA %1").arg(nombre)).fila().valores().value(0).toString()
                      : QString();
    };
    const QString diario = pragma("journal_mode");
    const QString espera = pragma("busy_timeout");
    std::array<Ventanilla, 2> ventanillas;
    ventanillas[0].nombre = QStringLiteral("ESCRIBIENTE A");
    ventanillas[1].nombre = QStringLiteral("ESCRIBIENTE B");
    for (Ventanilla& v : ventanillas) {
        ASSERT_TRUE(Inicia(v.proceso, ProgramaVentanilla, {"--db", TextoOrigen(e.origen()), "--nombre", v.nombre}));
    }
    for (Ventanilla& v : ventanillas) {
        ASSERT_TRUE(v.espera("listo")) << v.error().toStdString();
    }

    const int rondas = Rondas(100, 1000);
    QStringList fallas;
    std::array<int, 2> registradas{};
    int avisadas = 0;
    int solapadas = 0;
    qint64 desfaseMaximo = 0;
    int filasComprobadas = 0;
    for (int ronda = 1; ronda <= rondas && fallas.isEmpty(); ++ronda) {
        const QString folio = QStringLiteral("CL%1").arg(ronda, 8, 10, QLatin1Char('0'));
        for (Ventanilla& v : ventanillas) {
            if (!v.ordena("folio " + folio) || !v.espera("preparado")) {
                fallas << QStringLiteral("ronda %1: %2 no preparó la solicitud: %3").arg(ronda).arg(v.nombre, v.error());
            }
        }
        // Both wait for the same instant, a little ahead, and press at once.
        const QString orden = QStringLiteral("registra %1").arg(InstanteNs() + 50'000'000);
        for (Ventanilla& v : ventanillas) {
            v.ordena(orden);
        }
        for (Ventanilla& v : ventanillas) {
            if (!v.leeResultado()) {
                fallas << QStringLiteral("ronda %1: %2 no respondió: %3").arg(ronda).arg(v.nombre, v.error());
            }
        }
        if (!fallas.isEmpty()) {
            break;
        }
        desfaseMaximo = std::max(desfaseMaximo, std::abs(ventanillas[0].inicio - ventanillas[1].inicio));
        solapadas += std::max(ventanillas[0].inicio, ventanillas[1].inicio) <
                             std::min(ventanillas[0].fin, ventanillas[1].fin)
                         ? 1
                         : 0;
        int ganadora = -1;
        for (int i = 0; i < 2; ++i) {
            const QStringList& cajas = ventanillas[size_t(i)].cajas;
            if (cajas == QStringList{PreguntaRegistro} && ganadora == -1) {
                ganadora = i;
            } else if (cajas == QStringList{FolioYaRegistrado}) {
                ++avisadas;
            } else {
                fallas << QStringLiteral("ronda %1: %2 vio [%3]")
                              .arg(ronda)
                              .arg(ventanillas[size_t(i)].nombre, cajas.join(QStringLiteral(" | ")));
            }
        }
        const Recordset filas =
            e.conexion().consulta("SELECT Nombres FROM TLicencias WHERE FolioActual = ?", {folio});
        filasComprobadas += filas.recordCount();
        if (ganadora < 0 || filas.recordCount() != 1 ||
            filas.texto("Nombres") != ventanillas[size_t(ganadora)].nombre) {
            fallas << QStringLiteral("ronda %1: el folio %2 quedó %3 veces").arg(ronda).arg(folio).arg(filas.recordCount());
        } else {
            ++registradas[size_t(ganadora)];
        }
    }
    const int total = e.conexion().consulta("SELECT count(*) AS n FROM TLicencias").valor("n").toInt();
    for (Ventanilla& v : ventanillas) {
        v.proceso.closeWriteChannel();
        if (!v.proceso.waitForFinished(30000) || v.proceso.exitStatus() != QProcess::NormalExit ||
            v.proceso.exitCode() != 0) {
            fallas << QStringLiteral("%1 no terminó bien: %2").arg(v.nombre, v.error());
        }
    }
    Cifras(sqlite ? QStringLiteral("Dos escribientes, un folio (SQLite, diario %1, espera %2 ms)").arg(diario, espera)
                  : QStringLiteral("Dos escribientes, un folio (PostgreSQL)"),
           {QStringLiteral("%1 rondas").arg(rondas),
            QStringLiteral("registró A %1, registró B %2").arg(registradas[0]).arg(registradas[1]),
            QStringLiteral("%1 avisos de folio ya registrado").arg(avisadas),
            QStringLiteral("%1 rondas con los dos clics en curso a la vez").arg(solapadas),
            QStringLiteral("desfase máximo entre los clics %1 µs").arg(desfaseMaximo / 1000),
            QStringLiteral("%1 filas en la tabla, %2 por folio comprobadas").arg(total).arg(filasComprobadas),
            QStringLiteral("%1 fallas").arg(fallas.size())});
    EXPECT_EQ(total, rondas);
    EXPECT_EQ(avisadas, rondas);
    EXPECT_TRUE(fallas.isEmpty()) << fallas.join('\n').toStdString();
}
