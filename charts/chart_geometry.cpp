#include "charts/chart_geometry.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

double roundStep(double span, int ticks)
{
    const double raw = span / std::max(ticks, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw)
            return m * power;
    return 10.0 * power;
}

ChartPoint crossing(const ChartPoint& a, const ChartPoint& b, double y)
{
    const double t = (y - a.y) / (b.y - a.y);
    return {a.x + t * (b.x - a.x), y};
}

} // namespace

std::vector<double> ChartAxis::ticks() const
{
    std::vector<double> values;
    const int count = int(std::lround((maximum - minimum) / step));
    for (int i = 0; i <= count; ++i)
        values.push_back(minimum + i * step);
    return values;
}

ChartAxis roundAxis(double low, double high, int ticks)
{
    if (!(high > low))
        high = low + 1.0;
    const double step = roundStep(high - low, ticks);
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

std::vector<ChartPoint> clipToBand(const std::vector<ChartPoint>& points, double yMin, double yMax)
{
    std::vector<ChartPoint> kept;
    const auto inside = [&](const ChartPoint& p) { return p.y >= yMin && p.y <= yMax; };
    for (size_t i = 0; i < points.size(); ++i) {
        const ChartPoint& p = points[i];
        if (inside(p)) {
            if (kept.empty() && i > 0)
                kept.push_back(crossing(points[i - 1], p, points[i - 1].y > yMax ? yMax : yMin));
            kept.push_back(p);
        } else if (!kept.empty()) {
            kept.push_back(crossing(points[i - 1], p, p.y > yMax ? yMax : yMin));
            break;
        }
    }
    return kept;
}

} // namespace tarvello
