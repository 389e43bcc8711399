// Opening the model database and loading each product line, on the shipped tarvello.mdb
// that the build assembles in the program folder. (The independent writer's fixture is no
// model database the loaders accept: it stores fin pitches, not their codes.)
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string modelDbFolder()
{
    return TARVELLO_APP_DIR;
}

void BM_OpenModelDb(benchmark::State& state)
{
    const std::string folder = modelDbFolder();
    for (auto _ : state) {
        tarvello::openModelDb(folder);
        tarvello::closeModelDb();
    }
    state.SetLabel(folder);
}
BENCHMARK(BM_OpenModelDb)->Unit(benchmark::kMillisecond);

void BM_LoadLine(benchmark::State& state)
{
    tarvello::openModelDb(modelDbFolder());
    tarvello::ModelTable table;
    const auto line = static_cast<tarvello::ProductLine>(state.range(0));
    for (auto _ : state) {
        switch (line) {
        case tarvello::LineKX: tarvello::CaricaDatiKORVE(table, tarvello::ModelDb()); break;
        case tarvello::LineMRZ: tarvello::CaricaDatiMRZ(table, tarvello::ModelDb()); break;
        case tarvello::LineHJQ: tarvello::CaricaDatiHJQ(table, tarvello::ModelDb()); break;
        }
        benchmark::DoNotOptimize(table.NumModels);
    }
    state.SetLabel(std::to_string(table.NumModels) + " models");
    tarvello::closeModelDb();
}
BENCHMARK(BM_LoadLine)->Arg(tarvello::LineKX)->Arg(tarvello::LineMRZ)->Arg(tarvello::LineHJQ)->Unit(benchmark::kMicrosecond);

} // namespace
