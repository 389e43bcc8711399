// Room lists: the documented columns are read with the project's defaults filling the rest;
// a list with a fault is refused whole, naming the line and the column.
#include "project/csv.h"
#include "project/room_list.h"
#include "sample_project.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

struct GoodRowCase {
    const char* name;
    const char* csv;
    const char* tag;
    int quantity;
    float total;
    std::optional<float> sensible;
    std::optional<float> heating;
    int line;   // with the default conditions
    int speed;
    float coolingWaterIn;
    float staticPressure;
};

const GoodRowCase kGoodRows[] = {
    {"OnlyTagAndCooling", "tag,cooling_total_W\nFC-1,1800\n", "FC-1", 1, 1800, std::nullopt, std::nullopt, 0, 2, 7, 0},
    {"EveryDuty", "tag,room,quantity,cooling_total_W,cooling_sensible_W,heating_W\nFC-1,Office,3,1800,1200.5,2000\n",
     "FC-1", 3, 1800, 1200.5f, 2000.0f, 0, 2, 7, 0},
    {"HeatingOnly", "tag,heating_W\nH-1,2500\n", "H-1", 1, 0, std::nullopt, 2500.0f, 0, 2, 7, 0},
    {"OwnLineSpeedAndConditions",
     "tag,cooling_total_W,line,speed,cooling_water_in_C,static_pressure_Pa\nD-1,9000,kxn,6,6.5,40\n", "D-1", 1, 9000,
     std::nullopt, std::nullopt, 2, 6, 6.5f, 40},
    {"QuotedRoomWithComma", "tag,room,cooling_total_W\r\n\"FC-1\",\"Office 1, \"\"corner\"\"\",1800\r\n", "FC-1", 1,
     1800, std::nullopt, std::nullopt, 0, 2, 7, 0},
    {"ByteOrderMarkAndCaseOfHeadings", "\xEF\xBB\xBFTAG,Cooling_Total_W\nFC-1,1800\n", "FC-1", 1, 1800, std::nullopt,
     std::nullopt, 0, 2, 7, 0},
    {"BlankLinesSkipped", "tag,cooling_total_W\n\nFC-1,1800\n,\n", "FC-1", 1, 1800, std::nullopt, std::nullopt, 0, 2, 7, 0},
};

class GoodRoomList : public ::testing::TestWithParam<GoodRowCase> {};

TEST_P(GoodRoomList, IsRead)
{
    const GoodRowCase& c = GetParam();
    const std::vector<RoomRow> rows = parseRoomList(c.csv, "rooms.csv");
    ASSERT_EQ(rows.size(), 1u);
    const RoomRow& row = rows[0];
    EXPECT_EQ(row.tag, c.tag);
    EXPECT_EQ(row.quantity, c.quantity);
    EXPECT_EQ(row.totalCooling_W, c.total);
    EXPECT_EQ(row.sensibleCooling_W, c.sensible);
    EXPECT_EQ(row.heating_W, c.heating);
    const DesignConditions conditions = conditionsOf(row, DesignConditions{});
    EXPECT_EQ(conditions.line, c.line);
    EXPECT_EQ(conditions.speed, c.speed);
    EXPECT_EQ(conditions.cooling.waterIn, c.coolingWaterIn);
    EXPECT_EQ(conditions.staticPressure, c.staticPressure);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoodRoomList, ::testing::ValuesIn(kGoodRows),
                         [](const auto& info) { return std::string(info.param.name); });

struct BadListCase {
    const char* name;
    const char* csv;
    const char* message;
};

