#include "platform/caja_lista.h"

#include "platform/caja_texto.h"

#include <QLineEdit>
#include <QSignalBlocker>

CajaLista::CajaLista(QWidget* padre) : QComboBox(padre)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(15);
    setValidator(new TextoDeCaja(this));
    connect(lineEdit(), &QLineEdit::textEdited, this, &CajaLista::alEditar);
}

void CajaLista::llena(const QStringList& entradas)
{
    const QString texto = currentText();
    const QSignalBlocker bloqueo(this);
    clear();
    addItems(entradas);
    // Never narrower than its longest entry, so no entry is cut.
    int largo = 0;
    for (const QString& e : entradas) {
        largo = qMax(largo, fontMetrics().horizontalAdvance(e));
    }
    setMinimumWidth(largo + 36);
    setCurrentIndex(-1);
    setEditText(texto);
}

void CajaLista::fijaTexto(const QString& texto)
{
    setCurrentIndex(-1);
    setEditText(texto);
}

void CajaLista::alEditar(const QString& texto)
{
    if (currentIndex() < 0) {
        return;
    }
    const int cursor = lineEdit()->cursorPosition();
    setCurrentIndex(-1);
    setEditText(texto);
    lineEdit()->setCursorPosition(cursor);
}

void SeleccionaEnLista(CajaLista& lista)
{
    const QString buscado = lista.texto().toUpper();
    for (int i = 0; i < lista.count(); ++i) {
        if (lista.itemText(i).toUpper() == buscado) {
            lista.setCurrentIndex(i);
            return;
        }
    }
}
