#include "platform/tecla_como_tab.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

TeclaComoTab::TeclaComoTab(QWidget& forma) : QObject(&forma), forma_(forma) {}

void TeclaComoTab::instala(QWidget& forma)
{
    qApp->installEventFilter(new TeclaComoTab(forma));
}

bool TeclaComoTab::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress || !objeto->isWidgetType()) {
        return false;
    }
    auto* control = static_cast<QWidget*>(objeto);
    if (control->window() != &forma_) {
        return false;
    }
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    const bool enter = tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
    const bool abajo = tecla->key() == Qt::Key_Down;
    const auto modificadores = tecla->modifiers() & ~Qt::KeypadModifier;
    if ((!enter && !abajo) || modificadores != Qt::NoModifier) {
        return false;
    }
    for (QWidget* w = control; w && w != &forma_; w = w->parentWidget()) {
        if (qobject_cast<QAbstractItemView*>(w)) {
            return false;
        }
    }
    if (enter && qobject_cast<QAbstractButton*>(control)) {
        return false;
    }
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &tab);
    return true;
}
