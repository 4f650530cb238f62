#include "shell/usuarios.h"

#include "shell/clave.h"
#include "shell/conexion.h"
#include "shell/recordset.h"

#include <stdexcept>

namespace {

QString columnaAcceso(int indice)
{
    return QStringLiteral("acceso%1").arg(indice + 1, 2, 10, QLatin1Char('0'));
}

std::invalid_argument errorUsuario(const QString& texto)
{
    return std::invalid_argument(texto.toStdString());
}

}  // namespace

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
        columnas << columnaAcceso(i);
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
        for (int i = 0; i < int(u.accesos.size()); ++i) {
            u.accesos[size_t(i)] = quint8(qBound(0, rs.valor(columnaAcceso(i)).toInt(), 255));
        }
        usuarios.push_back(u);
    }
    return usuarios;
}
