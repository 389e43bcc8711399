#pragma once
// The four rating procedures. Each finds the operating point of one model's coil by
// bisection and, when it converges with a capacity inside the window
// [CapacityMin, CapacityMax], returns the values of its result row. A model that does not
// converge or falls outside the window gives no result (and, for the window, the pending
// window events run). The procedures read the model's coil data and the conditions from
// the working record and leave the operating point in it.
//
//   CalcolaFreddo1  cooling, leaving water temperature given: solves for the water flow
//   CalcolaFreddo2  cooling, water flow given: solves for the leaving water temperature
//   CalcolaCaldo1   heating, leaving water temperature given: solves for the water flow
//   CalcolaCaldo2   heating, water flow given: solves for the leaving water temperature

#include "engine/coil_constants.h"
#include "engine/coil_state.h"

#include <optional>

namespace tarvello {

// Step limits of the bisections.
inline constexpr int kCoolingPhaseSteps = 20;      // per phase, wet then dry
inline constexpr int kHeatingFlowSearchSteps = 15; // CalcolaCaldo1
inline constexpr int kHeatingTempSearchSteps = 20; // CalcolaCaldo2
// An evaluation is the operating point when water-side and coil capacity differ by less.
inline constexpr float kDeviationTolerance_pct = 0.05f;
// A wet solution whose sensible share reaches this is rated again as a dry coil.
inline constexpr double kDrySensibleShare = 0.95;

// What a result row needs. Capacities in W (rounded to tens of watts), flows in m³/s,
// temperatures in °C, the water pressure drop in kPa.
struct RatingResult {
    int model = 0;
    float Capacity = 0;
    float SensibleCapacity = 0; // cooling only
    double WaterFlow = 0;
    float WaterOut = 0;
    float WaterPressureDrop = 0;
    float Reynolds = 0;         // below 2300 the window warns of laminar flow
    float AirFlow = 0;
    float AirOut = 0;
    float AirOutEnthalpy = 0;   // cooling only
    bool DryCoil = false;       // cooling only
    // The capacities before rounding, W: what the product data is calibrated on, so that a
    // shown value never hangs on the last bit of a computation.
    double ExactCapacity = 0;
    double ExactSensibleCapacity = 0; // cooling only
};

std::optional<RatingResult> CalcolaFreddo1(int model, CoilState& s = coilState(),
                                           const CoilConstants& k = coilConstants(),
                                           const PendingEventsHook& onSkip = pendingEventsHook());
std::optional<RatingResult> CalcolaFreddo2(int model, CoilState& s = coilState(),
                                           const CoilConstants& k = coilConstants(),
                                           const PendingEventsHook& onSkip = pendingEventsHook());
std::optional<RatingResult> CalcolaCaldo1(int model, CoilState& s = coilState(),
                                          const CoilConstants& k = coilConstants(),
                                          const PendingEventsHook& onSkip = pendingEventsHook());
std::optional<RatingResult> CalcolaCaldo2(int model, CoilState& s = coilState(),
                                          const CoilConstants& k = coilConstants(),
                                          const PendingEventsHook& onSkip = pendingEventsHook());

// Capacity in W rounded to tens of watts (halves to even).
float RoundToTensOfWatts(double watts);

} // namespace tarvello
