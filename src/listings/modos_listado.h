#pragma once

#include <QString>
#include <QStringList>

// What the listing form shows for a listing mode: the folio panel (a date
// range and a sort order) or the month panel (a month and a year), and the
// captions of the form and of that panel.
struct ModoListadoForm {
    const char* modo;  // nullptr: the month panel of every other mode
    bool panelFolios;
    const char* tituloForm;
    const char* tituloPanel;
};

// The entry of a listing mode, compared trimmed. The five folio modes have
// their own entry; "Estadistica" takes the granted captions and every other
// value the denial captions.
const ModoListadoForm& BuscaModoListado(const QString& modo);

// The two modes whose "Aceptar" runs a statistics sheet.
inline const QString ModoEstadistica = QStringLiteral("Estadistica");
inline const QString ModoDenegada = QStringLiteral("Denegada");

// The month panel's list, "Enero" to "Diciembre": the list position is the
// month number minus one.
const QStringList& NombresMeses();
