// Re-rating: a project chosen on the shipped data is re-rated against changed model data;
// a change that shows is flagged with its column, one below display rounding is not, a
// model that is gone is named; the project is never changed.
#include "project/best_fit.h"
#include "project/project_file.h"
#include "project/rerating.h"
#include "sample_project.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace tarvello {
namespace {

using namespace testing_support;

using Mutation = std::function<void(ModelTable&, int model)>;

struct RerateCase {
    const char* name;
    Mutation mutate; // applied to the chosen cooling model of the first room
    std::optional<RerateFlag> flag;
    std::optional<ColumnId> column; // a column among those changed
};

const RerateCase kCases[] = {
    {"SameData", [](ModelTable&, int) {}, std::nullopt, std::nullopt},
    {"CoilCoefficientLowered", [](ModelTable& t, int m) { t.F2C30[m] *= 0.8f; }, RerateFlag::ValuesChanged,
     ColumnId::TotalCapacity},
    {"SoundPowerRaised", [](ModelTable& t, int m) { t.LWA[m][2] += 2; }, RerateFlag::ValuesChanged, ColumnId::SoundPower},
    {"SoundBelowDisplayRounding", [](ModelTable& t, int m) { t.LWA[m][2] += 0.01f; }, std::nullopt, std::nullopt},
    {"ModelRenamed", [](ModelTable& t, int m) { t.Modello[m] += " II"; }, RerateFlag::ModelMissing, std::nullopt},
    {"FanTooWeakNow", [](ModelTable& t, int m) { t.VelC[m][2] = 1.0f; t.VelB[m][2] = 0; t.VelA[m][2] = -1.0f; },
     RerateFlag::NoLongerRated, std::nullopt},
    {"GeometryCodeBeyondTheTables", [](ModelTable& t, int m) { t.Geom[m] = 7; }, RerateFlag::NoLongerRated, std::nullopt},
};

class Rerating : public ::testing::TestWithParam<RerateCase> {
protected:
    void SetUp() override
    {
        if (!shippedDatabaseAvailable())
            GTEST_SKIP() << "the program folder has no tarvello.mdb (build tarvello_databases)";
        openModelDb(std::string(TARVELLO_APP_DIR) + "/");
    }
    void TearDown() override { closeModelDb(); }
};

TEST_P(Rerating, FlagsWhatChanged)
{
    Project project;
    const std::vector<RoomRow> rooms =
        parseRoomList("tag,cooling_total_W,heating_W\nFC-1,2000,2100\nFC-2,3000,\n", "rooms.csv");
    LineLibrary shipped(loadShippedLine);
    project.items = selectRooms(rooms, project.defaults, shipped);
    ASSERT_TRUE(project.items[0].chosen());
    const std::string chosen = project.items[0].model;
    const std::string before = projectToText(project);

    LineLibrary changed([&](ModelTable& table, int line) {
        loadShippedLine(table, line);
        for (int m = 1; m <= table.NumModels; ++m)
            if (table.Modello[m] == chosen) {
                GetParam().mutate(table, m);
                break;
            }
    });
    const RerateReport report = rerateProject(project, changed);

    ASSERT_EQ(report.items.size(), 2u);
    const ItemRerating& first = report.items[0];
    EXPECT_EQ(first.flagged(), bool(GetParam().flag)) << describeRerating(project, first);
    EXPECT_FALSE(report.items[1].flagged() && project.items[1].model != chosen) << describeRerating(project, report.items[1]);
    if (GetParam().flag) {
        ASSERT_FALSE(first.duties.empty());
        EXPECT_EQ(first.duties[0].flag, GetParam().flag);
        EXPECT_NE(describeRerating(project, first).find("FC-1 " + chosen), std::string::npos);
    }
    if (GetParam().column) {
        bool found = false;
        for (const ChangedValue& change : first.duties[0].changes)
            found = found || change.column == *GetParam().column;
        EXPECT_TRUE(found) << describeRerating(project, first);
    }
    EXPECT_EQ(projectToText(project), before) << "re-rating changed the project";
}

INSTANTIATE_TEST_SUITE_P(Cases, Rerating, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StepCase {
    ColumnQuantity quantity;
    double stored;
    double current;
    bool differs;
};

// Two values differ when the finest unit the program offers shows them differently.
const StepCase kSteps[] = {
    {ColumnQuantity::Power, 2310, 2310.1, false}, // 7882 Btu/h both
    {ColumnQuantity::Power, 2310, 2310.4, true},  // 2310 W both, but 7882 -> 7883 Btu/h
    {ColumnQuantity::Power, 2310, 2320, true},
    {ColumnQuantity::WaterFlow, 0.000110292, 0.000110293, false}, // 397.05 l/h both
    {ColumnQuantity::WaterFlow, 0.000110292, 0.000110700, true},  // 397 -> 399 l/h
    {ColumnQuantity::WaterPressureDrop, 10.052, 10.053, false},
    {ColumnQuantity::WaterPressureDrop, 10.05, 10.08, true},
    {ColumnQuantity::Temperature, 12.03, 12.04, false},
    {ColumnQuantity::Temperature, 12.03, 12.3, true},
    {ColumnQuantity::Temperature, 12.00, 12.04, true}, // 12.0 °C both, but 53.6 -> 53.7 °F
};

TEST(DisplayStep, SeparatesWhatTheUserCanSee)
{
    for (const StepCase& c : kSteps) {
        const double step = displayStep(c.quantity);
        EXPECT_EQ(std::llround(c.stored / step) != std::llround(c.current / step), c.differs)
            << "quantity " << int(c.quantity) << ": " << c.stored << " vs " << c.current;
    }
}

} // namespace
} // namespace tarvello
