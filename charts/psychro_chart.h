#pragma once
// The psychrometric chart of a result as data: dry bulb across (°C), humidity ratio up
// (g/kg of dry air), the saturation curve, the relative humidity lines every 10 %, the wet
// bulb lines, and the states of the selection with the process lines between them (return
// and fresh air to their mix, the entering air to the leaving air, and on to the apparatus
// dew point where the coil line meets the saturation curve). Every curve point is a state
// the engine's psychrometric functions give at the engine's pressure.

#include "charts/chart_geometry.h"
#include "charts/selection_details.h"

#include <optional>
#include <vector>

namespace tarvello {

enum class ProcessPointRole { ReturnAir, FreshAir, Entering, Leaving, ApparatusDewPoint };

struct ProcessPoint {
    ProcessPointRole role;
    AirState state;
    ChartPoint at; // (dry bulb °C, humidity ratio g/kg)
};

struct PsychroChart {
    double pressure = 0;       // bar
    ChartAxis dryBulb;         // °C
    ChartAxis humidityRatio;   // g/kg
    ChartCurve saturation;
    std::vector<ChartCurve> relativeHumidity; // 10 .. 90 %
    std::vector<ChartCurve> wetBulb;          // every 5 °C
    std::vector<ProcessPoint> points;
    // Pairs of indexes into `points`, drawn as straight lines.
    std::vector<std::pair<size_t, size_t>> processLines;

    const ProcessPoint* point(ProcessPointRole role) const;
};

inline constexpr double kGramsPerKilogram = 1000.0;

// The chart point of a state.
ChartPoint chartPointOf(const AirState& state);

// Where the line from `entering` through `leaving` meets the saturation curve beyond the
// leaving air, if it does above `lowestDryBulb` (a dry coil's line never does).
std::optional<AirState> apparatusDewPoint(const AirState& entering, const AirState& leaving, double lowestDryBulb);

// The chart of a result's details.
PsychroChart psychroChartOf(const SelectionDetails& details);

} // namespace tarvello
