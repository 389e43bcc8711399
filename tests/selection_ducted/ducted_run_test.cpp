// The ducted run without its window, on hand-made lines: the air side of a model in both
// branches, the caps and drops, the name filters, the result row, and how errors end or
// do not end a run.

#include "selection_ducted/ducted_grid.h"
#include "selection_ducted/ducted_inputs.h"
#include "selection_ducted/ducted_run.h"

#include "ducted_test_support.h"
#include "engine/arithmetic.h"
#include "engine/fan_air_side.h"
#include "engine/psychrometrics.h"
#include "shell/language.h"

#include <QStringList>

#include <cmath>
#include <vector>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;

constexpr double kFanSlope = 1e-4; // Pa per (m³/h)²: P = C − 1e-4·Q²
// Fan curve offsets per speed 1 .. 7, Pa.
constexpr std::array<float, 8> kOffsets{0, 120, 160, 200, 220, 240, 260, 280};
constexpr int kOutlets = 4;
constexpr double kOutletArea = kOutlets * 0.0314; // m²
constexpr double kSection = 0.09;                 // m²
// Accessory row 2 (MRZ): 3·v² through the outlets; row 1 (HJQ): 4.2·v^1.8 through the section.
constexpr double kMrzCost = 3.0;
constexpr double kHjqCost = 4.2;
constexpr double kHjqExponent = 1.8;

ModelTable handMadeLine(const char* series)
{
    ModelTable t;
    t.SeriesCode = series;
    t.line = t.SeriesCode == "HJQ" ? LineHJQ : LineMRZ;
    t.NumAccessories = 2;
    t.Cost[1] = float(kHjqCost);
    t.Espo[1] = float(kHjqExponent);
    t.OPZBoc[1] = "N";
    t.Cost[2] = float(kMrzCost);
    t.Espo[2] = 2;
    t.OPZBoc[2] = "S";
    return t;
}

// A model with the coil of the shipped KXR 100 and the fan curve C_s − 1e-4·Q².
int addModel(ModelTable& t, const std::string& name, std::array<float, 8> offsets = kOffsets)
{
    const int m = ++t.NumModels;
    t.Modello[m] = name;
    t.Geom[m] = 3;
    t.Passo[m] = 1;
    t.LunBat[m] = 900;
    t.AltBAt[m] = 300;
    t.NR[m] = 3;
    t.NC[m] = 3;
    for (int s = 1; s <= kMaxSpeeds; ++s) {
        t.VelA[m][s] = float(-kFanSlope);
        t.VelB[m][s] = 0;
        t.VelC[m][s] = offsets[s];
        t.LWA[m][s] = 50.0f + float(s);
    }
    t.C100[m] = 0.15f;
    t.FC30[m] = 56;
    t.CC30[m] = 51;
    t.FCC50[m] = 1.8f;
    t.CCC50[m] = 1.7f;
    t.Sezione[m] = float(kSection);
    t.Bocche[m] = kOutlets;
    return m;
}

// The quadratic law of the MRZ outlets: total slope of fan and accessory, Pa per (m³/h)².
double mrzSlope()
{
    const double perHourArea = 3600.0 * kOutletArea;
    return kFanSlope + kMrzCost / (perHourArea * perHourArea);
}

DuctedRunChoices staticPressure(float pa, int speed, int mode = ModeCooling, bool fourPipe = false)
{
    DuctedRunChoices c;
    c.mode = mode;
    c.speed = speed;
    c.fourPipe = fourPipe;
    c.staticPressure = pa;
    return c;
}

DuctedRunChoices airFlow(double m3h, int speed)
{
    DuctedRunChoices c;
    c.speed = speed;
    c.totalAirFlow = float(m3h / 3600.0);
    return c;
}

class DuctedRun : public SelectionEnvironment {};

