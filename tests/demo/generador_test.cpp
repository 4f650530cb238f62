#include "entorno.h"
#include "prueba.h"
#include "register/columnas_licencia.h"
#include "demo/generador_solicitudes.h"
#include "register/registro_licencia.h"
#include "shell/datos/recordset.h"

#include <QRegularExpression>
#include <map>
#include <stdexcept>

namespace {

const QDate Referencia(2010, 6, 7);

// A generated row read by column name.
class Solicitud {
public:
    explicit Solicitud(QVariantList fila) : fila_(std::move(fila)) {}
    QVariant valor(const char* columna) const { return fila_.value(PosicionColumna(columna) - 1); }
    QString texto(const char* columna) const { return valor(columna).toString(); }
    bool si(const char* columna) const { return EsSi(texto(columna)); }
    QDate fecha(const char* columna) const
    {
        return QDate::fromString(texto(columna), QStringLiteral("dd-MM-yyyy"));
    }
    ClasesLicencia clases(int primeraPosicion) const
    {
        ClasesLicencia c{};
        for (int i = 0; i < int(c.size()); ++i) {
            c[size_t(i)] = EsSi(fila_.value(primeraPosicion - 1 + i).toString());
        }
        return c;
    }
    int size() const { return int(fila_.size()); }

private:
    QVariantList fila_;
};

std::vector<Solicitud> genera(int cantidad, quint32 semilla = 7)
{
    GeneradorSolicitudes generador(semilla, Referencia, 4354520);
    std::vector<Solicitud> filas;
    for (int i = 0; i < cantidad; ++i) {
        filas.emplace_back(generador.siguiente());
    }
    return filas;
}

const std::vector<Solicitud>& muestra()
{
    static const std::vector<Solicitud> filas = genera(3000);
    return filas;
}

bool rutValido(const QString& rut)
{
    static const QRegularExpression forma(QStringLiteral("^\\d\\d\\.\\d{3}\\.\\d{3}-[0-9K]$"));
    if (!forma.match(rut).hasMatch()) {
        return false;
    }
    const qint64 numero = QString(rut.left(10)).remove('.').toLongLong();
    return TextoRut(numero) == rut;
}

}  // namespace

TEST(TextoRut, LlevaCeroInicialYDigitoVerificadorModulo11)
{
    const struct {
        qint64 numero;
        const char* texto;
    } casos[] = {
        {12345678, "12.345.678-5"}, {11111111, "11.111.111-1"}, {9507357, "09.507.357-3"},
        {1000005, "01.000.005-K"},  {1000013, "01.000.013-0"},  {15000019, "15.000.019-K"},
        {20000000, "20.000.000-5"},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(TextoRut(caso.numero), caso.texto);
    }
}

TEST(GeneradorSolicitudes, LaMismaSemillaDaLasMismasSolicitudes)
{
    GeneradorSolicitudes a(42, Referencia, 100);
    GeneradorSolicitudes b(42, Referencia, 100);
    GeneradorSolicitudes otra(43, Referencia, 100);
    int distintas = 0;
    for (int i = 0; i < 50; ++i) {
        const QVariantList fila = a.siguiente();
        ASSERT_EQ(fila, b.siguiente()) << "fila " << i;
        distintas += fila != otra.siguiente();
    }
    EXPECT_GT(distintas, 45);
}

