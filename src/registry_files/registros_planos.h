#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>

class Fila;

// The records of the registry files, each built from one stored row of
// AuxTLicencias, as the single-byte text of one line without its line end.

// L record of the licence file LPVN000: 208 characters.
QByteArray RegistroLicencia(const Fila& fila);
// L record of the restriction file RPVN000: 232 characters.
QByteArray RegistroRestriccion(const Fila& fila);
// D record (domicile) of both files: 158 characters.
QByteArray RegistroDomicilio(const Fila& fila);
// Record of the denial file DPVN000: 8 + 25 per denial reason with a denied
// class + 79 characters, when the reasons and the duration have the lengths
// the denial form gives them.
QByteArray RegistroDenegacion(const Fila& fila);

// The columns the records read, so that a file's rows are read with these
// only.
QStringList ColumnasRegistros();

// The lines each file writes for one application.
QByteArrayList LineasLicencia(const Fila& fila);
QByteArrayList LineasRestriccion(const Fila& fila);
QByteArrayList LineasDenegacion(const Fila& fila);
