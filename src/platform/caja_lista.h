#pragma once

#include <QComboBox>

// A combo box that takes typed text as well as a choice from its list. Its
// list position is that of the chosen entry, -1 when none is chosen: typing
// into the box leaves no entry chosen, as does putting a text into it.
class CajaLista : public QComboBox {
    Q_OBJECT
public:
    explicit CajaLista(QWidget* padre = nullptr);

    // Replaces the entries; the text and the (empty) choice stay.
    void llena(const QStringList& entradas);
    void fijaTexto(const QString& texto);
    QString texto() const { return currentText(); }
    int posicion() const { return currentIndex(); }

private:
    void alEditar(const QString& texto);
};

// Chooses the first entry equal to the box's text when both are compared in
// upper case; otherwise the choice stays as it was.
void SeleccionaEnLista(CajaLista& lista);
