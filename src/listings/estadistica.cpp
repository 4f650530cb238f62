#include "listings/estadistica.h"

#include "shell/datos/clave_fecha.h"
#include "shell/datos/conexion.h"
#include "shell/datos/fila.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

const QString Si = QStringLiteral("Si");
const QString No = QStringLiteral("No");

// Blanks only, as the stored texts are padded; a tab or a line break is
// part of the value.
QString sinBlancos(const QString& texto)
{
    qsizetype inicio = 0;
    qsizetype fin = texto.size();
    while (inicio < fin && texto.at(inicio) == QLatin1Char(' ')) {
        ++inicio;
    }
    while (fin > inicio && texto.at(fin - 1) == QLatin1Char(' ')) {
        --fin;
    }
    return texto.mid(inicio, fin - inicio);
}

template <class Tabla>
int indiceCodigo(const Tabla& tabla, const QString& codigo)
{
    for (int i = 0; i < int(tabla.size()); ++i) {
        if (codigo == QLatin1String(tabla[size_t(i)].codigo)) {
            return i;
        }
    }
    return -1;
}

int sumaClase(const SolicitudContada& s, int clase, int sexo)
{
    return clase >= 0 && sexo >= 0 && s.clase[size_t(clase)] && s.sexo == sexo ? 1 : 0;
}

int columnaDe(const ColumnasFila& columnas, const char* nombre)
{
    return nombre ? columnas.indice(QLatin1String(nombre)) : -1;
}

bool esSi(const Fila& fila, int columna, bool recortado)
{
    if (columna < 0) {
        return false;
    }
    return (recortado ? sinBlancos(fila.texto(columna)) : fila.texto(columna)) == Si;
}

// The columns a month's count reads: Sexo, the classes, the requests, the
// exams.
QStringList columnasConteo()
{
    QStringList columnas{QStringLiteral("Sexo")};
    for (const CodigoClase& c : CodigosClase) {
        columnas << QLatin1String(c.columna);
    }
    for (const CodigoPeticion& p : CodigosPeticion) {
        columnas << QLatin1String(p.columnaPeticion);
        if (p.columnaExamen) {
            columnas << QLatin1String(p.columnaExamen);
        }
    }
    return columnas;
}

}  // namespace

const std::array<CodigoClase, NumeroClases> CodigosClase = {{
    {"A1a", "ClaseA1a", false, "A1"},
    {"A2a", "ClaseA2a", false, "A2"},
    {"B", "ClaseB", false, "B"},
    {"C", "ClaseC", false, "C"},
    {"D", "ClaseD", false, "D"},
    {"E", "ClaseE", false, "E"},
    {"F", "ClaseF", false, "F"},
    {"A1", "ClaseA1", true, "A1"},
    {"A2", "ClaseA2", true, "A2"},
    {"A3", "ClaseA3", true, "A3"},
    {"A4", "ClaseA4", true, "A4"},
    {"A5", "ClaseA5", true, "A5"},
}};

const std::array<CodigoPeticion, NumeroPeticiones> CodigosPeticion = {{
    {"CC", "CambioClase", "Cambio de Clase", "ExamenMedico", "Exámen Médico"},
    {"PV", "PrimeraVez", "1º vez (B,C,D,E,F)", "ExamenTeorico", "Examen Teórico"},
    {"AC", "AmpliacionClase", "Ampliación de Clase", "ExamenPractico", "Examen Práctico"},
    {"EC", "ExamenControl", "Examen de Control", nullptr, ""},
}};

const std::array<CodigoSexo, NumeroSexos> CodigosSexo = {{
    {"H", "Masculino"},
    {"M", "Femenino"},
}};

LectorSolicitud::LectorSolicitud(const ColumnasFila& columnas)
    : sexo_(columnas.indice(QStringLiteral("Sexo")))
{
    for (int k = 0; k < NumeroClases; ++k) {
        clases_[size_t(k)] = columnaDe(columnas, CodigosClase[size_t(k)].columna);
    }
    for (int r = 0; r < NumeroPeticiones; ++r) {
        peticiones_[size_t(r)] = columnaDe(columnas, CodigosPeticion[size_t(r)].columnaPeticion);
        examenes_[size_t(r)] = columnaDe(columnas, CodigosPeticion[size_t(r)].columnaExamen);
    }
}

