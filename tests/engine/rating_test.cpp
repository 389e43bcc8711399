#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/glycol_properties.h"
#include "engine/psychrometrics.h"
#include "engine/rating.h"
#include "engine/water_side.h"
#include "tests/engine/sample_coils.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvello;
using namespace tarvello::testing;

namespace {

const CoilConstants kx = kxConstants();

Conditions cooling(float airIn, float rh, float waterIn, float waterOut)
{
    Conditions c;
    c.airIn = airIn;
    c.airInWetBulb = WetBulbFromRelHumidity(airIn, rh);
    c.waterIn = waterIn;
    c.waterOut = waterOut;
    return c;
}

// Heat taken up by the water for a result, W, from the water properties at the mean.
double waterSideHeat(const RatingResult& r, const CoilState& s)
{
    return static_cast<double>(s.FluidCp) * r.WaterFlow * s.FluidDensity * 1000.0
           * std::fabs(static_cast<double>(r.WaterOut) - s.WaterIn);
}

// The coil's own (unrounded) capacity at the converged point, rated once more.
float unroundedCoolingCapacity(const SampleCoil& coil, const Conditions& c, const RatingResult& r)
{
    CoilState s = stateFor(coil, c, kx);
    s.WaterFlow = r.WaterFlow;
    s.WaterOut = r.WaterOut;
    s.DryCoil = r.DryCoil;
    PrepareCoolingPoint(s);
    RateCoilCooling(s, kx);
    return s.DryCoil ? ToSingle(s.AirCp * s.AirFlow * s.AirDensity * 1000.0 * (s.AirIn - s.AirOut)) : s.Capacity;
}

} // namespace

TEST(CoolingRating, WetCoilWithLeavingWaterGiven)
{
    const SampleCoil coil;
    CoilState s = stateFor(coil, Conditions{}, kx); // 27/19 °C air, 7/12 °C water
    const auto r = CalcolaFreddo1(4, s, kx, {});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->model, 4);
    EXPECT_FALSE(r->DryCoil);
    EXPECT_EQ(r->WaterOut, 12.0f);
    // A 0.7 m x 0.25 m, 3-row coil with 0.1 m³/s: above 1 kW, and below the air's whole
    // enthalpy drop to saturation at the water inlet (about 3.6 kW); 60 to 85 % sensible.
    EXPECT_GT(r->Capacity, 1000);
    EXPECT_LT(r->Capacity, s.AirDensity * s.AirFlow * 1000.0 * (s.AirInEnthalpy - s.SatEnthalpyWaterIn));
    EXPECT_GT(r->SensibleCapacity, 0.6 * r->Capacity);
    EXPECT_LT(r->SensibleCapacity, 0.85 * r->Capacity);
    // Rounded to tens of watts.
    EXPECT_EQ(std::fmod(r->Capacity, 10.0f), 0.0f);
    EXPECT_EQ(std::fmod(r->SensibleCapacity, 10.0f), 0.0f);
    // Energy balance: the water takes what the air gives, within the 0.05 % tolerance plus
    // the rounding to tens of watts.
    EXPECT_NEAR(waterSideHeat(*r, s), r->Capacity, 0.0005 * r->Capacity + 5);
    const double airSide = s.AirDensity * s.AirFlow * 1000.0 * (s.AirInEnthalpy - r->AirOutEnthalpy);
    EXPECT_NEAR(airSide, r->Capacity, 0.0005 * r->Capacity + 5);
    // Leaving air between the water inlet and the entering air.
    EXPECT_GT(r->AirOut, s.WaterIn);
    EXPECT_LT(r->AirOut, s.AirIn);
    EXPECT_GT(r->WaterPressureDrop, 0);
    EXPECT_EQ(r->AirFlow, coil.airFlow_m3s);
}

TEST(CoolingRating, DryAirGivesADryCoil)
{
    const SampleCoil coil;
    const Conditions c = cooling(27, 20, 7, 12);
    CoilState s = stateFor(coil, c, kx);
    const auto r = CalcolaFreddo1(1, s, kx, {});
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->DryCoil);
    EXPECT_EQ(r->Capacity, r->SensibleCapacity);
    EXPECT_NEAR(waterSideHeat(*r, s), r->Capacity, 0.0005 * r->Capacity + 5);
    // Dry cooling keeps the moisture: the leaving enthalpy drops by the sensible heat only.
    const double airSide = s.AirCp * s.AirDensity * s.AirFlow * 1000.0 * (s.AirIn - r->AirOut);
    EXPECT_NEAR(airSide, r->Capacity, 0.0005 * r->Capacity + 5);
    EXPECT_GT(r->AirOut, s.WaterIn);
    EXPECT_LT(r->AirOut, s.AirIn);
}

