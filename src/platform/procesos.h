#pragma once

#include <QString>
#include <QStringList>

// Starts other programs without waiting for them.
class Procesos {
public:
    virtual ~Procesos() = default;
    virtual bool inicia(const QString& programa, const QStringList& argumentos) = 0;
    virtual bool abreDireccion(const QString& direccion) = 0;
};

class ProcesosQt : public Procesos {
public:
    bool inicia(const QString& programa, const QStringList& argumentos) override;
    bool abreDireccion(const QString& direccion) override;
};
