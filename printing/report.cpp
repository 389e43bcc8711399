#include "printing/report.h"

#include "shell/app_state.h"
#include "shell/language.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

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

// Texts placed by their drawn width, so that they hold in every language: a label wraps
// at its words into the room it has, a single word wider than its room is shortened.
constexpr double kInputGap = 3.0;            // mm between the input block's columns
constexpr double kColumnGap = 2.0;           // mm between the texts of two result columns
constexpr double kResultsPoints = 10.0;
constexpr double kSmallestResultsPoints = 6.0;
constexpr double kPointsStep = 0.5;
const QString kEllipsis = QStringLiteral("\u2026");
constexpr double kWidthRounding = 0.01; // mm

QString shortenedToWidth(const ReportCanvas& canvas, const QString& word, double width)
{
    QString shortened = word;
    while (!shortened.isEmpty() && canvas.textWidth(shortened + kEllipsis) > width)
        shortened.chop(1);
    return shortened + kEllipsis;
}

QStringList wrapToWidth(const ReportCanvas& canvas, const QString& text, double room)
{
    // A room worked out as the width of its widest text holds that text, rounding aside.
    const double width = room + kWidthRounding;
    QStringList lines;
    QString line;
    for (const QString& word : text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (canvas.textWidth(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.isEmpty())
            lines << line;
        line = canvas.textWidth(word) <= width ? word : shortenedToWidth(canvas, word, width);
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

double widestOf(const ReportCanvas& canvas, const QList<QStringList>& rows, int col)
{
    double widest = 0;
    for (const QStringList& row : rows)
        widest = std::max(widest, canvas.textWidth(row.value(col).trimmed()));
    return widest;
}

void printInputs(ReportCanvas& canvas, const ReportSource& source)
{
    const InputColumns classic = inputColumnsOf(source.routine);
    canvas.setFont(true, 12);
    const QList<QStringList>& rows = source.inputRows;
    const double widestLabel = widestOf(canvas, rows, 0);
    const double widestUnit = widestOf(canvas, rows, 1);
    const double widestValue = widestOf(canvas, rows, 2);
    // The unit and value columns stand right of the widest label, at their classic places
    // when there is room; otherwise the value ends at the page's edge and labels wrap.
    double unitX = std::max(double(classic.unit), classic.label + widestLabel + kInputGap);
    double valueX = std::max(double(classic.value), unitX + widestUnit + kInputGap);
    if (valueX + widestValue > canvas.pageWidth()) {
        valueX = canvas.pageWidth() - widestValue;
        unitX = valueX - kInputGap - widestUnit;
    }
    const double labelRoom = unitX - kInputGap - classic.label;
    const QString title = Testo(21);
    const bool titleOnItsOwnLine = canvas.textWidth(title) + kInputGap > classic.label;
    canvas.keepTogether(canvas.lineHeight() * std::max<qsizetype>(1, rows.size() + (titleOnItsOwnLine ? 1 : 0)));
    canvas.printAt(0, title);
    if (titleOnItsOwnLine && !rows.isEmpty())
        canvas.newLine();
    for (const QStringList& row : rows) {
        const QStringList labelLines = wrapToWidth(canvas, row.value(0), labelRoom);
        canvas.keepTogether(canvas.lineHeight() * labelLines.size());
        canvas.printAt(unitX, row.value(1));
        canvas.printAt(valueX, row.value(2));
        for (qsizetype line = 0; line < labelLines.size(); ++line) {
            if (line > 0)
                canvas.newLine();
            canvas.printAt(classic.label, labelLines.at(line));
        }
        canvas.newLine();
    }
    if (rows.isEmpty())
        canvas.newLine();
    emptyLineRuleEmptyLine(canvas);
}

// A results column as placed: the right edge its texts end at and the room left of it.
struct PlacedColumn {
    int col = 0;
    double right = 0; // mm
    double room = 0;  // mm
};

struct ResultsLayout {
    double points = kResultsPoints;
    double modelRoom = 0;
    QList<PlacedColumn> columns; // the shown columns, 2 and up
};

QList<int> printedRows(const ReportSource& source, PrintChoice choice)
{
    QList<int> rows;
    for (int row = 2; row < source.gridRows.size(); ++row)
        if (isRowPrinted(source, row, choice))
            rows << row;
    return rows;
}

// The width a column's texts need at `points`: its unit and its printed values, and the
// longest word of its heading (bold) unless headings may be shortened.
double columnNeed(ReportCanvas& canvas, const ReportSource& source, const QList<int>& rows, int col, double points,
                  bool wholeHeadingWords)
{
    canvas.setFont(true, points);
    double need = canvas.textWidth(cellText(source.gridRows, 1, col).trimmed());
    if (wholeHeadingWords) {
        for (const QString& word : cellText(source.gridRows, 0, col).simplified().split(QLatin1Char(' ')))
            need = std::max(need, canvas.textWidth(word));
    }
    canvas.setFont(false, points);
    for (int row : rows)
        need = std::max(need, canvas.textWidth(cellText(source.gridRows, row, col).trimmed()));
    return need;
}

double modelNeed(ReportCanvas& canvas, const ReportSource& source, const QList<int>& rows, double points)
{
    canvas.setFont(true, points);
    double need = std::max(canvas.textWidth(cellText(source.gridRows, 0, 1).trimmed()),
                           canvas.textWidth(cellText(source.gridRows, 1, 1).trimmed()));
    canvas.setFont(false, points);
    for (int row : rows)
        need = std::max(need, canvas.textWidth(cellText(source.gridRows, row, 1).trimmed()));
    return need;
}

// Each shown column at its classic right edge (its field from its grid width) or, when the
// texts of a column need more room, pushed right just enough (`classic` false: packed side
// by side).
ResultsLayout placeColumns(ReportCanvas& canvas, const ReportSource& source, const QList<int>& rows,
                           double points, bool classic, bool wholeHeadingWords)
{
    const int count = gridColumnCount(source);
    QList<int> widths = source.columnWidths;
    widths.resize(count, 0);
    const QList<int> positions = columnPositions(widths);
    ResultsLayout layout;
    layout.points = points;
    layout.modelRoom = modelNeed(canvas, source, rows, points);
    double previousRight = layout.modelRoom;
    for (int col = 2; col < count; ++col) {
        if (widths.at(col) <= 0)
            continue; // a hidden column prints nothing and takes no room
        const double need = columnNeed(canvas, source, rows, col, points, wholeHeadingWords);
        const double classicRight = positions.at(col) + cellFieldChars(widths.at(col)) * canvas.fieldCharWidth();
        const double right = std::max(classic ? classicRight : 0.0, previousRight + kColumnGap + need);
        layout.columns << PlacedColumn{col, right, right - previousRight - kColumnGap};
        previousRight = right;
    }
    return layout;
}

double rightEnd(const ResultsLayout& layout)
{
    return layout.columns.isEmpty() ? layout.modelRoom : layout.columns.last().right;
}

// The classic places when the texts fit the page there; else packed at the largest size
// from 10 points down that fits; at the smallest size, headings are shortened.
ResultsLayout layoutResults(ReportCanvas& canvas, const ReportSource& source, PrintChoice choice)
{
    const QList<int> rows = printedRows(source, choice);
    ResultsLayout layout = placeColumns(canvas, source, rows, kResultsPoints, true, true);
    if (rightEnd(layout) <= canvas.pageWidth())
        return layout;
    for (double points = kResultsPoints; points >= kSmallestResultsPoints; points -= kPointsStep) {
        layout = placeColumns(canvas, source, rows, points, false, true);
        if (rightEnd(layout) <= canvas.pageWidth())
            return layout;
    }
    // Still too wide: the columns share the page by their numbers, headings shortened.
    layout = placeColumns(canvas, source, rows, kSmallestResultsPoints, false, false);
    const double spare = canvas.pageWidth() - rightEnd(layout);
    if (spare > 0 && !layout.columns.isEmpty()) {
        const double share = spare / layout.columns.size();
        for (qsizetype i = 0; i < layout.columns.size(); ++i) {
            layout.columns[i].right += share * (i + 1);
            layout.columns[i].room += share;
        }
    }
    return layout;
}

void printRightEdged(ReportCanvas& canvas, double right, const QString& text)
{
    canvas.printAt(right - canvas.textWidth(text), text);
}

void printResults(ReportCanvas& canvas, const ReportSource& source, PrintChoice choice)
{
    const ResultsLayout layout = layoutResults(canvas, source, choice);
    const double lineStep = kHeadingLineStep * layout.points / kResultsPoints;

    // Headings: wrapped into their room, every line ending at the column's right edge.
    canvas.setFont(true, layout.points);
    QList<QStringList> headings;
    int mostLines = 1;
    for (const PlacedColumn& column : layout.columns) {
        headings << wrapToWidth(canvas, cellText(source.gridRows, 0, column.col), column.room);
        mostLines = std::max(mostLines, int(headings.last().size()));
    }
    canvas.keepTogether((mostLines - 1) * lineStep + 2 * canvas.lineHeight());
    const double y0 = canvas.currentY();
    canvas.printAt(0, cellText(source.gridRows, 0, 1).trimmed());
    for (qsizetype i = 0; i < layout.columns.size(); ++i) {
        for (qsizetype line = 0; line < headings.at(i).size(); ++line) {
            canvas.setCurrentY(y0 + line * lineStep);
            printRightEdged(canvas, layout.columns.at(i).right, headings.at(i).at(line));
        }
    }
    // Below the lowest heading line, so that a tall heading never runs into the units.
    canvas.setCurrentY(y0 + (mostLines - 1) * lineStep);
    canvas.newLine();

    canvas.printAt(0, cellText(source.gridRows, 1, 1).trimmed());
    for (const PlacedColumn& column : layout.columns)
        printRightEdged(canvas, column.right, cellText(source.gridRows, 1, column.col).trimmed());
    canvas.newLine();

    // Values right-aligned by their drawn width, so that digits line up under the heading.
    canvas.setFont(false, layout.points);
    for (int row : printedRows(source, choice)) {
        canvas.printAt(0, cellText(source.gridRows, row, 1).trimmed());
        for (const PlacedColumn& column : layout.columns)
            printRightEdged(canvas, column.right, cellText(source.gridRows, row, column.col).trimmed());
        canvas.newLine();
    }
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

bool reportNeedsLandscape(const ReportSource& source, PrintChoice choice)
{
    if (choice == PrintChoice::Window)
        return false;
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter probe(&sink);
    probe.setPageSize(QPageSize(QPageSize::A4));
    probe.setPageOrientation(QPageLayout::Portrait);
    probe.setPageMargins(QMarginsF(kReportMarginMm, kReportMarginMm, kReportMarginMm, kReportMarginMm),
                         QPageLayout::Millimeter);
    QPainter painter(&probe);
    ReportCanvas canvas(painter, probe);
    const ResultsLayout layout = layoutResults(canvas, source, choice);
    painter.end();
    return layout.points < kResultsPoints
           || (!layout.columns.isEmpty() && layout.columns.last().right > canvas.pageWidth());
}

QImage reportLogo()
{
    static const bool registered = (registerPrintingPictures(), true);
    Q_UNUSED(registered);
    return QImage(QStringLiteral(":/printing/images/logo.png"));
}

} // namespace tarvello
