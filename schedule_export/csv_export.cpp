// The schedule as CSV: RFC 4180, UTF-8, the decimal point a point, the headings (with their
// group) in the first record and the units in the second.
#include "project/csv.h"
#include "project/durable_file.h"
#include "schedule_export/schedule.h"

namespace tarvello {

std::string scheduleCsvText(const ScheduleSheet& sheet)
{
    std::vector<std::string> headings;
    std::vector<std::string> units;
    for (const ScheduleColumn& column : sheet.columns) {
        headings.push_back(column.fullHeading());
        units.push_back(column.unit);
    }
    std::string text = csvRecord(headings) + csvRecord(units);
    for (const std::vector<ScheduleCell>& row : sheet.rows) {
        std::vector<std::string> fields;
        for (const ScheduleCell& cell : row)
            fields.push_back(cell.text);
        text += csvRecord(fields);
    }
    return text;
}

void writeCsv(const Schedule& schedule, const std::string& path)
{
    try {
        const std::string temporary = path + ".tmp";
        writeDurably(temporary, scheduleCsvText(schedule.items));
        replaceDurably(temporary, path);
    } catch (const DurableFileError& error) {
        throw ExportError("Cannot write the schedule '" + path + "': " + error.what() + ".");
    }
}

} // namespace tarvello
