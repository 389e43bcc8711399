// The psychrometric chart as data: its curves are the engine's states (saturation, relative
// humidity every 10 %, wet bulb lines), the plotted points sit on the states of the details,
// the axes hold every point, and the coil line runs on to the apparatus dew point.

#include "charts/psychro_chart.h"
#include "engine/psychrometrics.h"
#include "tests/charts/chart_runs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello {
namespace {

using testing::ChartRun;

// The engine's relative humidity of a chart point (dry bulb °C, humidity ratio g/kg), by
// way of the engine's wet bulb.
double engineHumidityAt(const ChartPoint& p)
{
    const double W = p.y / kGramsPerKilogram;
    return RelHumidityFromWetBulb(p.x, WetBulbFromHumidityRatio(p.x, W));
}

class ChartOfARun : public ::testing::TestWithParam<ChartRun> {};

TEST_P(ChartOfARun, CurvesAreTheEnginesStates)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    const PsychroChart chart = psychroChartOf(selectionDetails(run.request, *result.listed().front(), run.table));
    EXPECT_FLOAT_EQ(float(chart.pressure), kStandardPressure);

    ASSERT_GE(chart.saturation.points.size(), 20u);
    for (const ChartPoint& p : chart.saturation.points) {
        if (p.y == chart.humidityRatio.maximum)
            continue; // where the curve leaves the chart: interpolated
        EXPECT_NEAR(p.y / kGramsPerKilogram,
                    SatHumidityRatio(kStandardPressure, SatVapourPressure(p.x), EnhancementFactor(p.x, kStandardPressure)),
                    1e-7)
            << "saturation at " << p.x;
    }

    ASSERT_EQ(chart.relativeHumidity.size(), 9u);
    for (size_t i = 0; i < chart.relativeHumidity.size(); ++i) {
        const ChartCurve& line = chart.relativeHumidity[i];
        EXPECT_EQ(line.value, 10.0 * double(i + 1));
        ASSERT_GE(line.points.size(), 2u);
        for (const ChartPoint& p : line.points) {
            // The engine's wet bulb search starts at 1 °C: states below it are left out here.
            if (p.y == chart.humidityRatio.maximum || WetBulbFromHumidityRatio(p.x, p.y / kGramsPerKilogram) <= 1.0)
                continue;
            EXPECT_NEAR(engineHumidityAt(p), line.value, 0.1) << line.value << " % at " << p.x << " °C";
        }
    }

    ASSERT_GE(chart.wetBulb.size(), 5u);
    for (const ChartCurve& line : chart.wetBulb) {
        if (line.points.front().y < chart.humidityRatio.maximum) {
            EXPECT_NEAR(line.points.front().y / kGramsPerKilogram, humidityRatioAt(line.value, 100), 1e-6)
                << "a wet bulb line starts on the saturation curve";
        }
        for (const ChartPoint& p : line.points) {
            if (p.y > chart.humidityRatio.minimum && p.y < chart.humidityRatio.maximum) {
                EXPECT_NEAR(HumidityRatioFromWetBulb(p.x, line.value) * kGramsPerKilogram, p.y, 1e-6);
            }
        }
    }
}

TEST_P(ChartOfARun, PointsSitOnTheStatesOfTheDetailsInsideTheAxes)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    for (const ModelOutcome* m : result.listed()) {
        SCOPED_TRACE(m->name);
        const SelectionDetails d = selectionDetails(run.request, *m, run.table);
        const PsychroChart chart = psychroChartOf(d);
        const ProcessPoint* entering = chart.point(ProcessPointRole::Entering);
        const ProcessPoint* leaving = chart.point(ProcessPointRole::Leaving);
        ASSERT_TRUE(entering && leaving);
        EXPECT_EQ(entering->at.x, d.entering.dryBulb);
        EXPECT_EQ(entering->at.y, d.entering.humidityRatio * kGramsPerKilogram);
        EXPECT_EQ(leaving->at.x, d.leaving.dryBulb);
        EXPECT_EQ(leaving->at.y, d.leaving.humidityRatio * kGramsPerKilogram);
        EXPECT_EQ(chart.point(ProcessPointRole::ReturnAir) != nullptr, d.returnAir.has_value());
        EXPECT_EQ(chart.point(ProcessPointRole::FreshAir) != nullptr, d.freshAir.has_value());
        for (const ProcessPoint& p : chart.points) {
            EXPECT_TRUE(chart.dryBulb.holds(p.at.x)) << p.at.x;
            EXPECT_TRUE(chart.humidityRatio.holds(p.at.y)) << p.at.y;
            EXPECT_LE(p.state.humidityRatio, saturationHumidityRatio(p.state.dryBulb) + 1e-6)
                << "no point above the saturation curve";
        }
        for (const auto& [from, to] : chart.processLines) {
            EXPECT_LT(from, chart.points.size());
            EXPECT_LT(to, chart.points.size());
        }
        for (const ChartCurve& line : chart.relativeHumidity)
            for (const ChartPoint& p : line.points)
                EXPECT_TRUE(chart.dryBulb.holds(p.x) && chart.humidityRatio.holds(p.y));
    }
}

TEST_P(ChartOfARun, CoilLineRunsOnToTheApparatusDewPoint)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    for (const ModelOutcome* m : result.listed()) {
        SCOPED_TRACE(m->name);
        const SelectionDetails d = selectionDetails(run.request, *m, run.table);
        const PsychroChart chart = psychroChartOf(d);
        const ProcessPoint* adp = chart.point(ProcessPointRole::ApparatusDewPoint);
        if (!run.request.cooling() || d.dryCoil) {
            EXPECT_EQ(adp, nullptr);
            continue;
        }
        const ChartPoint a = chartPointOf(d.entering), b = chartPointOf(d.leaving);
        if (!adp) {
            // A coil line that never reaches the saturation curve has no dew point: beyond
            // the leaving air it stays below saturation down to the chart's edge.
            for (double t = d.leaving.dryBulb; t > chart.dryBulb.minimum; t -= 0.01) {
                const double W = a.y + (t - a.x) * (b.y - a.y) / (b.x - a.x);
                EXPECT_LT(W, saturationHumidityRatio(t) * kGramsPerKilogram) << t;
            }
            continue;
        }
        EXPECT_NEAR(adp->state.relativeHumidity, 100, 0.01);
        EXPECT_LT(adp->state.dryBulb, d.leaving.dryBulb);
        // On the straight line through the entering and leaving air.
        const ChartPoint c = adp->at;
        const double cross = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
        EXPECT_NEAR(cross, 0.0, 1e-3);
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, ChartOfARun, ::testing::ValuesIn(testing::chartRuns()), testing::runName);

TEST(ApparatusDewPoint, NoneForAHeatedOrNotDriedAir)
{
    const AirState entering = airStateFromHumidity(27, 47);
    EXPECT_FALSE(apparatusDewPoint(entering, airStateFromHumidityRatio(35, entering.humidityRatio), -10));
    EXPECT_FALSE(apparatusDewPoint(entering, airStateFromHumidityRatio(15, entering.humidityRatio), -10));
    const auto adp = apparatusDewPoint(entering, airStateFromHumidity(14, 90), -10);
    ASSERT_TRUE(adp);
    EXPECT_GT(adp->dryBulb, 5.0);
    EXPECT_LT(adp->dryBulb, 14.0);
}

} // namespace
} // namespace tarvello
