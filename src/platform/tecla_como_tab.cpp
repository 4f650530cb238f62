#include "platform/tecla_como_tab.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QScrollArea>

namespace {

// The control the clerk sees: a date picker or a combo box, not the line
// edit inside it.
QWidget* controlVisible(QWidget* w, const QWidget& forma)
{
    for (QWidget* p = w; p && p != &forma; p = p->parentWidget()) {
        if (qobject_cast<QAbstractSpinBox*>(p) || qobject_cast<QComboBox*>(p)) {
            return p;
        }
    }
    return w;
}

bool tomaElFoco(const QWidget* w, const QWidget& forma)
{
    return w->window() == &forma && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() &&
           w->isVisibleTo(&forma) && !w->focusProxy();
}

// The next control in tab order after `actual` as a whole: one key press,
// one control, whatever parts the control has inside.
QWidget* siguienteControl(QWidget* actual, const QWidget& forma)
{
    for (QWidget* w = actual->nextInFocusChain(); w != actual; w = w->nextInFocusChain()) {
        if (tomaElFoco(w, forma) && controlVisible(w, forma) != actual && !actual->isAncestorOf(w)) {
            return w;
        }
    }
    return actual;
}

// Inside a scroll area the control that takes the focus comes into view.
void muestraEnSuArea(QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(p)) {
            area->ensureWidgetVisible(w);
        }
    }
}

}  // namespace

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
    QWidget* siguiente = siguienteControl(controlVisible(control, forma_), forma_);
    siguiente->setFocus(Qt::TabFocusReason);
    muestraEnSuArea(siguiente);
    return true;
}
