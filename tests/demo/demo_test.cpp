#include "entorno.h"
#include "prueba.h"
#include "register/columnas_licencia.h"
#include "register/registro_licencia.h"
#include "shell/clave.h"
#include "demo/demo.h"
#include "shell/datos/recordset.h"

#include <set>

namespace {

int cuenta(Conexion& conexion, const QString& sql, const QVariantList& valores = {})
{
    Recordset rs = conexion.consulta(sql, valores);
    rs.moveFirst();
    return rs.valor("n").toInt();
}

// Values a column of TLicencias takes in the demo.
std::set<QString> valoresDe(Conexion& conexion, const QString& columna)
{
    Recordset rs =
        conexion.consulta(QStringLiteral("SELECT DISTINCT %1 AS v FROM TLicencias").arg(columna));
    std::set<QString> valores;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        valores.insert(rs.texto("v"));
    }
    return valores;
}

}  // namespace

TEST(PreparaDemo, LlenaUnaBaseSinUsuariosUnaSolaVez)
{
    Entorno entorno;
    Conexion& c = entorno.conexion();

    ASSERT_TRUE(PreparaDemo(c, *entorno.reloj));

    const auto usuarios = ListaUsuarios(c);
    ASSERT_EQ(usuarios.size(), 1u);
    EXPECT_EQ(usuarios[0].usuario, UsuarioDemo);
    EXPECT_EQ(usuarios[0].accesos, Entorno::todosLosAccesos());
    Recordset clave = c.consulta("SELECT Clave FROM TUsuarios WHERE usuario = ?", {UsuarioDemo});
    clave.moveFirst();
    EXPECT_EQ(std::optional<QString>(clave.texto("Clave")), CodificaClave(ClaveDemo));

    EXPECT_EQ(cuenta(c, "SELECT count(*) AS n FROM TMedicos"), 3);
    Recordset jefe = c.consulta("SELECT Usuario FROM TJefe");
    ASSERT_EQ(jefe.recordCount(), 1);
    jefe.moveFirst();
    EXPECT_EQ(jefe.texto("Usuario").size(), 25);
    EXPECT_FALSE(jefe.texto("Usuario").trimmed().isEmpty());
    EXPECT_EQ(cuenta(c, "SELECT count(*) AS n FROM TLicencias"), 400);

    EXPECT_FALSE(PreparaDemo(c, *entorno.reloj));
    EXPECT_EQ(ListaUsuarios(c).size(), 1u);
    EXPECT_EQ(cuenta(c, "SELECT count(*) AS n FROM TMedicos"), 3);
    EXPECT_EQ(cuenta(c, "SELECT count(*) AS n FROM TLicencias"), 400);
}

TEST(PreparaDemo, NoTocaUnaBaseQueYaTieneUsuarios)
{
    Entorno entorno;
    entorno.agregaUsuario("jefe", "abc123", "Jefe de Tránsito");
    EXPECT_FALSE(PreparaDemo(entorno.conexion(), *entorno.reloj));
    EXPECT_EQ(cuenta(entorno.conexion(), "SELECT count(*) AS n FROM TLicencias"), 0);
    EXPECT_EQ(cuenta(entorno.conexion(), "SELECT count(*) AS n FROM TMedicos"), 0);
}

TEST(PreparaDemo, OfreceDeTodoParaProbarElSistema)
{
    Entorno entorno;
    Conexion& c = entorno.conexion();
    ASSERT_TRUE(PreparaDemo(c, *entorno.reloj));

    EXPECT_EQ(valoresDe(c, "Estado"),
              (std::set<QString>{Estados::Ok, Estados::Reprobado, Estados::Anulado,
                                 Estados::Eliminado}));
    // Every request, every current class and every previous class is marked
    // on some application.
    for (int posicion : {26, 27, 28, 29, 30, 31, 32}) {
        EXPECT_TRUE(valoresDe(c, ColumnaEn(posicion).nombre).count("Si"))
            << ColumnaEn(posicion).nombre;
    }
    for (int posicion = 33; posicion <= 44; ++posicion) {
        EXPECT_TRUE(valoresDe(c, ColumnaEn(posicion).nombre).count("Si"))
            << ColumnaEn(posicion).nombre;
        EXPECT_TRUE(valoresDe(c, ColumnaEn(posicion + 17).nombre).count("Si"))
            << ColumnaEn(posicion + 17).nombre;
    }
    EXPECT_GT(
        cuenta(c, "SELECT count(*) AS n FROM TLicencias WHERE length(trim(RestriccionActual)) > 0"),
        0);
    EXPECT_GT(cuenta(c, "SELECT count(*) AS n FROM TLicencias WHERE Denegada = 'si' AND "
                        "length(trim(D06)) > 0 AND length(Duracion) = 3"),
              0);
    EXPECT_GT(cuenta(c, "SELECT count(*) AS n FROM TLicencias WHERE EscuelaRut <> '00.000.000-0'"),
              0);
    EXPECT_GT(
        cuenta(c, "SELECT count(*) AS n FROM TLicencias WHERE EscuelaEspRut <> '00.000.000-0'"), 0);
    EXPECT_GE(valoresDe(c, "substr(FechaActual, 4, 7)").size(), 6u);

    // The searches by name and by surname have something to find.
    const QString prefijo =
        "SELECT count(*) AS n FROM TLicencias WHERE upper(Nombres) LIKE upper(?)";
    EXPECT_GE(cuenta(c, prefijo, {"juan%"}), 3);
    EXPECT_GE(cuenta(c, prefijo, {"JUANA%"}), 1);
    EXPECT_GE(cuenta(c, prefijo, {"MARIA JUANA%"}), 1);
    EXPECT_GE(cuenta(c, "SELECT count(*) AS n FROM TLicencias WHERE ApPaterno = ? OR ApMaterno = ?",
                     {"O'HIGGINS", "O'HIGGINS"}),
              2);
}
