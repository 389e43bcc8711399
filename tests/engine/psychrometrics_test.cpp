#include "engine/arithmetic.h"
#include "engine/psychrometrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

using namespace tarvello;

namespace {

struct PointCase {
    const char* what;
    std::function<double()> compute;
    double expected;
    double tolerance;
};

void expectAll(const std::vector<PointCase>& cases)
{
    for (const auto& c : cases)
        EXPECT_NEAR(c.compute(), c.expected, c.tolerance) << c.what;
}

} // namespace

TEST(Psychrometrics, ReferenceValues)
{
    expectAll({
        // Saturation pressure over water, ASHRAE Fundamentals 2017 ch. 1 table 3 (kPa x 10).
        {"pws(0)", [] { return SatVapourPressure(0); }, 6.1115, 0.002},
        {"pws(10)", [] { return SatVapourPressure(10); }, 12.282, 0.003},
        {"pws(20)", [] { return SatVapourPressure(20); }, 23.392, 0.004},
        {"pws(30)", [] { return SatVapourPressure(30); }, 42.467, 0.008},
        {"pws(-10) over water", [] { return SatVapourPressure(-10); }, 2.8652, 0.002},
        // Enhancement factor near 1.0045 at 20 °C and standard pressure (Hyland 1975).
        {"f(20, P0)", [] { return EnhancementFactor(20, kStandardPressure); }, 1.0045, 0.0003},
        // Saturation humidity ratio at 20 °C, ASHRAE table 2: 0.014758 kg/kg.
        {"Ws(20)",
         [] { return SatHumidityRatio(kStandardPressure, SatVapourPressure(20), EnhancementFactor(20, kStandardPressure)); },
         0.014758, 0.00002},
        // Hand calculation: 0.62198 * 10 / (1013.25 - 10).
        {"W(pw 10 hPa)", [] { return HumidityRatioFromVapour(kStandardPressure, 10); }, 0.0061996, 1e-7},
        // h = t + W (2501 + 1.805 t): 20 + 0.01 * 2537.1.
        {"h(20, 0.01)", [] { return MoistAirEnthalpy(20, 0.01); }, 45.371, 1e-4},
        // Ideal gas: 287.055 * 293.15 / 101325.
        {"v(20, dry)", [] { return MoistAirSpecificVolume(20, kStandardPressure, 0); }, 0.830496, 2e-6},
        // Dry-air polynomial.
        {"rho(0, 0)", [] { return MoistAirDensity(0, 0); }, 1.2930, 0.0002},
        {"rho(20, 0)", [] { return MoistAirDensity(20, 0); }, 1.2045, 0.0002},
        // Ideal-gas route, 1/v per kg of dry air: pw 11.695 hPa, W 0.007263, v 0.840194.
        {"rho(20, 50)", [] { return MoistAirDensity(20, 50); }, 1.19020, 0.0001},
        // Psychrometric chart: 27 °C dry bulb, 19 °C wet bulb.
        {"h(19 wb, 27)", [] { return EnthalpyFromWetBulb(19, 27); }, 53.85, 0.05},
        {"W(27, 19 wb)", [] { return HumidityRatioFromWetBulb(27, 19); }, 0.010532, 0.00002},
        {"RH(27, 19 wb)", [] { return RelHumidityFromWetBulb(27, 19); }, 46.7, 0.4},
        {"twb(20, 50)", [] { return WetBulbFromRelHumidity(20, 50); }, 13.759, 0.002},
        {"twb(27, RH of 19 wb)", [] { return WetBulbFromRelHumidity(27, RelHumidityFromWetBulb(27, 19)); }, 19.0, 0.002},
        {"hs(10)", [] { return SatAirEnthalpy(10); }, 29.35, 0.005},
        {"hs(20)", [] { return SatAirEnthalpy(20); }, 57.56, 0.005},
        {"ts(29.35)", [] { return SatTemperatureFromEnthalpy(29.35); }, 10.0, 0.01},
        {"ts(57.56)", [] { return SatTemperatureFromEnthalpy(57.56); }, 20.0, 0.01},
        // 4.1868 x (0.445 + 0.138 + 0.02844).
        {"slope(10)", [] { return SatEnthalpySlope(10); }, 2.55998, 0.00002},
        {"cp(20)", [] { return AirSpecificHeat(20); }, 1.00624, 0.00001},
    });
}