TEST_F(DuctedRun, StaticPressureGivenFindsTheFlowOfTheSpeedCurveLessTheAccessory)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR A");
    const DuctedAirSide air = ductedAirSide(staticPressure(50, 3), m, t);
    // 200 − slope·Q² = 50 (speed 3, accessory row 2 through 4 outlets).
    EXPECT_NEAR(air.AirFlow * 3600.0, std::sqrt(150.0 / mrzSlope()), 0.05);
    EXPECT_EQ(air.AvailablePressure, 50.0f);
    EXPECT_EQ(air.PressurePrefix, QStringLiteral(" "));
    // Free delivery: speed 1, 0 Pa, no accessory: 120 − 1e-4·Q² = 0.
    EXPECT_NEAR(air.FreeDelivery * 3600.0, std::sqrt(120.0 / kFanSlope), 0.05);
    EXPECT_FALSE(air.dropsModel());
}

TEST_F(DuctedRun, TheKxnLineDropsItsAccessoryOnlyForTheAdditionalHeatingCoil)
{
    ModelTable t = handMadeLine("HJQ");
    const int m = addModel(t, "KXN A");
    // Cooling, or heating without chkDF: the fan curve alone.
    for (const DuctedRunChoices& c : {staticPressure(50, 3), staticPressure(50, 3, ModeHeating, false)})
        EXPECT_NEAR(ductedAirSide(c, m, t).AirFlow * 3600.0, std::sqrt(150.0 / kFanSlope), 0.05);
    // Heating with the additional coil: 4.2·v^1.8 through the section.
    const double q = ductedAirSide(staticPressure(50, 3, ModeHeating, true), m, t).AirFlow * 3600.0;
    const double left = 200.0 - kFanSlope * q * q - kHjqCost * std::pow(q / 3600.0 / kSection, kHjqExponent);
    EXPECT_NEAR(left, 50.0, 0.05);
    EXPECT_LT(q, std::sqrt(150.0 / kFanSlope));
}

TEST_F(DuctedRun, EachOfTheSevenKxnSpeedsHasItsCurve)
{
    ModelTable t = handMadeLine("HJQ");
    const int m = addModel(t, "KXN A");
    for (int speed = 1; speed <= 7; ++speed) {
        SCOPED_TRACE(speed);
        const DuctedAirSide air = ductedAirSide(staticPressure(50, speed), m, t);
        EXPECT_NEAR(air.AirFlow * 3600.0, std::sqrt((kOffsets[speed] - 50.0) / kFanSlope), 0.05);
        // The free-delivery reference stays at speed 1.
        EXPECT_NEAR(air.FreeDelivery * 3600.0, std::sqrt(120.0 / kFanSlope), 0.05);
    }
}

TEST_F(DuctedRun, AirFlowGivenLeavesThePressureTheFanStillHas)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR A");
    // A flow the fan can only just deliver against the outlets: 2 Pa left.
    const double barely = std::sqrt(198.0 / mrzSlope());
    DuctedAirSide air = ductedAirSide(airFlow(barely, 3), m, t);
    EXPECT_NEAR(air.AvailablePressure, 2.0, 0.01);
    EXPECT_EQ(air.PressurePrefix, QStringLiteral(" "));
    EXPECT_FALSE(air.dropsModel());
    // A flow it cannot reach: a negative pressure drops the model.
    air = ductedAirSide(airFlow(1500, 3), m, t);
    EXPECT_LT(air.AvailablePressure, 0);
    EXPECT_TRUE(air.dropsModel());
}

TEST_F(DuctedRun, APressureAbove250IsCapped)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR big", {0, 300, 350, 400, 400, 400, 400, 400});
    const DuctedAirSide air = ductedAirSide(airFlow(500, 3), m, t);
    EXPECT_EQ(air.AvailablePressure, 250.0f);
    EXPECT_EQ(air.PressurePrefix, QStringLiteral("> "));
    EXPECT_FALSE(air.dropsModel());
}

