// One clerk at the licence form, off screen, driven line by line through
// standard input:
//   folio FOLIO   fills in a valid application of that folio in this clerk's
//                 name; answers "preparado"
//   registra T    waits for the steady clock to reach T (nanoseconds), then
//                 presses " Registrar", answering No to the print question;
//                 answers "resultado INICIO FIN N" and N lines
//                 "caja TITULO<tab>TEXTO", one per message box shown
// It ends with its input.
//   ventanilla --db CONEXION --nombre NOMBRE

#include "app/acciones_menu.h"
#include "dobles.h"
#include "instante.h"
#include "register/form_licencia.h"
#include "shell/aplicacion.h"
#include "solicitud_valida.h"
#include "superficie_grabadora.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QString opcion(const QStringList& argumentos, const QString& nombre)
{
    const qsizetype i = argumentos.indexOf(nombre);
    return i > 0 && i + 1 < argumentos.size() ? argumentos.at(i + 1) : QString();
}

QString enUnaLinea(QString texto)
{
    return texto.replace(QLatin1Char('\n'), QLatin1String("\\n"));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacion(argc, argv);
    const QStringList argumentos = aplicacion.arguments();
    QTextStream salida(stdout);
    QTextStream error(stderr);
    QString problema;
    const auto origen = OrigenDatos::interpreta(opcion(argumentos, QStringLiteral("--db")), &problema);
    if (!origen) {
        error << problema << "\n";
        return 2;
    }
    const QString nombre = opcion(argumentos, QStringLiteral("--nombre"));

    Servicios servicios;
    auto propios = std::make_unique<MensajesFalsos>();
    MensajesFalsos& mensajes = *propios;
    // Every box is reported to the parent, which judges it.
    mensajes.esperaCriticos(1 << 30);
    servicios.mensajes = std::move(propios);
    servicios.ventanas = std::make_unique<VentanasFalsas>();
    servicios.reloj = std::make_unique<RelojFijo>();
    servicios.relojSistema = std::make_unique<RelojSistemaFalso>();
    servicios.procesos = std::make_unique<ProcesosFalsos>();
    servicios.impresora = std::make_unique<SuperficieGrabadora>();
    QTemporaryDir carpeta;
    Aplicacion app(std::move(servicios), *origen, carpeta.path());
    InstalaAcciones(app);
    try {
        app.AbreConexion();
    } catch (const ErrorDatos& e) {
        error << e.texto() << "\n";
        return 1;
    }
    app.Accesos.fill(1);
    Form_Licencia& forma = app.forma<Form_Licencia>();
    salida << "listo\n" << Qt::flush;

    QTextStream entrada(stdin);
    for (QString linea = entrada.readLine(); !linea.isNull(); linea = entrada.readLine()) {
        const QStringList palabras = linea.split(QLatin1Char(' '));
        if (palabras.value(0) == QLatin1String("folio")) {
            LlenaSolicitudValida(forma);
            forma.texto(QStringLiteral("Text_FolioActual")).setText(palabras.value(1));
            forma.texto(QStringLiteral("Text_Nombres")).setText(nombre);
            mensajes.cajas.clear();
            salida << "preparado\n" << Qt::flush;
        } else if (palabras.value(0) == QLatin1String("registra")) {
            const qint64 momento = palabras.value(1).toLongLong();
            mensajes.responde(Respuesta::No);
            while (InstanteNs() < momento) {
            }
            const qint64 inicio = InstanteNs();
            forma.findChild<QPushButton*>(QStringLiteral("Cmd_Registrar"))->click();
            const qint64 fin = InstanteNs();
            mensajes.respuestas.clear();
            salida << "resultado " << inicio << ' ' << fin << ' ' << mensajes.cajas.size() << "\n";
            for (const MensajesFalsos::Caja& caja : mensajes.cajas) {
                salida << "caja " << enUnaLinea(caja.titulo) << '\t' << enUnaLinea(caja.texto) << "\n";
            }
            salida.flush();
        }
    }
    return 0;
}
