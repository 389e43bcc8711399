#pragma once
// The automatic selection of a room list: for each room, the best fit is the model at the
// chosen speed that meets every required duty (total cooling, sensible cooling, heating)
// with the least excess capacity, the sum in watts of what it gives beyond each total
// duty. Equal excess goes to the model earlier in the line's table. The heating of a
// 4-pipe unit ("+4P") is that of its " 4P" heating coil, rated with the 4-pipe option on
// the 4-pipe heating water; a 2-pipe unit heats with its one coil. A room no model fits
// carries the duty that failed and the selection core's reason.

#include "project/line_library.h"
#include "project/project.h"
#include "project/room_list.h"

#include <map>
#include <string>
#include <vector>

namespace tarvello {

// The runs of a selection, kept by request: rooms with the same conditions share them.
class RunCache {
public:
    const RunResult& run(const RunRequest& request, const ModelTable& table, const CoilConstants& constants);
    size_t size() const { return runs_.size(); }

private:
    std::map<std::string, RunResult> runs_;
};

// One model's ratings for a room's duties (nullptr: the duty is not asked).
struct Candidate {
    std::string unit;                    // the unit's name
    const ModelOutcome* cooling = nullptr;
    const ModelOutcome* heating = nullptr; // its heating coil's outcome
};

// What a room asks.
struct RoomDuties {
    float totalCooling_W = 0; // 0: no cooling duty
    std::optional<float> sensibleCooling_W;
    std::optional<float> heating_W;
};

struct FitChoice {
    std::optional<size_t> best; // index into the candidates
    std::optional<NoFit> noFit;
};

// The best of `candidates` (in table order) for `duties`, or why none fits.
FitChoice pickBestFit(const std::vector<Candidate>& candidates, const RoomDuties& duties);

// The project item of one room: its requests, the best fit rated, or why none fits.
ProjectItem selectRoom(const RoomRow& room, const DesignConditions& defaults, LineLibrary& lines, RunCache& cache);

// The items of a whole room list, in its order. Throws RoomListError for a room whose
// conditions, with the defaults, cannot be rated (the message names its line).
std::vector<ProjectItem> selectRooms(const std::vector<RoomRow>& rooms, const DesignConditions& defaults,
                                     LineLibrary& lines);

} // namespace tarvello
