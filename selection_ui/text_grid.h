#pragma once
// A grid of texts in the manner of the classic flex grid: rows and columns of texts, a
// number of fixed (heading) rows, per-column widths in twips and alignment, per-row
// heights. Rows are appended as one text with the cells separated by tabs. The selection
// windows show it through GridView; the print report reads the same texts.

#include <QAbstractTableModel>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

// Twips to pixels: 15 twips a pixel (1440 twips an inch at 96 dots an inch).
constexpr int kTwipsPerPixel = 15;
constexpr int twipsToPixels(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

class TextGrid : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TextGrid(QObject* parent = nullptr);

    int rows() const { return int(cells_.size()); }
    int cols() const { return cols_; }
    // Grows with empty rows or drops rows from the end.
    void setRows(int count);
    // Grows with empty cells or drops cells from the right of every row.
    void setCols(int count);

    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int count);

    // The text of a cell; empty outside the grid.
    QString text(int row, int col) const;
    // Ignored outside the grid.
    void setText(int row, int col, const QString& text);

    // Appends one row; the cells are separated by tabs, extra cells are dropped.
    void addItem(const QString& tabSeparatedCells);
    // Appends several rows in one step (one insertion for the views to follow).
    void addItems(const QStringList& tabSeparatedRows);
    // Removes one row; ignored outside the grid.
    void removeItem(int row);

    int colWidth(int col) const;            // twips; 0 outside the grid
    void setColWidth(int col, int twips);
    bool rightAligned(int col) const;       // otherwise the default (left) alignment
    void setRightAligned(int col, bool right);
    int rowHeight(int row) const;           // twips; 0 for the default height
    void setRowHeight(int row, int twips);

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QList<QStringList> cells_;
    QList<int> rowHeights_;
    QList<int> colWidths_;
    QList<bool> rightAligned_;
    int cols_ = 2;
    int fixedRows_ = 1;
};

// The text a copy of the grid puts on the clipboard: the rows 0 and 1, then the rows from
// `firstRow` to `lastRow`; of each row the cells of the columns 1 to `lastCol`, each
// followed by a tab, and a line feed after the row. Column 0 (the print marks) is never
// copied. Rows outside the grid are left out.
QString clipboardText(const TextGrid& grid, int firstRow, int lastRow, int lastCol);

// The print mark in column 0 of a data row: "" becomes "S", "S" becomes "", any other text
// stays. Returns whether the cell changed. Heading rows are never marked.
bool togglePrintMark(TextGrid& grid, int row);

} // namespace tarvello
