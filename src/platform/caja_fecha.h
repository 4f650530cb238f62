#pragma once

#include <QDateEdit>

// A date picker whose text is always dd-MM-yyyy, whatever the locale.
class CajaFecha : public QDateEdit {
    Q_OBJECT
public:
    explicit CajaFecha(QWidget* padre = nullptr);

    // The form's own "no date" value.
    static QDate sinFecha() { return QDate(1900, 1, 1); }
    // Reads a date text by its places: day 1-2, month 4-5, year 7-10,
    // whatever the separator. Empty or not a date gives sinFecha().
    static QDate interpreta(const QString& texto);
    static QString formatea(const QDate& fecha);

    QString texto() const { return formatea(date()); }
    void fijaTexto(const QString& texto) { setDate(interpreta(texto)); }

protected:
    // A click that brings the focus in starts at the day, so the clerk can
    // type the whole date wherever the box was clicked.
    void mousePressEvent(QMouseEvent* evento) override;
};
