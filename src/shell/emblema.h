#pragma once

#include <QWidget>

// The picture the main menu, the exit form and the credits form show: a
// driving licence card.
class Emblema : public QWidget {
    Q_OBJECT
public:
    explicit Emblema(QWidget* padre = nullptr);
    QSize sizeHint() const override { return {360, 220}; }

protected:
    void paintEvent(QPaintEvent*) override;
};
