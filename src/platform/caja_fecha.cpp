#include "platform/caja_fecha.h"

CajaFecha::CajaFecha(QWidget* padre) : QDateEdit(padre)
{
    setDisplayFormat(QStringLiteral("dd-MM-yyyy"));
    setMinimumDate(sinFecha());
    setCalendarPopup(true);
}

void CajaFecha::mousePressEvent(QMouseEvent* evento)
{
    const bool entraConElClic = !hasFocus();
    QDateEdit::mousePressEvent(evento);
    if (entraConElClic) {
        setSelectedSection(QDateTimeEdit::DaySection);
    }
}

QDate CajaFecha::interpreta(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.size() < 10) {
        return sinFecha();
    }
    bool okDia = false, okMes = false, okAnio = false;
    const int dia = t.mid(0, 2).toInt(&okDia);
    const int mes = t.mid(3, 2).toInt(&okMes);
    const int anio = t.mid(6, 4).toInt(&okAnio);
    const QDate fecha(anio, mes, dia);
    if (!okDia || !okMes || !okAnio || !fecha.isValid() || fecha < sinFecha()) {
        return sinFecha();
    }
    return fecha;
}

QString CajaFecha::formatea(const QDate& fecha)
{
    return fecha.toString(QStringLiteral("dd-MM-yyyy"));
}
