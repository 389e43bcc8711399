#pragma once
// Keyboard handling of a selection window (Form_KeyPress): the window sees every key of
// its controls first. Enter moves on to the next control in tab order; "." and "," both
// type the locale's decimal separator. Install it with `watch(window)`.

#include <QObject>

class QWidget;

namespace tarvello {

class FormKeyPress : public QObject {
    Q_OBJECT
public:
    explicit FormKeyPress(QWidget* window);

    // Filters the keys of every control of the window (call again after adding controls).
    void watchControls();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

// The text a typed "." or "," becomes with the decimal separator `decimalSep` ("." or
// ","; any other separator leaves the key as typed).
QString separatorKeyText(const QString& typed, const QString& decimalSep);

} // namespace tarvello
