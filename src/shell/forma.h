#pragma once

#include <QDialog>
#include <functional>

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

protected:
    // Runs the event procedure when the button is pressed; a failing
    // database or printer is reported and the form stays open.
    void alPulsar(QAbstractButton* boton, std::function<void()> procedimiento);
    // Escape does not close a form: each leaves through its own button or
    // the window's close box.
    void keyPressEvent(QKeyEvent* evento) override;

private:
    Aplicacion& app_;
};
