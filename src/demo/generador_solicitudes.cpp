#include "demo/generador_solicitudes.h"

#include "register/almacen_licencias.h"
#include "register/columnas_licencia.h"
#include "register/registro_licencia.h"
#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <QRegularExpression>
#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

constexpr qint64 PrimerFolio = 4354520;
constexpr qint64 UltimoFolio = 99999999;
constexpr qint64 FilasPorLote = 10000;
constexpr int DiasDelPeriodo = 183;

// The draws of one generator. The engine's output is fixed by the standard,
// the library's distributions are not; drawing by remainder keeps a seed's
// applications the same on every platform.
class Azar {
public:
    explicit Azar(std::mt19937& motor) : motor_(motor) {}

    int entre(int desde, int hasta)
    {
        return desde + int(motor_() % quint32(hasta - desde + 1));
    }
    bool probabilidad(int porCiento) { return entre(1, 100) <= porCiento; }

    template <class Lista>
    const auto& elige(const Lista& lista)
    {
        return lista[entre(0, int(std::size(lista)) - 1)];
    }

    // The value of an entry of a table of {weight, value}.
    template <class Tabla>
    auto pesado(const Tabla& tabla)
    {
        int total = 0;
        for (const auto& entrada : tabla) {
            total += entrada.peso;
        }
        int punto = entre(1, total);
        for (const auto& entrada : tabla) {
            if (punto <= entrada.peso) {
                return entrada.valor;
            }
            punto -= entrada.peso;
        }
        return tabla.back().valor;
    }

private:
    std::mt19937& motor_;
};

template <class T>
struct Pesado {
    int peso;
    T valor;
};

// Licence classes in the order of the check boxes and of the class columns.
enum Clase { A1, A2, A3, A4, A5, B, C, D, E, F, A1ant, A2ant };
using Clases = unsigned;  // one bit per Clase

constexpr Clases bit(Clase c)
{
    return 1u << c;
}
constexpr Clases Profesionales = bit(A1) | bit(A2) | bit(A3) | bit(A4) | bit(A5);
constexpr Clases Antiguas = bit(A1ant) | bit(A2ant);

ClasesLicencia casillas(Clases clases)
{
    ClasesLicencia c{};
    for (size_t i = 0; i < c.size(); ++i) {
        c[i] = (clases & (1u << i)) != 0;
    }
    return c;
}

// Requests in the order of their columns.
enum Tramite {
    PrimeraVez,
    CambioClase,
    ExamenControl,
    AmpliacionClase,
    CambioDomicilio,
    Duplicado,
    RemplazoLicencia,
    NumeroTramites
};

// Denial reasons in the order of the columns D01 to d10.
enum Motivo {
    IdoneidadMoral,
    IdoneidadFisica,
    IdoneidadPsiquica,
    ReprobarPractico,
    ReprobarTeorico,
    ReprobarMedico,
    AusentePractico,
    AusenteTeorico,
    AusenteMedico,
    NoSabeLeer,
    NumeroMotivos
};

const std::array<Pesado<Tramite>, NumeroTramites> TramitesPrincipales = {{
    {25, PrimeraVez},
    {6, CambioClase},
    {33, ExamenControl},
    {10, AmpliacionClase},
    {8, CambioDomicilio},
    {11, Duplicado},
    {7, RemplazoLicencia},
}};

// Requests that often come together with a main one.
struct TramiteAdicional {
    Tramite principal;
    Tramite adicional;
    int porCiento;
};
const std::array<TramiteAdicional, 3> TramitesAdicionales = {{
    {ExamenControl, CambioDomicilio, 20},
    {AmpliacionClase, ExamenControl, 25},
    {Duplicado, CambioDomicilio, 10},
}};

const std::array<int, NumeroTramites> ValoresIngreso = {24850, 21300, 18650, 21300,
                                                        6420,  9830,  9830};

const std::array<Pesado<Clases>, 6> ClasesPrimeraVez = {{
    {74, bit(B)},
    {10, bit(C)},
    {8, bit(B) | bit(C)},
    {4, bit(D)},
    {2, bit(B) | bit(F)},
    {2, bit(B) | bit(E)},
}};

// Licences people already hold when they come back.
const std::array<Pesado<Clases>, 13> ClasesVigentes = {{
    {46, bit(B)},
    {10, bit(B) | bit(C)},
    {5, bit(C)},
    {6, bit(A2) | bit(B)},
    {4, bit(A1) | bit(B)},
    {5, bit(A3) | bit(B)},
    {5, bit(A4) | bit(B)},
    {3, bit(A5) | bit(B)},
    {3, bit(B) | bit(D)},
    {3, bit(B) | bit(E)},
    {3, bit(B) | bit(F)},
    {4, bit(A1ant)},
    {3, bit(A2ant) | bit(B)},
}};

// A class added by an extension or a change of class.
const std::array<Pesado<Clase>, 7> ClasesNuevas = {{
    {28, A2},
    {20, A3},
    {20, A4},
    {10, A5},
    {10, A1},
    {7, C},
    {5, D},
}};

