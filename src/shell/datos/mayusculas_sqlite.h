#pragma once

struct sqlite3;

// Replaces SQLite's upper(), which folds ASCII letters only, by one that
// folds every letter as PostgreSQL does, so a search compares the same way
// on both engines. Returns SQLite's result code.
int RegistraMayusculasUnicode(sqlite3* base);
