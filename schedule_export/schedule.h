#pragma once
// The schedule of a project: its items as a table in the user's units and language, built
// from the selection core's column descriptors so that headings and cells agree with the
// program's grids. The workbook, the CSV file and the PDF are all written from it.

#include "project/project.h"
#include "selection/column_id.h"

#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvello {

// A schedule that could not be written; the message names the file.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A unit of the user's choice: its name, shown value = internal value × factor + offset
// (an offset for °F only), and the display mask of the shown value ("######", "0.000").
struct UnitStyle {
    std::string name;
    double factor = 1;
    std::string mask;
    double offset = 0;
};

// What a schedule is written in: the texts of the current language and the user's units
// of the five quantities they can choose.
struct ScheduleStyle {
    std::function<std::string(int textOffset)> text;
    std::map<ColumnQuantity, UnitStyle> units; // Power, WaterFlow, WaterPressureDrop, AirFlow, AirPressure, Temperature
    std::string decimalSeparator = ".";        // of the PDF; the workbook and CSV always use "."
};

// The style of the program's settings: Testo and UnitPt, UnitQw, ... as loaded (CaricaUnita).
ScheduleStyle currentScheduleStyle();

struct ScheduleCell {
    std::string text;              // as shown, decimal point; empty for an empty cell
    std::optional<double> number;  // numeric cells: the shown number (rounded as shown)
    std::string mark;              // " *" laminar flow, "> " capped pressure (the PDF shows it)
};

struct ScheduleColumn {
    std::string key;     // stable name, e.g. "cooling.total_capacity"
    std::string group;   // "Cooling", "Heating" (current language) or empty
    std::string heading;
    std::string unit;    // empty for text columns
    int decimals = -1;   // numeric columns: places after the point; -1: as many as the value has
    bool numeric = false;

    // The heading with its group: "Cooling: Water flow".
    std::string fullHeading() const { return group.empty() ? heading : group + ": " + heading; }
};

struct ScheduleSheet {
    std::string name;    // sheet name: the line code, or the summary's
    std::vector<ScheduleColumn> columns;
    std::vector<std::vector<ScheduleCell>> rows;
};

struct Schedule {
    ProjectInfo info;
    std::vector<std::pair<std::string, std::string>> projectData; // label and value
    std::string decimalSeparator = ".";   // of the PDF
    ScheduleSheet items;                  // every item, with its line
    std::vector<ScheduleSheet> lineSheets; // the items of each line used, in line order
    ScheduleSheet summary;                // units and total capacities per model, then the totals
};

Schedule buildSchedule(const Project& project, const ScheduleStyle& style);

// The labels of the project data, in the style's language where the program has the text.
std::vector<std::pair<std::string, std::string>> projectDataRows(const ProjectInfo& info, const ScheduleStyle& style);

// Writes `project`'s schedule to `path`: ".xlsx", ".csv" or ".pdf" by the name's ending
// (any case). The file appears whole or not at all. Throws ExportError.
void exportSchedule(const Project& project, const std::string& path, const ScheduleStyle& style);
// Whether `path` ends in one of the schedule formats.
bool isScheduleFileName(const std::string& path);

void writeWorkbook(const Schedule& schedule, const std::string& path);
void writeCsv(const Schedule& schedule, const std::string& path);
// Needs a QGuiApplication (the offscreen platform will do).
void writePdf(const Schedule& schedule, const std::string& path);

// The CSV text of the item table: headings, units, one record per item.
std::string scheduleCsvText(const ScheduleSheet& sheet);

} // namespace tarvello
