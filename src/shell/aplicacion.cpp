#include "shell/aplicacion.h"

#include "platform/superficie_impresora.h"

Servicios Servicios::reales()
{
    Servicios s;
    s.mensajes = std::make_unique<MensajesQt>();
    s.ventanas = std::make_unique<VentanasQt>();
    s.reloj = std::make_unique<RelojQt>();
    s.relojSistema = std::make_unique<RelojSistemaQt>();
    s.procesos = std::make_unique<ProcesosQt>();
    s.impresora = std::make_unique<SuperficieImpresora>();
    return s;
}

Aplicacion::Aplicacion(Servicios servicios, OrigenDatos origen, QString carpetaAplicacion)
    : servicios_(std::move(servicios)),
      origen_(std::move(origen)),
      carpetaAplicacion_(std::move(carpetaAplicacion))
{
}

Aplicacion::~Aplicacion()
{
    // No form is running its own events any more: delete them now, each
    // hidden first while it is whole, since hiding moves the focus and
    // runs the forms' own reactions.
    for (auto& [tipo, forma] : formas_) {
        if (forma) {
            forma->hide();
            delete forma.data();
        }
    }
}

void Aplicacion::descargaForma(QPointer<QWidget>& forma)
{
    // A form may unload itself from one of its own events: delete it once
    // that event has returned.
    if (forma) {
        forma->hide();
        forma->deleteLater();
    }
}

void Aplicacion::AbreConexion()
{
    conexion_ = Conexion::abre(origen_);
}

Conexion& Aplicacion::conexion()
{
    if (!conexion_) {
        throw ErrorDatos(QStringLiteral("No hay conexión con la base de datos"));
    }
    return *conexion_;
}

bool Aplicacion::protegido(const std::function<void()>& trabajo)
{
    try {
        trabajo();
        return true;
    } catch (const ErrorDatos& e) {
        mensajes().muestra(e.texto(), QStringLiteral("Error en la base de datos"), Botones::Aceptar,
                           Icono::Critico);
    } catch (const ErrorImpresion& e) {
        mensajes().muestra(e.texto(), QStringLiteral("Error de impresión"), Botones::Aceptar,
                           Icono::Critico);
    } catch (const std::exception& e) {
        mensajes().muestra(QString::fromUtf8(e.what()), QStringLiteral("Error"),
                           Botones::Aceptar, Icono::Critico);
    }
    return false;
}
