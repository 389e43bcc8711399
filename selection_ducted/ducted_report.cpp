#include "selection_ducted/ducted_report.h"

namespace tarvello {

namespace {

QList<QStringList> rowsOf(const TextGrid& grid)
{
    QList<QStringList> rows;
    for (int row = 0; row < grid.rows(); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.cols(); ++col)
            cells << grid.text(row, col);
        rows << cells;
    }
    return rows;
}

} // namespace

ReportSource reportSourceFrom(const TextGrid& results, const TextGrid& inputs, ReportRoutine routine,
                              const QString& caption, const QImage& windowImage)
{
    ReportSource source;
    source.routine = routine;
    source.caption = caption;
    source.inputRows = rowsOf(inputs);
    source.gridRows = rowsOf(results);
    for (int col = 0; col < results.cols(); ++col) {
        source.columnWidths << results.colWidth(col);
        source.columnAlignments << (results.rightAligned(col) ? kColumnAlignRight : kColumnAlignDefault);
    }
    source.windowImage = windowImage;
    return source;
}

} // namespace tarvello
