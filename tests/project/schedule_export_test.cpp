// Schedules: cells in the user's units with the masks of the program's grids; the CSV read
// back by our reader, the workbook by an independent one (python3-openpyxl), the PDF by
// pdftotext.
#include "project/csv.h"
#include "sample_project.h"
#include "schedule_export/schedule.h"
#include "shell/units.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <QProcess>
#include <QStringList>

namespace tarvello {
namespace {

using namespace testing_support;

// The program's units with the chosen indexes, and texts that name their offset.
ScheduleStyle styleWith(int power, int waterFlow, int waterDrop, int airFlow, int airPressure)
{
    fillUnitTables();
    UnitPt.choose(power);
    UnitQw.choose(waterFlow);
    UnitDpW.choose(waterDrop);
    UnitQa.choose(airFlow);
    UnitDpA.choose(airPressure);
    ScheduleStyle style = currentScheduleStyle();
    style.text = [](int offset) { return "T" + std::to_string(offset); };
    style.decimalSeparator = ".";
    return style;
}

struct CellCase {
    const char* name;
    std::array<int, 5> units; // Pt, Qw, DpW, Qa, DpA
    const char* key;
    const char* unit;
    const char* text;         // of item FC-0.01 (hand-computed from its stored values)
};

const CellCase kCells[] = {
    {"CapacityInWatts", {0, 0, 0, 0, 0}, "cooling.total_capacity", "W", "2310"},
    {"CapacityInFrigories", {1, 0, 0, 0, 0}, "cooling.total_capacity", "Frig/h", "1987"},   // 2310 × 0.86
    {"HeatingInCalories", {1, 0, 0, 0, 0}, "heating.heating_capacity", "Cal/h", "1918"},    // 2230 × 0.86
    {"RequiredSensible", {0, 0, 0, 0, 0}, "cooling.required_sensible", "W", "1501"},       // 1500.5 W, mask "######"
    {"WaterFlowInLitresPerSecond", {0, 0, 0, 0, 0}, "cooling.water_flow", "l/s", "0.110"},
    {"WaterFlowInLitresPerHour", {0, 1, 0, 0, 0}, "cooling.water_flow", "l/h", "397"},     // 0.000110292 × 3.6e6
    {"WaterDropInKilopascal", {0, 0, 0, 0, 0}, "cooling.water_pressure_drop", "kPa", "10.05"},
    {"WaterDropInMetresOfWater", {0, 0, 1, 0, 0}, "cooling.water_pressure_drop", "mH2O", "1.03"}, // 10.052 × 0.102
    {"AirFlowInLitresPerSecond", {0, 0, 0, 0, 0}, "cooling.air_flow", "l/s", "93.2"},
    {"AirFlowInCubicMetresPerHour", {0, 0, 0, 2, 0}, "cooling.air_flow", "m3/h", "335"},   // 0.0931664 × 3600
    {"LeavingAir", {0, 0, 0, 0, 0}, "cooling.leaving_air", "°C", "12.0"},
    {"SoundPressureAsStored", {0, 0, 0, 0, 0}, "cooling.sound_pressure", "dB(A)", "36.5"},
    {"Quantity", {0, 0, 0, 0, 0}, "quantity", "", "2"},
    {"Tag", {0, 0, 0, 0, 0}, "tag", "", "FC-0.01"},
};

size_t columnIndex(const ScheduleSheet& sheet, const std::string& key)
{
    for (size_t i = 0; i < sheet.columns.size(); ++i)
        if (sheet.columns[i].key == key)
            return i;
    return sheet.columns.size();
}

class ScheduleCellText : public ::testing::TestWithParam<CellCase> {};

TEST_P(ScheduleCellText, IsInTheUsersUnitsAndReadsBackFromTheCsv)
{
    const CellCase& c = GetParam();
    const Schedule schedule = buildSchedule(sampleProject(), styleWith(c.units[0], c.units[1], c.units[2], c.units[3], c.units[4]));
    const size_t column = columnIndex(schedule.items, c.key);
    ASSERT_LT(column, schedule.items.columns.size()) << c.key;

    const std::vector<CsvRecord> csv = parseCsv(scheduleCsvText(schedule.items));
    ASSERT_EQ(csv.size(), 2 + sampleProject().items.size());
    EXPECT_EQ(csv[0].fields[column], schedule.items.columns[column].fullHeading());
    EXPECT_EQ(csv[1].fields[column], c.unit);
    EXPECT_EQ(csv[2].fields[0], "FC-0.01");
    EXPECT_EQ(csv[2].fields[column], c.text);
    if (schedule.items.columns[column].numeric) {
        EXPECT_EQ(std::stod(csv[2].fields[column]), *schedule.items.rows[0][column].number);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ScheduleCellText, ::testing::ValuesIn(kCells),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Schedule, HeadingsComeFromTheColumnDescriptorsInTheirOrder)
{
    const Schedule schedule = buildSchedule(sampleProject(), styleWith(0, 0, 0, 0, 0));
    std::vector<std::string> cooling;
    for (const ScheduleColumn& column : schedule.lineSheets[0].columns)
        if (column.group == "T62" && column.key.rfind("cooling.required", 0) != 0)
            cooling.push_back(column.heading);
    // The fan coil grid in cooling: total, sensible, water flow, pressure drop, air flow,
    // leaving air, sound power, sound pressure.
    EXPECT_EQ(cooling, (std::vector<std::string>{"T55", "T52", "T48", "T45", "T49", "T96", "T53", "T57"}));
    EXPECT_EQ(schedule.lineSheets.size(), 2u);
    EXPECT_EQ(schedule.lineSheets[1].name, "KXR");
}

TEST(Schedule, SummaryTotalsEachModel)
{
    const Schedule schedule = buildSchedule(sampleProject(), styleWith(0, 0, 0, 0, 0));
    const ScheduleSheet& summary = schedule.summary;
    ASSERT_EQ(summary.rows.size(), 4u); // three models and the totals
    EXPECT_EQ(summary.rows[0][1].text, "KXA 30");
    EXPECT_EQ(summary.rows[0][3].text, "4620"); // 2 × 2310 W
    EXPECT_EQ(summary.rows[3][1].text, "Total");
    EXPECT_EQ(summary.rows[3][2].text, "4");
    EXPECT_EQ(summary.rows[3][3].text, "17810"); // 4620 + 3050 + 10140
    EXPECT_EQ(summary.rows[3][4].text, "8260");  // 2 × 2230 + 3800
}

TEST(Schedule, WhatWasNeverAskedShowsEmptyNotZero)
{
    Project project = sampleProject();
    project.items[2].cooling->required_W = 0; // chosen from a band with no lower limit
    const Schedule schedule = buildSchedule(project, styleWith(0, 0, 0, 0, 0));

    const ScheduleSheet& ducted = schedule.lineSheets[1];
    const size_t required = columnIndex(ducted, "cooling.required_total");
    ASSERT_LT(required, ducted.columns.size());
    EXPECT_EQ(ducted.rows[0][required].text, "");

    const ScheduleSheet& summary = schedule.summary;
    ASSERT_EQ(summary.rows[2][1].text, "KXR 800"); // cooling only
    EXPECT_EQ(summary.rows[2][3].text, "10140");
    EXPECT_EQ(summary.rows[2][4].text, "");
}

// --- the workbook read back by openpyxl -----------------------------------------------------

const char* const kReadWorkbook = R"(
import json, sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
out = []
for sheet in book.worksheets:
    rows = [[{"v": cell.value, "f": cell.number_format} for cell in row] for row in sheet.iter_rows()]
    out.append({"name": sheet.title, "freeze": sheet.freeze_panes, "rows": rows})
print(json.dumps(out))
)";

// The first Python that has openpyxl: the one on the path, else Debian's (python3-openpyxl
// installs for /usr/bin/python3, which a Python manager on the path may hide).
QString pythonWithOpenpyxl()
{
    for (const QString& python : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")})
        if (QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) == 0)
            return python;
    return {};
}

nlohmann::json readWorkbook(const std::string& path)
{
    QProcess python;
    python.start(pythonWithOpenpyxl(), {QStringLiteral("-c"), QString::fromLatin1(kReadWorkbook), QString::fromStdString(path)});
    python.waitForFinished(60000);
    return nlohmann::json::parse(python.readAllStandardOutput().toStdString());
}

struct WorkbookCell {
    const char* heading; // in row 2 of sheet KX
    const char* unit;
    double value;        // of item FC-0.01 in row 4
    const char* format;
};

const WorkbookCell kWorkbookCells[] = {
    {"T55", "W", 2310, "0"},
    {"T48", "l/s", 0.11, "0.000"},
    {"T45", "kPa", 10.05, "0.00"},
    {"T49", "l/s", 93.2, "0.0"},
    {"T96", "°C", 12.0, "0.0"},
    {"T57", "dB(A)", 36.5, "General"},
    {"Quantity", "", 2, "0"},
};

TEST(Workbook, ReadsBackWithTheSameNumbersAndUnits)
{
    if (pythonWithOpenpyxl().isEmpty())
        GTEST_SKIP() << "python3 with openpyxl is not installed (Debian package python3-openpyxl)";
    TempFolder folder;
    const std::string path = folder.file("schedule.xlsx");
    exportSchedule(sampleProject(), path, styleWith(0, 0, 0, 0, 0));
    const nlohmann::json book = readWorkbook(path);

    ASSERT_EQ(book.size(), 3u);
    EXPECT_EQ(book[0]["name"], "KX");
    EXPECT_EQ(book[1]["name"], "KXR");
    EXPECT_EQ(book[2]["name"], "T75");
    EXPECT_EQ(book[0]["freeze"], "B4");
    const nlohmann::json& rows = book[0]["rows"];
    EXPECT_EQ(rows[3][0]["v"], "FC-0.01");
    EXPECT_EQ(rows.size(), 3u + 3u) << "three heading rows and the three KX items";
    for (const WorkbookCell& expected : kWorkbookCells) {
        SCOPED_TRACE(expected.heading);
        size_t column = 0;
        while (column < rows[1].size() && rows[1][column]["v"] != expected.heading)
            ++column;
        ASSERT_LT(column, rows[1].size());
        EXPECT_EQ(rows[2][column]["v"].is_null() ? std::string() : rows[2][column]["v"].get<std::string>(), expected.unit);
        EXPECT_DOUBLE_EQ(rows[3][column]["v"].get<double>(), expected.value);
        EXPECT_EQ(rows[3][column]["f"], expected.format);
    }
    // The summary: the project data, then the totals.
    const nlohmann::json& summary = book[2]["rows"];
    EXPECT_EQ(summary[0][1]["v"], "Via Roma 12");
    const nlohmann::json& total = summary[summary.size() - 1];
    EXPECT_EQ(total[1]["v"], "Total");
    EXPECT_EQ(total[2]["v"].get<double>(), 4);
    EXPECT_EQ(total[3]["v"].get<double>(), 17810);
}

TEST(Workbook, AFolderThatIsMissingIsNamed)
{
    TempFolder folder;
    const std::string path = folder.file("none/schedule.xlsx");
    try {
        exportSchedule(sampleProject(), path, styleWith(0, 0, 0, 0, 0));
        FAIL() << "written";
    } catch (const ExportError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot write the schedule '" + path + "': the folder"), std::string::npos)
            << error.what();
    }
}

// --- the PDF ----------------------------------------------------------------------------------

std::string pdfText(const std::string& path)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
    tool.waitForFinished(60000);
    return tool.readAllStandardOutput().toStdString();
}

size_t occurrences(const std::string& text, const std::string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

TEST(Pdf, ShowsTheProjectEveryItemAndItsPages)
{
    if (QProcess::execute(QStringLiteral("pdftotext"), {QStringLiteral("-v")}) != 0)
        GTEST_SKIP() << "pdftotext is not installed (Debian package poppler-utils)";
    Project project = sampleProject();
    const ProjectItem model = project.items[0];
    for (int i = 0; i < 120; ++i) {
        ProjectItem item = model;
        item.tag = "FC-9." + std::to_string(100 + i);
        project.items.push_back(item);
    }
    TempFolder folder;
    const std::string path = folder.file("schedule.pdf");
    exportSchedule(project, path, styleWith(0, 0, 0, 0, 0));
    const std::string text = pdfText(path);

    EXPECT_NE(text.find("Via Roma 12"), std::string::npos);
    EXPECT_NE(text.find("Studio Bianchi"), std::string::npos);
    const size_t pages = occurrences(text, "Page ");
    ASSERT_GE(pages, 2u) << "124 items take more than one page";
    EXPECT_NE(text.find("Page 1 of " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)), std::string::npos);
    EXPECT_EQ(occurrences(text, "Via Roma 12"), pages) << "the project data heads every page";
    for (const ProjectItem& item : project.items)
        EXPECT_EQ(occurrences(text, item.tag + " "), 1u) << item.tag;
    EXPECT_NE(text.find("KXH 40+4P"), std::string::npos);
}

} // namespace
} // namespace tarvello