TEST(CoolingRating, SensibleShareOf95PercentSwitchesToDry)
{
    // Rows of (conditions, dry expected). The wet solutions of the humid cases keep a
    // sensible share below 95 %; the others reach it and are rated dry.
    const struct {
        Conditions c;
        bool dry;
    } cases[] = {
        {cooling(27, 47, 7, 12), false},
        {cooling(30, 60, 7, 12), false},
        {cooling(27, 30, 10, 12), true},
        {cooling(30, 20, 7, 12), true},
        {cooling(24, 30, 14, 16), true},
    };
    const SampleCoil coil;
    for (const auto& tc : cases) {
        CoilState s = stateFor(coil, tc.c, kx);
        const auto r = CalcolaFreddo1(1, s, kx, {});
        ASSERT_TRUE(r) << tc.c.airIn;
        EXPECT_EQ(r->DryCoil, tc.dry) << tc.c.airIn << " " << tc.c.waterIn;
        if (!r->DryCoil) {
            EXPECT_LT(r->SensibleCapacity, 0.95 * r->Capacity);
        }
    }
}

TEST(CoolingRating, SupersaturatedDryLeavingAirLeavesSaturated)
{
    // 24 °C 50 % over 10/15 °C water: the dry solution would leave the air above 100 %.
    const SampleCoil coil;
    const Conditions c = cooling(24, 50, 10, 15);
    CoilState s = stateFor(coil, c, kx);
    const auto r = CalcolaFreddo1(1, s, kx, {});
    ASSERT_TRUE(r);
    ASSERT_TRUE(r->DryCoil);
    EXPECT_EQ(r->AirOut, s.AirOutSatTemp);
    EXPECT_NE(r->SensibleCapacity, r->Capacity); // recomputed, Capacity kept
    const double sensible = s.AirCp * s.AirFlow * s.AirDensity * 1000.0 * (s.AirIn - r->AirOut);
    EXPECT_NEAR(r->SensibleCapacity, sensible, 5.0);
}

TEST(CoolingRating, DesignFlowTypedBackReproducesLeavingWater)
{
    // Every model of the sample line: the flow found for 12 °C, given back, yields 12 °C.
    const auto line = sampleLine();
    for (size_t i = 0; i < line.size(); ++i) {
        Conditions c;
        CoilState s1 = stateFor(line[i], c, kx);
        const auto byTemp = CalcolaFreddo1(int(i) + 1, s1, kx, {});
        ASSERT_TRUE(byTemp) << i;
        c.waterFlow = byTemp->WaterFlow;
        CoilState s2 = stateFor(line[i], c, kx);
        const auto byFlow = CalcolaFreddo2(int(i) + 1, s2, kx, {});
        ASSERT_TRUE(byFlow) << i;
        EXPECT_NEAR(byFlow->WaterOut, 12.0, 0.01) << i;
        EXPECT_NEAR(byFlow->Capacity, byTemp->Capacity, 0.001 * byTemp->Capacity + 10) << i;
        EXPECT_EQ(byFlow->DryCoil, byTemp->DryCoil) << i;
    }
}

