// Schedules in the units used in North America: every converted column carries the US unit
// and the same figure as the metric schedule, converted, within the shown rounding.
#include "sample_project.h"
#include "schedule_export/schedule.h"
#include "shell/units.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello {
namespace {

using namespace testing_support;

ScheduleStyle styleIn(const UnitSelection& units)
{
    fillUnitTables();
    applyUnits(units);
    ScheduleStyle style = currentScheduleStyle();
    style.text = [](int offset) { return "T" + std::to_string(offset); };
    style.decimalSeparator = ".";
    return style;
}

struct UsColumn {
    const char* key;
    ColumnQuantity quantity;
    const char* unit;
    double step; // of the US unit's mask
    double metricStep;
};

// Metric steps: W "######", l/s "0.000", kPa "##0.00", l/s "###0.0", °C "##0.0".
const UsColumn kColumns[] = {
    {"cooling.total_capacity", ColumnQuantity::Power, "Btu/h", 1, 1},
    {"heating.heating_capacity", ColumnQuantity::Power, "Btu/h", 1, 1},
    {"cooling.water_flow", ColumnQuantity::WaterFlow, "GPM (US)", 0.01, 0.001},
    {"cooling.water_pressure_drop", ColumnQuantity::WaterPressureDrop, "ft wg", 0.01, 0.01},
    {"cooling.air_flow", ColumnQuantity::AirFlow, "CFM", 1, 0.1},
    {"cooling.leaving_air", ColumnQuantity::Temperature, "°F", 0.1, 0.1},
};

size_t columnIndex(const ScheduleSheet& sheet, const std::string& key)
{
    for (size_t i = 0; i < sheet.columns.size(); ++i)
        if (sheet.columns[i].key == key)
            return i;
    return sheet.columns.size();
}

class UsSchedule : public ::testing::TestWithParam<UsColumn> {
protected:
    void TearDown() override { applyUnits(metricUnits()); }
};

TEST_P(UsSchedule, ShowsTheMetricFigureConverted)
{
    const UsColumn& c = GetParam();
    const Schedule metric = buildSchedule(sampleProject(), styleIn(metricUnits()));
    const Schedule us = buildSchedule(sampleProject(), styleIn(imperialUnits()));
    const size_t column = columnIndex(us.items, c.key);
    ASSERT_LT(column, us.items.columns.size()) << c.key;
    EXPECT_EQ(us.items.columns[column].unit, c.unit);
    const UnitChoice* table = userUnitOf(c.quantity);
    const double ratio = double(table->with(unitIndexOf(imperialUnits(), c.quantity)).factor())
                         / double(table->with(unitIndexOf(metricUnits(), c.quantity)).factor());
    for (size_t row = 0; row < us.items.rows.size(); ++row) {
        const ScheduleCell& shown = us.items.rows[row][column];
        const ScheduleCell& reference = metric.items.rows[row][column];
        if (!reference.number) {
            EXPECT_FALSE(shown.number) << c.key << " row " << row;
            continue;
        }
        ASSERT_TRUE(shown.number) << c.key << " row " << row;
        const double expected = convertShown(*reference.number, c.quantity, metricUnits(), imperialUnits());
        EXPECT_NEAR(*shown.number, expected, c.step / 2 + c.metricStep * ratio / 2 + 1e-9)
            << c.key << " row " << row << ": " << reference.text << " -> " << shown.text;
    }
}

INSTANTIATE_TEST_SUITE_P(ConvertedColumns, UsSchedule, ::testing::ValuesIn(kColumns), [](const auto& info) {
    std::string name = info.param.key;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
});

} // namespace
} // namespace tarvello
