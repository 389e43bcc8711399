#pragma once
// The inputs of the ducted window without its widgets: the ranges of its fields, the shares
// of return and fresh air that fill each other, and LeggiDatiMRZ: reading the fields of one
// mode, mixing the two air streams into the coil's entering air, and the checks of a run in
// the order the user is told.

#include "engine/coil_state.h"
#include "selection_ui/field_checks.h"
#include "selection_ui/kx_inputs.h"

#include <QString>

#include <optional>

namespace tarvello {

// The fields of the ducted window that have a range, by the name of their control.
enum class DuctedField {
    Tsa1ric,  // return air dry bulb
    Tsa1rin,  // fresh air dry bulb
    Humidity, // txtUrric, txturrin
    Psu,      // external static pressure
    Tw1,
    Glic,
};

// The range of a field in `mode` (0 cooling, 1 heating); the static pressure limit is
// 250 Pa in the current air pressure unit.
RangeRule ductedRangeRule(DuctedField field, int mode);

// In cooling a return (fresh) dry bulb is checked only while its stream has a share.
bool dryBulbChecked(DuctedField field, int mode, const QString& shareText);

// The share of a stream, %: the field's number, 0 when it is empty or not a number.
float shareOf(const QString& text);
// A return share of exactly 100: the fresh-air fields are emptied and hidden.
bool isAllReturnAir(const QString& returnShareText);
// The text of the other stream's share: 100 less this one ("80" gives "20").
QString complementShare(const QString& shareText);

// The texts of the fields of one mode; the wet-bulb and humidity fields exist for
// cooling only (their texts are ignored in heating).
struct DuctedFieldTexts {
    QString totalAirFlow;  // txtqatot(i), air flow unit
    QString returnShare;   // txtpqaric(i), %
    QString returnDry;     // txtTsa1ric(i), °C
    QString returnRh;      // txtUrric, %
    QString freshShare;    // txtpqarin(i), %
    QString freshDry;      // txtTsa1rin(i), °C
    QString freshRh;       // txturrin, %
    QString waterIn;       // txtTw1(i), °C
    QString waterOut;      // txtTw2(i), °C
    QString waterFlow;     // txtQw(i), water flow unit
    QString glycol;        // txtGlic(i), %
    QString pressure;      // txtpsu(i), air pressure unit
};

// Shown = internal × factor, per quantity.
struct DuctedUnitFactors {
    float airFlow = 1;     // UnitQa
    float waterFlow = 1;   // UnitQw
    float airPressure = 1; // UnitDpA
    const UnitChoice* temperature = &UnitT; // the unit the temperatures are typed in
};

// What LeggiDatiMRZ reads and works out. A field that is not a number reads as 0.
struct DuctedConditions {
    float TotalAirFlow = 0;  // m³/s; 0 when the static pressure is the given quantity
    float AirFlow = 0;       // m³/s, the total flow until the run sets it per model
    float AirIn = 0;         // °C, mixed dry bulb
    float AirInRh = 0;       // %, mixed humidity (0 in heating)
    float AirInWetBulb = 0;  // °C, mixed wet bulb (cooling)
    KxConditions water;      // WaterIn, WaterOutGiven, WaterFlowGiven, GlycolPercent, StaticPressure

    // The two streams.
    float ReturnDry = 0;     // Tr, °C
    float FreshDry = 0;      // Tf, °C
    float ReturnShare = 0;   // Pr, %
    float FreshShare = 0;    // Pf, %
    float ReturnRh = 0;      // RHr, %
    float FreshRh = 0;       // RHf, %
    float ReturnFlow = 0;    // Qr, m³/s
    float FreshFlow = 0;     // Qf, m³/s

    // The air flow is the given quantity (the results show the available pressure).
    bool airFlowGiven() const { return TotalAirFlow > 0; }
};

// LeggiDatiMRZ without the window: the conditions read and, when a check fails, the
// message and the field that gets the focus.
struct DuctedReading {
    DuctedConditions conditions;
    std::optional<MissingInput> missing;
};
DuctedReading readDuctedInputs(const DuctedFieldTexts& texts, int mode, const DuctedUnitFactors& factors);

// The run request of the conditions in `mode`: the mixed entering air and its two streams,
// the water, glycol, the external static pressure and the total air flow. Line, speed,
// 4-pipe box and band are the caller's.
RunRequest ductedRunRequest(const DuctedConditions& conditions, int mode);

} // namespace tarvello
