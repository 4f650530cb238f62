#include "printing/solicitud_impresa.h"
#include "prueba.h"
#include "superficie_grabadora.h"

#include <QRegularExpression>
#include <functional>

namespace {

struct Esperado {
    const char* numero;
    double x;
    double y;
    double tamano;
    const char* texto;
};

// One full application as the valued form shows it, in print order.
const Esperado SolicitudCompleta[] = {
    {"1", 12.0, 1.02, 12, "Pelvarin"},
    {"2", 14.7, 1.4, 8, "10-12-2026"},
    {"3", 8.5, 1.7, 8, "Folio Registrado:   CA04354520"},
    {"4", 3.9, 2.41, 8, "09.507.357-7"},
    {"5", 10.2, 2.41, 8, "15-03-1980"},
    {"6", 2.5, 2.85, 8, "JUAN ANDRÉS"},
    {"7", 4.9, 3.21, 8, "PÉREZ O'HIGGINS"},
    {"8", 2.3, 4.12, 8, "09.507.357-7"},
    {"9", 5.9, 4.1, 8, "B A2"},
    {"10", 9.7, 4.12, 8, "01-02-2000"},
    {"11", 14.7, 4.12, 8, "05-06-2020"},
    {"12", 17.9, 4.12, 8, "05-06-2032"},
    {"13", 3.3, 4.57, 8, "RENUEVA EN PLAZO"},
    {"14", 2.25, 5.4, 8, "ÑUÑOA"},
    {"15", 11.25, 5.4, 8, "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5"},
    {"16", 18.1, 7.55, 8, "76.543.210-K"},
    {"17", 3.3, 7.9, 8, "ABC123"},
    {"18", 9.0, 7.9, 8, "20-11-2026"},
    {"19", 14.3, 7.9, 8, "TRANSPORTE DE PASAJEROS Y CARGA"},
    {"20", 10.9, 9.3, 8, "        REVISAR DOCUMENTOS"},
    {"21", 10.9, 9.6, 8, "  "},
    {"22", 6.8, 10.09, 8, " B A2"},
    {"23", 7.3, 10.52, 8, "09.507.357-7"},
    {"24", 14.0, 10.7, 8, "1-2"},
    {"25", 7.3, 10.94, 8, "PELVARIN"},
    {"26", 6.4, 11.39, 7, "JUAN ANDRÉS"},
    {"27", 6.7, 11.85, 7, "PÉREZ O'HIGGINS"},
    {"28", 6.7, 12.25, 6, "AVENIDA LIBERTADOR BERNARDO O'HIGGI"},
    {"29", 11.38, 12.4, 8, "MARÍA LÓPEZ              "},
    {"30", 7.9, 12.6, 8, "05-06-2020"},
    {"31", 7.9, 13.06, 8, "05-06-2032"},
    {"32", 6.7, 14.22, 12, "PELVARIN"},
    {"33", 14.9, 14.72, 8, "10-12-2026"},
    {"34", 8.5, 15.79, 8, "Folio Registrado:   CA04354520"},
    {"35", 2.4, 15.825, 8, "Usuario: jperez         "},
    {"36", 2.4, 16.48, 8, "JUAN ANDRÉS"},
    {"37", 5.0, 16.87, 8, "PÉREZ O'HIGGINS"},
    {"38", 3.1, 17.28, 8, "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5"},
    {"39", 2.5, 17.71, 8, "ÑUÑOA"},
    {"40", 9.41, 17.69, 8, "09.507.357-7"},
    {"41", 12.2, 17.69, 8, "15-03-1980"},
    {"42", 4.0, 18.1, 8, "09.507.357-7"},
    {"43", 7.1, 18.1, 8, " B A1a"},
    {"44", 10.0, 18.1, 8, "CONCEPCIÓN"},
    {"45", 3.9, 18.52, 8, "05-06-2014"},
    {"46", 8.3, 18.52, 8, "05-06-2020"},
    {"47", 3.2, 19.01, 8, "1"},
    {"48", 3.4, 19.37, 8, "09.507.357-7"},
    {"49", 7.3, 19.37, 8, " B A2"},
    {"50", 4.47, 19.8, 8, "12345678901"},
    {"51", 7.3, 19.8, 8, "01-12-2026"},
    {"52", 3.8, 20.28, 8, "01-02-2000"},
    {"53", 8.2, 20.28, 8, "05-06-2020"},
    {"54", 13.9, 20.28, 8, "05-06-2032"},
    {"55", 3.0, 20.67, 8, "1-2"},
    {"56", 5.4, 21.48, 8, "ESCUELA DE CONDUCTORES DEL SUR"},
    {"57", 13.0, 21.48, 8, "76.543.210-K"},
    {"58", 3.3, 21.9, 8, "ABC123"},
    {"59", 8.9, 21.9, 8, "20-11-2026"},
    {"60", 13.0, 21.9, 8, "TRANSPORTE DE PASAJERO"},
    {"M1", 2.2, 22.8, 8, "Aprobado"},
    {"M2", 7.1, 22.8, 8, "09-12-2026"},
    {"M3", 12.9, 22.8, 8, "DRA. ANA MUÑOZ GONZÁLE"},
    {"T1", 2.2, 23.21, 8, "Reprobado"},
    {"T2", 7.1, 23.21, 8, "09-12-2026"},
    {"T3", 12.9, 23.21, 8, "PEDRO SOTO"},
    {"P1", 2.2, 23.61, 8, "Aprobado"},
    {"P2", 7.1, 23.61, 8, "10-12-2026"},
    {"P3", 12.9, 23.61, 8, "LUIS PAZ"},
    {"61", 2.9, 24.14, 8, "BUEN DESEMPEÑO"},
    {"62", 2.0, 26.01, 8, "MARÍA LÓPEZ              "},
};

// Indexes of ClasesImpresas.
enum { A1, A2, A3, A4, A5, B, C, D, E, F, A1Ant, A2Ant };

ClasesImpresas clasesCon(std::initializer_list<int> marcadas)
{
    ClasesImpresas clases{};
    for (int c : marcadas) {
        clases[size_t(c)] = true;
    }
    return clases;
}

DatosSolicitud solicitudCompleta()
{
    DatosSolicitud d;
    d.folio = "CA04354520";
    d.fechaActual = QDate(2026, 12, 10);
    d.rut = "09.507.357-7";
    d.fechaNacimiento = QDate(1980, 3, 15);
    d.nombres = "JUAN ANDRÉS";
    d.apPaterno = " PÉREZ ";
    d.apMaterno = "O'HIGGINS  ";
    d.domicilio = "AVENIDA LIBERTADOR BERNARDO O'HIGGINS 1234 DEPTO 5";
    d.comunaDomicilio = "ÑUÑOA";
    d.clases = clasesCon({B, A2Ant});
    d.fechaOtorgaInicial = QDate(2000, 2, 1);
    d.fechaUltimoControl = QDate(2020, 6, 5);
    d.fechaProximoControl = QDate(2032, 6, 5);
    d.observaciones = "RENUEVA EN PLAZO";
    d.restriccionActual = "1-2";
    d.certifAntecedentes = "12345678901";
    d.fechaCertificado = QDate(2026, 12, 1);
    d.obs1 = "REVISAR DOCUMENTOS";
    d.obs2 = "  ";
    d.rutEscuela = "76.543.210-K";
    d.certificadoEscuela = "ABC123";
    d.fechaAprobacion = QDate(2026, 11, 20);
    d.especialidad = "TRANSPORTE DE PASAJEROS Y CARGA";
    d.escuelaNombre = "ESCUELA DE CONDUCTORES DEL SUR";
    d.comunaAnterior = "CONCEPCIÓN";
    d.clasesAnteriores = clasesCon({B, A1Ant});
    d.fechaOtorgaAnterior = QDate(2014, 6, 5);
    d.fechaVenceAnterior = QDate(2020, 6, 5);
    d.restriccionAnterior = "1";
    d.medico = {true, QDate(2026, 12, 9), "DRA. ANA MUÑOZ GONZÁLEZ DEL CAMPO"};
    d.teorico = {false, QDate(2026, 12, 9), "PEDRO SOTO"};
    d.practico = {true, QDate(2026, 12, 10), "LUIS PAZ"};
    d.observaExamenes = "BUEN DESEMPEÑO";
    d.usuario = QString("jperez").leftJustified(15);
    d.firma = QString("MARÍA LÓPEZ").leftJustified(25);
    return d;
}

// The number of the item printed at a text's position.
QString numeroEn(const SuperficieGrabadora::TextoImpreso& t)
{
    for (const Esperado& e : SolicitudCompleta) {
        if (qFuzzyCompare(e.x, t.x) && qFuzzyCompare(e.y, t.y)) {
            return e.numero;
        }
    }
    return "?";
}

QStringList numerosImpresos(const SuperficieGrabadora& s)
{
    QStringList numeros;
    for (const auto& t : s.textos) {
        numeros << numeroEn(t);
    }
    return numeros;
}

QStringList todosMenos(const QStringList& faltan)
{
    QStringList numeros;
    for (const Esperado& e : SolicitudCompleta) {
        if (!faltan.contains(e.numero)) {
            numeros << e.numero;
        }
    }
    return numeros;
}

QStringList rango(const char* letra, int desde, int hasta)
{
    QStringList numeros;
    for (int i = desde; i <= hasta; ++i) {
        numeros << QString("%1%2").arg(letra).arg(i);
    }
    return numeros;
}

// The text printed as item `numero`.
QString textoDe(const SuperficieGrabadora& s, const QString& numero)
{
    for (const auto& t : s.textos) {
        if (numeroEn(t) == numero) {
            return t.texto;
        }
    }
    return "<no impreso>";
}

SuperficieGrabadora imprime(const DatosSolicitud& d, const Desplazamiento& desplazamiento = {})
{
    SuperficieGrabadora s;
    DibujaSolicitud(s, d, desplazamiento);
    return s;
}

}  // namespace

