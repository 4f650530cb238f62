#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Texts a clerk can type or paste that have broken programs like this one:
// SQL quoting, LIKE wildcards, escapes, letters beyond ASCII and beyond the
// registry's code page, control characters, overlong and empty text.
struct TextoDificil {
    const char* nombre;
    QString texto;
    // The text, trimmed, as the registry files write it in Windows-1252:
    // "?" for whatever the code page cannot hold.
    QByteArray enPlano;
    // Whether a command line can carry it (an argument cannot hold NUL).
    bool enLineaDeComandos = true;
};

inline QString MilCaracteres()
{
    // Letters of every kind up to the end, so that each field's cut falls
    // on a different one, a character outside the basic plane among them.
    const QString trozo = QString::fromUtf8("Ñandú O'Brien 50%_\"x\\ 😀 Łódź ");
    QString texto;
    while (texto.size() < 1000) {
        texto += trozo;
    }
    return texto.left(1000);
}

inline QByteArray MilCaracteresEnPlano()
{
    const QByteArray trozo = "\xD1" "and\xFA O'Brien 50%_\"x\\ ? ?\xF3" "d? ";
    const QString texto = MilCaracteres().trimmed();
    QByteArray bytes;
    // One byte per character: the emoji is two UTF-16 units and one "?".
    int caracteres = 0;
    for (int i = 0; i < texto.size(); ++i) {
        caracteres += texto.at(i).isLowSurrogate() ? 0 : 1;
    }
    while (bytes.size() < caracteres) {
        bytes += trozo;
    }
    return bytes.left(caracteres);
}

inline const std::vector<TextoDificil>& TextosDificiles()
{
    static const std::vector<TextoDificil> textos = {
        {"apóstrofos", QString::fromUtf8("O'HIGGINS D'ALEMBERT ''"), "O'HIGGINS D'ALEMBERT ''"},
        {"comillas", QString::fromUtf8("\"PEPE\" RUIZ \"\""), "\"PEPE\" RUIZ \"\""},
        {"barras invertidas", QString::fromUtf8("C:\\PLANOS\\ \\' \\\\"), "C:\\PLANOS\\ \\' \\\\"},
        {"comodines", QString::fromUtf8("50% _A_ %_"), "50% _A_ %_"},
        {"acentos y eñe", QString::fromUtf8("ÑUÑOA Peñalolén Müller ü €"),
         "\xD1U\xD1OA Pe\xF1" "alol\xE9n M\xFCller \xFC \x80"},
        {"letra y acento por separado", QString::fromUtf8("Jose\u0301 Mun\u0303oz"),
         "Jos\xE9 Mu\xF1oz"},
        {"fuera de Windows-1252", QString::fromUtf8("Łódź Ω Привет 中文 😀"),
         "?\xF3" "d? ? ?????? ?? ?"},
        {"caracteres de control", QString::fromUtf8("A\tB\nC\rD\x01" "E\x7F" "F"),
         "A?B?C?D?E?F"},
        {"carácter nulo", QString(QStringLiteral("ANTES")) + QChar(0) + QStringLiteral("DESPUES"),
         "ANTES?DESPUES", false},
        {"mil caracteres", MilCaracteres(), MilCaracteresEnPlano()},
        {"solo blancos", QStringLiteral("   "), ""},
        {"vacío", QString(), ""},
    };
    return textos;
}
