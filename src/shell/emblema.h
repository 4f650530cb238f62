#pragma once

#include <QString>
#include <QWidget>

class QLabel;

inline const QString TituloSistema = QStringLiteral("Sistema de Licencias de Conducir");

// A centred line of the shell forms; a positive `aumento` enlarges it by
// that many points and makes it bold.
QLabel* LineaCentrada(const QString& texto, int aumento, QWidget* padre);

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
