#include "platform/reloj.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <ctime>
#endif

namespace {

bool fijaRelojLocal(const QDateTime& momento)
{
    if (!momento.isValid()) {
        return false;
    }
#ifdef Q_OS_WIN
    SYSTEMTIME st{};
    st.wYear = WORD(momento.date().year());
    st.wMonth = WORD(momento.date().month());
    st.wDay = WORD(momento.date().day());
    st.wHour = WORD(momento.time().hour());
    st.wMinute = WORD(momento.time().minute());
    st.wSecond = WORD(momento.time().second());
    return SetLocalTime(&st) != 0;
#else
    timespec ts{};
    ts.tv_sec = time_t(momento.toSecsSinceEpoch());
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
#endif
}

}  // namespace

bool RelojSistemaQt::fijaFecha(const QDate& fecha)
{
    return fijaRelojLocal(QDateTime(fecha, QTime::currentTime()));
}

bool RelojSistemaQt::fijaHora(const QTime& hora)
{
    return fijaRelojLocal(QDateTime(QDate::currentDate(), hora));
}
