#pragma once
// The layout rules of the printed report that need no printer: how a column heading is
// wrapped, where each results column starts, how wide its character field is, and which
// result rows are printed. Millimetres and characters are whole numbers here; a halve
// always goes up (a column of 850 twips has a field of 9 characters).

#include "printing/report_source.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

// What `optStm` chose.
enum class PrintChoice {
    Window,       // optStm(0): an image of the selection window
    AllModels,    // optStm(1): every result row
    MarkedModels, // optStm(2): only the rows marked "S"
};

// `StampaIntestazione` without the printer: the lines of a heading wrapped into lines of at
// most `width` characters. Words followed by a space are gathered while the text from the
// line start up to the next space holds at most `width` characters; a word longer than
// `width` stands alone; the word after the last space is always a line of its own, so a
// heading without spaces is one line, whatever its length.
QStringList headingLines(const QString& text, int width);

// A value rounded to a whole number, halves upwards (for the non-negative widths here).
int roundHalfUp(double value);

// The x position (mm) of each column of `Grd`: column 1 at 0, and each further column c
// the width of column c - 1 (twips) / 40 further right. Columns 0 and 1 both give 0.
QList<int> columnPositions(const QList<int>& widthsTwips);

// The character field of a heading: width / 100 + 0.5 characters.
int headingFieldChars(int widthTwips);
// The character field of a unit or result cell: width / 100 characters.
int cellFieldChars(int widthTwips);

// The number of field characters left of a centred text: (field − length) / 2, never
// negative (a text longer than its field starts at the column's x).
int centringChars(int fieldChars, int textLength);

// Whether result row `row` (2 and up) is printed for `choice`.
bool isRowPrinted(const ReportSource& source, int row, PrintChoice choice);

// The x positions (mm) of the three input summary columns of each routine.
struct InputColumns {
    int label;
    int unit;
    int value;
};
InputColumns inputColumnsOf(ReportRoutine routine);

} // namespace tarvello
