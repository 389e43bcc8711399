// The ducted window's inputs without widgets: field ranges, the two shares, and the steps
// of LeggiDatiMRZ (the air mix and the checks in their order).

#include "selection_ducted/ducted_inputs.h"

#include "selection/selection_run.h"

#include "ducted_test_support.h"
#include "engine/psychrometrics.h"
#include "shell/language.h"

#include <cmath>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;

class DuctedInputs : public SelectionEnvironment {
protected:
    // 1000 m³/h, 70 % return air at 26 °C / 50 %, 30 % fresh air at 32 °C / 60 %, water 7 -> 12 °C.
    static DuctedFieldTexts mixExample()
    {
        DuctedFieldTexts t;
        t.totalAirFlow = QStringLiteral("1000");
        t.returnShare = QStringLiteral("70");
        t.returnDry = QStringLiteral("26");
        t.returnRh = QStringLiteral("50");
        t.freshShare = QStringLiteral("30");
        t.freshDry = QStringLiteral("32");
        t.freshRh = QStringLiteral("60");
        t.waterIn = QStringLiteral("7");
        t.waterOut = QStringLiteral("12");
        return t;
    }
    // Static pressure given: the whole air is return air.
    static DuctedFieldTexts staticPressureExample()
    {
        DuctedFieldTexts t;
        t.returnShare = QStringLiteral("100");
        t.returnDry = QStringLiteral("26");
        t.returnRh = QStringLiteral("50");
        t.pressure = QStringLiteral("50");
        t.waterIn = QStringLiteral("7");
        t.waterOut = QStringLiteral("12");
        return t;
    }
    // m³/h is the third air flow unit.
    static DuctedUnitFactors perHour() { return {3600.0f, 1000.0f, 1.0f}; }
};

float humidityRatio(float dryBulb, float rh)
{
    return HumidityRatioFromWetBulb(dryBulb, WetBulbFromRelHumidity(dryBulb, rh));
}

TEST_F(DuctedInputs, MixesTheDryBulbByFlowAndTheMoistureByHumidityRatio)
{
    const DuctedReading r = readDuctedInputs(mixExample(), ModeCooling, perHour());
    ASSERT_FALSE(r.missing) << r.missing->message.toStdString();
    const DuctedConditions& c = r.conditions;
    EXPECT_NEAR(c.TotalAirFlow, 1000.0 / 3600.0, 1e-6);
    EXPECT_EQ(c.AirFlow, c.TotalAirFlow);
    EXPECT_NEAR(c.ReturnFlow, 0.7 * 1000.0 / 3600.0, 1e-6);
    EXPECT_NEAR(c.FreshFlow, 0.3 * 1000.0 / 3600.0, 1e-6);
    // 0.7 × 26 + 0.3 × 32 = 27.8 °C.
    EXPECT_NEAR(c.AirIn, 27.8, 1e-4);
    // The mixed state carries the flow-weighted mean humidity ratio.
    const double expectedRatio = 0.7 * humidityRatio(26, 50) + 0.3 * humidityRatio(32, 60);
    EXPECT_NEAR(HumidityRatioFromWetBulb(c.AirIn, c.AirInWetBulb), expectedRatio, 2e-5);
    EXPECT_NEAR(RelHumidityFromWetBulb(c.AirIn, c.AirInWetBulb), c.AirInRh, 1e-3);
    // Mixing a drier with a moister stream lands between them.
    EXPECT_GT(expectedRatio, humidityRatio(26, 50));
    EXPECT_LT(expectedRatio, humidityRatio(32, 60));
}

TEST_F(DuctedInputs, ReadsTheSameUnderADecimalComma)
{
    useLocale(QLocale(QLocale::German, QLocale::Germany));
    DuctedFieldTexts t = mixExample();
    t.returnDry = QStringLiteral("26,0");
    t.freshDry = QStringLiteral("32,0");
    const DuctedReading r = readDuctedInputs(t, ModeCooling, perHour());
    ASSERT_FALSE(r.missing);
    EXPECT_NEAR(r.conditions.AirIn, 27.8, 1e-4);
}

TEST_F(DuctedInputs, StaticPressureGivenTakesTheReturnAirAsItIs)
{
    const DuctedReading r = readDuctedInputs(staticPressureExample(), ModeCooling, perHour());
    ASSERT_FALSE(r.missing);
    EXPECT_EQ(r.conditions.TotalAirFlow, 0);
    EXPECT_FALSE(r.conditions.airFlowGiven());
    EXPECT_EQ(r.conditions.AirIn, 26.0f);
    EXPECT_EQ(r.conditions.AirInRh, 50.0f);
    EXPECT_EQ(r.conditions.water.StaticPressure, 50.0f);
    EXPECT_NEAR(r.conditions.AirInWetBulb, WetBulbFromRelHumidity(26, 50), 1e-6);
}

