#include "selection_ui/text_grid.h"

#include <QBrush>
#include <QPalette>

#include <algorithm>

namespace tarvello {

TextGrid::TextGrid(QObject* parent) : QAbstractTableModel(parent)
{
    setCols(cols_);
}

void TextGrid::setRows(int count)
{
    count = std::max(count, 0);
    beginResetModel();
    while (rows() > count) {
        cells_.removeLast();
        rowHeights_.removeLast();
    }
    while (rows() < count) {
        QStringList row;
        for (int c = 0; c < cols_; ++c)
            row.append(QString());
        cells_.append(row);
        rowHeights_.append(0);
    }
    endResetModel();
}

void TextGrid::setCols(int count)
{
    count = std::max(count, 0);
    beginResetModel();
    cols_ = count;
    for (QStringList& row : cells_) {
        while (row.size() > count)
            row.removeLast();
        while (row.size() < count)
            row.append(QString());
    }
    while (colWidths_.size() > count) {
        colWidths_.removeLast();
        rightAligned_.removeLast();
    }
    while (colWidths_.size() < count) {
        colWidths_.append(0);
        rightAligned_.append(false);
    }
    endResetModel();
}

void TextGrid::setFixedRows(int count)
{
    beginResetModel();
    fixedRows_ = std::max(count, 0);
    endResetModel();
}

QString TextGrid::text(int row, int col) const
{
    if (row < 0 || row >= rows() || col < 0 || col >= cols_)
        return {};
    return cells_[row][col];
}

void TextGrid::setText(int row, int col, const QString& text)
{
    if (row < 0 || row >= rows() || col < 0 || col >= cols_)
        return;
    cells_[row][col] = text;
    emit dataChanged(index(row, col), index(row, col));
}

namespace {

// The cells of a tab-separated row, cut or filled to `cols`.
QStringList cellsOf(const QString& tabSeparatedCells, int cols)
{
    QStringList row = tabSeparatedCells.split(QLatin1Char('\t'));
    while (row.size() > cols)
        row.removeLast();
    while (row.size() < cols)
        row.append(QString());
    return row;
}

} // namespace

void TextGrid::addItem(const QString& tabSeparatedCells)
{
    addItems({tabSeparatedCells});
}

void TextGrid::addItems(const QStringList& tabSeparatedRows)
{
    if (tabSeparatedRows.isEmpty())
        return;
    beginInsertRows({}, rows(), rows() + int(tabSeparatedRows.size()) - 1);
    for (const QString& row : tabSeparatedRows) {
        cells_.append(cellsOf(row, cols_));
        rowHeights_.append(0);
    }
    endInsertRows();
}

void TextGrid::removeItem(int row)
{
    if (row < 0 || row >= rows())
        return;
    beginRemoveRows({}, row, row);
    cells_.removeAt(row);
    rowHeights_.removeAt(row);
    endRemoveRows();
}

int TextGrid::colWidth(int col) const
{
    return col >= 0 && col < cols_ ? colWidths_[col] : 0;
}

void TextGrid::setColWidth(int col, int twips)
{
    if (col >= 0 && col < cols_)
        colWidths_[col] = twips;
}

bool TextGrid::rightAligned(int col) const
{
    return col >= 0 && col < cols_ && rightAligned_[col];
}

void TextGrid::setRightAligned(int col, bool right)
{
    if (col >= 0 && col < cols_)
        rightAligned_[col] = right;
}

int TextGrid::rowHeight(int row) const
{
    return row >= 0 && row < rows() ? rowHeights_[row] : 0;
}

void TextGrid::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rows() || rowHeights_[row] == twips)
        return;
    rowHeights_[row] = twips;
    // A heading row wraps its texts: the views measure it anew.
    if (cols_ > 0)
        emit dataChanged(index(row, 0), index(row, cols_ - 1));
}

int TextGrid::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows();
}

int TextGrid::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : cols_;
}

QVariant TextGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const bool fixed = index.row() < fixedRows_;
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::AlignVCenter
                                   | (rightAligned(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    case Qt::BackgroundRole:
        return fixed ? QVariant(QPalette().brush(QPalette::Button)) : QVariant();
    default:
        return {};
    }
}

Qt::ItemFlags TextGrid::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.row() < fixedRows_)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString clipboardText(const TextGrid& grid, int firstRow, int lastRow, int lastCol)
{
    QList<int> rows{0, 1};
    for (int row = std::max(firstRow, 0); row <= lastRow; ++row)
        rows.append(row);
    QString text;
    for (int row : rows) {
        if (row >= grid.rows())
            continue;
        for (int col = 1; col <= lastCol && col < grid.cols(); ++col)
            text += grid.text(row, col) + QLatin1Char('\t');
        text += QLatin1Char('\n');
    }
    return text;
}

bool togglePrintMark(TextGrid& grid, int row)
{
    if (row < grid.fixedRows() || row >= grid.rows())
        return false;
    const QString mark = grid.text(row, 0);
    if (mark.isEmpty())
        grid.setText(row, 0, QStringLiteral("S"));
    else if (mark == QStringLiteral("S"))
        grid.setText(row, 0, QString());
    else
        return false;
    return true;
}

} // namespace tarvello
