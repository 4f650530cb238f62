// A clerk that never stops: registers, modifies, annuls and deletes
// applications through the program's record write, as the licence form
// does, and logs each write before its commit, until it is killed.
//   escribiente --db CONEXION --diario ARCHIVO --semilla N
// Prints "listo" once it is about to write; any failure ends it with 1.

#include "demo/generador_solicitudes.h"
#include "diario.h"
#include "register/columnas_licencia.h"
#include "register/grabacion_licencia.h"
#include "register/registro_licencia.h"
#include "shell/datos/conexion.h"
#include "textos_dificiles.h"

#include <QCoreApplication>
#include <QTextStream>
#include <random>

namespace {

// Columns that get a difficult text now and then: long texts make rows
// that span several database pages.
const char* const ColumnasDeTexto[] = {"Nombres", "Domicilio", "Observaciones", "ExamenObservacion",
                                       "EscuelaNombre"};

struct Guardada {
    qint64 posicion;
    QString folio;
};

class Escribiente {
public:
    Escribiente(Conexion& conexion, DiarioEscritura& diario, quint32 semilla)
        : conexion_(conexion),
          diario_(diario),
          azar_(semilla),
          generador_(semilla, QDate(2010, 6, 30), PrimerFolioLibre(conexion))
    {
        conexion_.recorre(QStringLiteral("SELECT Posicion, FolioActual FROM TLicencias"), {},
                          [this](const Fila& f) {
                              guardadas_.push_back({f.valor(QStringLiteral("Posicion")).toLongLong(),
                                                    f.texto(QStringLiteral("FolioActual"))});
                          });
    }

    void escribeUna()
    {
        const int dado = int(azar_() % 100);
        if (guardadas_.empty() || dado < 45) {
            registra();
        } else if (dado < 85) {
            modifica(guardadas_[azar_() % guardadas_.size()]);
        } else {
            marca(guardadas_[azar_() % guardadas_.size()]);
        }
    }

private:
    // A generated application, some of its texts made difficult.
    ValoresLicencia solicitud()
    {
        const QVariantList fila = generador_.siguiente();
        ValoresLicencia valores;
        for (int posicion = 1; posicion <= NumeroColumnasLicencia; ++posicion) {
            const ColumnaLicencia& c = ColumnaEn(posicion);
            if (c.tipo != TipoColumna::Autonumero) {
                valores.emplace_back(QLatin1String(c.nombre), fila.at(posicion - 1));
            }
        }
        const auto& textos = TextosDificiles();
        for (auto& [columna, valor] : valores) {
            for (const char* dificil : ColumnasDeTexto) {
                if (columna == QLatin1String(dificil) && azar_() % 3 == 0) {
                    const TextoDificil& t = textos[azar_() % textos.size()];
                    // No engine's text holds NUL; the form keeps it out.
                    valor = t.texto.contains(QChar(0)) ? QString(t.texto).remove(QChar(0)) : t.texto;
                }
            }
        }
        return valores;
    }

    void registra()
    {
        const ValoresLicencia valores = solicitud();
        QString folio;
        for (const auto& [columna, valor] : valores) {
            if (columna == QLatin1String("FolioActual")) {
                folio = valor.toString();
            }
        }
        anota(true, folio, valores);
        const auto posicion = InsertaLicencia(conexion_, valores);
        if (!posicion) {
            throw ErrorDatos(QStringLiteral("El folio %1 ya estaba registrado").arg(folio));
        }
        confirma();
        guardadas_.push_back({*posicion, folio});
    }

    // The whole row, or only some of its columns, as the form leaves some
    // out.
    void modifica(const Guardada& g)
    {
        ValoresLicencia nuevos;
        const bool entera = azar_() % 2 == 0;
        for (const auto& par : solicitud()) {
            if (par.first != QLatin1String("FolioActual") && (entera || azar_() % 8 == 0)) {
                nuevos.push_back(par);
            }
        }
        Transaccion t(conexion_);
        BloqueaLicencia(conexion_, g.posicion);
        ActualizaLicencia(conexion_, g.posicion, nuevos);
        anota(false, g.folio, nuevos);
        t.confirma();
        confirma();
    }

    void marca(const Guardada& g)
    {
        const QString estado = azar_() % 2 ? Estados::Anulado : Estados::Eliminado;
        Transaccion t(conexion_);
        MarcaEstado(conexion_, g.posicion, estado);
        anota(false, g.folio,
              {{QStringLiteral("Estado"), estado},
               {QStringLiteral("LicActual"), estado},
               {QStringLiteral("LicAnterior"), estado}});
        t.confirma();
        confirma();
    }

    void anota(bool nueva, const QString& folio, const ValoresLicencia& valores)
    {
        if (!diario_.anota({EntradaDiario::Tipo::Escritura, nueva, folio, valores})) {
            throw ErrorDatos(QStringLiteral("No se pudo escribir el diario"));
        }
    }
    void confirma()
    {
        if (!diario_.confirma()) {
            throw ErrorDatos(QStringLiteral("No se pudo escribir el diario"));
        }
    }

    Conexion& conexion_;
    DiarioEscritura& diario_;
    std::mt19937 azar_;
    GeneradorSolicitudes generador_;
    std::vector<Guardada> guardadas_;
};

QString opcion(const QStringList& argumentos, const QString& nombre)
{
    const qsizetype i = argumentos.indexOf(nombre);
    return i > 0 && i + 1 < argumentos.size() ? argumentos.at(i + 1) : QString();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication aplicacion(argc, argv);
    const QStringList argumentos = aplicacion.arguments();
    QTextStream error(stderr);
    QString problema;
    const auto origen = OrigenDatos::interpreta(opcion(argumentos, QStringLiteral("--db")), &problema);
    if (!origen) {
        error << problema << "\n";
        return 2;
    }
    DiarioEscritura diario(opcion(argumentos, QStringLiteral("--diario")));
    if (!diario.abierto()) {
        error << "No se pudo abrir el diario\n";
        return 2;
    }
    try {
        const auto conexion = Conexion::abre(*origen);
        Escribiente escribiente(*conexion, diario, opcion(argumentos, QStringLiteral("--semilla")).toUInt());
        QTextStream(stdout) << "listo\n" << Qt::flush;
        for (;;) {
            escribiente.escribeUna();
        }
    } catch (const ErrorDatos& e) {
        error << e.texto() << "\n";
    }
    return 1;
}
