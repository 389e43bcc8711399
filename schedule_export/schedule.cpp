#include "schedule_export/schedule.h"

#include "energy/energy_texts.h"
#include "energy/unit_data.h"
#include "selection/result_columns.h"
#include "shell/app_state.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QString>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sys/stat.h>

namespace tarvello {

namespace {

// Text offsets of the program's texts a schedule uses.
constexpr int kModelText = 40;
constexpr int kRequiredText = 51;
constexpr int kSpeedText = 86;
constexpr int kCoolingText = 62;
constexpr int kHeatingText = 65;
constexpr int kTotalCoolingText = 55;
constexpr int kHeatingCapacityText = 54;
constexpr int kCustomerText = 18;
constexpr int kReferenceText = 64;
constexpr int kSummaryText = 75;

const char* const kTemperatureMask = "##0.0";
const char* const kWholeNumberMask = "###";

std::string trimmedText(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string columnKey(ColumnId id)
{
    switch (id) {
    case ColumnId::TotalCapacity: return "total_capacity";
    case ColumnId::SensibleCapacity: return "sensible_capacity";
    case ColumnId::HeatingCapacity: return "heating_capacity";
    case ColumnId::WaterFlow: return "water_flow";
    case ColumnId::LeavingWater: return "leaving_water";
    case ColumnId::WaterPressureDrop: return "water_pressure_drop";
    case ColumnId::AirFlow: return "air_flow";
    case ColumnId::AvailablePressure: return "available_pressure";
    case ColumnId::LeavingAir: return "leaving_air";
    case ColumnId::SoundPower: return "sound_power";
    case ColumnId::SoundPressure: return "sound_pressure";
    }
    return {};
}

int decimalsOfMask(const std::string& mask)
{
    const size_t point = mask.find('.');
    return point == std::string::npos ? 0 : int(mask.size() - point - 1);
}

// The shortest decimal of a single-precision value ("42.5", not "42.5000000001").
std::string shortestText(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, float(value)).ptr);
}

// A number cell as the grid writes it with `mask`, the decimal point a point.
ScheduleCell maskedCell(double shown, const std::string& mask)
{
    std::string text = FormatMask(shown, QString::fromStdString(mask), QStringLiteral(".")).toStdString();
    if (text.empty() && std::isfinite(shown))
        text = "0"; // the mask hides a zero; a schedule shows it
    if (!text.empty() && text.front() == '.')
        text.insert(0, "0");
    ScheduleCell cell;
    cell.text = text;
    if (!text.empty())
        cell.number = std::stod(text);
    return cell;
}

ScheduleCell textCell(const std::string& text)
{
    return ScheduleCell{text, std::nullopt, {}};
}

ScheduleCell numberCell(double value, int decimals)
{
    ScheduleCell cell;
    cell.number = value;
    cell.text = decimals < 0 ? shortestText(value) : maskedCell(value, decimals ? "0." + std::string(size_t(decimals), '0') : "0").text;
    return cell;
}

// --- energy ---------------------------------------------------------------------------------

// The items' fan power at their speed and their models' energy indexes, from the model
// database's technical data; a schedule whose models it does not know has no such columns.
bool anyUnitData(const std::vector<const ProjectItem*>& items)
{
    return std::any_of(items.begin(), items.end(),
                       [](const ProjectItem* i) { return energy::unitDataTable().find(i->model) != nullptr; });
}

std::vector<ScheduleColumn> energyColumns(const std::function<std::string(int)>& text)
{
    const std::string group = text(energy_texts::kEnergy);
    return {{"energy.fan_power", group, text(energy_texts::kFanPowerInput), "W", 1, true},
            {"energy.fceer", group, text(energy_texts::kFceerClass), "", -1, false},
            {"energy.fccop", group, text(energy_texts::kFccopClass), "", -1, false}};
}

std::vector<ScheduleCell> energyCells(const ProjectItem& item)
{
    const energy::UnitData* unit = energy::unitDataTable().find(item.model);
    if (!unit)
        return {ScheduleCell{}, ScheduleCell{}, ScheduleCell{}};
    const std::optional<double> power = unit->fanPowerAt(item.speed);
    const energy::EnergyFigures& e = unit->energy;
    return {power ? numberCell(*power, 1) : ScheduleCell{}, textCell(energy::indexText(e.fceer, e.fceerClass())),
            textCell(energy::indexText(e.fccop, e.fccopClass()))};
}

// --- columns --------------------------------------------------------------------------------

// One value column of a duty: its descriptor and its place in the schedule.
struct DutyColumn {
    ResultColumn descriptor;
    ScheduleColumn column;
};

class ColumnMaker {
public:
    explicit ColumnMaker(const ScheduleStyle& style) : style_(style) {}