TEST(Psychrometrics, WetBulbOfSaturatedAirIsTheDryBulbExactly)
{
    for (float t : {-5.0f, 0.0f, 13.3f, 20.0f, 35.7f})
        EXPECT_EQ(WetBulbFromRelHumidity(t, 100), t);
}

TEST(Psychrometrics, WetBulbFromRelHumidityMeetsItsTolerance)
{
    const float twb = WetBulbFromRelHumidity(20, 50);
    EXPECT_LE(std::fabs(RelHumidityFromWetBulb(20, twb) - 50.0f), 0.001f);
}

TEST(Psychrometrics, WetBulbSearchOutsideItsBracketGivesZero)
{
    // At 10 °C and 1 % the first estimate is 1.33 °C; even at its lower end, 0.66 °C, the
    // humidity is 3.2 %, so the bisection cannot reach 1 %.
    EXPECT_EQ(WetBulbFromRelHumidity(10, 1), 0.0f);
}

TEST(Psychrometrics, WetBulbHumidityRoundTrip)
{
    struct Case {
        double t, twb;
    };
    const Case cases[] = {{27, 19}, {20, 13.759}, {35, 24}, {24, 17}, {12, 8}};
    for (const auto& c : cases) {
        const float W = HumidityRatioFromWetBulb(c.t, c.twb);
        // 1e-6 kg/kg corresponds to a few thousandths of a kelvin of wet bulb.
        EXPECT_NEAR(WetBulbFromHumidityRatio(c.t, W), c.twb, 0.005) << c.t << " " << c.twb;
    }
}

TEST(Psychrometrics, WetBulbFromHumidityRatioOutOfReachGivesZero)
{
    // More moisture than saturated air at the dry bulb holds: no wet bulb within [1, t].
    EXPECT_EQ(WetBulbFromHumidityRatio(20, 0.05), 0.0f);
}

TEST(Psychrometrics, SaturatedEnthalpySearchLimits)
{
    const struct {
        double h, expected, tolerance;
    } cases[] = {
        {170.0, 0.0, 0.0},  // above saturated air at 40 °C: not found
        {-7.0, 0.0, 0.0},   // below saturated air at -10 °C: not found
        {-100.0, 0.0, 0.0}, // far below: not found (not accepted at the first midpoint)
        {-50.0, 0.0, 0.0},
        {SatAirEnthalpy(5), 5.0, 0.01},
        {SatAirEnthalpy(35), 35.0, 0.01},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(SatTemperatureFromEnthalpy(c.h), c.expected, c.tolerance) << c.h;
}

TEST(Psychrometrics, SaturatedEnthalpyAgreesWithTheWetBulbRoute)
{
    // Two independent fits of saturated air; they agree to a few parts per thousand.
    for (double t : {5.0, 10.0, 20.0, 30.0})
        EXPECT_NEAR(EnthalpyFromWetBulb(t, t) / SatAirEnthalpy(t), 1.0, 0.003) << t;
}

TEST(Psychrometrics, DryAndIdealGasDensityAgreeAtLowHumidity)
{
    for (double t : {0.0, 20.0, 35.0}) {
        const double dry = MoistAirDensity(t, 0);
        const double almostDry = MoistAirDensity(t, 0.1);
        EXPECT_NEAR(almostDry / dry, 1.0, 0.003) << t;
    }
}

TEST(Psychrometrics, FaultsRaiseTypedErrors)
{
    // 1000·p equal to pw: 0.62198·pw / 0.
    try {
        HumidityRatioFromVapour(1.0, 1000.0);
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_EQ(e.number(), kDivisionByZero);
    }
    // Absolute zero: the logarithm of T.
    try {
        SatVapourPressure(-273.15);
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_EQ(e.number(), kDivisionByZero);
    }
}
