#include "register/registro_licencia.h"

namespace {

using Fichas = std::array<const char*, 12>;

const Fichas FichasActual = {"A1-", "A2-", "A3-", "A4-", "A5-", "B-",
                             "C-",  "D-",  "E-",  "F-",  "A1ant-", "A2ant-"};
const Fichas FichasAnterior = {"A1-", "A2-", "A3-", "A4-", "A5-", "B-",
                               "C-",  "D-",  "E-",  "F-",  "A1P-", "A2P-"};

QString resumen(const ClasesLicencia& clases, const Fichas& fichas)
{
    QString texto = QStringLiteral(" ");
    for (size_t i = 0; i < clases.size(); ++i) {
        if (clases[i]) {
            texto += QLatin1String(fichas[i]);
        }
    }
    if (texto.size() < 2) {
        return QStringLiteral(" ");
    }
    texto = texto.trimmed();
    texto.chop(1);
    return texto;
}

}  // namespace

QString LicActual(const ClasesLicencia& clases)
{
    return resumen(clases, FichasActual);
}

QString LicAnterior(const ClasesLicencia& clases)
{
    return resumen(clases, FichasAnterior);
}

QString EstadoSolicitud(bool medico, bool teorico, bool practico, bool solicitudOtorgaClase)
{
    if (!medico) {
        return Estados::Reprobado;
    }
    if ((!teorico || !practico) && solicitudOtorgaClase) {
        return Estados::Reprobado;
    }
    return Estados::Ok;
}

ExamenGrabado ExamenConControl(bool examenControl, bool marcado, const QString& profesional)
{
    if (examenControl && !marcado) {
        return {SiNo(true), QStringLiteral("Control")};
    }
    return {SiNo(marcado), profesional};
}

QString DigitosRut(const QString& rut)
{
    return rut.mid(0, 2) + rut.mid(3, 3) + rut.mid(7, 3) + rut.mid(11, 1);
}

int EdadCumplida(const QDate& nacimiento, const QDate& hoy)
{
    int anios = hoy.year() - nacimiento.year();
    if (hoy.month() < nacimiento.month() ||
        (hoy.month() == nacimiento.month() && hoy.day() < nacimiento.day())) {
        --anios;
    }
    return qMax(0, anios);
}
