#pragma once

#include "platform/mensajes.h"
#include "platform/procesos.h"
#include "platform/reloj.h"
#include "platform/ventanas.h"

#include <QStringList>
#include <deque>
#include <functional>
#include <map>
#include <vector>

// Records every message box; answers questions from a scripted queue. A
// question nobody scripted fails the test.
class MensajesFalsos : public Mensajes {
public:
    struct Caja {
        QString texto;
        QString titulo;
        Botones botones;
        Icono icono;
    };
    Respuesta muestra(const QString& texto, const QString& titulo, Botones botones,
                      Icono icono) override;

    ~MensajesFalsos() override;

    void responde(Respuesta respuesta) { respuestas.push_back(respuesta); }
    // A critical box reports a failure; a test that provokes one says so first.
    void esperaCriticos(int cantidad = 1) { criticosEsperados += cantidad; }
    QStringList textos() const;

    std::vector<Caja> cajas;
    std::deque<Respuesta> respuestas;
    // Runs while a box is "open", before it answers.
    std::function<void(const Caja&)> alMostrar;

private:
    int criticosEsperados = 0;
};

// Records the forms shown; runs a scripted step while a form is "modal",
// then returns as if the form had closed.
class VentanasFalsas : public Ventanas {
public:
    void muestraModal(QDialog& forma, QWidget* dueno) override;
    void muestra(QWidget& forma) override;
    void oculta(QWidget& forma) override;

    QStringList modales;
    std::map<QString, std::function<void(QWidget&)>> mientrasModal;
};

class RelojFijo : public Reloj {
public:
    QDateTime ahora() const override { return momento; }
    QDateTime momento{QDate(2026, 12, 10), QTime(10, 30)};
};

class RelojSistemaFalso : public RelojSistema {
public:
    bool fijaFecha(const QDate& fecha) override
    {
        fechas.push_back(fecha);
        return permite;
    }
    bool fijaHora(const QTime& hora) override
    {
        horas.push_back(hora);
        return permite;
    }
    bool permite = true;
    std::vector<QDate> fechas;
    std::vector<QTime> horas;
};

class ProcesosFalsos : public Procesos {
public:
    bool inicia(const QString& programa, const QStringList& argumentos) override
    {
        iniciados << (QStringList{programa} + argumentos).join(QLatin1Char(' '));
        return resultado;
    }
    bool abreDireccion(const QString& direccion) override
    {
        direcciones << direccion;
        return resultado;
    }
    bool resultado = true;
    QStringList iniciados;
    QStringList direcciones;
};
