#include "engine/rating.h"

#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/psychrometrics.h"
#include "engine/water_side.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

constexpr double kMaxLeavingRh_pct = 90.0;
constexpr double kLowerBracketEnthalpyDrop = 0.5; // kJ/kg of air
constexpr double kUpperBracketApproach = 0.1;     // K above the water inlet
constexpr double kHeatingWaterApproach_K = 1.0;   // heating, water flow given: the first search ends this far below the water inlet

// Which quantity a bisection searches.
enum class Unknown { WaterFlow, WaterOut };

double airMassFlowW(const CoilState& s)
{
    return static_cast<double>(s.AirDensity) * s.AirFlow * 1000.0;
}

double airCapacityRateW(const CoilState& s)
{
    return airMassFlowW(s) * s.AirCp;
}

// Heat the water takes up per m³/s of flow: FluidCp · FluidDensity · 1000 · (rise).
double waterHeatPerFlow(const CoilState& s, double rise)
{
    return static_cast<double>(s.FluidCp) * s.FluidDensity * 1000.0 * rise;
}

// Moves the unknown to the middle of the bracket.
void setMidpoint(CoilState& s, Unknown unknown)
{
    const double mid = (s.BracketLow + s.BracketHigh) / 2.0;
    if (unknown == Unknown::WaterFlow)
        s.WaterFlow = mid;
    else
        s.WaterOut = ToSingle(mid);
}

double unknownValue(const CoilState& s, Unknown unknown)
{
    return unknown == Unknown::WaterFlow ? s.WaterFlow : static_cast<double>(s.WaterOut);
}

// One bisection: `evaluate` rates the coil at the midpoint. When the coil could pass on more
// than the water side takes (dev > 0) the lower end moves up if `positiveMovesLow`, else the
// upper end moves down. True on convergence, false after `stepLimit` evaluations.
template <typename Evaluate>
bool bisect(CoilState& s, Unknown unknown, int stepLimit, bool positiveMovesLow, Evaluate evaluate)
{
    for (int step = 1;; ++step) {
        setMidpoint(s, unknown);
        if (step > stepLimit)
            return false;
        evaluate();
        const float dev = CapacityDeviation(s);
        if (std::fabs(dev) < kDeviationTolerance_pct)
            return true;
        const bool moveLow = (dev > 0) == positiveMovesLow;
        (moveLow ? s.BracketLow : s.BracketHigh) = unknownValue(s, unknown);
    }
}

float sensibleCapacity(const CoilState& s)
{
    return ToSingle(airCapacityRateW(s) * (static_cast<double>(s.AirIn) - s.AirOut));
}

// Enthalpy of the leaving air that bounds the water flow from above: air cooled to 0.1 K
// above the water inlet at the leaving humidity limit. Reused while the inputs match.
float upperBracketAirEnthalpy(CoilState& s)
{
    const float airOut = ToSingle(s.WaterIn + kUpperBracketApproach);
    auto& memo = s.UpperBracketAir;
    if (!memo.valid || memo.airOut != airOut || memo.rhLimit != s.LeavingRhLimit) {
        const float wetBulb = WetBulbFromRelHumidity(airOut, s.LeavingRhLimit);
        memo.enthalpy = EnthalpyFromWetBulb(wetBulb, airOut);
        memo.airOut = airOut;
        memo.rhLimit = s.LeavingRhLimit;
        memo.valid = true;
    }
    s.AirOut = airOut;
    return memo.enthalpy;
}

// Sensible share check of a converged point. Returns true when the wet solution is to be
// re-rated as dry. Sets AirOut (wet), AirOutSatTemp (wet) and SensibleCapacity.
bool finishCoolingPoint(CoilState& s, const CoilConstants& k)
{
    const double bypass = CoilBypassFactor(s.Rows, s.Passo, s.AirFilm, s, k);
    if (!s.DryCoil) {
        s.AirOutSatTemp = SatTemperatureFromEnthalpy(s.AirOutEnthalpy);
        s.AirOut = ToSingle(bypass * (static_cast<double>(s.AirIn) - s.AirInWetBulb) + s.AirOutSatTemp);
    }
    s.SensibleCapacity = sensibleCapacity(s);
    return !s.DryCoil && s.SensibleCapacity >= kDrySensibleShare * s.Capacity;
}

