#include "chart_view/chart_painter.h"

#include "chart_view/chart_texts.h"
#include "chart_view/details_rows.h"
#include "printing/report_canvas.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace tarvello {

namespace {

namespace tx = chart_texts;

constexpr double kMillimetresPerInch = 25.4;
constexpr double kTextPoints = 7.5;
constexpr double kTitlePoints = 9.0;
// Line widths, mm.
constexpr double kFrameWidth = 0.3;
constexpr double kGridWidth = 0.1;
constexpr double kCurveWidth = 0.25;
constexpr double kSaturationWidth = 0.5;
constexpr double kProcessWidth = 0.6;
constexpr double kPointRadius = 1.1;
constexpr double kCaptionGap = 1.2; // mm between a point or curve end and its caption

const QColor kGridColour(200, 200, 200);
const QColor kHumidityColour(90, 130, 200);
const QColor kWetBulbColour(120, 170, 120);
const QColor kSaturationColour(20, 60, 160);
const QColor kProcessColour(200, 30, 30);
const QColor kSystemColour(120, 120, 120);
const QColor kSpeedColours[] = {{30, 90, 180}, {200, 110, 20}, {40, 150, 60}, {150, 50, 160},
                                {100, 100, 100}, {20, 150, 160}, {170, 40, 40}};

// Device units of one millimetre on the painter's device.
double perMillimetre(const QPainter& painter)
{
    return painter.device()->logicalDpiX() / kMillimetresPerInch;
}

QPen penOf(const QPainter& painter, const QColor& colour, double widthMm, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, widthMm * perMillimetre(painter), style);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

QFont chartFont(double points, bool bold = false)
{
    QFont font(QString::fromLatin1(kReportFontFamily));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// The plot area inside `area` and the mapping of chart values onto it.
class Plot {
public:
    Plot(QPainter& painter, const QRectF& area, const ChartAxis& x, const ChartAxis& y) : x_(x), y_(y)
    {
        painter.setFont(chartFont(kTextPoints));
        const QFontMetricsF metrics(painter.font(), painter.device());
        const double line = metrics.height();
        const double left = metrics.horizontalAdvance(QStringLiteral("0000")) + 2.2 * line;
        inner_ = area.adjusted(left, 1.8 * line, -1.2 * line, -2.6 * line);
    }
    QPointF at(const ChartPoint& p) const
    {
        return {inner_.left() + x_.fraction(p.x) * inner_.width(), inner_.bottom() - y_.fraction(p.y) * inner_.height()};
    }
    const QRectF& inner() const { return inner_; }
    const ChartAxis& x() const { return x_; }
    const ChartAxis& y() const { return y_; }

private:
    ChartAxis x_, y_;
    QRectF inner_;
};

QString tickText(double v)
{
    return std::fabs(v - std::round(v)) < 1e-9 ? QString::number(qRound64(v)) : oneDecimal(v).trimmed();
}

// A dry bulb tick, placed in °C, written in the user's temperature unit (0 °C reads 32 °F).
QString dryBulbTickText(double celsius)
{
    return tickText(UnitT.toShown(celsius));
}

// `xTickText` writes a tick of the x axis (the dry bulb ticks in the user's temperature unit).
void paintAxes(QPainter& painter, const Plot& plot, const QString& xTitle, const QString& yTitle, const QString& title,
               QString (*xTickText)(double) = tickText)
{
    const QRectF& r = plot.inner();
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double gap = metrics.height() * 0.3;
    painter.setPen(penOf(painter, kGridColour, kGridWidth));
    for (double t : plot.x().ticks()) {
        const double x = plot.at({t, plot.y().minimum}).x();
        painter.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
    }
    for (double t : plot.y().ticks()) {
        const double y = plot.at({plot.x().minimum, t}).y();
        painter.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
    painter.setPen(penOf(painter, Qt::black, kFrameWidth));
    painter.drawRect(r);
    for (double t : plot.x().ticks()) {
        const QString text = xTickText(t);
        const double x = plot.at({t, plot.y().minimum}).x();
        painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2, r.bottom() + gap + metrics.ascent()), text);
    }
    for (double t : plot.y().ticks()) {
        const QString text = tickText(t);
        const double y = plot.at({plot.x().minimum, t}).y();
        painter.drawText(QPointF(r.left() - gap - metrics.horizontalAdvance(text), y + metrics.ascent() / 2 - 1), text);
    }
    painter.drawText(QPointF(r.center().x() - metrics.horizontalAdvance(xTitle) / 2,
                             r.bottom() + gap + metrics.height() + metrics.ascent()),
                     xTitle);
    painter.save();
    painter.translate(r.left() - gap - metrics.horizontalAdvance(QStringLiteral("0000")) - metrics.descent(),
                      r.center().y() + metrics.horizontalAdvance(yTitle) / 2);
    painter.rotate(-90);
    painter.drawText(QPointF(0, 0), yTitle);
    painter.restore();
    painter.save();
    painter.setFont(chartFont(kTitlePoints, true));
    const QFontMetricsF titleMetrics(painter.font(), painter.device());
    painter.drawText(QPointF(r.left(), r.top() - titleMetrics.descent() - gap), title);
    painter.restore();
}

void paintCurve(QPainter& painter, const Plot& plot, const ChartCurve& curve)
{
    if (curve.points.size() < 2)
        return;
    QPainterPath path(plot.at(curve.points.front()));
    for (size_t i = 1; i < curve.points.size(); ++i)
        path.lineTo(plot.at(curve.points[i]));
    painter.drawPath(path);
}

// A label beside the last point of a curve, inside the plot.
void labelCurveEnd(QPainter& painter, const Plot& plot, const ChartCurve& curve, const QString& text)
{
    if (curve.points.empty())
        return;
    const QFontMetricsF metrics(painter.font(), painter.device());
    QPointF p = plot.at(curve.points.back());
    const double w = metrics.horizontalAdvance(text);
    const double pad = kCaptionGap * perMillimetre(painter);
    p.setX(std::min(p.x() + pad, plot.inner().right() - w - pad));
    p.setY(std::max(p.y() - pad, plot.inner().top() + metrics.ascent() + pad));
    painter.drawText(p, text);
}

void paintMarker(QPainter& painter, const QPointF& at, const QColor& colour)
{
    const double r = kPointRadius * perMillimetre(painter);
    painter.setPen(penOf(painter, Qt::black, kGridWidth));
    painter.setBrush(colour);
    painter.drawEllipse(at, r, r);
    painter.setBrush(Qt::NoBrush);
}

// A caption to the right of a point, to its left near the plot's right edge.
void drawCaptionBeside(QPainter& painter, const Plot& plot, const QPointF& at, const QString& caption)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double pad = kCaptionGap * perMillimetre(painter);
    const double w = metrics.horizontalAdvance(caption);
    const double x = at.x() + w + 2 * pad < plot.inner().right() ? at.x() + pad : at.x() - w - pad;
    painter.drawText(QPointF(x, at.y() - pad), caption);
}

