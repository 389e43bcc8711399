// Opening the model database and loading each product line. Runs on the shipped
// tarvello.mdb when the build has assembled it in the program folder, otherwise on the
// Jackcess-written fixture copy.
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

std::string modelDbFolder()
{
    const std::string app = TARVELLO_APP_DIR;
    if (std::filesystem::exists(app + "/tarvello.mdb"))
        return app;
    return TARVELLO_SOURCE_DIR "/../shared/fixtures/independent-writer";
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
