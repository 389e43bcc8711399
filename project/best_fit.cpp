#include "project/best_fit.h"

#include "selection/selection_run.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace tarvello {

namespace {

template <typename T> void appendBytes(std::string& key, const T& value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    key.append(bytes, sizeof(T));
}

// Every field a run reads, byte for byte.
std::string requestKey(const RunRequest& r)
{
    std::string key;
    for (const int v : {r.line, r.mode, r.speed, int(r.leavingWaterGiven), int(r.fourPipe)})
        appendBytes(key, v);
    for (const float v : {r.air.dryBulb, r.air.relativeHumidity, r.air.wetBulb, r.waterIn, r.waterOut,
                          r.glycolPercent, r.band.minimum, r.band.maximum, r.staticPressure, r.totalAirFlow})
        appendBytes(key, v);
    appendBytes(key, r.waterFlow);
    return key;
}

bool isNameFilter(NotListedReason reason)
{
    return reason == NotListedReason::OtherMode || reason == NotListedReason::HeatingOnly ||
           reason == NotListedReason::FourPipeChoice;
}

// The reason most of `outcomes` give, leaving aside the name filters when any other
// reason is given (a unit that is never rated for a duty says nothing about the duty).
std::optional<NotListedReason> commonReason(const std::vector<const ModelOutcome*>& outcomes)
{
    std::map<NotListedReason, int> counts;
    bool beyondNames = false;
    for (const ModelOutcome* o : outcomes)
        if (o && o->reason)
            beyondNames = beyondNames || !isNameFilter(*o->reason);
    for (const ModelOutcome* o : outcomes)
        if (o && o->reason && (!beyondNames || !isNameFilter(*o->reason)))
            ++counts[*o->reason];
    std::optional<NotListedReason> common;
    int most = 0;
    for (const auto& [reason, count] : counts)
        if (count > most) {
            common = reason;
            most = count;
        }
    return common;
}

bool rated(const ModelOutcome* outcome)
{
    return outcome && outcome->listed();
}

// Why none of `pool` meets a duty: short of capacity when some were rated (with the
// largest reached), else the core's common reason.
NoFit shortfall(Duty duty, const std::vector<const ModelOutcome*>& outcomes, float (*capacity)(const ModelOutcome&))
{
    NoFit fit;
    fit.duty = duty;
    bool anyRated = false;
    for (const ModelOutcome* o : outcomes)
        if (rated(o)) {
            anyRated = true;
            fit.bestCapacity_W = std::max(fit.bestCapacity_W, capacity(*o));
        }
    fit.reason = anyRated ? std::optional(NotListedReason::OutsideCapacityBand) : commonReason(outcomes);
    return fit;
}

float totalCapacity(const ModelOutcome& o)
{
    return o.rating.Capacity;
}

float sensibleCapacity(const ModelOutcome& o)
{
    return o.rating.SensibleCapacity;
}

bool meetsTotal(const Candidate& c, const RoomDuties& d)
{
    return rated(c.cooling) && c.cooling->rating.Capacity >= d.totalCooling_W;
}

bool meetsSensible(const Candidate& c, const RoomDuties& d)
{
    return !d.sensibleCooling_W || c.cooling->rating.SensibleCapacity >= *d.sensibleCooling_W;
}

bool meetsHeating(const Candidate& c, const RoomDuties& d)
{
    return !d.heating_W || (rated(c.heating) && c.heating->rating.Capacity >= *d.heating_W);
}

double excessOf(const Candidate& c, const RoomDuties& d)
{
    double excess = 0;
    if (d.totalCooling_W > 0)
        excess += double(c.cooling->rating.Capacity) - d.totalCooling_W;
    if (d.heating_W)
        excess += double(c.heating->rating.Capacity) - *d.heating_W;
    return excess;
}

// The candidates that pass `test`, by index.
template <typename Test> std::vector<size_t> passing(const std::vector<Candidate>& all, const std::vector<size_t>& pool, Test test)
{
    std::vector<size_t> kept;
    for (const size_t i : pool)
        if (test(all[i]))
            kept.push_back(i);
    return kept;
}

std::vector<const ModelOutcome*> outcomesOf(const std::vector<Candidate>& all, const std::vector<size_t>& pool,
                                            const ModelOutcome* Candidate::*duty)
{
    std::vector<const ModelOutcome*> outcomes;
    for (const size_t i : pool)
        outcomes.push_back(all[i].*duty);
    return outcomes;
}

using OutcomesByName = std::unordered_map<std::string, const ModelOutcome*>;

OutcomesByName byName(const RunResult* run)
{
    OutcomesByName map;
    if (run)
        for (const ModelOutcome& o : run->models)
            map.emplace(o.name, &o);
    return map;
}

const ModelOutcome* find(const OutcomesByName& map, const std::string& name)
{
    const auto found = map.find(name);
    return found == map.end() ? nullptr : found->second;
}

// The runs of one room.
struct RoomRuns {
    std::optional<RunRequest> cooling, heating, fourPipeHeating;
    const RunResult* coolingRun = nullptr;
    const RunResult* heatingRun = nullptr;
    const RunResult* fourPipeRun = nullptr;
};

std::optional<NoFit> runFailure(const RoomRuns& runs)
{
    const std::pair<const RunResult*, Duty> all[] = {
        {runs.coolingRun, Duty::TotalCooling}, {runs.heatingRun, Duty::Heating}, {runs.fourPipeRun, Duty::Heating}};
    for (const auto& [run, duty] : all)
        if (run && run->failure)
            return NoFit{duty, std::nullopt, 0, run->failure->number};
    return std::nullopt;
}

std::vector<Candidate> candidatesOf(const ModelTable& table, const RoomRuns& runs)
{
    const OutcomesByName cooling = byName(runs.coolingRun);
    const OutcomesByName heating = byName(runs.heatingRun);
    const OutcomesByName fourPipe = byName(runs.fourPipeRun);
    std::vector<Candidate> candidates;
    for (int m = 1; m <= table.NumModels && m <= kMaxModels; ++m) {
        const std::string& name = table.Modello[m];
        if (nameEndsWith(name, " 4P")) // the heating coil of a 4-pipe unit, not a unit
            continue;
        Candidate c{name, nullptr, nullptr};
        if (runs.coolingRun)
            c.cooling = find(cooling, name);
        if (runs.heatingRun) {
            const std::string coil = fourPipeHeatingCoilOf(name);
            c.heating = coil.empty() ? find(heating, name) : find(fourPipe, coil);
        }
        candidates.push_back(c);
    }
    return candidates;
}

} // namespace

