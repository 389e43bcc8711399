#pragma once
// The room list: one row per unit tag with its duties and, where a room differs from the
// project, its own conditions or line (columns in docs/project-format.md). The design
// conditions can be set by the same names on the command line ("key=value,...").

#include "project/project.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tarvello {

// A room list or a condition setting that cannot be used; the message names the file,
// the line and the column.
class RoomListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A design condition that a room list column or a setting may give.
struct ConditionKey {
    const char* name;   // column and setting name, e.g. "cooling_water_in_C"
    float& (*field)(DesignConditions&);
    float minimum;
    float maximum;
};

// Every condition key, in the order of the documentation.
const std::vector<ConditionKey>& conditionKeys();

struct RoomRow {
    int sourceLine = 0;
    std::string tag;
    std::string room;
    int quantity = 1;
    std::optional<int> line;
    std::optional<int> speed;
    float totalCooling_W = 0;              // 0: no cooling duty
    std::optional<float> sensibleCooling_W;
    std::optional<float> heating_W;
    std::vector<std::pair<const ConditionKey*, float>> conditions; // the room's own conditions
};

// The rows of a room list's text. Every row is checked; the first fault throws
// RoomListError naming `fileName`, the line and the column, so no partial list is used.
std::vector<RoomRow> parseRoomList(const std::string& text, const std::string& fileName);
// The same read from `path`.
std::vector<RoomRow> readRoomList(const std::string& path);

// The conditions of a room: `defaults` with the row's own line, speed and conditions.
DesignConditions conditionsOf(const RoomRow& row, const DesignConditions& defaults);

// Sets conditions from "key=value,key=value" (keys of conditionKeys(), "line", "speed").
// Throws RoomListError.
void applyConditionSettings(DesignConditions& conditions, const std::string& settings);

// What is wrong with a set of conditions (leaving water on the wrong side of the entering
// water, a speed the line does not have); empty when nothing is.
std::string conditionsFault(const DesignConditions& conditions);

} // namespace tarvello
