#pragma once
// A project: the job's data, its default design conditions and its items. An item is one
// unit tag of a room: the duties it must meet, the run requests (SI units) of its cooling
// and heating duties, the model chosen at a speed and the values it was rated at when it
// was chosen. The file format is described in docs/project-format.md.

#include "engine/product_lines.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvello {

struct ProjectInfo {
    std::string name;
    std::string site;
    std::string customer;
    std::string reference;
    std::string engineer;
    std::string date; // as the user writes it, e.g. "2026-12-07"
    std::string notes;
};

struct CoolingConditions {
    float airDryBulb = 27;        // °C
    float airHumidity = 50;       // %
    float waterIn = 7;            // °C
    float waterOut = 12;          // °C
};

struct HeatingConditions {
    float airDryBulb = 20;        // °C
    float waterIn = 45;           // °C
    float waterOut = 40;          // °C
};

// What a room takes when its row of the room list says nothing else.
struct DesignConditions {
    int line = LineKX;
    int speed = 2;
    CoolingConditions cooling;
    HeatingConditions heating;                    // 2-pipe units: the same coil on hot water
    HeatingConditions fourPipeHeating{20, 70, 60}; // the " 4P" heating coil of a 4-pipe unit
    float glycolPercent = 0;      // %
    float staticPressure = 0;     // Pa: fan coils' static pressure, ducted units' external one
};

// The duty a room could not be given.
enum class Duty { TotalCooling, SensibleCooling, Heating };

// Why no model fits a room: the duty no model meets, the selection core's reason for the
// models of the line (OutsideCapacityBand when models were rated but fell short), the
// largest capacity reached for that duty and, when the run itself failed, its classic
// error number.
struct NoFit {
    Duty duty = Duty::TotalCooling;
    std::optional<NotListedReason> reason;
    float bestCapacity_W = 0;
    int runError = 0;
};

// One duty of an item: what it asks, the request it is rated with, and the rated coil's
// outcome at the time of choosing (its name is the coil rated: for a 4-pipe unit's
// heating, the " 4P" coil).
struct DutyRecord {
    float required_W = 0;                  // total cooling or heating capacity asked
    std::optional<float> requiredSensible_W; // cooling only
    RunRequest request;
    std::optional<ModelOutcome> rated;     // empty: no model chosen
};

struct ProjectItem {
    std::string tag;   // e.g. "FC-1.01"
    std::string room;
    int quantity = 1;
    int line = LineKX;
    int speed = 2;
    std::string model; // the unit chosen; empty when none fits
    std::optional<DutyRecord> cooling;
    std::optional<DutyRecord> heating;
    std::optional<NoFit> noFit;

    bool chosen() const { return !model.empty(); }
};

struct Project {
    ProjectInfo info;
    DesignConditions defaults;
    std::vector<ProjectItem> items;
};

// --- product line codes, as users and files name the lines ----------------------------------

// "KX", "KXR", "KXN".
const char* lineCode(int line);
// The line named by `text` ("KX", "kxr", or its index "0".."2"); empty for anything else.
std::optional<int> lineFromText(const std::string& text);

// --- requests of a project --------------------------------------------------------------------

// The cooling request at `speed` on `line` with the leaving water given, no capacity band.
RunRequest coolingRequest(int line, int speed, const CoolingConditions& c, float glycolPercent, float staticPressure);
// The heating request; `fourPipe` rates the " 4P" heating coils.
RunRequest heatingRequest(int line, int speed, const HeatingConditions& c, float glycolPercent, float staticPressure,
                          bool fourPipe);

// The " 4P" heating coil of a "+4P" unit ("KXH 30+4P" -> "KXH 30 4P"); empty for other names.
std::string fourPipeHeatingCoilOf(const std::string& unit);

// Stable names of the enums, as the project file and the command line write them.
const char* dutyName(Duty duty);
std::optional<Duty> dutyFromName(const std::string& name);
const char* reasonName(NotListedReason reason);
std::optional<NotListedReason> reasonFromName(const std::string& name);
// A reason in plain English for messages of the command line.
std::string reasonDescription(NotListedReason reason);
// "no model meets the total cooling of 9000 W: outside the capacity band (largest 7200 W)".
std::string describeNoFit(const ProjectItem& item);

} // namespace tarvello