const QStringList NombresFemeninos = {
    QStringLiteral("MARIA"),     QStringLiteral("JUANA"),     QStringLiteral("ANA"),
    QStringLiteral("CAROLINA"),  QStringLiteral("CLAUDIA"),   QStringLiteral("PATRICIA"),
    QStringLiteral("CAMILA"),    QStringLiteral("VALENTINA"), QStringLiteral("JAVIERA"),
    QStringLiteral("FERNANDA"),  QStringLiteral("FRANCISCA"), QStringLiteral("CONSTANZA"),
    QStringLiteral("DANIELA"),   QStringLiteral("CATALINA"),  QStringLiteral("PAULINA"),
    QStringLiteral("MARCELA"),   QStringLiteral("VERÓNICA"),  QStringLiteral("XIMENA"),
    QStringLiteral("ALEJANDRA"), QStringLiteral("LORENA"),    QStringLiteral("SOLEDAD"),
    QStringLiteral("ROSA"),      QStringLiteral("ISABEL"),    QStringLiteral("GLORIA"),
    QStringLiteral("MÓNICA"),    QStringLiteral("ANDREA"),    QStringLiteral("MACARENA"),
    QStringLiteral("BÁRBARA"),   QStringLiteral("ISIDORA"),   QStringLiteral("INÉS")};

const QStringList NombresMasculinos = {
    QStringLiteral("JUAN"),      QStringLiteral("JOSÉ"),      QStringLiteral("LUIS"),
    QStringLiteral("CARLOS"),    QStringLiteral("JORGE"),     QStringLiteral("PEDRO"),
    QStringLiteral("MANUEL"),    QStringLiteral("FRANCISCO"), QStringLiteral("DIEGO"),
    QStringLiteral("MATÍAS"),    QStringLiteral("SEBASTIÁN"), QStringLiteral("CRISTIÁN"),
    QStringLiteral("RODRIGO"),   QStringLiteral("PATRICIO"),  QStringLiteral("FELIPE"),
    QStringLiteral("ANDRÉS"),    QStringLiteral("HÉCTOR"),    QStringLiteral("RAÚL"),
    QStringLiteral("MIGUEL"),    QStringLiteral("SERGIO"),    QStringLiteral("BENJAMÍN"),
    QStringLiteral("VICENTE"),   QStringLiteral("TOMÁS"),     QStringLiteral("IGNACIO"),
    QStringLiteral("GONZALO"),   QStringLiteral("CLAUDIO"),   QStringLiteral("MAURICIO"),
    QStringLiteral("ALEJANDRO"), QStringLiteral("FERNANDO"),  QStringLiteral("RAMÓN")};

const QStringList Apellidos = {
    QStringLiteral("GONZÁLEZ"),  QStringLiteral("MUÑOZ"),      QStringLiteral("ROJAS"),
    QStringLiteral("DÍAZ"),      QStringLiteral("PÉREZ"),      QStringLiteral("SOTO"),
    QStringLiteral("CONTRERAS"), QStringLiteral("SILVA"),      QStringLiteral("MARTÍNEZ"),
    QStringLiteral("SEPÚLVEDA"), QStringLiteral("MORALES"),    QStringLiteral("RODRÍGUEZ"),
    QStringLiteral("LÓPEZ"),     QStringLiteral("FUENTES"),    QStringLiteral("HERNÁNDEZ"),
    QStringLiteral("TORRES"),    QStringLiteral("ARAYA"),      QStringLiteral("FLORES"),
    QStringLiteral("ESPINOZA"),  QStringLiteral("VALENZUELA"), QStringLiteral("CASTILLO"),
    QStringLiteral("TAPIA"),     QStringLiteral("REYES"),      QStringLiteral("GUTIÉRREZ"),
    QStringLiteral("CASTRO"),    QStringLiteral("PIZARRO"),    QStringLiteral("ÁLVAREZ"),
    QStringLiteral("VÁSQUEZ"),   QStringLiteral("SÁNCHEZ"),    QStringLiteral("FERNÁNDEZ"),
    QStringLiteral("RAMÍREZ"),   QStringLiteral("CARRASCO"),   QStringLiteral("GÓMEZ"),
    QStringLiteral("CORTÉS"),    QStringLiteral("HERRERA"),    QStringLiteral("NÚÑEZ"),
    QStringLiteral("JARA"),      QStringLiteral("VERGARA"),    QStringLiteral("RIVERA"),
    QStringLiteral("FIGUEROA"),  QStringLiteral("RIQUELME"),   QStringLiteral("GARCÍA"),
    QStringLiteral("MIRANDA"),   QStringLiteral("BRAVO"),      QStringLiteral("VERA"),
    QStringLiteral("MOLINA"),    QStringLiteral("VEGA"),       QStringLiteral("SANDOVAL"),
    QStringLiteral("CAMPOS"),    QStringLiteral("O'RYAN")};

const QStringList Calles = {
    QStringLiteral("LOS CARRERA"),       QStringLiteral("AV. O'HIGGINS"),
    QStringLiteral("BARROS ARANA"),      QStringLiteral("FREIRE"),
    QStringLiteral("AV. PEDRO DE VALDIVIA"), QStringLiteral("CAUPOLICÁN"),
    QStringLiteral("LINCOYÁN"),          QStringLiteral("RENGO"),
    QStringLiteral("ANÍBAL PINTO"),      QStringLiteral("TUCAPEL"),
    QStringLiteral("SAN MARTÍN"),        QStringLiteral("MAIPÚ"),
    QStringLiteral("CHACABUCO"),         QStringLiteral("ARTURO PRAT"),
    QStringLiteral("LAUTARO"),           QStringLiteral("GALVARINO"),
    QStringLiteral("PASAJE LOS AROMOS"), QStringLiteral("LAS ACACIAS"),
    QStringLiteral("LOS ÁLAMOS"),        QStringLiteral("AV. COLÓN")};

