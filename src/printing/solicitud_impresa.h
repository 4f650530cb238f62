#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <vector>

class SuperficieImpresion;

// Checked class boxes, in the order of the form: A1, A2, A3, A4, A5, B, C,
// D, E, F, then the former-scheme A1 and A2.
using ClasesImpresas = std::array<bool, 12>;

struct ExamenImpreso {
    bool aprobado = false;
    QDate fecha;
    QString examinador;
};

// What the valued form shows of one application: the values of the licence
// form's controls at the moment the print starts, texts untrimmed and as
// displayed (masked boxes with their literals), and the session's user and
// signer.
struct DatosSolicitud {
    QString folio;
    QDate fechaActual;
    QString rut;
    QDate fechaNacimiento;
    QString nombres;
    QString apPaterno;
    QString apMaterno;
    QString domicilio;
    QString comunaDomicilio;
    ClasesImpresas clases{};
    bool primeraVez = false;
    bool examenControl = false;
    QDate fechaOtorgaInicial;
    QDate fechaUltimoControl;
    QDate fechaProximoControl;
    QString observaciones;
    QString restriccionActual;
    QString certifAntecedentes;
    QDate fechaCertificado;
    QString obs1;
    QString obs2;

    QString rutEscuela;
    QString certificadoEscuela;
    QDate fechaAprobacion;
    QString especialidad;
    QString escuelaNombre;

    QString comunaAnterior;
    ClasesImpresas clasesAnteriores{};
    QDate fechaOtorgaAnterior;
    QDate fechaVenceAnterior;
    QString restriccionAnterior;

    ExamenImpreso medico;
    ExamenImpreso teorico;
    ExamenImpreso practico;
    QString observaExamenes;

    QString usuario;  // the logged-in user, 15 characters
    QString firma;    // the signer, 25 characters
};

// How far this workstation's printer feeds the valued form off: added to
// every position of the application print. Positive moves right and down.
struct Desplazamiento {
    double horizontalMm = 0;
    double verticalMm = 0;
};

// The application on the valued form: one Letter portrait page, then the
// end of the document. A printer that fails drops the document begun and
// throws ErrorImpresion.
void DibujaSolicitud(SuperficieImpresion& superficie, const DatosSolicitud& datos,
                     const Desplazamiento& desplazamiento = {});

// The calibration sheet: every item's number at its position, moved by
// `desplazamiento`, to be held against a valued form.
void DibujaNumerosSolicitud(SuperficieImpresion& superficie, const Desplazamiento& desplazamiento);
