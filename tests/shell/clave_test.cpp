#include "prueba.h"
#include "shell/clave.h"

TEST(CodificaClave, ReordenaYDesplazaCadaCaracterSegunLaPaginaDeWindows)
{
    // Stored: p3+6, p6+2, p4+3, p5+8, p1+4, p2+1.
    const struct {
        QString clave;
        std::optional<QString> codificada;
    } casos[] = {
        {"abcdef", QString("ihgmec")},
        {"Abcdef", QString("ihgmEc")},  // one letter in the other case
        {"123456", QString("987=53")},
        {"demo01", QString("s3r8hf")},
        {"a'b c!", QString("h##ke(")},
        {QString::fromUtf8("€abcde"), QString::fromUtf8("hgfl„b")},
        {"zzzzzz", QString::fromUtf8("€|}‚~{")},
        {"ab{def", QString::fromUtf8("\u0081hgmec")},  // a code the page leaves unassigned
        {QString::fromUtf8("ñandú1"), std::nullopt},    // ú + 8 passes 255
        {QString::fromUtf8("ab✓def"), std::nullopt},    // not in the code page
        {"abcde", std::nullopt},
        {"abcdefg", std::nullopt},
    };
    for (const auto& caso : casos) {
        EXPECT_EQ(CodificaClave(caso.clave), caso.codificada) << caso.clave.toStdString();
    }
}
