// The schedule as a PDF through the report painter: A4 landscape, the project data in the
// header of every page, the item table with its group, heading and unit rows repeated on
// each page, every column fitted to the page width (the font shrinks, long texts wrap),
// and "Page n of N" at the foot.
#include "printing/report_document.h"
#include "project/durable_file.h"
#include "schedule_export/schedule.h"

#include <QPageLayout>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

constexpr double kLargestFontPt = 8.0;
constexpr double kSmallestFontPt = 5.0;
constexpr double kFontStepPt = 0.5;
constexpr double kTitleFontPt = 12.0;
constexpr double kHeaderFontPt = 9.0;
constexpr double kPaddingMm = 1.6;
constexpr double kTextColumnMaxMm = 40.0;
constexpr double kNoteColumnMinMm = 30.0;
constexpr double kGapMm = 1.5;

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

// The lines of `text` broken at spaces to fit `width` mm (a word longer stands alone).
QStringList wrapped(const ReportCanvas& canvas, const QString& text, double width)
{
    QStringList lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && canvas.textWidth(candidate) > width) {
            lines << line;
            line = word;
        } else {
            line = candidate;
        }
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

double widestWord(const ReportCanvas& canvas, const QString& text)
{
    double widest = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        widest = std::max(widest, canvas.textWidth(word));
    return widest;
}

class PdfTable {
public:
    PdfTable(ReportCanvas& canvas, const ScheduleSheet& sheet, const std::string& decimalSeparator)
        : canvas_(canvas), sheet_(sheet), separator_(qt(decimalSeparator))
    {
        fitFont();
        layOutRows();
    }

    double fontPt() const { return font_; }
    double headerHeight() const { return (1 + headingLines_ + 1) * lineHeight_ + kGapMm; }
    double rowHeight(size_t row) const { return double(rowLines_[row].size() ? maxLines(row) : 1) * lineHeight_; }
    size_t rowCount() const { return sheet_.rows.size(); }

    void printHeader()
    {
        canvas_.setFont(true, font_);
        const double top = canvas_.currentY();
        printGroups(top);
        for (size_t c = 0; c < sheet_.columns.size(); ++c) {
            const QStringList lines = wrapped(canvas_, qt(sheet_.columns[c].heading), widths_[c] - kPaddingMm);
            for (int l = 0; l < lines.size(); ++l)
                printCentred(c, top + (1 + l) * lineHeight_, lines[l]);
        }
        canvas_.setFont(false, font_);
        for (size_t c = 0; c < sheet_.columns.size(); ++c)
            printCentred(c, top + (1 + headingLines_) * lineHeight_, qt(sheet_.columns[c].unit));
        canvas_.setCurrentY(top + (2 + headingLines_) * lineHeight_ + kGapMm / 2);
        canvas_.rule(0, tableWidth());
        canvas_.setCurrentY(canvas_.currentY() + kGapMm / 2);
    }

    void printRow(size_t row)
    {
        canvas_.setFont(false, font_);
        const double top = canvas_.currentY();
        for (size_t c = 0; c < sheet_.columns.size() && c < rowLines_[row].size(); ++c) {
            const QStringList& lines = rowLines_[row][c];
            for (int l = 0; l < lines.size(); ++l) {
                canvas_.setCurrentY(top + l * lineHeight_);
                if (sheet_.columns[c].numeric)
                    canvas_.printAt(left(c) + widths_[c] - kPaddingMm / 2 - canvas_.textWidth(lines[l]), lines[l]);
                else
                    canvas_.printAt(left(c) + kPaddingMm / 2, lines[l]);
            }
        }
        canvas_.setCurrentY(top + rowHeight(row));
    }

    double tableWidth() const { return left(widths_.size()); }

private:
    // The cell as printed: numbers with the user's decimal separator and the cell's mark.
    QString cellText(const ScheduleCell& cell, const ScheduleColumn& column) const
    {
        QString text = qt(cell.text);
        if (column.numeric && cell.number)
            text.replace(QLatin1Char('.'), separator_);
        return cell.mark == "> " ? QStringLiteral("> ") + text : text + qt(cell.mark);
    }

