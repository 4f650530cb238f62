#include "shell/usuarios.h"

#include "shell/clave.h"
#include "shell/datos/conexion.h"
#include "shell/datos/recordset.h"

#include <QStringList>
#include <stdexcept>

namespace {

std::invalid_argument errorUsuario(const QString& texto)
{
    return std::invalid_argument(texto.toStdString());
}

}  // namespace

QString ColumnaAcceso(int numero)
{
    return QStringLiteral("acceso%1").arg(numero, 2, 10, QLatin1Char('0'));
}

FlagsAcceso LeeAccesos(const Fila& usuario)
{
    FlagsAcceso accesos{};
    for (int i = 0; i < int(accesos.size()); ++i) {
        accesos[size_t(i)] = quint8(qBound(0, usuario.valor(ColumnaAcceso(i + 1)).toInt(), 255));
    }
    return accesos;
}

void AgregaUsuario(Conexion& conexion, const Usuario& usuario, const QString& clave)
{
    if (usuario.usuario.trimmed().isEmpty()) {
        throw errorUsuario(QStringLiteral("Debe indicar el nombre de usuario"));
    }
    if (usuario.usuario.size() > 15) {
        throw errorUsuario(QStringLiteral("El usuario no puede tener más de 15 caracteres"));
    }
    if (clave.size() != 6) {
        throw errorUsuario(QStringLiteral("La clave debe ser de 6 caracteres"));
    }
    const auto codificada = CodificaClave(clave);
    if (!codificada) {
        throw errorUsuario(QStringLiteral(
            "La clave contiene caracteres que no se pueden codificar; use letras, números o signos "
            "comunes"));
    }
    Transaccion transaccion(conexion);
    if (conexion.consulta(QStringLiteral("SELECT usuario FROM TUsuarios WHERE usuario = ?"),
                          {usuario.usuario})
            .recordCount() > 0) {
        throw errorUsuario(QStringLiteral("El usuario %1 ya existe").arg(usuario.usuario));
    }
    QStringList columnas = {QStringLiteral("usuario"), QStringLiteral("Clave"),
                            QStringLiteral("nombre")};
    QVariantList valores = {usuario.usuario, *codificada, usuario.nombre};
    for (int i = 0; i < int(usuario.accesos.size()); ++i) {
        columnas << ColumnaAcceso(i + 1);
        valores << int(usuario.accesos[size_t(i)]);
    }
    conexion.ejecuta(QStringLiteral("INSERT INTO TUsuarios (%1) VALUES (%2)")
                         .arg(columnas.join(QStringLiteral(", ")),
                              QStringList(columnas.size(), QStringLiteral("?"))
                                  .join(QStringLiteral(", "))),
                     valores);
    transaccion.confirma();
}

std::vector<Usuario> ListaUsuarios(Conexion& conexion)
{
    Recordset rs =
        conexion.consulta(QStringLiteral("SELECT * FROM TUsuarios ORDER BY usuario"));
    std::vector<Usuario> usuarios;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        Usuario u;
        u.usuario = rs.texto(QStringLiteral("usuario"));
        u.nombre = rs.texto(QStringLiteral("nombre"));
        u.accesos = LeeAccesos(rs.fila());
        usuarios.push_back(u);
    }
    return usuarios;
}

bool HayUsuarios(Conexion& conexion)
{
    return !conexion.consulta(QStringLiteral("SELECT usuario FROM TUsuarios LIMIT 1")).eof();
}

QString MensajeSinUsuarios(const OrigenDatos& origen)
{
    return QStringLiteral(
               "La base de datos %1 no tiene usuarios: nadie puede ingresar todavía.\n\n"
               "El personal de informática agrega el primero con este comando:\n"
               "    licencias usuario agregar USUARIO --nombre \"NOMBRE\" --accesos todos --db %2\n"
               "y luego se ingresa aquí con ese usuario y su clave, sin cerrar esta ventana.\n\n"
               "Si esta base debía tener usuarios y solicitudes, el programa no abrió la base "
               "correcta: revise --db o LICENCIAS_DB, o restaure un respaldo.")
        .arg(origen.nombreVisible(), origen.descripcion());
}

ComponenteEsquema EsquemaUsuarios()
{
    const auto creaTabla = [](Conexion& conexion) {
        QStringList columnas = {QStringLiteral("usuario TEXT PRIMARY KEY"),
                                QStringLiteral("Clave TEXT"), QStringLiteral("nombre TEXT")};
        for (int i = 1; i <= int(FlagsAcceso().size()); ++i) {
            columnas << ColumnaAcceso(i) + QStringLiteral(" INTEGER DEFAULT 0");
        }
        conexion.ejecuta(
            QStringLiteral("CREATE TABLE IF NOT EXISTS TUsuarios (%1)").arg(columnas.join(", ")));
    };
    return {QStringLiteral("usuarios"), {{1, creaTabla}}};
}
