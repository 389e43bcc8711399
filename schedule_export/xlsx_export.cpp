// The schedule as an Excel workbook: one sheet per product line and a summary with the
// totals per model and the project data. Each sheet has a group row, a heading row and a
// units row, frozen with the tag column; numbers are numeric cells with the number format
// of their display mask.
#include "project/durable_file.h"
#include "schedule_export/schedule.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace tarvello {

namespace {

constexpr lxw_row_t kGroupRow = 0;
constexpr lxw_row_t kHeadingRow = 1;
constexpr lxw_row_t kUnitRow = 2;
constexpr lxw_row_t kFirstDataRow = 3;
constexpr double kMinColumnWidth = 8;
constexpr double kMaxColumnWidth = 40;

// Excel refuses these in a sheet name, and names longer than 31 characters.
std::string sheetName(std::string name)
{
    for (char& c : name)
        if (std::string("[]:*?/\\").find(c) != std::string::npos)
            c = '_';
    return name.substr(0, 31);
}

std::string numberFormat(int decimals)
{
    if (decimals < 0)
        return "General";
    return decimals == 0 ? "0" : "0." + std::string(size_t(decimals), '0');
}

class WorkbookWriter {
public:
    // Writes `file`; messages name `path`, the workbook's final name.
    WorkbookWriter(const std::string& file, const std::string& path) : path_(path)
    {
        workbook_ = workbook_new(file.c_str());
        if (!workbook_)
            throw ExportError("Cannot write the workbook '" + path + "'.");
        heading_ = workbook_add_format(workbook_);
        format_set_bold(heading_);
        format_set_text_wrap(heading_);
        format_set_align(heading_, LXW_ALIGN_VERTICAL_TOP);
        unit_ = workbook_add_format(workbook_);
        format_set_italic(unit_);
    }
    ~WorkbookWriter()
    {
        if (workbook_)
            workbook_close(workbook_);
    }
    WorkbookWriter(const WorkbookWriter&) = delete;
    WorkbookWriter& operator=(const WorkbookWriter&) = delete;

    void setProperties(const ProjectInfo& info)
    {
        // The library copies the texts; its structure asks for mutable ones.
        std::string title = info.name, company = info.customer, author = info.engineer, comments = info.notes;
        lxw_doc_properties properties{};
        properties.title = title.data();
        properties.company = company.data();
        properties.author = author.data();
        properties.comments = comments.data();
        workbook_set_properties(workbook_, &properties);
    }

    void addItemSheet(const ScheduleSheet& sheet)
    {
        lxw_worksheet* ws = newSheet(sheet.name);
        writeTable(ws, sheet, 0);
        worksheet_freeze_panes(ws, kFirstDataRow, 1);
    }

    void addSummary(const ScheduleSheet& sheet, const std::vector<std::pair<std::string, std::string>>& projectRows)
    {
        lxw_worksheet* ws = newSheet(sheet.name);
        lxw_row_t row = 0;
        for (const auto& [label, value] : projectRows) {
            worksheet_write_string(ws, row, 0, label.c_str(), heading_);
            worksheet_write_string(ws, row, 1, value.c_str(), nullptr);
            ++row;
        }
        writeTable(ws, sheet, row + 1);
        worksheet_freeze_panes(ws, row + 1 + kFirstDataRow, 0);
    }

    void close()
    {
        const lxw_error error = workbook_close(workbook_);
        workbook_ = nullptr;
        if (error != LXW_NO_ERROR)
            throw ExportError("Cannot write the workbook '" + path_ + "': " + lxw_strerror(error) + ".");
    }

private:
    lxw_worksheet* newSheet(const std::string& name)
    {
        lxw_worksheet* ws = workbook_add_worksheet(workbook_, sheetName(name).c_str());
        if (!ws)
            throw ExportError("Cannot write the workbook '" + path_ + "': sheet '" + name + "' is refused.");
        return ws;
    }

    lxw_format* numberFormatOf(int decimals)
    {
        lxw_format*& format = numberFormats_[decimals];
        if (!format) {
            format = workbook_add_format(workbook_);
            format_set_num_format(format, numberFormat(decimals).c_str());
        }
        return format;
    }

    void writeTable(lxw_worksheet* ws, const ScheduleSheet& sheet, lxw_row_t top)
    {
        for (lxw_col_t c = 0; c < sheet.columns.size(); ++c) {
            const ScheduleColumn& column = sheet.columns[c];
            if (c == 0 || column.group != sheet.columns[c - 1].group)
                worksheet_write_string(ws, top + kGroupRow, c, column.group.c_str(), heading_);
            worksheet_write_string(ws, top + kHeadingRow, c, column.heading.c_str(), heading_);
            worksheet_write_string(ws, top + kUnitRow, c, column.unit.c_str(), unit_);
            worksheet_set_column(ws, c, c, columnWidth(sheet, c), nullptr);
        }
        for (size_t r = 0; r < sheet.rows.size(); ++r)
            for (lxw_col_t c = 0; c < sheet.rows[r].size() && c < sheet.columns.size(); ++c)
                writeCell(ws, top + kFirstDataRow + lxw_row_t(r), c, sheet.rows[r][c], sheet.columns[c]);
    }

    void writeCell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const ScheduleCell& cell,
                   const ScheduleColumn& column)
    {
        if (cell.number)
            worksheet_write_number(ws, row, col, *cell.number, numberFormatOf(column.decimals));
        else if (!cell.text.empty())
            worksheet_write_string(ws, row, col, cell.text.c_str(), nullptr);
    }

    static double columnWidth(const ScheduleSheet& sheet, size_t c)
    {
        size_t widest = std::max(sheet.columns[c].unit.size(), std::min<size_t>(sheet.columns[c].heading.size(), 14));
        for (const std::vector<ScheduleCell>& row : sheet.rows)
            if (c < row.size())
                widest = std::max(widest, row[c].text.size());
        return std::clamp(double(widest) + 2, kMinColumnWidth, kMaxColumnWidth);
    }

    std::string path_;
    lxw_workbook* workbook_ = nullptr;
    lxw_format* heading_ = nullptr;
    lxw_format* unit_ = nullptr;
    std::map<int, lxw_format*> numberFormats_;
};

} // namespace

void writeWorkbook(const Schedule& schedule, const std::string& path)
{
    const std::string temporary = path + ".tmp";
    try {
        WorkbookWriter writer(temporary, path);
        writer.setProperties(schedule.info);
        for (const ScheduleSheet& sheet : schedule.lineSheets)
            writer.addItemSheet(sheet);
        writer.addSummary(schedule.summary, schedule.projectData);
        writer.close();
    } catch (const ExportError&) {
        std::remove(temporary.c_str());
        throw;
    }
    try {
        replaceDurably(temporary, path);
    } catch (const DurableFileError& error) {
        throw ExportError("Cannot write the workbook '" + path + "': " + error.what() + ".");
    }
}

} // namespace tarvello
