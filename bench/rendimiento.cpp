// Times, on one database, every clerk action and every monthly run twice:
// the literal way, running the statements the system was first written with
// (kept here, word for word but for the functions the two engines spell
// differently: Mid is substr, & is ||, len is length, "Delete *" is
// "Delete"), and the program's way. For each it prints the median and the
// spread of several runs, how many times faster the program is and the peak
// memory, against the targets of the register.
//   rendimiento --db CONEXION [--mes MM-AAAA] [--veces N] [--veces-literal N] [--solo TEXTO]

#include "app/acciones_menu.h"
#include "app/esquema_sistema.h"
#include "demo/generador_solicitudes.h"
#include "listings/estadistica.h"
#include "listings/form_crfolios.h"
#include "listings/informe_folios.h"
#include "listings/vista_informe.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "register/columnas_licencia.h"
#include "register/form_licencia.h"
#include "register/grabacion_licencia.h"
#include "registry_files/archivo_plano.h"
#include "registry_files/generacion_planos.h"
#include "registry_files/registros_planos.h"
#include "shell/aplicacion.h"
#include "shell/datos/clave_fecha.h"
#include "shell/datos/recordset.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <algorithm>
#include <functional>
#include <malloc.h>
#include <optional>
#include <vector>

namespace {

// Message boxes are counted, never shown: a search that finds nothing
// must not wait for a click.
class MensajesMudos : public Mensajes {
public:
    Respuesta muestra(const QString& texto, const QString&, Botones, Icono icono) override
    {
        if (icono == Icono::Critico && !texto.startsWith(QLatin1String("No hay información"))) {
            QTextStream(stderr) << "rendimiento: " << texto << "\n";
        }
        return Respuesta::No;
    }
};

// Peak resident memory since the last reset, in MB (Linux).
qint64 picoMemoriaMb()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:")) {
            return linea.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
        }
    }
    return -1;
}

// Memory freed by the run before goes back to the system first, or the peak
// would start from it.
void reiniciaPicoMemoria()
{
    malloc_trim(0);
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) {
        refs.write("5");
    }
}

struct Medida {
    double mediana = 0;
    double minimo = 0;
    double maximo = 0;
    qint64 picoMb = 0;
    qint64 filas = -1;  // what the last run found, when it says
};

// A way of doing an operation; gives the rows it found, or -1.
using Manera = std::function<qint64()>;

// Runs `manera` `veces` times, each after `antes` (not timed); a run's time
// stops once the events it posted (the grid's first rows) are processed.
Medida mide(int veces, const Manera& manera, const std::function<void()>& antes)
{
    Medida m;
    std::vector<double> tiempos;
    for (int i = 0; i < veces; ++i) {
        if (antes) {
            antes();
        }
        QCoreApplication::processEvents();
        reiniciaPicoMemoria();
        QElapsedTimer reloj;
        reloj.start();
        m.filas = manera();
        QCoreApplication::processEvents();
        tiempos.push_back(double(reloj.nsecsElapsed()) / 1e6);
        m.picoMb = std::max(m.picoMb, picoMemoriaMb());
    }
    std::sort(tiempos.begin(), tiempos.end());
    m.mediana = tiempos.size() % 2 ? tiempos[tiempos.size() / 2]
                                   : (tiempos[tiempos.size() / 2 - 1] + tiempos[tiempos.size() / 2]) / 2;
    m.minimo = tiempos.front();
    m.maximo = tiempos.back();
    return m;
}

// What the register promises of an operation: a time, and for the monthly
// runs a factor over the literal way.
struct Objetivo {
    double ms;
    double factor;  // 0: none
};

struct Operacion {
    QString nombre;
    Manera literal;
    Manera programa;
    Objetivo objetivo;
    std::function<void()> antes = {};
};

QString tiempo(double ms)
{
    return ms >= 10000 ? QString::number(ms / 1000, 'f', 1) + QStringLiteral(" s")
                       : QString::number(ms, 'f', ms < 10 ? 2 : (ms < 100 ? 1 : 0));
}

QString columnaMedida(const Medida& m)
{
    return QStringLiteral("%1 (%2–%3)").arg(tiempo(m.mediana), tiempo(m.minimo), tiempo(m.maximo));
}