TEST(GeneradorSolicitudes, CadaFilaTieneLas115ColumnasConSusFormas)
{
    static const QRegularExpression restriccion(QStringLiteral("^([1-5](-[1-5])*)?$"));
    // The longest text each column's form field accepts.
    const std::map<const char*, int> maximos = {
        {"Nombres", 30},           {"ApPaterno", 20},           {"ApMaterno", 20},
        {"Domicilio", 50},         {"ComunaDomicilio", 11},     {"CertifAntecedentes", 11},
        {"RestriccionActual", 10}, {"Observaciones", 60},       {"ComunaAnterior", 20},
        {"FolioAnterior", 10},     {"RestriccionAnterior", 10}, {"ProfesionalMedico", 23},
        {"ProfesionalTeorico", 23}, {"ProfesionalPractico", 23}, {"ExamenObservacion", 78},
        {"EscuelaCertificado", 10}, {"EscuelaEspecialidad", 43}, {"EscuelaNombre", 100},
        {"EscuelaEspNombre", 40},  {"EscuelaEspResolucion", 10}, {"EscuelaEspRepresentante", 40},
        {"HuellaDigital", 30},     {"FotoDigital", 30},          {"Observa1", 35},
        {"Observa2", 35},          {"CorrNoDonante", 6},
    };
    for (const Solicitud& s : muestra()) {
        ASSERT_EQ(s.size(), NumeroColumnasLicencia);
        EXPECT_TRUE(s.valor("Posicion").isNull());
        for (const char* rut : {"EscuelaRut", "EscuelaEspRut"}) {
            const QString texto = s.texto(rut);
            EXPECT_TRUE(texto == "00.000.000-0" || rutValido(texto))
                << rut << " " << texto.toStdString();
        }
        EXPECT_TRUE(rutValido(s.texto("NumeroLicencia")));
        for (const auto& [columna, maximo] : maximos) {
            EXPECT_LE(s.texto(columna).size(), maximo)
                << columna << " " << s.texto(columna).toStdString();
        }
        EXPECT_TRUE(restriccion.match(s.texto("RestriccionActual")).hasMatch());
        EXPECT_TRUE(restriccion.match(s.texto("RestriccionAnterior")).hasMatch());
        EXPECT_TRUE(Vocabulario::Estudios.contains(s.texto("Estudios")));
        EXPECT_TRUE(Vocabulario::Sexo.contains(s.texto("Sexo")));
        EXPECT_TRUE(Vocabulario::EntregaLicencia.contains(s.texto("EntregaLicencia")));

        const QDate actual = s.fecha("FechaActual");
        EXPECT_TRUE(actual <= Referencia && actual > Referencia.addMonths(-7))
            << s.texto("FechaActual").toStdString();
        EXPECT_EQ(s.texto("FechaActual1"), actual.toString("dd/MM/yyyy"));
        for (const char* columna :
             {"FechaNacimiento", "FechaCertifAntecedentes", "FechaUltimoControl",
              "FechaProximoControl", "FechaOrdenIngreso", "FechaOtorgaAnterior",
              "FechaVenceAnterior", "FechaMedico", "FechaTeorico", "FechaPractico"}) {
            EXPECT_TRUE(s.fecha(columna).isValid())
                << columna << " " << s.texto(columna).toStdString();
        }
        for (const char* columna : {"EscuelaFechaAprobacion", "EscuelaEspFecha"}) {
            EXPECT_EQ(s.valor(columna).typeId(), QMetaType::QDate) << columna;
        }

        // The age as the form computes it: completed years, at least 18.
        const QDate nacimiento = s.fecha("FechaNacimiento");
        EXPECT_EQ(s.valor("Edad").toInt(), EdadCumplida(nacimiento, actual));
        EXPECT_LE(nacimiento.addYears(18), actual) << "menor de 18 años";
    }
}

TEST(GeneradorSolicitudes, FoliosUnicosYCrecientesDesdeElPrimero)
{
    QString anterior;
    for (const Solicitud& s : muestra()) {
        const QString folio = s.texto("FolioActual");
        if (anterior.isEmpty()) {
            EXPECT_EQ(folio, "CA04354520");
        } else {
            EXPECT_EQ(folio.mid(2).toLongLong(), anterior.mid(2).toLongLong() + 1)
                << folio.toStdString();
        }
        anterior = folio;
    }
    EXPECT_EQ(TextoFolio(7), "CA00000007");
}

// A register that grows over years: dates never go back, every month of the
// span gets its share, and none falls outside it.
TEST(GeneradorSolicitudes, EnOrdenDeFechaRepartidasPorLosAnios)
{
    const QDate desde(2005, 1, 1);
    const QDate hasta(2006, 12, 31);
    GeneradorSolicitudes generador(7, desde, hasta, 2400, 1);
    std::map<int, int> porMes;
    QDate anterior = desde;
    for (int i = 0; i < 2400; ++i) {
        const QDate fecha = Solicitud(generador.siguiente()).fecha("FechaActual");
        ASSERT_GE(fecha, anterior) << "solicitud " << i;
        ASSERT_LE(fecha, hasta);
        ++porMes[fecha.year() * 100 + fecha.month()];
        anterior = fecha;
    }
    EXPECT_EQ(porMes.size(), 24u);
    for (const auto& [mes, cantidad] : porMes) {
        EXPECT_NEAR(cantidad, 100, 9) << mes;
    }
}

