#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/water_side.h"
#include "tests/engine/sample_coils.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvello;
using namespace tarvello::testing;

namespace {

const CoilConstants kx = kxConstants();

} // namespace

TEST(AirFilm, PowerLawsPerGeometry)
{
    // Expected values computed by hand from the laws with C = 50 and v = 2 m/s.
    const struct {
        const char* what;
        double rows;
        int geom, finPitch;
        double expected;
    } cases[] = {
        {"geometry 0 has no exponent", 3, 0, 21, 50.0},
        {"geometry 1, one row: v^0.32", 1, 1, 21, 62.41653},
        {"geometry 1, two rows: v^0.47", 2, 1, 21, 69.25547},
        {"geometry 2, 2.1 mm: 12 fins per 25.5 mm", 2, 2, 21, 295.15438},
        {"geometry 3, four rows", 4, 3, 21, 47.67038},
        {"unknown geometry", 3, 5, 21, 0.0},
    };
    CoilState s;
    s.AirCoeff = 50;
    for (const auto& c : cases)
        EXPECT_NEAR(AirFilmCoefficient(c.rows, 2.0, c.geom, c.finPitch, s, kx), c.expected, 1e-5 * c.expected + 1e-9)
            << c.what;
}

TEST(AirFilm, FinsPer25_5mmRoundHalfToEven)
{
    const struct {
        int pitch, fins;
    } cases[] = {{16, 16}, {18, 14}, {21, 12}, {25, 10}, {30, 8} /* 8.5 */, {102, 2} /* 2.5 */, {17, 15}};
    for (const auto& c : cases)
        EXPECT_EQ(FinsPer25_5mm(c.pitch), c.fins) << c.pitch;
}

TEST(CoilModel, BypassFactorUsesBase2718)
{
    CoilState s;
    s.Geom = 1;
    s.BypassCoeff = 0.9f;
    s.AirCp = 1.006f;
    s.AirDensity = 1.2f;
    s.FaceVelocity = 2;
    // 0.9 · 2.718^(−18.8·60·3 / (1.006·1.2·2·1000)); with e it would be 0.221585.
    EXPECT_NEAR(CoilBypassFactor(3, 3, 60, s, kx), 0.2216168, 2e-6);
}

TEST(CoilModel, LogMeanDifferences)
{
    const struct {
        const char* what;
        bool formB;
        float a1, a2, b1, b2;
        double expected;
        float b2After;
    } cases[] = {
        // Form A: (a2 - b1) = 15 and (a1 - b2) = 8.
        {"A, counter-flow", false, 10, 20, 5, 2, 11.135704, 2},
        // Equal differences: b2 lowered by 0.001 first.
        {"A, equal differences", false, 10, 20, 5, -5, 15.0005, -5.001f},
        {"A, both negative", false, 10, 3, 5, 11, -1.4426950, 11},
        // No log-mean for crossing or touching streams (the rating reads it as no capacity).
        {"A, crossing", false, 10, 20, 5, 13, 0.0, 13},
        {"A, zero difference", false, 10, 20, 5, 10, 0.0, 10},
        {"A, zero first difference", false, 10, 5, 5, 2, 0.0, 2},
        // Form B: (b1 - a2) = 20.45 and (b2 - a1) = 17.1.
        {"B, wet coil enthalpies", true, 22.9f, 33.4f, 53.85f, 40.0f, 18.725082, 40.0f},
        {"B, crossing", true, 22.9f, 60.0f, 53.85f, 40.0f, 0.0, 40.0f},
    };
    for (const auto& c : cases) {
        float a1 = c.a1, a2 = c.a2, b1 = c.b1, b2 = c.b2;
        const float lm = c.formB ? LogMeanDifferenceB(a1, a2, b1, b2, kx) : LogMeanDifferenceA(a1, a2, b1, b2, kx);
        EXPECT_NEAR(lm, c.expected, 2e-6 * std::fabs(c.expected) + 1e-6) << c.what;
        EXPECT_EQ(b2, c.b2After) << c.what;
        EXPECT_EQ(a1, c.a1) << c.what;
    }
}

