#include "charts/fan_chart.h"

#include "engine/fan_air_side.h"
#include "engine/product_lines.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

constexpr double kCurveStep_m3h = 10.0;
constexpr double kLargestFlow_m3h = 10000.0;
constexpr int kSystemCurvePoints = 40;

// The speed's curve from no flow to where its pressure falls to zero.
ChartCurve speedCurve(const RunRequest& r, const ModelTable& t, int m, int speed)
{
    ChartCurve curve;
    curve.value = speed;
    curve.label = std::to_string(speed);
    ChartPoint last{0, availablePressureAt(r, t, m, speed, 0)};
    curve.points.push_back(last);
    for (double q = kCurveStep_m3h; q <= kLargestFlow_m3h; q += kCurveStep_m3h) {
        const ChartPoint p{q, availablePressureAt(r, t, m, speed, q)};
        if (p.y <= 0) {
            if (last.y > 0)
                curve.points.push_back({last.x + (p.x - last.x) * last.y / (last.y - p.y), 0});
            break;
        }
        curve.points.push_back(p);
        last = p;
    }
    return curve;
}

ChartCurve systemCurveThrough(const ChartPoint& working, double topFlow)
{
    ChartCurve curve;
    curve.label = "system";
    const double k = working.y / (working.x * working.x);
    for (int i = 0; i <= kSystemCurvePoints; ++i) {
        const double q = topFlow * i / kSystemCurvePoints;
        curve.points.push_back({q, k * q * q});
    }
    return curve;
}

} // namespace

double availablePressureAt(const RunRequest& r, const ModelTable& t, int m, int speed, double q_m3h)
{
    const double fan = FanPressure(q_m3h, speed, m, t);
    const double q_m3s = q_m3h / kCubicMetresPerHour;
    switch (t.line) {
    case LineMRZ: return AccessoryDropMrz(fan, m, q_m3s, t);
    case LineHJQ: return AccessoryDropHjq(fan, m, q_m3s, {r.mode == ModeHeating, r.fourPipe}, t);
    default: return fan;
    }
}

FanChart fanChartOf(const RunRequest& r, const ModelOutcome& model, const ModelTable& t)
{
    FanChart chart;
    const int m = model.model;
    const int speeds = t.line >= 0 ? productLine(t.line).speeds : 0;
    double topFlow = 0, topPressure = 0;
    for (int speed = 1; speed <= speeds; ++speed) {
        ChartCurve curve = speedCurve(r, t, m, speed);
        for (const ChartPoint& p : curve.points) {
            topFlow = std::max(topFlow, p.x);
            topPressure = std::max(topPressure, p.y);
        }
        chart.speeds.push_back(std::move(curve));
    }
    chart.runSpeed = r.speed;
    const bool ducted = t.line >= 0 && productLine(t.line).ducted();
    const double q = double(model.air.airFlow) * kCubicMetresPerHour;
    // The working point sits on the run speed's curve (the capped pressure is shown capped in
    // the grid, the chart shows where the fan really works).
    chart.workingPoint = {q, ducted ? availablePressureAt(r, t, m, r.speed, q) : double(r.staticPressure)};
    topFlow = std::max(topFlow, chart.workingPoint.x);
    topPressure = std::max(topPressure, chart.workingPoint.y);
    chart.airFlow = roundAxis(0.0, topFlow, 8);
    chart.pressure = roundAxis(0.0, topPressure, 6);
    const bool pressureMode = ducted ? !r.airFlowGiven() : true;
    if (pressureMode && chart.workingPoint.x > 0 && chart.workingPoint.y > 0) {
        ChartCurve system = systemCurveThrough(chart.workingPoint, chart.airFlow.maximum);
        system.points = clipToBand(system.points, chart.pressure.minimum, chart.pressure.maximum);
        chart.systemCurve = std::move(system);
    }
    return chart;
}

} // namespace tarvello
