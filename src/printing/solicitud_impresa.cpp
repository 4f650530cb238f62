#include "printing/solicitud_impresa.h"

#include "platform/caja_fecha.h"
#include "platform/superficie_impresion.h"

#include <functional>
#include <optional>

namespace {

// Every text the valued form shows, built from the application before the
// first item is printed.
struct Valores {
    QString municipio;
    QString municipioMayusculas;
    QString fechaActual;
    QString folioRegistrado;
    QString rut;
    QString fechaNacimiento;
    QString nombres;
    QString apellidos;
    QString clases;
    QString clasesRecortadas;
    QString fechaOtorgaInicial;
    QString ultimoControl;
    QString proximoControl;
    QString observaciones;
    QString comunaDomicilio;
    QString domicilio;
    QString domicilio35;
    QString rutEscuela;
    QString certificadoEscuela;
    QString fechaAprobacion;
    QString especialidad;
    QString especialidad22;
    QString escuelaNombre;
    QString observacion1;
    QString observacion2;
    QString restriccionActual;
    QString firma;
    QString usuario;
    QString clasesAnteriores;
    QString comunaAnterior;
    QString fechaOtorgaAnterior;
    QString fechaVenceAnterior;
    QString restriccionAnterior;
    QString certifAntecedentes;
    QString fechaCertificado;
    QString medicoResultado;
    QString medicoFecha;
    QString medicoExaminador;
    QString teoricoResultado;
    QString teoricoFecha;
    QString teoricoExaminador;
    QString practicoResultado;
    QString practicoFecha;
    QString practicoExaminador;
    QString observaExamenes;
};

// Parts of the sheet printed only for some applications.
enum class Bloque {
    Siempre,
    Escuela,           // a driving-school certificate of more than 2 characters
    Anterior,          // a commune of the previous licence
    ExamenesCursados,  // not a control exam without a professional class
};

struct Item {
    const char* numero;  // its number on the calibration sheet
    double x;            // centimetres
    double y;
    double tamano;  // points
    QString Valores::*contenido;
    Bloque bloque = Bloque::Siempre;
    int avance = 0;  // columns to advance before the text
};

using V = Valores;
constexpr Bloque E = Bloque::Escuela;
constexpr Bloque A = Bloque::Anterior;
constexpr Bloque C = Bloque::ExamenesCursados;

// The valued form, in print order.
const Item Items[] = {
    {"1", 12.0, 1.02, 12, &V::municipio},
    {"2", 14.7, 1.4, 8, &V::fechaActual},
    {"3", 8.5, 1.7, 8, &V::folioRegistrado, Bloque::Siempre, 65},
    {"4", 3.9, 2.41, 8, &V::rut},
    {"5", 10.2, 2.41, 8, &V::fechaNacimiento},
    {"6", 2.5, 2.85, 8, &V::nombres},
    {"7", 4.9, 3.21, 8, &V::apellidos},
    {"8", 2.3, 4.12, 8, &V::rut},
    {"9", 5.9, 4.1, 8, &V::clasesRecortadas},
    {"10", 9.7, 4.12, 8, &V::fechaOtorgaInicial},
    {"11", 14.7, 4.12, 8, &V::ultimoControl},
    {"12", 17.9, 4.12, 8, &V::proximoControl},
    {"13", 3.3, 4.57, 8, &V::observaciones},
    {"14", 2.25, 5.4, 8, &V::comunaDomicilio},
    {"15", 11.25, 5.4, 8, &V::domicilio},

    {"16", 18.1, 7.55, 8, &V::rutEscuela, E},
    {"17", 3.3, 7.9, 8, &V::certificadoEscuela, E},
    {"18", 9.0, 7.9, 8, &V::fechaAprobacion, E},
    {"19", 14.3, 7.9, 8, &V::especialidad, E},

    {"20", 10.9, 9.3, 8, &V::observacion1},
    {"21", 10.9, 9.6, 8, &V::observacion2},
    {"22", 6.8, 10.09, 8, &V::clases},
    {"23", 7.3, 10.52, 8, &V::rut},
    {"24", 14.0, 10.7, 8, &V::restriccionActual},
    {"25", 7.3, 10.94, 8, &V::municipioMayusculas},
    {"26", 6.4, 11.39, 7, &V::nombres},
    {"27", 6.7, 11.85, 7, &V::apellidos},
    {"28", 6.7, 12.25, 6, &V::domicilio35},
    {"29", 11.38, 12.4, 8, &V::firma},
    {"30", 7.9, 12.6, 8, &V::ultimoControl},
    {"31", 7.9, 13.06, 8, &V::proximoControl},
    {"32", 6.7, 14.22, 12, &V::municipioMayusculas},
    {"33", 14.9, 14.72, 8, &V::fechaActual},

    {"34", 8.5, 15.79, 8, &V::folioRegistrado},
    {"35", 2.4, 15.825, 8, &V::usuario},
    {"36", 2.4, 16.48, 8, &V::nombres},
    {"37", 5.0, 16.87, 8, &V::apellidos},
    {"38", 3.1, 17.28, 8, &V::domicilio},
    {"39", 2.5, 17.71, 8, &V::comunaDomicilio},
    {"40", 9.41, 17.69, 8, &V::rut},
    {"41", 12.2, 17.69, 8, &V::fechaNacimiento},

    {"42", 4.0, 18.1, 8, &V::rut, A},
    {"43", 7.1, 18.1, 8, &V::clasesAnteriores, A},
    {"44", 10.0, 18.1, 8, &V::comunaAnterior, A},
    {"45", 3.9, 18.52, 8, &V::fechaOtorgaAnterior, A},
    {"46", 8.3, 18.52, 8, &V::fechaVenceAnterior, A},
    {"47", 3.2, 19.01, 8, &V::restriccionAnterior, A},

    {"48", 3.4, 19.37, 8, &V::rut},
    {"49", 7.3, 19.37, 8, &V::clases},
    {"50", 4.47, 19.8, 8, &V::certifAntecedentes},
    {"51", 7.3, 19.8, 8, &V::fechaCertificado},
    {"52", 3.8, 20.28, 8, &V::fechaOtorgaInicial},
    {"53", 8.2, 20.28, 8, &V::ultimoControl},
    {"54", 13.9, 20.28, 8, &V::proximoControl},
    {"55", 3.0, 20.67, 8, &V::restriccionActual},

    {"56", 5.4, 21.48, 8, &V::escuelaNombre, E},
    {"57", 13.0, 21.48, 8, &V::rutEscuela, E},
    {"58", 3.3, 21.9, 8, &V::certificadoEscuela, E},
    {"59", 8.9, 21.9, 8, &V::fechaAprobacion, E},
    {"60", 13.0, 21.9, 8, &V::especialidad22, E},

    // Examination results: result word, date, examiner.
    {"M1", 2.2, 22.8, 8, &V::medicoResultado},
    {"M2", 7.1, 22.8, 8, &V::medicoFecha},
    {"M3", 12.9, 22.8, 8, &V::medicoExaminador},
    {"T1", 2.2, 23.21, 8, &V::teoricoResultado, C},
    {"T2", 7.1, 23.21, 8, &V::teoricoFecha, C},
    {"T3", 12.9, 23.21, 8, &V::teoricoExaminador, C},
    {"P1", 2.2, 23.61, 8, &V::practicoResultado, C},
    {"P2", 7.1, 23.61, 8, &V::practicoFecha, C},
    {"P3", 12.9, 23.61, 8, &V::practicoExaminador, C},

    {"61", 2.9, 24.14, 8, &V::observaExamenes},
    {"62", 2.0, 26.01, 8, &V::firma},
};

constexpr double TamanoInicial = 12;
constexpr int LargoObservacion = 35;

// The labels of the class lists, in list order: the current licence's and
// the previous licence's.
struct EtiquetaClase {
    const char* actual;
    const char* anterior;
};
const EtiquetaClase EtiquetasClases[std::tuple_size_v<ClasesImpresas>] = {
    {"A1", "A1"}, {"A2", "A2"}, {"A3", "A3"}, {"A4", "A4"}, {"A5", "A5"},  {"B", "B"},
    {"C", "C"},   {"D", "D"},   {"E", "E"},   {"F", "F"},   {"A1", "A1a"}, {"A2", "A2a"},
};

// Classes A1 to A5 and the former-scheme A1 and A2: the professional ones.
constexpr int ClasesProfesionales[] = {0, 1, 2, 3, 4, 10, 11};

QString listaClases(const ClasesImpresas& clases, bool anterior)
{
    QString lista;
    for (size_t i = 0; i < clases.size(); ++i) {
        if (clases[i]) {
            const EtiquetaClase& e = EtiquetasClases[i];
            lista += QLatin1Char(' ') + QLatin1String(anterior ? e.anterior : e.actual);
        }
    }
    return lista;
}

// Half of the room left, rounded to the nearest whole number with halves to
// the even one, in blanks before the trimmed text.
QString centraObservacion(const QString& observacion)
{
    const QString recortada = observacion.trimmed();
    if (recortada.isEmpty()) {
        return observacion;
    }
    const int sobra = qMax(0, LargoObservacion - int(recortada.size()));
    int blancos = sobra / 2;
    if (sobra % 2 == 1 && blancos % 2 == 1) {
        ++blancos;
    }
    return QString(blancos, QLatin1Char(' ')) + recortada;
}

QString fecha(const QDate& dia)
{
    return CajaFecha::formatea(dia);
}

QString resultado(const ExamenImpreso& examen)
{
    return examen.aprobado ? QStringLiteral("Aprobado") : QStringLiteral("Reprobado");
}

Valores valoresDe(const DatosSolicitud& d)
{
    Valores v;
    v.municipio = QStringLiteral("Pelvarin");
    v.municipioMayusculas = QStringLiteral("PELVARIN");
    v.fechaActual = fecha(d.fechaActual);
    v.folioRegistrado = QStringLiteral("Folio Registrado:   ") + d.folio;
    v.rut = d.rut;
    v.fechaNacimiento = fecha(d.fechaNacimiento);
    v.nombres = d.nombres;
    v.apellidos = d.apPaterno.trimmed() + QLatin1Char(' ') + d.apMaterno.trimmed();
    v.clases = listaClases(d.clases, false);
    v.clasesRecortadas = v.clases.trimmed();
    v.fechaOtorgaInicial = fecha(d.fechaOtorgaInicial);
    v.ultimoControl = d.primeraVez ? QStringLiteral("Primera vez") : fecha(d.fechaUltimoControl);
    v.proximoControl = fecha(d.fechaProximoControl);
    v.observaciones = d.observaciones;
    v.comunaDomicilio = d.comunaDomicilio;
    v.domicilio = d.domicilio;
    v.domicilio35 = d.domicilio.left(35);
    v.rutEscuela = d.rutEscuela;
    v.certificadoEscuela = d.certificadoEscuela;
    v.fechaAprobacion = fecha(d.fechaAprobacion);
    v.especialidad = d.especialidad;
    v.especialidad22 = d.especialidad.left(22);
    v.escuelaNombre = d.escuelaNombre;
    v.observacion1 = centraObservacion(d.obs1);
    v.observacion2 = centraObservacion(d.obs2);
    v.restriccionActual = d.restriccionActual;
    v.firma = d.firma;
    v.usuario = QStringLiteral("Usuario: ") + d.usuario;
    v.clasesAnteriores = listaClases(d.clasesAnteriores, true);
    v.comunaAnterior = d.comunaAnterior;
    v.fechaOtorgaAnterior = fecha(d.fechaOtorgaAnterior);
    v.fechaVenceAnterior = fecha(d.fechaVenceAnterior);
    v.restriccionAnterior = d.restriccionAnterior;
    v.certifAntecedentes = d.certifAntecedentes;
    v.fechaCertificado = fecha(d.fechaCertificado);
    v.medicoResultado = resultado(d.medico);
    v.medicoFecha = fecha(d.medico.fecha);
    v.medicoExaminador = d.medico.examinador.left(22);
    v.teoricoResultado = resultado(d.teorico);
    v.teoricoFecha = fecha(d.teorico.fecha);
    v.teoricoExaminador = d.teorico.examinador.left(22);
    v.practicoResultado = resultado(d.practico);
    v.practicoFecha = fecha(d.practico.fecha);
    v.practicoExaminador = d.practico.examinador.left(22);
    v.observaExamenes = d.observaExamenes;
    return v;
}

bool seImprime(Bloque bloque, const DatosSolicitud& d)
{
    switch (bloque) {
    case Bloque::Siempre:
        return true;
    case Bloque::Escuela:
        return d.certificadoEscuela.size() > 2;
    case Bloque::Anterior:
        return !d.comunaAnterior.isEmpty();
    case Bloque::ExamenesCursados: {
        bool profesional = false;
        for (int clase : ClasesProfesionales) {
            profesional = profesional || d.clases[size_t(clase)];
        }
        return !d.examenControl || profesional;
    }
    }
    return true;
}

// One Letter portrait page: the settings every document of the valued form
// starts with (they stay on the surface from earlier documents otherwise),
// the items that `texto` gives a text for, and the end of the document. A
// failure halfway drops the document, so the next print starts clean.
void imprimeItems(SuperficieImpresion& s, const Desplazamiento& desplazamiento,
                  const std::function<std::optional<QString>(const Item&)>& texto)
{
    try {
        s.fijaOrigen(0, 0);
        s.fijaUnidadCentimetros();
        s.fijaFuente(QStringLiteral("Arial"));
        s.fijaPapel(Papel::Carta);
        s.fijaOrientacion(Orientacion::Vertical);
        s.fijaTamanoFuente(TamanoInicial);
        double tamano = TamanoInicial;
        for (const Item& item : Items) {
            const std::optional<QString> linea = texto(item);
            if (!linea) {
                continue;
            }
            if (item.tamano != tamano) {
                tamano = item.tamano;
                s.fijaTamanoFuente(tamano);
            }
            s.fijaPosicion(item.x + desplazamiento.horizontalMm / 10,
                           item.y + desplazamiento.verticalMm / 10);
            s.imprimeLinea(*linea, item.avance);
        }
        s.terminaDocumento();
    } catch (...) {
        s.cancelaDocumento();
        throw;
    }
}

}  // namespace

void DibujaSolicitud(SuperficieImpresion& superficie, const DatosSolicitud& datos,
                     const Desplazamiento& desplazamiento)
{
    const Valores valores = valoresDe(datos);
    imprimeItems(superficie, desplazamiento, [&](const Item& item) -> std::optional<QString> {
        if (!seImprime(item.bloque, datos)) {
            return std::nullopt;
        }
        return valores.*item.contenido;
    });
}

void DibujaNumerosSolicitud(SuperficieImpresion& superficie, const Desplazamiento& desplazamiento)
{
    imprimeItems(superficie, desplazamiento,
                 [](const Item& item) { return QString::fromLatin1(item.numero); });
}
