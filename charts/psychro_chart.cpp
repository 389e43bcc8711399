#include "charts/psychro_chart.h"

#include "engine/psychrometrics.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

// The chart shows at least the comfort and coil range: 0 .. 40 °C, 0 .. 25 g/kg.
constexpr double kLowestDryBulb = 0.0;
constexpr double kHighestDryBulb = 40.0;
constexpr double kHighestHumidity_gkg = 25.0;
constexpr double kMargin_C = 3.0;
constexpr double kMargin_gkg = 2.0;
constexpr double kCurveStep_C = 0.5;
constexpr int kHumidityLineStep = 10; // %
constexpr double kWetBulbLineStep = 5.0; // °C
constexpr int kBisectionSteps = 60;
constexpr double kDewPointScanStep_C = 0.05;

std::vector<double> dryBulbsAcross(const ChartAxis& axis, double from)
{
    std::vector<double> values;
    for (double t = std::max(from, axis.minimum); t <= axis.maximum + 1e-9; t += kCurveStep_C)
        values.push_back(t);
    return values;
}

ChartCurve humidityCurve(const ChartAxis& x, const ChartAxis& y, double rh)
{
    ChartCurve curve;
    curve.value = rh;
    curve.label = std::to_string(int(std::lround(rh))) + " %";
    std::vector<ChartPoint> points;
    for (double t : dryBulbsAcross(x, x.minimum))
        points.push_back({t, humidityRatioAt(t, rh) * kGramsPerKilogram});
    curve.points = clipToBand(points, y.minimum, y.maximum);
    return curve;
}

// A wet bulb line from the saturation curve down to dry air (or the chart's edge).
ChartCurve wetBulbCurve(const ChartAxis& x, const ChartAxis& y, double twb)
{
    ChartCurve curve;
    curve.value = twb;
    curve.label = std::to_string(int(std::lround(twb))) + " °C";
    std::vector<ChartPoint> points;
    for (double t : dryBulbsAcross(x, twb)) {
        const double W = HumidityRatioFromWetBulb(t, twb) * kGramsPerKilogram;
        points.push_back({t, W});
        if (W < y.minimum)
            break;
    }
    curve.points = clipToBand(points, y.minimum, y.maximum);
    return curve;
}

void addPoint(PsychroChart& chart, ProcessPointRole role, const AirState& state)
{
    chart.points.push_back({role, state, chartPointOf(state)});
}

size_t indexOf(const PsychroChart& chart, ProcessPointRole role)
{
    for (size_t i = 0; i < chart.points.size(); ++i)
        if (chart.points[i].role == role)
            return i;
    return chart.points.size();
}

ChartAxis dryBulbAxisFor(const std::vector<ProcessPoint>& points)
{
    double low = kLowestDryBulb, high = kHighestDryBulb;
    for (const ProcessPoint& p : points) {
        low = std::min(low, p.at.x - kMargin_C);
        high = std::max(high, p.at.x + kMargin_C);
    }
    return roundAxis(low, high, 9);
}

ChartAxis humidityAxisFor(const std::vector<ProcessPoint>& points)
{
    double high = kHighestHumidity_gkg;
    for (const ProcessPoint& p : points)
        high = std::max(high, p.at.y + kMargin_gkg);
    return roundAxis(0.0, high, 6);
}

} // namespace

const ProcessPoint* PsychroChart::point(ProcessPointRole role) const
{
    for (const ProcessPoint& p : points)
        if (p.role == role)
            return &p;
    return nullptr;
}

ChartPoint chartPointOf(const AirState& state)
{
    return {state.dryBulb, state.humidityRatio * kGramsPerKilogram};
}

std::optional<AirState> apparatusDewPoint(const AirState& entering, const AirState& leaving, double lowestDryBulb)
{
    const double dt = leaving.dryBulb - entering.dryBulb;
    const double dW = leaving.humidityRatio - entering.humidityRatio;
    if (dt >= 0 || dW >= 0)
        return std::nullopt; // not cooled and dried: no line towards the saturation curve
    // Along the line s = 1 is the leaving air; above saturation the excess is positive.
    const auto excess = [&](double s) {
        const double t = entering.dryBulb + s * dt;
        return entering.humidityRatio + s * dW - saturationHumidityRatio(t);
    };
    // The first crossing beyond the leaving air: a steep line may cross the curve twice.
    const double last = (lowestDryBulb - entering.dryBulb) / dt;
    const double stride = kDewPointScanStep_C / std::fabs(dt);
    if (last <= 1.0 || excess(1.0) > 0)
        return std::nullopt;
    double low = 1.0, high = 1.0;
    while (excess(high) < 0) {
        low = high;
        high += stride;
        if (high > last)
            return std::nullopt;
    }
    for (int step = 0; step < kBisectionSteps; ++step) {
        const double mid = (low + high) / 2.0;
        (excess(mid) < 0 ? low : high) = mid;
    }
    const double t = entering.dryBulb + low * dt;
    return airStateFromHumidityRatio(t, saturationHumidityRatio(t));
}

PsychroChart psychroChartOf(const SelectionDetails& d)
{
    PsychroChart chart;
    chart.pressure = chartPressure();
    if (d.returnAir)
        addPoint(chart, ProcessPointRole::ReturnAir, d.returnAir->air);
    if (d.freshAir)
        addPoint(chart, ProcessPointRole::FreshAir, d.freshAir->air);
    addPoint(chart, ProcessPointRole::Entering, d.entering);
    addPoint(chart, ProcessPointRole::Leaving, d.leaving);
    if (d.humidityKnown && !d.dryCoil)
        if (const auto adp = apparatusDewPoint(d.entering, d.leaving, kLowestDryBulb - 10.0))
            addPoint(chart, ProcessPointRole::ApparatusDewPoint, *adp);

    chart.dryBulb = dryBulbAxisFor(chart.points);
    chart.humidityRatio = humidityAxisFor(chart.points);

    chart.saturation = humidityCurve(chart.dryBulb, chart.humidityRatio, 100.0);
    chart.saturation.label.clear();
    for (int rh = kHumidityLineStep; rh < 100; rh += kHumidityLineStep)
        chart.relativeHumidity.push_back(humidityCurve(chart.dryBulb, chart.humidityRatio, rh));
    const double firstWetBulb = std::ceil(chart.dryBulb.minimum / kWetBulbLineStep) * kWetBulbLineStep;
    for (double twb = firstWetBulb; twb < chart.dryBulb.maximum; twb += kWetBulbLineStep) {
        ChartCurve line = wetBulbCurve(chart.dryBulb, chart.humidityRatio, twb);
        if (line.points.size() >= 2)
            chart.wetBulb.push_back(line);
    }

    const size_t entering = indexOf(chart, ProcessPointRole::Entering);
    for (ProcessPointRole stream : {ProcessPointRole::ReturnAir, ProcessPointRole::FreshAir})
        if (const size_t i = indexOf(chart, stream); i < chart.points.size())
            chart.processLines.push_back({i, entering});
    const size_t leaving = indexOf(chart, ProcessPointRole::Leaving);
    chart.processLines.push_back({entering, leaving});
    if (const size_t adp = indexOf(chart, ProcessPointRole::ApparatusDewPoint); adp < chart.points.size())
        chart.processLines.push_back({leaving, adp});
    return chart;
}

} // namespace tarvello
