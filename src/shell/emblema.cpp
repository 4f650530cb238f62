#include "shell/emblema.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>

Emblema::Emblema(QWidget* padre) : QWidget(padre)
{
    setMinimumSize(240, 150);
}

void Emblema::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double ancho = qMin(double(width()), height() * 1.6) - 8;
    const double alto = ancho / 1.6;
    const QRectF tarjeta((width() - ancho) / 2, (height() - alto) / 2, ancho, alto);

    QLinearGradient fondo(tarjeta.topLeft(), tarjeta.bottomRight());
    fondo.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    fondo.setColorAt(1, QColor(0x3f, 0x8e, 0xc9));
    p.setPen(QPen(QColor(0x12, 0x33, 0x5e), 2));
    p.setBrush(fondo);
    p.drawRoundedRect(tarjeta, alto * 0.08, alto * 0.08);

    // Photo place and lines of text.
    const QRectF foto(tarjeta.left() + alto * 0.1, tarjeta.top() + alto * 0.3, alto * 0.45, alto * 0.55);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRoundedRect(foto, 4, 4);
    p.setBrush(QColor(0x1f, 0x4e, 0x8c));
    p.drawEllipse(QPointF(foto.center().x(), foto.top() + foto.height() * 0.38), foto.width() * 0.2,
                  foto.width() * 0.2);
    QPainterPath hombros;
    hombros.addEllipse(QPointF(foto.center().x(), foto.bottom()), foto.width() * 0.36,
                       foto.height() * 0.3);
    p.setClipRect(foto);
    p.drawPath(hombros);
    p.setClipping(false);
    p.setBrush(QColor(255, 255, 255, 150));
    for (int i = 0; i < 4; ++i) {
        p.drawRoundedRect(QRectF(foto.right() + alto * 0.1, foto.top() + i * alto * 0.13,
                                 ancho * (i == 0 ? 0.5 : 0.4), alto * 0.05),
                          2, 2);
    }

    QFont letra = font();
    letra.setBold(true);
    letra.setPixelSize(qMax(8, int(alto * 0.11)));
    p.setFont(letra);
    p.setPen(Qt::white);
    p.drawText(QRectF(tarjeta.left(), tarjeta.top() + alto * 0.04, tarjeta.width(), alto * 0.2),
               Qt::AlignCenter, QStringLiteral("LICENCIA DE CONDUCIR"));
}

QLabel* LineaCentrada(const QString& texto, int aumento, QWidget* padre)
{
    auto* l = new QLabel(texto, padre);
    l->setAlignment(Qt::AlignCenter);
    QFont f = l->font();
    f.setPointSize(f.pointSize() + aumento);
    f.setBold(aumento > 0);
    l->setFont(f);
    return l;
}
