#include "register/comando_imprimir.h"

#include "platform/superficie_impresora.h"
#include "register/form_licencia.h"
#include "shell/aplicacion.h"
#include "shell/comando.h"
#include "shell/datos/error_datos.h"
#include "shell/datos/recordset.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QPrinter>
#include <QTextStream>

namespace {

// A run without a display writes its message boxes to standard error, a
// notice marked as such; a question is answered No. A critical box means
// the work failed.
class MensajesEnError : public Mensajes {
public:
    explicit MensajesEnError(QTextStream& error) : error_(error) {}

    Respuesta muestra(const QString& texto, const QString& titulo, Botones botones,
                      Icono icono) override
    {
        error_ << "licencias: " << (icono == Icono::Critico ? QString() : QStringLiteral("aviso: "))
               << titulo << ": " << texto << "\n";
        error_.flush();
        fallo = fallo || icono == Icono::Critico;
        return botones == Botones::SiNo ? Respuesta::No : Respuesta::Aceptar;
    }

    bool fallo = false;

private:
    QTextStream& error_;
};

Servicios serviciosSinPantalla(std::unique_ptr<Mensajes> mensajes,
                               std::unique_ptr<SuperficieImpresora> impresora)
{
    Servicios s;
    s.mensajes = std::move(mensajes);
    s.ventanas = std::make_unique<VentanasQt>();
    s.reloj = std::make_unique<RelojQt>();
    s.relojSistema = std::make_unique<RelojSistemaQt>();
    s.procesos = std::make_unique<ProcesosQt>();
    s.impresora = std::move(impresora);
    return s;
}

// The login's user; nothing when TUsuarios has no such user.
std::optional<QString> usuarioRegistrado(Conexion& conexion, const QString& usuario)
{
    Recordset rs = conexion.consulta(QStringLiteral("SELECT * FROM TUsuarios WHERE usuario = ?"),
                                     {usuario});
    if (rs.recordCount() == 0) {
        return std::nullopt;
    }
    rs.moveFirst();
    return rs.texto(QStringLiteral("Usuario"));
}

// The signer, as the login reads it.
QString firmaRegistrada(Conexion& conexion)
{
    Recordset jefe = conexion.consulta(QStringLiteral("SELECT * FROM TJefe"));
    return jefe.recordCount() > 0 ? jefe.texto(QStringLiteral("Usuario")) : QString();
}

struct OpcionesImprimir {
    QString folio;
    QString usuario;
    QString pdf;
};

std::optional<OpcionesImprimir> opciones(ContextoComando& contexto)
{
    QCommandLineParser parser;
    const QCommandLineOption folio(QStringLiteral("folio"), QString(), QStringLiteral("FOLIO"));
    const QCommandLineOption usuario(QStringLiteral("usuario"), QString(), QStringLiteral("USUARIO"));
    const QCommandLineOption pdf(QStringLiteral("pdf"), QString(), QStringLiteral("ARCHIVO"));
    parser.addOptions({folio, usuario, pdf});
    if (!InterpretaOpciones(parser, contexto)) {
        return std::nullopt;
    }
    if (parser.positionalArguments().size() > 1) {
        FallaComando(contexto,
                     QStringLiteral("Sobran argumentos: %1")
                         .arg(parser.positionalArguments().mid(1).join(u' ')),
                     Salida::Uso);
        return std::nullopt;
    }
    if (parser.value(folio).trimmed().isEmpty()) {
        FallaComando(contexto, QStringLiteral("Falta el folio: imprimir --folio FOLIO"), Salida::Uso);
        return std::nullopt;
    }
    if (parser.isSet(pdf) && parser.value(pdf).isEmpty()) {
        FallaComando(contexto, QStringLiteral("Falta el nombre del archivo: --pdf ARCHIVO"),
                     Salida::Uso);
        return std::nullopt;
    }
    return OpcionesImprimir{parser.value(folio), parser.value(usuario), parser.value(pdf)};
}

int imprime(ContextoComando& contexto, const OpcionesImprimir& o)
{
    auto propios = std::make_unique<MensajesEnError>(contexto.error);
    MensajesEnError& mensajes = *propios;
    auto destino = o.pdf.isEmpty() ? std::make_unique<SuperficieImpresora>()
                                   : std::make_unique<SuperficieImpresora>(o.pdf);
    const QString impresora = destino->impresora()->printerName();
    Aplicacion app(serviciosSinPantalla(std::move(propios), std::move(destino)), contexto.origen,
                   QCoreApplication::applicationDirPath());
    app.AbreConexion();
    if (!o.usuario.isEmpty()) {
        const auto usuario = usuarioRegistrado(app.conexion(), o.usuario);
        if (!usuario) {
            return FallaComando(contexto,
                                QStringLiteral("El usuario %1 no se encuentra registrado").arg(o.usuario));
        }
        app.UsuarioActual.asigna(*usuario);
    }
    app.FirmaJefe.asigna(firmaRegistrada(app.conexion()));
    Form_Licencia& forma = app.forma<Form_Licencia>();
    if (mensajes.fallo) {
        return Salida::Fallo;
    }
    if (!forma.CargaFolio(o.folio)) {
        return FallaComando(contexto,
                            QStringLiteral("El folio %1 no se encuentra registrado").arg(o.folio));
    }
    forma.ImprimeSolicitud();
    contexto.salida << QStringLiteral("Solicitud del folio %1 impresa en %2\n")
                           .arg(o.folio, o.pdf.isEmpty() ? impresora : o.pdf);
    return Salida::Exito;
}

}  // namespace

int ComandoImprimir(ContextoComando& contexto)
{
    const auto o = opciones(contexto);
    if (!o) {
        return Salida::Uso;
    }
    try {
        // The database is brought up to the program's schema first, as
        // every command does.
        contexto.abre();
        return imprime(contexto, *o);
    } catch (const ErrorDatos& e) {
        return FallaComando(contexto, e.texto());
    } catch (const ErrorImpresion& e) {
        return FallaComando(contexto, e.texto());
    }
}
