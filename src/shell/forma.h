#pragma once

#include <QDialog>
#include <functional>
#include <stdexcept>

class Aplicacion;
class QAbstractButton;

// A form of the system: it belongs to the Aplicacion, has the system's
// name as its object name and runs its load step once it exists.
class Forma : public QDialog {
    Q_OBJECT
public:
    Forma(Aplicacion& app, const QString& nombre, const QString& titulo);

    virtual void Form_Load() {}
    Aplicacion& app() { return app_; }

    // A control of this form by its name. A name the form does not have, or
    // a control of another kind, is a fault of the program: it throws
    // ErrorPrograma naming the form and the control.
    template <class W = QWidget>
    W& control(const QString& nombre) const
    {
        W* w = findChild<W*>(nombre);
        if (!w) {
            throw ErrorPrograma(objectName(), nombre);
        }
        return *w;
    }

    class ErrorPrograma : public std::logic_error {
    public:
        ErrorPrograma(const QString& forma, const QString& control)
            : std::logic_error(QStringLiteral("El formulario %1 no tiene el control %2")
                                   .arg(forma, control)
                                   .toStdString()) {}
    };

protected:
    // Runs the event procedure when the button is pressed; a failing
    // database or printer is reported and the form stays open.
    void alPulsar(QAbstractButton* boton, std::function<void()> procedimiento);
    // The same for any signal (a grid click, a field's change): no failure
    // of the reaction leaves it for the event loop.
    template <class Emisor, class Senal>
    void alSenal(Emisor* emisor, Senal senal, std::function<void()> reaccion)
    {
        connect(emisor, senal, this, [this, reaccion = std::move(reaccion)] { protege(reaccion); });
    }
    void protege(const std::function<void()>& reaccion);
    // Escape does not close a form: each leaves through its own button or
    // the window's close box.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    Aplicacion& app_;
};
