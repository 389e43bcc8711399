// The KX window as the user drives it, offscreen: one "Calcola" on the shipped line 0 with
// the grid filled (every model of the mode rated, no capacity band), and the results grid
// alone filled with 45, 90, 180 and 450 rows, to show that its time grows linearly with
// its rows. Run by hand: build/bench/window_bench (needs the program folder's database).

#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection/selection_run.h"
#include "selection_kx/fdati.h"
#include "selection_kx/kx_grid.h"
#include "selection_ui/result_grid.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

using namespace tarvello;

namespace {

// The design example of the cooling run: air 27 °C / 47 %, water 7 -> 12 °C, speed Max.
void fillCoolingExample(FDati& window)
{
    const std::pair<const char*, const char*> fields[] = {
        {"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}};
    for (QLineEdit* box : window.textBoxes())
        box->clear();
    for (const auto& [name, text] : fields)
        window.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    window.findChild<QComboBox*>(QStringLiteral("cboVel"))->setCurrentIndex(2);
}

void BM_CalcolaLine0(benchmark::State& state)
{
    FDati window;
    window.show();
    fillCoolingExample(window);
    QPushButton* calcola = window.findChild<QPushButton*>(QStringLiteral("cmdCalcola"));
    for (auto _ : state)
        calcola->click();
    state.counters["models"] = modelTable().NumModels;
    state.counters["rows"] = window.lastRun().listedCount();
}
BENCHMARK(BM_CalcolaLine0)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The results grid of a shown window filled with `rows` result rows (the line's rated
// models repeated) and laid out for the screen, as after a run.
void BM_GridRows(benchmark::State& state)
{
    FDati window;
    window.show();
    fillCoolingExample(window);
    window.findChild<QPushButton*>(QStringLiteral("cmdCalcola"))->click();
    RunResult many;
    while (int(many.models.size()) < state.range(0))
        for (const ModelOutcome* model : window.lastRun().listed())
            if (int(many.models.size()) < state.range(0))
                many.models.push_back(*model);
    const std::vector<ResultColumn> columns = kxColumns(ModeCooling, false);
    for (auto _ : state) {
        layoutKxGrid(window.Grd->grid(), ModeCooling, false, LangBase);
        appendResultRows(window.Grd->grid(), columns, many);
        window.Grd->applyGeometry();
    }
    state.counters["rows"] = double(many.models.size());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GridRows)->Arg(45)->Arg(90)->Arg(180)->Arg(450)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder; // settings of the window go here, not into the program folder
    AppDir = withTrailingSeparator(folder.path());
    LangBase = 100;
    fillUnitTables();
    try {
        openModelDb(TARVELLO_APP_DIR "/");
        CaricaLinea(LineKX);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_bench: the shipped model database cannot be loaded: %s\n", error.what());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
