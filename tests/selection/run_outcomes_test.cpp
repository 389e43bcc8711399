// What a run gives for every model: each reason a model is not listed, reached on the
// hand-made lines, with the figures behind it; every model once and in table order; the
// failure that ends a run with the models before it kept.
#include "engine/arithmetic.h"
#include "selection/selection_run.h"

#include "outcome_text.h"
#include "sample_lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace tarvello {
namespace {

using testing::kSecondsPerHour;
constexpr auto reasonName = testing::outcomeName;

// A ducted hand-made line of three models: a plain unit, a heating-only one and a 4-pipe coil.
ModelTable ductedSampleLine(ProductLine line)
{
    ModelTable t = testing::handMadeDuctedLine(line);
    testing::addDuctedModel(t, "KXR A");
    testing::addDuctedModel(t, "KXR A DF");
    testing::addDuctedModel(t, "KXR A 4P");
    return t;
}

// One run that leaves model `model` out (or lists it) and what is checked of its figures.
struct ReasonCase {
    const char* what;
    std::function<ModelTable()> table;
    std::function<RunRequest()> request;
    int model;
    std::optional<NotListedReason> reason;
    std::function<void(CoilConstants&)> changeConstants = {};
    std::function<void(const ModelOutcome&)> figures = {};
};

RunRequest fanCoils(int mode, float pressure = 0, bool fourPipe = false)
{
    RunRequest r = testing::designRequest(LineKX, mode, 3);
    r.staticPressure = pressure;
    r.fourPipe = fourPipe;
    return r;
}

ModelTable sampleWith(const std::function<void(ModelTable&)>& change)
{
    ModelTable t = testing::sampleFanCoilLine();
    change(t);
    return t;
}

// Flow in m³/h where -a·Q² + b·Q + c reaches `pressure` (the positive root).
double quadraticFlow(double a, double b, double c, double pressure)
{
    return (-b - std::sqrt(b * b - 4 * a * (c - pressure))) / (2 * a);
}

// The capacity KXA 20 reaches in cooling at speed 3 with no band.
float kxa20CoolingCapacity()
{
    const RunResult result = runSelection(fanCoils(ModeCooling), testing::sampleFanCoilLine(), testing::constantsOf(LineKX));
    return result.models.at(0).rating.Capacity;
}

std::vector<ReasonCase> reasonCases()
{
    const auto sample = [] { return testing::sampleFanCoilLine(); };
    const auto mrz = [] { return ductedSampleLine(LineMRZ); };
    const auto hjq = [] { return ductedSampleLine(LineHJQ); };
    return {
        {"a fan coil at the design conditions", sample, [] { return fanCoils(ModeCooling); }, 1, std::nullopt, {},
         [](const ModelOutcome& m) {
             EXPECT_GT(m.rating.Capacity, 1000);
             EXPECT_EQ(m.soundPower, 50.0f);
             EXPECT_EQ(m.soundPressure, 41.0f);
         }},
        {"the 4-pipe heating coil in cooling", sample, [] { return fanCoils(ModeCooling); }, 6,
         NotListedReason::OtherMode},
        {"the main coil of a 4-pipe unit in heating", sample, [] { return fanCoils(ModeHeating); }, 5,
         NotListedReason::OtherMode},
        {"the 4-pipe heating coil without the 4-pipe box", sample, [] { return fanCoils(ModeHeating); }, 6,
         NotListedReason::FourPipeChoice},
        {"a 2-pipe unit with the 4-pipe box", sample, [] { return fanCoils(ModeHeating, 0, true); }, 1,
         NotListedReason::FourPipeChoice},
        {"the 4-pipe heating coil with the box", sample, [] { return fanCoils(ModeHeating, 0, true); }, 6,
         std::nullopt},
        {"a heating-only ducted unit in cooling", mrz, [] { return testing::ductedAtPressure(LineMRZ, 50, 3); }, 2,
         NotListedReason::HeatingOnly},
        {"a heating-only ducted unit in heating", mrz,
         [] { return testing::ductedAtPressure(LineMRZ, 50, 3, ModeHeating); }, 2, std::nullopt},
        {"the ducted 4-pipe coil without the box", hjq,
         [] { return testing::ductedAtPressure(LineHJQ, 50, 3, ModeHeating); }, 3, NotListedReason::FourPipeChoice},
        {"a fan coil below a sixth of its free blow",
         [] { return sampleWith([](ModelTable& t) { t.VelC[1][1] = 200; }); }, [] { return fanCoils(ModeCooling, 45); },
         1, NotListedReason::FreeBlow, {},
         [](const ModelOutcome& m) {
             // Speed 3 at 45 Pa against speed 1 at 0 Pa (the changed curve).
             EXPECT_NEAR(m.air.airFlow * kSecondsPerHour, quadraticFlow(-0.0002953, 0.02, 46, 45), 0.05);
             EXPECT_NEAR(m.air.referenceFlow * kSecondsPerHour, quadraticFlow(-0.0005207, 0.02, 200, 0), 0.05);
             EXPECT_LE(m.air.airFlow, m.air.referenceFlow / 6);
         }},
        {"a ducted unit at a quarter of its free delivery or less", mrz,
         [] { return testing::ductedAtPressure(LineMRZ, 115, 1); }, 1, NotListedReason::QuarterFreeDelivery, {},
         [](const ModelOutcome& m) {
             // The search stops within 0.01 Pa, about 0.2 m³/h on this flat part of the curve.
             EXPECT_NEAR(m.air.airFlow * kSecondsPerHour, std::sqrt(5 / testing::mrzSlope()), 0.3);
             EXPECT_NEAR(m.air.referenceFlow * kSecondsPerHour, std::sqrt(120 / testing::kFanSlope), 0.05);
             EXPECT_LE(m.air.airFlow, m.air.referenceFlow / 4);
         }},
        {"a ducted unit asked for more air than its fan gives", mrz,
         [] { return testing::ductedAtAirFlow(LineMRZ, 1500, 3); }, 1, NotListedReason::NegativePressure, {},
         [](const ModelOutcome& m) {
             EXPECT_NEAR(m.air.airFlow * kSecondsPerHour, 1500, 0.01);
             EXPECT_NEAR(m.air.availablePressure, 200 - testing::mrzSlope() * 1500 * 1500, 0.01);
             EXPECT_FALSE(m.air.pressureCapped);
         }},
        {"a geometry without a cooling law", sample, [] { return fanCoils(ModeCooling); }, 2,
         NotListedReason::NoCoolingLaw, [](CoilConstants& k) { k.AirExpBase[1] = 0; }},
        {"a capacity above the band", sample,
         [] {
             RunRequest r = fanCoils(ModeCooling);
             r.band = {0, 1000};
             return r;
         },
         1, NotListedReason::OutsideCapacityBand, {},
         [](const ModelOutcome& m) { EXPECT_EQ(m.capacity, kxa20CoolingCapacity()) << "the capacity it reached"; }},
        {"a capacity below the band", sample,
         [] {
             RunRequest r = fanCoils(ModeCooling);
             r.band = {kxa20CoolingCapacity() + 10, kNoCapacityLimit_W};
             return r;
         },
         1, NotListedReason::OutsideCapacityBand, {},
         [](const ModelOutcome& m) { EXPECT_EQ(m.capacity, kxa20CoolingCapacity()); }},
        {"a capacity inside a narrow band", sample,
         [] {
             // The band is compared with the capacity before its rounding to tens of watts.
             RunRequest r = fanCoils(ModeCooling);
             r.band = {kxa20CoolingCapacity() - 5, kxa20CoolingCapacity() + 5};
             return r;
         },
         1, std::nullopt},
        {"a fan coil without an operating point",
         [] { return sampleWith([](ModelTable& t) { t.LunBat[2] = -700; }); }, [] { return fanCoils(ModeCooling); }, 2,
         NotListedReason::NoOperatingPoint},
        {"a fan coil with a sound power out of range (damaged data)",
         [] { return sampleWith([](ModelTable& t) { t.LWA[3][3] = 200; }); }, [] { return fanCoils(ModeCooling); }, 3,
         NotListedReason::ImplausibleResult, {},
         [](const ModelOutcome& m) {
             EXPECT_EQ(m.implausibleColumn, ColumnId::SoundPower);
             EXPECT_GT(m.rating.Capacity, 0) << "rated before it was found out of range";
         }},
        {"a ducted unit with a negative sound power (damaged data)",
         [] {
             ModelTable t = ductedSampleLine(LineMRZ);
             t.LWA[1][3] = -1;
             return t;
         },
         [] { return testing::ductedAtPressure(LineMRZ, 50, 3); }, 1, NotListedReason::ImplausibleResult, {},
         [](const ModelOutcome& m) { EXPECT_EQ(m.implausibleColumn, ColumnId::SoundPower); }},
        {"a fan coil with a sound pressure out of range (damaged data)",
         [] { return sampleWith([](ModelTable& t) { t.LPA[1][3] = std::numeric_limits<float>::quiet_NaN(); }); },
         [] { return fanCoils(ModeCooling); }, 1, NotListedReason::ImplausibleResult, {},
         [](const ModelOutcome& m) { EXPECT_EQ(m.implausibleColumn, ColumnId::SoundPressure); }},
        {"a ducted unit without an operating point",
         [] {
             ModelTable t = ductedSampleLine(LineMRZ);
             t.Espo[2] = 1.8f;
             t.Bocche[1] = -testing::kOutlets;
             return t;
         },
         [] { return testing::ductedAtPressure(LineMRZ, 50, 3); }, 1, NotListedReason::NoOperatingPoint},
    };
}

TEST(RunOutcomes, EveryReasonAModelIsNotListedWithItsFigures)
{
    for (const ReasonCase& c : reasonCases()) {
        SCOPED_TRACE(c.what);
        const ModelTable table = c.table();
        CoilConstants constants = testing::constantsOf(table.line);
        if (c.changeConstants)
            c.changeConstants(constants);
        const RunResult result = runSelection(c.request(), table, constants);
        ASSERT_FALSE(result.failure) << "error " << result.failure->number;
        ASSERT_GE(int(result.models.size()), c.model);
        const ModelOutcome& outcome = result.models[size_t(c.model - 1)];
        EXPECT_EQ(outcome.model, c.model);
        EXPECT_EQ(outcome.name, table.Modello[c.model]);
        EXPECT_STREQ(reasonName(outcome.reason), reasonName(c.reason));
        EXPECT_EQ(outcome.listed(), !c.reason);
        if (c.reason != NotListedReason::ImplausibleResult) {
            EXPECT_FALSE(outcome.implausibleColumn);
        }
        if (c.figures)
            c.figures(outcome);
    }
}

TEST(RunOutcomes, EveryReasonIsReached)
{
    std::vector<bool> reached(size_t(NotListedReason::ImplausibleResult) + 1, false);
    for (const ReasonCase& c : reasonCases())
        if (c.reason)
            reached[size_t(*c.reason)] = true;
    for (size_t reason = 0; reason < reached.size(); ++reason)
        EXPECT_TRUE(reached[reason]) << reasonName(NotListedReason(reason)) << " has no case";
}

// A run and the line it rates.
struct RunCase {
    const char* what;
    ModelTable table;
    RunRequest request;
};

std::vector<RunCase> runCases()
{
    const ModelTable sample = testing::sampleFanCoilLine();
    RunRequest banded = fanCoils(ModeCooling);
    banded.band = {2000, 4000};
    RunRequest waterFlow = fanCoils(ModeHeating);
    waterFlow.leavingWaterGiven = false;
    waterFlow.waterFlow = 0.0002;
    return {
        {"fan coils, cooling", sample, fanCoils(ModeCooling)},
        {"fan coils, cooling at 45 Pa", sample, fanCoils(ModeCooling, 45)},
        {"fan coils, cooling with a band", sample, banded},
        {"fan coils, heating", sample, fanCoils(ModeHeating)},
        {"fan coils, heating with the 4-pipe box", sample, fanCoils(ModeHeating, 0, true)},
        {"fan coils, heating with the water flow given", sample, waterFlow},
        {"KXR, cooling", ductedSampleLine(LineMRZ), testing::ductedAtPressure(LineMRZ, 50, 3)},
        {"KXR, heating, air flow given", ductedSampleLine(LineMRZ),
         testing::ductedAtAirFlow(LineMRZ, 1000, 2, ModeHeating)},
        {"KXN, heating with the box at speed 7", ductedSampleLine(LineHJQ),
         testing::ductedAtPressure(LineHJQ, 50, 7, ModeHeating, true)},
    };
}

TEST(RunOutcomes, EveryModelOnceInTableOrder)
{
    for (const RunCase& c : runCases()) {
        SCOPED_TRACE(c.what);
        const RunResult result = runSelection(c.request, c.table, testing::constantsOf(c.table.line));
        EXPECT_FALSE(result.failure);
        ASSERT_EQ(int(result.models.size()), c.table.NumModels);
        int listed = 0;
        for (int m = 1; m <= c.table.NumModels; ++m) {
            const ModelOutcome& outcome = result.models[size_t(m - 1)];
            EXPECT_EQ(outcome.model, m);
            EXPECT_EQ(outcome.name, c.table.Modello[m]);
            if (outcome.listed()) {
                ++listed;
                EXPECT_GT(outcome.rating.Capacity, 0) << outcome.name;
                EXPECT_TRUE(c.request.band.contains(outcome.rating.Capacity)) << outcome.name;
            }
        }
        EXPECT_EQ(result.listedCount(), listed);
        ASSERT_EQ(result.listed().size(), size_t(listed));
        for (size_t i = 1; i < result.listed().size(); ++i)
            EXPECT_LT(result.listed()[i - 1]->model, result.listed()[i]->model);
    }
}

bool sameOutcome(const ModelOutcome& a, const ModelOutcome& b)
{
    const RatingResult &x = a.rating, &y = b.rating;
    return a.model == b.model && a.reason == b.reason && a.capacity == b.capacity && a.air.airFlow == b.air.airFlow &&
           a.air.availablePressure == b.air.availablePressure && x.Capacity == y.Capacity &&
           x.SensibleCapacity == y.SensibleCapacity && x.WaterFlow == y.WaterFlow && x.WaterOut == y.WaterOut &&
           x.WaterPressureDrop == y.WaterPressureDrop && x.Reynolds == y.Reynolds && x.AirFlow == y.AirFlow &&
           x.AirOut == y.AirOut && x.DryCoil == y.DryCoil;
}

TEST(RunOutcomes, ARunDoesNotDependOnWhatTheWorkingRecordHeldBefore)
{
    // The windows rate in the program's one working record: every run of the table, made
    // after all the others in the same record, gives what it gives in a fresh one.
    const std::vector<RunCase> cases = runCases();
    CoilState shared;
    for (const RunCase& c : cases)
        rateModels(c.request, c.table, testing::constantsOf(c.table.line), shared);
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.what);
        const CoilConstants constants = testing::constantsOf(c.table.line);
        const RunResult fresh = runSelection(c.request, c.table, constants);
        const RunResult reused = rateModels(c.request, c.table, constants, shared);
        ASSERT_EQ(reused.models.size(), fresh.models.size());
        for (size_t i = 0; i < fresh.models.size(); ++i)
            EXPECT_TRUE(sameOutcome(reused.models[i], fresh.models[i])) << fresh.models[i].name;
    }
}