// The municipality's own commune first: most applicants live in it.
const QStringList Comunas = {
    QStringLiteral("CONCEPCIÓN"), QStringLiteral("TALCAHUANO"), QStringLiteral("HUALPÉN"),
    QStringLiteral("SAN PEDRO"),  QStringLiteral("CHIGUAYANTE"), QStringLiteral("PENCO"),
    QStringLiteral("TOMÉ"),       QStringLiteral("CORONEL"),     QStringLiteral("LOTA"),
    QStringLiteral("HUALQUI"),    QStringLiteral("FLORIDA"),     QStringLiteral("SANTA JUANA")};

const QStringList ComunasLejanas = {
    QStringLiteral("SANTIAGO"), QStringLiteral("CHILLÁN"),    QStringLiteral("LOS ÁNGELES"),
    QStringLiteral("TEMUCO"),   QStringLiteral("VALPARAÍSO"), QStringLiteral("CAÑETE")};

const QStringList SeriesAnteriores = {QStringLiteral("AB"), QStringLiteral("BX"),
                                      QStringLiteral("CA"), QStringLiteral("ZC")};

const QStringList Examinadores = {
    QStringLiteral("JOSÉ MIRANDA LEIVA"), QStringLiteral("PATRICIA ARRIAGADA"),
    QStringLiteral("LUIS CIFUENTES PAREDES"), QStringLiteral("ELENA BUSTOS OYARZÚN")};

const QStringList ObservacionesLicencia = {
    QStringLiteral("PRESENTA LICENCIA VENCIDA"), QStringLiteral("TRÁMITE CON HORA AGENDADA"),
    QStringLiteral("ADJUNTA CERTIFICADO DE RESIDENCIA"),
    QStringLiteral("LICENCIA ANTERIOR DE OTRA COMUNA")};

const QStringList ObservacionesMedicas = {
    QStringLiteral("NO CUMPLE AGUDEZA VISUAL MÍNIMA"),
    QStringLiteral("DEBE PRESENTAR INFORME DE ESPECIALISTA"),
    QStringLiteral("HIPOACUSIA NO CORREGIDA")};

const QStringList ObservacionesResumen = {QStringLiteral("RETIRA EN 10 DÍAS HÁBILES"),
                                          QStringLiteral("PAGO EN CAJA MUNICIPAL"),
                                          QStringLiteral("CITADO A CONTROL")};

struct Escuela {
    QString nombre;
    qint64 rut;
};
const std::array<Escuela, 3> EscuelasProfesionales = {{
    {QStringLiteral("ESCUELA DE CONDUCTORES PROFESIONALES DEL BIOBÍO LTDA."), 76123456},
    {QStringLiteral("CENTRO DE FORMACIÓN DE CONDUCTORES SUR S.A."), 77654321},
    {QStringLiteral("ESCUELA DE CONDUCTORES SAN CRISTÓBAL"), 76543210},
}};

struct EscuelaEspecial {
    QString nombre;
    qint64 rut;
    QString representante;
};
const std::array<EscuelaEspecial, 2> EscuelasEspeciales = {{
    {QStringLiteral("CENTRO DE CAPACITACIÓN MAQUINARIA SUR"), 76987654,
     QStringLiteral("RAMÓN ALARCÓN BRAVO")},
    {QStringLiteral("INSTITUTO TÉCNICO DE OPERADORES"), 78111222,
     QStringLiteral("SILVIA PAREDES NOVOA")},
}};

// What a school certifies for each professional class, A1 to A5.
const std::array<QString, 5> Especialidades = {
    QStringLiteral("Transporte de pasajeros en taxi"),
    QStringLiteral("Transporte de pasajeros hasta 17 asientos"),
    QStringLiteral("Transporte público de pasajeros"),
    QStringLiteral("Transporte de carga simple"),
    QStringLiteral("Transporte de carga articulada")};

// Indexes into the education vocabulary; "Estudiante" is chosen by age.
const std::array<Pesado<int>, 10> PesosEstudios = {{
    {4, 0}, {10, 1}, {3, 2}, {3, 3}, {4, 4}, {30, 5}, {6, 7}, {12, 8}, {14, 9}, {8, 10},
}};
constexpr int EstudioEstudiante = 6;

const std::array<Pesado<QString>, 7> Duraciones = {{
    {30, QStringLiteral("030")},
    {25, QStringLiteral("060")},
    {20, QStringLiteral("090")},
    {10, QStringLiteral("180")},
    {5, QStringLiteral("365")},
    {5, QStringLiteral("015")},
    {5, QString()},
}};

// Ten two-character slots of a denial cell, for A1 to F.
const std::array<QString, 10> RanurasDenegacion = {
    QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("A3"), QStringLiteral("A4"),
    QStringLiteral("A5"), QStringLiteral("B "), QStringLiteral("C "), QStringLiteral("D "),
    QStringLiteral("E "), QStringLiteral("F ")};

const QString RutVacio = QStringLiteral("00.000.000-0");
const QString PrimeraVezSinFecha = QStringLiteral("01-01-1900");

struct Persona {
    QString nombres;
    QString apPaterno;
    QString apMaterno;
    bool femenino = false;
    QDate nacimiento;
    qint64 rut = 0;
};

