// The energy columns of a schedule: the fan power of each item at its speed and its model's
// FCEER and FCCOP with their class, from the model database's technical data; a schedule
// of models the technical data does not know (a database of the original layout) has no
// such columns, and every other column stays as it was.
#include "energy/energy_texts.h"
#include "energy/unit_data.h"
#include "project/csv.h"
#include "sample_project.h"
#include "schedule_export/schedule.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using namespace testing_support;

ScheduleStyle plainStyle()
{
    ScheduleStyle style;
    style.text = [](int offset) { return "T" + std::to_string(offset); };
    return style;
}

energy::UnitData unitFor(const std::string& model, std::vector<double> power, std::optional<double> fceer,
                         std::optional<double> fccop)
{
    energy::UnitData u;
    u.model = model;
    u.fanPower_W = std::move(power);
    u.energy.fceer = fceer;
    u.energy.fccop = fccop;
    return u;
}

size_t columnIndex(const ScheduleSheet& sheet, const std::string& key)
{
    for (size_t i = 0; i < sheet.columns.size(); ++i)
        if (sheet.columns[i].key == key)
            return i;
    return sheet.columns.size();
}

struct EnergyCellCase {
    const char* name;
    size_t item;         // index of the sample project's item
    const char* power;   // at the item's speed
    const char* fceer;
    const char* fccop;
};

const EnergyCellCase kEnergyCells[] = {
    {"FanCoilAtSpeed2", 0, "22.5", "61 (E)", "64 (F)"},
    {"FourPipeMainCoilAtSpeed3", 1, "37.6", "68 (E)", ""},
    {"DuctedUnitAtSpeed2", 2, "405.9", "44 (F)", "46 (F)"},
};

class ScheduleEnergyCells : public ::testing::TestWithParam<EnergyCellCase> {
protected:
    void SetUp() override
    {
        energy::unitDataTable().clear();
        energy::unitDataTable().add(unitFor("KXA 30", {14.25, 22.5, 32.4}, 61.4, 64.0));
        energy::unitDataTable().add(unitFor("KXH 40+4P", {16.6, 25.9, 37.6}, 67.8, std::nullopt));
        energy::unitDataTable().add(unitFor("KXR 800", {243.8, 405.9, 634.2}, 44.1, 46.2));
    }
    void TearDown() override { energy::unitDataTable().clear(); }
};

TEST_P(ScheduleEnergyCells, FanPowerAtTheItemsSpeedAndTheIndexes)
{
    const EnergyCellCase& c = GetParam();
    const Project project = sampleProject();
    ASSERT_LT(c.item, project.items.size());
    const Schedule schedule = buildSchedule(project, plainStyle());
    const ScheduleSheet& sheet = schedule.items;
    const size_t power = columnIndex(sheet, "energy.fan_power");
    ASSERT_LT(power, sheet.columns.size());
    EXPECT_EQ(sheet.columns[power].group, "T" + std::to_string(energy_texts::kEnergy));
    EXPECT_EQ(sheet.columns[power].unit, "W");
    EXPECT_EQ(columnIndex(sheet, "note"), sheet.columns.size() - 1) << "the note stays last";
    const auto& row = sheet.rows.at(c.item);
    EXPECT_EQ(row[power].text, c.power);
    EXPECT_EQ(row[columnIndex(sheet, "energy.fceer")].text, c.fceer);
    EXPECT_EQ(row[columnIndex(sheet, "energy.fccop")].text, c.fccop);

    const std::vector<CsvRecord> csv = parseCsv(scheduleCsvText(sheet));
    EXPECT_EQ(csv[2 + c.item].fields[power], c.power);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleEnergyCells, ::testing::ValuesIn(kEnergyCells),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleEnergy, WithoutTechnicalDataTheColumnsAreThoseOfBefore)
{
    energy::unitDataTable().clear();
    const Schedule without = buildSchedule(sampleProject(), plainStyle());
    EXPECT_EQ(columnIndex(without.items, "energy.fan_power"), without.items.columns.size());
    energy::unitDataTable().add(unitFor("KXA 30", {14.25, 22.5, 32.4}, 61.4, 64.0));
    const Schedule with = buildSchedule(sampleProject(), plainStyle());
    energy::unitDataTable().clear();
    ASSERT_EQ(with.items.columns.size(), without.items.columns.size() + 3);
    for (size_t i = 0; i + 1 < without.items.columns.size(); ++i)
        EXPECT_EQ(with.items.columns[i].key, without.items.columns[i].key);
    // An item whose model the data does not know gets empty energy cells.
    const size_t power = columnIndex(with.items, "energy.fan_power");
    EXPECT_EQ(with.items.rows.at(2)[power].text, "");
}

} // namespace
} // namespace tarvello
