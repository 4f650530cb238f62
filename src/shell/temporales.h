#pragma once

#include <QString>

// Deletes every *.tmp file of a folder; every error (no match, a file in
// use, a missing folder) is ignored.
void BorraTemporalesEn(const QString& carpeta);
// The application folder's *.tmp files.
void BorraTemporales(const QString& carpetaAplicacion);
// The *.tmp files at the root of the application folder's drive; only
// Windows has drive roots.
void BorraTemporalesRaiz(const QString& carpetaAplicacion);