// Every decision about one application that more than one column depends on.
struct Solicitud {
    QDate fecha;
    Tramite principal = PrimeraVez;
    std::array<bool, NumeroTramites> tramites{};
    Clases actual = 0;
    Clases anterior = 0;
    int edad = 0;  // completed years on the application date
    Persona persona;
    QString comuna;
    QString restriccion;
    QString restriccionAnterior;
    QString entrega;
    QDate otorgaAnterior;
    QDate primerOtorgamiento;
    bool antecedentes = false;
    bool donante = false;
    bool medico = true;
    bool teorico = false;
    bool practico = false;
    QString estado;
    std::array<bool, NumeroMotivos> motivos{};
    Clases denegadas = 0;
    QString duracion;
    qint64 folio = 0;
    qint64 ordenIngreso = 0;
    int correlativoNoDonante = 0;

    bool primeraVez() const { return tramites[PrimeraVez]; }
    bool control() const { return tramites[ExamenControl]; }
    bool otorgaClase() const
    {
        return tramites[PrimeraVez] || tramites[CambioClase] || tramites[AmpliacionClase];
    }
    Clases nuevas() const { return otorgaClase() ? actual & ~anterior : 0; }
    bool denegada() const
    {
        return std::find(motivos.begin(), motivos.end(), true) != motivos.end();
    }
};

// A row built in column order. Each value names its column, so a value out of
// place stops the generator instead of landing in the wrong column.
class FilaGenerada {
public:
    FilaGenerada() { valores_.reserve(NumeroColumnasLicencia); }

    void pon(const char* columna, const QVariant& valor)
    {
        verifica(columna);
        valores_.append(valor);
    }
    // Values of consecutive columns, from `primera` on.
    void ponSerie(const char* primera, const QVariantList& valores)
    {
        verifica(primera);
        valores_.append(valores);
    }
    QVariantList termina()
    {
        if (valores_.size() != NumeroColumnasLicencia) {
            throw std::logic_error("Solicitud generada incompleta");
        }
        return std::move(valores_);
    }

private:
    void verifica(const char* columna) const
    {
        if (valores_.size() >= NumeroColumnasLicencia ||
            qstrcmp(ColumnasLicencia[size_t(valores_.size())].nombre, columna) != 0) {
            throw std::logic_error(std::string("Columna fuera de orden: ") + columna);
        }
    }

    QVariantList valores_;
};

// dd-mm-yyyy, or dd/mm/yyyy; built by hand because QDate::toString parses
// its format on every call, which a million rows feel.
QString textoFecha(QDate fecha, char16_t separador = u'-')
{
    int anio = 0;
    int mes = 0;
    int dia = 0;
    fecha.getDate(&anio, &mes, &dia);
    const char16_t texto[10] = {
        char16_t(u'0' + dia / 10),          char16_t(u'0' + dia % 10),
        separador,
        char16_t(u'0' + mes / 10),          char16_t(u'0' + mes % 10),
        separador,
        char16_t(u'0' + anio / 1000),       char16_t(u'0' + anio / 100 % 10),
        char16_t(u'0' + anio / 10 % 10),    char16_t(u'0' + anio % 10)};
    return QString(reinterpret_cast<const QChar*>(texto), 10);
}

QString digitos(Azar& azar, int cantidad, int maximo)
{
    return QString::number(azar.entre(0, maximo)).rightJustified(cantidad, u'0');
}

QVariantList siNo(const ClasesLicencia& casillas)
{
    QVariantList valores;
    for (bool marcada : casillas) {
        valores << SiNo(marcada);
    }
    return valores;
}

// Years a licence lasts before its next control.
int vigencia(Clases clases, int edad)
{
    if (clases & Profesionales) {
        return 4;
    }
    if (edad >= 70) {
        return 2;
    }
    return edad >= 65 ? 4 : 6;
}

// RUTs were handed out in order of birth, roughly.
qint64 rutPorNacimiento(Azar& azar, int anio)
{
    const qint64 rut = 5000000 + qint64(anio - 1950) * 310000 + azar.entre(-600000, 600000);
    return std::clamp<qint64>(rut, 1000000, 27999999);
}

int eligeEdad(Azar& azar, bool primeraVez, int minima)
{
    const int edad = primeraVez
                         ? 18 + (azar.probabilidad(75) ? azar.entre(0, 7) : azar.entre(8, 45))
                         : azar.entre(20, 50) + azar.entre(0, 30);
    return std::max(edad, minima);
}

Persona eligePersona(Azar& azar, QDate fecha, int edad)
{
    Persona p;
    p.femenino = azar.probabilidad(50);
    const QStringList& nombres = p.femenino ? NombresFemeninos : NombresMasculinos;
    p.nombres = azar.elige(nombres);
    if (azar.probabilidad(60)) {
        const QString segundo = azar.elige(nombres);
        if (segundo != p.nombres) {
            p.nombres += u' ' + segundo;
        }
    }
    p.apPaterno = azar.elige(Apellidos);
    p.apMaterno = azar.elige(Apellidos);
    p.nacimiento = fecha.addYears(-edad).addDays(-azar.entre(0, 364));
    p.rut = rutPorNacimiento(azar, p.nacimiento.year());
    return p;
}

// Glasses grow common with age; the other restrictions are rare.
QString restricciones(Azar& azar, int edad)
{
    const std::array<int, 5> porCiento = {10 + edad / 2, 3, 3, 1, 2};
    QStringList codigos;
    for (size_t i = 0; i < porCiento.size(); ++i) {
        if (azar.probabilidad(porCiento[i])) {
            codigos << QString::number(i + 1);
        }
    }
    return codigos.join(u'-');
}

void eligeTramites(Azar& azar, Solicitud& s)
{
    s.principal = azar.pesado(TramitesPrincipales);
    s.tramites[s.principal] = true;
    for (const TramiteAdicional& t : TramitesAdicionales) {
        if (t.principal == s.principal && azar.probabilidad(t.porCiento)) {
            s.tramites[t.adicional] = true;
        }
    }
}

