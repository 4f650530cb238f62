#pragma once

#include <QTranslator>
#include <memory>

// Qt's own texts in Spanish: the standard buttons of every message box
// ("Aceptar", "Cancelar", "Sí", "No"), the print and page dialogs. Loaded
// from Qt's translations folder, or from "translations" beside the program;
// nothing when neither holds them.
std::unique_ptr<QTranslator> TraduccionesQt();