TEST(SolicitudImpresa, CadaDatoEnSuLugarConSuTamanoYTexto)
{
    const SuperficieGrabadora s = imprime(solicitudCompleta());
    ASSERT_EQ(s.textos.size(), std::size(SolicitudCompleta));
    for (size_t i = 0; i < s.textos.size(); ++i) {
        const Esperado& e = SolicitudCompleta[i];
        const auto& t = s.textos[i];
        SCOPED_TRACE(e.numero);
        EXPECT_DOUBLE_EQ(t.x, e.x);
        EXPECT_DOUBLE_EQ(t.y, e.y);
        EXPECT_EQ(t.tamano, e.tamano);
        EXPECT_EQ(t.fuente, "Arial");
        EXPECT_EQ(t.texto, QString::fromUtf8(e.texto));
        EXPECT_EQ(t.avance, QLatin1String(e.numero) == "3" ? 65 : 0);
    }
    // Settings first; the size changes only where the layout's size does.
    EXPECT_EQ(s.operaciones.mid(0, 6), QStringList({"origen 0 0", "unidad cm", "fuente Arial", "papel carta",
                                                    "orientacion vertical", "tamano 12"}));
    EXPECT_EQ(s.operaciones.filter(QRegularExpression("^tamano ")),
              QStringList({"tamano 12", "tamano 8", "tamano 7", "tamano 6", "tamano 8", "tamano 12",
                           "tamano 8"}));
    EXPECT_EQ(s.operaciones.last(), "fin documento");
    EXPECT_EQ(s.documentosTerminados, 1);
}

