// The calibration tool's standard runs: the catalogue conditions as run requests, a run
// ended by an error stops the tools with the model and the error number, a model rated
// alone (the calibration's probes) sees what the whole run shows, and the catalogue rates
// each model's heating on its own water.

#include "tests/data/shipped_range.h"

#include "selection/selection_run.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello::datatest {
namespace {

using catalogue::HeatingWater;

struct RequestCase {
    const char* what;
    RunRequest request;
    int mode;
    float airIn, waterIn, waterOut, pressure;
    bool fourPipe;
};

TEST(StandardRuns, RequestsCarryTheCatalogueConditions)
{
    const RequestCase cases[] = {
        {"fan coil cooling", catalogue::standardCooling(LineKX, 2), ModeCooling, 27, 7, 12, 0, false},
        {"ducted cooling", catalogue::standardCooling(LineHJQ, 7), ModeCooling, 27, 7, 12, 50, false},
        {"fan coil heating", catalogue::standardHeating(LineKX, 1, HeatingWater::LowTemperature, false),
         ModeHeating, 20, 45, 40, 0, false},
        {"ducted heating coil", catalogue::standardHeating(LineMRZ, 3, HeatingWater::HighTemperature, true),
         ModeHeating, 20, 70, 60, 50, true},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.request.mode, c.mode);
        EXPECT_EQ(c.request.air.dryBulb, c.airIn);
        EXPECT_EQ(c.request.waterIn, c.waterIn);
        EXPECT_TRUE(c.request.leavingWaterGiven);
        EXPECT_EQ(c.request.waterOut, c.waterOut);
        EXPECT_EQ(c.request.staticPressure, c.pressure);
        EXPECT_EQ(c.request.fourPipe, c.fourPipe);
        EXPECT_FALSE(c.request.airFlowGiven());
        if (c.mode == ModeCooling) {
            EXPECT_NEAR(c.request.air.wetBulb, 19, 0.05) << "27/19 °C air";
        }
    }
}

struct FailureCase {
    const char* what;
    int speed;
    int damagedModel; // 0: none
    int number;
    const char* named;
};

// A model whose coil geometry has no table entry, or a speed the line does not have,
// ends the run; the tools stop and say where.
TEST(StandardRuns, ARunEndedByAnErrorNamesTheModelAndTheError)
{
    const FailureCase cases[] = {
        {"geometry code outside the table", 2, 3, kSubscriptOutOfRange, nullptr},
        {"a speed the line does not have", 4, 0, kSubscriptOutOfRange, "line 0 (DatiKORVE)"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        ModelTable t = shippedLines()[LineKX];
        if (c.damagedModel)
            t.Geom[c.damagedModel] = 9;
        const std::string named = c.named ? c.named : "model " + t.Modello[c.damagedModel];
        try {
            catalogue::runLine(catalogue::standardCooling(LineKX, c.speed), t, catalogue::constantsOf(LineKX));
            ADD_FAILURE() << "the run did not fail";
        } catch (const catalogue::RunFailureError& error) {
            EXPECT_EQ(error.number(), c.number);
            EXPECT_NE(std::string(error.what()).find(named), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("run-time error " + std::to_string(c.number)), std::string::npos)
                << error.what();
            EXPECT_NE(std::string(error.what()).find("cooling at speed " + std::to_string(c.speed)), std::string::npos)
                << error.what();
        }
    }
}

TEST(StandardRuns, AModelRatedAloneStopsOnAnErrorToo)
{
    ModelTable t = shippedLines()[LineKX];
    t.Passo[1] = 8;
    EXPECT_THROW(catalogue::rateAlone(catalogue::standardCooling(LineKX, 1), t, catalogue::constantsOf(LineKX), 1),
                 catalogue::RunFailureError);
}

// The calibration rates one model at a time with a working record of its own; the program
// rates the whole line with one record. At the catalogue conditions both give the same.
TEST(StandardRuns, AModelRatedAloneGetsWhatTheWholeRunShows)
{
    int compared = 0;
    for (const ModelTable& t : shippedLines()) {
        const CoilConstants k = catalogue::constantsOf(t.line);
        for (int s = 1; s <= speedCountOf(t.line); ++s)
            for (const RunRequest& request : {catalogue::standardCooling(t.line, s),
                                              catalogue::standardHeating(t.line, s, HeatingWater::LowTemperature, false),
                                              catalogue::standardHeating(t.line, s, HeatingWater::HighTemperature, true)}) {
                const RunResult run = catalogue::runLine(request, t, k);
                for (int m = 1; m <= t.NumModels; ++m) {
                    const ModelOutcome& inRun = catalogue::outcomeOf(run, m);
                    const ModelOutcome alone = catalogue::rateAlone(request, t, k, m);
                    const std::string what = where(t, m, s) + ", " + catalogue::describe(request);
                    ASSERT_EQ(alone.reason, inRun.reason) << what;
                    EXPECT_EQ(alone.rating.Capacity, inRun.rating.Capacity) << what;
                    EXPECT_EQ(alone.rating.WaterFlow, inRun.rating.WaterFlow) << what;
                    EXPECT_EQ(alone.rating.WaterPressureDrop, inRun.rating.WaterPressureDrop) << what;
                    compared += inRun.listed();
                }
            }
    }
    EXPECT_GT(compared, 300);
}

// The heating coils of the four-pipe units are catalogued on 70/60 °C water with the box,
// every other model on 45/40 °C.
TEST(StandardRuns, TheCatalogueHeatsEachModelOnItsOwnWater)
{
    for (const ModelTable& t : shippedLines()) {
        const catalogue::CatalogueRuns runs(t);
        ASSERT_EQ(runs.speeds(), speedCountOf(t.line));
        for (int m = 1; m <= t.NumModels; ++m) {
            const ModelOutcome& heating = runs.heating(m, runs.speeds());
            if (!hasHeating(t.Modello[m])) {
                EXPECT_FALSE(heating.listed()) << t.Modello[m];
                continue;
            }
            ASSERT_TRUE(heating.listed()) << t.Modello[m] << ": " << catalogue::outcomeName(heating.reason);
            const float waterOut = catalogue::isFourPipeHeatingCoil(t.Modello[m]) ? 60.0f : 40.0f;
            EXPECT_EQ(heating.rating.WaterOut, waterOut) << t.Modello[m];
            EXPECT_EQ(runs.cooling(m, 1).listed(), hasCooling(t.Modello[m])) << t.Modello[m];
        }
    }
}

} // namespace
} // namespace tarvello::datatest
