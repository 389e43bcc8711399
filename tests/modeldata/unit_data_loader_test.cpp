// The technical data table: read per model name beside the line tables; a database without
// it (the original layout) gives an empty table and the lines load as before; a damaged
// value is refused with the table, the row and the column, as the line loaders do.

#include "memory_tables.h"

#include "modeldata/unit_data_loader.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello::testing {
namespace {

// A technical data table of `rows` models M1.. with `speeds` speeds each.
std::shared_ptr<TableData> unitTable(int rows, int speeds = 3)
{
    auto table = std::make_shared<TableData>();
    table->name = kUnitDataTable;
    const std::vector<std::pair<std::string, double>> numbers = {
        {"Larghezza", 900}, {"Altezza", 520}, {"Profondita", 240}, {"Peso", 26.5}, {"Contenuto", 1.25}};
    table->columns.push_back({"Modello", FieldType::Text});
    for (const auto& [name, value] : numbers)
        table->columns.push_back({name, FieldType::Single});
    table->columns.push_back({"Attacco", FieldType::Text});
    table->columns.push_back({"Attacco4P", FieldType::Text});
    table->columns.push_back({"Velocita", FieldType::Integer});
    for (int s = 1; s <= 7; ++s)
        table->columns.push_back({"P" + std::to_string(s), FieldType::Single});
    for (int s = 1; s <= 7; ++s)
        table->columns.push_back({"I" + std::to_string(s), FieldType::Single});
    table->columns.push_back({"Tensione", FieldType::Text});
    table->columns.push_back({"FCEER", FieldType::Single});
    table->columns.push_back({"FCCOP", FieldType::Single});
    for (int r = 1; r <= rows; ++r) {
        std::vector<FieldValue> row;
        for (const ColumnInfo& c : table->columns) {
            const std::string& n = c.name;
            const int speed = (n.size() == 2 && (n[0] == 'P' || n[0] == 'I')) ? n[1] - '0' : 0;
            if (n == "Modello")
                row.push_back(FieldValue::text(FieldType::Text, "M" + std::to_string(r)));
            else if (n == "Attacco")
                row.push_back(FieldValue::text(FieldType::Text, "G 3/4"));
            else if (n == "Attacco4P")
                row.push_back(FieldValue::null(FieldType::Text));
            else if (n == "Tensione")
                row.push_back(FieldValue::text(FieldType::Text, "230 V 1~ 50 Hz"));
            else if (n == "Velocita")
                row.push_back(FieldValue::number(FieldType::Integer, speeds));
            else if (speed > speeds)
                row.push_back(FieldValue::null(FieldType::Single));
            else if (speed > 0)
                row.push_back(FieldValue::number(FieldType::Single, n[0] == 'P' ? 10.0 * speed : 0.05 * speed));
            else if (n == "FCEER")
                row.push_back(FieldValue::number(FieldType::Single, 61.5));
            else if (n == "FCCOP")
                row.push_back(FieldValue::null(FieldType::Single));
            else
                for (const auto& [name, value] : numbers)
                    if (name == n)
                        row.push_back(FieldValue::number(FieldType::Single, value));
        }
        table->rows.push_back(std::move(row));
    }
    return table;
}

TEST(UnitDataLoader, ReadsEveryModelWithItsSpeeds)
{
    for (int speeds : {3, 7}) {
        const energy::UnitDataTable t = loadUnitData(memoryDb({lineTable(LineKX, 2), unitTable(4, speeds)}));
        ASSERT_EQ(t.size(), 4u);
        const energy::UnitData* u = t.find("M3");
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(u->fanPower_W.size(), size_t(speeds));
        EXPECT_FLOAT_EQ(float(*u->fanPowerAt(speeds)), 10.0f * speeds);
        EXPECT_FALSE(u->fanPowerAt(speeds + 1).has_value());
        EXPECT_EQ(u->waterConnection, "G 3/4");
        EXPECT_EQ(u->heatingConnection, "");
        EXPECT_FLOAT_EQ(float(*u->energy.fceer), 61.5f);
        EXPECT_FALSE(u->energy.fccop.has_value());
        EXPECT_EQ(t.find("M9"), nullptr);
    }
}

TEST(UnitDataLoader, ADatabaseOfTheOriginalLayoutHasNoTechnicalDataAndStillLoads)
{
    const AccessDatabase db = memoryDb({lineTable(LineKX, 3)});
    EXPECT_TRUE(loadUnitData(db).empty());
    ModelTable t;
    load(LineKX, t, db);
    EXPECT_EQ(t.NumModels, 3);
}

struct DamageCase {
    const char* name;
    const char* column;
    double value; // NaN: Null
};

class DamagedUnitData : public ::testing::TestWithParam<DamageCase> {};

TEST_P(DamagedUnitData, IsRefusedNamingTableRowAndColumn)
{
    const DamageCase c = GetParam();
    auto table = unitTable(3);
    FieldValue& damaged = cell(*table, 2, c.column);
    damaged = std::isnan(c.value) ? FieldValue::null(damaged.type()) : FieldValue::number(damaged.type(), c.value);
    try {
        loadUnitData(memoryDb({table}));
        ADD_FAILURE() << "a damaged " << c.column << " was read";
    } catch (const ModelDataError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(kUnitDataTable), std::string::npos) << message;
        EXPECT_NE(message.find("row 2"), std::string::npos) << message;
        EXPECT_NE(message.find(c.column), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedUnitData,
                         ::testing::Values(DamageCase{"WidthZero", "Larghezza", 0},
                                           DamageCase{"WeightHuge", "Peso", 1e17},
                                           DamageCase{"PowerMissing", "P2", std::nan("")},
                                           DamageCase{"CurrentNegative", "I1", -1},
                                           DamageCase{"SpeedsBeyondSeven", "Velocita", 9},
                                           DamageCase{"IndexInfinite", "FCEER", 1e300}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvello::testing