// Leaving air of a dry coil: its enthalpy and saturation temperature; air that would be
// supersaturated leaves saturated.
void finishDryCoil(CoilState& s)
{
    s.AirOutEnthalpy = ToSingle(s.AirInEnthalpy - Divide(s.SensibleCapacity, airMassFlowW(s)));
    s.AirOutSatTemp = SatTemperatureFromEnthalpy(s.AirOutEnthalpy);
    s.Capacity = s.SensibleCapacity;
    const float leavingRh = RelHumidityFromWetBulb(s.AirOut, s.AirOutSatTemp);
    if (leavingRh > 100.0f) {
        s.AirOut = s.AirOutSatTemp;
        s.SensibleCapacity = sensibleCapacity(s);
    }
}

bool insideCapacityWindow(const CoilState& s)
{
    return s.Capacity >= s.CapacityMin && s.Capacity <= s.CapacityMax;
}

RatingResult resultRow(int model, const CoilState& s)
{
    RatingResult r;
    r.model = model;
    r.Capacity = s.Capacity;
    r.SensibleCapacity = s.SensibleCapacity;
    r.WaterFlow = s.WaterFlow;
    r.WaterOut = s.WaterOut;
    r.WaterPressureDrop = s.WaterPressureDrop;
    r.Reynolds = s.Reynolds;
    r.AirFlow = s.AirFlow;
    r.AirOut = s.AirOut;
    r.AirOutEnthalpy = s.AirOutEnthalpy;
    r.DryCoil = s.DryCoil != 0;
    return r;
}

std::optional<RatingResult> skipForWindow(CoilState& s, const PendingEventsHook& onSkip)
{
    s.CapacityOutsideWindow = true;
    if (onSkip)
        onSkip();
    return std::nullopt;
}

// The two cooling procedures differ in the unknown, its brackets and the preparation done
// per evaluation; the wet/dry phases and the finishing are the same.
struct CoolingSearch {
    Unknown unknown;
    double initialLow;
    double initialHigh;
    // Upper bracket after a wet phase that failed (the dry phase's high end).
    double dryFallbackHigh;
};

std::optional<RatingResult> rateCooling(int model, CoilState& s, const CoilConstants& k,
                                        const PendingEventsHook& onSkip, const CoolingSearch& search)
{
    auto evaluate = [&] {
        if (search.unknown == Unknown::WaterOut)
            PrepareCoolingPoint(s);
        RateCoilCooling(s, k);
    };
    s.BracketLow = search.initialLow;
    s.BracketHigh = search.initialHigh;
    for (;;) {
        if (!bisect(s, search.unknown, kCoolingPhaseSteps, true, evaluate)) {
            if (s.DryCoil)
                return std::nullopt;
            // The wet phase found no point: try the coil dry.
            s.DryCoil = 1;
            s.BracketLow = search.initialLow;
            s.BracketHigh = search.dryFallbackHigh;
            continue;
        }
        if (finishCoolingPoint(s, k)) {
            // Sensible share of 95 % or more: the coil runs dry.
            s.DryCoil = 1;
            s.BracketLow = search.initialLow;
            s.BracketHigh = search.initialHigh;
            continue;
        }
        break;
    }
    if (s.DryCoil)
        finishDryCoil(s);
    if (!insideCapacityWindow(s))
        return skipForWindow(s, onSkip);
    s.WaterPressureDrop = TubeFrictionDrop(s, k);
    const double exactCapacity = s.Capacity, exactSensible = s.SensibleCapacity;
    s.Capacity = RoundToTensOfWatts(s.Capacity);
    s.SensibleCapacity = RoundToTensOfWatts(s.SensibleCapacity);
    RatingResult r = resultRow(model, s);
    r.ExactCapacity = exactCapacity;
    r.ExactSensibleCapacity = exactSensible;
    return r;
}

void prepareCoolingRun(CoilState& s)
{
    s.LeavingRhLimit = ToSingle(std::min(2.0 * s.AirInRh, kMaxLeavingRh_pct));
    s.DryCoil = 0;
}

// Heating: the found point, its leaving air, pressure drop and rounded capacity.
std::optional<RatingResult> finishHeating(int model, CoilState& s, const CoilConstants& k,
                                          const PendingEventsHook& onSkip)
{
    if (!insideCapacityWindow(s))
        return skipForWindow(s, onSkip);
    s.AirOut = ToSingle(s.AirIn + Divide(s.Capacity, airCapacityRateW(s)));
    s.WaterPressureDrop = TubeFrictionDrop(s, k);
    const double exactCapacity = s.Capacity;
    s.Capacity = RoundToTensOfWatts(s.Capacity);
    RatingResult r = resultRow(model, s);
    r.ExactCapacity = exactCapacity;
    // A heating row has no sensible share, leaving enthalpy or wet/dry state.
    r.SensibleCapacity = 0;
    r.AirOutEnthalpy = 0;
    r.DryCoil = false;
    return r;
}

} // namespace

