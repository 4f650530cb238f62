#pragma once

#include "shell/datos/origen_datos.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <optional>
#include <random>

// What the reliability proofs share: how many rounds they run, the programs
// they start, and how they report what they tried.

// `normal` rounds under make test; `estres` when LICENCIAS_ESTRES is set,
// as make stress does.
int Rondas(int normal, int estres);

// The seed of a proof's random moments: LICENCIAS_SEMILLA when set, else
// drawn anew; the figures print it, so a failing run can be repeated.
quint32 SemillaDePrueba();

// The --db text of the test's database, for a child process.
QString TextoOrigen(const OrigenDatos& origen);

// Starts one of our programs with `argumentos`; false when it did not start.
bool Inicia(QProcess& proceso, const QString& programa, const QStringList& argumentos);

// The next line the process writes on its standard output, without its end;
// nothing when it ends or stays silent for `milisegundos`.
std::optional<QString> LeeLinea(QProcess& proceso, int milisegundos = 30000);

// Prints a proof's figures on one line of standard output.
void Cifras(const QString& prueba, const QStringList& cifras);

// The checks of the running test that failed so far.
int FallasDeLaPrueba();

// Milliseconds between `desde` and `hasta` drawn evenly.
int MilisegundosAlAzar(std::mt19937& azar, int desde, int hasta);

// Our programs, as CMake built them.
inline const QString ProgramaLicencias = QStringLiteral(PROGRAMA_LICENCIAS);
inline const QString ProgramaEscribiente = QStringLiteral(PROGRAMA_ESCRIBIENTE);
inline const QString ProgramaVentanilla = QStringLiteral(PROGRAMA_VENTANILLA);
