#include "listings/comandos_listados.h"

#include "listings/form_crfolios.h"
#include "listings/form_listados.h"
#include "listings/hoja_estadistica.h"
#include "listings/modos_listado.h"
#include "platform/caja_fecha.h"
#include "platform/caja_lista.h"
#include "platform/caja_mascara.h"
#include "shell/aplicacion.h"
#include "shell/comando.h"
#include "shell/datos/recordset.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>
#include <functional>
#include <memory>

namespace {

// A command's message boxes go to standard error; a critical one (a failing
// database, printer or program) makes the command fail.
class MensajesComando : public Mensajes {
public:
    explicit MensajesComando(QTextStream& error) : error_(error) {}
    Respuesta muestra(const QString& texto, const QString&, Botones botones, Icono icono) override
    {
        error_ << "licencias: " << texto << "\n";
        error_.flush();
        fallo = fallo || icono == Icono::Critico;
        return botones == Botones::Aceptar ? Respuesta::Aceptar : Respuesta::No;
    }
    bool fallo = false;

private:
    QTextStream& error_;
};

// A command shows no window: the form it waits for hands over its output
// instead of being shown.
class VentanasComando : public Ventanas {
public:
    void muestraModal(QDialog& forma, QWidget*) override
    {
        if (alMostrar) {
            alMostrar(forma);
        }
    }
    void muestra(QWidget&) override {}
    void oculta(QWidget&) override {}
    std::function<void(QDialog&)> alMostrar;
};

// The program's forms over the command's database, with the command's
// message boxes and windows.
struct Sesion {
    MensajesComando* mensajes = nullptr;
    VentanasComando* ventanas = nullptr;
    std::unique_ptr<Aplicacion> app;
};

Sesion abreSesion(const ContextoComando& contexto)
{
    // Opening through the command's context gives the database its schema.
    contexto.abre();
    Servicios servicios = Servicios::reales();
    auto mensajes = std::make_unique<MensajesComando>(contexto.error);
    auto ventanas = std::make_unique<VentanasComando>();
    Sesion s{mensajes.get(), ventanas.get(), nullptr};
    servicios.mensajes = std::move(mensajes);
    servicios.ventanas = std::move(ventanas);
    s.app = std::make_unique<Aplicacion>(std::move(servicios), contexto.origen,
                                         QCoreApplication::applicationDirPath());
    s.app->AbreConexion();
    // The sheet's signature is the signer's, as after a login.
    Recordset jefe = s.app->conexion().consulta(QStringLiteral("SELECT Usuario FROM TJefe"));
    s.app->FirmaJefe.asigna(jefe.recordCount() > 0 ? jefe.texto(QStringLiteral("Usuario"))
                                                   : QString());
    return s;
}

enum class Formato { Csv, Pdf };

struct OpcionesComunes {
    Formato formato = Formato::Csv;
    QString salida;
};

// --formato and --salida; false after reporting a usage fault.
bool leeComunes(const QCommandLineParser& parser, const ContextoComando& contexto,
                OpcionesComunes* opciones)
{
    const QString formato = parser.value(QStringLiteral("formato")).toLower();
    if (formato.isEmpty() || formato == QLatin1String("csv")) {
        opciones->formato = Formato::Csv;
    } else if (formato == QLatin1String("pdf")) {
        opciones->formato = Formato::Pdf;
    } else {
        FallaComando(contexto, QStringLiteral("--formato debe ser csv o pdf"), Salida::Uso);
        return false;
    }
    if (!parser.positionalArguments().value(1).isEmpty()) {
        FallaComando(contexto,
                     QStringLiteral("Sobran argumentos: %1")
                         .arg(parser.positionalArguments().mid(1).join(QLatin1Char(' '))),
                     Salida::Uso);
        return false;
    }
    opciones->salida = parser.value(QStringLiteral("salida"));
    return true;
}

QList<QCommandLineOption> opcionesDe(const QStringList& nombres)
{
    QList<QCommandLineOption> opciones;
    for (const QString& n : nombres) {
        opciones.append(QCommandLineOption(n, QString(), QStringLiteral("valor")));
    }
    return opciones;
}

// An empty value is the form's to refuse, with its own message.
bool faltaOpcion(const QCommandLineParser& parser, const ContextoComando& contexto,
                 const QString& nombre, const QString& ejemplo)
{
    if (parser.isSet(nombre)) {
        return false;
    }
    FallaComando(contexto, QStringLiteral("Falta --%1 %2").arg(nombre, ejemplo), Salida::Uso);
    return true;
}

// Where a command's document goes as it is made: the file, under a
// temporary name until whole, or standard output.
class Destino {
public:
    Destino(const ContextoComando& contexto, const QString& archivo)
        : contexto_(contexto), archivo_(archivo)
    {
        if (!archivo.isEmpty()) {
            archivo_.open(QIODevice::WriteOnly);
        } else if (contexto.salida.device()) {
            contexto.salida.flush();
        } else {
            memoria_.open(QIODevice::WriteOnly);
        }
    }

