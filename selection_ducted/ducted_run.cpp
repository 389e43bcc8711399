#include "selection_ducted/ducted_run.h"

#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/fan_air_side.h"
#include "engine/water_side.h"
#include "selection_kx/kx_run.h"

namespace tarvello {

namespace {

constexpr double kSecondsPerHour = 3600.0;
constexpr int kFreeDeliverySpeed = 1;
constexpr int kWithAccessory = 1;
constexpr int kWithoutAccessory = 0;

// An air flow of the fan searches, m³/h, in m³/s; no flow found counts as 0.
float perSecond(std::optional<float> flow_m3h)
{
    return ToSingle(flow_m3h.value_or(0.0f) / kSecondsPerHour);
}

// The procedures solve for the other water value: the given one is set before each.
std::optional<RatingResult> rateCoil(const DuctedRunChoices& c, CoilState& s, const CoilConstants& k, int m,
                                     const PendingEventsHook& onSkip)
{
    const bool cooling = c.mode == ModeCooling;
    if (c.leavingWaterGiven) {
        s.WaterOut = c.waterOutGiven;
        return cooling ? CalcolaFreddo1(m, s, k, onSkip) : CalcolaCaldo1(m, s, k, onSkip);
    }
    s.WaterFlow = c.waterFlowGiven;
    return cooling ? CalcolaFreddo2(m, s, k, onSkip) : CalcolaCaldo2(m, s, k, onSkip);
}

// Rates model m; returns nothing when the model is left out or has no result.
std::optional<RatingResult> rateModel(const DuctedRunChoices& c, CoilState& s, const ModelTable& t,
                                      const CoilConstants& k, int m, const DuctedAirSide& air,
                                      const PendingEventsHook& onSkip)
{
    setCoilGeometry(s, t, m);
    s.AirFlow = air.AirFlow;
    s.TubeCount = CoilTubeCount(s.CoilHeight, s.Rows, k);
    if (c.mode == ModeCooling) {
        s.ExtraLengthCoeff = t.FCC50[m];
        s.BypassCoeff = t.C100[m];
        s.AirCoeff = t.FC30[m];
    } else {
        s.ExtraLengthCoeff = t.CCC50[m];
        s.AirCoeff = t.CC30[m];
    }
    setCoilAirSide(s, k);
    setAirFilm(s, k);
    return rateCoil(c, s, k, m, onSkip);
}

// The fan pressure less the line's accessory drop at q m³/s (the same accessories as the
// fan searches take).
double lessAccessoryDrop(double pressure, int m, double q_m3s, const AccessoryConditions& accessory,
                         const ModelTable& t)
{
    if (t.SeriesCode == "MRZ")
        return AccessoryDropMrz(pressure, m, q_m3s, t);
    if (t.SeriesCode == "HJQ")
        return AccessoryDropHjq(pressure, m, q_m3s, accessory, t);
    return pressure;
}

} // namespace

bool DuctedAirSide::dropsModel() const
{
    return ToSingle(double(FreeDelivery) / kFreeDeliveryShare) >= AirFlow || AvailablePressure < 0;
}

DuctedAirSide ductedAirSide(const DuctedRunChoices& c, int m, const ModelTable& t)
{
    const AccessoryConditions accessory{c.mode == ModeHeating, c.fourPipe};
    DuctedAirSide air;
    if (c.airFlowBranch()) {
        air.AirFlow = c.totalAirFlow;
        const double fanPressure = FanPressure(double(air.AirFlow) * kSecondsPerHour, c.speed, m, t);
        air.AvailablePressure = ToSingle(lessAccessoryDrop(fanPressure, m, air.AirFlow, accessory, t));
    } else {
        air.AirFlow = perSecond(FanFlowAtExternalPressure(c.staticPressure, c.speed, m, kWithAccessory, accessory, t));
        air.AvailablePressure = c.staticPressure;
    }
    air.FreeDelivery = perSecond(FanFlowAtExternalPressure(0, kFreeDeliverySpeed, m, kWithoutAccessory, accessory, t));
    air.PressurePrefix = QStringLiteral(" ");
    if (air.AvailablePressure > kAvailablePressureCap_Pa) {
        air.AvailablePressure = kAvailablePressureCap_Pa;
        air.PressurePrefix = QStringLiteral("> ");
    }
    return air;
}

bool passesDuctedFilters(const std::string& name, int mode, bool fourPipe)
{
    if (!passesSeriesFilter(name, mode))
        return false;
    if (mode == ModeCooling)
        return !nameEndsWith(name, "DF"); // the DF units are not rated in cooling
    return passesFourPipeFilter(name, fourPipe);
}

void rateDuctedModels(const DuctedRunChoices& choices, CoilState& state, const ModelTable& table,
                      const CoilConstants& constants, const DuctedRowSink& onRow, const PendingEventsHook& onSkip)
{
    for (int m = 1; m <= table.NumModels && m <= kMaxModels; ++m) {
        // A model that is never rated cannot end the run: the filters come first.
        if (!passesDuctedFilters(table.Modello[m], choices.mode, choices.fourPipe))
            continue;
        DuctedAirSide air;
        const std::optional<RatingResult> result = rateOrSkip(
            [&]() -> std::optional<RatingResult> {
                air = ductedAirSide(choices, m, table);
                if (air.dropsModel())
                    return std::nullopt;
                return rateModel(choices, state, table, constants, m, air, onSkip);
            },
            onSkip);
        if (result && onRow)
            onRow(*result, air);
    }
}

} // namespace tarvello