TEST(CoilModel, CrossingLogMeanCountsAsNoCapacity)
{
    // Leaving water above the entering air's wet bulb: the enthalpy lines cross. The rating
    // step gives no capacity and the deviation -1 instead of failing.
    CoilState s = stateFor(SampleCoil{}, Conditions{}, kx);
    s.WaterOut = 22;
    s.WaterFlow = 0.00004; // small enough that the leaving air stays above hs(7 °C)
    PrepareCoolingPoint(s);
    RateCoilCooling(s, kx);
    EXPECT_EQ(s.LogMeanDiff, 0.0f);
    EXPECT_EQ(s.Capacity, 0.0f);
    EXPECT_EQ(CapacityDeviation(s), -1.0f);
}

TEST(WaterSide, PropertiesOfWaterAt10C)
{
    EXPECT_NEAR(WaterViscosity(10), 0.001298, 0.000001);
    EXPECT_NEAR(WaterConductivity(10), 0.5872, 0.0001);
    EXPECT_NEAR(WaterDensity(10), 999.65, 0.01);
    EXPECT_NEAR(WaterSpecificHeat(10), 4.1962, 0.0001);
}

TEST(WaterSide, VelocityReynoldsLengthAndDrop)
{
    // 0.1 l/s in 2 circuits of 9.4 mm tubes, area with 3.14: 0.720850 m/s (π gives 0.72049).
    EXPECT_NEAR(TubeVelocity(0.0001, 2, kx), 0.7208496, 1e-6);
    // 0.0094 · 1 · 999.65 / 0.001298.
    EXPECT_NEAR(TubeReynolds(1.0, 10, 0.001298, kx), 7239.376, 0.05);

    CoilState s;
    s.FinLength = 0.7f;
    s.CoilHeight = 0.25f;
    s.Circuits = 2;
    s.ExtraLengthCoeff = 1.0f;
    // 7 tubes in 2 circuits: 3.5 tubes per circuit, 2.5 bends of 0.3 m.
    EXPECT_NEAR(CircuitTubeLength(7, s, kx), 2.5 * 0.3 + 0.7 * 3.5 + 0.25, 1e-6);

    s.Reynolds = 10000;
    s.CircuitLength = 10;
    s.WaterVelocity = 1;
    // Blasius: 0.3164 / 10000^0.25 · 10 / 0.0094 · 1² / 2.
    EXPECT_NEAR(TubeFrictionDrop(s, kx), 16.829787, 1e-4);

    EXPECT_EQ(CoilTubeCount(0.25, 3, kx), 30);
    EXPECT_EQ(CoilTubeCount(0.26, 3, kx), 31);
}

TEST(WaterSide, FilmCoefficientLaws)
{
    // Hand calculation with k = 0.6 W/(m·K), Pr = 7, d = 9.4 mm, finned length 0.7 m:
    // laminar 1.86·(Re·Pr·d/L)^0.33, turbulent 0.023·Re^0.8·Pr^n, linear in between.
    const struct {
        const char* what;
        float reynolds;
        int16_t mode;
        double alpha, nusselt;
    } cases[] = {
        {"laminar", 1000, ModeCooling, 531.7023, 531.7023 * 0.0094 / 0.6},
        {"2300 is laminar", 2300, ModeCooling, 699.9044, 699.9044 * 0.0094 / 0.6},
        {"transition midpoint", 6150, ModeCooling, 2561.0278, 69.28037},
        {"10000 is still transition", 10000, ModeCooling, 4422.1512, 69.28037},
        {"turbulent, cooling Pr^0.33", 20000, ModeCooling, 7699.4124, 7699.4124 * 0.0094 / 0.6},
        {"turbulent, heating Pr^0.3", 20000, ModeHeating, 7262.8093, 7262.8093 * 0.0094 / 0.6},
    };
    for (const auto& c : cases) {
        CoilState s;
        s.FluidConductivity = 0.6f;
        s.Prandtl = 7;
        s.FinLength = 0.7f;
        s.Mode = c.mode;
        s.Reynolds = c.reynolds;
        EXPECT_NEAR(TubeFilmCoefficient(s, kx), c.alpha, 2e-5 * c.alpha) << c.what;
        EXPECT_NEAR(s.Nusselt, c.nusselt, 2e-5 * c.nusselt) << c.what;
    }
}

TEST(WaterSide, FaultsRaiseTypedErrors)
{
    CoilState s;
    s.Reynolds = 0; // no flow
    s.CircuitLength = 10;
    try {
        TubeFrictionDrop(s, kx);
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_EQ(e.number(), kDivisionByZero);
    }
    s.Circuits = 0;
    try {
        CircuitTubeLength(30, s, kx);
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_EQ(e.number(), kDivisionByZero);
    }
}
