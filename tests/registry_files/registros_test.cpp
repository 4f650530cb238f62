#include "prueba.h"
#include "registry_files/registros_planos.h"
#include "registry_files/texto_plano.h"
#include "solicitudes.h"

namespace {

// Characters `desde` to `hasta` of a record, counted from 1.
QByteArray posiciones(const QByteArray& registro, int desde, int hasta)
{
    return registro.mid(desde - 1, hasta - desde + 1);
}

QByteArray blancos(int cantidad)
{
    return QByteArray(cantidad, ' ');
}

std::string texto(const QByteArray& bytes)
{
    return '"' + bytes.toStdString() + '"';
}

}  // namespace

TEST(RellenaCeros, DaExactamenteElAnchoConCerosALaIzquierda)
{
    const struct {
        qint32 valor;
        int ancho;
        QString esperado;
    } casos[] = {
        {4354520, 10, "0004354520"},
        {0, 10, "0000000000"},
        {123, 2, "23"},
        {7, 1, "7"},
        {123456, 1, "6"},
        {5, 96, QString(95, '0') + "5"},
        {2147483647, 96, QString(86, '0') + "2147483647"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(RellenaCeros(c.valor, c.ancho), c.esperado) << c.valor << " ancho " << c.ancho;
    }
}

TEST(TextoPlano, UnByteWindows1252PorCaracterYSignoDeInterrogacionParaLoDemas)
{
    const struct {
        QString texto;
        QByteArray bytes;
    } casos[] = {
        {"MUÑOZ", "MU\xD1OZ"},
        {"José Ñuñez Ü", "Jos\xE9 \xD1u\xF1" "ez \xDC"},
        {"€ – “x” …", "\x80 \x96 \x93x\x94 \x85"},
        {"Łódź", "?\xF3" "d?"},
        {QString::fromUtf8("A\xF0\x9F\x98\x80" "B"), "A?B"},  // one character beyond 16 bits
        {QString("e") + QChar(0x0301), "\xE9"},                // accent typed apart
        {"a\tb\r\nc", "a?b??c"},
        {QString(QChar(0x81)), "?"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TextoPlano(c.texto), c.bytes) << c.texto.toStdString();
    }
}

TEST(RegistroLicencia, ComienzoConDuplicadoFolioYFecha)
{
    const struct {
        const char* duplicado;
        QVariant folio;
        const char* fecha;
        QByteArray comienzo;
    } casos[] = {
        {"Si", "CA04354520", "07-06-2010", "L2CA000435452020100607"},
        {"No", "CA04354520", "07-06-2010", "L1CA000435452020100607"},
        {"si", "CA04354520", "07-06-2010", "L1CA000435452020100607"},
        {"No", "XB12A", "31-12-2009", "L1XB000000001220091231"},
        {"No", "CA", "01-01-2011", "L1CA000000000020110101"},
        {"No", QVariant(), "01-01-2011", "L1  000000000020110101"},
    };
    for (const auto& c : casos) {
        const QByteArray l = RegistroLicencia(Solicitud()
                                                  .con("Duplicado", c.duplicado)
                                                  .con("FolioActual", c.folio)
                                                  .con("FechaActual", c.fecha)
                                                  .fila());
        EXPECT_EQ(l.left(22), c.comienzo) << texto(l);
        EXPECT_EQ(l.size(), 208);
    }
}

TEST(RegistroLicencia, CampoDeClases)
{
    const struct {
        QStringList marcadas;
        QByteArray campo;
    } casos[] = {
        {{"ClaseB", "ClaseA1a"}, "A1B" + blancos(17)},
        {{"ClaseA2a", "ClaseF"}, "A2F " + blancos(16)},
        {{}, blancos(20)},
        {{"ClaseA1", "ClaseA2", "ClaseA3", "ClaseA4", "ClaseA5", "ClaseB", "ClaseC", "ClaseD",
          "ClaseE", "ClaseF", "ClaseA1a", "ClaseA2a"},
         "A1A2A1A2A3A4A5B C D "},
    };
    for (const auto& c : casos) {
        Solicitud s;
        s.con("ClaseB", "No");
        for (const QString& clase : c.marcadas) {
            s.con(clase, "Si");
        }
        EXPECT_EQ(posiciones(RegistroLicencia(s.fila()), 23, 42), c.campo)
            << c.marcadas.join(",").toStdString();
    }
    // Only "Si" exactly counts as marked.
    const Fila minusculas =
        Solicitud().con("ClaseA1", "si").con("ClaseB", "SI").con("ClaseC", "Si").fila();
    EXPECT_EQ(posiciones(RegistroLicencia(minusculas), 23, 42), "C " + blancos(18));
}

TEST(RegistroLicencia, RutYNombres)
{
    const QByteArray l =
        RegistroLicencia(Solicitud()
                             .con("NumeroLicencia", "09.507.357-7")
                             .con("ApPaterno", " Soto ")
                             .con("ApMaterno", "De la Fuente Valenzuela Larraín Ibáñez")
                             .con("Nombres", "  María José  ")
                             .fila());
    EXPECT_EQ(posiciones(l, 43, 51), "095073577");
    EXPECT_EQ(posiciones(l, 52, 81), "Soto" + blancos(26));
    EXPECT_EQ(posiciones(l, 82, 111), "De la Fuente Valenzuela Larra\xED");
    EXPECT_EQ(posiciones(l, 112, 151), QByteArray("Mar\xED") + "a Jos\xE9" + blancos(30));

    const QByteArray k = RegistroLicencia(Solicitud().con("NumeroLicencia", "12.345.678-K").fila());
    EXPECT_EQ(posiciones(k, 43, 51), "12345678K");

    const QByteArray nulos = RegistroLicencia(Solicitud()
                                                  .nula("NumeroLicencia")
                                                  .nula("ApPaterno")
                                                  .nula("ApMaterno")
                                                  .nula("Nombres")
                                                  .fila());
    EXPECT_EQ(posiciones(nulos, 43, 151), blancos(109));
    EXPECT_EQ(nulos.size(), 208);
}

TEST(RegistroLicencia, BloqueDeEscuela)
{
    const QByteArray sinEscuela = "00000000" + blancos(41) + "00000000";
    const struct {
        QVariant rut;
        QByteArray bloque;
    } casos[] = {
        {"00.000.000-0", sinEscuela},
        {"__.___.___-_", sinEscuela},
        {QVariant(), sinEscuela},
        {"76.123.456-K", QByteArray("76123456K") + "Escuela Sur " + blancos(28) + "20090305"},
    };
    for (const auto& c : casos) {
        const Fila fila = Solicitud()
                              .con("EscuelaRut", c.rut)
                              .con("EscuelaNombre", "Escuela Sur ")
                              .con("EscuelaFechaAprobacion", QDate(2009, 3, 5))
                              .fila();
        EXPECT_EQ(posiciones(RegistroLicencia(fila), 152, 208), c.bloque)
            << c.rut.toString().toStdString();
        EXPECT_EQ(posiciones(RegistroRestriccion(fila), 176, 232), c.bloque);
    }
    // The school's name is written as stored, only cut.
    const QByteArray largo = RegistroLicencia(Solicitud()
                                                  .con("EscuelaRut", "76.123.456-K")
                                                  .con("EscuelaNombre", QString(45, 'N'))
                                                  .fila());
    EXPECT_EQ(posiciones(largo, 161, 200), QByteArray(40, 'N'));
    EXPECT_EQ(posiciones(largo, 201, 208), "00000000");
}

TEST(RegistroLicencia, FechaDeAprobacionCualquieraSeaLaFormaEnQueVuelve)
{
    const struct {
        QVariant valor;
        QByteArray campo;
    } casos[] = {
        {"5-3-2009", "20090305"},
        {"15-11-2008", "20081115"},
        {"05/03/2009", "20090305"},
        {"5-11-2008", "20081105"},
        {"15-3-2008", "20080315"},
        {QDate(2009, 3, 5), "20090305"},
        {QDate(2008, 11, 15), "20081115"},
        {QDateTime(QDate(2008, 11, 15), QTime(0, 0)), "20081115"},
        {"2009-03-05", "20090305"},
        {"2009-03-05 00:00:00", "20090305"},
        {QVariant(), "00000000"},
        {"", "00000000"},
        {"sin fecha", "00000000"},
        {"31-02-2009", "00000000"},
    };
    for (const auto& c : casos) {
        const Fila fila = Solicitud()
                              .con("EscuelaRut", "76.123.456-K")
                              .con("EscuelaFechaAprobacion", c.valor)
                              .fila();
        EXPECT_EQ(posiciones(RegistroLicencia(fila), 201, 208), c.campo)
            << c.valor.toString().toStdString();
    }
}

TEST(RegistroDomicilio, CalleYNumeroDelDomicilio)
{
    const struct {
        QVariant domicilio;
        QByteArray calle;
        QByteArray numero;
    } casos[] = {
        {"Av. Prat-1150-Depto 2", "Av. Prat", "1150"},
        {"Los Aromos", "Los Aromos", "S/N"},
        {"Balmaceda-", "Balmaceda", "S/N"},
        {"Prat", "Prat", "S/N"},
        {"Prat--12", "Prat", "S/N"},
        {" O'Higgins - 12 -x", "O'Higgins", "12"},
        {"Calle-1234567890", "Calle", "123456789"},
        {QVariant(), "", "S/N"},
    };
    for (const auto& c : casos) {
        const QByteArray d = RegistroDomicilio(Solicitud().con("Domicilio", c.domicilio).fila());
        EXPECT_EQ(posiciones(d, 57, 101), c.calle.leftJustified(45))
            << c.domicilio.toString().toStdString();
        EXPECT_EQ(posiciones(d, 102, 110), c.numero.leftJustified(9))
            << c.domicilio.toString().toStdString();
    }
}

TEST(RegistroDomicilio, ComunaYRelleno)
{
    const QByteArray d = RegistroDomicilio(Solicitud().con("ComunaDomicilio", " Ñuñoa ").fila());
    EXPECT_EQ(d.size(), 158);
    EXPECT_EQ(posiciones(d, 1, 56), "D\xD1u\xF1oa" + blancos(50));
    EXPECT_EQ(posiciones(d, 111, 158), blancos(48));
    EXPECT_EQ(RegistroDomicilio(Solicitud().nula("ComunaDomicilio").fila()).size(), 158);
}

TEST(RegistroRestriccion, CodigosYProximoControl)
{
    const struct {
        QVariant restriccion;
        QByteArray codigos;
    } casos[] = {
        {"1-3", "0103000000000000"}, {"5", "0500000000000000"},  {"1-2-3-4-5", "0102030405000000"},
        {"2-4", "0204000000000000"}, {"1 ", "0100000000000000"},
    };
    for (const auto& c : casos) {
        const Fila fila = Solicitud()
                              .con("RestriccionActual", c.restriccion)
                              .con("FechaProximoControl", "07-06-2012")
                              .con("Duplicado", "Si")
                              .fila();
        const QByteArray r = RegistroRestriccion(fila);
        EXPECT_EQ(r.size(), 232);
        EXPECT_EQ(posiciones(r, 160, 175), c.codigos) << c.restriccion.toString().toStdString();
        EXPECT_EQ(posiciones(r, 152, 159), "20120607");
        EXPECT_EQ(r.left(151), RegistroLicencia(fila).left(151));
    }
}

TEST(RegistroDenegacion, BloquesPorRazonConClaseDenegada)
{
    const QString a2yB = "  A2      B         ";
    const QString a1 = "A1                  ";
    const QByteArray persona = QByteArray("095073577") + "SOTO" + blancos(16) + "MU\xD1OZ" +
                               blancos(15) + "JUAN ANDR\xC9S" + blancos(19);
    const QByteArray fecha = "20100315";
    const struct {
        const char* caso;
        QMap<QString, QString> razones;
        int bloques;
        QByteArray registro;
    } casos[] = {
        {"razón 4 con A2 y B", {{"D04", a2yB}}, 1, fecha + "04006" + a2yB.toLatin1() + persona},
        {"ninguna razón con clase", {}, 0, fecha + persona},
        {"razón marcada sin clases", {{"D02", QString(20, ' ')}}, 0, fecha + persona},
        {"razones 1 y 10", {{"D01", a1}, {"d10", a2yB}}, 2,
         fecha + "01006" + a1.toLatin1() + "10006" + a2yB.toLatin1() + persona},
    };
    for (const auto& c : casos) {
        Solicitud s;
        s.con("FechaActual", "15-03-2010").con("Duracion", "006").con("Denegada", "si");
        for (auto it = c.razones.cbegin(); it != c.razones.cend(); ++it) {
            s.con(it.key(), it.value());
        }
        const QByteArray r = RegistroDenegacion(s.fila());
        EXPECT_EQ(r, c.registro) << c.caso << " " << texto(r);
        EXPECT_EQ(r.size(), 8 + 25 * c.bloques + 79) << c.caso;
    }
}

TEST(RegistroDenegacion, NombresRecortadosAlAnchoYNulosEnBlanco)
{
    const QByteArray r = RegistroDenegacion(Solicitud()
                                                .con("ApPaterno", "  Valenzuela Valenzuela Soto ")
                                                .nula("ApMaterno")
                                                .con("Nombres", QString(35, 'x'))
                                                .nula("Duracion")
                                                .nula("D03")
                                                .fila());
    EXPECT_EQ(r.size(), 87);
    EXPECT_EQ(posiciones(r, 18, 37), "Valenzuela Valenzuel");
    EXPECT_EQ(posiciones(r, 38, 57), blancos(20));
    EXPECT_EQ(posiciones(r, 58, 87), QByteArray(30, 'x'));
}
