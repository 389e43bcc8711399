#pragma once
// The inputs of the KX window without its widgets: the ranges of the fields, reading the
// fields of one mode into the design conditions, and the completeness checks of a run
// (LeggiDatiKX), in their order.

#include "engine/coil_state.h"
#include "selection/run_request.h"
#include "selection_ui/field_checks.h"
#include "shell/units.h"

#include <QString>

#include <optional>

namespace tarvello {

// The fields of the KX window that have a range, by the name of their control array.
enum class KxField { Tsa1, Tw1, Glic, Psu, Ur };

// The range of a field in `mode` (0 cooling, 1 heating); the static pressure limit is 80 Pa
// in the current air pressure unit, the temperatures in the current temperature unit
// (18 to 33 °C shows as 64.4 to 91.4 °F).
RangeRule kxRangeRule(KxField field, int mode);

// A range of temperatures given in °C, in the unit `temperature` (zero is "not given" in
// every unit, so `zeroAllowed` is kept).
RangeRule temperatureRange(float minimum_C, float maximum_C, bool zeroAllowed, const UnitChoice& temperature = UnitT);

// The temperature a field holds, °C, for a field typed in `temperature`; a field that
// holds no number or 0 reads as 0, "not given", in every unit.
float fieldCelsius(const QString& text, const UnitChoice& temperature = UnitT);

// The texts of the fields of one mode.
struct KxFieldTexts {
    QString airIn;       // txtTsa1(i), °C
    QString waterIn;     // txtTw1(i), °C
    QString waterOut;    // txtTw2(i), °C
    QString waterFlow;   // txtQw(i), water flow unit
    QString glycol;      // txtGlic(i), %
    QString pressure;    // txtpsu(i), air pressure unit
    QString humidity;    // txtUr, %
};

// The design conditions as read; a field that is not a number reads as 0, and so does a
// negative water flow or leaving water temperature.
struct KxConditions {
    float AirIn = 0;           // °C
    float WaterIn = 0;         // °C
    float WaterOutGiven = 0;   // °C
    float WaterFlowGiven = 0;  // m³/s
    float GlycolPercent = 0;   // %
    float StaticPressure = 0;  // Pa
    float AirInRh = 0;         // %

    // The run takes the leaving water temperature whenever one is given; the water flow
    // counts as given only without it.
    bool leavingWaterGiven() const { return WaterOutGiven > 0; }
    bool waterFlowGiven() const { return !leavingWaterGiven() && WaterFlowGiven != 0; }
};

// A value shown in a unit of factor `factor` (shown = internal × factor) as the internal
// value; a unit without a factor gives 0 rather than a fault.
float shownToInternal(float shown, float factor);

// Reads the texts with the water flow factor of UnitQw and the air pressure factor of
// UnitDpA (shown = internal × factor), the temperatures typed in `temperature`.
KxConditions readKxConditions(const KxFieldTexts& texts, float waterFlowFactor, float airPressureFactor,
                              const UnitChoice& temperature = UnitT);

// A missing or contradictory input: the message and the field that gets the focus (its
// object name, empty when the focus stays).
struct MissingInput {
    QString message;
    QString focusField;
};

// The first failing completeness check of `mode`, in the order the user is told.
std::optional<MissingInput> firstMissingInput(const KxConditions& conditions, int mode);

// Heating with the leaving water temperature given: water that leaves at or below the
// entering air temperature `airIn` (°C) is refused before any model is rated.
std::optional<MissingInput> leavingWaterBelowAir(const KxConditions& conditions, float airIn, int mode);

// The water steps of the completeness checks alone, in their order: the entering water,
// a leaving water temperature or a water flow, the largest temperature difference, and a
// leaving temperature on the wrong side of the entering one. The ducted window checks its
// air streams itself before them.
std::optional<MissingInput> firstMissingWaterInput(const KxConditions& conditions, int mode);

// The run request of the conditions in `mode`: the entering air (in cooling with its wet
// bulb from the humidity), the water, glycol and static pressure. Line, speed, 4-pipe box
// and band are the caller's.
RunRequest kxRunRequest(const KxConditions& conditions, int mode);

} // namespace tarvello
