// The fan curve chart as data: a curve for every speed of the line, the working point of
// the run on the run speed's curve, the system curve through it in the pressure mode, and
// axes that hold every point.

#include "charts/fan_chart.h"
#include "tests/charts/chart_runs.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using testing::ChartRun;

class FanChartOfARun : public ::testing::TestWithParam<ChartRun> {};

TEST_P(FanChartOfARun, WorkingPointSitsOnTheRunSpeedsCurve)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    for (const ModelOutcome* m : result.listed()) {
        SCOPED_TRACE(m->name);
        const FanChart chart = fanChartOf(run.request, *m, run.table);
        ASSERT_EQ(int(chart.speeds.size()), productLine(run.table.line).speeds);
        EXPECT_EQ(chart.runSpeed, run.request.speed);
        EXPECT_NEAR(chart.workingPoint.x, m->air.airFlow * kCubicMetresPerHour, 1e-3);
        const double onCurve = availablePressureAt(run.request, run.table, m->model, run.request.speed, chart.workingPoint.x);
        EXPECT_NEAR(chart.workingPoint.y, onCurve, 1.0) << "Pa";
        if (!run.request.airFlowGiven() || !productLine(run.table.line).ducted()) {
            EXPECT_NEAR(chart.workingPoint.y, run.request.staticPressure, 1.0) << "at the pressure asked for";
        }
        for (const ChartCurve& curve : chart.speeds) {
            ASSERT_GE(curve.points.size(), 3u);
            EXPECT_EQ(curve.points.front().x, 0.0);
            EXPECT_NEAR(curve.points.back().y, 0.0, 1e-6) << "each curve runs down to free delivery";
            for (const ChartPoint& p : curve.points)
                EXPECT_TRUE(chart.airFlow.holds(p.x) && chart.pressure.holds(p.y));
        }
        EXPECT_TRUE(chart.airFlow.holds(chart.workingPoint.x) && chart.pressure.holds(chart.workingPoint.y));
    }
}

TEST_P(FanChartOfARun, SystemCurveRunsThroughTheWorkingPointInThePressureMode)
{
    const ChartRun& run = GetParam();
    const RunResult result = run.run();
    for (const ModelOutcome* m : result.listed()) {
        const FanChart chart = fanChartOf(run.request, *m, run.table);
        const bool pressureMode = !(productLine(run.table.line).ducted() && run.request.airFlowGiven());
        if (!pressureMode || run.request.staticPressure <= 0) {
            EXPECT_FALSE(chart.systemCurve) << m->name;
            continue;
        }
        ASSERT_TRUE(chart.systemCurve) << m->name;
        const double k = chart.workingPoint.y / (chart.workingPoint.x * chart.workingPoint.x);
        for (const ChartPoint& p : chart.systemCurve->points) {
            EXPECT_NEAR(p.y, k * p.x * p.x, 1e-6);
            EXPECT_TRUE(chart.pressure.holds(p.y));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Runs, FanChartOfARun, ::testing::ValuesIn(testing::chartRuns()), testing::runName);

} // namespace
} // namespace tarvello