// --- The literal statements --------------------------------------------------

const QString Pagina = QStringLiteral("SELECT * FROM TLicencias  WHERE Posicion  BETWEEN %1 AND %2");
const QString PorFolio = QStringLiteral("SELECT * FROM TLicencias WHERE  FolioActual = '%1'");
const QString PorRut = QStringLiteral("SELECT * FROM TLicencias  WHERE NumeroLicencia = '%1'");
const QString PorNombres = QStringLiteral("SELECT * FROM TLicencias  WHERE TRIM(Nombres) Like '%1%'");
const QString PorApellido = QStringLiteral("SELECT * FROM TLicencias  WHERE TRIM(ApPaterno) Like '%1%'");

const QString ClaveLiteral =
    QStringLiteral("(substr(FechaActual, 7, 4) || substr(FechaActual, 4, 2) || substr(FechaActual, 1, 2))");

QString borradoRango(const QString& desde, const QString& hasta)
{
    return QStringLiteral("Delete From AuxTLicencias where (%1 < '%2' Or %1 > '%3')")
        .arg(ClaveLiteral, desde, hasta);
}

struct EtapasLiteral {
    TipoPlano tipo;
    const char* insercion;
    std::vector<const char*> borrados;  // after the range
    const char* encabezado;
    QByteArrayList (*lineas)(const Fila&);
};

const EtapasLiteral Planos[] = {
    {TipoPlano::Licencias,
     "Insert Into AuxTLicencias Select * From TLicencias",
     {"Delete From AuxTLicencias where length(trim(RestriccionActual)) > 0",
      "Delete From AuxTLicencias where Estado <> 'Ok'"},
     "Pelvarin", LineasLicencia},
    {TipoPlano::Restricciones,
     "Insert Into AuxTLicencias Select * From TLicencias",
     {"Delete From AuxTLicencias where length(trim(RestriccionActual)) < 1",
      "Delete From AuxTLicencias where Estado <> 'Ok'"},
     "Pelvarin", LineasRestriccion},
    {TipoPlano::Denegaciones,
     "Insert Into AuxTLicencias Select * From TLicencias WHERE Denegada='si'",
     {},
     "Pelvarin", LineasDenegacion},
};

// One registry file the literal way: the staging statements, the rows of
// AuxTLicencias as a client-side snapshot, the file and its copy.
qint64 planoLiteral(Conexion& c, const EtapasLiteral& e, const RangoSolicitud& rango,
                    const CarpetasPlanos& carpetas)
{
    c.ejecuta(QStringLiteral("Delete From AuxTLicencias"));
    c.ejecuta(QString::fromLatin1(e.insercion));
    c.ejecuta(borradoRango(ClaveFecha(rango.desde), ClaveFecha(rango.hasta)));
    for (const char* borrado : e.borrados) {
        c.ejecuta(QString::fromLatin1(borrado));
    }
    Recordset rs = c.consulta(QStringLiteral("Select * From AuxTLicencias"));
    const QString ruta = QDir(carpetas.trabajo).filePath(NombrePlano(e.tipo) + QStringLiteral(".literal"));
    const QByteArray encabezado =
        QByteArray(e.encabezado).leftJustified(e.tipo == TipoPlano::Denegaciones ? 50 : 8);
    const ResultadoPlano r = EscribePlano(ruta, encabezado, e.lineas, [&](const auto& porFila) {
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            porFila(rs.fila());
        }
    });
    QString motivo;
    CopiaPlano(ruta, carpetas.salida, &motivo);
    return r.filas;
}

const QString Normalizacion = QStringLiteral(
    "Update TLicencias Set FechaActual1 = substr(FechaActual,1,2) || '/' || substr(FechaActual,4,2) "
    "|| '/' || substr(FechaActual,7,4)");

