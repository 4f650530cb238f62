#include "fiabilidad.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <iostream>

int Rondas(int normal, int estres)
{
    return qEnvironmentVariableIsSet("LICENCIAS_ESTRES") ? estres : normal;
}

quint32 SemillaDePrueba()
{
    bool dada = false;
    const quint32 semilla = qEnvironmentVariable("LICENCIAS_SEMILLA").toUInt(&dada);
    return dada ? semilla : std::random_device{}();
}

QString TextoOrigen(const OrigenDatos& origen)
{
    if (origen.motor == OrigenDatos::Motor::SQLite) {
        return QStringLiteral("sqlite:") + origen.ruta;
    }
    return qEnvironmentVariable("LICENCIAS_PRUEBA_DB");
}

bool Inicia(QProcess& proceso, const QString& programa, const QStringList& argumentos)
{
    proceso.setProgram(programa);
    proceso.setArguments(argumentos);
    proceso.start();
    return proceso.waitForStarted(30000);
}

std::optional<QString> LeeLinea(QProcess& proceso, int milisegundos)
{
    QElapsedTimer reloj;
    reloj.start();
    while (!proceso.canReadLine()) {
        const int quedan = milisegundos - int(reloj.elapsed());
        if (quedan <= 0 || !proceso.waitForReadyRead(quedan)) {
            if (!proceso.canReadLine()) {
                return std::nullopt;
            }
        }
    }
    return QString::fromUtf8(proceso.readLine()).chopped(1);
}

void Cifras(const QString& prueba, const QStringList& cifras)
{
    std::cout << "[cifras] " << prueba.toStdString() << ": " << cifras.join(QStringLiteral(", ")).toStdString()
              << std::endl;
}

int MilisegundosAlAzar(std::mt19937& azar, int desde, int hasta)
{
    return desde + int(azar() % quint32(hasta - desde + 1));
}

int FallasDeLaPrueba()
{
    const ::testing::TestInfo* prueba = ::testing::UnitTest::GetInstance()->current_test_info();
    return prueba ? prueba->result()->total_part_count() : 0;
}
