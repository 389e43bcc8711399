#pragma once
// The fan curve chart of a result as data: air flow across (m³/h), available pressure up
// (Pa), one curve per speed of the model (for a ducted unit the fan less the line's
// accessories, the pressure the run works with), the working point of the run and, when the
// run was asked at a pressure, the system curve through it (pressure ∝ flow²).

#include "charts/chart_geometry.h"
#include "engine/model_table.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <optional>
#include <vector>

namespace tarvello {

struct FanChart {
    ChartAxis airFlow;  // m³/h
    ChartAxis pressure; // Pa
    std::vector<ChartCurve> speeds; // value: the speed, 1 ..
    int runSpeed = 0;
    ChartPoint workingPoint;        // (m³/h, Pa)
    std::optional<ChartCurve> systemCurve;
};

inline constexpr double kCubicMetresPerHour = 3600.0; // per m³/s

// The available pressure of `model` at `speed` for q m³/h, as the run takes it (ducted
// units: the fan less the line's accessory drop).
double availablePressureAt(const RunRequest& request, const ModelTable& table, int model, int speed, double q_m3h);

// The chart of a listed model of the run of `request` on `table`.
FanChart fanChartOf(const RunRequest& request, const ModelOutcome& model, const ModelTable& table);

} // namespace tarvello