TEST(SolicitudImpresa, BloquesQueSeImprimenSoloAVeces)
{
    const QStringList escuela = QStringList{"16", "17", "18", "19", "56", "57", "58", "59", "60"};
    const QStringList examenesCursados = rango("T", 1, 3) + rango("P", 1, 3);
    const struct {
        const char* caso;
        std::function<void(DatosSolicitud&)> cambia;
        QStringList faltan;
    } casos[] = {
        {"certificado de 2 caracteres", [](DatosSolicitud& d) { d.certificadoEscuela = "AB"; }, escuela},
        {"certificado de 3 caracteres", [](DatosSolicitud& d) { d.certificadoEscuela = "ABC"; }, {}},
        {"certificado de 2 blancos y una letra", [](DatosSolicitud& d) { d.certificadoEscuela = "  X"; }, {}},
        {"sin comuna anterior, con clases anteriores",
         [](DatosSolicitud& d) { d.comunaAnterior.clear(); },
         {"42", "43", "44", "45", "46", "47"}},
        {"control con solo B",
         [](DatosSolicitud& d) {
             d.examenControl = true;
             d.clases = clasesCon({B});
         },
         examenesCursados},
        {"control con B y A2 Ant",
         [](DatosSolicitud& d) {
             d.examenControl = true;
             d.clases = clasesCon({B, A2Ant});
         },
         {}},
        {"control con A3", [](DatosSolicitud& d) {
             d.examenControl = true;
             d.clases = clasesCon({A3});
         }, {}},
        {"control sin clases",
         [](DatosSolicitud& d) {
             d.examenControl = true;
             d.clases = {};
         },
         examenesCursados},
        {"sin control, solo B", [](DatosSolicitud& d) { d.clases = clasesCon({B}); }, {}},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.caso);
        DatosSolicitud d = solicitudCompleta();
        caso.cambia(d);
        EXPECT_EQ(numerosImpresos(imprime(d)), todosMenos(caso.faltan));
    }
}

