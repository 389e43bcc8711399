#pragma once
// The grid control of the selection windows: shows a TextGrid with its widths (twips, 15
// a pixel), alignment, row heights and fixed rows. A click on a data row toggles its
// print mark; Ctrl+C copies the heading rows and the selected rows to the clipboard.

#include "selection_ui/text_grid.h"

#include <QTableView>

namespace tarvello {

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    TextGrid& grid() { return grid_; }
    const TextGrid& grid() const { return grid_; }

    // Applies the grid's column widths and row heights (after a layout of the grid).
    void applyGeometry();
    // The narrowest width the grid takes; above it the grid asks for the width of its
    // columns. Without a floor the grid asks for nothing.
    void setMinimumWidthFloor(int pixels);

    // Grd_Click: the current column becomes 0 and the row's print mark toggles.
    void clickRow(int row);
    // Grd_KeyPress with Ctrl+C: the copy text of the current selection, put on the
    // clipboard. Returns the text.
    QString copySelection();

    // The first and last selected data rows and the last selected column; with no
    // selection the current cell; with neither, no data rows and the last column.
    struct Selection {
        int firstRow = 0;
        int lastRow = -1;
        int lastCol = 0;
    };
    Selection selection() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The drawn width of every cell's text, kept as rows arrive, change or leave, so that a
    // layout measures each cell once (pixels, before the margin).
    void measureAll();
    QList<int> measureRow(int row) const;
    int widthShowingWholeTexts(int col) const;
    void askForRoomOfColumns();

    TextGrid grid_;
    QList<QList<int>> textWidths_; // per row, per column
    int minimumWidthFloor_ = 0;
};

} // namespace tarvello
