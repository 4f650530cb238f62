#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// A registry file written under a temporary name in its own folder and
// renamed only when whole, so that nobody ever reads half a file: a failure
// half way, or a run that ends early, leaves the earlier file as it was.
class EscrituraPlano {
public:
    explicit EscrituraPlano(const QString& ruta);
    EscrituraPlano(const EscrituraPlano&) = delete;
    EscrituraPlano& operator=(const EscrituraPlano&) = delete;

    bool abierta() const { return abierto_; }
    // One line with its CR LF end.
    void escribeLinea(const QByteArray& linea);
    // Renames the whole file into place; false when anything failed on the way.
    bool termina();
    // Why the file could not be written, in Spanish with the system's text.
    QString motivo() const;

private:
    QSaveFile archivo_;
    bool abierto_ = false;
};

// Copies a written file into `carpeta`, created when missing, under the same
// name and through a temporary name. False, and the reason in `motivo`, when
// it could not.
bool CopiaPlano(const QString& origen, const QString& carpeta, QString* motivo);