Clase claseNueva(Azar& azar, Clases vigentes)
{
    Clase nueva = azar.pesado(ClasesNuevas);
    while (vigentes & bit(nueva)) {
        nueva = azar.pesado(ClasesNuevas);
    }
    return nueva;
}

void eligeClases(Azar& azar, Solicitud& s)
{
    if (s.primeraVez()) {
        s.actual = azar.pesado(ClasesPrimeraVez);
        return;
    }
    s.anterior = azar.pesado(ClasesVigentes);
    switch (s.principal) {
    case CambioClase:
        // The new professional class replaces the former ones.
        s.actual = (s.anterior & ~(Profesionales | Antiguas)) | bit(claseNueva(azar, s.anterior));
        break;
    case AmpliacionClase:
        s.actual = s.anterior | bit(claseNueva(azar, s.anterior));
        break;
    default:
        s.actual = s.anterior;
        break;
    }
}

void rindeExamenes(Azar& azar, Solicitud& s)
{
    s.medico = azar.probabilidad(s.otorgaClase() || s.control() ? 93 : 99);
    if (s.otorgaClase()) {
        s.teorico = azar.probabilidad(88);
        // Who fails the theory exam does not sit the practical one.
        s.practico = s.teorico && azar.probabilidad(90);
    } else if (s.control()) {
        s.teorico = s.practico = azar.probabilidad(10);
    }
}

void marca(Solicitud& s, Motivo motivo)
{
    s.motivos[motivo] = true;
}

// Most refused applications carry the reasons of the failed exams, for the
// classes the applicant came for.
void deniega(Azar& azar, Solicitud& s)
{
    if (!azar.probabilidad(85)) {
        return;
    }
    s.denegadas = (s.otorgaClase() ? s.nuevas() : s.actual) & ~Antiguas;
    if (!s.medico) {
        marca(s, azar.probabilidad(85) ? ReprobarMedico : AusenteMedico);
        if (azar.probabilidad(30)) {
            marca(s, IdoneidadFisica);
        }
        if (azar.probabilidad(10)) {
            marca(s, IdoneidadPsiquica);
        }
    } else if (!s.teorico) {
        marca(s, azar.probabilidad(85) ? ReprobarTeorico : AusenteTeorico);
    } else {
        marca(s, azar.probabilidad(80) ? ReprobarPractico : AusentePractico);
    }
    if (s.antecedentes && azar.probabilidad(50)) {
        marca(s, IdoneidadMoral);
    }
    if (azar.probabilidad(2)) {
        marca(s, NoSabeLeer);
    }
    s.duracion = azar.pesado(Duraciones);
}

void fechaLicenciaAnterior(Azar& azar, Solicitud& s)
{
    const int anios = vigencia(s.anterior, s.edad);
    s.otorgaAnterior = s.control()
                           ? s.fecha.addYears(-anios).addDays(azar.entre(-30, 60))
                           : s.fecha.addDays(-azar.entre(60, 365 * anios - 30));
    const QDate primera =
        s.persona.nacimiento.addYears(18 + azar.entre(0, 4)).addDays(azar.entre(0, 300));
    s.primerOtorgamiento = std::min(primera, s.otorgaAnterior);
}

QString eligeEntrega(Azar& azar, const Solicitud& s)
{
    const QStringList& entregas = Vocabulario::EntregaLicencia;
    if (s.primeraVez()) {
        return entregas[2];
    }
    const int extraviadas = s.principal == Duplicado ? 80 : 5;
    return azar.probabilidad(extraviadas) ? entregas[1] : entregas[0];
}

Solicitud planifica(Azar& azar, QDate fecha)
{
    Solicitud s;
    s.fecha = fecha;
    eligeTramites(azar, s);
    eligeClases(azar, s);
    const int edadMinima = s.primeraVez() ? 18 : (s.anterior & Antiguas) ? 45 : 24;
    s.edad = eligeEdad(azar, s.primeraVez(), edadMinima);
    s.persona = eligePersona(azar, s.fecha, s.edad);
    s.comuna = azar.probabilidad(60) ? Comunas.first() : azar.elige(Comunas);
    s.restriccion = restricciones(azar, s.edad);
    s.antecedentes = azar.probabilidad(4);
    s.donante = azar.probabilidad(35);
    s.entrega = eligeEntrega(azar, s);
    if (!s.primeraVez()) {
        s.restriccionAnterior =
            azar.probabilidad(80) ? s.restriccion : restricciones(azar, s.edad);
        fechaLicenciaAnterior(azar, s);
    }
    rindeExamenes(azar, s);
    s.estado = EstadoSolicitud(s.medico, s.teorico, s.practico, s.otorgaClase());
    if (s.estado == Estados::Reprobado) {
        deniega(azar, s);
    }
    // Folios spoiled at the printer are annulled; a few are deleted.
    if (azar.probabilidad(5)) {
        s.estado = Estados::Anulado;
    } else if (azar.probabilidad(2)) {
        s.estado = Estados::Eliminado;
    }
    return s;
}

QString eligeEstudios(Azar& azar, const Solicitud& s)
{
    if (s.edad <= 23 && azar.probabilidad(40)) {
        return Vocabulario::Estudios[EstudioEstudiante];
    }
    const int indice = azar.pesado(PesosEstudios);
    // A first licence needs some schooling.
    return Vocabulario::Estudios[s.primeraVez() && indice == 0 ? 1 : indice];
}

