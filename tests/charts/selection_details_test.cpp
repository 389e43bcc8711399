// The details of every listed model of a table of runs agree with its grid row (the values
// the result columns show) and close the energy balance: total = sensible + latent within
// the rounding to tens of watts, the condensate is the air mass flow times the drop of
// humidity ratio and carries the latent capacity at the latent heat of water.

#include "charts/selection_details.h"
#include "engine/psychrometrics.h"
#include "selection/result_columns.h"
#include "tests/charts/chart_runs.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using testing::ChartRun;

constexpr double kRounding_W = 10.0;        // capacities are rounded to tens of watts
constexpr double kLatentHeat_kJkg = 2501.0; // at 0 °C, the engine's enthalpy

class DetailsOfARun : public ::testing::TestWithParam<ChartRun> {};

double columnValue(const std::vector<ResultColumn>& columns, ColumnId id, const ModelOutcome& m)
{
    for (const ResultColumn& c : columns)
        if (c.id == id)
            return c.value(m);
    ADD_FAILURE() << "no column " << int(id);
    return 0;
}

TEST_P(DetailsOfARun, AgreeWithTheGridRow)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty()) << "the run must list a model to be worth looking at";
    const bool ducted = productLine(run.table.line).ducted();
    const auto columns = resultColumns({run.request.mode, ducted, !run.request.leavingWaterGiven,
                                        ducted && run.request.airFlowGiven()});
    for (const ModelOutcome* m : result.listed()) {
        SCOPED_TRACE(m->name);
        const SelectionDetails d = selectionDetails(run.request, *m, run.table);
        EXPECT_EQ(d.model, m->name);
        if (run.request.cooling()) {
            EXPECT_EQ(d.totalCapacity, columnValue(columns, ColumnId::TotalCapacity, *m));
            EXPECT_EQ(d.sensibleCapacity, columnValue(columns, ColumnId::SensibleCapacity, *m));
        } else {
            EXPECT_EQ(d.totalCapacity, columnValue(columns, ColumnId::HeatingCapacity, *m));
        }
        if (run.request.leavingWaterGiven) {
            EXPECT_EQ(d.waterFlow, columnValue(columns, ColumnId::WaterFlow, *m));
            EXPECT_FLOAT_EQ(float(d.waterOut), run.request.waterOut);
        } else {
            EXPECT_FLOAT_EQ(float(d.waterOut), float(columnValue(columns, ColumnId::LeavingWater, *m)));
            EXPECT_EQ(d.waterFlow, run.request.waterFlow);
        }
        EXPECT_FLOAT_EQ(float(d.waterPressureDrop), float(columnValue(columns, ColumnId::WaterPressureDrop, *m)));
        EXPECT_FLOAT_EQ(float(d.leaving.dryBulb), float(columnValue(columns, ColumnId::LeavingAir, *m)));
        if (ducted && run.request.airFlowGiven()) {
            EXPECT_FLOAT_EQ(float(d.staticPressure), float(columnValue(columns, ColumnId::AvailablePressure, *m)));
        } else {
            EXPECT_FLOAT_EQ(float(d.airFlow), float(columnValue(columns, ColumnId::AirFlow, *m)));
        }
        EXPECT_EQ(d.soundPower, columnValue(columns, ColumnId::SoundPower, *m));
        EXPECT_EQ(d.soundPressure.has_value(), !ducted);
        EXPECT_EQ(d.laminar, isLaminar(m->rating));
        EXPECT_FLOAT_EQ(float(d.entering.dryBulb), run.request.air.dryBulb);
        if (run.request.cooling()) {
            EXPECT_NEAR(d.entering.relativeHumidity, run.request.air.relativeHumidity, 0.05);
        }
        EXPECT_GT(d.faceVelocity, 0.3);
        EXPECT_LT(d.faceVelocity, 5.0);
    }
}

