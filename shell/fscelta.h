#pragma once
// The product-line chooser: three frames with a picture each; a click on a frame or its
// picture opens the selection window of that line.

#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace tarvello {

// Runs the pick of product line `index`: sets the caption of the line's selection window,
// loads the line's models and shows the window modally. Line 1 and 2 also set the series
// code. A failed load is reported and then ends the program in order. Other indexes do
// nothing.
void selectLine(int index);

// A frame that reports a click anywhere on it.
class ClickableFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A picture that reports a click.
class ClickablePicture : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class Fscelta : public QWidget {
    Q_OBJECT
public:
    Fscelta();
    void load();

    void frmselection_Click(int index) { selectLine(index); }
    void imgselection_Click(int index) { selectLine(index); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* lbltitolo = nullptr;
    ClickableFrame* frmselection[3] = {};
    ClickablePicture* imgselection[3] = {};
    int titleDesignSize = 0;
};

} // namespace tarvello
