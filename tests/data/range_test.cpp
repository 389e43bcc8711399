// Physical sense of the shipped range at the standard conditions: every model rates at
// every speed in the duties its name allows, its fan searches converge, and capacities,
// air flows, sensible shares, leaving air, water pressure drops and sound levels look
// like a real catalogue's. Every rating is read from a whole selection run of its line.

#include "tests/data/shipped_range.h"

#include "engine/fan_air_side.h"

#include <gtest/gtest.h>

#include <map>

namespace tarvello::datatest {
namespace {

using catalogue::outcomeName;

ModelOutcome cooling(const ModelTable& t, int m, int s)
{
    return outcomeIn(t, m, catalogue::standardCooling(t.line, s));
}

ModelOutcome heating(const ModelTable& t, int m, int s, bool hot = false)
{
    return outcomeIn(t, m, standardHeatingOf(t, m, s, hot));
}

TEST(ShippedRange, EveryLineUsesItsFullTable)
{
    // Line 0 holds at most 45 models, line 1 24, line 2 18: the range fills them.
    for (const ModelTable& t : shippedLines())
        EXPECT_EQ(t.NumModels, maxModelsOf(t.line)) << "line " << t.line;
}

TEST(ShippedRange, EveryModelRatesAtEverySpeedInItsDuties)
{
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m)
            for (int s = 1; s <= speedCountOf(t.line); ++s) {
                if (hasCooling(t.Modello[m])) {
                    const ModelOutcome r = cooling(t, m, s);
                    EXPECT_TRUE(r.listed()) << where(t, m, s) << " cooling: " << outcomeName(r.reason);
                }
                if (hasHeating(t.Modello[m])) {
                    const ModelOutcome r = heating(t, m, s);
                    EXPECT_TRUE(r.listed()) << where(t, m, s) << " heating: " << outcomeName(r.reason);
                }
            }
}

// The fan searches bisect only 20 times to a tight pressure tolerance: a curve too steep
// at its working point loses the model silently. Every speed finds its flow across the
// pressures a user may ask for, up to well below the curve's shut-off pressure.
TEST(ShippedRange, FanSearchesConvergeAcrossTheWorkingPressures)
{
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m)
            for (int s = 1; s <= speedCountOf(t.line); ++s) {
                const double shutOff = t.VelC[m][s];
                for (double p = 0; p < 0.8 * shutOff; p += 5) {
                    if (!productLine(t.line).ducted()) {
                        EXPECT_TRUE(FanFlowAtPressure(p, s, m, t).has_value()) << where(t, m, s) << " at " << p << " Pa";
                    } else {
                        // With the outlet plenum (MRZ) or the additional coil (HJQ) fitted.
                        EXPECT_TRUE(FanFlowAtExternalPressure(p, s, m, 1, {true, true}, t).has_value())
                            << where(t, m, s) << " at " << p << " Pa";
                    }
                }
            }
}

TEST(ShippedRange, CapacityAndAirFlowRiseWithSpeed)
{
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m)
            for (int s = 2; s <= speedCountOf(t.line); ++s) {
                const bool cools = hasCooling(t.Modello[m]);
                const RatingResult slower = (cools ? cooling(t, m, s - 1) : heating(t, m, s - 1)).rating;
                const RatingResult faster = (cools ? cooling(t, m, s) : heating(t, m, s)).rating;
                EXPECT_GT(faster.AirFlow, slower.AirFlow) << where(t, m, s);
                EXPECT_GT(faster.Capacity, slower.Capacity) << where(t, m, s);
                EXPECT_GT(t.LWA[m][s], t.LWA[m][s - 1]) << where(t, m, s);
            }
}

// A family is the name before the size and the variant after it ("KXH 60+4P" belongs to
// "KXH" / "+4P"); its sizes are listed from the smallest.
std::string familyOf(const std::string& name)
{
    const size_t space = name.find(' ');
    size_t end = space + 1;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end])))
        ++end;
    return name.substr(0, space) + "|" + name.substr(end);
}

TEST(ShippedRange, CapacityAirFlowAndSoundRiseWithSizeWithinAFamily)
{
    for (const ModelTable& t : shippedLines()) {
        const int top = speedCountOf(t.line);
        std::map<std::string, int> previous;
        int families = 0;
        for (int m = 1; m <= t.NumModels; ++m) {
            const std::string family = familyOf(t.Modello[m]);
            const auto it = previous.find(family);
            if (it != previous.end()) {
                const int p = it->second;
                const bool cools = hasCooling(t.Modello[m]);
                const RatingResult smaller = (cools ? cooling(t, p, top) : heating(t, p, top)).rating;
                const RatingResult larger = (cools ? cooling(t, m, top) : heating(t, m, top)).rating;
                EXPECT_GT(larger.Capacity, smaller.Capacity) << t.Modello[m] << " after " << t.Modello[p];
                EXPECT_GT(larger.AirFlow, smaller.AirFlow) << t.Modello[m] << " after " << t.Modello[p];
                EXPECT_GE(t.LWA[m][top], t.LWA[p][top]) << t.Modello[m] << " after " << t.Modello[p];
            } else {
                ++families;
            }
            previous[family] = m;
        }
        EXPECT_GE(families, 3) << "line " << t.line;
    }
}