TEST_P(DetailsOfARun, CloseTheEnergyBalance)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    for (const ModelOutcome* m : result.listed()) {
        SCOPED_TRACE(m->name);
        const SelectionDetails d = selectionDetails(run.request, *m, run.table);
        EXPECT_NEAR(d.totalCapacity, d.sensibleCapacity + d.latentCapacity, kRounding_W);
        EXPECT_NEAR(d.condensateFlow,
                    d.airMassFlow * (d.entering.humidityRatio - d.leaving.humidityRatio), 1e-12);
        EXPECT_NEAR(d.airMassFlow, MoistAirDensity(run.request.air.dryBulb, run.request.air.relativeHumidity) * d.airFlow,
                    1e-9);
        EXPECT_GE(d.condensateFlow, 0.0);
        EXPECT_GE(d.sensibleHeatRatio, 0.0);
        EXPECT_LE(d.sensibleHeatRatio, 1.0);
        EXPECT_LE(d.leaving.relativeHumidity, 100.5);
        if (!run.request.cooling()) {
            EXPECT_EQ(d.condensateFlow, 0.0);
            continue;
        }
        if (d.latentCapacity == 0) {
            EXPECT_EQ(d.condensateFlow, 0.0) << "a dry coil leaves no water";
        }
        // The condensate carries the latent capacity: about 2.5 MJ per kg of water.
        const double latentOfCondensate = d.condensateFlow * kLatentHeat_kJkg * 1000.0;
        EXPECT_NEAR(latentOfCondensate, d.latentCapacity, 0.08 * d.totalCapacity + 2 * kRounding_W)
            << "condensate " << d.condensateFlow * 3600 << " kg/h";
        // And the enthalpy drop of the air the whole capacity.
        EXPECT_NEAR(d.airMassFlow * (d.entering.enthalpy - d.leaving.enthalpy) * 1000.0, d.totalCapacity,
                    0.03 * d.totalCapacity + 2 * kRounding_W);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, DetailsOfARun, ::testing::ValuesIn(testing::chartRuns()), testing::runName);

TEST(DetailsOfARun, DuctedStreamsAreKeptAndTheMixLiesBetweenThem)
{
    const RunRequest r = testing::withFreshAir(testing::ductedAtAirFlow(LineMRZ, 1000, 2), 26, 50, 30, 34, 45);
    const ModelTable t = testing::sampleDuctedLine(LineMRZ);
    const RunResult result = runSelection(r, t, testing::constantsOf(LineMRZ));
    ASSERT_FALSE(result.listed().empty());
    const SelectionDetails d = selectionDetails(r, *result.listed().front(), t);
    ASSERT_TRUE(d.returnAir && d.freshAir);
    EXPECT_EQ(d.returnAir->share, 70);
    EXPECT_EQ(d.freshAir->share, 30);
    EXPECT_NEAR(d.returnAir->air.relativeHumidity, 50, 1e-3);
    EXPECT_NEAR(d.freshAir->air.relativeHumidity, 45, 1e-3);
    EXPECT_NEAR(d.entering.humidityRatio,
                0.7 * d.returnAir->air.humidityRatio + 0.3 * d.freshAir->air.humidityRatio, 2e-6);
    EXPECT_NEAR(d.entering.dryBulb, 0.7 * 26 + 0.3 * 34, 1e-4);
}

TEST(DetailsOfARun, SharesWithoutATotalAirFlowMixNothing)
{
    const RunRequest r = testing::withoutTotalFlow(
        testing::withFreshAir(testing::ductedAtPressure(LineMRZ, 30, 2), 26, 50, 30, 34, 45));
    const ModelTable t = testing::sampleDuctedLine(LineMRZ);
    const RunResult result = runSelection(r, t, testing::constantsOf(LineMRZ));
    ASSERT_FALSE(result.listed().empty());
    const SelectionDetails d = selectionDetails(r, *result.listed().front(), t);
    EXPECT_FALSE(d.returnAir || d.freshAir) << "the run rated the return air alone";
    EXPECT_NEAR(d.entering.dryBulb, 26, 1e-4);
    EXPECT_NEAR(d.entering.relativeHumidity, 50, 0.05);
}

} // namespace
} // namespace tarvello