    std::string text(int offset) const { return trimmedText(style_.text ? style_.text(offset) : std::string()); }

    const UnitStyle* userUnit(ColumnQuantity q) const
    {
        const auto found = style_.units.find(q);
        return found == style_.units.end() ? nullptr : &found->second;
    }

    // The power unit's name for the mode: "Frig/h" of "Cal/h - Frig/h" in cooling, "Cal/h" in heating.
    std::string powerUnit(int mode) const
    {
        const UnitStyle* unit = userUnit(ColumnQuantity::Power);
        const std::string name = unit ? unit->name : "W";
        if (name.size() <= 6)
            return name;
        return trimmedText(mode == ModeHeating ? name.substr(0, 6) : name.substr(name.size() - 6));
    }

    std::string unitOf(const ResultColumn& c, int mode) const
    {
        switch (c.quantity) {
        case ColumnQuantity::Power: return powerUnit(mode);
        case ColumnQuantity::SoundLevel: return "dB(A)";
        default: {
            const UnitStyle* unit = userUnit(c.quantity);
            if (!unit && c.quantity == ColumnQuantity::Temperature)
                return "°C";
            return unit ? unit->name : std::string();
        }
        }
    }

    std::string maskOf(const ResultColumn& c) const
    {
        switch (c.format) {
        case CellFormat::UnitMask: {
            const UnitStyle* unit = userUnit(c.quantity);
            return unit ? unit->mask : std::string();
        }
        case CellFormat::OneDecimal: return kTemperatureMask;
        case CellFormat::WholeNumber: return kWholeNumberMask;
        case CellFormat::GeneralNumber: return {};
        }
        return {};
    }

    // The user's unit a column's value is shown in; none for values shown as they are.
    const UnitStyle* shownUnitOf(const ResultColumn& c) const
    {
        const bool converted = c.format == CellFormat::UnitMask || c.quantity == ColumnQuantity::Temperature;
        return converted ? userUnit(c.quantity) : nullptr;
    }

    DutyColumn dutyColumn(const ResultColumn& c, int mode) const
    {
        ScheduleColumn column;
        column.key = std::string(mode == ModeCooling ? "cooling." : "heating.") + columnKey(c.id);
        column.group = text(mode == ModeCooling ? kCoolingText : kHeatingText);
        column.heading = text(c.headingText);
        column.unit = unitOf(c, mode);
        const std::string mask = maskOf(c);
        column.decimals = mask.empty() ? -1 : decimalsOfMask(mask);
        column.numeric = true;
        return {c, column};
    }

    ScheduleCell cell(const ResultColumn& c, const ModelOutcome& model) const
    {
        const UnitStyle* unit = shownUnitOf(c);
        const double shown = unit ? c.value(model) * unit->factor + unit->offset : c.value(model);
        const std::string mask = maskOf(c);
        ScheduleCell cell = mask.empty() ? numberCell(shown, -1) : maskedCell(shown, mask);
        if (c.mark == CellMark::LaminarFlow && isLaminar(model.rating))
            cell.mark = " *";
        if (c.mark == CellMark::CappedPressure && model.air.pressureCapped)
            cell.mark = "> ";
        return cell;
    }

