#include "register/valores_entrega.h"

#include "register/columnas_licencia.h"

#include <QRegularExpression>

int OpcionResultado(const QString& celda)
{
    return int(CodigosResultado.indexOf(celda.trimmed()));
}

std::vector<ValorPsicotecnico> ValoresPsicotecnicos(const std::function<QString(int columna)>& celda)
{
    std::vector<ValorPsicotecnico> valores;
    for (int columna = ColumnaPrimerExamen;
         columna < ColumnaPrimerExamen + NumeroExamenesPsicotecnicos; ++columna) {
        const int opcion = OpcionResultado(celda(columna));
        if (opcion >= 0) {
            valores.push_back({columna, CodigosResultado[opcion]});
        }
    }
    return valores;
}

QString TextoRazon(const ClasesDenegadas& clases)
{
    QString texto;
    for (int j = 0; j < NumeroClasesDenegacion; ++j) {
        texto += clases[size_t(j)] ? SlotsClases[size_t(j)] : QStringLiteral("  ");
    }
    return texto;
}

ClasesDenegadas ClasesDeRazon(const QString& celda)
{
    ClasesDenegadas clases{};
    for (int j = 0; j < NumeroClasesDenegacion; ++j) {
        clases[size_t(j)] = celda.mid(2 * j, 2) == SlotsClases[size_t(j)];
    }
    return clases;
}

bool DuracionValida(const QString& texto)
{
    static const QRegularExpression dias(QStringLiteral("^[0-9]{0,3}$"));
    return dias.match(texto.trimmed()).hasMatch();
}

QString DuracionRellena(const QString& texto)
{
    const QString dias = texto.trimmed();
    return dias.size() == 1 || dias.size() == 2 ? dias.rightJustified(3, QLatin1Char('0')) : dias;
}