TEST(CoolingRating, PlausibleConditionsAllConverge)
{
    // Entering air 24 to 35 °C at 30 to 70 %, water 5 to 10 °C with rises of 3 to 7 K, on
    // every fourth model of the line, with both procedures. With the water flow given the
    // bisection passes through leaving water temperatures at which the air and water
    // enthalpy lines cross; those points count as no capacity and must not stop the run.
    const auto line = sampleLine();
    int ratings = 0;
    for (float airIn : {24.f, 27.f, 30.f, 35.f})
        for (float rh : {30.f, 50.f, 70.f})
            for (float waterIn : {5.f, 7.f, 10.f})
                for (float rise : {3.f, 5.f, 7.f})
                    for (size_t i = 0; i < line.size(); i += 4) {
                        Conditions c = cooling(airIn, rh, waterIn, waterIn + rise);
                        CoilState s1 = stateFor(line[i], c, kx);
                        const auto byTemp = CalcolaFreddo1(1, s1, kx, {});
                        ASSERT_TRUE(byTemp) << airIn << " " << rh << " " << waterIn << " " << rise << " " << i;
                        c.waterFlow = byTemp->WaterFlow;
                        CoilState s2 = stateFor(line[i], c, kx);
                        const auto byFlow = CalcolaFreddo2(1, s2, kx, {});
                        ASSERT_TRUE(byFlow) << airIn << " " << rh << " " << waterIn << " " << rise << " " << i;
                        EXPECT_GT(byFlow->AirOut, waterIn);
                        EXPECT_LT(byFlow->AirOut, airIn);
                        if (byFlow->DryCoil == byTemp->DryCoil) {
                            EXPECT_NEAR(byFlow->WaterOut, waterIn + rise, 0.01);
                        }
                        ++ratings;
                    }
    EXPECT_EQ(ratings, 4 * 3 * 3 * 3 * 12);
}

TEST(CoolingRating, CapacityWindowIncludesItsEnds)
{
    const SampleCoil coil;
    Conditions c;
    CoilState probe = stateFor(coil, c, kx);
    const auto open = CalcolaFreddo1(1, probe, kx, {});
    ASSERT_TRUE(open);
    const float capacity = unroundedCoolingCapacity(coil, c, *open);

    const struct {
        float min, max;
        bool listed;
    } cases[] = {
        {capacity, capacity, true},
        {0, capacity, true},
        {capacity, 9999999, true},
        {std::nextafter(capacity, 1e9f), 9999999, false},
        {0, std::nextafter(capacity, 0.0f), false},
        {1800, 2200, capacity >= 1800 && capacity <= 2200},
    };
    for (const auto& tc : cases) {
        c.capacityMin = tc.min;
        c.capacityMax = tc.max;
        CoilState s = stateFor(coil, c, kx);
        int pendingEventRuns = 0;
        const auto r = CalcolaFreddo1(1, s, kx, [&] { ++pendingEventRuns; });
        EXPECT_EQ(r.has_value(), tc.listed) << tc.min << " " << tc.max;
        EXPECT_EQ(pendingEventRuns, tc.listed ? 0 : 1); // a skipped model lets events run
    }
}

TEST(CoolingRating, WaterFilmFloorOf900InCoolingOnly)
{
    const SampleCoil coil;
    CoilState s = stateFor(coil, Conditions{}, kx);
    s.WaterFlow = 0.00001; // 0.01 l/s: deep laminar
    PrepareCoolingPoint(s);
    RateCoilCooling(s, kx);
    EXPECT_LT(s.Reynolds, 2300);
    EXPECT_EQ(s.WaterFilm, kCoolingWaterFilmFloor);

    CoilState h = stateFor(coil, heatingConditions(), kx);
    h.WaterFlow = 0.00001;
    PrepareHeatingPoint(h);
    RateCoilHeating(h, kx);
    EXPECT_LT(h.WaterFilm, 900.0f);
    EXPECT_GT(h.WaterFilm, 0.0f);
}

TEST(CoolingRating, FlowGivenConvergesWetAndReportsLeavingWater)
{
    const SampleCoil coil;
    Conditions c;
    c.waterFlow = 0.00015;
    CoilState s = stateFor(coil, c, kx);
    const auto r = CalcolaFreddo2(2, s, kx, {});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->WaterFlow, 0.00015);
    EXPECT_GT(r->WaterOut, s.WaterIn);
    EXPECT_LT(r->WaterOut, s.AirIn);
    EXPECT_NEAR(waterSideHeat(*r, s), r->Capacity, 0.0005 * r->Capacity + 5);
}

