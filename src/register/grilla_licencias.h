#pragma once

#include "platform/grilla.h"

class Recordset;

// The rows of a TLicencias query as the browser shows them: the column
// names of the table (whatever case the engine reports them in), null as
// empty text, and every date as dd-MM-yyyy.
TablaTextos TablaLicencias(const Recordset& licencias);