const BadListCase kBadLists[] = {
    {"Empty", "", "rooms.csv: the room list is empty"},
    {"OnlyHeadings", "tag,cooling_total_W\n", "the room list has no rooms"},
    {"UnknownColumn", "tag,cooling_total,heating_W\n", "line 1, column cooling_total: unknown column"},
    {"NoTagColumn", "room,cooling_total_W\nA,1\n", "has no column 'tag'"},
    {"NoDutyColumn", "tag,room\nA,B\n", "neither 'cooling_total_W' nor 'heating_W'"},
    {"ColumnTwice", "tag,heating_W,Heating_W\n", "column Heating_W: the column appears twice"},
    {"DecimalComma", "tag,cooling_total_W\nFC-1,\"1800,5\"\n", "line 2, column cooling_total_W: '1800,5' is not a number"},
    {"NegativeDuty", "tag,cooling_total_W\nFC-1,-5\n", "line 2, column cooling_total_W: -5 lies outside"},
    {"QuantityNotWhole", "tag,quantity,cooling_total_W\nFC-1,1.5,1800\n", "line 2, column quantity: '1.5' is not a whole number"},
    {"NoDuty", "tag,cooling_total_W,heating_W\nFC-1,0,\n", "line 2: the room has neither a cooling nor a heating duty"},
    {"SensibleAboveTotal", "tag,cooling_total_W,cooling_sensible_W\nFC-1,1000,1200\n", "the sensible cooling exceeds"},
    {"UnknownLine", "tag,cooling_total_W,line\nFC-1,1000,KXZ\n", "column line: 'KXZ' names no product line"},
    {"SpeedBeyondLine", "tag,cooling_total_W,line,speed\nFC-1,1000,KX,5\n", "line KX has speeds 1 to 3"},
    {"WaterLeavesColder", "tag,cooling_total_W,cooling_water_out_C\nFC-1,1000,6\n", "the cooling water must leave warmer"},
    {"TagTwice", "tag,cooling_total_W\nFC-1,1000\nFC-1,1200\n", "line 3, column tag: the tag 'FC-1' appears twice"},
    {"EmptyTag", "tag,cooling_total_W\n,1000\n", "line 2, column tag: the tag is empty"},
    {"FieldsMissing", "tag,room,cooling_total_W\nFC-1,1000\n", "line 2: the row has 2 fields, the heading 3"},
    {"OpenQuote", "tag,cooling_total_W\n\"FC-1,1000\n", "a quoted field is not closed"},
};

class BadRoomList : public ::testing::TestWithParam<BadListCase> {};

TEST_P(BadRoomList, IsRefusedWhole)
{
    try {
        parseRoomList(GetParam().csv, "rooms.csv");
        FAIL() << "accepted";
    } catch (const RoomListError& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BadRoomList, ::testing::ValuesIn(kBadLists),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RoomList, TheShippedExampleIsRead)
{
    const std::vector<RoomRow> rows = readRoomList(std::string(TARVELLO_SOURCE_DIR) + "/data/examples/rooms.csv");
    EXPECT_GE(rows.size(), 10u);
}

struct SettingCase {
    const char* settings;
    const char* error; // empty: accepted
};

const SettingCase kSettings[] = {
    {"cooling_water_in_C=6,cooling_water_out_C=11,line=KXR,speed=3", ""},
    {"glycol_pct=20", ""},
    {"cooling_water_in=6", "unknown key 'cooling_water_in'"},
    {"speed", "'speed' is not key=value"},
    {"line=KX,speed=4", "line KX has speeds 1 to 3"},
    {"heating_water_out_C=50", "the heating water must leave cooler"},
    {"glycol_pct=90", "90 lies outside 0 .. 50"},
};

class ConditionSettings : public ::testing::TestWithParam<SettingCase> {};

TEST_P(ConditionSettings, AreCheckedAsTheRoomList)
{
    DesignConditions conditions;
    const std::string error = GetParam().error;
    if (error.empty()) {
        EXPECT_NO_THROW(applyConditionSettings(conditions, GetParam().settings));
        return;
    }
    try {
        applyConditionSettings(conditions, GetParam().settings);
        FAIL() << "accepted";
    } catch (const RoomListError& e) {
        EXPECT_NE(std::string(e.what()).find(error), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ConditionSettings, ::testing::ValuesIn(kSettings));

TEST(Csv, RecordsReadBackAsWritten)
{
    const std::vector<std::vector<std::string>> records = {
        {"plain", "with, comma", "with \"quotes\"", ""}, {"line\nbreak", "ü °C", "", "end"}};
    std::string text;
    for (const auto& record : records)
        text += csvRecord(record);
    const std::vector<CsvRecord> parsed = parseCsv(text);
    ASSERT_EQ(parsed.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i)
        EXPECT_EQ(parsed[i].fields, records[i]) << "record " << i;
    EXPECT_EQ(parsed[1].line, 2);
}

} // namespace
} // namespace tarvello
