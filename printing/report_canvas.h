#pragma once
// The printer as the report routines see it: a page measured in millimetres from the top
// left of the printable area, a current position that printing moves along, a current font,
// text at positions, horizontal rules, pictures and new pages. It draws through one
// painter, so the same report goes to a printer or into a PDF file.
//
// Text is placed by the top of its line, as a printer's current position does; a line is
// the font's line spacing high. When a line does not fit below the current position, a new
// page starts and the line goes to its top.

#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace tarvello {

// A printing failure with its classic error number; the print options window shows it.
struct PrintError {
    int number;
};
constexpr int kPrinterErrorNumber = 482;    // the printer refused a page or the document
constexpr int kFileAccessErrorNumber = 75;  // the PDF file could not be written

// The report's typeface: metric twin of "Times New Roman" where that is not installed.
constexpr const char* kReportFontFamily = "Times New Roman";

// A text as drawn: its box in millimetres from the top left of the printable area (the
// font's height from the line's top, the text's drawn width) and the page it is on.
struct DrawnText {
    QRectF box;
    QString text;
    int page = 1;
};

class ReportCanvas {
public:
    // Both must outlive the canvas; the painter is active on the device.
    ReportCanvas(QPainter& painter, QPagedPaintDevice& device);

    double currentX() const { return x_; }
    double currentY() const { return y_; }
    void setCurrentX(double mm) { x_ = mm; }
    void setCurrentY(double mm) { y_ = mm; }

    double pageWidth() const;  // printable width, mm
    double pageHeight() const; // printable height, mm

    void setFont(bool bold, double points);
    double lineHeight() const;  // the current font's line spacing, mm
    double textWidth(const QString& text) const; // mm, current font
    // The width of one character of a character field (mm): the average character width
    // (frequency-weighted lowercase and space) of the regular 10 pt report font, the same
    // for every row of the results, so that headings, units and values of a column share
    // their field edges, and a 9-character field of the last KX column ends at the rule.
    double fieldCharWidth() const { return fieldChar_; }

    // Prints at the current position and stays on the line: x moves past the text.
    void print(const QString& text);
    // Prints at x on the current line.
    void printAt(double x, const QString& text);
    // Prints right-aligned in a field of `chars` characters starting at x; a text wider
    // than its field starts at x.
    void printRightAligned(double x, int chars, const QString& text);
    // Ends the line: x back to 0, y one line further down.
    void newLine();
    // Starts a new page when a block `heightMm` high does not fit below the current y.
    void keepTogether(double heightMm);

    // A horizontal rule at the current y.
    void rule(double fromX, double toX);
    // A picture with its top left at (x, y), `widthMm` by `heightMm`.
    void picture(const QImage& image, double x, double y, double widthMm, double heightMm);

    void newPage(); // throws PrintError
    int pageCount() const { return pages_; }

    // Every text drawn from now on is added to `into` (nullptr stops); for checking the
    // geometry of a report.
    void recordDrawnTexts(QList<DrawnText>* into) { drawn_ = into; }

private:
    double toDevice(double mm) const;
    void ensureLineFits();
    void drawText(double x, const QString& text);

    QPainter& painter_;
    QPagedPaintDevice& device_;
    QFont font_;
    double x_ = 0;
    double y_ = 0;
    double fieldChar_ = 0;
    int pages_ = 1;
    QList<DrawnText>* drawn_ = nullptr;
};

// The natural size of a picture in millimetres: its own resolution, or 96 dots an inch
// when it records none.
QSizeF pictureSizeMm(const QImage& image);

} // namespace tarvello