TEST(CoolingRating, GlycolNeedsMoreFlowForLessFilm)
{
    InitPropertyTables(); // filled once at start-up in the program
    const SampleCoil coil;
    Conditions water;
    Conditions glycol;
    glycol.glycolPercent = 30;
    CoilState sw = stateFor(coil, water, kx);
    CoilState sg = stateFor(coil, glycol, kx);
    const auto rw = CalcolaFreddo1(1, sw, kx, {});
    const auto rg = CalcolaFreddo1(1, sg, kx, {});
    ASSERT_TRUE(rw);
    ASSERT_TRUE(rg);
    // The mixture is more viscous (lower Reynolds, a poorer water film, less capacity) and
    // carries less heat per litre (more flow per watt).
    EXPECT_LT(rg->Reynolds, rw->Reynolds);
    EXPECT_LT(rg->Capacity, rw->Capacity);
    EXPECT_GT(rg->WaterFlow / rg->Capacity, 1.05 * rw->WaterFlow / rw->Capacity);
    EXPECT_LT(sg.FluidCp, sw.FluidCp);
    EXPECT_NEAR(waterSideHeat(*rg, sg), rg->Capacity, 0.0005 * rg->Capacity + 5);
    // Reynolds uses the density of plain water even for the mixture.
    const double impliedDensity = sg.Reynolds * sg.FluidViscosity / (kx.TubeInnerDiameter * sg.WaterVelocity);
    EXPECT_NEAR(impliedDensity, WaterDensity(sg.WaterMeanTemp), 0.01);
    EXPECT_GT(std::fabs(impliedDensity - sg.FluidDensity), 10.0);
}

TEST(CoolingRating, EqualWaterTemperaturesRaiseDivisionByZero)
{
    const SampleCoil coil;
    Conditions c;
    c.waterOut = c.waterIn;
    CoilState s = stateFor(coil, c, kx);
    try {
        CalcolaFreddo1(1, s, kx, {});
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_EQ(e.number(), kDivisionByZero);
    }
}

TEST(CoolingRating, PhaseStepLimitLeavesTheBracketHalvedTwentyTimes)
{
    // A coil with almost no air film cannot take the heat of even the lowest flow: every
    // evaluation moves the upper end, wet and then dry, and the model gets no result.
    SampleCoil coil;
    coil.airCoeff = 0.01f;
    CoilState s = stateFor(coil, Conditions{}, kx);
    EXPECT_FALSE(CalcolaFreddo1(1, s, kx, {}));
    EXPECT_TRUE(s.DryCoil);
    const double heatPerFlow = s.FluidCp * s.FluidDensity * 1000.0 * (s.WaterOut - s.WaterIn);
    const double low = s.AirDensity * s.AirFlow * 1000.0 * 0.5 / heatPerFlow;
    const double dryHigh = s.AirDensity * s.AirFlow * s.AirCp * 1000.0 * (s.AirIn - s.WaterIn) / heatPerFlow;
    EXPECT_NEAR(s.BracketLow, low, 1e-12);
    EXPECT_NEAR(s.BracketHigh - s.BracketLow, (dryHigh - low) / std::pow(2.0, 20), 1e-12);
}

TEST(HeatingRating, LeavingWaterGiven)
{
    const SampleCoil coil;
    CoilState s = stateFor(coil, heatingConditions(), kx); // 20 °C air, 70/60 °C water
    const auto r = CalcolaCaldo1(3, s, kx, {});
    ASSERT_TRUE(r);
    EXPECT_EQ(r->WaterOut, 60.0f);
    EXPECT_GT(r->Capacity, 2000);
    EXPECT_LT(r->Capacity, 8000);
    EXPECT_EQ(std::fmod(r->Capacity, 10.0f), 0.0f);
    EXPECT_NEAR(waterSideHeat(*r, s), r->Capacity, 0.0005 * r->Capacity + 5);
    EXPECT_GT(r->AirOut, s.AirIn);
    EXPECT_LT(r->AirOut, s.WaterIn);
    const double airSide = s.AirCp * s.AirDensity * s.AirFlow * 1000.0 * (r->AirOut - s.AirIn);
    EXPECT_NEAR(airSide, r->Capacity, 0.0005 * r->Capacity + 5);
}