TEST_F(DuctedInputs, OnlyFreshAirTakesTheFreshHumidity)
{
    DuctedFieldTexts t = mixExample();
    t.returnShare = QStringLiteral("0");
    t.freshShare = QStringLiteral("100");
    const DuctedReading r = readDuctedInputs(t, ModeCooling, perHour());
    ASSERT_FALSE(r.missing);
    EXPECT_EQ(r.conditions.AirIn, 32.0f);
    EXPECT_EQ(r.conditions.AirInRh, 60.0f);
}

TEST_F(DuctedInputs, HeatingAcceptsFreshAirAtZeroAndHasNoHumidity)
{
    DuctedFieldTexts t = mixExample();
    t.returnDry = QStringLiteral("20");
    t.freshDry = QStringLiteral("0");
    t.waterIn = QStringLiteral("45");
    t.waterOut = QStringLiteral("40");
    const DuctedReading r = readDuctedInputs(t, ModeHeating, perHour());
    ASSERT_FALSE(r.missing) << r.missing->message.toStdString();
    EXPECT_NEAR(r.conditions.AirIn, 14.0, 1e-5); // 0.7 × 20 + 0.3 × 0
    EXPECT_EQ(r.conditions.AirInRh, 0);

    const RunRequest request = ductedRunRequest(r.conditions, ModeHeating);
    EXPECT_EQ(request.air.relativeHumidity, 0);
    EXPECT_EQ(request.air.dryBulb, r.conditions.AirIn);
    EXPECT_EQ(request.waterIn, 45.0f);
    EXPECT_TRUE(request.leavingWaterGiven);
    EXPECT_EQ(request.waterOut, 40.0f);
    ASSERT_TRUE(request.streams);
    EXPECT_EQ(request.streams->freshShare, 30.0f);
    EXPECT_EQ(request.streams->freshDryBulb, 0.0f);
}

TEST_F(DuctedInputs, CoolingConditionsCarryTheEnthalpies)
{
    const DuctedReading r = readDuctedInputs(mixExample(), ModeCooling, perHour());
    ASSERT_FALSE(r.missing);
    CoilState state;
    setRunConditions(ductedRunRequest(r.conditions, ModeCooling), state);
    EXPECT_EQ(state.AirFlow, r.conditions.TotalAirFlow);
    EXPECT_EQ(state.AirInWetBulb, r.conditions.AirInWetBulb);
    EXPECT_EQ(state.SatEnthalpyWaterIn, EnthalpyFromWetBulb(7, 7));
    EXPECT_EQ(state.AirInEnthalpy, EnthalpyFromWetBulb(r.conditions.AirInWetBulb, r.conditions.AirIn));
}

// The first failing check, in the order the user is told.
struct CheckCase {
    const char* name;
    int mode;
    void (*edit)(DuctedFieldTexts&);
    int text;              // Testo offset of the message
    const char* suffix;    // follows the text
    const char* focus;     // object name, empty when the focus stays
};

DuctedFieldTexts heatingExample()
{
    DuctedFieldTexts t;
    t.totalAirFlow = QStringLiteral("1000");
    t.returnShare = QStringLiteral("70");
    t.returnDry = QStringLiteral("20");
    t.freshShare = QStringLiteral("30");
    t.freshDry = QStringLiteral("5");
    t.waterIn = QStringLiteral("45");
    t.waterOut = QStringLiteral("40");
    return t;
}