// The month's statistics the literal way: every row normalised, the month's
// rows as a client-side snapshot, counted by the sheet's counters.
qint64 estadisticaLiteral(Conexion& c, TipoEstadistica tipo, const QDate& mes)
{
    c.ejecuta(Normalizacion);
    const char* estado = tipo == TipoEstadistica::Otorgadas ? "Ok" : "Reprobado";
    Recordset rs = c.consulta(QStringLiteral("SELECT * FROM TLicencias WHERE trim(Estado)  = '%1' "
                                             "AND substr(FechaActual1,4,7) = '%2'")
                                  .arg(QLatin1String(estado), mes.toString(QStringLiteral("MM/yyyy"))));
    ConteoMes conteo;
    std::optional<LectorSolicitud> lector;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        if (!lector) {
            lector.emplace(rs.fila().columnas());
        }
        conteo.cuenta(lector->lee(rs.fila()), tipo);
    }
    CalculaValoresHoja(conteo, tipo);
    return conteo.solicitudes;
}

const struct {
    const char* modo;
    const char* cabeza;
    const char* cabezaRut;  // nullptr: the same
} Listados[] = {
    {"Folios",
     "SELECT NumeroLicencia, Nombres, ApPaterno, ApMaterno, LicActual, FechaActual, FolioActual, "
     "Estado FROM TLicencias WHERE (%1 >= '",
     nullptr},
    {"LicOtorgadas",
     "SELECT NumeroLicencia, Nombres, ApPaterno, ApMaterno, LicActual, FechaActual, FolioActual, "
     "Estado FROM TLicencias WHERE trim(Estado)  = 'Ok' AND (%1 >= '",
     nullptr},
    {"LicDenegadas",
     "SELECT NumeroLicencia, Nombres, ApPaterno, ApMaterno, LicActual, FechaActual, FolioActual, "
     "Estado FROM TLicencias WHERE trim(Estado) = 'Reprobado' AND (%1 >= '",
     nullptr},
    {"LicAnuladasElim",
     "SELECT NumeroLicencia, Nombres, ApPaterno, ApMaterno, LicActual, FechaActual, FolioActual, "
     "Estado FROM TLicencias WHERE trim(Estado) = 'Anulado' AND (%1 >= '",
     nullptr},
    {"LicNoDonantes",
     "SELECT NumeroLicencia, Nombres, ApPaterno, ApMaterno, LicActual, FechaActual, FolioActual, "
     "Estado, CorrNoDonante FROM TLicencias WHERE trim(Estado)  = 'Ok' AND EsDonante = 'No' And (%1 >= '",
     "SELECT NumeroLicencia, Nombres, ApPaterno, ApMaterno, LicActual, FechaActual, FolioActual, "
     "Estado, CorrNoDonante FROM TLicencias WHERE trim(Estado)  = 'Ok' AND EsDonante = 'No' And  (%1 >= '"},
};

QString consultaListado(int kind, bool porRut, const RangoSolicitud& rango)
{
    const auto& l = Listados[kind];
    const QString cabeza = QLatin1String(porRut && l.cabezaRut ? l.cabezaRut : l.cabeza);
    return cabeza.arg(ClaveLiteral) + ClaveFecha(rango.desde) +
           QStringLiteral("' and %1 <= '").arg(ClaveLiteral) + ClaveFecha(rango.hasta) +
           (porRut ? QStringLiteral("')  Order By NumeroLicencia")
                   : QStringLiteral("')  Order By FolioActual"));
}

// A listing the literal way: the statement into a client-side snapshot
// handed whole to the report, which the viewer renders page after page
// before showing the first (a print preview, as the viewer did before it
// drew only the pages in sight).
qint64 listadoLiteral(Conexion& c, int kind, bool porRut, const RangoSolicitud& rango)
{
    Recordset rs = c.consulta(consultaListado(kind, porRut, rango));
    auto filas = std::make_shared<std::vector<QStringList>>();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList valores;
        for (int i = 0; i < rs.columnas().size(); ++i) {
            valores << rs.fila().texto(i);
        }
        filas->push_back(std::move(valores));
    }
    const TipoListado& tipo = *BuscaTipoListado(QLatin1String(Listados[kind].modo));
    InformeFolios informe;
    informe.fijaOcultos(tipo.noDonantes);
    informe.titulo = QString::fromLatin1(tipo.titulo);
    // The names as the listing spells them; PostgreSQL hands them back in
    // lower case.
    informe.campos = ConsultaListado(tipo, PeticionFolios{}).columnas;
    informe.filas = FilasInforme(qint64(filas->size()), [filas](qint64 desde, qint64 cantidad) {
        return std::vector<QStringList>(filas->begin() + desde, filas->begin() + desde + cantidad);
    });
    if (!informe.filas.vacias()) {
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setPageLayout(PaginaInforme());
        QPrintPreviewWidget vista(&impresora);
        QObject::connect(&vista, &QPrintPreviewWidget::paintRequested,
                         [&](QPrinter* p) { ImprimeInforme(*p, informe); });
        vista.resize(1100, 700);
        vista.show();
        vista.fitInView();
        vista.grab();
    }
    return informe.filas.cantidad();
}

