#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <vector>

// What a PDF written by the program shows: enough of the format to read
// back the pages and the texts the Qt PDF writer puts on them (compressed
// content streams, fonts with a ToUnicode map, Td/Tm placement).
struct TextoPdf {
    QString texto;
    double x;  // start of the baseline, centimetres from the left edge
    double y;  // centimetres from the top edge
    double puntos;
    int pagina;  // 0 for the first
};

struct DocumentoPdf {
    int paginas = 0;
    QSizeF hojaPuntos;  // MediaBox of the first page
    std::vector<TextoPdf> textos;
};

DocumentoPdf LeePdf(const QByteArray& pdf);