TEST(HeatingRating, WaterFlowGivenRoundTrip)
{
    const auto line = sampleLine();
    for (size_t i = 0; i < line.size(); i += 3) {
        Conditions c = heatingConditions();
        CoilState s1 = stateFor(line[i], c, kx);
        const auto byTemp = CalcolaCaldo1(1, s1, kx, {});
        ASSERT_TRUE(byTemp) << i;
        c.waterFlow = byTemp->WaterFlow;
        CoilState s2 = stateFor(line[i], c, kx);
        const auto byFlow = CalcolaCaldo2(1, s2, kx, {});
        ASSERT_TRUE(byFlow) << i;
        EXPECT_NEAR(byFlow->WaterOut, 60.0, 0.02) << i;
        EXPECT_NEAR(byFlow->Capacity, byTemp->Capacity, 0.001 * byTemp->Capacity + 10) << i;
        EXPECT_GT(byFlow->AirOut, c.airIn);
        EXPECT_LT(byFlow->AirOut, c.waterIn);
    }
}

TEST(HeatingRating, StepLimitsAre15And20)
{
    // Almost no air film: the coil never takes the water's heat, every step moves the same
    // end, and the bracket left behind shows how many steps ran.
    SampleCoil coil;
    coil.airCoeff = 0.01f;
    Conditions c = heatingConditions();
    CoilState s = stateFor(coil, c, kx);
    EXPECT_FALSE(CalcolaCaldo1(1, s, kx, {}));
    const double heatPerFlow = s.FluidCp * s.FluidDensity * 1000.0 * (s.WaterIn - s.WaterOut);
    const double rate = s.AirDensity * s.AirFlow * s.AirCp * 1000.0;
    const double low = rate * 1.0 / heatPerFlow;
    const double high = rate * (s.WaterIn - s.AirIn) / heatPerFlow;
    EXPECT_NEAR(s.BracketLow, low, 1e-12);
    EXPECT_NEAR(s.BracketHigh - s.BracketLow, (high - low) / std::pow(2.0, 15), 1e-12);

    // With the flow given, the coil that takes almost nothing lets the water leave within a
    // kelvin of its inlet: the search goes on there and finds that point.
    c.waterFlow = 0.0001;
    CoilState s2 = stateFor(coil, c, kx);
    const auto nearInlet = CalcolaCaldo2(1, s2, kx, {});
    ASSERT_TRUE(nearInlet);
    EXPECT_GT(nearInlet->WaterOut, 69.0f);
    EXPECT_LT(nearInlet->WaterOut, 70.0f);
    EXPECT_LT(nearInlet->Capacity, 100.0f);
}

// Conditions inside the windows' ranges at which a model used to be dropped although the
// coil has an operating point, each beside a neighbour that was rated before.
struct RatedCase {
    const char* name;
    bool leavingWaterGiven;
    Conditions conditions;
};

Conditions heatingFlow(float airIn, float waterIn, double flow_m3s)
{
    Conditions c = heatingConditions();
    c.airIn = airIn;
    c.waterIn = waterIn;
    c.waterFlow = flow_m3s;
    return c;
}

void PrintTo(const RatedCase& c, std::ostream* out)
{
    *out << c.name;
}

class OperatingPointFound : public ::testing::TestWithParam<RatedCase> {};

TEST_P(OperatingPointFound, RatedWithPhysicalSense)
{
    const RatedCase& rc = GetParam();
    const Conditions& c = rc.conditions;
    const SampleCoil coil;
    CoilState s = stateFor(coil, c, kx);
    const bool cooling = c.mode == ModeCooling;
    const auto r = cooling ? CalcolaFreddo1(1, s, kx, {})
                           : (rc.leavingWaterGiven ? CalcolaCaldo1(1, s, kx, {}) : CalcolaCaldo2(1, s, kx, {}));
    ASSERT_TRUE(r) << rc.name;
    EXPECT_GT(r->Capacity, 0);
    EXPECT_GT(r->WaterFlow, 0);
    EXPECT_NEAR(waterSideHeat(*r, s), r->Capacity, 0.0005 * r->Capacity + 5);
    if (cooling) {
        // The leaving air lies between the water inlet and the entering air.
        EXPECT_GT(r->AirOut, c.waterIn);
        EXPECT_LT(r->AirOut, c.airIn);
    } else {
        // The water leaves between the entering air and its own inlet; the air is warmed.
        EXPECT_GT(r->WaterOut, c.airIn);
        EXPECT_LT(r->WaterOut, c.waterIn);
        EXPECT_GT(r->AirOut, c.airIn);
    }
}

