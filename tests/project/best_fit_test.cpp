// The best fit of a room: the model that meets every duty with the least excess, ties to
// the earlier model; 4-pipe units heat with their " 4P" coil; a room no model meets says
// which duty failed and why.
#include "project/best_fit.h"
#include "sample_project.h"
#include "selection/selection_run.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello {
namespace {

using namespace testing_support;

// --- the choice among rated candidates ------------------------------------------------------

// A model's ratings: capacities in W; a negative capacity means "not listed" with `reason`.
struct Offer {
    const char* unit;
    float total;
    float sensible;
    float heating; // 0: the duty is not rated
    NotListedReason reason = NotListedReason::NoOperatingPoint;
};

struct PickCase {
    const char* name;
    std::vector<Offer> offers;
    RoomDuties duties;
    const char* expected;              // the unit chosen, or "" for none
    std::optional<Duty> failedDuty;
    std::optional<NotListedReason> reason;
    float bestCapacity;
};

ModelOutcome outcome(const char* unit, float capacity, float sensible, NotListedReason reason)
{
    ModelOutcome m = ratedOutcome(unit, capacity, sensible, 0.0001);
    if (capacity < 0)
        m.reason = reason;
    return m;
}

const PickCase kPicks[] = {
    {"LeastExcess", {{"A", 2500, 1800, 0}, {"B", 2000, 1500, 0}, {"C", 1800, 1300, 0}}, {1900, {}, {}}, "B", {}, {}, 0},
    {"TieGoesToTheEarlierModel", {{"A", 1800, 1300, 0}, {"B", 2000, 1400, 0}, {"C", 2000, 1500, 0}}, {1900, {}, {}}, "B", {}, {}, 0},
    {"TieOfTheSumOfBothDuties", {{"A", 2100, 1500, 2000}, {"B", 2000, 1500, 2100}}, {1900, {}, 1900.0f}, "A", {}, {}, 0},
    {"SensibleRulesOutTheSmaller", {{"A", 2000, 1300, 0}, {"B", 2200, 1600, 0}}, {1900, 1500.0f, {}}, "B", {}, {}, 0},
    {"HeatingRulesOutTheSmaller", {{"A", 2000, 1500, 1500}, {"B", 2400, 1700, 1900}}, {1900, {}, 1800.0f}, "B", {}, {}, 0},
    {"ExactDutyIsMet", {{"A", 1900, 1400, 0}, {"B", 2000, 1500, 0}}, {1900, {}, {}}, "A", {}, {}, 0},
    {"HeatingOnlyRoom", {{"A", 0, 0, 1500}, {"B", 0, 0, 2600}, {"C", 0, 0, 2300}}, {0, {}, 2200.0f}, "C", {}, {}, 0},
    {"NoModelReachesTheTotal", {{"A", 1500, 1100, 0}, {"B", 1700, 1200, 0}, {"C", -1, 0, 0}}, {1900, {}, {}}, "",
     Duty::TotalCooling, NotListedReason::OutsideCapacityBand, 1700},
    {"NoModelRatedAtAll",
     {{"A", -1, 0, 0, NotListedReason::FreeBlow}, {"B", -1, 0, 0, NotListedReason::FreeBlow},
      {"C", -1, 0, 0, NotListedReason::OtherMode}, {"D", -1, 0, 0, NotListedReason::OtherMode},
      {"E", -1, 0, 0, NotListedReason::OtherMode}},
     {1900, {}, {}}, "", Duty::TotalCooling, NotListedReason::FreeBlow, 0},
    {"NoModelReachesTheSensible", {{"A", 2000, 1300, 0}, {"B", 2200, 1450, 0}, {"C", 1500, 1490, 0}}, {1900, 1500.0f, {}},
     "", Duty::SensibleCooling, NotListedReason::OutsideCapacityBand, 1450},
    {"NoModelMeetingTheCoolingHeatsEnough", {{"A", 2000, 1500, 1700}, {"B", 1500, 1100, 3000}}, {1900, {}, 1800.0f}, "",
     Duty::Heating, NotListedReason::OutsideCapacityBand, 1700},
};

class BestFitPick : public ::testing::TestWithParam<PickCase> {};

TEST_P(BestFitPick, ChoosesOrSaysWhy)
{
    const PickCase& c = GetParam();
    std::vector<ModelOutcome> cooling, heating;
    cooling.reserve(c.offers.size());
    heating.reserve(c.offers.size());
    std::vector<Candidate> candidates;
    for (const Offer& o : c.offers) {
        cooling.push_back(outcome(o.unit, o.total, o.sensible, o.reason));
        heating.push_back(outcome(o.unit, o.heating > 0 ? o.heating : -1, 0, o.reason));
        candidates.push_back({o.unit, c.duties.totalCooling_W > 0 ? &cooling.back() : nullptr,
                              c.duties.heating_W ? &heating.back() : nullptr});
    }
    const FitChoice choice = pickBestFit(candidates, c.duties);
    if (*c.expected) {
        ASSERT_TRUE(choice.best) << "no fit";
        EXPECT_EQ(candidates[*choice.best].unit, c.expected);
        return;
    }
    ASSERT_FALSE(choice.best) << "chose " << candidates[*choice.best].unit;
    ASSERT_TRUE(choice.noFit);
    EXPECT_EQ(choice.noFit->duty, c.failedDuty);
    EXPECT_EQ(choice.noFit->reason, c.reason);
    EXPECT_EQ(choice.noFit->bestCapacity_W, c.bestCapacity);
}

INSTANTIATE_TEST_SUITE_P(Cases, BestFitPick, ::testing::ValuesIn(kPicks),
                         [](const auto& info) { return std::string(info.param.name); });

// --- rooms on the shipped lines ----------------------------------------------------------------

struct RoomCase {
    const char* name;
    const char* csv; // one room of a room list
    bool fits;
    bool fourPipeExpected; // the room's heating needs a 4-pipe unit
};

const char* const kHeading = "tag,cooling_total_W,cooling_sensible_W,heating_W,line,speed\n";

const RoomCase kRooms[] = {
    {"SmallOffice", "R,1500,1100,1600,KX,2", true, false},
    {"CoolingOnly", "R,3000,,,KX,2", true, false},
    {"HotWaterHeatingNeedsAFourPipeUnit", "R,2000,1450,3500,KX,2", true, true},
    {"SpeedOne", "R,1200,,,KX,1", true, false},
    {"DuctedMrz", "R,9000,6500,8000,KXR,2", true, false},
    {"DuctedHjqHeatingOnly", "R,,,6000,KXN,4", true, false},
    {"LargerThanAnyFanCoil", "R,12000,,,KX,2", false, false},
    {"HeatingBeyondAnyUnit", "R,1000,,40000,KX,3", false, false},
};

class ShippedRoom : public ::testing::TestWithParam<RoomCase> {
protected:
    void SetUp() override
    {
        if (!shippedDatabaseAvailable())
            GTEST_SKIP() << "the program folder has no tarvello.mdb (build tarvello_databases)";
        openModelDb(std::string(TARVELLO_APP_DIR) + "/");
    }
    void TearDown() override { closeModelDb(); }
};

// The excess of `unit` for the room, rated directly through the selection core.
std::optional<double> directExcess(const ModelTable& table, const CoilConstants& k, const RoomRow& room,
                                   const DesignConditions& c, const std::string& unit)
{
    double excess = 0;
    const auto ratedCapacity = [&](const RunRequest& request, const std::string& coil) -> std::optional<const ModelOutcome> {
        const RunResult run = runSelection(request, table, k);
        for (const ModelOutcome& m : run.models)
            if (m.name == coil && m.listed())
                return m;
        return std::nullopt;
    };
    if (room.totalCooling_W > 0) {
        const auto m = ratedCapacity(coolingRequest(c.line, c.speed, c.cooling, 0, 0), unit);
        if (!m || m->rating.Capacity < room.totalCooling_W ||
            (room.sensibleCooling_W && m->rating.SensibleCapacity < *room.sensibleCooling_W))
            return std::nullopt;
        excess += m->rating.Capacity - room.totalCooling_W;
    }
    if (room.heating_W) {
        const std::string coil = fourPipeHeatingCoilOf(unit);
        const auto m = coil.empty() ? ratedCapacity(heatingRequest(c.line, c.speed, c.heating, 0, 0, false), unit)
                                    : ratedCapacity(heatingRequest(c.line, c.speed, c.fourPipeHeating, 0, 0, true), coil);
        if (!m || m->rating.Capacity < *room.heating_W)
            return std::nullopt;
        excess += m->rating.Capacity - *room.heating_W;
    }
    return excess;
}

TEST_P(ShippedRoom, GetsTheModelOfLeastExcessOrTheReason)
{
    const RoomCase& c = GetParam();
    const std::vector<RoomRow> rooms = parseRoomList(std::string(kHeading) + c.csv + "\n", "rooms.csv");
    LineLibrary lines(loadShippedLine);
    RunCache cache;
    const DesignConditions defaults;
    const ProjectItem item = selectRoom(rooms[0], defaults, lines, cache);
    const DesignConditions conditions = conditionsOf(rooms[0], defaults);
    const ModelTable& table = lines.table(conditions.line);

    // Every unit of the line, rated straight through the core: which meet, and by how much.
    std::optional<double> least;
    std::string leastUnit;
    for (int m = 1; m <= table.NumModels; ++m) {
        if (nameEndsWith(table.Modello[m], " 4P"))
            continue;
        const auto excess = directExcess(table, lines.constants(conditions.line), rooms[0], conditions, table.Modello[m]);
        if (excess && (!least || *excess < *least)) {
            least = excess;
            leastUnit = table.Modello[m];
        }
    }
    EXPECT_EQ(item.chosen(), c.fits) << describeNoFit(item);
    EXPECT_EQ(item.model, leastUnit);
    if (!c.fits) {
        ASSERT_TRUE(item.noFit);
        EXPECT_EQ(item.noFit->reason, NotListedReason::OutsideCapacityBand);
        EXPECT_GT(item.noFit->bestCapacity_W, 0.0f);
        return;
    }
    const bool fourPipe = !fourPipeHeatingCoilOf(item.model).empty();
    if (c.fourPipeExpected) {
        EXPECT_TRUE(fourPipe) << item.model;
    }
    if (item.heating) {
        // A 4-pipe unit heats with its " 4P" coil on the 4-pipe water, a 2-pipe one with its coil.
        EXPECT_EQ(item.heating->request.fourPipe, fourPipe);
        EXPECT_EQ(item.heating->rated->name, fourPipe ? fourPipeHeatingCoilOf(item.model) : item.model);
        EXPECT_EQ(item.heating->request.waterIn, fourPipe ? 70.0f : 45.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShippedRoom, ::testing::ValuesIn(kRooms),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SelectRooms, RoomsWithTheSameConditionsShareTheirRuns)
{
    if (!shippedDatabaseAvailable())
        GTEST_SKIP() << "the program folder has no tarvello.mdb (build tarvello_databases)";
    openModelDb(std::string(TARVELLO_APP_DIR) + "/");
    LineLibrary lines(loadShippedLine);
    RunCache cache;
    const std::vector<RoomRow> rooms =
        parseRoomList("tag,cooling_total_W,heating_W\nA,1500,1600\nB,2500,2000\nC,3000,\n", "rooms.csv");
    for (const RoomRow& room : rooms)
        selectRoom(room, DesignConditions{}, lines, cache);
    closeModelDb();
    EXPECT_EQ(cache.size(), 3u) << "one cooling, one 2-pipe heating and one 4-pipe heating run";
}

} // namespace
} // namespace tarvello
