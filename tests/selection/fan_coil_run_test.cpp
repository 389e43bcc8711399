// The run over a fan coil line: the sample line with one field changed, for the errors of
// one model (error 5 skips it, any other ends the run), the geometry without a cooling law,
// the free-blow test at the static pressure and the coefficients of each speed.
#include "engine/arithmetic.h"
#include "selection/selection_run.h"

#include "sample_lines.h"

#include <gtest/gtest.h>

#include <functional>

namespace tarvello {
namespace {

using testing::listedNames;
using Names = std::vector<std::string>;
using TableChange = std::function<void(ModelTable&)>;
using ConstantsChange = std::function<void(CoilConstants&)>;

const TableChange kUnchanged = [](ModelTable&) {};

// Rates the sample line with `change` applied at the design conditions of `mode`.
RunResult rate(const TableChange& change, int mode = ModeCooling, float pressure = 0, int speed = 3,
               const ConstantsChange& changeConstants = {}, int* skips = nullptr)
{
    ModelTable table = testing::sampleFanCoilLine();
    change(table);
    CoilConstants constants = testing::constantsOf(LineKX);
    if (changeConstants)
        changeConstants(constants);
    RunRequest request = testing::designRequest(LineKX, mode, speed);
    request.staticPressure = pressure;
    return runSelection(request, table, constants, [skips] {
        if (skips)
            ++*skips;
    });
}

TEST(FanCoilRun, ErrorFiveInOneModelSkipsOnlyThatModel)
{
    // A negative coil length has no air-side law (a fractional power of a negative number).
    int skips = 0;
    const RunResult result = rate([](ModelTable& t) { t.LunBat[2] = -700; }, ModeCooling, 0, 3, {}, &skips);
    EXPECT_EQ(listedNames(result), (Names{"KXA 20", "KXE 40", "KXH 50", "KXH 60+4P"}));
    ASSERT_EQ(result.models.size(), 6u);
    EXPECT_EQ(result.models[1].reason, NotListedReason::NoOperatingPoint);
    EXPECT_FALSE(result.failure);
    EXPECT_GE(skips, 1) << "a skipped model lets the windows paint";
}

TEST(FanCoilRun, AnyOtherErrorEndsTheRunAfterTheModelsBefore)
{
    const RunResult result = rate([](ModelTable& t) { t.NC[3] = 0; }); // no circuits: a division by zero
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->number, kDivisionByZero);
    EXPECT_EQ(result.failure->model, 3);
    EXPECT_EQ(listedNames(result), (Names{"KXA 20", "KXA 30"}));
    EXPECT_EQ(result.models.size(), 2u) << "nothing after the failing model";
}

TEST(FanCoilRun, GeometryWithoutACoolingLawIsRatedInHeatingOnly)
{
    const auto noCoolingLaw = [](CoilConstants& k) { k.AirExpBase[1] = 0; };
    const RunResult cooling = rate(kUnchanged, ModeCooling, 0, 3, noCoolingLaw);
    EXPECT_EQ(listedNames(cooling), (Names{"KXE 40", "KXH 50", "KXH 60+4P"}))
        << "the geometry-1 models KXA 20 and KXA 30 are left out";
    EXPECT_EQ(cooling.models[0].reason, NotListedReason::NoCoolingLaw);
    EXPECT_EQ(cooling.models[1].reason, NotListedReason::NoCoolingLaw);
    EXPECT_EQ(listedNames(rate(kUnchanged, ModeHeating, 0, 3, noCoolingLaw)),
              (Names{"KXA 20", "KXA 30", "KXE 40", "KXH 50"}));
}

TEST(FanCoilRun, AGeometryOrFinPitchCodeWithoutTableEntryEndsTheRun)
{
    struct Case {
        const char* what;
        TableChange change;
    };
    const Case cases[] = {
        {"geometry 9", [](ModelTable& t) { t.Geom[1] = 9; }},
        {"geometry -1", [](ModelTable& t) { t.Geom[1] = -1; }},
        {"fin pitch 8", [](ModelTable& t) { t.Passo[1] = 8; }},
        {"fin pitch -1", [](ModelTable& t) { t.Passo[1] = -1; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult result = rate(c.change);
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->number, kSubscriptOutOfRange);
        EXPECT_EQ(result.failure->model, 1);
        EXPECT_TRUE(result.models.empty());
    }
}

bool lists(const RunResult& result, const std::string& name)
{
    const Names names = listedNames(result);
    return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(FanCoilRun, FreeBlowShareDecidesAtTheStaticPressure)
{
    EXPECT_EQ(rate(kUnchanged, ModeCooling, 0).listedCount(), 5) << "0 Pa keeps every model whose fan gives a flow";
    // KXA 20 at speed 3 gives about 101 m³/h at 45 Pa. With a speed-1 curve of 200 Pa at
    // no flow, its free blow is about 639 m³/h, a sixth of it 106.5 m³/h: left out.
    const TableChange strongSpeed1 = [](ModelTable& t) { t.VelC[1][1] = 200; };
    EXPECT_TRUE(lists(rate(kUnchanged, ModeCooling, 45), "KXA 20")) << "a sixth of 260 m³/h is 43 m³/h";
    const RunResult weak = rate(strongSpeed1, ModeCooling, 45);
    EXPECT_FALSE(lists(weak, "KXA 20"));
    EXPECT_EQ(weak.models[0].reason, NotListedReason::FreeBlow);
    EXPECT_TRUE(lists(rate(strongSpeed1, ModeCooling, 0), "KXA 20")) << "about 430 m³/h at 0 Pa";
    // A fan curve that never reaches the pressure gives no flow: the model is left out.
    const RunResult none = rate([](ModelTable& t) { t.VelC[1][3] = -10; }, ModeCooling, 0);
    EXPECT_FALSE(lists(none, "KXA 20"));
    EXPECT_EQ(none.models[0].reason, NotListedReason::FreeBlow);
    EXPECT_EQ(none.models[0].air.airFlow, 0.0f);
}

// Zeroes the coefficient of `model` a run at `speed` in `mode` reads: the air coefficient
// (F1C30/FC30, F2C30, F3C30 in cooling; C1C30/CC30, C2C30, C3C30 in heating).
TableChange zeroAirCoefficient(int mode, int speed, int model)
{
    return [=](ModelTable& t) {
        if (mode == ModeCooling)
            (speed == 1 ? t.FC30 : speed == 2 ? t.F2C30 : t.F3C30)[size_t(model)] = 0;
        else
            (speed == 1 ? t.CC30 : speed == 2 ? t.C2C30 : t.C3C30)[size_t(model)] = 0;
    };
}

TEST(FanCoilRun, EachSpeedReadsItsOwnCoefficients)
{
    // A zero air coefficient of the run's speed leaves the coil without air film (an error
    // of the run); zeros of the other speeds change nothing.
    for (int mode : {ModeCooling, ModeHeating}) {
        for (int speed = 1; speed <= 3; ++speed) {
            const RunResult unchanged = rate(kUnchanged, mode, 0, speed);
            ASSERT_FALSE(unchanged.failure);
            for (int zeroed = 1; zeroed <= 3; ++zeroed) {
                SCOPED_TRACE("mode " + std::to_string(mode) + " run at speed " + std::to_string(speed) +
                             ", speed " + std::to_string(zeroed) + " zeroed");
                const RunResult changed = rate(zeroAirCoefficient(mode, zeroed, 1), mode, 0, speed);
                if (zeroed == speed) {
                    ASSERT_TRUE(changed.failure);
                    EXPECT_EQ(changed.failure->number, kDivisionByZero);
                    EXPECT_EQ(changed.failure->model, 1);
                } else {
                    ASSERT_FALSE(changed.failure);
                    ASSERT_EQ(changed.listedCount(), unchanged.listedCount());
                    EXPECT_EQ(changed.models[0].rating.Capacity, unchanged.models[0].rating.Capacity);
                }
            }
        }
    }
}

TEST(FanCoilRun, TheBypassCoefficientOfTheSpeedScalesTheBypassFactor)
{
    // Cooling reads F1C100/C100, F2C100 and F3C100 by speed: no bypass, the air leaves the
    // coil colder (more sensible capacity, the same total); the other speeds' change nothing.
    const auto bypass = [](int speed) {
        return [speed](ModelTable& t) { (speed == 1 ? t.C100 : speed == 2 ? t.F2C100 : t.F3C100)[1] = 0; };
    };
    for (int speed = 1; speed <= 3; ++speed) {
        const RatingResult unchanged = rate(kUnchanged, ModeCooling, 0, speed).models[0].rating;
        for (int zeroed = 1; zeroed <= 3; ++zeroed) {
            SCOPED_TRACE("run at speed " + std::to_string(speed) + ", speed " + std::to_string(zeroed) + " zeroed");
            const RunResult changed = rate(bypass(zeroed), ModeCooling, 0, speed);
            ASSERT_FALSE(changed.failure);
            ASSERT_TRUE(changed.models[0].listed());
            const RatingResult& r = changed.models[0].rating;
            EXPECT_EQ(r.Capacity, unchanged.Capacity);
            if (zeroed == speed) {
                EXPECT_LT(r.AirOut, unchanged.AirOut);
                EXPECT_GT(r.SensibleCapacity, unchanged.SensibleCapacity);
            } else {
                EXPECT_EQ(r.AirOut, unchanged.AirOut);
                EXPECT_EQ(r.SensibleCapacity, unchanged.SensibleCapacity);
            }
        }
    }
}

TEST(FanCoilRun, CapacityGrowsWithTheSpeed)
{
    for (int mode : {ModeCooling, ModeHeating}) {
        SCOPED_TRACE(mode);
        const RunResult low = rate(kUnchanged, mode, 0, 1);
        const RunResult medium = rate(kUnchanged, mode, 0, 2);
        const RunResult high = rate(kUnchanged, mode, 0, 3);
        for (size_t i = 0; i < low.models.size(); ++i) {
            if (!low.models[i].listed())
                continue;
            SCOPED_TRACE(low.models[i].name);
            EXPECT_LT(low.models[i].rating.Capacity, medium.models[i].rating.Capacity);
            EXPECT_LT(medium.models[i].rating.Capacity, high.models[i].rating.Capacity);
            EXPECT_LT(low.models[i].rating.AirFlow, high.models[i].rating.AirFlow);
            EXPECT_EQ(high.models[i].soundPower, testing::sampleFanCoilLine().LWA[i + 1][3]);
            EXPECT_EQ(low.models[i].soundPressure, testing::sampleFanCoilLine().LPA[i + 1][1]);
        }
    }
}

} // namespace
} // namespace tarvello
