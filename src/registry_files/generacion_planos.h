#pragma once

#include "platform/mensajes.h"

#include <QByteArrayList>
#include <QDate>
#include <QString>
#include <functional>

class Conexion;
class Fila;

// The three registry files.
enum class TipoPlano { Licencias, Restricciones, Denegaciones };

// The application dates of a run, both ends included.
struct RangoSolicitud {
    QDate desde;
    QDate hasta;
};

// Where a run writes its files (the working folder) and where it copies them.
struct CarpetasPlanos {
    QString trabajo;
    QString salida;
};

// A message of the run: what a file became, or why it failed. The panel
// shows it in a box; the command line prints it.
struct AvisoPlano {
    QString texto;
    QString titulo;
    Icono icono;
    bool falla;  // the file was not written or not copied
};
using Avisa = std::function<void(const AvisoPlano&)>;

// Fills AuxTLicencias with the applications of the range that the file
// reports, and nothing else: its end state is that of copying the whole
// table and deleting what does not belong, reached through the date-key
// index. A null column counts as empty text.
void PreparaAuxTLicencias(Conexion& conexion, TipoPlano tipo, const RangoSolicitud& rango);

// Hands the rows of the file's selection to `porFila`, in the order of
// Posicion.
using RecorreFilas = std::function<void(const std::function<void(const Fila&)>& porFila)>;

struct ResultadoPlano {
    bool escrito = false;
    qint64 filas = 0;
    QString motivo;  // why it was not written
};

// Writes a registry file: the header and the lines of each row, or one line
// holding a blank when there is no row; whole or not at all. A failure of
// `recorre` leaves for the caller and leaves the earlier file untouched.
ResultadoPlano EscribePlano(const QString& ruta, const QByteArray& encabezado,
                            QByteArrayList (*lineas)(const Fila&), const RecorreFilas& recorre);

// One file: staging, the file in the working folder, its copy, its message.
// True when it was written and copied. A failure of the database leaves as
// ErrorDatos.
bool GeneraPlano(Conexion& conexion, TipoPlano tipo, const RangoSolicitud& rango,
                 const CarpetasPlanos& carpetas, const Avisa& avisa);
// LPVN000, then RPVN000, whatever became of the first.
bool GeneraPlanoLicencias(Conexion& conexion, const RangoSolicitud& rango,
                          const CarpetasPlanos& carpetas, const Avisa& avisa);
// DPVN000.
bool GeneraPlanoDenegaciones(Conexion& conexion, const RangoSolicitud& rango,
                             const CarpetasPlanos& carpetas, const Avisa& avisa);

// The name of the file of a kind: "LPVN000", "RPVN000", "DPVN000".
QString NombrePlano(TipoPlano tipo);