TEST(RunOutcomes, AFailureKeepsTheModelsBeforeIt)
{
    struct Case {
        const char* what;
        int broken;
        std::function<void(ModelTable&, int)> breakModel;
        int number;
    };
    const Case cases[] = {
        {"no circuits in the first model", 1, [](ModelTable& t, int m) { t.NC[m] = 0; }, kDivisionByZero},
        {"no circuits in the fourth model", 4, [](ModelTable& t, int m) { t.NC[m] = 0; }, kDivisionByZero},
        {"a geometry code without table entry", 2, [](ModelTable& t, int m) { t.Geom[m] = 4; },
         kSubscriptOutOfRange},
        {"a fan curve that is no number", 3,
         [](ModelTable& t, int m) { t.VelC[m][3] = std::numeric_limits<float>::quiet_NaN(); }, kOverflow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModelTable t = testing::sampleFanCoilLine();
        c.breakModel(t, c.broken);
        const RunResult result = runSelection(fanCoils(ModeCooling), t, testing::constantsOf(LineKX));
        ASSERT_TRUE(result.failure);
        EXPECT_EQ(result.failure->number, c.number);
        EXPECT_EQ(result.failure->model, c.broken);
        ASSERT_EQ(int(result.models.size()), c.broken - 1);
        for (int m = 1; m < c.broken; ++m)
            EXPECT_EQ(result.models[size_t(m - 1)].name, t.Modello[m]);
    }
}

TEST(RunOutcomes, ASpeedTheLineDoesNotHaveEndsTheRunBeforeAnyModel)
{
    struct Case {
        int line;
        int speed;
        bool runs;
    };
    const Case cases[] = {{LineKX, 0, false},  {LineKX, 1, true},  {LineKX, 3, true},  {LineKX, 4, false},
                          {LineMRZ, 3, true},  {LineMRZ, 4, false}, {LineHJQ, 7, true}, {LineHJQ, 8, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line) + " speed " + std::to_string(c.speed));
        const ModelTable t = c.line == LineKX ? testing::sampleFanCoilLine() : ductedSampleLine(ProductLine(c.line));
        RunRequest r = c.line == LineKX ? fanCoils(ModeCooling) : testing::ductedAtPressure(c.line, 50, 3);
        r.speed = c.speed;
        const RunResult result = runSelection(r, t, testing::constantsOf(c.line));
        EXPECT_EQ(result.failure.has_value(), !c.runs);
        if (c.runs) {
            EXPECT_EQ(int(result.models.size()), t.NumModels);
        } else {
            EXPECT_EQ(result.failure->number, kSubscriptOutOfRange);
            EXPECT_EQ(result.failure->model, 0);
            EXPECT_TRUE(result.models.empty());
        }
    }
}

} // namespace
} // namespace tarvello
