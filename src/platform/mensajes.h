#pragma once

#include <QString>

// A message box: text, title, buttons and icon; returns the button pressed.
enum class Botones { Aceptar, SiNo };
enum class Icono { Ninguno, Informacion, Critico };
enum class Respuesta { Aceptar, Si, No };

class Mensajes {
public:
    virtual ~Mensajes() = default;
    virtual Respuesta muestra(const QString& texto, const QString& titulo,
                              Botones botones = Botones::Aceptar,
                              Icono icono = Icono::Ninguno) = 0;
};

class QWidget;

class MensajesQt : public Mensajes {
public:
    Respuesta muestra(const QString& texto, const QString& titulo, Botones botones,
                      Icono icono) override;
};
