#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <array>

// Value vocabularies of a licence application, in list order.
namespace Vocabulario {
inline const QStringList Estudios = {
    QStringLiteral("S/Certif. X Control"), QStringLiteral("Básica completa"),
    QStringLiteral("1º Medio"),            QStringLiteral("2º Medio"),
    QStringLiteral("3º Medio"),            QStringLiteral("4º Medio"),
    QStringLiteral("Estudiante"),          QStringLiteral("Técnica incompleta"),
    QStringLiteral("Técnica completa"),    QStringLiteral("Superior completa"),
    QStringLiteral("Superior incompleta")};
inline const QStringList Sexo = {QStringLiteral("Femenino"), QStringLiteral("Masculino")};
inline const QStringList Antecedentes = {QStringLiteral("Si"), QStringLiteral("No")};
inline const QStringList Donante = {QStringLiteral("No"), QStringLiteral("Si")};
inline const QStringList EntregaLicencia = {QStringLiteral("Entregada"),
                                            QStringLiteral("Extraviada"),
                                            QStringLiteral("Primera vez")};
inline const QStringList Restricciones = {
    QStringLiteral("(1)  Debe usar lentes y/o contacto"), QStringLiteral("(2)  Debe usar audífonos"),
    QStringLiteral("(3)  Solo conducción diurna"),
    QStringLiteral("(4)  Conducir vehículo especial para lisiado"), QStringLiteral("(5)  Otros")};
inline const QString FormatoRestricciones =
    QStringLiteral("Formato Ej.  1-2   ó   3   ó   1-2-3-4   ó   5");
}  // namespace Vocabulario

// The states of an application.
namespace Estados {
inline const QString Ok = QStringLiteral("Ok");
inline const QString Reprobado = QStringLiteral("Reprobado");
inline const QString Anulado = QStringLiteral("Anulado");
inline const QString Eliminado = QStringLiteral("Eliminado");
}  // namespace Estados

// Yes/no columns hold "Si" or "No"; only the exact "Si" counts as yes.
inline QString SiNo(bool valor) { return valor ? QStringLiteral("Si") : QStringLiteral("No"); }
inline bool EsSi(const QString& texto) { return texto == QLatin1String("Si"); }

// Classes of a licence in the order of its check boxes: A1, A2, A3, A4, A5,
// B, C, D, E, F, then the former-scheme A1 and A2.
using ClasesLicencia = std::array<bool, 12>;

// The summary of the classes granted now, such as "A1-B" or "B-C-A2ant";
// a single blank when no class is marked.
QString LicActual(const ClasesLicencia& clases);
// The same for the previous licence, whose former-scheme classes read
// "A1P" and "A2P".
QString LicAnterior(const ClasesLicencia& clases);

// "Ok", or "Reprobado" when the medical exam failed, or when the theory or
// practical exam failed on a request that grants a class (first licence,
// change or extension of class).
QString EstadoSolicitud(bool medico, bool teorico, bool practico, bool solicitudOtorgaClase);

// What an exam column and its examiner column store. On a control exam a
// theory or practical exam that was not marked passed is stored as passed
// by "Control".
struct ExamenGrabado {
    QString aprobado;
    QString profesional;
};
ExamenGrabado ExamenConControl(bool examenControl, bool marcado, const QString& profesional);

// The nine characters of a masked RUT text that carry its digits and check
// character (places 1-2, 4-6, 8-10 and 12), without "." and "-".
QString DigitosRut(const QString& rut);

// Completed years of age on `hoy`: a birthday later in the year has not
// been reached yet. Never negative.
int EdadCumplida(const QDate& nacimiento, const QDate& hoy);