QString eligeDomicilio(Azar& azar)
{
    QString domicilio = azar.elige(Calles) + u' ' + QString::number(azar.entre(1, 3999));
    if (azar.probabilidad(15)) {
        domicilio += QStringLiteral(" DEPTO ") + QString::number(azar.entre(11, 1504));
    }
    return domicilio;
}

QString unaDeCada(Azar& azar, int porCiento, const QStringList& textos)
{
    return azar.probabilidad(porCiento) ? azar.elige(textos) : QString();
}

void ponDatosPersonales(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    const Persona& p = s.persona;
    f.pon("Estado", s.estado);
    f.pon("FolioActual", TextoFolio(s.folio));
    f.pon("NumeroLicencia", TextoRut(p.rut));
    f.pon("Nombres", p.nombres);
    f.pon("ApPaterno", p.apPaterno);
    f.pon("ApMaterno", p.apMaterno);
    f.pon("Sexo", Vocabulario::Sexo[p.femenino ? 0 : 1]);
    // The age as the form computes it: completed years on the application date.
    f.pon("Edad", EdadCumplida(p.nacimiento, s.fecha));
    f.pon("EsDonante", SiNo(s.donante));
    f.pon("FechaNacimiento", textoFecha(p.nacimiento));
    f.pon("Estudios", eligeEstudios(azar, s));
    f.pon("Domicilio", eligeDomicilio(azar));
    f.pon("ComunaDomicilio", s.comuna);
    f.pon("TieneAntecedentes", SiNo(s.antecedentes));
    f.pon("CertifAntecedentes", digitos(azar, 5, 99999) + digitos(azar, 6, 999999));
    f.pon("FechaCertifAntecedentes", textoFecha(s.fecha.addDays(-azar.entre(1, 30))));
}

void ponLicenciaActual(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    f.pon("RestriccionActual", s.restriccion);
    f.pon("FechaActual", textoFecha(s.fecha));
    const bool controlHoy = s.primeraVez() || s.control();
    f.pon("FechaUltimoControl", textoFecha(controlHoy ? s.fecha : s.otorgaAnterior));
    f.pon("FechaProximoControl", textoFecha(s.fecha.addYears(vigencia(s.actual, s.edad))));
    f.pon("FechaOtorgamiento",
          s.primeraVez() ? PrimeraVezSinFecha : textoFecha(s.primerOtorgamiento));
    f.pon("NumeroOrdenIngreso", s.ordenIngreso);
    f.pon("ValorOrdenIngreso", ValoresIngreso[s.principal]);
    f.pon("FechaOrdenIngreso", textoFecha(s.fecha.addDays(-azar.entre(0, 2))));
    f.pon("Observaciones", unaDeCada(azar, 12, ObservacionesLicencia));
    QVariantList tramites;
    for (bool marcado : s.tramites) {
        tramites << SiNo(marcado);
    }
    f.ponSerie("PrimeraVez", tramites);
    f.ponSerie("ClaseA1", siNo(casillas(s.actual)));
}

void ponLicenciaAnterior(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    if (s.primeraVez()) {
        // The form's pickers keep the day of the application.
        f.pon("ComunaAnterior", QString());
        f.pon("FolioAnterior", QString());
        f.pon("FechaOtorgaAnterior", textoFecha(s.fecha));
        f.pon("FechaVenceAnterior", textoFecha(s.fecha));
    } else {
        f.pon("ComunaAnterior", azar.probabilidad(75) ? s.comuna : azar.elige(ComunasLejanas));
        const bool sinFolio = s.entrega == Vocabulario::EntregaLicencia[1] && azar.probabilidad(60);
        f.pon("FolioAnterior",
              sinFolio ? QString() : azar.elige(SeriesAnteriores) + digitos(azar, 8, 99999999));
        f.pon("FechaOtorgaAnterior", textoFecha(s.otorgaAnterior));
        f.pon("FechaVenceAnterior",
              textoFecha(s.otorgaAnterior.addYears(vigencia(s.anterior, s.edad))));
    }
    f.pon("RestriccionAnterior", s.restriccionAnterior);
    f.ponSerie("ClaseA1Ant", siNo(casillas(s.anterior)));
}

void ponExamenes(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    // Examiners sign every exam of a class-granting request, and any exam
    // actually sat on a control.
    const auto examinador = [&](bool rendido) {
        return s.otorgaClase() || rendido ? azar.elige(Examinadores) : QString();
    };
    const ExamenGrabado teorico = ExamenConControl(s.control(), s.teorico, examinador(s.teorico));
    const ExamenGrabado practico =
        ExamenConControl(s.control(), s.practico, examinador(s.practico));
    f.pon("ExamenMedico", SiNo(s.medico));
    f.pon("ExamenTeorico", teorico.aprobado);
    f.pon("ExamenPractico", practico.aprobado);
    f.pon("ProfesionalMedico", azar.elige(GeneradorSolicitudes::medicos()).left(23));
    f.pon("ProfesionalTeorico", teorico.profesional);
    f.pon("ProfesionalPractico", practico.profesional);
    f.pon("ExamenObservacion", s.medico ? QString() : unaDeCada(azar, 70, ObservacionesMedicas));
}

QString especialidad(Clases nuevas)
{
    for (int c = A5; c >= A1; --c) {
        if (nuevas & bit(Clase(c))) {
            return Especialidades[size_t(c - A1)];
        }
    }
    return {};
}

