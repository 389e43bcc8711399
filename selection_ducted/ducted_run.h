#pragma once
// The ducted selection run without its window: for every model of the loaded ducted line
// the working air flow and the external static pressure still available at the chosen fan
// speed (from the fan curve and the line's accessory drops), the name filters, and the
// choice of the rating procedure. The ducted lines have one coil coefficient set for all
// speeds.

#include "engine/coil_constants.h"
#include "engine/coil_state.h"
#include "engine/model_table.h"
#include "engine/rating.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace tarvello {

// The available pressure shown is capped here, Pa; a capped value is shown with "> ".
constexpr float kAvailablePressureCap_Pa = 250.0f;
// A model whose working flow is at most this share of its free delivery is left out.
constexpr float kFreeDeliveryShare = 4.0f;

struct DuctedRunChoices {
    int mode = ModeCooling;        // 0 cooling, 1 heating
    int speed = 3;                 // 1 .. 3 (MRZ) or 1 .. 7 (HJQ)
    bool fourPipe = false;         // chkDF
    bool leavingWaterGiven = true; // else the water flow is the given one
    float waterOutGiven = 0;       // °C
    double waterFlowGiven = 0;     // m³/s
    float staticPressure = 0;      // Pa, given (static pressure mode)
    float totalAirFlow = 0;        // m³/s, given (air flow mode)

    // The air flow is the given quantity: a negative pressure, or no pressure and a flow.
    bool airFlowBranch() const { return staticPressure < 0 || (staticPressure == 0 && totalAirFlow != 0); }
};

// The air side of one model at the run's speed.
struct DuctedAirSide {
    float AirFlow = 0;           // m³/s through the coil
    float AvailablePressure = 0; // Pa, given or left at the given flow, capped at 250
    QString PressurePrefix;      // " ", or "> " when capped
    float FreeDelivery = 0;      // m³/s at 0 Pa, speed 1, without accessories

    // The fan delivers too little air, or cannot deliver the flow against the accessories.
    bool dropsModel() const;
};

// The air side of model `model`: the given flow and the pressure left at it, or the flow at
// the given pressure, with the line's accessory drop (MRZ accessory row 2, HJQ row 1 for
// heating with the additional coil). Raises ArithmeticError like the engine.
DuctedAirSide ductedAirSide(const DuctedRunChoices& choices, int model, const ModelTable& table);

// The name filters: cooling leaves out the " 4P" heating coils and the "DF" models,
// heating the "+4P" units, and keeps only the "4P" coils with chkDF (the others without).
bool passesDuctedFilters(const std::string& name, int mode, bool fourPipe);

// A finished rating with the air side of its model.
using DuctedRowSink = std::function<void(const RatingResult& result, const DuctedAirSide& air)>;

// Rates every model of `table` in table order into `state` (which holds the conditions, the
// air density and specific heat and the capacity window) and hands each result to `onRow`.
// A model whose rating raises the classic error 5 is skipped like one that does not
// converge; any other error ends the run by propagating (ArithmeticError, RunError).
void rateDuctedModels(const DuctedRunChoices& choices, CoilState& state, const ModelTable& table,
                      const CoilConstants& constants, const DuctedRowSink& onRow,
                      const PendingEventsHook& onSkip = pendingEventsHook());

} // namespace tarvello
