#pragma once
// The language window: six language badges with their names; a click changes the
// language of the whole program and remembers it for the next start.

#include <QWidget>

class QLabel;
class QToolButton;

namespace tarvello {

// Language number 0..5 (Italian, English, French, German, Spanish, Polish) to its base.
constexpr qint16 languageBaseOfNumber(int number) { return static_cast<qint16>((2 * number + 1) * 100); }

class Flingua : public QWidget {
    Q_OBJECT
public:
    explicit Flingua(QWidget* owner = nullptr);

    // The language change: new base, captions of the main window, every window but the
    // main window and this one unloaded, "Multi" written, this window unloaded, a new
    // chooser shown.
    void Image1_Click(int index);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lblLingua[6] = {};
    QToolButton* Image1[6] = {};
};

} // namespace tarvello
