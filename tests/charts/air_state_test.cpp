// The states of the details and the chart are the engine's states: a state built from a
// dry bulb and a humidity gives back, through the engine's own functions, the humidity, wet
// bulb and enthalpy it was built from.

#include "charts/air_state.h"
#include "charts/chart_geometry.h"
#include "engine/psychrometrics.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

struct HumidState {
    double dryBulb;
    double relativeHumidity;
};

class AirStateFromHumidity : public ::testing::TestWithParam<HumidState> {};

TEST_P(AirStateFromHumidity, AgreesWithTheEnginesFunctions)
{
    const auto [t, rh] = GetParam();
    const AirState s = airStateFromHumidity(t, rh);
    EXPECT_NEAR(s.relativeHumidity, rh, 1e-3);
    EXPECT_NEAR(RelHumidityFromWetBulb(t, s.wetBulb), rh, 0.05) << "engine's humidity at the wet bulb";
    EXPECT_NEAR(HumidityRatioFromWetBulb(t, s.wetBulb), s.humidityRatio, 2e-6);
    EXPECT_FLOAT_EQ(float(s.enthalpy), MoistAirEnthalpy(t, s.humidityRatio));
    EXPECT_LE(s.wetBulb, t + 1e-6);
    // Built again from its wet bulb, the state is the same.
    const AirState again = airStateFromWetBulb(t, s.wetBulb);
    EXPECT_NEAR(again.humidityRatio, s.humidityRatio, 2e-6);
    EXPECT_NEAR(again.relativeHumidity, rh, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Conditions, AirStateFromHumidity,
                         ::testing::Values(HumidState{27, 47}, HumidState{26, 50}, HumidState{35, 40},
                                           HumidState{32, 60}, HumidState{20, 80}, HumidState{12, 95},
                                           HumidState{24, 30}, HumidState{5, 70}, HumidState{-2, 80},
                                           HumidState{40, 20}, HumidState{15, 100}));

TEST(AirState, SaturationIsTheEnginesSaturation)
{
    for (double t : {-5.0, 0.0, 7.0, 12.5, 20.0, 30.0, 45.0}) {
        SCOPED_TRACE(t);
        const double p = kStandardPressure;
        EXPECT_FLOAT_EQ(float(saturationHumidityRatio(t)),
                        SatHumidityRatio(p, SatVapourPressure(t), EnhancementFactor(t, p)));
        EXPECT_NEAR(humidityRatioAt(t, 100), saturationHumidityRatio(t), 1e-9);
        EXPECT_EQ(humidityRatioAt(t, 0), 0.0);
    }
}

TEST(AirState, LeavingAirFromItsEnthalpyKeepsTheEnthalpy)
{
    const struct {
        double dryBulb, enthalpy;
    } cases[] = {{14.2, 37.5}, {12.0, 33.0}, {16.5, 40.1}, {10.0, 29.3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dryBulb);
        const AirState s = airStateFromEnthalpy(c.dryBulb, c.enthalpy);
        EXPECT_NEAR(s.enthalpy, c.enthalpy, 1e-3);
        EXPECT_NEAR(EnthalpyFromWetBulb(s.wetBulb, c.dryBulb), c.enthalpy, 0.01);
    }
}

struct AxisCase {
    double low, high;
    int ticks;
    ChartAxis expected;
};

class RoundAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(RoundAxis, EndsOnRoundTicksAroundTheRange)
{
    const AxisCase c = GetParam();
    const ChartAxis axis = roundAxis(c.low, c.high, c.ticks);
    EXPECT_DOUBLE_EQ(axis.minimum, c.expected.minimum);
    EXPECT_DOUBLE_EQ(axis.maximum, c.expected.maximum);
    EXPECT_DOUBLE_EQ(axis.step, c.expected.step);
    EXPECT_TRUE(axis.holds(c.low) && axis.holds(c.high));
    EXPECT_DOUBLE_EQ(axis.ticks().front(), axis.minimum);
    EXPECT_NEAR(axis.ticks().back(), axis.maximum, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Ranges, RoundAxis,
                         ::testing::Values(AxisCase{0, 40, 9, {0, 40, 5}}, AxisCase{-3, 43, 9, {-10, 50, 10}},
                                           AxisCase{0, 25, 6, {0, 25, 5}}, AxisCase{0, 1234, 8, {0, 1400, 200}},
                                           AxisCase{0, 87, 6, {0, 100, 20}}, AxisCase{0, 0, 6, {0, 1, 0.2}}));

TEST(ClipToBand, CutsWhereTheCurveLeavesTheBand)
{
    const std::vector<ChartPoint> rising{{0, 0}, {1, 10}, {2, 20}, {3, 30}};
    const std::vector<ChartPoint> kept = clipToBand(rising, 0, 25);
    ASSERT_EQ(kept.size(), 4u);
    EXPECT_DOUBLE_EQ(kept.back().x, 2.5);
    EXPECT_DOUBLE_EQ(kept.back().y, 25);
    const std::vector<ChartPoint> falling{{0, 30}, {1, 20}, {2, 10}};
    const std::vector<ChartPoint> entering = clipToBand(falling, 0, 25);
    ASSERT_EQ(entering.size(), 3u);
    EXPECT_DOUBLE_EQ(entering.front().x, 0.5);
    EXPECT_TRUE(clipToBand({{0, 50}, {1, 60}}, 0, 25).empty());
}

} // namespace
} // namespace tarvello
