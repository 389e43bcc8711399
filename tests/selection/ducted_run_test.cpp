// The run over a ducted line, on hand-made lines: the air side of a model in both branches
// (pressure given, flow given), the caps and drops of the accessories, the name filters,
// the coefficients the run sets and how errors end or do not end a run.
#include "engine/arithmetic.h"
#include "selection/selection_run.h"

#include "sample_lines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello {
namespace {

using testing::addDuctedModel;
using testing::ductedAtAirFlow;
using testing::ductedAtPressure;
using testing::handMadeDuctedLine;
using testing::kFanOffsets;
using testing::kFanSlope;
using testing::kSecondsPerHour;
using testing::listedNames;
using testing::mrzSlope;
using Names = std::vector<std::string>;

double perHour(double m3s)
{
    return m3s * kSecondsPerHour;
}

// The flow, m³/h, at which the fan alone leaves `pressure` at `speed`.
double fanFlowAt(double pressure, int speed)
{
    return std::sqrt((kFanOffsets[size_t(speed)] - pressure) / kFanSlope);
}

// The speed-1 free delivery of the hand-made fan, m³/h.
const double kFreeDelivery_m3h = fanFlowAt(0, 1);

TEST(DuctedAirSide, StaticPressureGivenFindsTheFlowOfTheSpeedCurveLessTheAccessory)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int m = addDuctedModel(t, "KXR A");
    const RunRequest request = ductedAtPressure(LineMRZ, 50, 3);
    const ModelAirSide air = airSideOf(request, t, m);
    // 200 − slope·Q² = 50 (speed 3, accessory row 2 through 4 outlets).
    EXPECT_NEAR(perHour(air.airFlow), std::sqrt(150.0 / mrzSlope()), 0.05);
    EXPECT_EQ(air.availablePressure, 50.0f);
    EXPECT_FALSE(air.pressureCapped);
    // Free delivery: speed 1, 0 Pa, no accessory: 120 − 1e-4·Q² = 0.
    EXPECT_NEAR(perHour(air.referenceFlow), kFreeDelivery_m3h, 0.05);
    EXPECT_FALSE(airSideReason(request, air, true));
}

TEST(DuctedAirSide, TheKxnLineDropsItsAccessoryOnlyForTheAdditionalHeatingCoil)
{
    ModelTable t = handMadeDuctedLine(LineHJQ);
    const int m = addDuctedModel(t, "KXN A");
    // Cooling (with or without the box), or heating without it: the fan curve alone.
    for (const RunRequest& r : {ductedAtPressure(LineHJQ, 50, 3), ductedAtPressure(LineHJQ, 50, 3, ModeCooling, true),
                                ductedAtPressure(LineHJQ, 50, 3, ModeHeating, false)})
        EXPECT_NEAR(perHour(airSideOf(r, t, m).airFlow), fanFlowAt(50, 3), 0.05);
    // Heating with the additional coil: 4.2·v^1.8 through the section.
    const double q = perHour(airSideOf(ductedAtPressure(LineHJQ, 50, 3, ModeHeating, true), t, m).airFlow);
    const double left = 200.0 - kFanSlope * q * q -
                        testing::kHjqCost * std::pow(q / kSecondsPerHour / testing::kSection, testing::kHjqExponent);
    EXPECT_NEAR(left, 50.0, 0.05);
    EXPECT_LT(q, fanFlowAt(50, 3));
}

TEST(DuctedAirSide, EachOfTheSevenKxnSpeedsHasItsCurve)
{
    ModelTable t = handMadeDuctedLine(LineHJQ);
    const int m = addDuctedModel(t, "KXN A");
    for (int speed = 1; speed <= 7; ++speed) {
        SCOPED_TRACE(speed);
        const ModelAirSide air = airSideOf(ductedAtPressure(LineHJQ, 50, speed), t, m);
        EXPECT_NEAR(perHour(air.airFlow), fanFlowAt(50, speed), 0.05);
        // The free-delivery reference stays at speed 1.
        EXPECT_NEAR(perHour(air.referenceFlow), kFreeDelivery_m3h, 0.05);
    }
}

TEST(DuctedAirSide, AirFlowGivenLeavesThePressureTheFanStillHas)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int m = addDuctedModel(t, "KXR A");
    // A flow the fan can only just deliver against the outlets: 2 Pa left.
    const double barely = std::sqrt(198.0 / mrzSlope());
    RunRequest request = ductedAtAirFlow(LineMRZ, barely, 3);
    ASSERT_TRUE(request.airFlowGiven());
    ModelAirSide air = airSideOf(request, t, m);
    EXPECT_NEAR(air.availablePressure, 2.0, 0.01);
    EXPECT_FALSE(air.pressureCapped);
    EXPECT_NEAR(perHour(air.airFlow), barely, 0.01) << "the given flow goes through the coil";
    EXPECT_FALSE(airSideReason(request, air, true));
    // A flow it cannot reach: a negative pressure leaves the model out.
    request = ductedAtAirFlow(LineMRZ, 1500, 3);
    air = airSideOf(request, t, m);
    EXPECT_NEAR(air.availablePressure, 200.0 - mrzSlope() * 1500 * 1500, 0.01);
    EXPECT_LT(air.availablePressure, 0);
    EXPECT_EQ(airSideReason(request, air, true), NotListedReason::NegativePressure);
}

