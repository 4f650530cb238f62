#pragma once

#include "dobles.h"
#include "shell/aplicacion.h"
#include "shell/usuarios.h"
#include "superficie_grabadora.h"

#include <QMap>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

// A temporary SQLite database with the schema, and an Aplicacion over it
// with every platform service replaced by a double.
class Entorno {
public:
    Entorno();
    // Over the given database instead; its connection is opened, and its
    // schema prepared, only when `abre` (a test of a failing open opens it
    // through the login form).
    Entorno(const OrigenDatos& origen, bool abre);
    ~Entorno();

    Aplicacion& app() { return *app_; }
    Conexion& conexion() { return app_->conexion(); }
    QString carpeta() const { return carpeta_.path(); }
    const OrigenDatos& origen() const { return origen_; }

    void agregaUsuario(const QString& usuario, const QString& clave, const QString& nombre,
                       FlagsAcceso accesos = todosLosAccesos());
    void agregaMedico(const QString& nombre);
    void fijaJefe(const QString& nombre);
    // A row of TLicencias with the given columns; the rest stay empty.
    void agregaLicencia(const QMap<QString, QVariant>& valores);
    // Runs deferred deletions (forms unloaded during a test).
    static void procesaEliminaciones();

    static FlagsAcceso todosLosAccesos();

    MensajesFalsos* mensajes = nullptr;
    VentanasFalsas* ventanas = nullptr;
    RelojFijo* reloj = nullptr;
    RelojSistemaFalso* relojSistema = nullptr;
    ProcesosFalsos* procesos = nullptr;
    SuperficieGrabadora* impresora = nullptr;

private:
    void inicia(bool abre);

    QTemporaryDir carpeta_;
    OrigenDatos origen_;
    std::unique_ptr<Aplicacion> app_;
};
