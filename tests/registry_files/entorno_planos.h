#pragma once

#include "entorno.h"
#include "platform/caja_fecha.h"
#include "prueba.h"
#include "registry_files/frm_planos.h"
#include "shell/form_menu_licencia.h"
#include "solicitudes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>

// The registry files' test environment: the database, a working folder that
// is the current folder while the test runs, an output folder, and this
// workstation's settings kept apart from the user's.
class EntornoPlanos : public ::testing::Test {
protected:
    EntornoPlanos() : anterior_(QDir::currentPath())
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ajustes_.path());
        QDir::setCurrent(trabajo.path());
    }
    ~EntornoPlanos() override { QDir::setCurrent(anterior_); }

    static QString en(const QTemporaryDir& carpeta, const QString& nombre)
    {
        return QDir(carpeta.path()).filePath(nombre);
    }
    static QByteArray lee(const QString& ruta)
    {
        QFile archivo(ruta);
        return archivo.open(QIODevice::ReadOnly) ? archivo.readAll() : QByteArray("(no existe)");
    }
    static void escribe(const QString& ruta, const QByteArray& bytes)
    {
        QFile archivo(ruta);
        ASSERT_TRUE(archivo.open(QIODevice::WriteOnly)) << ruta.toStdString();
        archivo.write(bytes);
    }

    // Opens the panel from its main-menu entry; `mientras` acts on it while
    // it is shown.
    void abrePanel(const char* entrada, const std::function<void(Frm_Planos&)>& mientras)
    {
        e.ventanas->mientrasModal["Frm_Planos"] = [mientras](QWidget& forma) {
            mientras(static_cast<Frm_Planos&>(forma));
        };
        e.app().forma<Form_MenuLicencia>().entrada(entrada)->trigger();
    }

    // "Generar" on the panel for the range, copying into `carpeta`.
    void generaEnPanel(const char* entrada, const QDate& desde, const QDate& hasta,
                       const QString& carpeta)
    {
        abrePanel(entrada, [&](Frm_Planos& panel) {
            panel.control<CajaFecha>("DTP_FechaFolio").setDate(desde);
            panel.control<CajaFecha>("DTP_FechaFolioFin").setDate(hasta);
            panel.control<QLineEdit>("Text_CarpetaPlanos").setText(carpeta);
            panel.control<QPushButton>("Cmd_Generar").click();
        });
    }

    static constexpr const char* MenuLicencias = "ArchivosPlanosLicenciasyDuplicados";
    static constexpr const char* MenuDenegaciones = "DenegacionesLicencias";

    Entorno e;
    QTemporaryDir trabajo;
    QTemporaryDir salida;

private:
    QTemporaryDir ajustes_;
    QString anterior_;
};
