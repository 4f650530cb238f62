// Times what a clerk does in the licence form's browser on a big database:
// opening the form with its first page, a page move, a RUT search and name
// searches, each with the time until the grid shows its first rows and the
// peak memory of the process while it runs.
//   navegacion --db CONEXION [--veces N]

#include "app/acciones_menu.h"
#include "app/esquema_sistema.h"
#include "platform/caja_mascara.h"
#include "platform/grilla.h"
#include "register/form_licencia.h"
#include "shell/aplicacion.h"
#include "shell/datos/recordset.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Message boxes are counted, never shown: a search that finds nothing
// must not wait for a click.
class MensajesMudos : public Mensajes {
public:
    Respuesta muestra(const QString& texto, const QString&, Botones, Icono icono) override
    {
        if (icono == Icono::Critico) {
            QTextStream(stderr) << "navegacion: " << texto << "\n";
        }
        return Respuesta::Aceptar;
    }
};

// Peak resident memory since the last reset, in MB (Linux).
qint64 picoMemoriaMb()
{
    QFile estado(QStringLiteral("/proc/self/status"));
    if (!estado.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& linea : estado.readAll().split('\n')) {
        if (linea.startsWith("VmHWM:")) {
            return linea.mid(6).trimmed().split(' ').first().toLongLong() / 1024;
        }
    }
    return -1;
}

void reiniciaPicoMemoria()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) {
        refs.write("5");
    }
}

struct Medida {
    double medianaMs;
    double minimoMs;
    double maximoMs;
    qint64 picoMb;
};

// Runs `paso` `veces` times; each run's time stops once the events it
// posted (the grid's first rows) are processed.
Medida mide(int veces, const std::function<void()>& paso)
{
    std::vector<double> tiempos;
    qint64 pico = 0;
    for (int i = 0; i < veces; ++i) {
        reiniciaPicoMemoria();
        QElapsedTimer reloj;
        reloj.start();
        paso();
        QCoreApplication::processEvents();
        tiempos.push_back(double(reloj.nsecsElapsed()) / 1e6);
        pico = std::max(pico, picoMemoriaMb());
    }
    std::sort(tiempos.begin(), tiempos.end());
    return {tiempos[tiempos.size() / 2], tiempos.front(), tiempos.back(), pico};
}

void buscaNombre(Form_Licencia& forma, const QString& texto)
{
    forma.control<QRadioButton>(QStringLiteral("Opt_Nombre")).setChecked(true);
    forma.texto(QStringLiteral("Text_NomApe")).setText(texto);
    forma.Cmd_BuscaTexto_Click();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    QTextStream salida(stdout);
    const QStringList argumentos = QCoreApplication::arguments();
    const int indiceDb = int(argumentos.indexOf(QStringLiteral("--db")));
    if (indiceDb < 0 || indiceDb + 1 >= argumentos.size()) {
        QTextStream(stderr) << "Uso: navegacion --db CONEXION [--veces N]\n";
        return 2;
    }
    const int indiceVeces = int(argumentos.indexOf(QStringLiteral("--veces")));
    const int veces = indiceVeces > 0 && indiceVeces + 1 < argumentos.size()
                          ? std::max(1, argumentos[indiceVeces + 1].toInt())
                          : 5;
    QString error;
    const auto origen = OrigenDatos::interpreta(argumentos[indiceDb + 1], &error);
    if (!origen) {
        QTextStream(stderr) << "navegacion: " << error << "\n";
        return 2;
    }
    AbreBase(*origen);
    Servicios servicios = Servicios::reales();
    servicios.mensajes = std::make_unique<MensajesMudos>();
    Aplicacion app(std::move(servicios), *origen, QCoreApplication::applicationDirPath());
    InstalaAcciones(app);
    app.Accesos.fill(1);
    app.AbreConexion();

    const qint64 filas = app.conexion()
                             .consulta(QStringLiteral("SELECT count(*) AS n FROM TLicencias"))
                             .valor(QStringLiteral("n"))
                             .toLongLong();
    const QString rut = app.conexion()
                            .consulta(QStringLiteral("SELECT NumeroLicencia FROM TLicencias "
                                                     "WHERE Posicion >= ? ORDER BY Posicion LIMIT 1"),
                                      {filas / 2})
                            .texto(QStringLiteral("NumeroLicencia"));

    salida << "Solicitudes en TLicencias: " << filas << "\n"
           << "Memoria al comenzar: " << picoMemoriaMb() << " MB\n\n";
    salida << QStringLiteral("%1 %2 %3 %4 %5\n")
                  .arg(QStringLiteral("operación"), -34)
                  .arg(QStringLiteral("mediana ms"), 11)
                  .arg(QStringLiteral("mín ms"), 9)
                  .arg(QStringLiteral("máx ms"), 9)
                  .arg(QStringLiteral("pico MB"), 8);
    const auto informa = [&](const QString& nombre, const Medida& m) {
        salida << QStringLiteral("%1 %2 %3 %4 %5\n")
                      .arg(nombre, -34)
                      .arg(m.medianaMs, 11, 'f', 1)
                      .arg(m.minimoMs, 9, 'f', 1)
                      .arg(m.maximoMs, 9, 'f', 1)
                      .arg(m.picoMb, 8);
        salida.flush();
    };

    informa(QStringLiteral("abrir el formulario (1ª página)"), mide(veces, [&] {
                app.descarga<Form_Licencia>();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                app.forma<Form_Licencia>();
            }));
    Form_Licencia& forma = app.forma<Form_Licencia>();
    informa(QStringLiteral("página siguiente y anterior"), mide(veces, [&] {
                forma.Cmd_Proximos_Click();
                forma.Cmd_Anterior_Click();
            }));
    informa(QStringLiteral("búsqueda por RUT ") + rut, mide(veces, [&] {
                forma.mascara(QStringLiteral("MEd_BuscaRut")).fijaTexto(rut);
                forma.Cmd_BuscaRut_Click();
            }));
    for (const char* nombre : {"A", "JUAN", "QXZW"}) {
        informa(QStringLiteral("búsqueda de nombres \"%1\"").arg(QLatin1String(nombre)),
                mide(veces, [&] { buscaNombre(forma, QLatin1String(nombre)); }));
    }
    salida << "\nFilas leídas por la grilla tras la última búsqueda: "
           << forma.MSHF_Licencias().model()->rowCount() << "\n";
    return 0;
}
