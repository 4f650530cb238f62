#pragma once

#include "platform/mensajes.h"
#include "platform/procesos.h"
#include "platform/reloj.h"
#include "platform/superficie_impresion.h"
#include "platform/ventanas.h"
#include "shell/datos/conexion.h"
#include "shell/datos/origen_datos.h"
#include "shell/texto_fijo.h"
#include "shell/usuarios.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <vector>

// The platform services the program talks to: real ones in the program,
// doubles in the tests.
struct Servicios {
    std::unique_ptr<Mensajes> mensajes;
    std::unique_ptr<Ventanas> ventanas;
    std::unique_ptr<Reloj> reloj;
    std::unique_ptr<RelojSistema> relojSistema;
    std::unique_ptr<Procesos> procesos;
    std::unique_ptr<SuperficieImpresion> impresora;

    static Servicios reales();
};

// The one object every form belongs to: platform services, the shared
// state of the session and the registry of forms. Each registered form
// exists at most once; asking for one that is not loaded creates it and runs
// its load step.
class Aplicacion {
public:
    Aplicacion(Servicios servicios, OrigenDatos origen, QString carpetaAplicacion);
    ~Aplicacion();
    Aplicacion(const Aplicacion&) = delete;
    Aplicacion& operator=(const Aplicacion&) = delete;

    Mensajes& mensajes() { return *servicios_.mensajes; }
    Ventanas& ventanas() { return *servicios_.ventanas; }
    const Reloj& reloj() const { return *servicios_.reloj; }
    RelojSistema& relojSistema() { return *servicios_.relojSistema; }
    Procesos& procesos() { return *servicios_.procesos; }
    SuperficieImpresion& impresora() { return *servicios_.impresora; }

    const OrigenDatos& origen() const { return origen_; }
    const QString& carpetaAplicacion() const { return carpetaAplicacion_; }

    // Opens a new connection that replaces the shared one. Throws ErrorDatos.
    void AbreConexion();
    // The shared connection; throws ErrorDatos when none is open.
    Conexion& conexion();

    // Shared state of the session.
    TextoFijo UsuarioActual{15};
    TextoFijo FirmaJefe{25};
    TextoFijo ModoListado{15};
    FlagsAcceso Accesos{};
    // Flag `numero` (acceso01 is 1, see Acceso::); 0 is not granted.
    bool tieneAcceso(int numero) const { return Accesos.at(size_t(numero - 1)) != 0; }

    // What the menu entries of the subsystems do, by the entry's key; the
    // program installs them from above the subsystems at start-up, so the
    // shell opens their forms without knowing them.
    using AccionMenu = std::function<void(QWidget* menu)>;
    void registraAccion(const QString& clave, AccionMenu accion) { acciones_[clave] = std::move(accion); }
    const AccionMenu* accion(const QString& clave) const
    {
        const auto it = acciones_.find(clave);
        return it == acciones_.end() ? nullptr : &it->second;
    }

    // Runs an event's work; a failure of the database, the printer or the
    // program is shown in a message box and the form stays open. Returns
    // false when the work failed.
    bool protegido(const std::function<void()>& trabajo);

    template <class F>
    F& forma()
    {
        const std::type_index clave(typeid(F));
        auto it = formas_.find(clave);
        if (it != formas_.end() && it->second) {
            return static_cast<F&>(*it->second);
        }
        auto* nueva = new F(*this);
        formas_[clave] = nueva;
        protegido([nueva] { nueva->Form_Load(); });
        return *nueva;
    }

    template <class F>
    bool cargada() const
    {
        const auto it = formas_.find(std::type_index(typeid(F)));
        return it != formas_.end() && it->second;
    }

    template <class F>
    void descarga()
    {
        const auto it = formas_.find(std::type_index(typeid(F)));
        if (it != formas_.end()) {
            descargaForma(it->second);
            formas_.erase(it);
        }
    }

    // Shows a registered form modally over its owner (loading it first when
    // needed) and unloads it when it closes, so the next opening loads it
    // anew.
    template <class F>
    void muestraModal(QWidget* dueno)
    {
        ventanas().muestraModal(forma<F>(), dueno);
        descarga<F>();
    }

    // Shows a form created for one use modally over its owner and destroys
    // it when it closes.
    template <class F, class... Argumentos>
    void muestraPorUso(QWidget* dueno, Argumentos&&... argumentos)
    {
        F forma(*this, std::forward<Argumentos>(argumentos)...);
        protegido([&forma] { forma.Form_Load(); });
        ventanas().muestraModal(forma, dueno);
    }

private:
    static void descargaForma(QPointer<QWidget>& forma);

    Servicios servicios_;
    OrigenDatos origen_;
    QString carpetaAplicacion_;
    std::shared_ptr<Conexion> conexion_;
    std::map<std::type_index, QPointer<QWidget>> formas_;
    std::map<QString, AccionMenu> acciones_;
};