    QIODevice& dispositivo()
    {
        if (!archivo_.fileName().isEmpty()) {
            return archivo_;
        }
        return contexto_.salida.device() ? *contexto_.salida.device() : memoria_;
    }

    int termina(bool escrito)
    {
        const bool enArchivo = !archivo_.fileName().isEmpty();
        if (enArchivo && (archivo_.error() != QFileDevice::NoError || (escrito && !archivo_.commit()))) {
            return FallaComando(contexto_, QStringLiteral("No fue posible escribir el archivo %1: %2")
                                               .arg(archivo_.fileName(), archivo_.errorString()));
        }
        if (!escrito) {
            return FallaComando(contexto_, QStringLiteral("No fue posible preparar el documento"));
        }
        if (memoria_.isOpen()) {
            contexto_.salida << QString::fromUtf8(memoria_.data());
        }
        return Salida::Exito;
    }

private:
    const ContextoComando& contexto_;
    QSaveFile archivo_;
    QBuffer memoria_;
};

// Writes a document into a device; false when it could not.
using Entrega = std::function<bool(QDialog& forma, QIODevice& destino)>;

// Presses `boton` of the listing form in `modo`; the form it opens writes
// its document into the destination. Fails when the form refused the input
// (its message is on standard error) or something failed.
int ejecuta(const ContextoComando& contexto, const QString& modo,
            const std::function<void(Form_Listados&)>& prepara, const QString& boton,
            const Entrega& entrega, const QString& archivo)
{
    try {
        Sesion s = abreSesion(contexto);
        Destino destino(contexto, archivo);
        bool mostrada = false;
        bool escrito = false;
        s.ventanas->alMostrar = [&](QDialog& forma) {
            mostrada = true;
            escrito = entrega(forma, destino.dispositivo());
        };
        s.app->ModoListado.asigna(modo);
        Form_Listados& form = s.app->forma<Form_Listados>();
        prepara(form);
        form.control<QPushButton>(boton).click();
        if (s.mensajes->fallo || !mostrada) {
            return Salida::Fallo;
        }
        return destino.termina(escrito);
    } catch (const ErrorDatos& e) {
        return FallaComando(contexto, e.texto());
    }
}

// Text written as UTF-8, as it comes.
bool escribeTexto(QIODevice& destino, const std::function<void(QTextStream&)>& escribe)
{
    QTextStream salida(&destino);
    salida.setEncoding(QStringConverter::Utf8);
    escribe(salida);
    salida.flush();
    return salida.status() == QTextStream::Ok;
}

// MES: 1 to 12, or the text the month box takes.
QString textoMes(const QString& mes)
{
    bool numero = false;
    const int n = mes.trimmed().toInt(&numero);
    return numero && n >= 1 && n <= 12 ? NombresMeses().at(n - 1) : mes;
}

// Only what the year box can hold goes into it: the box would silently
// drop a fifth digit or a letter.
bool anioCabe(const QString& anio)
{
    static const QRegularExpression cabe(QStringLiteral("^[0-9 ]{0,4}$"));
    return cabe.match(anio).hasMatch();
}

// DD-MM-AAAA (or with "/"), a real date the date boxes can hold.
std::optional<QDate> leeFecha(const QString& texto)
{
    static const QRegularExpression forma(QStringLiteral("^(\\d{2})[-/](\\d{2})[-/](\\d{4})$"));
    const QRegularExpressionMatch partes = forma.match(texto.trimmed());
    if (!partes.hasMatch()) {
        return std::nullopt;
    }
    const QDate fecha(partes.captured(3).toInt(), partes.captured(2).toInt(),
                      partes.captured(1).toInt());
    if (!fecha.isValid() || fecha < CajaFecha::sinFecha()) {
        return std::nullopt;
    }
    return fecha;
}

}  // namespace

