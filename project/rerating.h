#pragma once
// Re-rating a project against the current model database: every chosen item is rated again
// with its stored requests, and an item is flagged when its model (or heating coil) is no
// longer in the line, is no longer rated, or gives a value that differs once both are
// rounded as the program shows them. The project itself is never changed here.

#include "project/line_library.h"
#include "project/project.h"
#include "selection/column_id.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvello {

// The finest step any of the user's units shows of a column's quantity, in its internal
// unit: two values that round to the same step in it look the same in every unit choice.
double displayStep(ColumnQuantity quantity);

enum class RerateFlag {
    ModelMissing,   // the line has no model (or heating coil) of the stored name
    NoLongerRated,  // the model is not listed any more at the stored conditions
    ValuesChanged,  // a rated value differs beyond display rounding
};

struct ChangedValue {
    ColumnId column;
    double stored = 0; // internal unit
    double current = 0;
};

struct DutyRerating {
    Duty duty = Duty::TotalCooling; // TotalCooling for the cooling duty, Heating for heating
    std::string coil;
    std::optional<RerateFlag> flag;
    std::optional<NotListedReason> reason; // NoLongerRated
    int runError = 0;                      // NoLongerRated: the classic error its rating raised
    std::vector<ChangedValue> changes;     // ValuesChanged
};

struct ItemRerating {
    size_t item = 0; // index in the project
    std::vector<DutyRerating> duties;

    bool flagged() const;
};

struct RerateReport {
    std::vector<ItemRerating> items; // the chosen items, in project order
    int flaggedCount() const;
};

RerateReport rerateProject(const Project& project, LineLibrary& lines);

// One line per flagged duty: "FC-1.02 KXA 30 cooling: values changed: total cooling
// capacity 2120 W -> 2080 W".
std::string describeRerating(const Project& project, const ItemRerating& rerating);

// A column's English name for messages ("total cooling capacity").
const char* columnName(ColumnId column);

} // namespace tarvello
