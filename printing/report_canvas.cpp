#include "printing/report_canvas.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace tarvello {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kScreenDotsPerInch = 96.0;
constexpr double kFieldFontPoints = 10.0;

QFont reportFont(bool bold, double points)
{
    QFont font(QString::fromLatin1(kReportFontFamily));
    font.setStyleHint(QFont::Serif);
    font.setBold(bold);
    font.setPointSizeF(points);
    return font;
}

// The average character width of a font in its classic sense: the advances of the
// lowercase letters and the space weighted by their frequency in English text (the
// weights of the TrueType OS/2 table's first definition of xAvgCharWidth). Measured on
// the glyphs, it is the same for metric twins such as Times New Roman and Liberation
// Serif, unlike the stored value, which later fonts average over all their glyphs.
double weightedAverageCharWidth(const QFontMetricsF& metrics)
{
    static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6,  35, 20,
                                         56, 56, 17, 4,  49, 56,  71, 31, 10, 18, 3,  18, 2};
    constexpr int kSpaceWeight = 166;
    double sum = kSpaceWeight * metrics.horizontalAdvance(QLatin1Char(' '));
    for (int letter = 0; letter < 26; ++letter)
        sum += kWeights[letter] * metrics.horizontalAdvance(QLatin1Char(char('a' + letter)));
    return sum / 1000.0;
}

} // namespace

ReportCanvas::ReportCanvas(QPainter& painter, QPagedPaintDevice& device)
    : painter_(painter)
    , device_(device)
{
    setFont(false, kFieldFontPoints);
    const QFontMetricsF metrics(font_, &device_);
    fieldChar_ = weightedAverageCharWidth(metrics) * kMmPerInch / device_.logicalDpiX();
    if (fieldChar_ <= 0)
        fieldChar_ = textWidth(QStringLiteral("x"));
}

double ReportCanvas::toDevice(double mm) const
{
    return mm * device_.logicalDpiX() / kMmPerInch;
}

double ReportCanvas::pageWidth() const
{
    return device_.pageLayout().paintRect(QPageLayout::Millimeter).width();
}

double ReportCanvas::pageHeight() const
{
    return device_.pageLayout().paintRect(QPageLayout::Millimeter).height();
}

void ReportCanvas::setFont(bool bold, double points)
{
    font_ = reportFont(bold, points);
    painter_.setFont(font_);
}

double ReportCanvas::lineHeight() const
{
    return QFontMetricsF(font_, &device_).lineSpacing() * kMmPerInch / device_.logicalDpiY();
}

double ReportCanvas::textWidth(const QString& text) const
{
    return QFontMetricsF(font_, &device_).horizontalAdvance(text) * kMmPerInch
           / device_.logicalDpiX();
}

void ReportCanvas::ensureLineFits()
{
    if (y_ > 0 && y_ + lineHeight() > pageHeight())
        newPage();
}

void ReportCanvas::keepTogether(double heightMm)
{
    if (y_ > 0 && y_ + heightMm > pageHeight())
        newPage();
}

void ReportCanvas::drawText(double x, const QString& text)
{
    ensureLineFits();
    const QFontMetricsF metrics(font_, &device_);
    painter_.drawText(QPointF(toDevice(x), toDevice(y_) + metrics.ascent()), text);
    if (drawn_ && !text.isEmpty())
        drawn_->append({QRectF(x, y_, textWidth(text), metrics.height() * kMmPerInch / device_.logicalDpiY()), text, pages_});
}

void ReportCanvas::print(const QString& text)
{
    drawText(x_, text);
    x_ += textWidth(text);
}

void ReportCanvas::printAt(double x, const QString& text)
{
    x_ = x;
    print(text);
}

void ReportCanvas::printRightAligned(double x, int chars, const QString& text)
{
    const double start = x + chars * fieldChar_ - textWidth(text);
    printAt(std::max(x, start), text);
}

void ReportCanvas::newLine()
{
    x_ = 0;
    y_ += lineHeight();
}

void ReportCanvas::rule(double fromX, double toX)
{
    ensureLineFits();
    QPen pen(Qt::black);
    pen.setWidthF(toDevice(0.3));
    painter_.save();
    painter_.setPen(pen);
    painter_.drawLine(QPointF(toDevice(fromX), toDevice(y_)), QPointF(toDevice(toX), toDevice(y_)));
    painter_.restore();
}

void ReportCanvas::picture(const QImage& image, double x, double y, double widthMm, double heightMm)
{
    if (image.isNull())
        return;
    painter_.drawImage(QRectF(toDevice(x), toDevice(y), toDevice(widthMm), toDevice(heightMm)),
                       image);
}

void ReportCanvas::newPage()
{
    if (!device_.newPage())
        throw PrintError{kPrinterErrorNumber};
    ++pages_;
    x_ = 0;
    y_ = 0;
}

QSizeF pictureSizeMm(const QImage& image)
{
    const auto mmOf = [](int dots, int dotsPerMetre) {
        if (dotsPerMetre > 0)
            return dots * 1000.0 / dotsPerMetre;
        return dots * kMmPerInch / kScreenDotsPerInch;
    };
    return {mmOf(image.width(), image.dotsPerMeterX()), mmOf(image.height(), image.dotsPerMeterY())};
}

} // namespace tarvello
