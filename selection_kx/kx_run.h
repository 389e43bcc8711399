#pragma once
// The KX selection run without its window: the capacity window from the required
// capacity, and the walk over the models of the line with its filters, the per-model coil
// and fan data for the speed, and the choice of the rating procedure.

#include "engine/coil_constants.h"
#include "engine/coil_state.h"
#include "engine/model_table.h"
#include "engine/rating.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <stdexcept>

namespace tarvello {

// Classic run-time error numbers raised by the window code of a run.
enum RunErrorNumber : int {
    kSubscriptOutOfRange = 9, // a model's geometry or fin pitch code has no table entry
    kTypeMismatch = 13,       // a text that must be a number is not one
};

// A run-time error of a run with its classic number; the window reports it.
class RunError : public std::runtime_error {
public:
    explicit RunError(int number);
    int number() const { return number_; }

private:
    int number_;
};

// The upper end of the window when no capacity is required, W.
constexpr float kNoCapacityLimit_W = 9999999.0f;

struct CapacityWindow {
    float minimum = 0; // W
    float maximum = kNoCapacityLimit_W;
};

// The window of accepted capacities in W for the required capacity `requiredText` in the
// power unit of factor `powerFactor` and an approximation of `approxPercent`. A text whose
// leading number is not above 0 gives 0 to 9999999 W. A required capacity that starts as
// a number but is not one ("12x") raises RunError(13); one too large for single precision
// RunError(6).
CapacityWindow capacityWindowFor(const QString& requiredText, float approxPercent, float powerFactor);

struct KxRunChoices {
    int mode = ModeCooling;  // 0 cooling, 1 heating
    int speed = 2;           // 1 Min, 2 Med, 3 Max
    bool fourPipe = false;   // chkDF: heating with the additional 4-pipe coil
    bool leavingWaterGiven = true; // else the water flow is the given one
    float waterOutGiven = 0;       // °C
    double waterFlowGiven = 0;     // m³/s
    float staticPressure = 0;      // Pa
};

// The coil data of `model` that do not depend on the fan: geometry and fin pitch codes,
// fin length, coil height and face area (m, m²), circuits and rows. A geometry code
// outside 0..3 or a fin pitch code outside 0..7 raises RunError(9).
void setCoilGeometry(CoilState& state, const ModelTable& table, int model);
// Face velocity (m/s) and circuit length for the air flow and tube count in `state`.
void setCoilAirSide(CoilState& state, const CoilConstants& constants);
// The air film coefficient for the face velocity in `state`; the cooling procedures need
// an air-side law for the geometry first (AirExpBase above 0).
void setAirFilm(CoilState& state, const CoilConstants& constants);

// A model name ending in `suffix` ("4P", " 4P", "DF").
bool nameEndsWith(const std::string& name, const char* suffix);
// Cooling leaves out the " 4P" heating coils, heating the "+4P" units.
bool passesSeriesFilter(const std::string& name, int mode);
// Heating with the 4-pipe option keeps only the names ending in "4P", without it the others.
bool passesFourPipeFilter(const std::string& name, bool fourPipe);
// Both name filters of a mode.
bool passesNameFilters(const std::string& name, int mode, bool fourPipe);

// Rates one model through `rate`. A rating that raises the classic error 5 (no operating
// point) counts as one that does not converge: `onSkip` runs and nothing is returned. Any
// other error propagates and ends the run.
std::optional<RatingResult> rateOrSkip(const std::function<std::optional<RatingResult>()>& rate,
                                       const PendingEventsHook& onSkip);

// A finished rating and how its water column reads.
using KxRowSink = std::function<void(const RatingResult& result, bool leavingWaterGiven)>;

// Rates every model of `table` in table order into `state` (which holds the conditions,
// the air density and specific heat and the capacity window) and hands each result to
// `onRow`. A model whose rating raises the classic error 5 is skipped like one that does
// not converge; any other error ends the run by propagating (ArithmeticError, RunError).
void rateKxModels(const KxRunChoices& choices, CoilState& state, const ModelTable& table,
                  const CoilConstants& constants, const KxRowSink& onRow,
                  const PendingEventsHook& onSkip = pendingEventsHook());

} // namespace tarvello
