#include "printing/report.h"

#include "shell/app_state.h"
#include "shell/language.h"

#include <algorithm>

// A static library's resources must be registered by name before use.
static void registerPrintingPictures()
{
    Q_INIT_RESOURCE(printing);
}

namespace tarvello {

namespace {

constexpr double kHeadingLineStep = 4.0;   // mm between the lines of a wrapped heading
constexpr double kRuleEnd = 190.0;         // mm, right end of the rules
constexpr double kLogoAt = 1.0;            // mm, both coordinates
constexpr double kHeaderTitleX = 60.0;
constexpr double kHeaderReleaseX = 150.0;
constexpr double kHeaderHeight = 30.0;     // where a report under a new header starts
constexpr double kContinueGap = 10.0;      // mm below the last report on the same page
constexpr double kTitleBlockGap = 5.0;
constexpr double kCaptionX = 50.0;
constexpr double kDateX = 150.0;
constexpr double kWindowImageY = 20.0;
constexpr double kScreenMmPerPixel = 25.4 / 96.0;

void printLogo(ReportCanvas& canvas, const QImage& logo)
{
    const QSizeF size = pictureSizeMm(logo);
    canvas.picture(logo, kLogoAt, kLogoAt, size.width(), size.height());
}

void emptyLineRuleEmptyLine(ReportCanvas& canvas)
{
    canvas.newLine();
    canvas.rule(0, kRuleEnd);
    canvas.newLine();
}

// Step 4: the start height, under a new header unless the page is continued.
double startHeight(ReportCanvas& canvas, const ReportChoices& choices)
{
    if (choices.continueOnPage && canvas.currentY() > 0)
        return canvas.currentY() + kContinueGap;
    if (canvas.currentY() > 0)
        canvas.newPage(); // a page left open by a report of another kind
    printLogo(canvas, choices.logo);
    canvas.setCurrentY(0);
    canvas.setFont(true, 14);
    canvas.printAt(kHeaderTitleX, QString::fromLatin1(kReportProgramTitle));
    canvas.setFont(true, 8);
    canvas.printAt(kHeaderReleaseX,
                   QString::fromLatin1(kReportReleasePrefix) + QString::fromLatin1(kVersionText));
    return kHeaderHeight;
}

void printTitleBlock(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices,
                     double start)
{
    canvas.setCurrentY(start + kTitleBlockGap);
    canvas.setFont(true, 14);
    canvas.printAt(kCaptionX, source.caption);
    canvas.setFont(false, 10);
    canvas.printAt(kDateX, choices.date.toString(QStringLiteral("dd/MM/yyyy")));
    canvas.newLine();
    emptyLineRuleEmptyLine(canvas);
}

void printInputs(ReportCanvas& canvas, const ReportSource& source)
{
    const InputColumns columns = inputColumnsOf(source.routine);
    canvas.setFont(true, 12);
    canvas.keepTogether(canvas.lineHeight() * std::max<qsizetype>(1, source.inputRows.size()));
    canvas.printAt(0, Testo(21));
    for (const QStringList& row : source.inputRows) {
        canvas.printAt(columns.label, row.value(0));
        canvas.printAt(columns.unit, row.value(1));
        canvas.printAt(columns.value, row.value(2));
        canvas.newLine();
    }
    if (source.inputRows.isEmpty())
        canvas.newLine();
    emptyLineRuleEmptyLine(canvas);
}

struct ResultColumn {
    double x = 0;
    int widthTwips = 0;
};

QList<ResultColumn> resultColumns(const ReportSource& source)
{
    const int count = gridColumnCount(source);
    QList<int> widths = source.columnWidths;
    widths.resize(count, 0);
    const QList<int> positions = columnPositions(widths);
    QList<ResultColumn> columns;
    for (int col = 0; col < count; ++col)
        columns << ResultColumn{double(positions.at(col)), widths.at(col)};
    return columns;
}

void printHeadingRow(ReportCanvas& canvas, const ReportSource& source,
                     const QList<ResultColumn>& columns)
{
    int mostLines = 1;
    for (int col = 2; col < columns.size(); ++col) {
        const int width = headingFieldChars(columns[col].widthTwips);
        if (columns[col].widthTwips > 0)
            mostLines = std::max(mostLines, int(headingLines(cellText(source.gridRows, 0, col), width).size()));
    }
    canvas.keepTogether((mostLines - 1) * kHeadingLineStep + 2 * canvas.lineHeight());
    const double y0 = canvas.currentY();
    double lowest = y0;
    canvas.printAt(0, cellText(source.gridRows, 0, 1).trimmed());
    for (int col = 2; col < columns.size(); ++col) {
        if (columns[col].widthTwips <= 0)
            continue; // a hidden column prints nothing and takes no room
        StampaIntestazione(canvas, cellText(source.gridRows, 0, col), columns[col].x, y0,
                           headingFieldChars(columns[col].widthTwips));
        lowest = std::max(lowest, canvas.currentY());
    }
    // Below the lowest heading line, so that a tall heading never runs into the units.
    canvas.setCurrentY(lowest);
    canvas.newLine();
}

void printUnitRow(ReportCanvas& canvas, const ReportSource& source, const QList<ResultColumn>& columns)
{
    canvas.printAt(0, cellText(source.gridRows, 1, 1).trimmed());
    for (int col = 2; col < columns.size(); ++col) {
        if (columns[col].widthTwips <= 0)
            continue;
        canvas.printRightAligned(columns[col].x, cellFieldChars(columns[col].widthTwips),
                                 cellText(source.gridRows, 1, col).trimmed());
    }
    canvas.newLine();
}

void printResultRow(ReportCanvas& canvas, const ReportSource& source,
                    const QList<ResultColumn>& columns, int row)
{
    canvas.printAt(0, cellText(source.gridRows, row, 1).trimmed());
    for (int col = 2; col < columns.size(); ++col) {
        if (columns[col].widthTwips <= 0)
            continue;
        const QString text = cellText(source.gridRows, row, col).trimmed();
        const int field = cellFieldChars(columns[col].widthTwips);
        if (source.columnAlignments.value(col, kColumnAlignDefault) != kColumnAlignDefault) {
            const int before = centringChars(field, int(text.size()));
            canvas.printAt(columns[col].x + before * canvas.fieldCharWidth(), text);
        } else {
            canvas.printRightAligned(columns[col].x, field, text);
        }
    }
    canvas.newLine();
}

void printResults(ReportCanvas& canvas, const ReportSource& source, PrintChoice choice)
{
    const QList<ResultColumn> columns = resultColumns(source);
    canvas.setFont(true, 10);
    printHeadingRow(canvas, source, columns);
    printUnitRow(canvas, source, columns);
    canvas.setFont(false, 10);
    for (int row = 2; row < source.gridRows.size(); ++row)
        if (isRowPrinted(source, row, choice))
            printResultRow(canvas, source, columns, row);
}

// Step 3: the logo and the window image, on a page of its own.
void printWindowImage(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices)
{
    if (canvas.currentY() > 0)
        canvas.newPage();
    printLogo(canvas, choices.logo);
    canvas.setCurrentY(kWindowImageY);
    if (source.windowImage.isNull())
        return;
    QSizeF size = pictureSizeMm(source.windowImage);
    if (source.windowImage.dotsPerMeterX() <= 0)
        size = QSizeF(source.windowImage.size()) * kScreenMmPerPixel;
    // At its screen size, made smaller only where the page is too small for it.
    const double room = canvas.pageHeight() - kWindowImageY - 3 * canvas.lineHeight();
    const double scale = std::min({1.0, canvas.pageWidth() / size.width(), room / size.height()});
    canvas.picture(source.windowImage, 0, kWindowImageY, size.width() * scale, size.height() * scale);
    canvas.setCurrentY(kWindowImageY + size.height() * scale);
}

void printReportWith(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices)
{
    if (choices.choice == PrintChoice::Window) {
        printWindowImage(canvas, source, choices);
    } else {
        const double start = startHeight(canvas, choices);
        printTitleBlock(canvas, source, choices, start);
        printInputs(canvas, source);
        printResults(canvas, source, choices.choice);
    }
    canvas.setFont(false, 10);
    emptyLineRuleEmptyLine(canvas);
}

} // namespace

void StampaIntestazione(ReportCanvas& canvas, const QString& text, double x, double y, int width)
{
    for (const QString& line : headingLines(text, width)) {
        canvas.setCurrentY(y);
        canvas.printRightAligned(x, width, line);
        y += kHeadingLineStep;
    }
}

void StampaKX(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices)
{
    ReportSource kx = source;
    kx.routine = ReportRoutine::StampaKX;
    printReportWith(canvas, kx, choices);
}

void StampaMRZ(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices)
{
    ReportSource mrz = source;
    mrz.routine = ReportRoutine::StampaMRZ;
    printReportWith(canvas, mrz, choices);
}

void printReport(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices)
{
    if (source.routine == ReportRoutine::StampaMRZ)
        StampaMRZ(canvas, source, choices);
    else
        StampaKX(canvas, source, choices);
}

QImage reportLogo()
{
    static const bool registered = (registerPrintingPictures(), true);
    Q_UNUSED(registered);
    return QImage(QStringLiteral(":/printing/images/logo.png"));
}

} // namespace tarvello