TEST(SolicitudImpresa, ListasDeClases)
{
    const struct {
        ClasesImpresas actuales;
        ClasesImpresas anteriores;
        const char* recortada;  // item 9
        const char* lista;      // items 22 and 49
        const char* anterior;   // item 43
    } casos[] = {
        {{}, clasesCon({B}), "", "", " B"},
        {clasesCon({B, A2Ant}), {}, "B A2", " B A2", ""},
        {clasesCon({A1Ant, F, A1}), clasesCon({A2Ant, C, A1Ant}), "A1 F A1", " A1 F A1", " C A1a A2a"},
        {clasesCon({A1, A2, A3, A4, A5, B, C, D, E, F, A1Ant, A2Ant}),
         clasesCon({A1, A2, A3, A4, A5, B, C, D, E, F, A1Ant, A2Ant}), "A1 A2 A3 A4 A5 B C D E F A1 A2",
         " A1 A2 A3 A4 A5 B C D E F A1 A2", " A1 A2 A3 A4 A5 B C D E F A1a A2a"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.lista);
        DatosSolicitud d = solicitudCompleta();
        d.clases = caso.actuales;
        d.clasesAnteriores = caso.anteriores;
        const SuperficieGrabadora s = imprime(d);
        EXPECT_EQ(textoDe(s, "9"), caso.recortada);
        EXPECT_EQ(textoDe(s, "22"), caso.lista);
        EXPECT_EQ(textoDe(s, "49"), caso.lista);
        EXPECT_EQ(textoDe(s, "43"), caso.anterior);
    }
}

TEST(SolicitudImpresa, ObservacionesCentradasConMitadesAlPar)
{
    const struct {
        QString observacion;
        int blancos;  // before the trimmed text; -1: printed unchanged
    } casos[] = {
        {QString(20, 'A'), 8},  // 7.5
        {QString(22, 'B'), 6},  // 6.5
        {QString(33, 'C'), 1},
        {QString(35, 'D'), 0},
        {QString(32, 'E'), 2},  // 1.5
        {QString(34, 'F'), 0},  // 0.5
        {"  CON BLANCOS ", 12},
        {"   ", -1},
        {"", -1},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.observacion.toStdString());
        DatosSolicitud d = solicitudCompleta();
        d.obs1 = caso.observacion;
        d.obs2 = caso.observacion;
        const QString esperado = caso.blancos < 0
                                     ? caso.observacion
                                     : QString(caso.blancos, ' ') + caso.observacion.trimmed();
        const SuperficieGrabadora s = imprime(d);
        EXPECT_EQ(textoDe(s, "20"), esperado);
        EXPECT_EQ(textoDe(s, "21"), esperado);
    }
}