// --- The program's way ---------------------------------------------------------

void buscaTexto(Form_Licencia& forma, bool apellido, const QString& texto)
{
    forma.control<QRadioButton>(apellido ? QStringLiteral("Opt_Apellido") : QStringLiteral("Opt_Nombre"))
        .setChecked(true);
    forma.texto(QStringLiteral("Text_NomApe")).setText(texto);
    forma.Cmd_BuscaTexto_Click();
}

qint64 filasDeLaGrilla(Form_Licencia& forma)
{
    return forma.MSHF_Licencias().model()->rowCount();
}

// A month's listing as the clerk gets it: the rows selected and the first
// page drawn in the viewer.
qint64 listadoPrograma(Aplicacion& app, const PeticionFolios& peticion)
{
    FormCRFolios visor(app, peticion);
    visor.Form_Load();
    visor.resize(1100, 700);
    visor.show();
    if (visor.conInforme()) {
        visor.vista().viewport()->grab();
    }
    visor.hide();
    return visor.CRFolios().filas.cantidad();
}

// An application to register: a generated one with a folio of its own, and
// a surname no generated applicant bears, for the rare-surname search.
ValoresLicencia solicitudNueva(GeneradorSolicitudes& generador, const QString& folio)
{
    const QVariantList fila = generador.siguiente();
    ValoresLicencia valores;
    for (int i = 0; i < NumeroColumnasLicencia; ++i) {
        const QString columna = QLatin1String(ColumnasLicencia[size_t(i)].nombre);
        if (columna == QLatin1String("Posicion")) {
            continue;
        }
        QVariant valor = fila[i];
        if (columna == QLatin1String("FolioActual")) {
            valor = folio;
        } else if (columna == QLatin1String("ApPaterno")) {
            valor = QStringLiteral("ÑANCUPIL");
        }
        valores.emplace_back(columna, valor);
    }
    return valores;
}

// The record write the literal way: the folio query, the row inserted by
// the first update and changed by the second and the third, the window
// opened again.
void grabaLiteral(Conexion& c, const ValoresLicencia& valores, const QString& folio, bool nueva)
{
    const Recordset existente = c.consulta(PorFolio.arg(folio));
    const QStringList segunda{QStringLiteral("FechaTeorico"), QStringLiteral("CorrNoDonante")};
    const QStringList tercera{QStringLiteral("Denegada"), QStringLiteral("D01"), QStringLiteral("D02"),
                              QStringLiteral("D03"), QStringLiteral("D04"), QStringLiteral("D05"),
                              QStringLiteral("D06"), QStringLiteral("D07"), QStringLiteral("D08"),
                              QStringLiteral("D09"), QStringLiteral("d10"), QStringLiteral("Duracion")};
    QStringList primeras;
    QVariantList datosPrimera;
    const auto valorDe = [&](const QString& columna) {
        for (const auto& [nombre, valor] : valores) {
            if (nombre == columna) {
                return valor;
            }
        }
        return QVariant();
    };
    for (const auto& [columna, valor] : valores) {
        if (!segunda.contains(columna) && !tercera.contains(columna)) {
            primeras << columna;
            datosPrimera << valor;
        }
    }
    qint64 posicion = 0;
    if (nueva) {
        posicion = c.inserta({QStringLiteral("TLicencias"), QStringLiteral("Posicion")}, primeras,
                             datosPrimera)
                       .toLongLong();
    } else {
        posicion = existente.valor(QStringLiteral("Posicion")).toLongLong();
        QStringList asignaciones;
        for (const QString& columna : primeras) {
            asignaciones << columna + QStringLiteral(" = ?");
        }
        c.ejecuta(QStringLiteral("UPDATE TLicencias SET %1 WHERE Posicion = ?")
                      .arg(asignaciones.join(QStringLiteral(", "))),
                  datosPrimera << posicion);
    }
    for (const QStringList* parte : {&segunda, &tercera}) {
        QStringList asignaciones;
        QVariantList datos;
        for (const QString& columna : *parte) {
            asignaciones << columna + QStringLiteral(" = ?");
            datos << valorDe(columna);
        }
        c.ejecuta(QStringLiteral("UPDATE TLicencias SET %1 WHERE Posicion = ?")
                      .arg(asignaciones.join(QStringLiteral(", "))),
                  datos << posicion);
    }
    c.consulta(Pagina.arg(1).arg(100));
}