TEST(GeneradorSolicitudes, EstadoYResumenesSiguenLasReglasDelRegistro)
{
    std::map<QString, int> estados;
    for (const Solicitud& s : muestra()) {
        const QString estado = s.texto("Estado");
        ++estados[estado];
        if (estado == Estados::Anulado || estado == Estados::Eliminado) {
            EXPECT_EQ(s.texto("LicActual"), estado);
            EXPECT_EQ(s.texto("LicAnterior"), estado);
            continue;
        }
        // On a control exam an unmarked theory or practical box is stored as
        // passed by "Control"; the state reads the box.
        const bool control = s.si("ExamenControl");
        const bool teorico =
            s.si("ExamenTeorico") && !(control && s.texto("ProfesionalTeorico") == "Control");
        const bool practico =
            s.si("ExamenPractico") && !(control && s.texto("ProfesionalPractico") == "Control");
        const bool otorga = s.si("PrimeraVez") || s.si("CambioClase") || s.si("AmpliacionClase");
        EXPECT_EQ(estado, EstadoSolicitud(s.si("ExamenMedico"), teorico, practico, otorga));
        EXPECT_EQ(s.texto("LicActual"), LicActual(s.clases(33)));
        EXPECT_EQ(s.texto("LicAnterior"), LicAnterior(s.clases(50)));
    }
    // A realistic mix, with every state well represented.
    EXPECT_GT(estados[Estados::Ok], 2100);
    EXPECT_GT(estados[Estados::Reprobado], 150);
    EXPECT_GT(estados[Estados::Anulado], 60);
    EXPECT_GT(estados[Estados::Eliminado], 20);
}

TEST(GeneradorSolicitudes, LasSolicitudesPasanLaValidacionDelFormulario)
{
    for (const Solicitud& s : muestra()) {
        const bool primeraVez = s.si("PrimeraVez");
        const ClasesLicencia actual = s.clases(33);
        const ClasesLicencia anterior = s.clases(50);
        // Class F is not counted among the current and previous classes.
        const auto cuenta = [](const ClasesLicencia& c) {
            return std::count(c.begin(), c.end(), true) - (c[9] ? 1 : 0);
        };
        EXPECT_GT(cuenta(actual), 0);
        if (!primeraVez) {
            EXPECT_GT(cuenta(anterior), 0);
            EXPECT_FALSE(s.texto("ComunaAnterior").isEmpty());
            EXPECT_TRUE(!s.texto("FolioAnterior").isEmpty() ||
                        s.texto("EntregaLicencia") == "Extraviada");
        } else {
            EXPECT_NE(s.texto("Estudios"), Vocabulario::Estudios[0]);
            EXPECT_EQ(s.texto("FechaOtorgamiento"), "01-01-1900");
        }
        const bool otorga = primeraVez || s.si("CambioClase") || s.si("AmpliacionClase");
        bool profesionalNueva = false;
        for (int i = 0; i < 5; ++i) {
            profesionalNueva = profesionalNueva || (actual[size_t(i)] && !anterior[size_t(i)]);
        }
        if (otorga && profesionalNueva) {
            EXPECT_NE(s.texto("EscuelaRut"), "00.000.000-0");
            EXPECT_FALSE(s.texto("EscuelaCertificado").isEmpty());
            EXPECT_FALSE(s.texto("EscuelaEspecialidad").isEmpty());
        }
        if (otorga) {
            EXPECT_FALSE(s.texto("ProfesionalTeorico").isEmpty());
            EXPECT_FALSE(s.texto("ProfesionalPractico").isEmpty());
        }
    }
}

TEST(GeneradorSolicitudes, ElSexoSigueAlPrimerNombre)
{
    std::map<QString, QString> sexoDe;
    for (const Solicitud& s : muestra()) {
        const QString primerNombre = s.texto("Nombres").section(' ', 0, 0);
        const auto entrada = sexoDe.emplace(primerNombre, s.texto("Sexo")).first;
        EXPECT_EQ(entrada->second, s.texto("Sexo")) << primerNombre.toStdString();
    }
    EXPECT_GT(sexoDe.size(), 40u);
}

