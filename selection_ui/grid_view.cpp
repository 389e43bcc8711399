#include "selection_ui/grid_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace tarvello {

GridView::GridView(QWidget* parent) : QTableView(parent)
{
    setModel(&grid_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    // The headings must fit columns of 850 twips: a small font, wrapped, never elided.
    QFont small = font();
    small.setPointSizeF(std::min(small.pointSizeF(), 8.0));
    setFont(small);
    setTextElideMode(Qt::ElideNone);
    // Result rows one text line high, so that a whole product line fits on the screen.
    verticalHeader()->setDefaultSectionSize(QFontMetrics(small).height() + 6);
    connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) { clickRow(index.row()); });
    connect(&grid_, &QAbstractItemModel::modelReset, this, &GridView::applyGeometry);
    connect(&grid_, &QAbstractItemModel::rowsInserted, this, &GridView::applyGeometry);
}

// The narrowest on-screen width that shows every cell text of a column whole: the widest
// cell, with a heading measured by its longest word since headings wrap.
int GridView::widthShowingWholeTexts(int col) const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int row = 0; row < grid_.rows(); ++row) {
        const QString text = grid_.index(row, col).data(Qt::DisplayRole).toString();
        const bool wraps = grid_.rowHeight(row) > 0;
        if (wraps) {
            for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                widest = std::max(widest, metrics.horizontalAdvance(word));
        } else {
            widest = std::max(widest, metrics.horizontalAdvance(text));
        }
    }
    return widest > 0 ? widest + 8 : 0;
}

void GridView::applyGeometry()
{
    // The grid's widths in twips stay as they are for the report; on screen a column only
    // grows where a model name or a heading word would otherwise be cut. A column of width 0
    // stays hidden.
    for (int col = 0; col < grid_.cols(); ++col) {
        const int pixels = twipsToPixels(grid_.colWidth(col));
        setColumnWidth(col, pixels > 0 ? std::max(pixels, widthShowingWholeTexts(col)) : 0);
    }
    askForRoomOfColumns();
    const int defaultHeight = verticalHeader()->defaultSectionSize();
    for (int row = 0; row < grid_.rows(); ++row) {
        const int twips = grid_.rowHeight(row);
        setRowHeight(row, twips > 0 ? twipsToPixels(twips) : defaultHeight);
    }
}

// The grid asks for the width its columns need (long headings in some languages make them
// wider), so that the window grows to show every column, within the screen.
void GridView::askForRoomOfColumns()
{
    if (minimumWidthFloor_ <= 0)
        return;
    const int needed = horizontalHeader()->length() + 2 * frameWidth()
        + verticalScrollBar()->sizeHint().width();
    const QScreen* shownOn = screen();
    const int room = shownOn ? shownOn->availableGeometry().width() - 80 : needed;
    setMinimumWidth(std::max(minimumWidthFloor_, std::min(needed, room)));
}

void GridView::setMinimumWidthFloor(int pixels)
{
    minimumWidthFloor_ = pixels;
    setMinimumWidth(pixels);
}

void GridView::clickRow(int row)
{
    if (row < 0 || row >= grid_.rows())
        return;
    // The current cell moves to the mark column without changing the selection, so that a
    // copy after a click still takes the cells the user selected.
    selectionModel()->setCurrentIndex(grid_.index(row, 0), QItemSelectionModel::NoUpdate);
    togglePrintMark(grid_, row);
}

GridView::Selection GridView::selection() const
{
    Selection result;
    result.lastCol = grid_.cols() - 1;
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList{};
    if (!selected.isEmpty()) {
        result.firstRow = grid_.rows();
        result.lastCol = 0;
        for (const QModelIndex& index : selected) {
            result.firstRow = std::min(result.firstRow, index.row());
            result.lastRow = std::max(result.lastRow, index.row());
            result.lastCol = std::max(result.lastCol, index.column());
        }
        return result;
    }
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() >= grid_.fixedRows()) {
        result.firstRow = result.lastRow = current.row();
        result.lastCol = current.column();
    }
    return result;
}

QString GridView::copySelection()
{
    const Selection selected = selection();
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    const QString text = clipboardText(grid_, selected.firstRow, selected.lastRow, selected.lastCol);
    clipboard->setText(text);
    return text;
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace tarvello
