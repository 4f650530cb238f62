#include "platform/mensajes.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>

Respuesta MensajesQt::muestra(const QString& texto, const QString& titulo, Botones botones,
                              Icono icono)
{
    QMessageBox caja(QApplication::activeWindow());
    caja.setWindowTitle(titulo);
    caja.setText(texto);
    // A command or an engine's detail in the text can be copied for the IT staff.
    caja.setTextInteractionFlags(Qt::TextSelectableByMouse);
    caja.setIcon(icono == Icono::Informacion ? QMessageBox::Information
                 : icono == Icono::Critico   ? QMessageBox::Critical
                                             : QMessageBox::NoIcon);
    if (botones == Botones::SiNo) {
        caja.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
        caja.setDefaultButton(QMessageBox::Yes);
        return caja.exec() == QMessageBox::Yes ? Respuesta::Si : Respuesta::No;
    }
    caja.setStandardButtons(QMessageBox::Ok);
    caja.button(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    caja.exec();
    return Respuesta::Aceptar;
}