const CheckCase kCheckCases[] = {
    {"shares 60 + 30", ModeCooling, [](DuctedFieldTexts& t) { t.returnShare = QStringLiteral("60"); }, 126, "", "txtpqaric(0)"},
    {"shares 60 + 30 in heating", ModeHeating, [](DuctedFieldTexts& t) { t.returnShare = QStringLiteral("60"); }, 126, "", "txtpqaric(1)"},
    // Shares that add up but extrapolate the mix beyond both streams.
    {"shares 120 and -20", ModeCooling,
     [](DuctedFieldTexts& t) { t.returnShare = QStringLiteral("120"); t.freshShare = QStringLiteral("-20"); }, 126, "", "txtpqaric(0)"},
    {"return humidity missing with a flow", ModeCooling, [](DuctedFieldTexts& t) { t.returnRh.clear(); }, 106, "", "txtUrric"},
    {"fresh humidity missing with a flow", ModeCooling, [](DuctedFieldTexts& t) { t.freshRh.clear(); }, 106, "", "txturrin"},
    {"no dry bulbs at all", ModeCooling, [](DuctedFieldTexts& t) { t.returnDry.clear(); t.freshDry.clear(); }, 105, "", ""},
    {"return dry bulb missing", ModeCooling, [](DuctedFieldTexts& t) { t.returnDry.clear(); }, 105, "", "txtTsa1ric(0)"},
    {"return dry bulb missing in heating", ModeHeating, [](DuctedFieldTexts& t) { t.returnDry.clear(); }, 105, "", "txtTsa1ric(1)"},
    {"fresh dry bulb missing", ModeCooling, [](DuctedFieldTexts& t) { t.freshDry.clear(); }, 105, "", ""},
    {"entering water missing", ModeCooling, [](DuctedFieldTexts& t) { t.waterIn.clear(); }, 100, "", "txtTw1(0)"},
    {"entering water missing in heating", ModeHeating, [](DuctedFieldTexts& t) { t.waterIn.clear(); }, 100, "", "txtTw1(1)"},
    {"no leaving water, no flow", ModeCooling, [](DuctedFieldTexts& t) { t.waterOut.clear(); }, 107, "", "txtTw2(0)"},
    {"cooling rise 7 -> 18", ModeCooling, [](DuctedFieldTexts& t) { t.waterOut = QStringLiteral("18"); }, 103, " > 10 °C", "txtTw2(0)"},
    {"heating drop 90 -> 45", ModeHeating,
     [](DuctedFieldTexts& t) { t.waterIn = QStringLiteral("90"); t.waterOut = QStringLiteral("45"); }, 103, " > 40 °C", "txtTw2(1)"},
    // A leaving water temperature on the wrong side of the entering one has no operating point.
    {"cooling 7 -> 6", ModeCooling, [](DuctedFieldTexts& t) { t.waterOut = QStringLiteral("6"); }, 111, "", "txtTw2(0)"},
    {"heating 45 -> 50", ModeHeating, [](DuctedFieldTexts& t) { t.waterOut = QStringLiteral("50"); }, 102, "", "txtTw2(1)"},
    // Heating water that would leave no warmer than the mixed air (0.7 × 20 + 0.3 × 5 = 15.5 °C).
    {"heating 45 -> 15", ModeHeating, [](DuctedFieldTexts& t) { t.waterOut = QStringLiteral("15"); }, 161, "", "txtTw2(1)"},
    {"heating 45 -> 15.5", ModeHeating, [](DuctedFieldTexts& t) { t.waterOut = QStringLiteral("15.5"); }, 161, "", "txtTw2(1)"},
};

TEST_F(DuctedInputs, HeatingWaterMayLeaveBelowTheReturnAirAboveTheMix)
{
    DuctedFieldTexts t = heatingExample();
    t.waterOut = QStringLiteral("18"); // below the 20 °C return air, above the 15.5 °C mix
    EXPECT_FALSE(readDuctedInputs(t, ModeHeating, perHour()).missing);
}

TEST_F(DuctedInputs, ChecksInTheirOrder)
{
    for (const CheckCase& c : kCheckCases) {
        SCOPED_TRACE(c.name);
        DuctedFieldTexts t = c.mode == ModeCooling ? mixExample() : heatingExample();
        c.edit(t);
        const DuctedReading r = readDuctedInputs(t, c.mode, perHour());
        ASSERT_TRUE(r.missing);
        EXPECT_EQ(r.missing->message, Testo(c.text) + QString::fromUtf8(c.suffix));
        EXPECT_EQ(r.missing->focusField, QString::fromLatin1(c.focus));
    }
}

TEST_F(DuctedInputs, StaticPressureModeSkipsTheShareCheckButNotTheHumidity)
{
    DuctedFieldTexts t = staticPressureExample();
    t.returnShare = QStringLiteral("60"); // no total flow: the shares are not checked
    EXPECT_FALSE(readDuctedInputs(t, ModeCooling, perHour()).missing);

    t = staticPressureExample();
    t.returnRh.clear(); // no flow, so only the completeness check sees it
    const DuctedReading r = readDuctedInputs(t, ModeCooling, perHour());
    ASSERT_TRUE(r.missing);
    EXPECT_EQ(r.missing->message, Testo(106));
    EXPECT_EQ(r.missing->focusField, QStringLiteral("txtUrric"));
}

