#include "project/room_list.h"

#include "project/csv.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace tarvello {

namespace {

constexpr int kMaxQuantity = 9999;
constexpr float kMaxDuty_W = 1.0e6f;

const std::vector<ConditionKey> kConditionKeys = {
    {"cooling_air_dry_bulb_C", [](DesignConditions& d) -> float& { return d.cooling.airDryBulb; }, 10, 50},
    {"cooling_air_humidity_pct", [](DesignConditions& d) -> float& { return d.cooling.airHumidity; }, 1, 100},
    {"cooling_water_in_C", [](DesignConditions& d) -> float& { return d.cooling.waterIn; }, 0, 30},
    {"cooling_water_out_C", [](DesignConditions& d) -> float& { return d.cooling.waterOut; }, 0, 40},
    {"heating_air_dry_bulb_C", [](DesignConditions& d) -> float& { return d.heating.airDryBulb; }, -10, 40},
    {"heating_water_in_C", [](DesignConditions& d) -> float& { return d.heating.waterIn; }, 20, 100},
    {"heating_water_out_C", [](DesignConditions& d) -> float& { return d.heating.waterOut; }, 10, 100},
    {"four_pipe_air_dry_bulb_C", [](DesignConditions& d) -> float& { return d.fourPipeHeating.airDryBulb; }, -10, 40},
    {"four_pipe_water_in_C", [](DesignConditions& d) -> float& { return d.fourPipeHeating.waterIn; }, 20, 100},
    {"four_pipe_water_out_C", [](DesignConditions& d) -> float& { return d.fourPipeHeating.waterOut; }, 10, 100},
    {"glycol_pct", [](DesignConditions& d) -> float& { return d.glycolPercent; }, 0, 50},
    {"static_pressure_Pa", [](DesignConditions& d) -> float& { return d.staticPressure; }, 0, 500},
};

// The columns that are not conditions.
enum class RoomColumn { Tag, Room, Quantity, CoolingTotal, CoolingSensible, Heating, Line, Speed, Condition };

const std::map<std::string, RoomColumn> kRoomColumns = {
    {"tag", RoomColumn::Tag},
    {"room", RoomColumn::Room},
    {"quantity", RoomColumn::Quantity},
    {"cooling_total_w", RoomColumn::CoolingTotal},
    {"cooling_sensible_w", RoomColumn::CoolingSensible},
    {"heating_w", RoomColumn::Heating},
    {"line", RoomColumn::Line},
    {"speed", RoomColumn::Speed},
};

std::string lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const ConditionKey* conditionKeyNamed(const std::string& name)
{
    for (const ConditionKey& key : kConditionKeys)
        if (lower(key.name) == lower(name))
            return &key;
    return nullptr;
}

// A number written with a decimal point; nothing for anything else.
std::optional<float> numberOf(const std::string& text)
{
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Where a fault lies: "rooms.csv, line 4, column cooling_total_W".
class RowContext {
public:
    RowContext(const std::string& fileName, int line) : fileName_(fileName), line_(line) {}

    [[noreturn]] void fail(const std::string& column, const std::string& what) const
    {
        std::string where = fileName_ + ", line " + std::to_string(line_);
        if (!column.empty())
            where += ", column " + column;
        throw RoomListError(where + ": " + what);
    }

    float number(const std::string& column, const std::string& text, float low, float high) const
    {
        const std::optional<float> value = numberOf(text);
        if (!value)
            fail(column, "'" + text + "' is not a number (write it with a decimal point)");
        if (*value < low || *value > high)
            fail(column, formatted(*value) + " lies outside " + formatted(low) + " .. " + formatted(high));
        return *value;
    }

    int whole(const std::string& column, const std::string& text, int low, int high) const
    {
        int value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value);
        if (text.empty() || error != std::errc() || stop != end || value < low || value > high)
            fail(column, "'" + text + "' is not a whole number from " + std::to_string(low) + " to " +
                             std::to_string(high));
        return value;
    }

    static std::string formatted(float value)
    {
        char text[32];
        return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
    }

private:
    const std::string& fileName_;
    int line_;
};

struct Header {
    std::vector<std::string> names;
    std::vector<RoomColumn> columns;
    std::vector<const ConditionKey*> keys;
};

Header readHeader(const CsvRecord& record, const std::string& fileName)
{
    const RowContext context(fileName, record.line);
    Header header;
    std::set<std::string> seen;
    for (const std::string& raw : record.fields) {
        const std::string name = trimmed(raw);
        if (!seen.insert(lower(name)).second)
            context.fail(name, "the column appears twice");
        const ConditionKey* key = conditionKeyNamed(name);
        const auto known = kRoomColumns.find(lower(name));
        if (!key && known == kRoomColumns.end())
            context.fail(name, "unknown column (see docs/project-format.md for the columns of a room list)");
        header.names.push_back(name);
        header.columns.push_back(key ? RoomColumn::Condition : known->second);
        header.keys.push_back(key);
    }
    if (!seen.count("tag"))
        context.fail("", "the room list has no column 'tag'");
    if (!seen.count("cooling_total_w") && !seen.count("heating_w"))
        context.fail("", "the room list has neither 'cooling_total_W' nor 'heating_W'");
    return header;
}

void readField(RoomRow& row, const Header& header, size_t i, const std::string& text, const RowContext& context)
{
    const std::string& column = header.names[i];
    switch (header.columns[i]) {
    case RoomColumn::Tag: row.tag = text; break;
    case RoomColumn::Room: row.room = text; break;
    case RoomColumn::Quantity: row.quantity = context.whole(column, text, 1, kMaxQuantity); break;
    case RoomColumn::CoolingTotal: row.totalCooling_W = context.number(column, text, 0, kMaxDuty_W); break;
    case RoomColumn::CoolingSensible: row.sensibleCooling_W = context.number(column, text, 0, kMaxDuty_W); break;
    case RoomColumn::Heating: row.heating_W = context.number(column, text, 0, kMaxDuty_W); break;
    case RoomColumn::Line:
        row.line = lineFromText(text);
        if (!row.line)
            context.fail(column, "'" + text + "' names no product line (KX, KXR or KXN)");
        break;
    case RoomColumn::Speed: row.speed = context.whole(column, text, 1, mostSpeeds()); break;
    case RoomColumn::Condition: {
        const ConditionKey* key = header.keys[i];
        row.conditions.emplace_back(key, context.number(column, text, key->minimum, key->maximum));
        break;
    }
    }
}

void checkRow(const RoomRow& row, const DesignConditions& anyDefaults, const RowContext& context)
{
    if (row.tag.empty())
        context.fail("tag", "the tag is empty");
    if (row.heating_W && *row.heating_W == 0)
        context.fail("heating_W", "a heating duty of 0 W: leave the cell empty for no heating");
    if (row.totalCooling_W == 0 && !row.heating_W)
        context.fail("", "the room has neither a cooling nor a heating duty");
    if (row.sensibleCooling_W && *row.sensibleCooling_W > row.totalCooling_W)
        context.fail("cooling_sensible_W", "the sensible cooling exceeds the total cooling");
    if (row.speed && row.line && *row.speed > productLine(*row.line).speeds)
        context.fail("speed", "line " + std::string(lineCode(*row.line)) + " has speeds 1 to " +
                                  std::to_string(productLine(*row.line).speeds));
    const std::string fault = conditionsFault(conditionsOf(row, anyDefaults));
    if (!fault.empty() && !row.conditions.empty())
        context.fail("", fault);
}

RoomRow readRow(const CsvRecord& record, const Header& header, const std::string& fileName)
{
    const RowContext context(fileName, record.line);
    if (record.fields.size() != header.names.size())
        context.fail("", "the row has " + std::to_string(record.fields.size()) + " fields, the heading " +
                             std::to_string(header.names.size()));
    RoomRow row;
    row.sourceLine = record.line;
    for (size_t i = 0; i < record.fields.size(); ++i) {
        const std::string text = trimmed(record.fields[i]);
        if (!text.empty())
            readField(row, header, i, text, context);
    }
    checkRow(row, DesignConditions{}, context);
    return row;
}

bool isBlank(const CsvRecord& record)
{
    return std::all_of(record.fields.begin(), record.fields.end(),
                       [](const std::string& field) { return trimmed(field).empty(); });
}

} // namespace

