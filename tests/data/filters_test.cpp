// Every filter of the selection runs is reachable with the shipped data: the 4-pipe pairs
// of each line, the heating-only "DF" units, the free-blow test of the fan coils, the
// quarter-of-free-delivery test and the negative available pressure of the ducted units,
// the required capacity band, the additional coil's pressure drop and the laminar-flow
// warning. Each model's outcome is read from a whole selection run, as the program rates.

#include "tests/data/shipped_range.h"

#include "engine/fan_air_side.h"
#include "selection/result_columns.h"
#include "selection/selection_run.h"

#include <gtest/gtest.h>

#include <optional>

namespace tarvello::datatest {
namespace {

using catalogue::HeatingWater;
using catalogue::outcomeName;
using catalogue::standardCooling;
using catalogue::standardHeating;

constexpr double kSecondsPerHour = 3600.0;
const std::optional<NotListedReason> kListed;

struct PairCase {
    int line;
    const char* model;
    int16_t mode;
    bool fourPipeBox;
    std::optional<NotListedReason> expected;
};

// A 4-pipe unit appears as "+4P" (its main coil, cooling only) and " 4P" (its heating
// coil, heating only with the 4-pipe box); "DF" ducted units heat only.
const PairCase kPairCases[] = {
    {LineKX, "KXH 60+4P", ModeCooling, false, kListed},
    {LineKX, "KXH 60+4P", ModeHeating, false, NotListedReason::OtherMode},
    {LineKX, "KXH 60+4P", ModeHeating, true, NotListedReason::OtherMode},
    {LineKX, "KXH 60 4P", ModeCooling, false, NotListedReason::OtherMode},
    {LineKX, "KXH 60 4P", ModeHeating, false, NotListedReason::FourPipeChoice},
    {LineKX, "KXH 60 4P", ModeHeating, true, kListed},
    {LineKX, "KXH 60", ModeHeating, true, NotListedReason::FourPipeChoice},
    {LineKX, "KXH 60", ModeHeating, false, kListed},
    {LineMRZ, "KXR 300+4P", ModeCooling, false, kListed},
    {LineMRZ, "KXR 300 4P", ModeHeating, true, kListed},
    {LineMRZ, "KXR 300 4P", ModeCooling, false, NotListedReason::OtherMode},
    {LineMRZ, "KXR 300 DF", ModeCooling, false, NotListedReason::HeatingOnly},
    {LineMRZ, "KXR 300 DF", ModeHeating, false, kListed},
    {LineMRZ, "KXR 300 DF", ModeHeating, true, NotListedReason::FourPipeChoice},
    {LineHJQ, "KXN 45+4P", ModeCooling, false, kListed},
    {LineHJQ, "KXN 45+4P", ModeHeating, true, NotListedReason::OtherMode},
    {LineHJQ, "KXN 45 4P", ModeHeating, true, kListed},
    {LineHJQ, "KXN 45 4P", ModeHeating, false, NotListedReason::FourPipeChoice},
};

TEST(ShippedFilters, FourPipePairsAndHeatingOnlyUnits)
{
    for (const PairCase& c : kPairCases) {
        const ModelTable& t = shippedLines()[c.line];
        const int speed = 3;
        const RunRequest request =
            c.mode == ModeCooling ? standardCooling(c.line, speed)
            : c.fourPipeBox       ? standardHeating(c.line, speed, HeatingWater::HighTemperature, true)
                                  : standardHeating(c.line, speed, HeatingWater::LowTemperature, false);
        const ModelOutcome got = outcomeIn(t, modelNamed(t, c.model), request);
        EXPECT_EQ(got.reason, c.expected) << c.model << (c.mode == ModeCooling ? " cooling" : " heating")
                                          << (c.fourPipeBox ? " with the box: " : ": ") << outcomeName(got.reason);
    }
}

TEST(ShippedFilters, EveryDuctedHeatingOnlyUnitHasItsTwoPipeSibling)
{
    const ModelTable& t = shippedLines()[LineMRZ];
    int units = 0;
    for (int m = 1; m <= t.NumModels; ++m)
        if (nameEndsWith(t.Modello[m], " DF")) {
            ++units;
            modelNamed(t, t.Modello[m].substr(0, t.Modello[m].size() - 3));
        }
    EXPECT_GE(units, 2);
}

// The fan coil's flow at a static pressure: with the pressure at which the top speed
// delivers a twelfth of the speed-1 free-blow flow, the model is dropped (not merely
// without flow), while a larger fan of the line still delivers.
TEST(ShippedFilters, FreeBlowTestDropsASmallFanAtAHighStaticPressure)
{
    const ModelTable& t = shippedLines()[LineKX];
    const int small = 1;
    const float freeBlow = FanFlowAtPressure(0, 1, small, t).value_or(0.0f);
    ASSERT_GT(freeBlow, 0);
    RunRequest request = standardCooling(LineKX, 3);
    request.staticPressure = static_cast<float>(FanPressure(freeBlow / 12, 3, small, t));
    const RunResult run = catalogue::runLine(request, t, catalogue::constantsOf(LineKX));
    const ModelOutcome& dropped = catalogue::outcomeOf(run, small);
    EXPECT_EQ(dropped.reason, NotListedReason::FreeBlow)
        << outcomeName(dropped.reason) << " at " << request.staticPressure << " Pa";
    EXPECT_GT(dropped.air.airFlow, 0) << "the fan still moves some air";
    EXPECT_GT(dropped.air.referenceFlow, 6 * dropped.air.airFlow) << "the speed-1 free-blow flow it is held against";
    EXPECT_TRUE(outcomeIn(t, small, standardCooling(LineKX, 3)).listed());
    int kept = 0;
    for (const ModelOutcome& model : run.models)
        kept += nameEndsWith(model.name, " 4P") || model.listed();
    EXPECT_GT(kept, t.NumModels / 2) << "at " << request.staticPressure << " Pa the larger fans still deliver";
}

// The ducted unit's working flow at a quarter or less of its speed-1 free delivery drops
// it: at speed 1, an external pressure at which the fan (less the outlet plenum on the
// MRZ line) delivers an eighth of its free delivery.
TEST(ShippedFilters, QuarterOfFreeDeliveryTestDropsADuctedUnit)
{
    for (int line : {LineMRZ, LineHJQ}) {
        const ModelTable& t = shippedLines()[line];
        const int m = 1;
        const float free = FanFlowAtExternalPressure(0, 1, m, 0, {}, t).value_or(0.0f);
        ASSERT_GT(free, 0);
        const double q = free / 8;
        double pressure = FanPressure(q, 1, m, t);
        if (line == LineMRZ)
            pressure = AccessoryDropMrz(pressure, m, q / kSecondsPerHour, t);
        RunRequest slow = standardCooling(line, 1);
        slow.staticPressure = static_cast<float>(pressure);
        const ModelOutcome dropped = outcomeIn(t, m, slow);
        EXPECT_EQ(dropped.reason, NotListedReason::QuarterFreeDelivery) << "line " << line << ": "
                                                                         << outcomeName(dropped.reason);
        EXPECT_GT(dropped.air.airFlow, 0);
        RunRequest fast = slow;
        fast.speed = 3;
        EXPECT_TRUE(outcomeIn(t, m, fast).listed()) << "line " << line << ": the faster speed still works there";
    }
}

// With the air flow given, a ducted unit whose fan cannot push that flow through its
// accessories is left out for its negative available pressure, while a larger unit of
// the line delivers it.
TEST(ShippedFilters, NegativeAvailablePressureDropsADuctedUnitAtAGivenAirFlow)
{
    for (int line : {LineMRZ, LineHJQ}) {
        const ModelTable& t = shippedLines()[line];
        const int small = 1;
        const float fitted = FanFlowAtExternalPressure(0, 1, small, 1, {}, t).value_or(0.0f);
        ASSERT_GT(fitted, 0);
        RunRequest request = standardCooling(line, 1);
        request.staticPressure = 0;
        request.totalAirFlow = static_cast<float>(1.2 * fitted / kSecondsPerHour);
        ASSERT_TRUE(request.airFlowGiven());
        const RunResult run = catalogue::runLine(request, t, catalogue::constantsOf(line));
        const ModelOutcome& dropped = catalogue::outcomeOf(run, small);
        EXPECT_EQ(dropped.reason, NotListedReason::NegativePressure) << "line " << line << ": "
                                                                      << outcomeName(dropped.reason);
        EXPECT_LT(dropped.air.availablePressure, 0) << "line " << line;
        EXPECT_GT(run.listedCount(), 0) << "line " << line << ": the larger units deliver the flow";
    }
}

// A required capacity band leaves out the models whose capacity lies outside it, with
// the capacity each reached; the models inside it stay.
TEST(ShippedFilters, CapacityBandLeavesOutTheSmallerModels)
{
    const ModelTable& t = shippedLines()[LineKX];
    const int small = 1;
    const ModelOutcome unbounded = outcomeIn(t, small, standardCooling(LineKX, 3));
    ASSERT_TRUE(unbounded.listed()) << outcomeName(unbounded.reason);
    RunRequest request = standardCooling(LineKX, 3);
    request.band.minimum = unbounded.rating.Capacity + 100;
    const RunResult run = catalogue::runLine(request, t, catalogue::constantsOf(LineKX));
    const ModelOutcome& dropped = catalogue::outcomeOf(run, small);
    EXPECT_EQ(dropped.reason, NotListedReason::OutsideCapacityBand) << outcomeName(dropped.reason);
    EXPECT_NEAR(dropped.capacity, unbounded.rating.Capacity, 10) << "the capacity it reached, in tens of watts";
    EXPECT_GT(run.listedCount(), 0);
    for (const ModelOutcome* listed : run.listed())
        EXPECT_GE(listed->rating.Capacity, request.band.minimum) << listed->name;
}

// The HJQ heating coil is fitted as an additional coil: with the box checked its air
// pressure drop (accessory row 1) lowers the air flow against the 2-pipe unit; the "+4P"
// row's fan curves carry the same coil, so both rows of the 4-pipe unit move about the
// same air.
TEST(ShippedFilters, AdditionalCoilLowersTheDuctedUnitsAirFlow)
{
    const ModelTable& t = shippedLines()[LineHJQ];
    for (int s : {1, 7}) {
        const ModelOutcome coil = outcomeIn(t, modelNamed(t, "KXN 85 4P"),
                                            standardHeating(LineHJQ, s, HeatingWater::HighTemperature, true));
        const ModelOutcome twoPipe = outcomeIn(t, modelNamed(t, "KXN 85"), standardCooling(LineHJQ, s));
        const ModelOutcome main = outcomeIn(t, modelNamed(t, "KXN 85+4P"), standardCooling(LineHJQ, s));
        ASSERT_TRUE(coil.listed()) << outcomeName(coil.reason);
        EXPECT_LT(coil.air.airFlow, 0.97f * twoPipe.air.airFlow) << "speed " << s;
        EXPECT_GT(coil.air.airFlow, 0.7f * twoPipe.air.airFlow) << "speed " << s << ": a believable coil drop";
        EXPECT_NEAR(coil.air.airFlow / main.air.airFlow, 1.0, 0.05) << "speed " << s << ": one unit, one air flow";
    }
}

// A small unit at a low water flow: the tubes run laminar (the window's warning).
TEST(ShippedFilters, LowWaterFlowGivesALaminarRow)
{
    const ModelTable& t = shippedLines()[LineKX];
    RunRequest request = standardCooling(LineKX, 1);
    request.leavingWaterGiven = false;
    request.waterFlow = 50.0 / kSecondsPerHour / 1000; // 50 l/h
    const ModelOutcome r = outcomeIn(t, 1, request);
    ASSERT_TRUE(r.listed()) << outcomeName(r.reason);
    EXPECT_TRUE(isLaminar(r.rating)) << "Reynolds " << r.rating.Reynolds;
    EXPECT_GT(r.rating.WaterOut, 12) << "so little water warms more than 5 K";
    // At the standard 5 K rise the same unit runs turbulent or in transition.
    EXPECT_FALSE(isLaminar(outcomeIn(t, 1, standardCooling(LineKX, 3)).rating));
}

} // namespace
} // namespace tarvello::datatest