TEST(GeneradorSolicitudes, LasDenegacionesLlenanLasCeldasComoElFormulario)
{
    const QStringList ranuras = {"A1", "A2", "A3", "A4", "A5", "B ", "C ", "D ", "E ", "F "};
    static const QRegularExpression duracion(QStringLiteral("^(\\d{3})?$"));
    int denegadas = 0;
    for (const Solicitud& s : muestra()) {
        const QString denegada = s.texto("Denegada");
        ASSERT_TRUE(denegada == "si" || denegada == "no") << denegada.toStdString();
        bool algunaClase = false;
        for (int posicion = 105; posicion <= 114; ++posicion) {
            const QString celda = s.texto(ColumnaEn(posicion).nombre);
            ASSERT_EQ(celda.size(), 20) << ColumnaEn(posicion).nombre;
            for (int j = 0; j < 10; ++j) {
                const QString ranura = celda.mid(2 * j, 2);
                EXPECT_TRUE(ranura == "  " || ranura == ranuras[j]) << celda.toStdString();
                algunaClase = algunaClase || ranura != "  ";
            }
        }
        EXPECT_TRUE(duracion.match(s.texto("Duracion")).hasMatch())
            << s.texto("Duracion").toStdString();
        if (denegada == "no") {
            EXPECT_FALSE(algunaClase);
            EXPECT_TRUE(s.texto("Duracion").isEmpty());
        } else {
            ++denegadas;
            // Only refused applications are denied (annulment keeps the denial).
            EXPECT_NE(s.texto("Estado"), Estados::Ok);
        }
    }
    EXPECT_GT(denegadas, 150);
}

TEST(LlenaSolicitudes, GuardaPorLotesYSigueLaNumeracionDeFolios)
{
    Entorno entorno;
    Conexion& c = entorno.conexion();
    std::vector<qint64> avances;
    LlenaSolicitudes(c, 10001, 3, Referencia, [&](qint64 hechas) { avances.push_back(hechas); });
    EXPECT_EQ(avances, (std::vector<qint64>{10000, 10001}));

    // A second run on the same database continues the folios instead of
    // colliding with them.
    LlenaSolicitudes(c, 5, 3, Referencia);
    Recordset rs = c.consulta(
        "SELECT count(*) AS n, count(DISTINCT FolioActual) AS f, "
        "min(FolioActual) AS primero, max(FolioActual) AS ultimo FROM TLicencias");
    rs.moveFirst();
    EXPECT_EQ(rs.valor("n").toInt(), 10006);
    EXPECT_EQ(rs.valor("f").toInt(), 10006);
    EXPECT_EQ(rs.texto("primero"), "CA04354520");
    EXPECT_EQ(rs.texto("ultimo"), TextoFolio(4354520 + 10005));
}

TEST(PrimerFolioLibre, SigueAlMayorFolioGeneradoSinConfundirseConLosDigitados)
{
    const struct {
        QStringList folios;
        qint64 siguiente;
    } casos[] = {
        {{}, 4354520},
        {{"CA00000007"}, 8},
        {{"CA00000007", "CA9-ABCDEF", "CA12", "ca99999999"}, 8},
        {{"ZZ99999999", "BX00000001"}, 4354520},
    };
    for (const auto& caso : casos) {
        Entorno entorno;
        for (const QString& folio : caso.folios) {
            entorno.agregaLicencia({{"FolioActual", folio}});
        }
        EXPECT_EQ(PrimerFolioLibre(entorno.conexion()), caso.siguiente)
            << caso.folios.join(',').toStdString();
    }
}

TEST(LlenaSolicitudes, SinFoliosLibresNoGuardaNada)
{
    Entorno entorno;
    entorno.agregaLicencia({{"FolioActual", "CA99999998"}});
    EXPECT_THROW(LlenaSolicitudes(entorno.conexion(), 2, 1, Referencia), std::length_error);
    Recordset rs = entorno.conexion().consulta("SELECT count(*) AS n FROM TLicencias");
    rs.moveFirst();
    EXPECT_EQ(rs.valor("n").toInt(), 1);
}