TEST_F(DuctedRun, AFlowOfAQuarterOfTheFreeDeliveryOrLessDropsTheModel)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR A");
    // Speed 1: 120 − slope·Q² = p. The quarter of 1095.4 m³/h is 273.9 m³/h.
    const DuctedAirSide low = ductedAirSide(staticPressure(115, 1), m, t); // about 209 m³/h
    EXPECT_LT(low.AirFlow * 3600.0, 273.9);
    EXPECT_TRUE(low.dropsModel());
    const DuctedAirSide enough = ductedAirSide(staticPressure(100, 1), m, t); // about 418 m³/h
    EXPECT_FALSE(enough.dropsModel());
    // A pressure the fan cannot reach at any flow: no flow at all.
    const DuctedAirSide none = ductedAirSide(staticPressure(300, 3), m, t);
    EXPECT_EQ(none.AirFlow, 0);
    EXPECT_TRUE(none.dropsModel());
}

TEST_F(DuctedRun, NameFilters)
{
    struct Case {
        const char* name;
        int mode;
        bool fourPipe;
        bool rated;
    };
    const Case cases[] = {
        {"KXR 300", ModeCooling, false, true},
        {"KXR 300 DF", ModeCooling, false, false}, // the DF units are not rated in cooling
        {"KXR 300 DF", ModeHeating, false, true},
        {"KXR 300 4P", ModeCooling, false, false},
        {"KXR 300 4P", ModeHeating, false, false},
        {"KXR 300 4P", ModeHeating, true, true},
        {"KXR 300", ModeHeating, true, false},
        {"KXR 300+4P", ModeHeating, true, false},
        {"KXR 300+4P", ModeCooling, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.mode == ModeCooling ? " cooling" : " heating"));
        EXPECT_EQ(passesDuctedFilters(c.name, c.mode, c.fourPipe), c.rated);
    }
}

// Runs rateDuctedModels over `t` at 50 Pa, speed 3, with the standard conditions of the
// mode (cooling 27 °C / 47 %, water 7 -> 12 °C; heating 20 °C, water 45 -> 40 °C).
class DuctedRunOverModels : public DuctedRun {
protected:
    std::vector<RatingResult> run(const ModelTable& t, int mode, bool fourPipe = false, float pressure = 50)
    {
        DuctedFieldTexts texts;
        texts.returnShare = QStringLiteral("100");
        texts.returnDry = QString::number(mode == ModeCooling ? 27 : 20);
        texts.returnRh = QStringLiteral("47");
        texts.waterIn = QString::number(mode == ModeCooling ? 7 : 45);
        texts.waterOut = QString::number(mode == ModeCooling ? 12 : 40);
        const DuctedReading reading = readDuctedInputs(texts, mode, {1000.0f, 1000.0f, 1.0f});
        EXPECT_FALSE(reading.missing);
        applyDuctedConditions(reading.conditions, mode, state);
        state.AirDensity = MoistAirDensity(state.AirIn, state.AirInRh);
        state.AirCp = AirSpecificHeat(state.AirIn);
        state.CapacityMin = 0;
        state.CapacityMax = 9999999;
        ImpostaCoefficienti(t.line, constants);
        std::vector<RatingResult> rows;
        skips = 0;
        DuctedRunChoices choices = staticPressure(pressure, 3, mode, fourPipe);
        choices.leavingWaterGiven = reading.conditions.water.leavingWaterGiven();
        choices.waterOutGiven = reading.conditions.water.WaterOutGiven;
        rateDuctedModels(choices, state, t, constants,
                         [&](const RatingResult& r, const DuctedAirSide&) { rows.push_back(r); },
                         [&] { ++skips; });
        return rows;
    }
    static std::vector<std::string> names(const ModelTable& t, const std::vector<RatingResult>& rows)
    {
        std::vector<std::string> result;
        for (const RatingResult& r : rows)
            result.push_back(t.Modello[r.model]);
        return result;
    }

    CoilState state;
    CoilConstants constants;
    int skips = 0;
};

TEST_F(DuctedRunOverModels, RatesEveryModelThatPassesItsFilters)
{
    ModelTable t = handMadeLine("MRZ");
    addModel(t, "KXR A");
    addModel(t, "KXR A DF");
    addModel(t, "KXR A 4P");
    using Names = std::vector<std::string>;
    EXPECT_EQ(names(t, run(t, ModeCooling)), (Names{"KXR A"}));
    EXPECT_EQ(names(t, run(t, ModeHeating, false)), (Names{"KXR A", "KXR A DF"}));
    EXPECT_EQ(names(t, run(t, ModeHeating, true)), (Names{"KXR A 4P"}));
}

