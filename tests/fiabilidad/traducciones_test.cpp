#include "app/traducciones.h"
#include "prueba.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <iostream>

TEST(TraduccionesQt, LosBotonesYLosDialogosDeImpresionHablanCastellano)
{
    const auto traductor = TraduccionesQt();
    ASSERT_TRUE(traductor) << "faltan las traducciones de Qt (paquete qt6-translations-l10n)";
    ASSERT_TRUE(QCoreApplication::installTranslator(traductor.get()));

    QMessageBox caja;
    caja.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes |
                            QMessageBox::No);
    QStringList botones;
    for (const auto boton : {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes, QMessageBox::No}) {
        botones << caja.button(boton)->text().remove(QLatin1Char('&'));
    }
    EXPECT_EQ(botones, QStringList({"Aceptar", "Cancelar", "Sí", "No"}));

    QPrinter impresora;
    QPrintDialog impresion(&impresora);
    QPageSetupDialog pagina(&impresora);
    std::cout << "[traducciones] " << traductor->filePath().toStdString() << ": "
              << botones.join(", ").toStdString() << "; «" << impresion.windowTitle().toStdString()
              << "», «" << pagina.windowTitle().toStdString() << "»\n";
    EXPECT_EQ(impresion.windowTitle(), "Imprimir");
    EXPECT_EQ(pagina.windowTitle(), "Configuración de página");
    QCoreApplication::removeTranslator(traductor.get());
}
