// Projects: the automatic selection of a 1,000-room list on line 0 (every room on the
// project's conditions, and every room on conditions of its own), and opening and
// re-rating a 1,000-item project. Runs on the program folder's tarvello.mdb.
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "project/best_fit.h"
#include "project/project_file.h"
#include "project/rerating.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

namespace {

using namespace tarvello;

constexpr int kRooms = 1000;

void loadLine(ModelTable& table, int line)
{
    switch (line) {
    case LineKX: CaricaDatiKORVE(table, ModelDb()); break;
    case LineMRZ: CaricaDatiMRZ(table, ModelDb()); break;
    default: CaricaDatiHJQ(table, ModelDb()); break;
    }
}

// A room list of duties from 1 to 6 kW, a third with heating; `ownConditions` gives every
// room its own entering air (so no two rooms share a run).
std::vector<RoomRow> roomList(bool ownConditions)
{
    std::vector<RoomRow> rooms;
    for (int i = 0; i < kRooms; ++i) {
        RoomRow room;
        room.tag = "FC-" + std::to_string(i);
        room.totalCooling_W = 1000.0f + float(i * 37 % 5000);
        room.sensibleCooling_W = room.totalCooling_W * 0.7f;
        if (i % 3 == 0)
            room.heating_W = room.totalCooling_W * 1.1f;
        if (ownConditions)
            room.conditions.push_back({&conditionKeys()[0], 24.0f + float(i) * 0.005f});
        rooms.push_back(room);
    }
    return rooms;
}

void BM_SelectRoomList(benchmark::State& state)
{
    openModelDb(TARVELLO_APP_DIR "/");
    const std::vector<RoomRow> rooms = roomList(state.range(0) != 0);
    for (auto _ : state) {
        LineLibrary lines(loadLine);
        benchmark::DoNotOptimize(selectRooms(rooms, DesignConditions{}, lines));
    }
    closeModelDb();
    state.SetLabel(state.range(0) ? "every room its own conditions" : "the project's conditions");
}
BENCHMARK(BM_SelectRoomList)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_OpenAndRerateProject(benchmark::State& state)
{
    openModelDb(TARVELLO_APP_DIR "/");
    const std::string path = "/tmp/tarvello_project_bench.json";
    {
        Project project;
        LineLibrary lines(loadLine);
        project.items = selectRooms(roomList(false), project.defaults, lines);
        saveProject(project, path);
    }
    for (auto _ : state) {
        const Project project = openProject(path);
        LineLibrary lines(loadLine);
        benchmark::DoNotOptimize(rerateProject(project, lines));
    }
    closeModelDb();
    std::remove(path.c_str());
    std::remove(backupPathOf(path).c_str());
}
BENCHMARK(BM_OpenAndRerateProject)->Unit(benchmark::kMillisecond);

} // namespace
