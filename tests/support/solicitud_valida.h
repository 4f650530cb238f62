#pragma once

class Form_Licencia;

// Clears the licence form and fills it with a renewal (change of class, B)
// that passes every check without a question: physician "DR. PEDRO SOTO",
// folio "CA04354520".
void LlenaSolicitudValida(Form_Licencia& forma);

class QString;
class QWidget;

// The value a field control shows, as text of its stored form ("Si"/"No"
// for a check box, dd-mm-yyyy for a date).
QString TextoDelControl(const QWidget* control);