const RunResult& RunCache::run(const RunRequest& request, const ModelTable& table, const CoilConstants& constants)
{
    const std::string key = requestKey(request);
    const auto found = runs_.find(key);
    if (found != runs_.end())
        return found->second;
    return runs_.emplace(key, runSelection(request, table, constants)).first->second;
}

FitChoice pickBestFit(const std::vector<Candidate>& all, const RoomDuties& duties)
{
    std::vector<size_t> pool(all.size());
    for (size_t i = 0; i < all.size(); ++i)
        pool[i] = i;
    if (duties.totalCooling_W > 0) {
        const std::vector<size_t> enough = passing(all, pool, [&](const Candidate& c) { return meetsTotal(c, duties); });
        if (enough.empty())
            return {std::nullopt, shortfall(Duty::TotalCooling, outcomesOf(all, pool, &Candidate::cooling), totalCapacity)};
        pool = passing(all, enough, [&](const Candidate& c) { return meetsSensible(c, duties); });
        if (pool.empty())
            return {std::nullopt,
                    shortfall(Duty::SensibleCooling, outcomesOf(all, enough, &Candidate::cooling), sensibleCapacity)};
    }
    if (duties.heating_W) {
        const std::vector<size_t> enough = passing(all, pool, [&](const Candidate& c) { return meetsHeating(c, duties); });
        if (enough.empty())
            return {std::nullopt, shortfall(Duty::Heating, outcomesOf(all, pool, &Candidate::heating), totalCapacity)};
        pool = enough;
    }
    std::optional<size_t> best;
    for (const size_t i : pool)
        if (!best || excessOf(all[i], duties) < excessOf(all[*best], duties))
            best = i;
    if (!best)
        return {std::nullopt, NoFit{duties.totalCooling_W > 0 ? Duty::TotalCooling : Duty::Heating, std::nullopt, 0, 0}};
    return {best, std::nullopt};
}

ProjectItem selectRoom(const RoomRow& room, const DesignConditions& defaults, LineLibrary& lines, RunCache& cache)
{
    const DesignConditions c = conditionsOf(room, defaults);
    if (const std::string fault = conditionsFault(c); !fault.empty())
        throw RoomListError("room list line " + std::to_string(room.sourceLine) + " (" + room.tag + "): " + fault);
    const ModelTable& table = lines.table(c.line);
    const CoilConstants& constants = lines.constants(c.line);

    RoomRuns runs;
    if (room.totalCooling_W > 0) {
        runs.cooling = coolingRequest(c.line, c.speed, c.cooling, c.glycolPercent, c.staticPressure);
        runs.coolingRun = &cache.run(*runs.cooling, table, constants);
    }
    if (room.heating_W) {
        runs.heating = heatingRequest(c.line, c.speed, c.heating, c.glycolPercent, c.staticPressure, false);
        runs.fourPipeHeating = heatingRequest(c.line, c.speed, c.fourPipeHeating, c.glycolPercent, c.staticPressure, true);
        runs.heatingRun = &cache.run(*runs.heating, table, constants);
        runs.fourPipeRun = &cache.run(*runs.fourPipeHeating, table, constants);
    }

    ProjectItem item;
    item.tag = room.tag;
    item.room = room.room;
    item.quantity = room.quantity;
    item.line = c.line;
    item.speed = c.speed;
    if (runs.cooling)
        item.cooling = DutyRecord{room.totalCooling_W, room.sensibleCooling_W, *runs.cooling, std::nullopt};
    if (runs.heating)
        item.heating = DutyRecord{*room.heating_W, std::nullopt, *runs.heating, std::nullopt};
    if ((item.noFit = runFailure(runs)))
        return item;

    const std::vector<Candidate> candidates = candidatesOf(table, runs);
    const FitChoice choice = pickBestFit(candidates, RoomDuties{room.totalCooling_W, room.sensibleCooling_W, room.heating_W});
    if (!choice.best) {
        item.noFit = choice.noFit;
        return item;
    }
    const Candidate& best = candidates[*choice.best];
    item.model = best.unit;
    if (item.cooling)
        item.cooling->rated = *best.cooling;
    if (item.heating) {
        if (!fourPipeHeatingCoilOf(best.unit).empty())
            item.heating->request = *runs.fourPipeHeating;
        item.heating->rated = *best.heating;
    }
    return item;
}

std::vector<ProjectItem> selectRooms(const std::vector<RoomRow>& rooms, const DesignConditions& defaults,
                                     LineLibrary& lines)
{
    RunCache cache;
    std::vector<ProjectItem> items;
    items.reserve(rooms.size());
    for (const RoomRow& room : rooms)
        items.push_back(selectRoom(room, defaults, lines, cache));
    return items;
}

} // namespace tarvello