QString pointCaption(const ProcessPoint& p, const PsychroChartTexts& texts)
{
    switch (p.role) {
    case ProcessPointRole::ReturnAir: return texts.returnAir;
    case ProcessPointRole::FreshAir: return texts.freshAir;
    case ProcessPointRole::Entering: return texts.entering;
    case ProcessPointRole::Leaving: return texts.leaving;
    case ProcessPointRole::ApparatusDewPoint: return texts.dewPoint;
    }
    return {};
}

QString withUnit(int text, const QString& unit)
{
    return Testo(text).trimmed() + QStringLiteral("  ") + unit;
}

} // namespace

PsychroChartTexts psychroChartTexts(bool ducted)
{
    PsychroChartTexts t;
    t.title = Testo(tx::kPsychroChart);
    t.dryBulbAxis = withUnit(tx::kDryBulbTemperature, UnitT.name());
    t.humidityAxis = withUnit(tx::kHumidityRatio, QStringLiteral("g/kg"));
    t.wetBulb = Testo(tx::kWetBulb);
    t.returnAir = Testo(tx::kReturnAir);
    t.freshAir = Testo(tx::kFreshAir);
    t.entering = Testo(ducted ? tx::kMixedAir : tx::kEnteringAir);
    t.leaving = Testo(tx::kLeavingAir);
    t.dewPoint = Testo(tx::kDewPoint);
    return t;
}

FanChartTexts fanChartTexts()
{
    FanChartTexts t;
    t.title = Testo(tx::kFanCurves);
    t.airFlowAxis = withUnit(tx::kAirFlow, QStringLiteral("m3/h"));
    t.pressureAxis = withUnit(tx::kPressure, QStringLiteral("Pa"));
    t.speed = Testo(tx::kOperatingSpeed).trimmed();
    t.workingPoint = Testo(tx::kWorkingPoint);
    t.systemCurve = Testo(tx::kSystemCurve);
    return t;
}

