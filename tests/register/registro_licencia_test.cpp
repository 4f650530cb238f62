#include "prueba.h"
#include "register/registro_licencia.h"

namespace {
// Classes from their summary tokens, for readable cases.
ClasesLicencia clases(std::initializer_list<int> marcadas)
{
    ClasesLicencia c{};
    for (int i : marcadas) {
        c[size_t(i)] = true;
    }
    return c;
}
enum { A1, A2, A3, A4, A5, B, C, D, E, F, A1ant, A2ant };
}  // namespace

TEST(ResumenDeClases, ActualYAnterior)
{
    const struct {
        ClasesLicencia clases;
        const char* actual;
        const char* anterior;
    } casos[] = {
        {clases({}), " ", " "},
        {clases({A1, B}), "A1-B", "A1-B"},
        {clases({B, C, A2ant}), "B-C-A2ant", "B-C-A2P"},
        {clases({A2ant}), "A2ant", "A2P"},
        {clases({F}), "F", "F"},
        {clases({A1, A2, A3, A4, A5, B, C, D, E, F, A1ant, A2ant}),
         "A1-A2-A3-A4-A5-B-C-D-E-F-A1ant-A2ant", "A1-A2-A3-A4-A5-B-C-D-E-F-A1P-A2P"},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(LicActual(caso.clases), caso.actual);
        EXPECT_EQ(LicAnterior(caso.clases), caso.anterior);
    }
}

TEST(EstadoSolicitud, ReglasDelExamen)
{
    const struct {
        bool medico, teorico, practico, otorgaClase;
        const char* estado;
    } casos[] = {
        {true, true, true, true, "Ok"},
        {false, true, true, false, "Reprobado"},        // medical failed, any request
        {true, false, true, false, "Ok"},               // duplicate only: theory does not count
        {true, true, false, true, "Reprobado"},         // first licence, practical failed
        {true, false, false, false, "Ok"},              // control exam with boxes unmarked
        {false, false, false, true, "Reprobado"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(EstadoSolicitud(c.medico, c.teorico, c.practico, c.otorgaClase), c.estado);
    }
}

TEST(ExamenConControl, ControlSinMarcaQuedaAprobadoPorControl)
{
    const struct {
        bool control, marcado;
        const char* aprobado;
        const char* profesional;
    } casos[] = {
        {true, false, "Si", "Control"},
        {true, true, "Si", "PEDRO SOTO"},
        {false, false, "No", "PEDRO SOTO"},
        {false, true, "Si", "PEDRO SOTO"},
    };
    for (const auto& c : casos) {
        const ExamenGrabado g = ExamenConControl(c.control, c.marcado, "PEDRO SOTO");
        EXPECT_EQ(g.aprobado, c.aprobado);
        EXPECT_EQ(g.profesional, c.profesional);
    }
}

TEST(EdadCumplida, CuentaElCumpleanosDelAnio)
{
    const struct {
        QDate nacimiento, hoy;
        int edad;
    } casos[] = {
        {QDate(2025, 12, 31), QDate(2026, 1, 1), 0},
        {QDate(2008, 12, 11), QDate(2026, 12, 10), 17},   // birthday tomorrow: still 17
        {QDate(2008, 12, 10), QDate(2026, 12, 10), 18},
        {QDate(2010, 2, 28), QDate(2026, 12, 10), 16},
        {QDate(2008, 2, 29), QDate(2026, 2, 28), 17},
        {QDate(2008, 2, 29), QDate(2026, 3, 1), 18},
        {QDate(2030, 1, 1), QDate(2026, 12, 10), 0},      // a birth date in the future
    };
    for (const auto& c : casos) {
        EXPECT_EQ(EdadCumplida(c.nacimiento, c.hoy), c.edad) << c.nacimiento.toString().toStdString();
    }
}

TEST(DigitosRut, SinPuntosNiGuion)
{
    EXPECT_EQ(DigitosRut("09.507.357-7"), "095073577");
    EXPECT_EQ(DigitosRut("12.258.125-K"), "12258125K");
    EXPECT_EQ(DigitosRut("  .   .   - "), "         ");
    EXPECT_EQ(DigitosRut(""), "");
}
