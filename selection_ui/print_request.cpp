#include "selection_ui/print_request.h"

#include "printing/fstampa.h"
#include "selection_ui/text_grid.h"

namespace tarvello {

namespace {

QList<QStringList> rowsOf(const TextGrid& grid)
{
    QList<QStringList> rows;
    for (int r = 0; r < grid.rows(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid.cols(); ++c)
            cells << grid.text(r, c);
        rows << cells;
    }
    return rows;
}

} // namespace

ReportSource reportSourceOf(ReportRoutine routine, const QString& caption, const TextGrid& results,
                            const TextGrid& inputs, const QImage& windowImage)
{
    ReportSource source;
    source.routine = routine;
    source.caption = caption;
    source.inputRows = rowsOf(inputs);
    source.gridRows = rowsOf(results);
    for (int c = 0; c < results.cols(); ++c) {
        source.columnWidths << results.colWidth(c);
        source.columnAlignments << (results.rightAligned(c) ? kColumnAlignRight : kColumnAlignDefault);
    }
    source.windowImage = windowImage;
    return source;
}

PrintOptionsOpener& printOptionsOpener()
{
    static PrintOptionsOpener opener = [](QWidget* owner, const ReportSource& source) {
        showPrintOptions(owner, source);
    };
    return opener;
}

void requestPrint(QWidget* owner, const ReportSource& source)
{
    if (printOptionsOpener())
        printOptionsOpener()(owner, source);
}

} // namespace tarvello