void paintPsychroChart(QPainter& painter, const QRectF& area, const PsychroChart& chart, const PsychroChartTexts& texts)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const Plot plot(painter, area, chart.dryBulb, chart.humidityRatio);
    paintAxes(painter, plot, texts.dryBulbAxis, texts.humidityAxis, texts.title, dryBulbTickText);
    painter.setClipRect(plot.inner().adjusted(-1, -1, 1, 1));

    painter.setPen(penOf(painter, kWetBulbColour, kCurveWidth, Qt::DashLine));
    for (const ChartCurve& line : chart.wetBulb)
        paintCurve(painter, plot, line);
    painter.setPen(penOf(painter, kHumidityColour, kCurveWidth));
    for (const ChartCurve& line : chart.relativeHumidity) {
        paintCurve(painter, plot, line);
        labelCurveEnd(painter, plot, line, QString::fromStdString(line.label));
    }
    painter.setPen(penOf(painter, kSaturationColour, kSaturationWidth));
    paintCurve(painter, plot, chart.saturation);

    painter.setPen(penOf(painter, kProcessColour, kProcessWidth));
    for (const auto& [from, to] : chart.processLines)
        painter.drawLine(plot.at(chart.points[from].at), plot.at(chart.points[to].at));
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const ProcessPoint& p : chart.points) {
        const QPointF at = plot.at(p.at);
        paintMarker(painter, at, p.role == ProcessPointRole::ApparatusDewPoint ? kSaturationColour : kProcessColour);
        painter.setPen(Qt::black);
        const QString caption = pointCaption(p, texts);
        if (p.role == ProcessPointRole::ApparatusDewPoint) {
            // The dew point lies close to the leaving air: its caption goes below to the left.
            const double pad = kCaptionGap * perMillimetre(painter);
            painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(caption) - pad, at.y() + metrics.ascent() + pad),
                             caption);
        } else {
            drawCaptionBeside(painter, plot, at, caption);
        }
    }
    // The legend of the dashed lines.
    painter.setPen(penOf(painter, kWetBulbColour, kCurveWidth, Qt::DashLine));
    const QPointF legend(plot.inner().left() + 6, plot.inner().top() + metrics.height());
    painter.drawLine(legend, legend + QPointF(metrics.height() * 1.5, 0));
    painter.setPen(Qt::black);
    painter.drawText(legend + QPointF(metrics.height() * 2, metrics.ascent() / 2 - 1), texts.wetBulb);
    painter.restore();
}

void paintFanChart(QPainter& painter, const QRectF& area, const FanChart& chart, const FanChartTexts& texts)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const Plot plot(painter, area, chart.airFlow, chart.pressure);
    paintAxes(painter, plot, texts.airFlowAxis, texts.pressureAxis, texts.title);
    painter.setClipRect(plot.inner().adjusted(-1, -1, 1, 1));
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const ChartCurve& curve : chart.speeds) {
        const int speed = int(curve.value);
        const QColor colour = kSpeedColours[(speed - 1) % std::size(kSpeedColours)];
        painter.setPen(penOf(painter, colour, speed == chart.runSpeed ? kProcessWidth : kCurveWidth));
        paintCurve(painter, plot, curve);
        // The speed's number at the start of its curve.
        if (!curve.points.empty()) {
            const QPointF top = plot.at(curve.points.front());
            painter.setPen(colour);
            const double pad = kCaptionGap * perMillimetre(painter);
            // Below the curve's start: a curve starting at the top of the axis keeps its
            // number inside the plot, clear of the title.
            painter.drawText(top + QPointF(pad, metrics.ascent() + pad),
                             texts.speed + QLatin1Char(' ') + QString::number(speed));
        }
    }
    if (chart.systemCurve) {
        painter.setPen(penOf(painter, kSystemColour, kCurveWidth, Qt::DashLine));
        paintCurve(painter, plot, *chart.systemCurve);
        painter.setPen(kSystemColour);
        labelCurveEnd(painter, plot, *chart.systemCurve, texts.systemCurve);
    }
    const QPointF working = plot.at(chart.workingPoint);
    paintMarker(painter, working, kProcessColour);
    painter.setPen(Qt::black);
    const QString caption = texts.workingPoint + QStringLiteral(" (") + wholeNumber(chart.workingPoint.x).trimmed() +
                            QStringLiteral(" m3/h, ") + wholeNumber(chart.workingPoint.y).trimmed() + QStringLiteral(" Pa)");
    drawCaptionBeside(painter, plot, working, caption);
    painter.restore();
}

} // namespace tarvello
