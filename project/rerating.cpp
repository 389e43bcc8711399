#include "project/rerating.h"

#include "engine/arithmetic.h"
#include "selection/result_columns.h"
#include "selection/selection_run.h"

#include <cmath>
#include <sstream>

namespace tarvello {

namespace {

// The finest display steps of any unit the user may choose, internal units: power in
// Btu/h whole (1 Btu_IT/h = 0.29307107 W, finer than W whole); water flow in l/h whole
// (1/3.6e6 m³/s); kPa with two decimals; air flow in l/s with one decimal; air pressure in
// mmH2O with one decimal (0.1/0.102 Pa); temperatures in °F with one decimal (0.1/1.8 K);
// sound levels as the table holds them, to a tenth.
constexpr double kPowerStep_W = 0.29307107;
constexpr double kWaterFlowStep_m3s = 1.0 / 3.6e6;
constexpr double kWaterDropStep_kPa = 0.01;
constexpr double kAirFlowStep_m3s = 1.0e-4;
constexpr double kAirPressureStep_Pa = 0.1 / 0.102;
constexpr double kTemperatureStep_C = 0.1 / 1.8;
constexpr double kSoundStep_dBA = 0.1;

bool differsAsShown(double stored, double current, double step)
{
    return std::llround(stored / step) != std::llround(current / step);
}

std::vector<ChangedValue> changedValues(const ModelOutcome& stored, const ModelOutcome& current,
                                        const RunRequest& request, int line)
{
    ColumnChoice choice;
    choice.mode = request.mode;
    choice.ducted = productLine(line).ducted();
    choice.waterFlowGiven = !request.leavingWaterGiven;
    choice.airFlowGiven = choice.ducted && request.airFlowGiven();
    std::vector<ChangedValue> changes;
    for (const ResultColumn& column : resultColumns(choice)) {
        const double before = column.value(stored);
        const double after = column.value(current);
        if (differsAsShown(before, after, displayStep(column.quantity)))
            changes.push_back({column.id, before, after});
    }
    return changes;
}

DutyRerating rerateDuty(const DutyRecord& duty, Duty which, int line, LineLibrary& lines)
{
    DutyRerating result;
    result.duty = which;
    result.coil = duty.rated->name;
    const std::optional<int> model = lines.modelIndex(line, result.coil);
    if (!model) {
        result.flag = RerateFlag::ModelMissing;
        return result;
    }
    CoilState state;
    setRunConditions(duty.request, state);
    ModelOutcome current;
    try {
        current = rateModel(duty.request, lines.table(line), lines.constants(line), *model, state);
    } catch (const ArithmeticError& error) {
        result.flag = RerateFlag::NoLongerRated;
        result.runError = error.number();
        return result;
    } catch (const RunError& error) {
        result.flag = RerateFlag::NoLongerRated;
        result.runError = error.number();
        return result;
    }
    if (!current.listed()) {
        result.flag = RerateFlag::NoLongerRated;
        result.reason = current.reason;
        return result;
    }
    result.changes = changedValues(*duty.rated, current, duty.request, line);
    if (!result.changes.empty())
        result.flag = RerateFlag::ValuesChanged;
    return result;
}

std::string shown(ColumnId column, double value)
{
    std::ostringstream text;
    text.precision(6);
    text << value;
    switch (column) {
    case ColumnId::TotalCapacity:
    case ColumnId::SensibleCapacity:
    case ColumnId::HeatingCapacity: text << " W"; break;
    case ColumnId::WaterFlow:
    case ColumnId::AirFlow: text << " m3/s"; break;
    case ColumnId::WaterPressureDrop: text << " kPa"; break;
    case ColumnId::AvailablePressure: text << " Pa"; break;
    case ColumnId::LeavingWater:
    case ColumnId::LeavingAir: text << " °C"; break;
    case ColumnId::SoundPower:
    case ColumnId::SoundPressure: text << " dB(A)"; break;
    }
    return text.str();
}

} // namespace

double displayStep(ColumnQuantity quantity)
{
    switch (quantity) {
    case ColumnQuantity::Power: return kPowerStep_W;
    case ColumnQuantity::WaterFlow: return kWaterFlowStep_m3s;
    case ColumnQuantity::WaterPressureDrop: return kWaterDropStep_kPa;
    case ColumnQuantity::AirFlow: return kAirFlowStep_m3s;
    case ColumnQuantity::AirPressure: return kAirPressureStep_Pa;
    case ColumnQuantity::Temperature: return kTemperatureStep_C;
    case ColumnQuantity::SoundLevel: return kSoundStep_dBA;
    }
    return kPowerStep_W;
}

bool ItemRerating::flagged() const
{
    for (const DutyRerating& duty : duties)
        if (duty.flag)
            return true;
    return false;
}

int RerateReport::flaggedCount() const
{
    int count = 0;
    for (const ItemRerating& item : items)
        count += item.flagged() ? 1 : 0;
    return count;
}

RerateReport rerateProject(const Project& project, LineLibrary& lines)
{
    RerateReport report;
    for (size_t i = 0; i < project.items.size(); ++i) {
        const ProjectItem& item = project.items[i];
        if (!item.chosen())
            continue;
        ItemRerating rerating;
        rerating.item = i;
        if (item.cooling && item.cooling->rated)
            rerating.duties.push_back(rerateDuty(*item.cooling, Duty::TotalCooling, item.line, lines));
        if (item.heating && item.heating->rated)
            rerating.duties.push_back(rerateDuty(*item.heating, Duty::Heating, item.line, lines));
        report.items.push_back(rerating);
    }
    return report;
}

const char* columnName(ColumnId column)
{
    switch (column) {
    case ColumnId::TotalCapacity: return "total cooling capacity";
    case ColumnId::SensibleCapacity: return "sensible cooling capacity";
    case ColumnId::HeatingCapacity: return "heating capacity";
    case ColumnId::WaterFlow: return "water flow";
    case ColumnId::LeavingWater: return "water outlet temperature";
    case ColumnId::WaterPressureDrop: return "water pressure drop";
    case ColumnId::AirFlow: return "air flow";
    case ColumnId::AvailablePressure: return "available static pressure";
    case ColumnId::LeavingAir: return "air outlet temperature";
    case ColumnId::SoundPower: return "sound power";
    case ColumnId::SoundPressure: return "sound pressure";
    }
    return "";
}

std::string describeRerating(const Project& project, const ItemRerating& rerating)
{
    const ProjectItem& item = project.items[rerating.item];
    std::string text;
    for (const DutyRerating& duty : rerating.duties) {
        if (!duty.flag)
            continue;
        std::string line = item.tag + " " + duty.coil + (duty.duty == Duty::Heating ? " heating: " : " cooling: ");
        switch (*duty.flag) {
        case RerateFlag::ModelMissing: line += "the model is no longer in line " + std::string(lineCode(item.line)); break;
        case RerateFlag::NoLongerRated:
            line += "no longer rated";
            if (duty.reason)
                line += " (" + reasonDescription(*duty.reason) + ")";
            else if (duty.runError)
                line += " (run-time error " + std::to_string(duty.runError) + ")";
            break;
        case RerateFlag::ValuesChanged:
            line += "values changed:";
            for (size_t i = 0; i < duty.changes.size(); ++i) {
                const ChangedValue& change = duty.changes[i];
                line += std::string(i ? "," : "") + " " + columnName(change.column) + " " +
                        shown(change.column, change.stored) + " -> " + shown(change.column, change.current);
            }
            break;
        }
        text += line + "\n";
    }
    return text;
}

} // namespace tarvello