TEST_F(DuctedRunOverModels, CoolingRowsAreRatedAtTheFanFlow)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR A");
    const std::vector<RatingResult> rows = run(t, ModeCooling);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NEAR(rows[0].AirFlow * 3600.0, std::sqrt(150.0 / mrzSlope()), 0.05);
    // The leaving air lies between the water and the entering air.
    EXPECT_GT(rows[0].AirOut, 7.0f);
    EXPECT_LT(rows[0].AirOut, 27.0f);
    EXPECT_GT(rows[0].Capacity, rows[0].SensibleCapacity);
    // One coefficient set for all speeds.
    EXPECT_EQ(state.AirCoeff, t.FC30[m]);
    EXPECT_EQ(state.BypassCoeff, t.C100[m]);
    EXPECT_EQ(state.ExtraLengthCoeff, t.FCC50[m]);
}

TEST_F(DuctedRunOverModels, HeatingUsesTheHeatingCoefficients)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR A");
    const std::vector<RatingResult> rows = run(t, ModeHeating);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_GT(rows[0].AirOut, 20.0f);
    EXPECT_LT(rows[0].AirOut, 45.0f);
    EXPECT_EQ(state.AirCoeff, t.CC30[m]);
    EXPECT_EQ(state.ExtraLengthCoeff, t.CCC50[m]);
}

TEST_F(DuctedRunOverModels, AnInvalidCallWhileRatingOneModelSkipsOnlyThatModel)
{
    ModelTable t = handMadeLine("MRZ");
    t.Espo[2] = 1.8f; // a fractional power of a negative velocity is an invalid call
    const int broken = addModel(t, "KXR broken");
    t.Bocche[broken] = -kOutlets;
    addModel(t, "KXR A");
    const std::vector<RatingResult> rows = run(t, ModeCooling);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(t.Modello[rows[0].model], "KXR A");
    EXPECT_GE(skips, 1);
}