// The busiest month, when none is asked for.
QDate mesMasLleno(Conexion& c)
{
    Recordset rs = c.consulta(QStringLiteral("SELECT substr(%1,1,6) AS mes, count(*) AS n FROM TLicencias "
                                             "GROUP BY substr(%1,1,6) ORDER BY count(*) DESC, mes DESC LIMIT 1")
                                  .arg(ClaveFechaSql()));
    const QString mes = rs.texto(QStringLiteral("mes"));
    return QDate(mes.left(4).toInt(), mes.mid(4, 2).toInt(), 1);
}

qint64 cuenta(Conexion& c, const QString& sql, const QVariantList& valores = {})
{
    return c.consulta(sql, valores).valor(QStringLiteral("n")).toLongLong();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    QTextStream salida(stdout);
    QCommandLineParser parser;
    const QCommandLineOption db(QStringLiteral("db"), QString(), QStringLiteral("CONEXION"));
    const QCommandLineOption mes(QStringLiteral("mes"), QString(), QStringLiteral("MM-AAAA"));
    const QCommandLineOption veces(QStringLiteral("veces"), QString(), QStringLiteral("N"),
                                   QStringLiteral("5"));
    const QCommandLineOption vecesLiteral(QStringLiteral("veces-literal"), QString(),
                                          QStringLiteral("N"), QStringLiteral("3"));
    // Only the operations whose name holds this text.
    const QCommandLineOption solo(QStringLiteral("solo"), QString(), QStringLiteral("TEXTO"));
    parser.addOptions({db, mes, veces, vecesLiteral, solo});
    parser.process(aplicacion);
    QString error;
    const auto origen = OrigenDatos::interpreta(parser.value(db), &error);
    if (!origen) {
        QTextStream(stderr) << "Uso: rendimiento --db CONEXION [--mes MM-AAAA] [--veces N] "
                               "[--veces-literal N] [--solo TEXTO]\n"
                            << error << "\n";
        return 2;
    }
    const int vecesPrograma = std::max(1, parser.value(veces).toInt());
    const int vecesLiterales = std::max(1, parser.value(vecesLiteral).toInt());

    AbreBase(*origen);
    Servicios servicios = Servicios::reales();
    servicios.mensajes = std::make_unique<MensajesMudos>();
    Aplicacion app(std::move(servicios), *origen, QCoreApplication::applicationDirPath());
    InstalaAcciones(app);
    app.Accesos.fill(1);
    app.AbreConexion();
    Conexion& c = app.conexion();

    const QDate primero = parser.isSet(mes)
                              ? QDate::fromString(QStringLiteral("01-") + parser.value(mes),
                                                  QStringLiteral("dd-MM-yyyy"))
                              : mesMasLleno(c);
    if (!primero.isValid()) {
        QTextStream(stderr) << "rendimiento: --mes debe ser MM-AAAA\n";
        return 2;
    }
    const RangoSolicitud rango{primero, primero.addMonths(1).addDays(-1)};
    const qint64 total = cuenta(c, QStringLiteral("SELECT count(*) AS n FROM TLicencias"));
    const qint64 delMes = cuenta(c,
                                 QStringLiteral("SELECT count(*) AS n FROM TLicencias WHERE %1 BETWEEN ? AND ?")
                                     .arg(ClaveFechaSql()),
                                 {ClaveFecha(rango.desde), ClaveFecha(rango.hasta)});
    const Recordset medio = c.consulta(
        QStringLiteral("SELECT NumeroLicencia, FolioActual FROM TLicencias WHERE Posicion >= ? "
                       "ORDER BY Posicion LIMIT 1"),
        {total / 2});
    const QString rut = medio.texto(QStringLiteral("NumeroLicencia"));
    const QString folio = medio.texto(QStringLiteral("FolioActual"));
    // Monthly runs: under a second on an ordinary month, two on the busiest
    // month an office can have.
    const double limiteMensual = delMes > 50000 ? 2000 : 1000;

    salida << "Base: " << origen->descripcion() << "\n"
           << "Solicitudes: " << total << "; mes medido " << primero.toString(QStringLiteral("MM-yyyy"))
           << " con " << delMes << " solicitudes\n"
           << "Corridas: " << vecesLiterales << " a la manera literal, " << vecesPrograma
           << " a la del programa (tras una de calentamiento); tiempos en ms: mediana (mínimo–máximo)\n\n";
    salida << QStringLiteral("%1 %2 %3 %4 %5 %6 %7  %8\n")
                  .arg(QStringLiteral("operación"), -44)
                  .arg(QStringLiteral("literal"), 24)
                  .arg(QStringLiteral("MB"), 6)
                  .arg(QStringLiteral("programa"), 24)
                  .arg(QStringLiteral("MB"), 5)
                  .arg(QStringLiteral("veces"), 7)
                  .arg(QStringLiteral("filas lit./prog."), 18)
                  .arg(QStringLiteral("objetivo"));
    salida.flush();

    Form_Licencia* forma = &app.forma<Form_Licencia>();
    QTemporaryDir carpeta;
    const CarpetasPlanos carpetas{carpeta.path(), carpeta.filePath(QStringLiteral("planos"))};
    const Avisa mudo = [](const AvisoPlano&) {};
    GeneradorSolicitudes generador(quint32(QDateTime::currentSecsSinceEpoch()), QDate::currentDate(), 1);
    const QString serie = QStringLiteral("BN%1").arg(QDateTime::currentSecsSinceEpoch() % 1000000, 6, 10,
                                                     QLatin1Char('0'));
    int registradas = 0;
    QString ultimaRegistrada;
    const auto staleMes = [&] {
        c.ejecuta(QStringLiteral("UPDATE TLicencias SET FechaActual1 = NULL WHERE %1 BETWEEN ? AND ?")
                      .arg(ClaveFechaSql()),
                  {ClaveFecha(rango.desde), ClaveFecha(rango.hasta)});
    };

    // The literal statistics rewrite every row of TLicencias: they come
    // last, so that what they leave behind weighs on nothing else.
    std::vector<Operacion> operaciones;
    const Objetivo clerk50{50, 0};
    const Objetivo clerk10{10, 0};
    const Objetivo busqueda{100, 0};
    const Objetivo mensual{limiteMensual, 20};
    operaciones.push_back({QStringLiteral("abrir el formulario (1ª página)"),
                           [&] { return qint64(c.consulta(Pagina.arg(1).arg(100)).recordCount()); },
                           [&] {
                               app.descarga<Form_Licencia>();
                               QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                               forma = &app.forma<Form_Licencia>();
                               return filasDeLaGrilla(*forma);
                           },
                           clerk50});
    operaciones.push_back({QStringLiteral("página siguiente"),
                           [&] { return qint64(c.consulta(Pagina.arg(101).arg(200)).recordCount()); },
                           [&] {
                               forma->Cmd_Proximos_Click();
                               return filasDeLaGrilla(*forma);
                           },
                           clerk10, [&] { forma->Cmd_Anterior_Click(); }});
    operaciones.push_back({QStringLiteral("página anterior"),
                           [&] { return qint64(c.consulta(Pagina.arg(1).arg(100)).recordCount()); },
                           [&] {
                               forma->Cmd_Anterior_Click();
                               return filasDeLaGrilla(*forma);
                           },
                           clerk10, [&] { forma->Cmd_Proximos_Click(); }});
    operaciones.push_back({QStringLiteral("folio ") + folio,
                           [&] { return qint64(c.consulta(PorFolio.arg(folio)).recordCount()); },
                           [&] { return qint64(PosicionDelFolio(c, folio) ? 1 : 0); }, clerk10});
    operaciones.push_back({QStringLiteral("búsqueda por RUT ") + rut,
                           [&] { return qint64(c.consulta(PorRut.arg(rut)).recordCount()); },
                           [&] {
                               forma->mascara(QStringLiteral("MEd_BuscaRut")).fijaTexto(rut);
                               forma->Cmd_BuscaRut_Click();
                               return filasDeLaGrilla(*forma);
                           },
                           clerk10});
    operaciones.push_back({QStringLiteral("registrar una solicitud"),
                           [&] {
                               const QString f = QStringLiteral("%1L%2").arg(serie).arg(++registradas);
                               grabaLiteral(c, solicitudNueva(generador, f), f, true);
                               return qint64(1);
                           },
                           [&] {
                               ultimaRegistrada = QStringLiteral("%1P%2").arg(serie).arg(++registradas);
                               return qint64(InsertaLicencia(c, solicitudNueva(generador, ultimaRegistrada)) ? 1 : 0);
                           },
                           clerk50});
    operaciones.push_back({QStringLiteral("modificar una solicitud"),
                           [&] {
                               grabaLiteral(c, solicitudNueva(generador, ultimaRegistrada),
                                            ultimaRegistrada, false);
                               return qint64(1);
                           },
                           [&] {
                               const auto posicion = PosicionDelFolio(c, ultimaRegistrada);
                               if (posicion) {
                                   ActualizaLicencia(c, *posicion, solicitudNueva(generador, ultimaRegistrada));
                               }
                               return qint64(posicion ? 1 : 0);
                           },
                           clerk50});
    const struct {
        bool apellido;
        const char* texto;
        const char* cuantas;
    } busquedas[] = {
        {false, "MA", "común"},      {false, "juan", "común"},   {false, "isidora xim", "rara"},
        {false, "QXZW", "ninguna"},  {true, "s", "común"},       {true, "ñancu", "rara"},
        {true, "QXZW", "ninguna"},
    };
    for (const auto& b : busquedas) {
        const QString texto = QString::fromUtf8(b.texto);
        operaciones.push_back(
            {QStringLiteral("%1 \"%2\" (%3)")
                 .arg(b.apellido ? QStringLiteral("apellido") : QStringLiteral("nombres"), texto,
                      QString::fromUtf8(b.cuantas)),
             [&, b, texto] {
                 return qint64(c.consulta((b.apellido ? PorApellido : PorNombres).arg(texto)).recordCount());
             },
             [&, b, texto] {
                 buscaTexto(*forma, b.apellido, texto);
                 return filasDeLaGrilla(*forma);
             },
             busqueda});
    }
    for (int kind = 0; kind < int(std::size(Listados)); ++kind) {
        for (const bool porRut : {false, true}) {
            const PeticionFolios peticion{QLatin1String(Listados[kind].modo), rango.desde, rango.hasta,
                                          porRut ? OrdenFolios::PorRut : OrdenFolios::PorFolio};
            operaciones.push_back(
                {QStringLiteral("listado %1 por %2")
                     .arg(QLatin1String(Listados[kind].modo),
                          porRut ? QStringLiteral("RUT") : QStringLiteral("folio")),
                 [&, kind, porRut] { return listadoLiteral(c, kind, porRut, rango); },
                 [&, peticion] { return listadoPrograma(app, peticion); }, mensual});
        }
    }

    operaciones.push_back({QStringLiteral("LPVN000 + RPVN000 del mes"),
                           [&] {
                               return planoLiteral(c, Planos[0], rango, carpetas) +
                                      planoLiteral(c, Planos[1], rango, carpetas);
                           },
                           [&] {
                               // GeneraPlanoLicencias, file by file to count the rows of each.
                               qint64 filas = 0;
                               for (const TipoPlano tipo : {TipoPlano::Licencias, TipoPlano::Restricciones}) {
                                   GeneraPlano(c, tipo, rango, carpetas, mudo);
                                   filas += cuenta(c, QStringLiteral("SELECT count(*) AS n FROM AuxTLicencias"));
                               }
                               return filas;
                           },
                           mensual});
    operaciones.push_back({QStringLiteral("DPVN000 del mes"),
                           [&] { return planoLiteral(c, Planos[2], rango, carpetas); },
                           [&] {
                               GeneraPlanoDenegaciones(c, rango, carpetas, mudo);
                               return cuenta(c, QStringLiteral("SELECT count(*) AS n FROM AuxTLicencias"));
                           },
                           mensual});
    for (const TipoEstadistica tipo : {TipoEstadistica::Otorgadas, TipoEstadistica::Denegadas}) {
        const QString nombre = tipo == TipoEstadistica::Otorgadas ? QStringLiteral("estadística otorgadas")
                                                                  : QStringLiteral("estadística denegadas");
        const Manera literal = [&, tipo] { return estadisticaLiteral(c, tipo, primero); };
        const Manera programa = [&, tipo] {
            NormalizaFechaActual1(c);
            const ConteoMes conteo =
                CuentaMes(c, tipo, primero.month() - 1, QString::number(primero.year()));
            CalculaValoresHoja(conteo, tipo);
            return qint64(conteo.solicitudes);
        };
        operaciones.push_back({nombre + QStringLiteral(", 1ª vez (mes sin normalizar)"), literal,
                               programa, mensual, staleMes});
        operaciones.push_back({nombre + QStringLiteral(", siguientes"), literal, programa, mensual});
    }
    bool todo = true;
    for (const Operacion& op : operaciones) {
        if (!op.nombre.contains(parser.value(solo), Qt::CaseInsensitive)) {
            continue;
        }
        const Medida literal = mide(vecesLiterales, op.literal, op.antes);
        mide(1, op.programa, op.antes);
        const Medida programa = mide(vecesPrograma, op.programa, op.antes);
        const double veces = programa.mediana > 0 ? literal.mediana / programa.mediana : 0;
        QStringList faltas;
        if (programa.mediana >= op.objetivo.ms) {
            faltas << QStringLiteral("> %1 ms").arg(op.objetivo.ms);
        }
        if (op.objetivo.factor > 0 && veces < op.objetivo.factor) {
            faltas << QStringLiteral("< %1 veces").arg(op.objetivo.factor);
        }
        if (programa.picoMb >= 200) {
            faltas << QStringLiteral(">= 200 MB");
        }
        todo = todo && faltas.isEmpty();
        const QString objetivo =
            QStringLiteral("< %1 ms").arg(op.objetivo.ms) +
            (op.objetivo.factor > 0 ? QStringLiteral(", %1×").arg(op.objetivo.factor) : QString()) +
            (faltas.isEmpty() ? QStringLiteral(": cumple") : QStringLiteral(": NO (") + faltas.join(", ") + ")");
        const auto filas = [](qint64 n) { return n < 0 ? QStringLiteral("-") : QString::number(n); };
        salida << QStringLiteral("%1 %2 %3 %4 %5 %6 %7  %8\n")
                      .arg(op.nombre, -44)
                      .arg(columnaMedida(literal), 24)
                      .arg(literal.picoMb, 6)
                      .arg(columnaMedida(programa), 24)
                      .arg(programa.picoMb, 5)
                      .arg(QString::number(veces, 'f', veces < 10 ? 1 : 0), 7)
                      .arg(filas(literal.filas) + QLatin1Char('/') + filas(programa.filas), 18)
                      .arg(objetivo);
        salida.flush();
    }
    // The listing statements read their range through the date-key index
    // too, its expression being theirs: alone, without the report, they are
    // quick already.
    salida << "\nLas consultas literales de los listados, solas, sin el informe:\n";
    for (int kind = 0; kind < int(std::size(Listados)); ++kind) {
        for (const bool porRut : {false, true}) {
            if (!QStringLiteral("listado").contains(parser.value(solo), Qt::CaseInsensitive)) {
                break;
            }
            const Medida m = mide(vecesLiterales, [&] {
                return qint64(c.consulta(consultaListado(kind, porRut, rango)).recordCount());
            }, {});
            salida << QStringLiteral("  %1 %2 %3 MB\n")
                          .arg(QStringLiteral("listado %1 por %2")
                                   .arg(QLatin1String(Listados[kind].modo),
                                        porRut ? QStringLiteral("RUT") : QStringLiteral("folio")),
                               -42)
                          .arg(columnaMedida(m), 24)
                          .arg(m.picoMb, 6);
            salida.flush();
        }
    }
    salida << "\n" << (todo ? "Todas las operaciones cumplen sus objetivos.\n"
                            : "Hay operaciones que no cumplen sus objetivos.\n");
    return 0;
}