const std::vector<ConditionKey>& conditionKeys()
{
    return kConditionKeys;
}

std::vector<RoomRow> parseRoomList(const std::string& text, const std::string& fileName)
{
    std::vector<CsvRecord> records;
    try {
        records = parseCsv(text);
    } catch (const CsvError& error) {
        throw RoomListError(fileName + ", " + error.what());
    }
    if (records.empty())
        throw RoomListError(fileName + ": the room list is empty");
    const Header header = readHeader(records.front(), fileName);
    std::vector<RoomRow> rows;
    std::set<std::string> tags;
    for (size_t i = 1; i < records.size(); ++i) {
        if (isBlank(records[i]))
            continue;
        RoomRow row = readRow(records[i], header, fileName);
        if (!tags.insert(row.tag).second)
            RowContext(fileName, row.sourceLine).fail("tag", "the tag '" + row.tag + "' appears twice");
        rows.push_back(std::move(row));
    }
    if (rows.empty())
        throw RoomListError(fileName + ": the room list has no rooms");
    return rows;
}

std::vector<RoomRow> readRoomList(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RoomListError("Cannot open the room list '" + path + "'");
    std::ostringstream text;
    text << in.rdbuf();
    return parseRoomList(text.str(), path);
}

DesignConditions conditionsOf(const RoomRow& row, const DesignConditions& defaults)
{
    DesignConditions conditions = defaults;
    if (row.line)
        conditions.line = *row.line;
    if (row.speed)
        conditions.speed = *row.speed;
    for (const auto& [key, value] : row.conditions)
        key->field(conditions) = value;
    return conditions;
}

