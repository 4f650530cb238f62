#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

class ColumnasFila;
class Conexion;
class Fila;

// The two monthly sheets: granted licences by request, class and sex, and
// denied applications by failed exam, class and sex.
enum class TipoEstadistica { Otorgadas, Denegadas };

// The twelve class codes, in the sheet's order: the first table (former
// scheme and non-professional classes), then the professional table.
struct CodigoClase {
    const char* codigo;
    const char* columna;
    bool profesional;
    const char* encabezado;  // column heading on the sheet
};
constexpr int NumeroClases = 12;
extern const std::array<CodigoClase, NumeroClases> CodigosClase;

// The four row codes, in the sheet's order. On the granted sheet a row counts
// a request column that is "Si"; on the denial sheet an exam column that is
// "No" (the last row has no exam and stays zero).
struct CodigoPeticion {
    const char* codigo;
    const char* columnaPeticion;
    const char* leyendaOtorgadas;
    const char* columnaExamen;  // nullptr: no exam
    const char* leyendaDenegadas;
};
constexpr int NumeroPeticiones = 4;
extern const std::array<CodigoPeticion, NumeroPeticiones> CodigosPeticion;

struct CodigoSexo {
    const char* codigo;
    const char* sexo;  // the Sexo value it stands for
};
constexpr int NumeroSexos = 2;
extern const std::array<CodigoSexo, NumeroSexos> CodigosSexo;

// One application as the monthly counts read it.
struct SolicitudContada {
    std::array<bool, NumeroClases> clase{};               // the column, trimmed, is "Si"
    int sexo = -1;                                        // CodigosSexo entry of the trimmed Sexo
    std::array<bool, NumeroPeticiones> peticion{};        // the request column is exactly "Si"
    std::array<bool, NumeroPeticiones> examenReprobado{}; // the exam column is exactly "No"
};

// Reads SolicitudContada from rows of one query, finding its columns once.
class LectorSolicitud {
public:
    explicit LectorSolicitud(const ColumnasFila& columnas);
    SolicitudContada lee(const Fila& fila) const;

private:
    std::array<int, NumeroClases> clases_{};
    std::array<int, NumeroPeticiones> peticiones_{};
    std::array<int, NumeroPeticiones> examenes_{};
    int sexo_ = -1;
};

// The counting functions, by the sheet's codes. Each gives 1 or 0; an
// unknown code gives 0.
int SumaClase(const SolicitudContada& s, const QString& clase, const QString& sexo);
int SumaPeticionClase(const SolicitudContada& s, const QString& peticion, const QString& clase,
                      const QString& sexo);
int SumaDeniegaClase(const SolicitudContada& s, const QString& examen, const QString& clase,
                     const QString& sexo);

// The counters of one month, in ordinary integers: no count is cut or wraps.
struct ConteoMes {
    int solicitudes = 0;
    // C(r, k, s): by row code, class code and sex code.
    std::array<std::array<std::array<int, NumeroSexos>, NumeroClases>, NumeroPeticiones> peticion{};
    // D(k, s): denied applications by class and sex, whatever exam failed.
    std::array<std::array<int, NumeroSexos>, NumeroClases> clase{};

    void cuenta(const SolicitudContada& s, TipoEstadistica tipo);
};

// Makes FechaActual1 the day, month and year of FechaActual joined by "/",
// on every row; only rows that differ are written.
void NormalizaFechaActual1(Conexion& conexion);

// The form's month and year checks: the message and its title, or nothing
// when the month (list position, -1 for none) and the year text are good.
struct FallaMesAnio {
    QString texto;
    QString titulo;
};
std::optional<FallaMesAnio> ValidaMesAnio(int posicionMes, const QString& textoAnio);

// Counts the granted (Estado "Ok") or denied (Estado "Reprobado")
// applications of a month, streaming the rows. The month is checked first.
ConteoMes CuentaMes(Conexion& conexion, TipoEstadistica tipo, int posicionMes,
                    const QString& textoAnio);

// The box name of a row part, class part and sex code: "NE_CCA1aH".
QString NombreCaja(const QString& parteFila, const QString& parteClase, const QString& sexo);
// The class part of a table's "Total" column.
QString ParteTotal(bool profesional);

// What every counting box of the sheet shows after a run.
using ValoresHoja = QHash<QString, int>;
ValoresHoja CalculaValoresHoja(const ConteoMes& conteo, TipoEstadistica tipo);
