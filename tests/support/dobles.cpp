#include "dobles.h"

#include <QDialog>
#include <gtest/gtest.h>

Respuesta MensajesFalsos::muestra(const QString& texto, const QString& titulo, Botones botones,
                                  Icono icono)
{
    cajas.push_back({texto, titulo, botones, icono});
    if (icono == Icono::Critico) {
        if (criticosEsperados == 0) {
            ADD_FAILURE() << "Mensaje crítico inesperado: " << titulo.toStdString() << ": "
                          << texto.toStdString();
        } else {
            --criticosEsperados;
        }
    }
    if (alMostrar) {
        alMostrar(cajas.back());
    }
    if (botones == Botones::Aceptar) {
        return Respuesta::Aceptar;
    }
    if (respuestas.empty()) {
        ADD_FAILURE() << "Pregunta sin respuesta preparada: " << texto.toStdString();
        return Respuesta::No;
    }
    const Respuesta r = respuestas.front();
    respuestas.pop_front();
    return r;
}

MensajesFalsos::~MensajesFalsos()
{
    for (const Respuesta r : respuestas) {
        ADD_FAILURE() << "Respuesta preparada sin usar: " << int(r);
    }
}

QStringList MensajesFalsos::textos() const
{
    QStringList t;
    for (const Caja& c : cajas) {
        t << c.texto;
    }
    return t;
}

void VentanasFalsas::muestraModal(QDialog& forma, QWidget*)
{
    modales << forma.objectName();
    const auto paso = mientrasModal.find(forma.objectName());
    if (paso != mientrasModal.end()) {
        paso->second(forma);
    }
}

void VentanasFalsas::muestra(QWidget& forma)
{
    forma.show();
}

void VentanasFalsas::oculta(QWidget& forma)
{
    forma.hide();
}
