#include "engine/arithmetic.h"
#include "engine/fan_air_side.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvello;

namespace {

// Model 1: speed 1 gives 50 Pa at no flow and none at 1000 m³/h; speed 2 stays positive
// up to 2000 m³/h (zero at 5477 m³/h). Accessories: row 1 a coil, row 2 an outlet.
ModelTable fanTable(const std::string& series, const std::string& outletKind)
{
    ModelTable t;
    t.NumModels = 1;
    t.SeriesCode = series;
    t.VelA[1][1] = -5e-5f;
    t.VelC[1][1] = 50;
    t.VelA[1][2] = -1e-5f;
    t.VelC[1][2] = 300;
    t.Sezione[1] = 0.1f;
    t.Bocche[1] = 4;
    t.NumAccessories = 2;
    t.Cost[1] = 10;
    t.Espo[1] = 2;
    t.OPZBoc[1] = "";
    t.Cost[2] = 20;
    t.Espo[2] = 2;
    t.OPZBoc[2] = outletKind;
    return t;
}

} // namespace

TEST(Fan, CurveAndFlowAtPressure)
{
    const ModelTable t = fanTable("", "");
    EXPECT_DOUBLE_EQ(FanPressure(400, 1, 1, t), 50 - 5e-5f * 160000.0);
    const struct {
        double pressure;
        int speed;
        std::optional<double> flow; // m³/h, from p = c - a·Q²
    } cases[] = {
        {0, 1, 1000.0},
        {30, 1, std::sqrt(20 / 5e-5)},
        {49, 1, std::sqrt(1 / 5e-5)},
        // Above the curve at no flow: the search runs down to 0 and gives up.
        {60, 1, std::nullopt},
        // Speed 2 stays positive to 2000 m³/h, so 2000 stays the upper end: 265 Pa lies
        // inside (1871 m³/h), 200 Pa (3162 m³/h) outside.
        {265, 2, std::sqrt(35 / 1e-5)},
        {200, 2, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto q = FanFlowAtPressure(c.pressure, c.speed, 1, t);
        ASSERT_EQ(q.has_value(), c.flow.has_value()) << c.pressure;
        if (q) {
            EXPECT_NEAR(*q, *c.flow, 0.05) << c.pressure;
        }
    }
}

TEST(Fan, FlowAtExternalPressureWithAccessories)
{
    // p_fan(Q) = 50 - 5e-5·Q²; the MRZ outlet takes 20·v² with v = Q/3600/0.1 m/s, or
    // v = Q/3600/(4·0.0314) through four spigots.
    auto solve = [](double dropPerQ2) { return std::sqrt(20.0 / (5e-5 + dropPerQ2)); };
    const double sectionDrop = 20.0 / std::pow(3600.0 * 0.1, 2);
    const double spigotDrop = 20.0 / std::pow(3600.0 * 4 * 0.0314, 2);
    const struct {
        const char* what;
        std::string series, outlet;
        int withAccessory;
        AccessoryConditions conditions;
        double flow;
    } cases[] = {
        {"no accessory", "MRZ", "", 0, {}, solve(0)},
        {"withAccessory 2 is not 1", "MRZ", "", 2, {}, solve(0)},
        {"MRZ outlet section", "MRZ", "", 1, {}, solve(sectionDrop)},
        {"MRZ spigots", "MRZ", "S", 1, {}, solve(spigotDrop)},
        {"HJQ in cooling: no coil", "HJQ", "", 1, {false, true}, solve(0)},
        {"HJQ heating without chkDF", "HJQ", "", 1, {true, false}, solve(0)},
        {"HJQ heating with the coil", "HJQ", "", 1, {true, true}, solve(10.0 / std::pow(3600.0 * 0.1, 2))},
    };
    for (const auto& c : cases) {
        const ModelTable t = fanTable(c.series, c.outlet);
        const auto q = FanFlowAtExternalPressure(30, 1, 1, c.withAccessory, c.conditions, t);
        ASSERT_TRUE(q) << c.what;
        // 0.01 Pa on a curve falling about 0.06 Pa per m³/h: within 0.2 m³/h.
        EXPECT_NEAR(*q, c.flow, 0.2) << c.what;
    }
    const ModelTable t = fanTable("MRZ", "");
    EXPECT_FALSE(FanFlowAtExternalPressure(80, 1, 1, 0, {}, t)); // above the curve
}

TEST(Fan, AccessoryDrops)
{
    const ModelTable t = fanTable("MRZ", "");
    // 0.2 m³/s through 0.1 m²: 2 m/s, 20·2² = 80 Pa.
    EXPECT_NEAR(AccessoryDropMrz(100, 1, 0.2, t), 20.0, 1e-4);
    EXPECT_NEAR(AccessoryDropHjq(100, 1, 0.2, {true, true}, t), 60.0, 1e-4);
    EXPECT_EQ(AccessoryDropHjq(100, 1, 0.2, {true, false}, t), 100.0);

    ModelTable noSection = t;
    noSection.Sezione[1] = 0;
    try {
        AccessoryDropMrz(100, 1, 0.2, noSection);
        FAIL() << "no error";
    } catch (const ArithmeticError& e) {
        EXPECT_EQ(e.number(), kDivisionByZero);
    }
}

TEST(TextToNumberTest, NegativesAndEmptyBecomeZero)
{
    const struct {
        std::string text;
        float value;
        std::string textAfter;
    } cases[] = {
        {"-5", 0, "0"},
        {"", 0, "0"},
        {" 12", 0, "0"},
        {"+3", 0, "0"},
        {".5", 0, "0"},
        {"12.5", 12.5f, "12.5"},
        {"12,5", 12.5f, "12,5"},
        {"0", 0, "0"},
        {"7", 7, "7"},
        {"abc", 0, "abc"}, // not a number: 0, the text is left alone
        {"12x", 0, "12x"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(TextToNumber(text), c.value) << c.text;
        EXPECT_EQ(text, c.textAfter) << c.text;
    }
}