void ponEscuelas(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    // Without a school the masked boxes keep their cleared text and the
    // pickers the day of the application.
    if (s.nuevas() & Profesionales) {
        const Escuela& e = azar.elige(EscuelasProfesionales);
        f.pon("EscuelaRut", TextoRut(e.rut));
        f.pon("EscuelaCertificado", QString::number(azar.entre(1000, 99999)));
        f.pon("EscuelaFechaAprobacion", s.fecha.addDays(-azar.entre(15, 120)));
        f.pon("EscuelaEspecialidad", especialidad(s.nuevas()));
        f.pon("EscuelaNombre", e.nombre);
    } else {
        f.pon("EscuelaRut", RutVacio);
        f.pon("EscuelaCertificado", QString());
        f.pon("EscuelaFechaAprobacion", s.fecha);
        f.pon("EscuelaEspecialidad", QString());
        f.pon("EscuelaNombre", QString());
    }
    if (s.nuevas() & bit(D)) {
        const EscuelaEspecial& e = azar.elige(EscuelasEspeciales);
        const QDate resolucion = s.fecha.addYears(-azar.entre(1, 8));
        f.pon("EscuelaEspRut", TextoRut(e.rut));
        f.pon("EscuelaEspNombre", e.nombre);
        f.pon("EscuelaEspResolucion",
              QStringLiteral("%1/%2").arg(azar.entre(100, 3999)).arg(resolucion.year()));
        f.pon("EscuelaEspFecha", resolucion);
        f.pon("EscuelaEspRepresentante", e.representante);
    } else {
        f.pon("EscuelaEspRut", RutVacio);
        f.pon("EscuelaEspNombre", QString());
        f.pon("EscuelaEspResolucion", QString());
        f.pon("EscuelaEspFecha", s.fecha);
        f.pon("EscuelaEspRepresentante", QString());
    }
}

void ponResumen(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    const QString rut = TextoRut(s.persona.rut).remove(u'.').remove(u'-');
    const bool digitalizada = azar.probabilidad(70);
    f.pon("HuellaDigital", digitalizada ? QStringLiteral("HUE") + rut : QString());
    f.pon("FotoDigital",
          digitalizada ? QStringLiteral("FOT") + rut + QStringLiteral(".JPG") : QString());
    const bool anulada = s.estado == Estados::Anulado || s.estado == Estados::Eliminado;
    f.pon("LicActual", anulada ? s.estado : LicActual(casillas(s.actual)));
    f.pon("LicAnterior", anulada ? s.estado : LicAnterior(casillas(s.anterior)));
    f.pon("Posicion", QVariant());
}

// The twelve sensometric and psychometric results. Requests without exams
// often leave the detail form untouched, which stores nothing.
QVariantList psicotecnicos(Azar& azar, const Solicitud& s)
{
    constexpr int Pruebas = 12;
    if (!s.otorgaClase() && !s.control() && azar.probabilidad(70)) {
        return QVariantList(Pruebas);
    }
    QVariantList resultados(Pruebas, QStringLiteral("A"));
    if (!s.medico) {
        for (int n = azar.entre(1, 3); n > 0; --n) {
            resultados[azar.entre(0, Pruebas - 1)] = QStringLiteral("R");
        }
    } else if (azar.probabilidad(8)) {
        resultados[azar.entre(0, Pruebas - 1)] = QStringLiteral("P");
    }
    return resultados;
}

void ponDetalle(FilaGenerada& f, const Solicitud& s, Azar& azar)
{
    f.ponSerie("Perimetria", psicotecnicos(azar, s));
    f.pon("EntregaLicencia", s.entrega);
    f.pon("Observa1", unaDeCada(azar, 8, ObservacionesResumen));
    f.pon("Observa2", unaDeCada(azar, 3, ObservacionesResumen));
    const QDate practico = s.fecha.addDays(-azar.entre(0, 3));
    const QDate teorico = practico.addDays(-azar.entre(0, 4));
    f.pon("FechaMedico", textoFecha(teorico.addDays(-azar.entre(0, 5))));
    f.pon("FechaTeorico", textoFecha(teorico));
    f.pon("FechaPractico", textoFecha(practico));
    f.pon("FechaActual1", textoFecha(s.fecha, u'/'));
    f.pon("CorrNoDonante",
          s.donante ? QVariant() : QString::number(s.correlativoNoDonante).rightJustified(6, u'0'));
}

QString celdaDenegacion(bool elegido, Clases clases)
{
    QString celda;
    for (size_t i = 0; i < RanurasDenegacion.size(); ++i) {
        const bool denegada = elegido && (clases & (1u << i));
        celda += denegada ? RanurasDenegacion[i] : QStringLiteral("  ");
    }
    return celda;
}

void ponDenegacion(FilaGenerada& f, const Solicitud& s)
{
    f.pon("Denegada", s.denegada() ? QStringLiteral("si") : QStringLiteral("no"));
    QVariantList celdas;
    for (bool elegido : s.motivos) {
        celdas << celdaDenegacion(elegido, s.denegadas);
    }
    f.ponSerie("D01", celdas);
    f.pon("Duracion", s.duracion);
}

}  // namespace

QChar DigitoVerificador(qint64 numero)
{
    int suma = 0;
    int factor = 2;
    for (qint64 n = numero; n > 0; n /= 10) {
        suma += int(n % 10) * factor;
        factor = factor == 7 ? 2 : factor + 1;
    }
    const int resto = 11 - suma % 11;
    if (resto == 11) {
        return u'0';
    }
    return resto == 10 ? QChar(u'K') : QChar(char16_t(u'0' + resto));
}

