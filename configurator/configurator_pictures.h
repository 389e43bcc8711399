#pragma once
// The pictures of Frm_configurator: the company logo, the show-diagram button's picture,
// and the painted parts of the DIP-switch display (switch body, knobs, column numbers).

#include <QColor>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

namespace pinvale {

// The Velmora logo drawn at `size` (device-independent pixels), keeping its proportions.
QPixmap velmoraLogo(QSize size);

// The picture of Btn_ShowWiring: a diagram sheet under a magnifying glass.
QIcon showWiringPicture();

// A flat, bevelled block of one colour: the red switch body and the switch knobs.
class PaintedBlock : public QWidget {
public:
    PaintedBlock(QColor face, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor face_;
};

// The column numbers 1 to 7 above the knobs, each centred on its column (`pitch` pixels
// apart, the first centred at `firstCentre`). text() holds "1 2 3 4 5 6 7".
class ColumnNumbers : public QLabel {
public:
    ColumnNumbers(int columns, double firstCentre, double pitch, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int columns_;
    double firstCentre_;
    double pitch_;
};

} // namespace pinvale
