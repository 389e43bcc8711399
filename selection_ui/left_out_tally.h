#pragma once
// The models a run left out, sorted into the cases the user is told about: the core's
// reason refined by the request (a "4P" name means something else in cooling than in
// heating, with or without the 4-pipe box), counted per case, with the capacities reached
// on either side of the required band. Plain C++, no Qt: the texts are in not_listed_texts.h.

#include "selection/run_request.h"
#include "selection/run_result.h"

#include <optional>
#include <vector>

namespace tarvello {

enum class LeftOutCase {
    FourPipeCoilInCooling,     // a " 4P" heating coil in cooling
    FourPipeUnitInHeating,     // a "+4P" unit in heating: its heating is its " 4P" coil
    HeatingOnlyUnit,           // a ducted "DF" unit in cooling
    FourPipeCoilWithoutOption, // heating, 4-pipe box unticked: a coil ending in "4P"
    NotFourPipeWithOption,     // heating, 4-pipe box ticked: a model not ending in "4P"
    FanCoilFreeBlow,           // a sixth or less of the speed-1 free-blow flow
    DuctedFreeDelivery,        // a quarter or less of the speed-1 free delivery
    FanPressureTooLow,         // the fan cannot deliver the flow against the accessories
    NoCoolingLaw,              // a coil geometry without an air-side law for cooling
    OutsideCapacityBand,       // rated, capacity outside the required band
    NoOperatingPoint,          // no operating point at these conditions
    ImplausibleResult,         // a rated value outside its physical range (damaged model data)
};

// The case of a model left out for `reason` by a run in `mode` with the 4-pipe box `fourPipe`.
LeftOutCase leftOutCase(NotListedReason reason, int mode, bool fourPipe);

struct LeftOutCount {
    LeftOutCase which;
    int count = 0;
};

struct LeftOutTally {
    std::vector<LeftOutCount> counts;       // the most frequent case first; ties in case order
    std::optional<float> largestBelowBand;  // W, the largest capacity under the band
    std::optional<float> smallestAboveBand; // W, the smallest capacity over the band

    int total() const;
};

// Counts the models of `result` that are not listed, by case.
LeftOutTally tallyLeftOut(const RunResult& result, const RunRequest& request);

// True when `result` holds a model that is not listed.
bool leftModelsOut(const RunResult& result);

} // namespace tarvello
