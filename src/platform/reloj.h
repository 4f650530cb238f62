#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

// The current date and time.
class Reloj {
public:
    virtual ~Reloj() = default;
    virtual QDateTime ahora() const = 0;
    QDate hoy() const { return ahora().date(); }
};

class RelojQt : public Reloj {
public:
    QDateTime ahora() const override { return QDateTime::currentDateTime(); }
};

// Sets the computer's date or time; the platform may refuse (no permission).
class RelojSistema {
public:
    virtual ~RelojSistema() = default;
    virtual bool fijaFecha(const QDate& fecha) = 0;
    virtual bool fijaHora(const QTime& hora) = 0;
};

class RelojSistemaQt : public RelojSistema {
public:
    bool fijaFecha(const QDate& fecha) override;
    bool fijaHora(const QTime& hora) override;
};