int ComandoEstadistica(ContextoComando& contexto)
{
    QCommandLineParser parser;
    parser.addOptions(opcionesDe({QStringLiteral("tipo"), QStringLiteral("mes"), QStringLiteral("anio"),
                                  QStringLiteral("formato"), QStringLiteral("salida")}));
    if (!InterpretaOpciones(parser, contexto)) {
        return Salida::Uso;
    }
    OpcionesComunes comunes;
    if (!leeComunes(parser, contexto, &comunes)) {
        return Salida::Uso;
    }
    const QString tipo = parser.value(QStringLiteral("tipo")).toLower();
    if (tipo != QLatin1String("otorgadas") && tipo != QLatin1String("denegadas")) {
        return FallaComando(contexto, QStringLiteral("--tipo debe ser otorgadas o denegadas"),
                            Salida::Uso);
    }
    for (const auto& [nombre, ejemplo] :
         {std::pair{QStringLiteral("mes"), QStringLiteral("MES (1 a 12 o el nombre del mes)")},
          std::pair{QStringLiteral("anio"), QStringLiteral("AAAA")}}) {
        if (faltaOpcion(parser, contexto, nombre, ejemplo)) {
            return Salida::Uso;
        }
    }
    const QString mes = textoMes(parser.value(QStringLiteral("mes")));
    const QString anio = parser.value(QStringLiteral("anio"));
    if (!anioCabe(anio)) {
        return FallaComando(contexto, ValidaMesAnio(0, QString())->texto);
    }
    const Formato formato = comunes.formato;
    return ejecuta(
        contexto, tipo == QLatin1String("otorgadas") ? ModoEstadistica : ModoDenegada,
        [&](Form_Listados& form) {
            form.control<CajaLista>(QStringLiteral("Cbo_Mes")).fijaTexto(mes);
            form.control<CajaMascara>(QStringLiteral("MEd_Ano")).fijaTexto(anio);
        },
        QStringLiteral("Cmd_Aceptar"),
        [formato](QDialog& forma, QIODevice& destino) {
            auto* hoja = qobject_cast<HojaEstadistica*>(&forma);
            if (!hoja) {
                return false;
            }
            if (formato == Formato::Csv) {
                return escribeTexto(destino, [hoja](QTextStream& t) { t << hoja->csv(); });
            }
            return hoja->guardaPdf(destino);
        },
        comunes.salida);
}

int ComandoListado(ContextoComando& contexto)
{
    QCommandLineParser parser;
    parser.addOptions(opcionesDe({QStringLiteral("tipo"), QStringLiteral("desde"), QStringLiteral("hasta"),
                                  QStringLiteral("orden"), QStringLiteral("formato"),
                                  QStringLiteral("salida")}));
    if (!InterpretaOpciones(parser, contexto)) {
        return Salida::Uso;
    }
    OpcionesComunes comunes;
    if (!leeComunes(parser, contexto, &comunes)) {
        return Salida::Uso;
    }
    const QString pedido = parser.value(QStringLiteral("tipo")).trimmed();
    QString modo;
    for (const QString& m : ModosFolios()) {
        if (pedido.compare(m, Qt::CaseInsensitive) == 0) {
            modo = m;
        }
    }
    if (modo.isEmpty()) {
        return FallaComando(contexto,
                            QStringLiteral("--tipo debe ser uno de: %1")
                                .arg(ModosFolios().join(QStringLiteral(", "))),
                            Salida::Uso);
    }
    std::optional<QDate> fechas[2];
    const QString nombres[2] = {QStringLiteral("desde"), QStringLiteral("hasta")};
    for (int i = 0; i < 2; ++i) {
        fechas[i] = leeFecha(parser.value(nombres[i]));
        if (!fechas[i]) {
            return FallaComando(contexto,
                                QStringLiteral("--%1 debe ser una fecha DD-MM-AAAA desde el "
                                               "01-01-1900 (se recibió «%2»)")
                                    .arg(nombres[i], parser.value(nombres[i])),
                                Salida::Uso);
        }
    }
    const QString orden = parser.value(QStringLiteral("orden")).toLower();
    if (!orden.isEmpty() && orden != QLatin1String("folio") && orden != QLatin1String("rut")) {
        return FallaComando(contexto, QStringLiteral("--orden debe ser folio o rut"), Salida::Uso);
    }
    const Formato formato = comunes.formato;
    return ejecuta(
        contexto, modo,
        [&](Form_Listados& form) {
            form.control<CajaFecha>(QStringLiteral("DTP_FechaFolio")).setDate(*fechas[0]);
            form.control<CajaFecha>(QStringLiteral("DTP_FechaFolioFin")).setDate(*fechas[1]);
            form.control<QRadioButton>(orden == QLatin1String("rut")
                                           ? QStringLiteral("Opt_OrdenadoPorRut")
                                           : QStringLiteral("Opt_OrdenadoPorFolios"))
                .setChecked(true);
        },
        QStringLiteral("Cmd_AceptaFolio"),
        [formato](QDialog& forma, QIODevice& destino) {
            auto* visor = qobject_cast<FormCRFolios*>(&forma);
            if (!visor) {
                return false;
            }
            if (formato == Formato::Pdf) {
                return GuardaPdfInforme(destino, visor->CRFolios());
            }
            return escribeTexto(destino,
                                [visor](QTextStream& t) { EscribeCsvInforme(t, visor->CRFolios()); });
        },
        comunes.salida);
}