float RoundToTensOfWatts(double watts)
{
    return ToSingle(RoundHalfEven(watts / 10.0) * 10.0);
}

std::optional<RatingResult> CalcolaFreddo1(int model, CoilState& s, const CoilConstants& k,
                                           const PendingEventsHook& onSkip)
{
    s.CapacityOutsideWindow = false;
    prepareCoolingRun(s);
    PrepareCoolingPoint(s);
    const double heatPerFlow = waterHeatPerFlow(s, static_cast<double>(s.WaterOut) - s.WaterIn);
    CoolingSearch search;
    search.unknown = Unknown::WaterFlow;
    search.initialLow = Divide(airMassFlowW(s) * kLowerBracketEnthalpyDrop, heatPerFlow);
    s.AirOutEnthalpy = upperBracketAirEnthalpy(s);
    search.initialHigh = Divide(airMassFlowW(s) * (static_cast<double>(s.AirInEnthalpy) - s.AirOutEnthalpy),
                                heatPerFlow);
    search.dryFallbackHigh = Divide(airCapacityRateW(s) * (static_cast<double>(s.AirIn) - s.WaterIn),
                                    heatPerFlow);
    // Air that holds less enthalpy than the limit air near the water inlet leaves no room
    // for a wet duty: the wet bracket would end at or below its start (negative flows). The
    // coil can still cool it dry, so the search starts with the dry coil's bracket.
    if (!(search.initialHigh > search.initialLow))
        search.initialHigh = search.dryFallbackHigh;
    return rateCooling(model, s, k, onSkip, search);
}

std::optional<RatingResult> CalcolaFreddo2(int model, CoilState& s, const CoilConstants& k,
                                           const PendingEventsHook& onSkip)
{
    s.CapacityOutsideWindow = false;
    prepareCoolingRun(s);
    CoolingSearch search;
    search.unknown = Unknown::WaterOut;
    search.initialLow = s.WaterIn;
    search.initialHigh = s.AirIn;
    search.dryFallbackHigh = s.AirIn;
    return rateCooling(model, s, k, onSkip, search);
}

std::optional<RatingResult> CalcolaCaldo1(int model, CoilState& s, const CoilConstants& k,
                                          const PendingEventsHook& onSkip)
{
    s.CapacityOutsideWindow = false;
    PrepareHeatingPoint(s);
    const double heatPerFlow = waterHeatPerFlow(s, static_cast<double>(s.WaterIn) - s.WaterOut);
    const double airIn = s.AirIn;
    // Bracket: from a 1 K rise of the air to the air heated up to the water inlet.
    s.BracketLow = Divide(airCapacityRateW(s) * ((airIn + 1.0) - airIn), heatPerFlow);
    s.BracketHigh = Divide(airCapacityRateW(s) * (static_cast<double>(s.WaterIn) - airIn), heatPerFlow);
    if (!bisect(s, Unknown::WaterFlow, kHeatingFlowSearchSteps, true, [&] { RateCoilHeating(s, k); }))
        return std::nullopt;
    return finishHeating(model, s, k, onSkip);
}

std::optional<RatingResult> CalcolaCaldo2(int model, CoilState& s, const CoilConstants& k,
                                          const PendingEventsHook& onSkip)
{
    s.CapacityOutsideWindow = false;
    // dev > 0: the coil could pass on more than the water yields at this leaving
    // temperature, so the operating point lies at a lower one.
    auto evaluate = [&] {
        PrepareHeatingPoint(s);
        RateCoilHeating(s, k);
    };
    s.BracketLow = s.AirIn;
    s.BracketHigh = static_cast<double>(s.WaterIn) - kHeatingWaterApproach_K;
    if (!bisect(s, Unknown::WaterOut, kHeatingTempSearchSteps, false, evaluate)) {
        // At a high flow the water leaves within the approach of its inlet temperature: the
        // search goes on in that last span, up to the inlet itself.
        s.BracketLow = std::max(static_cast<double>(s.AirIn), static_cast<double>(s.WaterIn) - kHeatingWaterApproach_K);
        s.BracketHigh = s.WaterIn;
        if (!bisect(s, Unknown::WaterOut, kHeatingTempSearchSteps, false, evaluate))
            return std::nullopt;
    }
    return finishHeating(model, s, k, onSkip);
}

} // namespace tarvello