TEST(DuctedAirSide, APressureAbove250IsCapped)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int m = addDuctedModel(t, "KXR big", {0, 300, 350, 400, 400, 400, 400, 400});
    const RunRequest request = ductedAtAirFlow(LineMRZ, 500, 3);
    const ModelAirSide air = airSideOf(request, t, m);
    EXPECT_EQ(air.availablePressure, kAvailablePressureCap_Pa);
    EXPECT_TRUE(air.pressureCapped);
    EXPECT_FALSE(airSideReason(request, air, true));
}

TEST(DuctedAirSide, AFlowOfAQuarterOfTheFreeDeliveryOrLessLeavesTheModelOut)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int m = addDuctedModel(t, "KXR A");
    struct Case {
        float pressure;
        int speed;
        bool left;
        const char* why;
    };
    // Speed 1: 120 − slope·Q² = p. The quarter of 1095.4 m³/h is 273.9 m³/h.
    const Case cases[] = {
        {115, 1, true, "about 209 m³/h"},
        {100, 1, false, "about 418 m³/h"},
        {300, 3, true, "a pressure the fan cannot reach at any flow: no flow at all"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const RunRequest request = ductedAtPressure(LineMRZ, c.pressure, c.speed);
        const ModelAirSide air = airSideOf(request, t, m);
        EXPECT_EQ(perHour(air.airFlow) <= kFreeDelivery_m3h / 4, c.left) << perHour(air.airFlow);
        const auto reason = airSideReason(request, air, true);
        EXPECT_EQ(reason == NotListedReason::QuarterFreeDelivery, c.left);
        EXPECT_EQ(reason.has_value(), c.left);
    }
    EXPECT_EQ(airSideOf(ductedAtPressure(LineMRZ, 300, 3), t, m).airFlow, 0.0f);
}

TEST(DuctedNames, FiltersOfTheDuctedLines)
{
    struct Case {
        const char* name;
        int mode;
        bool fourPipe;
        std::optional<NotListedReason> reason;
    };
    const Case cases[] = {
        {"KXR 300", ModeCooling, false, std::nullopt},
        {"KXR 300 DF", ModeCooling, false, NotListedReason::HeatingOnly}, // not rated in cooling
        {"KXR 300 DF", ModeCooling, true, NotListedReason::HeatingOnly},
        {"KXR 300 DF", ModeHeating, false, std::nullopt},
        {"KXR 300 DF", ModeHeating, true, NotListedReason::FourPipeChoice},
        {"KXR 300 4P", ModeCooling, false, NotListedReason::OtherMode},
        {"KXR 300 4P", ModeHeating, false, NotListedReason::FourPipeChoice},
        {"KXR 300 4P", ModeHeating, true, std::nullopt},
        {"KXR 300", ModeHeating, true, NotListedReason::FourPipeChoice},
        {"KXR 300+4P", ModeHeating, true, NotListedReason::OtherMode},
        {"KXR 300+4P", ModeHeating, false, NotListedReason::OtherMode},
        {"KXR 300+4P", ModeCooling, false, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.mode == ModeCooling ? " cooling" : " heating") +
                     (c.fourPipe ? " 4P" : ""));
        EXPECT_EQ(nameFilterReason(c.name, c.mode, c.fourPipe, true), c.reason);
    }
    EXPECT_FALSE(nameFilterReason("KXA 300 DF", ModeCooling, false, false)) << "the fan coils have no DF units";
}

// Runs `t` at 50 Pa, speed 3, with the design conditions of the mode, in a working record of
// the test's own so that the coefficients the run set can be read.
class DuctedRunOverModels : public ::testing::Test {
protected:
    RunResult run(const ModelTable& t, int mode, bool fourPipe = false, float pressure = 50)
    {
        const CoilConstants constants = testing::constantsOf(t.line);
        skips = 0;
        return rateModels(ductedAtPressure(t.line, pressure, 3, mode, fourPipe), t, constants, state,
                          [this] { ++skips; });
    }

    CoilState state;
    int skips = 0;
};

TEST_F(DuctedRunOverModels, RatesEveryModelThatPassesItsFilters)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    addDuctedModel(t, "KXR A");
    addDuctedModel(t, "KXR A DF");
    addDuctedModel(t, "KXR A 4P");
    EXPECT_EQ(listedNames(run(t, ModeCooling)), (Names{"KXR A"}));
    EXPECT_EQ(listedNames(run(t, ModeHeating, false)), (Names{"KXR A", "KXR A DF"}));
    EXPECT_EQ(listedNames(run(t, ModeHeating, true)), (Names{"KXR A 4P"}));
}