TEST_F(DuctedInputs, ExactlyTenDegreesOfRisePasses)
{
    DuctedFieldTexts t = mixExample();
    t.waterOut = QStringLiteral("17");
    EXPECT_FALSE(readDuctedInputs(t, ModeCooling, perHour()).missing);
}

TEST_F(DuctedInputs, AWaterFlowCountsOnlyWithoutALeavingTemperature)
{
    DuctedFieldTexts t = mixExample();
    t.waterFlow = QStringLiteral("0.2"); // l/s
    DuctedReading r = readDuctedInputs(t, ModeCooling, {3600.0f, 1000.0f, 1.0f});
    ASSERT_FALSE(r.missing);
    EXPECT_TRUE(r.conditions.water.leavingWaterGiven());
    EXPECT_FALSE(r.conditions.water.waterFlowGiven());

    t.waterOut.clear();
    r = readDuctedInputs(t, ModeCooling, {3600.0f, 1000.0f, 1.0f});
    ASSERT_FALSE(r.missing);
    EXPECT_TRUE(r.conditions.water.waterFlowGiven());
    EXPECT_NEAR(r.conditions.water.WaterFlowGiven, 0.0002, 1e-9);
}

struct RangeCase {
    const char* name;
    DuctedField field;
    int mode;
    float minimum, maximum;
    const char* unit;
    bool zeroAllowed;
};

TEST_F(DuctedInputs, FieldRanges)
{
    const RangeCase cases[] = {
        {"return dry bulb, cooling", DuctedField::Tsa1ric, ModeCooling, 16, 35, "°C", false},
        {"return dry bulb, heating", DuctedField::Tsa1ric, ModeHeating, -15, 35, "°C", true},
        {"fresh dry bulb, cooling", DuctedField::Tsa1rin, ModeCooling, 16, 35, "°C", false},
        {"fresh dry bulb, heating", DuctedField::Tsa1rin, ModeHeating, -10, 30, "°C", true},
        {"humidity", DuctedField::Humidity, ModeCooling, 10, 95, "%", true},
        {"static pressure, Pa", DuctedField::Psu, ModeCooling, 0, 250, "Pa", true},
        {"entering water, cooling", DuctedField::Tw1, ModeCooling, 5, 20, "°C", false},
        {"entering water, heating", DuctedField::Tw1, ModeHeating, 30, 95, "°C", false},
        {"glycol", DuctedField::Glic, ModeHeating, 0, 60, "%", true},
    };
    for (const RangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RangeRule rule = ductedRangeRule(c.field, c.mode);
        EXPECT_EQ(rule.minimum, c.minimum);
        EXPECT_EQ(rule.maximum, c.maximum);
        EXPECT_EQ(rule.unit, QString::fromUtf8(c.unit));
        EXPECT_EQ(rule.zeroAllowed, c.zeroAllowed);
    }
    UnitDpA.choose(1); // mmH2O: 250 Pa × 0.102
    const RangeRule pressure = ductedRangeRule(DuctedField::Psu, ModeHeating);
    EXPECT_NEAR(pressure.maximum, 25.5, 1e-4);
    EXPECT_EQ(pressure.unit, QStringLiteral("mmH2O"));
}

TEST_F(DuctedInputs, ACoolingDryBulbIsCheckedOnlyWhileItsStreamHasAShare)
{
    EXPECT_TRUE(dryBulbChecked(DuctedField::Tsa1ric, ModeCooling, QStringLiteral("70")));
    EXPECT_FALSE(dryBulbChecked(DuctedField::Tsa1ric, ModeCooling, QStringLiteral("0")));
    EXPECT_FALSE(dryBulbChecked(DuctedField::Tsa1rin, ModeCooling, QString()));
    EXPECT_TRUE(dryBulbChecked(DuctedField::Tsa1rin, ModeHeating, QString()));
}

TEST_F(DuctedInputs, SharesFillEachOther)
{
    EXPECT_EQ(complementShare(QStringLiteral("80")), QStringLiteral("20"));
    EXPECT_EQ(complementShare(QStringLiteral("33.5")), QStringLiteral("66.5"));
    EXPECT_EQ(complementShare(QString()), QStringLiteral("100"));
    EXPECT_EQ(complementShare(QStringLiteral("abc")), QStringLiteral("100"));
    EXPECT_TRUE(isAllReturnAir(QStringLiteral("100")));
    EXPECT_TRUE(isAllReturnAir(QStringLiteral("100.0")));
    EXPECT_FALSE(isAllReturnAir(QStringLiteral("99.9")));
    EXPECT_FALSE(isAllReturnAir(QString()));
}

} // namespace
} // namespace tarvello
