#pragma once
// What the printed report reads from the selection window that asks for it: a read-only
// snapshot of the window's caption, its input summary `Grdrif` and its results grid `Grd`,
// and an image of the window for the window print. The selection windows fill it from
// their grids; the printing part knows nothing else of them.

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

// The two report routines: they differ only in the x positions of the input summary.
enum class ReportRoutine {
    StampaKX,  // the KX window `FDati`
    StampaMRZ, // the ducted window `FDatiMRZ`
};

// Alignment values of a results column. Only "0 or not 0" matters to the report: a data
// cell of a column with a non-zero value is centred in its field, otherwise it is
// right-aligned. The grids give their right-aligned columns `kColumnAlignRight`.
constexpr int kColumnAlignDefault = 0;
constexpr int kColumnAlignRight = 7;

struct ReportSource {
    ReportRoutine routine = ReportRoutine::StampaKX;
    QString caption;              // the selection window's caption (the product line)
    QList<QStringList> inputRows; // `Grdrif`, from its first row: label, unit, value
    // `Grd`: row 0 the headings, row 1 the units, rows 2 and up one result each; column 0
    // holds "S" on a marked row, column 1 the model, columns 2 and up the shown values.
    QList<QStringList> gridRows;
    QList<int> columnWidths;     // twips, one per column of `Grd`
    QList<int> columnAlignments; // alignment value per column of `Grd`
    QImage windowImage;          // the selection window as shown, for the window print
};

// The text of a cell; empty outside the rows or columns given.
QString cellText(const QList<QStringList>& rows, int row, int col);

// The column count of `Grd`: the widest of its rows and its width list.
int gridColumnCount(const ReportSource& source);

} // namespace tarvello
