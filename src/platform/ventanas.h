#pragma once

class QDialog;
class QWidget;

// Shows forms modally over their owner, hides and unloads them.
class Ventanas {
public:
    virtual ~Ventanas() = default;
    // Returns when the form has closed.
    virtual void muestraModal(QDialog& forma, QWidget* dueno) = 0;
    virtual void muestra(QWidget& forma) = 0;
    virtual void oculta(QWidget& forma) = 0;
};

class VentanasQt : public Ventanas {
public:
    void muestraModal(QDialog& forma, QWidget* dueno) override;
    void muestra(QWidget& forma) override;
    void oculta(QWidget& forma) override;
};
