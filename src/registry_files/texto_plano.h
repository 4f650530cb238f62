#pragma once

#include <QByteArray>
#include <QString>

// A whole number as text of exactly `ancho` characters (1 to 96), filled
// with "0" on the left; a number with more digits keeps its last ones.
QString RellenaCeros(qint32 valor, int ancho);

// The text in the registry's single-byte code page, Windows-1252: one byte
// per character, "?" for a character the code page cannot hold and for a
// control character (a line break inside a value would split a record), so
// that a fixed-width field never shifts.
QByteArray TextoPlano(const QString& texto);

// The bytes of a text field: TextoPlano of the text, padded with blanks on
// the right or cut to `ancho` bytes.
QByteArray CampoPlano(const QString& texto, int ancho);