TEST(SolicitudImpresa, PrimeraVezEnLugarDelUltimoControl)
{
    DatosSolicitud d = solicitudCompleta();
    d.primeraVez = true;
    const SuperficieGrabadora s = imprime(d);
    for (const char* numero : {"11", "30", "53"}) {
        EXPECT_EQ(textoDe(s, numero), "Primera vez") << numero;
    }
    EXPECT_EQ(textoDe(s, "12"), "05-06-2032");
}

TEST(SolicitudImpresa, ExamenMedicoReprobado)
{
    DatosSolicitud d = solicitudCompleta();
    d.medico.aprobado = false;
    const SuperficieGrabadora s = imprime(d);
    EXPECT_EQ(textoDe(s, "M1"), "Reprobado");
    EXPECT_EQ(textoDe(s, "M2"), "09-12-2026");
    EXPECT_EQ(textoDe(s, "M3"), "DRA. ANA MUÑOZ GONZÁLE");
}

TEST(SolicitudImpresa, ElDesplazamientoMueveCadaDato)
{
    const SuperficieGrabadora sin = imprime(solicitudCompleta());
    const struct {
        Desplazamiento mm;
    } casos[] = {{{2.5, -1.5}}, {{-20, 20}}, {{0, 7}}};
    for (const auto& caso : casos) {
        const SuperficieGrabadora con = imprime(solicitudCompleta(), caso.mm);
        ASSERT_EQ(con.textos.size(), sin.textos.size());
        for (size_t i = 0; i < con.textos.size(); ++i) {
            SCOPED_TRACE(SolicitudCompleta[i].numero);
            EXPECT_EQ(con.textos[i].texto, sin.textos[i].texto);
            EXPECT_NEAR(con.textos[i].x, sin.textos[i].x + caso.mm.horizontalMm / 10, 1e-9);
            EXPECT_NEAR(con.textos[i].y, sin.textos[i].y + caso.mm.verticalMm / 10, 1e-9);
        }
    }
}

TEST(SolicitudImpresa, HojaDeCalibracionConElNumeroDeCadaDatoEnSuLugar)
{
    SuperficieGrabadora s;
    DibujaNumerosSolicitud(s, {1, -2});
    ASSERT_EQ(s.textos.size(), std::size(SolicitudCompleta));
    for (size_t i = 0; i < s.textos.size(); ++i) {
        const Esperado& e = SolicitudCompleta[i];
        EXPECT_EQ(s.textos[i].texto, e.numero);
        EXPECT_NEAR(s.textos[i].x, e.x + 0.1, 1e-9) << e.numero;
        EXPECT_NEAR(s.textos[i].y, e.y - 0.2, 1e-9) << e.numero;
    }
    EXPECT_TRUE(s.operaciones.contains("papel carta"));
    EXPECT_EQ(s.documentosTerminados, 1);
}

// A printer that fails halfway leaves no document open: the next print is
// a whole page of its own.
TEST(SolicitudImpresa, UnaFallaDeLaImpresoraDescartaElDocumento)
{
    SuperficieGrabadora s;
    s.fallaEnLinea = 5;
    EXPECT_THROW(DibujaSolicitud(s, solicitudCompleta()), ErrorImpresion);
    EXPECT_EQ(s.documentosCancelados, 1);
    EXPECT_EQ(s.documentosTerminados, 0);
    DibujaSolicitud(s, solicitudCompleta());
    EXPECT_EQ(s.textosDe(0).size(), 4u);
    EXPECT_EQ(s.textosDe(1).size(), std::size(SolicitudCompleta));
    EXPECT_EQ(s.documentosTerminados, 1);
}
