#include "platform/ventanas.h"

#include <QDialog>
#include <QScreen>

void VentanasQt::muestraModal(QDialog& forma, QWidget* dueno)
{
    // The form stays a top-level window (the application owns it); it is
    // only placed over its owner, within the screen, and made modal.
    if (dueno) {
        if (!forma.testAttribute(Qt::WA_Resized)) {
            forma.adjustSize();
        }
        QRect lugar(QPoint(), forma.size());
        lugar.moveCenter(dueno->frameGeometry().center());
        if (const QScreen* pantalla = dueno->screen()) {
            const QRect disponible = pantalla->availableGeometry();
            lugar.moveLeft(qBound(disponible.left(), lugar.left(),
                                  qMax(disponible.left(), disponible.right() - lugar.width())));
            lugar.moveTop(qBound(disponible.top(), lugar.top(),
                                 qMax(disponible.top(), disponible.bottom() - lugar.height())));
        }
        forma.move(lugar.topLeft());
    }
    forma.exec();
}

void VentanasQt::muestra(QWidget& forma)
{
    forma.show();
    forma.raise();
    forma.activateWindow();
}

void VentanasQt::oculta(QWidget& forma)
{
    forma.hide();
}