SolicitudContada LectorSolicitud::lee(const Fila& fila) const
{
    SolicitudContada s;
    for (size_t k = 0; k < clases_.size(); ++k) {
        s.clase[k] = esSi(fila, clases_[k], true);
    }
    for (size_t r = 0; r < peticiones_.size(); ++r) {
        s.peticion[r] = esSi(fila, peticiones_[r], false);
        s.examenReprobado[r] = examenes_[r] >= 0 && fila.texto(examenes_[r]) == No;
    }
    if (sexo_ >= 0) {
        const QString sexo = sinBlancos(fila.texto(sexo_));
        for (int i = 0; i < NumeroSexos; ++i) {
            if (sexo == QLatin1String(CodigosSexo[size_t(i)].sexo)) {
                s.sexo = i;
            }
        }
    }
    return s;
}

int SumaClase(const SolicitudContada& s, const QString& clase, const QString& sexo)
{
    return sumaClase(s, indiceCodigo(CodigosClase, sinBlancos(clase)),
                     indiceCodigo(CodigosSexo, sexo));
}

int SumaPeticionClase(const SolicitudContada& s, const QString& peticion, const QString& clase,
                      const QString& sexo)
{
    const int r = indiceCodigo(CodigosPeticion, peticion);
    return r >= 0 && s.peticion[size_t(r)] ? SumaClase(s, clase, sexo) : 0;
}

int SumaDeniegaClase(const SolicitudContada& s, const QString& examen, const QString& clase,
                     const QString& sexo)
{
    const int r = indiceCodigo(CodigosPeticion, examen);
    return r >= 0 && s.examenReprobado[size_t(r)] ? SumaClase(s, clase, sexo) : 0;
}

void ConteoMes::cuenta(const SolicitudContada& s, TipoEstadistica tipo)
{
    ++solicitudes;
    const auto& filas = tipo == TipoEstadistica::Otorgadas ? s.peticion : s.examenReprobado;
    for (int k = 0; k < NumeroClases; ++k) {
        for (int sexo = 0; sexo < NumeroSexos; ++sexo) {
            const int suma = sumaClase(s, k, sexo);
            clase[size_t(k)][size_t(sexo)] += suma;
            for (int r = 0; r < NumeroPeticiones; ++r) {
                peticion[size_t(r)][size_t(k)][size_t(sexo)] += filas[size_t(r)] ? suma : 0;
            }
        }
    }
}

void NormalizaFechaActual1(Conexion& conexion)
{
    // The condition is that of the partial index holding exactly the rows
    // to normalise, so they are found through it. The planners cannot tell
    // how few those rows are (PostgreSQL would read the whole table to
    // update them): their Posicion is gathered first and they are
    // rewritten by key, each still only if it differs.
    constexpr int PorInstruccion = 500;
    const QString pendientes = FechaActual1PendienteSql();
    Transaccion t(conexion);
    std::vector<qint64> posiciones;
    conexion.recorre(QStringLiteral("SELECT Posicion FROM TLicencias WHERE %1").arg(pendientes), {},
                     [&](const Fila& fila) {
                         posiciones.push_back(fila.valor(QStringLiteral("Posicion")).toLongLong());
                     });
    for (size_t desde = 0; desde < posiciones.size(); desde += PorInstruccion) {
        QVariantList valores;
        for (size_t i = desde; i < std::min(posiciones.size(), desde + PorInstruccion); ++i) {
            valores << posiciones[i];
        }
        const QStringList marcas(valores.size(), QStringLiteral("?"));
        conexion.ejecuta(QStringLiteral("UPDATE TLicencias SET FechaActual1 = %1 "
                                        "WHERE Posicion IN (%2) AND (%3)")
                             .arg(FechaActual1Sql(), marcas.join(QLatin1Char(',')), pendientes),
                         valores);
    }
    t.confirma();
}

std::optional<FallaMesAnio> ValidaMesAnio(int posicionMes, const QString& textoAnio)
{
    if (posicionMes < 0 || posicionMes > 11) {
        return FallaMesAnio{QStringLiteral("Error en el mes solicitado, verifique poir favor"),
                            QStringLiteral("Error en el mes")};
    }
    // Four digits from 1000 on: a year typed with a gap (such as "20 10")
    // would select nothing and show an empty sheet as if the month had no
    // applications.
    const QString anio = sinBlancos(textoAnio);
    bool numero = anio.size() == 4;
    for (const QChar c : anio) {
        numero = numero && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    }
    if (!numero || anio.toInt() < 1000) {
        return FallaMesAnio{QStringLiteral("Error en el año solicitado, el año debe tener 4 digitos, "
                                           "verifique poir favor"),
                            QStringLiteral("Error en el año")};
    }
    return std::nullopt;
}