INSTANTIATE_TEST_SUITE_P(
    FormerlyDropped, OperatingPointFound,
    ::testing::Values(
        // Air 18 °C / 40 % holds less enthalpy than the limit air near 14 °C water: the wet
        // bracket came out negative; the coil cools it dry.
        RatedCase{"dry duty, water 14 to 17", true, cooling(18, 40, 14, 17)},
        RatedCase{"dry duty neighbour, water 12 to 15", true, cooling(18, 40, 12, 15)},
        RatedCase{"design cooling", true, cooling(27, 47, 7, 12)},
        // A high flow leaves the water within 1 K of its inlet.
        RatedCase{"heating 25 / 35 °C, 0.4 l/s", false, heatingFlow(25, 35, 0.0004)},
        RatedCase{"heating 20 / 45 °C, 0.8 l/s", false, heatingFlow(20, 45, 0.0008)},
        RatedCase{"heating neighbour 25 / 35 °C, 0.02 l/s", false, heatingFlow(25, 35, 0.00002)}),
    [](const ::testing::TestParamInfo<RatedCase>& info) { return "case" + std::to_string(info.index); });

TEST(HeatingRating, GlycolMixture)
{
    InitPropertyTables();
    const SampleCoil coil;
    Conditions c = heatingConditions();
    c.glycolPercent = 30;
    CoilState s = stateFor(coil, c, kx);
    const auto r = CalcolaCaldo1(1, s, kx, {});
    ASSERT_TRUE(r);
    EXPECT_NEAR(s.FluidCp, GlycolSpecificHeat(65, 30), 1e-6);
    EXPECT_NEAR(waterSideHeat(*r, s), r->Capacity, 0.0005 * r->Capacity + 5);
}

TEST(HeatingRating, CapacityWindowSkipsAndLetsEventsRun)
{
    const SampleCoil coil;
    Conditions c = heatingConditions();
    c.capacityMin = 100000;
    CoilState s = stateFor(coil, c, kx);
    int runs = 0;
    EXPECT_FALSE(CalcolaCaldo1(1, s, kx, [&] { ++runs; }));
    EXPECT_EQ(runs, 1);
}

TEST(HeatingRating, FaultsRaiseTypedErrors)
{
    const SampleCoil coil;
    {
        Conditions c = heatingConditions();
        c.waterOut = c.waterIn;
        CoilState s = stateFor(coil, c, kx);
        try {
            CalcolaCaldo1(1, s, kx, {});
            FAIL() << "no error";
        } catch (const ArithmeticError& e) {
            EXPECT_EQ(e.number(), kDivisionByZero);
        }
    }
    {
        // No flow: Reynolds 0, no water film, no conductance.
        CoilState s = stateFor(coil, heatingConditions(), kx);
        s.WaterFlow = 0;
        PrepareHeatingPoint(s);
        try {
            RateCoilHeating(s, kx);
            FAIL() << "no error";
        } catch (const ArithmeticError& e) {
            EXPECT_EQ(e.number(), kDivisionByZero);
        }
    }
}

TEST(CoolingRating, SharedRecordGivesTheSameRowsAsAFreshOne)
{
    // A run reuses one working record (and the upper-bracket leaving air kept in it); every
    // row must equal the one a fresh record gives, also when the conditions change.
    const auto line = sampleLine();
    CoilState shared;
    for (const Conditions& c : {Conditions{}, cooling(30, 60, 5, 10), cooling(24, 40, 7, 12)}) {
        setConditions(shared, c);
        for (size_t i = 0; i < line.size(); ++i) {
            setCoil(shared, line[i], kx);
            shared.WaterOut = c.waterOut;
            const auto reused = CalcolaFreddo1(1, shared, kx, {});
            CoilState fresh = stateFor(line[i], c, kx);
            const auto alone = CalcolaFreddo1(1, fresh, kx, {});
            ASSERT_EQ(reused.has_value(), alone.has_value());
            if (!reused)
                continue;
            EXPECT_EQ(reused->Capacity, alone->Capacity) << i;
            EXPECT_EQ(reused->SensibleCapacity, alone->SensibleCapacity) << i;
            EXPECT_EQ(reused->WaterFlow, alone->WaterFlow) << i;
            EXPECT_EQ(reused->AirOut, alone->AirOut) << i;
            EXPECT_EQ(reused->WaterPressureDrop, alone->WaterPressureDrop) << i;
        }
    }
}
