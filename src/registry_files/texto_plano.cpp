#include "registry_files/texto_plano.h"

#include <QList>

#include <algorithm>
#include <array>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page defines nothing.
constexpr std::array<char16_t, 32> Bytes80a9F = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char byteDe(char32_t caracter)
{
    if (caracter < 0x20 || caracter == 0x7F) {
        return '?';
    }
    if (caracter < 0x80 || (caracter >= 0xA0 && caracter <= 0xFF)) {
        return char(caracter);
    }
    const auto it = std::find(Bytes80a9F.begin(), Bytes80a9F.end(), caracter);
    return it == Bytes80a9F.end() ? '?' : char(0x80 + (it - Bytes80a9F.begin()));
}

}  // namespace

QString RellenaCeros(qint32 valor, int ancho)
{
    return (QString(96, QLatin1Char('0')) + QString::number(valor)).right(std::clamp(ancho, 1, 96));
}

QByteArray TextoPlano(const QString& texto)
{
    // Composed form first: a letter typed as base plus accent is one character.
    const QList<uint> caracteres = texto.normalized(QString::NormalizationForm_C).toUcs4();
    QByteArray bytes;
    bytes.reserve(caracteres.size());
    for (const uint c : caracteres) {
        bytes += byteDe(char32_t(c));
    }
    return bytes;
}

QByteArray CampoPlano(const QString& texto, int ancho)
{
    return TextoPlano(texto).leftJustified(ancho, ' ', true);
}