ConteoMes CuentaMes(Conexion& conexion, TipoEstadistica tipo, int posicionMes,
                    const QString& textoAnio)
{
    if (const auto falla = ValidaMesAnio(posicionMes, textoAnio)) {
        throw std::invalid_argument(falla->texto.toStdString());
    }
    // The month's keys run from yyyymm up to, not including, the key of the
    // next month's number, through the one date-key index. Month and year
    // in their places of FechaActual then make the selection exactly that
    // of characters 4 to 10 of the normalised FechaActual1, also for a
    // malformed date text.
    const QString anio = sinBlancos(textoAnio);
    const QString mes = QStringLiteral("%1").arg(posicionMes + 1, 2, 10, QLatin1Char('0'));
    const QString hasta = anio + QStringLiteral("%1").arg(posicionMes + 2, 2, 10, QLatin1Char('0'));
    const QString clave = ClaveFechaSql();
    const QString sql = QStringLiteral("SELECT %1 FROM TLicencias WHERE trim(Estado) = ? "
                                       "AND %2 >= ? AND %2 < ? "
                                       "AND substr(FechaActual,4,2) = ? AND substr(FechaActual,7,4) = ?")
                            .arg(columnasConteo().join(QStringLiteral(", ")), clave);
    const QString estado =
        tipo == TipoEstadistica::Otorgadas ? QStringLiteral("Ok") : QStringLiteral("Reprobado");
    ConteoMes conteo;
    std::optional<LectorSolicitud> lector;
    conexion.recorre(sql, {estado, anio + mes, hasta, mes, anio}, [&](const Fila& fila) {
        if (!lector) {
            lector.emplace(fila.columnas());
        }
        conteo.cuenta(lector->lee(fila), tipo);
    });
    return conteo;
}

QString NombreCaja(const QString& parteFila, const QString& parteClase, const QString& sexo)
{
    return QStringLiteral("NE_") + parteFila + parteClase + sexo;
}

QString ParteTotal(bool profesional)
{
    return profesional ? QStringLiteral("TP") : QStringLiteral("T");
}

ValoresHoja CalculaValoresHoja(const ConteoMes& conteo, TipoEstadistica tipo)
{
    const bool otorgadas = tipo == TipoEstadistica::Otorgadas;
    const QString filaTotal = QStringLiteral("T");
    ValoresHoja v;
    for (const bool profesional : {false, true}) {
        const QString total = ParteTotal(profesional);
        for (int s = 0; s < NumeroSexos; ++s) {
            const QString sexo = QLatin1String(CodigosSexo[size_t(s)].codigo);
            int totalTotal = 0;
            int totalResumen = 0;
            for (int r = 0; r < NumeroPeticiones; ++r) {
                const QString fila = QLatin1String(CodigosPeticion[size_t(r)].codigo);
                int totalFila = 0;
                for (int k = 0; k < NumeroClases; ++k) {
                    if (CodigosClase[size_t(k)].profesional != profesional) {
                        continue;
                    }
                    const int valor = conteo.peticion[size_t(r)][size_t(k)][size_t(s)];
                    v.insert(NombreCaja(fila, QLatin1String(CodigosClase[size_t(k)].codigo), sexo),
                             valor);
                    totalFila += valor;
                }
                v.insert(NombreCaja(fila, total, sexo), totalFila);
            }
            for (int k = 0; k < NumeroClases; ++k) {
                if (CodigosClase[size_t(k)].profesional != profesional) {
                    continue;
                }
                int totalClase = 0;
                for (int r = 0; r < NumeroPeticiones; ++r) {
                    totalClase += conteo.peticion[size_t(r)][size_t(k)][size_t(s)];
                }
                const QString clase = QLatin1String(CodigosClase[size_t(k)].codigo);
                v.insert(NombreCaja(filaTotal, clase, sexo), totalClase);
                totalTotal += totalClase;
                // The summary row repeats the "T O T A L" row on the granted
                // sheet; the denial sheet counts each application once per
                // class.
                const int resumen = otorgadas ? totalClase : conteo.clase[size_t(k)][size_t(s)];
                v.insert(NombreCaja(QString(), clase, sexo), resumen);
                totalResumen += resumen;
            }
            v.insert(NombreCaja(filaTotal, total, sexo), totalTotal);
            v.insert(NombreCaja(QString(), total, sexo), totalResumen);
        }
    }
    return v;
}
