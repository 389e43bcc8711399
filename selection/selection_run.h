#pragma once
// The selection run: every model of the loaded line prepared as its coil and fan need
// (geometry, air flow at the speed and pressure, per-speed coefficients, air film), the
// name and air-side filters, and one of the four rating procedures, with the reason for
// each model that is not listed. One home for the run: the selection windows, the tools,
// the documents and the projects all rate through here.

#include "engine/coil_constants.h"
#include "engine/coil_state.h"
#include "engine/model_table.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <stdexcept>
#include <string>

namespace tarvello {

// Classic run-time error numbers raised by the run itself.
enum RunErrorNumber : int {
    kSubscriptOutOfRange = 9, // a model's geometry or fin pitch code has no table entry
    kTypeMismatch = 13,       // a text that must be a number is not one
};

// A run-time error of a run with its classic number.
class RunError : public std::runtime_error {
public:
    explicit RunError(int number);
    int number() const { return number_; }

private:
    int number_;
};

// The available pressure shown for a ducted unit is capped here, Pa.
constexpr float kAvailablePressureCap_Pa = 250.0f;

// --- the name filters ---------------------------------------------------------------------

// A model name ending in `suffix` ("4P", " 4P", "DF").
bool nameEndsWith(const std::string& name, const char* suffix);
// Cooling leaves out the " 4P" heating coils, heating the "+4P" units.
bool passesSeriesFilter(const std::string& name, int mode);
// Heating with the 4-pipe option keeps only the names ending in "4P", without it the others.
bool passesFourPipeFilter(const std::string& name, bool fourPipe);
// The reason the names leave a model out in `mode` on a fan coil or ducted line, if any:
// the series filter, the ducted "DF" units in cooling, then the 4-pipe choice in heating.
std::optional<NotListedReason> nameFilterReason(const std::string& name, int mode, bool fourPipe, bool ducted);

// --- preparing one model ------------------------------------------------------------------

// The coil data of `model` that do not depend on the fan: geometry and fin pitch codes,
// fin length, coil height and face area (m, m²), circuits and rows. A geometry code
// outside 0..3 or a fin pitch code outside 0..7 raises RunError(9).
void setCoilGeometry(CoilState& state, const ModelTable& table, int model);
// Face velocity (m/s) and circuit length for the air flow and tube count in `state`.
void setCoilAirSide(CoilState& state, const CoilConstants& constants);
// The air film coefficient for the face velocity in `state`; the cooling procedures need
// an air-side law for the geometry first (AirExpBase above 0).
void setAirFilm(CoilState& state, const CoilConstants& constants);

// The air side of `model` at the request's speed: the fan coil's flow at the static
// pressure with its speed-1 free-blow flow, or the ducted unit's flow at the external
// pressure (or the pressure left at the given flow, capped) with its free delivery, the
// line's accessories counted. Raises ArithmeticError like the engine.
ModelAirSide airSideOf(const RunRequest& request, const ModelTable& table, int model);
// The reason the air side leaves a model out, if any.
std::optional<NotListedReason> airSideReason(const RunRequest& request, const ModelAirSide& air, bool ducted);

// --- the run ------------------------------------------------------------------------------

// The working record for a run of `request`: the conditions, the entering air's enthalpies,
// density and specific heat, and the capacity band.
void setRunConditions(const RunRequest& request, CoilState& state);

// Rates model `model` of `table` into `state` (which holds the run's conditions). A rating
// that raises the classic error 5 counts as no operating point (and `onSkip` runs); any
// other error propagates.
ModelOutcome rateModel(const RunRequest& request, const ModelTable& table, const CoilConstants& constants,
                       int model, CoilState& state, const PendingEventsHook& onSkip = {});

// Rates every model of `table` in table order with the working record `state` (its
// conditions set here). An error other than 5 ends the run: the result holds the models
// before it and the failure.
RunResult rateModels(const RunRequest& request, const ModelTable& table, const CoilConstants& constants,
                     CoilState& state, const PendingEventsHook& onSkip = {});

// The same with a working record of its own.
RunResult runSelection(const RunRequest& request, const ModelTable& table, const CoilConstants& constants,
                       const PendingEventsHook& onSkip = {});

} // namespace tarvello
