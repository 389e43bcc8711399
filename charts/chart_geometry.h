#pragma once
// The plain pieces a chart is made of: an axis with round ticks, a point in the chart's own
// units, a labelled curve. A painter maps them onto any surface.

#include <string>
#include <vector>

namespace tarvello {

struct ChartAxis {
    double minimum = 0;
    double maximum = 1;
    double step = 1; // between ticks

    bool holds(double v) const { return v >= minimum && v <= maximum; }
    std::vector<double> ticks() const;
    // 0 at the minimum, 1 at the maximum.
    double fraction(double v) const { return (v - minimum) / (maximum - minimum); }
};

// An axis from at most `low` to at least `high` with about `ticks` round steps (1, 2 or 5
// times a power of ten), its ends on a tick.
ChartAxis roundAxis(double low, double high, int ticks = 8);

struct ChartPoint {
    double x = 0;
    double y = 0;
};

struct ChartCurve {
    std::vector<ChartPoint> points;
    double value = 0;  // what the curve stands for (a humidity, a wet bulb, a speed)
    std::string label; // drawn at its end
};

// The part of `points` with y inside [yMin, yMax]: the curve is cut where it leaves the
// band (the crossing interpolated) and resumes where it comes back (first piece only).
std::vector<ChartPoint> clipToBand(const std::vector<ChartPoint>& points, double yMin, double yMax);

} // namespace tarvello