    double naturalWidth(size_t c) const
    {
        const ScheduleColumn& column = sheet_.columns[c];
        double width = std::max(widestWord(canvas_, qt(column.heading)), canvas_.textWidth(qt(column.unit)));
        for (const std::vector<ScheduleCell>& row : sheet_.rows)
            if (c < row.size())
                width = std::max(width, canvas_.textWidth(cellText(row[c], column)));
        if (!column.numeric)
            width = std::min(width, kTextColumnMaxMm);
        return width + kPaddingMm;
    }

    // The widths at the current font, the last (note) column taking what is left.
    bool measure()
    {
        widths_.clear();
        double used = 0;
        for (size_t c = 0; c + 1 < sheet_.columns.size(); ++c) {
            widths_.push_back(naturalWidth(c));
            used += widths_.back();
        }
        const double left = canvas_.pageWidth() - used;
        widths_.push_back(std::max(left, kNoteColumnMinMm));
        return left >= kNoteColumnMinMm;
    }

    void fitFont()
    {
        for (font_ = kLargestFontPt; font_ >= kSmallestFontPt; font_ -= kFontStepPt) {
            canvas_.setFont(true, font_); // headings are bold: measure with the wider face
            if (measure())
                break;
        }
        if (font_ < kSmallestFontPt) {
            font_ = kSmallestFontPt;
            canvas_.setFont(true, font_);
            measure();
            const double scale = canvas_.pageWidth() / tableWidth();
            for (double& w : widths_)
                w *= scale;
        }
        canvas_.setFont(true, font_);
        headingLines_ = 1;
        for (size_t c = 0; c < sheet_.columns.size(); ++c)
            headingLines_ = std::max(headingLines_, int(wrapped(canvas_, qt(sheet_.columns[c].heading),
                                                                 widths_[c] - kPaddingMm).size()));
        canvas_.setFont(false, font_);
        lineHeight_ = canvas_.lineHeight();
    }

    void layOutRows()
    {
        canvas_.setFont(false, font_);
        for (const std::vector<ScheduleCell>& row : sheet_.rows) {
            std::vector<QStringList> cells;
            for (size_t c = 0; c < row.size() && c < sheet_.columns.size(); ++c) {
                const QString text = cellText(row[c], sheet_.columns[c]);
                cells.push_back(sheet_.columns[c].numeric ? QStringList{text}
                                                          : wrapped(canvas_, text, widths_[c] - kPaddingMm));
            }
            rowLines_.push_back(cells);
        }
    }

    int maxLines(size_t row) const
    {
        int most = 1;
        for (const QStringList& lines : rowLines_[row])
            most = std::max(most, int(lines.size()));
        return most;
    }

    double left(size_t c) const
    {
        double x = 0;
        for (size_t i = 0; i < c && i < widths_.size(); ++i)
            x += widths_[i];
        return x;
    }

    void printCentred(size_t c, double y, const QString& text)
    {
        canvas_.setCurrentY(y);
        canvas_.printAt(left(c) + std::max(0.0, (widths_[c] - canvas_.textWidth(text)) / 2), text);
    }

    // The group of each run of columns, centred over the run with a rule below.
    void printGroups(double top)
    {
        for (size_t c = 0; c < sheet_.columns.size();) {
            size_t end = c + 1;
            while (end < sheet_.columns.size() && sheet_.columns[end].group == sheet_.columns[c].group)
                ++end;
            if (!sheet_.columns[c].group.empty()) {
                const QString group = qt(sheet_.columns[c].group);
                canvas_.setCurrentY(top);
                canvas_.printAt(left(c) + std::max(0.0, (left(end) - left(c) - canvas_.textWidth(group)) / 2), group);
                canvas_.setCurrentY(top + lineHeight_ * 0.95);
                canvas_.rule(left(c) + kPaddingMm / 2, left(end) - kPaddingMm / 2);
            }
            c = end;
        }
    }

    ReportCanvas& canvas_;
    const ScheduleSheet& sheet_;
    QString separator_;
    double font_ = kLargestFontPt;
    double lineHeight_ = 0;
    int headingLines_ = 1;
    std::vector<double> widths_;
    std::vector<std::vector<QStringList>> rowLines_;
};