TEST(ShippedRange, SensibleShareAndLeavingAirInCooling)
{
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m)
            for (int s = 1; s <= speedCountOf(t.line); ++s) {
                if (!hasCooling(t.Modello[m]))
                    continue;
                const RatingResult r = cooling(t, m, s).rating;
                const double share = r.SensibleCapacity / r.Capacity;
                EXPECT_GE(share, 0.65) << where(t, m, s);
                EXPECT_LE(share, 0.9) << where(t, m, s);
                EXPECT_GT(r.AirOut, 7) << where(t, m, s) << ": leaving air above the water inlet";
                EXPECT_LT(r.AirOut, 27) << where(t, m, s) << ": leaving air below the entering air";
                EXPECT_FALSE(r.DryCoil) << where(t, m, s) << ": 7 °C water dehumidifies 27/19 °C air";
            }
}

TEST(ShippedRange, LeavingAirInHeatingAndTheHotterWaterGivesMore)
{
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m)
            for (int s = 1; s <= speedCountOf(t.line); ++s) {
                if (!hasHeating(t.Modello[m]))
                    continue;
                const RatingResult low = heating(t, m, s).rating;
                const RatingResult high = heating(t, m, s, true).rating;
                const float waterIn = catalogue::isFourPipeHeatingCoil(t.Modello[m]) ? 70.0f : 45.0f;
                EXPECT_GT(low.AirOut, 20) << where(t, m, s);
                EXPECT_LT(low.AirOut, waterIn) << where(t, m, s);
                if (!catalogue::isFourPipeHeatingCoil(t.Modello[m])) {
                    EXPECT_GT(high.Capacity, 1.5 * low.Capacity) << where(t, m, s) << ": 70/60 °C against 45/40 °C";
                }
            }
}

// At the nominal (top-speed) water flow of the rated duty: 5 to 50 kPa; slower speeds
// draw less water and so lose less pressure.
TEST(ShippedRange, WaterPressureDropAtTheNominalFlowIsInTheBand)
{
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m) {
            const int top = speedCountOf(t.line);
            const bool cools = hasCooling(t.Modello[m]);
            const RatingResult r = (cools ? cooling(t, m, top) : heating(t, m, top)).rating;
            EXPECT_GE(r.WaterPressureDrop, 5) << where(t, m, top);
            EXPECT_LE(r.WaterPressureDrop, 50) << where(t, m, top);
            const RatingResult slow = (cools ? cooling(t, m, 1) : heating(t, m, 1)).rating;
            EXPECT_LT(slow.WaterPressureDrop, r.WaterPressureDrop) << where(t, m, 1);
        }
}

struct LineRange {
    int line;
    double minAir_m3h, maxAir_m3h;      // at the top speed and the catalogue pressure
    double minCooling_W, maxCooling_W;  // top speed
};

// Field data: fan coils about 150 to 1,800 m³/h and 0.8 to 10 kW (the smallest unit's
// lowest speed must still deliver 150 m³/h, so its top speed lies higher); ducted units
// about 500 to 6,000 m³/h and 2.5 to 30 kW (the fan search of the ducted lines ends at
// 5,000 m³/h).
const LineRange kRanges[] = {
    {LineKX, 200, 1800, 1000, 12500},
    {LineMRZ, 450, 4100, 2500, 25000},
    {LineHJQ, 750, 5000, 4000, 30000},
};

TEST(ShippedRange, EachLineSpansItsCatalogueRange)
{
    for (const LineRange& range : kRanges) {
        const ModelTable& t = shippedLines()[range.line];
        const int top = speedCountOf(t.line);
        double minAir = 1e9, maxAir = 0, minCooling = 1e9, maxCooling = 0;
        for (int m = 1; m <= t.NumModels; ++m) {
            if (!hasCooling(t.Modello[m]))
                continue;
            const RatingResult r = cooling(t, m, top).rating;
            minAir = std::min<double>(minAir, r.AirFlow * 3600);
            maxAir = std::max<double>(maxAir, r.AirFlow * 3600);
            minCooling = std::min<double>(minCooling, r.Capacity);
            maxCooling = std::max<double>(maxCooling, r.Capacity);
        }
        EXPECT_GE(minAir, range.minAir_m3h) << "line " << range.line;
        EXPECT_LE(minAir, range.minAir_m3h * 1.5) << "line " << range.line;
        EXPECT_LE(maxAir, range.maxAir_m3h) << "line " << range.line;
        EXPECT_GE(maxAir, range.maxAir_m3h * 0.8) << "line " << range.line;
        EXPECT_GE(minCooling, range.minCooling_W) << "line " << range.line;
        EXPECT_LE(maxCooling, range.maxCooling_W) << "line " << range.line;
        EXPECT_GE(maxCooling, range.maxCooling_W * 0.8) << "line " << range.line;
    }
}

} // namespace
} // namespace tarvello::datatest
