#include "registry_files/registros_planos.h"

#include "registry_files/texto_plano.h"
#include "shell/datos/clave_fecha.h"
#include "shell/datos/fila.h"

#include <QDate>
#include <QRegularExpression>
#include <algorithm>
#include <span>
#include <stdexcept>

namespace {

// One field of a record layout: where it starts, how wide it is, which
// column it reads (or, for a literal, its text) and how that becomes bytes.
// The record builder pads each field with blanks or cuts it to its width.
using Codificacion = QByteArray (*)(const Fila& fila, const char* fuente);

struct CampoRegistro {
    int posicion;  // first character, counted from 1; Sigue after a variable field
    int ancho;     // Variable: written as it comes
    const char* fuente;
    Codificacion codifica;
};

constexpr int Sigue = 0;
constexpr int Variable = -1;

QByteArray ArmaCampos(const Fila& fila, std::span<const CampoRegistro> campos)
{
    QByteArray registro;
    for (const CampoRegistro& campo : campos) {
        if (campo.posicion != Sigue && campo.posicion != registro.size() + 1) {
            throw std::logic_error("Diseño de registro plano con posiciones inconsistentes");
        }
        const QByteArray valor = campo.codifica(fila, campo.fuente);
        registro += campo.ancho == Variable ? valor : valor.leftJustified(campo.ancho, ' ', true);
    }
    return registro;
}

QString texto(const Fila& fila, const char* columna)
{
    return fila.texto(QString::fromLatin1(columna));
}

// --- Encodings -------------------------------------------------------------

QByteArray Literal(const Fila&, const char* texto)
{
    return QByteArray(texto);
}

QByteArray ComoGuardado(const Fila& fila, const char* columna)
{
    return TextoPlano(texto(fila, columna));
}

QByteArray Recortado(const Fila& fila, const char* columna)
{
    return TextoPlano(texto(fila, columna).trimmed());
}

QByteArray MarcaDuplicado(const Fila& fila, const char* columna)
{
    return texto(fila, columna) == QLatin1String("Si") ? "2" : "1";
}

QByteArray SerieFolio(const Fila& fila, const char* columna)
{
    return TextoPlano(texto(fila, columna).left(2));
}

// The number written by characters 3-10 of the folio: its leading digits,
// 0 when there are none.
QByteArray NumeroFolio(const Fila& fila, const char* columna)
{
    const QString numero = texto(fila, columna).mid(2, 8);
    qsizetype i = 0;
    while (i < numero.size() && numero[i] == QLatin1Char(' ')) {
        ++i;
    }
    qint32 valor = 0;
    for (; i < numero.size() && numero[i] >= QLatin1Char('0') && numero[i] <= QLatin1Char('9'); ++i) {
        valor = valor * 10 + (numero[i].unicode() - '0');
    }
    return RellenaCeros(valor, 10).toLatin1();
}

QByteArray ClaveDeFecha(const Fila& fila, const char* columna)
{
    return TextoPlano(ClaveFechaTexto(texto(fila, columna)));
}

// The eight digits of a RUT text "##.###.###-C", without the dots.
QByteArray DigitosRut(const Fila& fila, const char* columna)
{
    const QString rut = texto(fila, columna);
    return TextoPlano(rut.mid(0, 2) + rut.mid(3, 3) + rut.mid(7, 3));
}

QByteArray VerificadorRut(const Fila& fila, const char* columna)
{
    return TextoPlano(texto(fila, columna).mid(11, 1));
}

struct CodigoClase {
    const char* columna;
    const char* codigo;
};

// The former-scheme classes report the codes of A1 and A2.
const CodigoClase CodigosClase[] = {
    {"ClaseA1", "A1"},  {"ClaseA2", "A2"}, {"ClaseA1a", "A1"}, {"ClaseA2a", "A2"},
    {"ClaseA3", "A3"},  {"ClaseA4", "A4"}, {"ClaseA5", "A5"},  {"ClaseB", "B "},
    {"ClaseC", "C "},   {"ClaseD", "D "},  {"ClaseE", "E "},   {"ClaseF", "F "},
};

QByteArray Clases(const Fila& fila, const char*)
{
    QByteArray codigos;
    for (const CodigoClase& c : CodigosClase) {
        if (texto(fila, c.columna) == QLatin1String("Si")) {
            codigos += c.codigo;
        }
    }
    return codigos;
}

// The codes at characters 1, 3, 5, 7 and 9 as two-digit numbers, filled
// with zeros to 16 characters.
QByteArray CodigosRestriccion(const Fila& fila, const char* columna)
{
    const QString restriccion = texto(fila, columna);
    QString codigos;
    for (int i = 0; i < 10; i += 2) {
        if (i >= restriccion.size()) {
            codigos += QLatin1Char('0');
        } else if (restriccion[i] != QLatin1Char(' ')) {
            codigos += QLatin1Char('0') + restriccion[i];
        }
    }
    return TextoPlano(codigos).leftJustified(16, '0', true);
}

// The street is what comes before the first "-", the house number what lies
// between it and the next one ("S/N" when that is nothing).
struct PartesDomicilio {
    QString calle;
    QString numero;
};

PartesDomicilio DivideDomicilio(const QString& domicilio)
{
    const qsizetype guion = domicilio.indexOf(QLatin1Char('-'));
    if (guion < 0) {
        return {domicilio, QStringLiteral("S/N")};
    }
    qsizetype siguiente = domicilio.indexOf(QLatin1Char('-'), guion + 1);
    if (siguiente < 0) {
        siguiente = domicilio.size();
    }
    const QString numero = domicilio.mid(guion + 1, siguiente - guion - 1);
    return {domicilio.left(guion), numero.isEmpty() ? QStringLiteral("S/N") : numero};
}

QByteArray CalleDomicilio(const Fila& fila, const char* columna)
{
    return TextoPlano(DivideDomicilio(texto(fila, columna)).calle.trimmed());
}

QByteArray NumeroDomicilio(const Fila& fila, const char* columna)
{
    return TextoPlano(DivideDomicilio(texto(fila, columna)).numero.trimmed());
}

// The stored date as yyyymmdd, whatever form the engine hands it back in: a
// date value, ISO text, or the workstation's text with one- or two-digit day
// and month. "00000000" when there is no date.
QByteArray FechaAprobacion(const Fila& fila, const char* columna)
{
    const QString valor = texto(fila, columna).trimmed();
    QDate fecha = QDate::fromString(valor.left(10), Qt::ISODate);
    if (!fecha.isValid()) {
        static const QRegularExpression DiaMesAnio(
            QStringLiteral("^(\\d{1,2})[-/.](\\d{1,2})[-/.](\\d{4})(?!\\d)"));
        const auto partes = DiaMesAnio.match(valor);
        if (partes.hasMatch()) {
            fecha = QDate(partes.captured(3).toInt(), partes.captured(2).toInt(),
                          partes.captured(1).toInt());
        }
    }
    return fecha.isValid() ? ClaveFecha(fecha).toLatin1() : QByteArray("00000000");
}

// --- School block ------------------------------------------------------------

const CampoRegistro CamposEscuela[] = {
    {1, 8, "EscuelaRut", DigitosRut},
    {9, 1, "EscuelaRut", VerificadorRut},
    {10, 40, "EscuelaNombre", ComoGuardado},
    {50, 8, "EscuelaFechaAprobacion", FechaAprobacion},
};

const CampoRegistro CamposSinEscuela[] = {
    {1, 8, "00000000", Literal},
    {9, 41, "", Literal},
    {50, 8, "00000000", Literal},
};

// A cleared or unfilled RUT box, or no value at all: no school.
bool SinEscuela(const Fila& fila)
{
    static const QRegularExpression RutVacio(QStringLiteral("^[0._ -]*$"));
    return RutVacio.match(fila.texto(QStringLiteral("EscuelaRut"))).hasMatch();
}

QByteArray BloqueEscuela(const Fila& fila, const char*)
{
    return SinEscuela(fila) ? ArmaCampos(fila, CamposSinEscuela) : ArmaCampos(fila, CamposEscuela);
}

// --- Licence and restriction files ---------------------------------------------

const CampoRegistro CamposIdentificacion[] = {
    {1, 1, "L", Literal},
    {2, 1, "Duplicado", MarcaDuplicado},
    {3, 2, "FolioActual", SerieFolio},
    {5, 10, "FolioActual", NumeroFolio},
    {15, 8, "FechaActual", ClaveDeFecha},
    {23, 20, nullptr, Clases},
    {43, 8, "NumeroLicencia", DigitosRut},
    {51, 1, "NumeroLicencia", VerificadorRut},
    {52, 30, "ApPaterno", Recortado},
    {82, 30, "ApMaterno", Recortado},
    {112, 40, "Nombres", Recortado},
};

QByteArray Identificacion(const Fila& fila, const char*)
{
    return ArmaCampos(fila, CamposIdentificacion);
}

const CampoRegistro CamposLicencia[] = {
    {1, 151, nullptr, Identificacion},
    {152, 57, nullptr, BloqueEscuela},
};

const CampoRegistro CamposRestriccion[] = {
    {1, 151, nullptr, Identificacion},
    {152, 8, "FechaProximoControl", ClaveDeFecha},
    {160, 16, "RestriccionActual", CodigosRestriccion},
    {176, 57, nullptr, BloqueEscuela},
};

const CampoRegistro CamposDomicilio[] = {
    {1, 1, "D", Literal},
    {2, 55, "ComunaDomicilio", Recortado},
    {57, 45, "Domicilio", CalleDomicilio},
    {102, 9, "Domicilio", NumeroDomicilio},
    {111, 48, "", Literal},
};

// --- Denial file ---------------------------------------------------------------

const char* const ColumnasRazon[] = {"D01", "D02", "D03", "D04", "D05",
                                     "D06", "D07", "D08", "D09", "d10"};

// For each reason with a denied class, in order: its code, the duration and
// the reason's class cells, as stored.
QByteArray BloquesDenegacion(const Fila& fila, const char*)
{
    const QString duracion = fila.texto(QStringLiteral("Duracion"));
    QString bloques;
    for (int k = 0; k < int(std::size(ColumnasRazon)); ++k) {
        const QString clases = texto(fila, ColumnasRazon[k]);
        if (std::any_of(clases.cbegin(), clases.cend(), [](QChar c) { return c != QLatin1Char(' '); })) {
            bloques += RellenaCeros(k + 1, 2) + duracion + clases;
        }
    }
    return TextoPlano(bloques);
}

const CampoRegistro CamposPersonaDenegacion[] = {
    {1, 8, "NumeroLicencia", DigitosRut},
    {9, 1, "NumeroLicencia", VerificadorRut},
    {10, 20, "ApPaterno", Recortado},
    {30, 20, "ApMaterno", Recortado},
    {50, 30, "Nombres", Recortado},
};

QByteArray PersonaDenegacion(const Fila& fila, const char*)
{
    return ArmaCampos(fila, CamposPersonaDenegacion);
}

const CampoRegistro CamposDenegacion[] = {
    {1, 8, "FechaActual", ClaveDeFecha},
    {9, Variable, nullptr, BloquesDenegacion},
    {Sigue, 79, nullptr, PersonaDenegacion},
};

// The columns the records read: those of the field tables, of the class
// codes and of the denial reasons.
QStringList columnasLeidas()
{
    QStringList columnas{QStringLiteral("Duracion")};
    const auto agrega = [&](const char* columna) {
        if (!columnas.contains(QLatin1String(columna))) {
            columnas << QLatin1String(columna);
        }
    };
    for (const std::span<const CampoRegistro> campos :
         {std::span<const CampoRegistro>(CamposEscuela), std::span<const CampoRegistro>(CamposIdentificacion),
          std::span<const CampoRegistro>(CamposRestriccion), std::span<const CampoRegistro>(CamposDomicilio),
          std::span<const CampoRegistro>(CamposPersonaDenegacion),
          std::span<const CampoRegistro>(CamposDenegacion)}) {
        for (const CampoRegistro& c : campos) {
            if (c.fuente && c.codifica != Literal) {
                agrega(c.fuente);
            }
        }
    }
    for (const CodigoClase& c : CodigosClase) {
        agrega(c.columna);
    }
    for (const char* razon : ColumnasRazon) {
        agrega(razon);
    }
    return columnas;
}

}  // namespace

QStringList ColumnasRegistros()
{
    static const QStringList columnas = columnasLeidas();
    return columnas;
}

QByteArray RegistroLicencia(const Fila& fila)
{
    return ArmaCampos(fila, CamposLicencia);
}

QByteArray RegistroRestriccion(const Fila& fila)
{
    return ArmaCampos(fila, CamposRestriccion);
}

QByteArray RegistroDomicilio(const Fila& fila)
{
    return ArmaCampos(fila, CamposDomicilio);
}

QByteArray RegistroDenegacion(const Fila& fila)
{
    return ArmaCampos(fila, CamposDenegacion);
}

QByteArrayList LineasLicencia(const Fila& fila)
{
    return {RegistroLicencia(fila), RegistroDomicilio(fila)};
}

QByteArrayList LineasRestriccion(const Fila& fila)
{
    return {RegistroRestriccion(fila), RegistroDomicilio(fila)};
}

QByteArrayList LineasDenegacion(const Fila& fila)
{
    return {RegistroDenegacion(fila)};
}