    ScheduleCell powerCell(double watts) const
    {
        const UnitStyle* unit = userUnit(ColumnQuantity::Power);
        return maskedCell(watts * (unit ? unit->factor : 1), unit ? unit->mask : "######");
    }

    ScheduleColumn powerColumn(const std::string& key, const std::string& group, const std::string& heading,
                               int mode) const
    {
        const UnitStyle* unit = userUnit(ColumnQuantity::Power);
        return ScheduleColumn{key, group, heading, powerUnit(mode), decimalsOfMask(unit ? unit->mask : ""), true};
    }

private:
    const ScheduleStyle& style_;
};

// The value columns of a duty for `lines`: the columns of each line's grid, once each.
std::vector<DutyColumn> dutyColumns(const ColumnMaker& maker, int mode, const std::vector<int>& lines)
{
    std::vector<DutyColumn> columns;
    for (const int line : lines) {
        const ColumnChoice choice{mode, productLine(line).ducted(), false, false};
        for (const ResultColumn& c : resultColumns(choice)) {
            // The sound levels depend on the speed only: the cooling columns show them.
            if (mode == ModeHeating && c.quantity == ColumnQuantity::SoundLevel)
                continue;
            const bool known = std::any_of(columns.begin(), columns.end(),
                                           [&](const DutyColumn& d) { return d.descriptor.id == c.id; });
            if (!known)
                columns.push_back(maker.dutyColumn(c, mode));
        }
    }
    return columns;
}

// Whether the grid of `line` in `mode` has the column.
bool lineShows(int line, int mode, ColumnId id)
{
    for (const ResultColumn& c : resultColumns({mode, productLine(line).ducted(), false, false}))
        if (c.id == id)
            return true;
    return false;
}

// The item table of `items` (all on `lines`).
// A duty chosen without a required capacity (a band with no lower limit) has none to show.
ScheduleCell requiredCell(const ColumnMaker& maker, double required_W)
{
    return required_W > 0 ? maker.powerCell(required_W) : ScheduleCell{};
}

ScheduleSheet itemSheet(const std::string& name, const std::vector<const ProjectItem*>& items,
                        const std::vector<int>& lines, bool withLine, const ColumnMaker& maker)
{
    const bool anyCooling = std::any_of(items.begin(), items.end(), [](const ProjectItem* i) { return bool(i->cooling); });
    const bool anyHeating = std::any_of(items.begin(), items.end(), [](const ProjectItem* i) { return bool(i->heating); });
    const std::vector<DutyColumn> cooling = anyCooling ? dutyColumns(maker, ModeCooling, lines) : std::vector<DutyColumn>{};
    const std::vector<DutyColumn> heating = anyHeating ? dutyColumns(maker, ModeHeating, lines) : std::vector<DutyColumn>{};
    const std::string coolingGroup = maker.text(kCoolingText);
    const std::string heatingGroup = maker.text(kHeatingText);

    ScheduleSheet sheet;
    sheet.name = name;
    sheet.columns = {{"tag", "", "Tag", "", -1, false}, {"room", "", "Room", "", -1, false},
                     {"quantity", "", "Quantity", "", 0, true}};
    if (withLine)
        sheet.columns.push_back({"line", "", "Line", "", -1, false});
    sheet.columns.push_back({"model", "", maker.text(kModelText), "", -1, false});
    sheet.columns.push_back({"speed", "", maker.text(kSpeedText), "", 0, true});
    if (anyCooling) {
        sheet.columns.push_back(maker.powerColumn("cooling.required_total", coolingGroup, maker.text(kRequiredText), ModeCooling));
        sheet.columns.push_back(maker.powerColumn("cooling.required_sensible", coolingGroup, "Sensible required", ModeCooling));
        for (const DutyColumn& d : cooling)
            sheet.columns.push_back(d.column);
    }
    if (anyHeating) {
        sheet.columns.push_back(maker.powerColumn("heating.required", heatingGroup, maker.text(kRequiredText), ModeHeating));
        for (const DutyColumn& d : heating)
            sheet.columns.push_back(d.column);
    }
    const bool withEnergy = anyUnitData(items);
    if (withEnergy)
        for (ScheduleColumn& column : energyColumns([&](int offset) { return maker.text(offset); }))
            sheet.columns.push_back(std::move(column));
    sheet.columns.push_back({"note", "", "Note", "", -1, false});

    for (const ProjectItem* item : items) {
        std::vector<ScheduleCell> row{textCell(item->tag), textCell(item->room), numberCell(item->quantity, 0)};
        if (withLine)
            row.push_back(textCell(lineCode(item->line)));
        row.push_back(textCell(item->model));
        row.push_back(numberCell(item->speed, 0));
        const auto dutyCells = [&](const std::optional<DutyRecord>& duty, const std::vector<DutyColumn>& columns) {
            for (const DutyColumn& d : columns) {
                const bool shown = duty && duty->rated && lineShows(item->line, duty->request.mode, d.descriptor.id);
                row.push_back(shown ? maker.cell(d.descriptor, *duty->rated) : ScheduleCell{});
            }
        };
        if (anyCooling) {
            row.push_back(item->cooling ? requiredCell(maker, item->cooling->required_W) : ScheduleCell{});
            row.push_back(item->cooling && item->cooling->requiredSensible_W
                              ? maker.powerCell(*item->cooling->requiredSensible_W)
                              : ScheduleCell{});
            dutyCells(item->cooling, cooling);
        }
        if (anyHeating) {
            row.push_back(item->heating ? requiredCell(maker, item->heating->required_W) : ScheduleCell{});
            dutyCells(item->heating, heating);
        }
        if (withEnergy)
            for (ScheduleCell& cell : energyCells(*item))
                row.push_back(std::move(cell));
        row.push_back(textCell(describeNoFit(*item)));
        sheet.rows.push_back(std::move(row));
    }
    return sheet;
}

struct ModelTotals {
    int line = 0;
    std::string model;
    long units = 0;
    std::optional<double> cooling_W; // none while no unit of the model has the duty
    std::optional<double> heating_W;
};

void addTo(std::optional<double>& total, double value)
{
    total = total.value_or(0.0) + value;
}

ScheduleCell totalCell(const ColumnMaker& maker, const std::optional<double>& total)
{
    return total ? maker.powerCell(*total) : ScheduleCell{};
}

ScheduleSheet summarySheet(const std::vector<ProjectItem>& items, const ColumnMaker& maker)
{
    std::vector<ModelTotals> totals;
    for (const ProjectItem& item : items) {
        if (!item.chosen())
            continue;
        auto found = std::find_if(totals.begin(), totals.end(), [&](const ModelTotals& t) {
            return t.line == item.line && t.model == item.model;
        });
        if (found == totals.end())
            found = totals.insert(totals.end(), ModelTotals{item.line, item.model, 0, {}, {}});
        found->units += item.quantity;
        if (item.cooling && item.cooling->rated)
            addTo(found->cooling_W, double(item.quantity) * item.cooling->rated->rating.Capacity);
        if (item.heating && item.heating->rated)
            addTo(found->heating_W, double(item.quantity) * item.heating->rated->rating.Capacity);
    }
    std::stable_sort(totals.begin(), totals.end(), [](const ModelTotals& a, const ModelTotals& b) { return a.line < b.line; });

    ScheduleSheet sheet;
    sheet.name = maker.text(kSummaryText);
    if (sheet.name.empty())
        sheet.name = "Summary";
    sheet.columns = {{"line", "", "Line", "", -1, false},
                     {"model", "", maker.text(kModelText), "", -1, false},
                     {"quantity", "", "Quantity", "", 0, true},
                     maker.powerColumn("cooling.total_capacity", maker.text(kCoolingText), maker.text(kTotalCoolingText), ModeCooling),
                     maker.powerColumn("heating.heating_capacity", maker.text(kHeatingText), maker.text(kHeatingCapacityText), ModeHeating)};
    ModelTotals all{0, "Total", 0, {}, {}};
    for (const ModelTotals& t : totals) {
        sheet.rows.push_back({textCell(lineCode(t.line)), textCell(t.model), numberCell(double(t.units), 0),
                              totalCell(maker, t.cooling_W), totalCell(maker, t.heating_W)});
        all.units += t.units;
        if (t.cooling_W)
            addTo(all.cooling_W, *t.cooling_W);
        if (t.heating_W)
            addTo(all.heating_W, *t.heating_W);
    }
    sheet.rows.push_back({textCell(""), textCell("Total"), numberCell(double(all.units), 0), totalCell(maker, all.cooling_W),
                          totalCell(maker, all.heating_W)});
    return sheet;
}

std::string lowerExtension(const std::string& path)
{
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return extension;
}

} // namespace