// The project data on top of each page; the canvas is left below its rule.
void printPageHeader(ReportCanvas& canvas, const Schedule& schedule)
{
    canvas.setCurrentY(0);
    canvas.setFont(true, kTitleFontPt);
    const QString title = schedule.info.name.empty() ? QStringLiteral("Schedule") : qt(schedule.info.name);
    canvas.printAt(0, title);
    const QString date = qt(schedule.info.date);
    canvas.printAt(canvas.pageWidth() - canvas.textWidth(date), date);
    canvas.newLine();
    canvas.setFont(false, kHeaderFontPt);
    QStringList details;
    for (const auto& [label, value] : schedule.projectData)
        if (!value.empty() && label != "Project" && label != "Date" && label != "Notes")
            details << qt(label) + QStringLiteral(": ") + qt(value);
    canvas.printAt(0, details.join(QStringLiteral("    ")));
    canvas.newLine();
    if (!schedule.info.notes.empty()) {
        canvas.printAt(0, qt(schedule.info.notes));
        canvas.newLine();
    }
    canvas.setCurrentY(canvas.currentY() + kGapMm / 2);
    canvas.rule(0, canvas.pageWidth());
    canvas.setCurrentY(canvas.currentY() + kGapMm);
}

void printPageFoot(ReportCanvas& canvas, int page, int pages)
{
    canvas.setFont(false, kHeaderFontPt);
    canvas.setCurrentY(canvas.pageHeight() - canvas.lineHeight() - 0.01);
    canvas.printAt(0, QStringLiteral("Tarvello"));
    const QString number = QStringLiteral("Page %1 of %2").arg(page).arg(pages);
    canvas.printAt(canvas.pageWidth() - canvas.textWidth(number), number);
}

double footHeight(ReportCanvas& canvas)
{
    canvas.setFont(false, kHeaderFontPt);
    return canvas.lineHeight() + kGapMm;
}

// The rows of each page: as many as fit between the table header and the foot.
std::vector<std::pair<size_t, size_t>> paginate(const PdfTable& table, double bodyHeight)
{
    std::vector<std::pair<size_t, size_t>> pages;
    size_t first = 0;
    while (first < table.rowCount() || pages.empty()) {
        double used = 0;
        size_t end = first;
        while (end < table.rowCount() && (end == first || used + table.rowHeight(end) <= bodyHeight))
            used += table.rowHeight(end++);
        pages.emplace_back(first, end);
        first = end;
    }
    return pages;
}

void drawSchedule(ReportCanvas& canvas, const Schedule& schedule)
{
    printPageHeader(canvas, schedule);
    const double tableTop = canvas.currentY();
    PdfTable table(canvas, schedule.items, schedule.decimalSeparator);
    const double bodyHeight = canvas.pageHeight() - footHeight(canvas) - tableTop - table.headerHeight();
    const auto pages = paginate(table, bodyHeight);
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) {
            canvas.newPage();
            printPageHeader(canvas, schedule);
        }
        canvas.setCurrentY(tableTop);
        table.printHeader();
        for (size_t row = pages[p].first; row < pages[p].second; ++row)
            table.printRow(row);
        printPageFoot(canvas, int(p + 1), int(pages.size()));
    }
}

} // namespace

void writePdf(const Schedule& schedule, const std::string& path)
{
    const std::string temporary = path + ".tmp";
    try {
        std::unique_ptr<ReportDocument> document =
            ReportDocument::toPdfFile(QString::fromStdString(temporary), QPageLayout::Landscape);
        drawSchedule(document->canvas(), schedule);
        document->end();
        replaceDurably(temporary, path);
    } catch (const PrintError& error) {
        std::remove(temporary.c_str());
        throw ExportError("Cannot write the PDF '" + path + "' (print error " + std::to_string(error.number) + ").");
    } catch (const DurableFileError& error) {
        throw ExportError("Cannot write the PDF '" + path + "': " + error.what() + ".");
    }
}

} // namespace tarvello