TEST_F(DuctedRunOverModels, NoSectionOrNoOutletsIsADivisionByZero)
{
    struct Case {
        const char* name;
        const char* accessoryEnd;
        float section;
        int16_t outlets;
    };
    const Case cases[] = {{"flat section of 0", "N", 0.0f, kOutlets}, {"no outlets", "S", float(kSection), 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ModelTable t = handMadeLine("MRZ");
        t.OPZBoc[2] = c.accessoryEnd;
        addModel(t, "KXR A");
        const int broken = addModel(t, "KXR broken");
        t.Sezione[broken] = c.section;
        t.Bocche[broken] = c.outlets;
        addModel(t, "KXR B");
        try {
            run(t, ModeCooling);
            ADD_FAILURE() << "the run went on";
        } catch (const ArithmeticError& error) {
            EXPECT_EQ(error.number(), kDivisionByZero);
        }
    }
}

TEST_F(DuctedRunOverModels, ADryUnitInCoolingNeverEndsTheRun)
{
    ModelTable t = handMadeLine("MRZ");
    const int dry = addModel(t, "KXR A DF");
    t.Sezione[dry] = 0; // would divide by zero if its air side were worked out
    t.OPZBoc[2] = "N";
    addModel(t, "KXR A");
    EXPECT_EQ(run(t, ModeCooling).size(), 1u);
}

// The result row and the headings.

RatingResult sampleResult(int model)
{
    RatingResult r;
    r.model = model;
    r.Capacity = 5230;
    r.SensibleCapacity = 3870;
    r.WaterFlow = 0.000250;
    r.WaterOut = 12.04f;
    r.WaterPressureDrop = 14.3f;
    r.Reynolds = 5000;
    r.AirFlow = 0.3175f;
    r.AirOut = 14.26f;
    return r;
}

TEST_F(DuctedRun, ResultRowCells)
{
    ModelTable t = handMadeLine("MRZ");
    const int m = addModel(t, "KXR A");
    DuctedAirSide air;
    air.AirFlow = 0.3175f;
    air.AvailablePressure = 2.0f;
    air.PressurePrefix = QStringLiteral(" ");
    RatingResult r = sampleResult(m);
    // Static pressure given, leaving water given: water flow and air flow.
    QStringList cells = ductedResultRow(r, air, t, 3, ModeCooling, true, false).split(QLatin1Char('\t'));
    EXPECT_EQ(cells, (QStringList{"", "KXR A", "5230", "3870", "0.250", "14.30", "317.5", "14.3", "53"}));
    // Air flow given, water flow given: leaving water and the pressure left.
    cells = ductedResultRow(r, air, t, 3, ModeCooling, false, true).split(QLatin1Char('\t'));
    EXPECT_EQ(cells[4], QStringLiteral("12.0"));
    EXPECT_EQ(cells[6], QStringLiteral(" 2"));
    // Heating has no sensible column; laminar flow marks the pressure drop.
    r.Reynolds = 2000;
    cells = ductedResultRow(r, air, t, 3, ModeHeating, true, true).split(QLatin1Char('\t'));
    EXPECT_EQ(cells, (QStringList{"", "KXR A", "5230", "0.250", "14.30 *", " 2", "14.3", "53"}));
    // Capped, in mmH2O: 250 × 0.102 with the mask "#0.0".
    UnitDpA.choose(1);
    air.AvailablePressure = 250;
    air.PressurePrefix = QStringLiteral("> ");
    cells = ductedResultRow(r, air, t, 3, ModeCooling, true, true).split(QLatin1Char('\t'));
    EXPECT_EQ(cells[6], QStringLiteral("> 25.5"));
}

TEST_F(DuctedRun, HeadingsFollowTheModeAndTheGivenQuantities)
{
    TextGrid grid;
    layoutDuctedGrid(grid, ModeCooling, {false, false}, 100);
    ASSERT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 9);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(grid.text(0, 5), Testo(45));
    EXPECT_EQ(grid.text(0, 4), Testo(48));
    EXPECT_EQ(grid.text(1, 4), QStringLiteral("l/s"));
    EXPECT_EQ(grid.text(0, 6), Testo(49));
    EXPECT_EQ(grid.text(1, 6), QStringLiteral("l/s"));
    EXPECT_EQ(grid.text(1, 8), QStringLiteral("dB(A)"));
    EXPECT_EQ(grid.colWidth(0), 200);
    EXPECT_EQ(grid.colWidth(1), 900);
    EXPECT_EQ(grid.colWidth(8), 900);
    EXPECT_TRUE(grid.rightAligned(2));
    EXPECT_TRUE(grid.text(2, 1).isEmpty());

    UnitPt.choose(1);
    layoutDuctedGrid(grid, ModeHeating, {true, true}, 700);
    EXPECT_EQ(grid.cols(), 8);
    EXPECT_EQ(grid.text(0, 2), Testo(54));
    EXPECT_EQ(grid.text(1, 2), QStringLiteral("Cal/h "));
    EXPECT_EQ(grid.text(0, 3), Testo(94));
    EXPECT_EQ(grid.text(1, 3), QStringLiteral("°C"));
    EXPECT_EQ(grid.text(0, 5), Testo(58));
    EXPECT_EQ(grid.text(1, 5), QStringLiteral("Pa"));
    EXPECT_EQ(grid.colWidth(3), 900); // heating keeps 900 in German too

    layoutDuctedGrid(grid, ModeCooling, {false, true}, 700);
    EXPECT_EQ(grid.text(1, 2), QStringLiteral("Frig/h"));
    EXPECT_EQ(grid.text(1, 3), QStringLiteral("Frig/h"));
    EXPECT_EQ(grid.colWidth(1), 1300);
    EXPECT_EQ(grid.colWidth(8), 1300);
}

} // namespace
} // namespace tarvello