QString TextoRut(qint64 numero)
{
    const QString cifras = QString::number(numero).rightJustified(8, u'0');
    return QStringLiteral("%1.%2.%3-%4")
        .arg(cifras.left(2), cifras.mid(2, 3), cifras.mid(5, 3), DigitoVerificador(numero));
}

QString TextoFolio(qint64 numero)
{
    return QStringLiteral("CA") + QString::number(numero).rightJustified(8, u'0');
}

qint64 PrimerFolioLibre(Conexion& conexion)
{
    // Folios typed by hand may fall in the same range; the highest one of the
    // generated shape is where the numbering goes on.
    static const QRegularExpression generado(QStringLiteral("^CA\\d{8}$"));
    Recordset rs = conexion.consulta(
        QStringLiteral("SELECT FolioActual FROM TLicencias WHERE FolioActual >= ? AND "
                       "FolioActual <= ? ORDER BY FolioActual DESC LIMIT 100"),
        {TextoFolio(0), TextoFolio(UltimoFolio)});
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        const QString folio = rs.texto(QStringLiteral("FolioActual"));
        if (generado.match(folio).hasMatch()) {
            return folio.mid(2).toLongLong() + 1;
        }
    }
    return PrimerFolio;
}

GeneradorSolicitudes::GeneradorSolicitudes(quint32 semilla, QDate referencia, qint64 primerFolio)
    : azar_(semilla), referencia_(referencia), folio_(primerFolio)
{
}

GeneradorSolicitudes::GeneradorSolicitudes(quint32 semilla, QDate desde, QDate hasta,
                                           qint64 cantidad, qint64 primerFolio)
    : azar_(semilla),
      referencia_(hasta),
      desde_(desde),
      dias_(std::max<qint64>(1, desde.daysTo(hasta) + 1)),
      cantidad_(std::max<qint64>(1, cantidad)),
      folio_(primerFolio)
{
}

QDate GeneradorSolicitudes::fechaSiguiente()
{
    if (desde_.isNull()) {
        Azar azar(azar_);
        return referencia_.addDays(-azar.entre(0, DiasDelPeriodo - 1));
    }
    // The n-th of N applications falls on day n * days / N: every day gets
    // its share and the dates never go back.
    return desde_.addDays(std::min(dias_ - 1, generadas_ * dias_ / cantidad_));
}

const QStringList& GeneradorSolicitudes::medicos()
{
    static const QStringList lista = {QStringLiteral("DR. ALBERTO SALINAS M."),
                                      QStringLiteral("DRA. CECILIA VARGAS R."),
                                      QStringLiteral("DRA. MARÍA ELENA FUENTEALBA SOTO")};
    return lista;
}

QVariantList GeneradorSolicitudes::siguiente()
{
    const QDate fecha = fechaSiguiente();
    ++generadas_;
    Azar azar(azar_);
    Solicitud s = planifica(azar, fecha);
    s.folio = folio_++;
    ordenIngreso_ += azar.entre(1, 3);
    s.ordenIngreso = ordenIngreso_;
    if (!s.donante) {
        correlativoNoDonante_ = correlativoNoDonante_ % 999999 + 1;
        s.correlativoNoDonante = correlativoNoDonante_;
    }
    FilaGenerada f;
    ponDatosPersonales(f, s, azar);
    ponLicenciaActual(f, s, azar);
    ponLicenciaAnterior(f, s, azar);
    ponExamenes(f, s, azar);
    ponEscuelas(f, s, azar);
    ponResumen(f, s, azar);
    ponDetalle(f, s, azar);
    ponDenegacion(f, s);
    return f.termina();
}

namespace {

// The first folio of `cantidad` new applications; throws when the series has
// no room for them.
qint64 foliosLibres(Conexion& conexion, qint64 cantidad)
{
    const qint64 primero = PrimerFolioLibre(conexion);
    if (primero + cantidad - 1 > UltimoFolio) {
        throw std::length_error(
            QStringLiteral("No quedan folios libres en la serie CA para %1 solicitudes")
                .arg(cantidad)
                .toStdString());
    }
    return primero;
}

void guarda(Conexion& conexion, GeneradorSolicitudes& generador, qint64 cantidad,
            const std::function<void(qint64 hechas)>& avance)
{
    InsercionLicencias insercion(conexion);
    for (qint64 hechas = 0; hechas < cantidad;) {
        const qint64 lote = std::min(FilasPorLote, cantidad - hechas);
        Transaccion transaccion(conexion);
        for (qint64 i = 0; i < lote; ++i) {
            insercion.agrega(generador.siguiente());
        }
        transaccion.confirma();
        hechas += lote;
        if (avance) {
            avance(hechas);
        }
    }
}

}  // namespace

void LlenaSolicitudes(Conexion& conexion, qint64 cantidad, quint32 semilla, QDate referencia,
                      std::function<void(qint64 hechas)> avance)
{
    GeneradorSolicitudes generador(semilla, referencia, foliosLibres(conexion, cantidad));
    guarda(conexion, generador, cantidad, avance);
}

void LlenaSolicitudesEnOrden(Conexion& conexion, qint64 cantidad, quint32 semilla, QDate desde,
                             QDate hasta, std::function<void(qint64 hechas)> avance)
{
    GeneradorSolicitudes generador(semilla, desde, hasta, cantidad,
                                   foliosLibres(conexion, cantidad));
    guarda(conexion, generador, cantidad, avance);
}