ScheduleStyle currentScheduleStyle()
{
    ScheduleStyle style;
    style.text = [](int offset) { return Testo(offset).toStdString(); };
    for (const ColumnQuantity quantity :
         {ColumnQuantity::Power, ColumnQuantity::WaterFlow, ColumnQuantity::WaterPressureDrop, ColumnQuantity::AirFlow,
          ColumnQuantity::AirPressure, ColumnQuantity::Temperature}) {
        const UnitChoice& unit = *userUnitOf(quantity);
        style.units[quantity] = UnitStyle{unit.name().toStdString(), double(unit.factor()), unit.mask().toStdString(),
                                          double(unit.offset())};
    }
    style.decimalSeparator = DecimalSep.isEmpty() ? std::string(".") : DecimalSep.toStdString();
    return style;
}

std::vector<std::pair<std::string, std::string>> projectDataRows(const ProjectInfo& info, const ScheduleStyle& style)
{
    const ColumnMaker maker(style);
    return {{"Project", info.name},
            {maker.text(kCustomerText), info.customer},
            {"Site", info.site},
            {maker.text(kReferenceText), info.reference},
            {"Engineer", info.engineer},
            {"Date", info.date},
            {"Notes", info.notes}};
}

Schedule buildSchedule(const Project& project, const ScheduleStyle& style)
{
    const ColumnMaker maker(style);
    Schedule schedule;
    schedule.info = project.info;
    schedule.projectData = projectDataRows(project.info, style);
    schedule.decimalSeparator = style.decimalSeparator;
    std::vector<int> lines;
    std::vector<const ProjectItem*> all;
    for (const ProjectItem& item : project.items) {
        all.push_back(&item);
        if (std::find(lines.begin(), lines.end(), item.line) == lines.end())
            lines.push_back(item.line);
    }
    std::sort(lines.begin(), lines.end());
    schedule.items = itemSheet("Schedule", all, lines, true, maker);
    for (const int line : lines) {
        std::vector<const ProjectItem*> ofLine;
        for (const ProjectItem* item : all)
            if (item->line == line)
                ofLine.push_back(item);
        schedule.lineSheets.push_back(itemSheet(lineCode(line), ofLine, {line}, false, maker));
    }
    schedule.summary = summarySheet(project.items, maker);
    return schedule;
}

bool isScheduleFileName(const std::string& path)
{
    const std::string extension = lowerExtension(path);
    return extension == ".xlsx" || extension == ".csv" || extension == ".pdf";
}

void exportSchedule(const Project& project, const std::string& path, const ScheduleStyle& style)
{
    const std::string extension = lowerExtension(path);
    if (!isScheduleFileName(path))
        throw ExportError("Cannot export to '" + path + "': the name must end in .xlsx, .csv or .pdf.");
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, std::max<size_t>(slash, 1));
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        throw ExportError("Cannot write the schedule '" + path + "': the folder '" + folder + "' does not exist.");
    const Schedule schedule = buildSchedule(project, style);
    if (extension == ".xlsx")
        writeWorkbook(schedule, path);
    else if (extension == ".csv")
        writeCsv(schedule, path);
    else
        writePdf(schedule, path);
}

} // namespace tarvello
