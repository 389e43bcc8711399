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
    connect(&grid_, &QAbstractItemModel::modelReset, this, [this] {
        measureAll();
        applyGeometry();
    });
    connect(&grid_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        for (int row = first; row <= last; ++row)
            textWidths_.insert(row, measureRow(row));
        applyGeometry();
    });
    connect(&grid_, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int last) {
        textWidths_.remove(first, last - first + 1);
    });
    connect(&grid_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        for (int row = from.row(); row <= to.row() && row < textWidths_.size(); ++row)
            textWidths_[row] = measureRow(row);
    });
}

void GridView::measureAll()
{
    textWidths_.clear();
    for (int row = 0; row < grid_.rows(); ++row)
        textWidths_.append(measureRow(row));
}

namespace {

// Pixels between a column's text and its edge.
constexpr int kCellMargin = 8;

// An upper bound of a text's drawn width that needs no shaping: its characters' advances,
// and a pixel each for what kerning or hinting might add.
int unshapedWidthBound(const QFontMetrics& metrics, const QString& text)
{
    int bound = 0;
    for (const QChar c : text)
        bound += metrics.horizontalAdvance(c) + 1;
    return bound;
}

} // namespace

// Each cell's text measured whole, a heading by its longest word since headings wrap. A text
// that surely fits its column is not shaped: its bound stands in for it, which leaves the
// column as wide as the grid asks (shaping every cell of every row was most of a run's time).
QList<int> GridView::measureRow(int row) const
{
    const QFontMetrics metrics(font());
    const bool wraps = grid_.rowHeight(row) > 0;
    QList<int> widths(grid_.cols(), 0);
    for (int col = 0; col < grid_.cols(); ++col) {
        const QString text = grid_.text(row, col);
        if (wraps) {
            for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
                widths[col] = std::max(widths[col], metrics.horizontalAdvance(word));
        } else if (!text.isEmpty()) {
            const int bound = unshapedWidthBound(metrics, text);
            const bool surelyFits = bound + kCellMargin <= twipsToPixels(grid_.colWidth(col));
            widths[col] = surelyFits ? bound : metrics.horizontalAdvance(text);
        }
    }
    return widths;
}

// The narrowest on-screen width that shows every cell text of a column whole.
int GridView::widthShowingWholeTexts(int col) const
{
    int widest = 0;
    for (const QList<int>& row : textWidths_)
        widest = std::max(widest, row.value(col, 0));
    return widest > 0 ? widest + kCellMargin : 0;
}

void GridView::applyGeometry()
{
    // The grid's widths in twips stay as they are for the report; on screen a column only
    // grows where a model name or a heading word would otherwise be cut. A column of width 0
    // stays hidden.
    // Only what changed is set: every resize makes the view lay itself out again.
    for (int col = 0; col < grid_.cols(); ++col) {
        const int pixels = twipsToPixels(grid_.colWidth(col));
        const int width = pixels > 0 ? std::max(pixels, widthShowingWholeTexts(col)) : 0;
        if (columnWidth(col) != width)
            setColumnWidth(col, width);
    }
    askForRoomOfColumns();
    const int defaultHeight = verticalHeader()->defaultSectionSize();
    for (int row = 0; row < grid_.rows(); ++row) {
        const int twips = grid_.rowHeight(row);
        const int height = twips > 0 ? twipsToPixels(twips) : defaultHeight;
        if (rowHeight(row) != height)
            setRowHeight(row, height);
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
