#pragma once

#include <QString>

class QWidget;

// Saves what the clerk sees as NAME.png in the folder LICENCIAS_CAPTURAS
// names; does nothing when it names none.
void GuardaCaptura(QWidget& ventana, const QString& nombre);