void applyConditionSettings(DesignConditions& conditions, const std::string& settings)
{
    std::istringstream list(settings);
    std::string setting;
    while (std::getline(list, setting, ',')) {
        const size_t equals = setting.find('=');
        const std::string name = trimmed(setting.substr(0, equals));
        const std::string value = equals == std::string::npos ? std::string() : trimmed(setting.substr(equals + 1));
        const RowContext context("--conditions", 1);
        if (equals == std::string::npos || value.empty())
            throw RoomListError("--conditions: '" + setting + "' is not key=value");
        if (lower(name) == "line") {
            const std::optional<int> line = lineFromText(value);
            if (!line)
                throw RoomListError("--conditions: '" + value + "' names no product line (KX, KXR or KXN)");
            conditions.line = *line;
        } else if (lower(name) == "speed") {
            conditions.speed = context.whole(name, value, 1, mostSpeeds());
        } else if (const ConditionKey* key = conditionKeyNamed(name)) {
            key->field(conditions) = context.number(name, value, key->minimum, key->maximum);
        } else {
            throw RoomListError("--conditions: unknown key '" + name + "' (see docs/project-format.md)");
        }
    }
    if (const std::string fault = conditionsFault(conditions); !fault.empty())
        throw RoomListError("--conditions: " + fault);
}

std::string conditionsFault(const DesignConditions& c)
{
    if (c.speed < 1 || c.speed > productLine(c.line).speeds)
        return "line " + std::string(lineCode(c.line)) + " has speeds 1 to " + std::to_string(productLine(c.line).speeds);
    if (!(c.cooling.waterOut > c.cooling.waterIn))
        return "the cooling water must leave warmer than it enters";
    if (!(c.heating.waterOut < c.heating.waterIn) || !(c.fourPipeHeating.waterOut < c.fourPipeHeating.waterIn))
        return "the heating water must leave cooler than it enters";
    return {};
}

} // namespace tarvello
