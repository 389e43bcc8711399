// Rating a whole 45-model line, as a selection run does: the run's conditions are set once,
// then each model's coil data and one rating procedure. Reports the time per run (45
// models) and per model.

#include "engine/glycol_properties.h"
#include "engine/rating.h"
#include "tests/engine/sample_coils.h"

#include <benchmark/benchmark.h>

using namespace tarvello;
using namespace tarvello::testing;

namespace {

using Procedure = std::optional<RatingResult> (*)(int, CoilState&, const CoilConstants&, const PendingEventsHook&);

void rateLine(benchmark::State& state, Procedure procedure, const Conditions& conditions)
{
    InitPropertyTables();
    const CoilConstants k = kxConstants();
    const auto line = sampleLine();
    const PendingEventsHook noHook;
    CoilState s;
    int rated = 0;
    for (auto _ : state) {
        setConditions(s, conditions);
        rated = 0;
        for (size_t i = 0; i < line.size(); ++i) {
            setCoil(s, line[i], k);
            s.WaterOut = conditions.waterOut;
            s.WaterFlow = conditions.waterFlow;
            const auto r = procedure(static_cast<int>(i) + 1, s, k, noHook);
            rated += r.has_value();
            benchmark::DoNotOptimize(r);
        }
    }
    state.counters["models"] = static_cast<double>(line.size());
    state.counters["rows"] = rated;
    state.counters["per_model"] = benchmark::Counter(static_cast<double>(line.size()),
                                                     benchmark::Counter::kIsIterationInvariantRate
                                                         | benchmark::Counter::kInvert);
}

Conditions withFlow(Conditions c, double flow)
{
    c.waterFlow = flow;
    return c;
}

void BM_CoolingLeavingWaterGiven(benchmark::State& state)
{
    rateLine(state, &CalcolaFreddo1, Conditions{});
}

void BM_CoolingWaterFlowGiven(benchmark::State& state)
{
    rateLine(state, &CalcolaFreddo2, withFlow(Conditions{}, 0.00015));
}

void BM_HeatingLeavingWaterGiven(benchmark::State& state)
{
    rateLine(state, &CalcolaCaldo1, heatingConditions());
}

void BM_HeatingWaterFlowGiven(benchmark::State& state)
{
    rateLine(state, &CalcolaCaldo2, withFlow(heatingConditions(), 0.0001));
}

} // namespace

BENCHMARK(BM_CoolingLeavingWaterGiven)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CoolingWaterFlowGiven)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeatingLeavingWaterGiven)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HeatingWaterFlowGiven)->Unit(benchmark::kMicrosecond);
