#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

// ---------------------------------------------------------------- exams

// Result codes of a psychotechnical test in the order of its three options:
// approved, failed, pending.
inline const QStringList CodigosResultado = {QStringLiteral("A"), QStringLiteral("R"),
                                             QStringLiteral("P")};
constexpr int NumeroExamenesPsicotecnicos = 12;

// The option a hand-over cell selects: 0, 1 or 2 for "A", "R" or "P" after
// trimming, case counting; -1 (no option) for any other text.
int OpcionResultado(const QString& celda);

struct ValorPsicotecnico {
    int columna;     // grid column, 84 to 95
    QString codigo;  // "A", "R" or "P"
};

// The results a fresh load of the exam-detail form selects from these
// cells, in column order. A test whose cell selects no option is left out:
// the record write keeps that column's stored value.
std::vector<ValorPsicotecnico> ValoresPsicotecnicos(const std::function<QString(int columna)>& celda);

// ---------------------------------------------------------------- denial

constexpr int NumeroRazonesDenegacion = 10;
constexpr int NumeroClasesDenegacion = 10;
constexpr int LargoCeldaRazon = 2 * NumeroClasesDenegacion;

// The class slots of a reason cell, two characters each: A1 to A5, then the
// one-letter classes followed by a blank.
inline const std::array<QString, NumeroClasesDenegacion> SlotsClases = {
    QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"), QStringLiteral("A4"),
    QStringLiteral("A5"), QStringLiteral("B "), QStringLiteral("C "), QStringLiteral("D "),
    QStringLiteral("E "), QStringLiteral("F ")};

using ClasesDenegadas = std::array<bool, NumeroClasesDenegacion>;

// The 20 characters of a chosen reason: each slot holds its slot text when
// its class is denied, two blanks when not.
QString TextoRazon(const ClasesDenegadas& clases);
// The classes whose slot holds exactly its slot text; slots beyond the end
// of a short cell hold none.
ClasesDenegadas ClasesDeRazon(const QString& celda);

// A duration in days as the box may hold it on return: blank, or one to
// three digits, with blanks around.
bool DuracionValida(const QString& texto);
// The duration as stored: trimmed, one or two digits filled with "0" on the
// left to three; other lengths as they are.
QString DuracionRellena(const QString& texto);
