#include "shell/clave.h"

#include <array>

namespace {

// Characters 0x80 to 0x9F of the Windows code page; the five codes it leaves
// unassigned stand for themselves, as Windows converts them.
constexpr std::array<char16_t, 32> Windows1252Alto = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::optional<int> codigoWindows(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return int(u);
    }
    for (size_t i = 0; i < Windows1252Alto.size(); ++i) {
        if (Windows1252Alto[i] == u) {
            return int(0x80 + i);
        }
    }
    return std::nullopt;
}

QChar caracterWindows(int codigo)
{
    return codigo >= 0x80 && codigo < 0xA0 ? QChar(Windows1252Alto[size_t(codigo - 0x80)])
                                           : QChar(char16_t(codigo));
}

struct Desplazamiento {
    int posicionDigitada;  // from 1
    int suma;
};

// Stored position i (from 1) takes typed position and offset of entry i - 1.
constexpr std::array<Desplazamiento, 6> Codificacion = {
    {{3, 6}, {6, 2}, {4, 3}, {5, 8}, {1, 4}, {2, 1}}};

}  // namespace

std::optional<QString> CodificaClave(const QString& clave)
{
    if (clave.size() != 6) {
        return std::nullopt;
    }
    QString codificada;
    for (const Desplazamiento& d : Codificacion) {
        const auto codigo = codigoWindows(clave.at(d.posicionDigitada - 1));
        if (!codigo || *codigo + d.suma > 255) {
            return std::nullopt;
        }
        codificada += caracterWindows(*codigo + d.suma);
    }
    return codificada;
}
