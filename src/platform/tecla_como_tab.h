#pragma once

#include <QObject>

class QWidget;

// On the forms that ask for it, Enter and Down-arrow move the focus to the
// next control in tab order, as Tab does. A focused button keeps Enter (it
// presses the button) and the grid keeps both keys (they move its rows).
class TeclaComoTab : public QObject {
    Q_OBJECT
public:
    // The filter lives as long as the form.
    static void instala(QWidget& forma);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    explicit TeclaComoTab(QWidget& forma);
    QWidget& forma_;
};
