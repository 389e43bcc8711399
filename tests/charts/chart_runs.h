#pragma once
// Runs of the hand-made lines of the selection tests whose listed models the chart and
// details tests look at: the fan coils at every speed, both water inputs, several entering
// airs and a static pressure; the ducted lines at a pressure and at an air flow, with fresh
// air mixed in.

#include "engine/psychrometrics.h"
#include "selection/selection_run.h"
#include "tests/selection/sample_lines.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace tarvello::testing {

struct ChartRun {
    std::string name;
    ModelTable table;
    RunRequest request;

    RunResult run() const { return runSelection(request, table, constantsOf(table.line)); }
};

// The mix of two streams as the ducted window makes it: dry bulb by flow, moisture by
// humidity ratio.
inline RunRequest withFreshAir(RunRequest r, float returnDry, float returnRh, float freshShare, float freshDry,
                               float freshRh)
{
    const float returnShare = 100 - freshShare;
    const auto ratio = [](float t, float rh) { return HumidityRatioFromWetBulb(t, WetBulbFromRelHumidity(t, rh)); };
    const float dry = (returnShare * returnDry + freshShare * freshDry) / 100;
    const float W = (returnShare * ratio(returnDry, returnRh) + freshShare * ratio(freshDry, freshRh)) / 100;
    const float wet = WetBulbFromHumidityRatio(dry, W);
    r.air = {dry, RelHumidityFromWetBulb(dry, wet), wet};
    r.streams = AirStreams{returnShare, returnDry, returnRh, freshShare, freshDry, freshRh};
    return r;
}

// The pressure given, the shares typed: the ducted window rates the return air alone.
inline RunRequest withoutTotalFlow(RunRequest r)
{
    r.air = enteringAirFromHumidity(r.streams->returnDryBulb, r.streams->returnHumidity);
    return r;
}

inline ModelTable sampleDuctedLine(ProductLine line)
{
    ModelTable t = handMadeDuctedLine(line);
    addDuctedModel(t, line == LineMRZ ? "KXR 100" : "KXN 100");
    addDuctedModel(t, line == LineMRZ ? "KXR 200" : "KXN 200", {0, 150, 200, 250, 280, 300, 320, 340});
    return t;
}

inline std::vector<ChartRun> chartRuns()
{
    std::vector<ChartRun> runs;
    const ModelTable fanCoils = sampleFanCoilLine();
    for (int speed = 1; speed <= 3; ++speed)
        runs.push_back({"kx cooling speed " + std::to_string(speed), fanCoils, designRequest(LineKX, ModeCooling, speed)});
    RunRequest humid = designRequest(LineKX, ModeCooling, 2);
    humid.air = enteringAirFromHumidity(30, 65);
    runs.push_back({"kx cooling humid", fanCoils, humid});
    RunRequest dry = designRequest(LineKX, ModeCooling, 3);
    dry.air = enteringAirFromHumidity(26, 25);
    dry.waterIn = 12;
    dry.waterOut = 16;
    runs.push_back({"kx cooling dry air", fanCoils, dry});
    RunRequest flowGiven = designRequest(LineKX, ModeCooling, 2);
    flowGiven.leavingWaterGiven = false;
    flowGiven.waterFlow = 0.00012;
    runs.push_back({"kx cooling water flow given", fanCoils, flowGiven});
    RunRequest pressure = designRequest(LineKX, ModeCooling, 3);
    pressure.staticPressure = 20;
    runs.push_back({"kx cooling at 20 Pa", fanCoils, pressure});
    runs.push_back({"kx heating", fanCoils, designRequest(LineKX, ModeHeating, 2)});
    for (ProductLine line : {LineMRZ, LineHJQ}) {
        const std::string name = line == LineMRZ ? "mrz" : "hjq";
        const ModelTable ducted = sampleDuctedLine(line);
        runs.push_back({name + " cooling at 50 Pa", ducted, ductedAtPressure(line, 50, 2)});
        runs.push_back({name + " cooling at 1000 m3/h", ducted, ductedAtAirFlow(line, 1000, 3)});
        runs.push_back({name + " cooling with fresh air", ducted,
                        withFreshAir(ductedAtAirFlow(line, 1000, 2), 26, 50, 30, 34, 45)});
        runs.push_back({name + " cooling at 30 Pa, shares typed", ducted,
                        withoutTotalFlow(withFreshAir(ductedAtPressure(line, 30, 2), 26, 50, 30, 34, 45))});
        runs.push_back({name + " heating at 40 Pa", ducted, ductedAtPressure(line, 40, 2, ModeHeating)});
    }
    return runs;
}

inline void PrintTo(const ChartRun& run, std::ostream* out)
{
    *out << run.name;
}

inline std::string runName(const ::testing::TestParamInfo<ChartRun>& info)
{
    std::string name;
    for (char c : info.param.name)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

} // namespace tarvello::testing