TEST_F(DuctedRunOverModels, CoolingIsRatedAtTheFanFlowWithTheCoolingCoefficients)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int m = addDuctedModel(t, "KXR A");
    const RunResult result = run(t, ModeCooling);
    ASSERT_EQ(result.listedCount(), 1);
    const ModelOutcome& model = result.models[0];
    EXPECT_NEAR(perHour(model.rating.AirFlow), std::sqrt(150.0 / mrzSlope()), 0.05);
    EXPECT_EQ(model.rating.AirFlow, model.air.airFlow);
    // The leaving air lies between the water and the entering air.
    EXPECT_GT(model.rating.AirOut, 7.0f);
    EXPECT_LT(model.rating.AirOut, 27.0f);
    EXPECT_GT(model.rating.Capacity, model.rating.SensibleCapacity);
    EXPECT_EQ(model.soundPower, t.LWA[m][3]);
    EXPECT_EQ(model.soundPressure, 0.0f) << "the ducted lines have no sound pressure";
    // One coefficient set for all speeds.
    EXPECT_EQ(state.AirCoeff, t.FC30[m]);
    EXPECT_EQ(state.BypassCoeff, t.C100[m]);
    EXPECT_EQ(state.ExtraLengthCoeff, t.FCC50[m]);
}

TEST_F(DuctedRunOverModels, HeatingUsesTheHeatingCoefficients)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int m = addDuctedModel(t, "KXR A");
    const RunResult result = run(t, ModeHeating);
    ASSERT_EQ(result.listedCount(), 1);
    EXPECT_GT(result.models[0].rating.AirOut, 20.0f);
    EXPECT_LT(result.models[0].rating.AirOut, 45.0f);
    EXPECT_EQ(state.AirCoeff, t.CC30[m]);
    EXPECT_EQ(state.ExtraLengthCoeff, t.CCC50[m]);
}

TEST_F(DuctedRunOverModels, EverySpeedSharesTheCoefficients)
{
    ModelTable t = handMadeDuctedLine(LineHJQ);
    const int m = addDuctedModel(t, "KXN A");
    const CoilConstants constants = testing::constantsOf(LineHJQ);
    for (int speed = 1; speed <= 7; ++speed) {
        SCOPED_TRACE(speed);
        const RunResult result = rateModels(ductedAtPressure(LineHJQ, 50, speed), t, constants, state);
        ASSERT_EQ(result.listedCount(), 1);
        EXPECT_EQ(state.AirCoeff, t.FC30[m]);
        EXPECT_EQ(state.BypassCoeff, t.C100[m]);
        EXPECT_NEAR(perHour(result.models[0].rating.AirFlow), fanFlowAt(50, speed), 0.05);
        EXPECT_EQ(result.models[0].soundPower, t.LWA[m][speed]);
    }
}

TEST_F(DuctedRunOverModels, AnInvalidCallWhileRatingOneModelSkipsOnlyThatModel)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    t.Espo[2] = 1.8f; // a fractional power of a negative velocity is an invalid call
    const int broken = addDuctedModel(t, "KXR broken");
    t.Bocche[broken] = -testing::kOutlets;
    addDuctedModel(t, "KXR A");
    const RunResult result = run(t, ModeCooling);
    EXPECT_EQ(listedNames(result), Names{"KXR A"});
    EXPECT_EQ(result.models[0].reason, NotListedReason::NoOperatingPoint);
    EXPECT_FALSE(result.failure);
    EXPECT_GE(skips, 1);
}

TEST_F(DuctedRunOverModels, NoSectionOrNoOutletsIsADivisionByZeroThatEndsTheRun)
{
    struct Case {
        const char* name;
        const char* accessoryEnd;
        float section;
        int16_t outlets;
    };
    const Case cases[] = {{"flat section of 0", "N", 0.0f, testing::kOutlets},
                          {"no outlets", "S", float(testing::kSection), 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelTable t = handMadeDuctedLine(LineMRZ);
        t.OPZBoc[2] = c.accessoryEnd;
        addDuctedModel(t, "KXR A");
        const int broken = addDuctedModel(t, "KXR broken");
        t.Sezione[broken] = c.section;
        t.Bocche[broken] = c.outlets;
        addDuctedModel(t, "KXR B");
        const RunResult result = run(t, ModeCooling);
        ASSERT_TRUE(result.failure) << "the run went on";
        EXPECT_EQ(result.failure->number, kDivisionByZero);
        EXPECT_EQ(result.failure->model, broken);
        EXPECT_EQ(listedNames(result), Names{"KXR A"});
        EXPECT_EQ(result.models.size(), 1u);
    }
}

TEST_F(DuctedRunOverModels, AHeatingOnlyUnitInCoolingNeverEndsTheRun)
{
    ModelTable t = handMadeDuctedLine(LineMRZ);
    const int dry = addDuctedModel(t, "KXR A DF");
    t.Sezione[dry] = 0; // would divide by zero if its air side were worked out
    t.OPZBoc[2] = "N";
    addDuctedModel(t, "KXR A");
    const RunResult result = run(t, ModeCooling);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(listedNames(result), Names{"KXR A"});
    EXPECT_EQ(result.models[0].reason, NotListedReason::HeatingOnly);
}

} // namespace
} // namespace tarvello
