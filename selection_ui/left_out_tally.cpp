#include "selection_ui/left_out_tally.h"

#include "engine/coil_state.h"

#include <algorithm>
#include <map>

namespace tarvello {

LeftOutCase leftOutCase(NotListedReason reason, int mode, bool fourPipe)
{
    switch (reason) {
    case NotListedReason::OtherMode:
        return mode == ModeCooling ? LeftOutCase::FourPipeCoilInCooling : LeftOutCase::FourPipeUnitInHeating;
    case NotListedReason::HeatingOnly: return LeftOutCase::HeatingOnlyUnit;
    case NotListedReason::FourPipeChoice:
        return fourPipe ? LeftOutCase::NotFourPipeWithOption : LeftOutCase::FourPipeCoilWithoutOption;
    case NotListedReason::FreeBlow: return LeftOutCase::FanCoilFreeBlow;
    case NotListedReason::QuarterFreeDelivery: return LeftOutCase::DuctedFreeDelivery;
    case NotListedReason::NegativePressure: return LeftOutCase::FanPressureTooLow;
    case NotListedReason::NoCoolingLaw: return LeftOutCase::NoCoolingLaw;
    case NotListedReason::OutsideCapacityBand: return LeftOutCase::OutsideCapacityBand;
    case NotListedReason::NoOperatingPoint: return LeftOutCase::NoOperatingPoint;
    case NotListedReason::ImplausibleResult: return LeftOutCase::ImplausibleResult;
    }
    return LeftOutCase::NoOperatingPoint;
}

int LeftOutTally::total() const
{
    int sum = 0;
    for (const LeftOutCount& c : counts)
        sum += c.count;
    return sum;
}

namespace {

void noteCapacity(LeftOutTally& tally, float capacity, const CapacityBand& band)
{
    if (capacity < band.minimum)
        tally.largestBelowBand = std::max(tally.largestBelowBand.value_or(capacity), capacity);
    else if (capacity > band.maximum)
        tally.smallestAboveBand = std::min(tally.smallestAboveBand.value_or(capacity), capacity);
}

} // namespace

LeftOutTally tallyLeftOut(const RunResult& result, const RunRequest& request)
{
    LeftOutTally tally;
    std::map<LeftOutCase, int> counts; // ordered by case
    for (const ModelOutcome& model : result.models) {
        if (model.listed())
            continue;
        ++counts[leftOutCase(*model.reason, request.mode, request.fourPipe)];
        if (*model.reason == NotListedReason::OutsideCapacityBand)
            noteCapacity(tally, model.capacity, request.band);
    }
    for (const auto& [which, count] : counts)
        tally.counts.push_back({which, count});
    std::stable_sort(tally.counts.begin(), tally.counts.end(),
                     [](const LeftOutCount& a, const LeftOutCount& b) { return a.count > b.count; });
    return tally;
}

bool leftModelsOut(const RunResult& result)
{
    return std::any_of(result.models.begin(), result.models.end(),
                       [](const ModelOutcome& model) { return !model.listed(); });
}

} // namespace tarvello
