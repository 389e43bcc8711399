// Every filter of the selection runs is reachable with the shipped data: the 4-pipe pairs
// of each line, the heating-only "DF" units, the free-blow test of the fan coils, the
// quarter-of-free-delivery test of the ducted units, the additional coil's pressure drop
// and the laminar-flow warning.

#include "tests/data/shipped_range.h"

#include "engine/fan_air_side.h"

#include <gtest/gtest.h>

namespace tarvello::datatest {
namespace {

using catalogue::constantsOf;
using catalogue::ModelRating;
using catalogue::Outcome;
using catalogue::outcomeName;
using catalogue::RatingConditions;
using catalogue::rateModel;
using catalogue::standardCooling;
using catalogue::standardHeating;

int find(const ModelTable& t, const std::string& name)
{
    for (int m = 1; m <= t.NumModels; ++m)
        if (t.Modello[m] == name)
            return m;
    ADD_FAILURE() << name << " is not in line " << t.line;
    return 1;
}

Outcome outcomeOf(const ModelTable& t, const std::string& name, const RatingConditions& c, int speed = 3)
{
    return rateModel(t, constantsOf(t.line), find(t, name), speed, c).outcome;
}

struct PairCase {
    int line;
    const char* model;
    int16_t mode;
    bool fourPipeBox;
    Outcome expected;
};

// A 4-pipe unit appears as "+4P" (its main coil, cooling only) and " 4P" (its heating
// coil, heating only with the 4-pipe box); "DF" ducted units heat only.
const PairCase kPairCases[] = {
    {LineKX, "KXH 60+4P", ModeCooling, false, Outcome::Rated},
    {LineKX, "KXH 60+4P", ModeHeating, false, Outcome::NameFilter},
    {LineKX, "KXH 60+4P", ModeHeating, true, Outcome::NameFilter},
    {LineKX, "KXH 60 4P", ModeCooling, false, Outcome::NameFilter},
    {LineKX, "KXH 60 4P", ModeHeating, false, Outcome::FourPipeFilter},
    {LineKX, "KXH 60 4P", ModeHeating, true, Outcome::Rated},
    {LineKX, "KXH 60", ModeHeating, true, Outcome::FourPipeFilter},
    {LineKX, "KXH 60", ModeHeating, false, Outcome::Rated},
    {LineMRZ, "KXR 300+4P", ModeCooling, false, Outcome::Rated},
    {LineMRZ, "KXR 300 4P", ModeHeating, true, Outcome::Rated},
    {LineMRZ, "KXR 300 4P", ModeCooling, false, Outcome::NameFilter},
    {LineMRZ, "KXR 300 DF", ModeCooling, false, Outcome::HeatingOnly},
    {LineMRZ, "KXR 300 DF", ModeHeating, false, Outcome::Rated},
    {LineMRZ, "KXR 300 DF", ModeHeating, true, Outcome::FourPipeFilter},
    {LineHJQ, "KXN 45+4P", ModeCooling, false, Outcome::Rated},
    {LineHJQ, "KXN 45+4P", ModeHeating, true, Outcome::NameFilter},
    {LineHJQ, "KXN 45 4P", ModeHeating, true, Outcome::Rated},
    {LineHJQ, "KXN 45 4P", ModeHeating, false, Outcome::FourPipeFilter},
};

TEST(ShippedFilters, FourPipePairsAndHeatingOnlyUnits)
{
    for (const PairCase& c : kPairCases) {
        const ModelTable& t = shippedLines()[c.line];
        const float p = catalogue::cataloguePressure(c.line);
        const RatingConditions conditions = c.mode == ModeCooling ? standardCooling(p)
                                            : c.fourPipeBox       ? standardHeating(p, 70, 60, true)
                                                                  : standardHeating(p, 45, 40, false);
        const Outcome got = outcomeOf(t, c.model, conditions);
        EXPECT_EQ(got, c.expected) << c.model << (c.mode == ModeCooling ? " cooling" : " heating")
                                   << (c.fourPipeBox ? " with the box: " : ": ") << outcomeName(got);
    }
}

TEST(ShippedFilters, EveryDuctedHeatingOnlyUnitHasItsTwoPipeSibling)
{
    const ModelTable& t = shippedLines()[LineMRZ];
    int units = 0;
    for (int m = 1; m <= t.NumModels; ++m)
        if (catalogue::endsWith(t.Modello[m], " DF")) {
            ++units;
            find(t, t.Modello[m].substr(0, t.Modello[m].size() - 3));
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
    const float pressure = static_cast<float>(FanPressure(freeBlow / 12, 3, small, t));
    const ModelRating dropped = rateModel(t, constantsOf(LineKX), small, 3, standardCooling(pressure));
    EXPECT_EQ(dropped.outcome, Outcome::FreeBlow) << outcomeName(dropped.outcome) << " at " << pressure << " Pa";
    EXPECT_GT(dropped.airFlow_m3h, 0) << "the fan still moves some air";
    EXPECT_EQ(outcomeOf(t, t.Modello[small], standardCooling(0)), Outcome::Rated);
    int kept = 0;
    for (int m = 1; m <= t.NumModels; ++m)
        kept += catalogue::endsWith(t.Modello[m], " 4P")
                || rateModel(t, constantsOf(LineKX), m, 3, standardCooling(pressure)).outcome == Outcome::Rated;
    EXPECT_GT(kept, t.NumModels / 2) << "at " << pressure << " Pa the larger fans still deliver";
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
            pressure = AccessoryDropMrz(pressure, m, q / 3600, t);
        const ModelRating dropped = rateModel(t, constantsOf(line), m, 1, standardCooling(static_cast<float>(pressure)));
        EXPECT_EQ(dropped.outcome, Outcome::QuarterFreeDelivery) << "line " << line << ": " << outcomeName(dropped.outcome);
        EXPECT_GT(dropped.airFlow_m3h, 0);
        const ModelRating top = rateModel(t, constantsOf(line), m, 3, standardCooling(static_cast<float>(pressure)));
        EXPECT_EQ(top.outcome, Outcome::Rated) << "line " << line << ": the faster speed still works there";
    }
}

// The HJQ heating coil is fitted as an additional coil: with the box checked its air
// pressure drop (accessory row 1) lowers the air flow against the main coil's unit.
TEST(ShippedFilters, AdditionalCoilLowersTheDuctedUnitsAirFlow)
{
    const ModelTable& t = shippedLines()[LineHJQ];
    const float p = catalogue::cataloguePressure(LineHJQ);
    for (int s : {1, 7}) {
        const ModelRating coil = rateModel(t, constantsOf(LineHJQ), find(t, "KXN 85 4P"), s, standardHeating(p, 70, 60, true));
        const ModelRating main = rateModel(t, constantsOf(LineHJQ), find(t, "KXN 85+4P"), s, standardCooling(p));
        ASSERT_EQ(coil.outcome, Outcome::Rated);
        EXPECT_LT(coil.airFlow_m3h, 0.97f * main.airFlow_m3h) << "speed " << s;
        EXPECT_GT(coil.airFlow_m3h, 0.7f * main.airFlow_m3h) << "speed " << s << ": a believable coil drop";
    }
}

// A small unit at a low water flow: the tubes run laminar (the window's warning).
TEST(ShippedFilters, LowWaterFlowGivesALaminarRow)
{
    const ModelTable& t = shippedLines()[LineKX];
    RatingConditions c = standardCooling(0);
    c.waterOut = 0;
    c.waterFlow = 50.0 / 3600 / 1000; // 50 l/h
    const ModelRating r = rateModel(t, constantsOf(LineKX), 1, 1, c);
    ASSERT_EQ(r.outcome, Outcome::Rated) << outcomeName(r.outcome);
    EXPECT_LT(r.result.Reynolds, 2300);
    EXPECT_GT(r.result.WaterOut, 12) << "so little water warms more than 5 K";
    // At the standard 5 K rise the same unit runs turbulent or in transition.
    EXPECT_GT(rateModel(t, constantsOf(LineKX), 1, 3, standardCooling(0)).result.Reynolds, 2300);
}

} // namespace
} // namespace tarvello::datatest
