#include "printing/report_layout.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

QString cellText(const QList<QStringList>& rows, int row, int col)
{
    if (row < 0 || row >= rows.size())
        return {};
    const QStringList& cells = rows.at(row);
    if (col < 0 || col >= cells.size())
        return {};
    return cells.at(col);
}

int gridColumnCount(const ReportSource& source)
{
    qsizetype count = source.columnWidths.size();
    for (const QStringList& row : source.gridRows)
        count = std::max(count, row.size());
    return int(count);
}

QStringList headingLines(const QString& text, int width)
{
    QStringList lines;
    qsizetype lineStart = 0; // first character of the line being gathered
    qsizetype next = 0;      // first character of the next word to consider
    for (;;) {
        const qsizetype space = text.indexOf(QLatin1Char(' '), next);
        if (space < 0) {
            if (next > lineStart)
                lines << text.mid(lineStart, next - 1 - lineStart);
            lines << text.mid(next);
            return lines;
        }
        if (space - lineStart <= width) {
            next = space + 1; // the word fits: gather it
        } else if (next > lineStart) {
            lines << text.mid(lineStart, next - 1 - lineStart);
            lineStart = next; // the word starts the next line
        } else {
            lines << text.mid(lineStart, space - lineStart); // a word wider than the line
            lineStart = next = space + 1;
        }
    }
}

int roundHalfUp(double value)
{
    return int(std::floor(value + 0.5));
}

QList<int> columnPositions(const QList<int>& widthsTwips)
{
    QList<int> positions;
    int x = 0;
    for (qsizetype col = 0; col < widthsTwips.size(); ++col) {
        if (col >= 2)
            x += roundHalfUp(widthsTwips.at(col - 1) / 40.0);
        positions << x;
    }
    return positions;
}

int headingFieldChars(int widthTwips)
{
    return roundHalfUp(widthTwips / 100.0 + 0.5);
}

int cellFieldChars(int widthTwips)
{
    return roundHalfUp(widthTwips / 100.0);
}

int centringChars(int fieldChars, int textLength)
{
    return std::max(0, roundHalfUp((fieldChars - textLength) / 2.0));
}

bool isRowPrinted(const ReportSource& source, int row, PrintChoice choice)
{
    switch (choice) {
    case PrintChoice::AllModels:
        return true;
    case PrintChoice::MarkedModels:
        return cellText(source.gridRows, row, 0) == QLatin1String("S");
    case PrintChoice::Window:
        break;
    }
    return false;
}

InputColumns inputColumnsOf(ReportRoutine routine)
{
    if (routine == ReportRoutine::StampaMRZ)
        return {50, 120, 130};
    return {50, 100, 120};
}

} // namespace tarvello
