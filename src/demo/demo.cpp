#include "demo/demo.h"

#include "platform/reloj.h"
#include "register/almacen_licencias.h"
#include "register/columnas_licencia.h"
#include "demo/generador_solicitudes.h"
#include "shell/datos/conexion.h"
#include "shell/texto_fijo.h"
#include "shell/usuarios.h"

#include <array>

namespace {

constexpr int SolicitudesDemo = 400;
constexpr quint32 SemillaDemo = 20100607;

// Applicants placed among the generated ones so that the searches by name,
// and a name with an apostrophe, have something to find.
struct Solicitante {
    QString nombres;
    QString apPaterno;
    QString apMaterno;
    QString sexo;
};
const std::array<Solicitante, 4> SolicitantesConocidos = {{
    {QStringLiteral("JUAN"), QStringLiteral("O'HIGGINS"), QStringLiteral("RIQUELME"),
     QStringLiteral("Masculino")},
    {QStringLiteral("JUANA"), QStringLiteral("ROJAS"), QStringLiteral("MUÑOZ"),
     QStringLiteral("Femenino")},
    {QStringLiteral("MARIA JUANA"), QStringLiteral("SOTO"), QStringLiteral("O'HIGGINS"),
     QStringLiteral("Femenino")},
    {QStringLiteral("JUAN PABLO"), QStringLiteral("DÍAZ"), QStringLiteral("PÉREZ"),
     QStringLiteral("Masculino")},
}};

void ponSolicitante(QVariantList& fila, const Solicitante& s)
{
    const auto pon = [&fila](const char* columna, const QString& valor) {
        fila[PosicionColumna(QLatin1String(columna)) - 1] = valor;
    };
    pon("Nombres", s.nombres);
    pon("ApPaterno", s.apPaterno);
    pon("ApMaterno", s.apMaterno);
    pon("Sexo", s.sexo);
}

void agregaSolicitudes(Conexion& conexion, QDate hoy)
{
    GeneradorSolicitudes generador(SemillaDemo, hoy, PrimerFolioLibre(conexion));
    InsercionLicencias insercion(conexion);
    // Spread the known applicants over the register rather than its first page.
    const int paso = SolicitudesDemo / int(SolicitantesConocidos.size());
    for (int i = 0; i < SolicitudesDemo; ++i) {
        QVariantList fila = generador.siguiente();
        if (i % paso == paso / 2) {
            ponSolicitante(fila, SolicitantesConocidos[size_t(i / paso)]);
        }
        insercion.agrega(fila);
    }
}

}  // namespace

bool PreparaDemo(Conexion& conexion, const Reloj& reloj)
{
    if (!ListaUsuarios(conexion).empty()) {
        return false;
    }
    {
        Transaccion transaccion(conexion);
        for (const QString& medico : GeneradorSolicitudes::medicos()) {
            conexion.ejecuta(QStringLiteral("INSERT INTO TMedicos (Nombres) VALUES (?)"), {medico});
        }
        TextoFijo jefe(25);
        jefe.asigna(QStringLiteral("ROBERTO SALAZAR MUÑOZ"));
        conexion.ejecuta(QStringLiteral("INSERT INTO TJefe (Usuario) VALUES (?)"), {jefe.texto()});
        agregaSolicitudes(conexion, reloj.hoy());
        transaccion.confirma();
    }
    // The user goes in last: a database with users counts as prepared.
    FlagsAcceso todos;
    todos.fill(1);
    AgregaUsuario(conexion, Usuario{UsuarioDemo, QStringLiteral("Usuario de demostración"), todos},
                  ClaveDemo);
    return true;
}
