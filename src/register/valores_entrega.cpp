#include "register/valores_entrega.h"

#include "platform/grilla.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "shell/aplicacion.h"

#include <QRegularExpression>

bool FilaEntrega::existe() const
{
    return licencia_.solicitudNueva() || licencia_.MSHF_Licencias().filaActual() > 0;
}

QString FilaEntrega::celda(int columna) const
{
    return existe() ? licencia_.celdaEntrega(columna) : QString();
}

void FilaEntrega::fija(int columna, const QString& texto)
{
    if (existe()) {
        licencia_.fijaCeldaEntrega(columna, texto);
    }
}

void AvisaSinFilaEntrega(Aplicacion& app)
{
    app.mensajes().muestra(
        QStringLiteral("No hay una licencia elegida en la grilla: elija una fila, o presione "
                       "\"Limpiar Campos\" para ingresar una solicitud nueva. "
                       "No se guardó lo marcado."),
        QStringLiteral("Sin licencia elegida"));
}

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
