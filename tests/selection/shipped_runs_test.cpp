// The program's own output, pinned: runs of the three shipped lines at the catalogue's
// conditions (every speed, cooling, heating with 2-pipe water and the 4-pipe coils with
// their water) and a handful of others (the water flow given, glycol, a band, a static
// pressure, mixed air streams, the air flow given), every model with its outcome and
// values, compared with the committed fixture within small allowances.
//
// TARVELLO_WRITE_GOLDEN=1 rewrites the fixture (after a change that is meant to alter the
// results; review the difference before committing it).

#include "engine/arithmetic.h"
#include "engine/psychrometrics.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection/selection_run.h"

#include "outcome_text.h"
#include "sample_lines.h"
#include "tolerance.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace tarvello {
namespace {

using testing::Allowance;
using testing::describeRequest;
using testing::outcomeName;

const std::string kFixturePath = TARVELLO_SOURCE_DIR "/tests/selection/golden/shipped_runs.csv";
const std::string kDatabasePath = std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName;

// --- the runs -----------------------------------------------------------------------------

struct ShippedRun {
    std::string label; // unique, the key of its rows in the fixture
    RunRequest request;
};

// The catalogue's external static pressure: free blow for the fan coils, 50 Pa ducted.
float cataloguePressure(int line)
{
    return productLine(line).ducted() ? 50.0f : 0.0f;
}

// The ducted window always passes its two streams; all return air unless mixed.
void allReturnAir(RunRequest& r)
{
    if (productLine(r.line).ducted())
        r.streams = AirStreams{100, r.air.dryBulb, r.air.relativeHumidity, 0, 0, 0};
}

// Cooling: air 27 °C dry bulb, 19 °C wet bulb; water 7 -> 12 °C.
RunRequest catalogueCooling(int line, int speed)
{
    RunRequest r;
    r.line = line;
    r.mode = ModeCooling;
    r.speed = speed;
    r.air = enteringAirFromHumidity(27, RelHumidityFromWetBulb(27, 19));
    r.waterIn = 7;
    r.waterOut = 12;
    r.staticPressure = cataloguePressure(line);
    allReturnAir(r);
    return r;
}

// Heating: air 20 °C; water 45 -> 40 °C, or 70 -> 60 °C for the 4-pipe coils with the box.
RunRequest catalogueHeating(int line, int speed, bool fourPipe)
{
    RunRequest r;
    r.line = line;
    r.mode = ModeHeating;
    r.speed = speed;
    r.air = {20, 0, 0};
    r.waterIn = fourPipe ? 70 : 45;
    r.waterOut = fourPipe ? 60 : 40;
    r.fourPipe = fourPipe;
    r.staticPressure = cataloguePressure(line);
    allReturnAir(r);
    return r;
}

// The humidity ratio of one stream, kg/kg.
float humidityRatioOf(float dryBulb, float rh)
{
    return HumidityRatioFromWetBulb(dryBulb, WetBulbFromRelHumidity(dryBulb, rh));
}

// A ducted request with the total air flow given and two streams, the entering air mixed
// as the ducted window mixes it: the dry bulb and, in cooling, the humidity ratio by volume
// flow.
RunRequest mixedAir(RunRequest r, float totalFlow_m3s, const AirStreams& streams)
{
    r.staticPressure = 0;
    r.totalAirFlow = totalFlow_m3s;
    r.streams = streams;
    const float returnFlow = ToSingle(double(totalFlow_m3s) * streams.returnShare / 100.0);
    const float freshFlow = ToSingle(double(totalFlow_m3s) * streams.freshShare / 100.0);
    const float dryBulb = ToSingle(
        (double(streams.returnDryBulb) * returnFlow + double(streams.freshDryBulb) * freshFlow) / totalFlow_m3s);
    if (!r.cooling()) {
        r.air = {dryBulb, 0, 0};
        return r;
    }
    const float mixedRatio =
        ToSingle(Divide(double(returnFlow) * humidityRatioOf(streams.returnDryBulb, streams.returnHumidity) +
                            double(freshFlow) * humidityRatioOf(streams.freshDryBulb, streams.freshHumidity),
                        totalFlow_m3s));
    const float wetBulb = WetBulbFromHumidityRatio(dryBulb, mixedRatio);
    r.air = {dryBulb, RelHumidityFromWetBulb(dryBulb, wetBulb), wetBulb};
    return r;
}

RunRequest withWaterFlow(RunRequest r, double m3s)
{
    r.leavingWaterGiven = false;
    r.waterOut = 0;
    r.waterFlow = m3s;
    return r;
}

std::string lineLabel(int line)
{
    return productLine(line).modelTable;
}

std::vector<ShippedRun> shippedRuns()
{
    std::vector<ShippedRun> runs;
    const auto add = [&](const std::string& label, const RunRequest& request) { runs.push_back({label, request}); };
    // The catalogue's conditions at every speed of every line.
    for (int line : {LineKX, LineMRZ, LineHJQ}) {
        const std::string name = lineLabel(line);
        for (int speed = 1; speed <= productLine(line).speeds; ++speed) {
            const std::string at = " speed " + std::to_string(speed);
            add(name + " catalogue cooling" + at, catalogueCooling(line, speed));
            add(name + " catalogue heating 45/40" + at, catalogueHeating(line, speed, false));
            add(name + " catalogue heating 70/60 4-pipe" + at, catalogueHeating(line, speed, true));
        }
    }
    // Fan coils: the water flow given, glycol, a band, a static pressure.
    add("DatiKORVE cooling water flow given speed 2", withWaterFlow(catalogueCooling(LineKX, 2), 0.00015));
    {
        RunRequest r = withWaterFlow(catalogueHeating(LineKX, 3, false), 0.0001);
        r.air = {15, 0, 0};
        r.waterIn = 50;
        add("DatiKORVE heating water flow given 15 °C air 50 °C water speed 3", r);
    }
    {
        RunRequest r = catalogueCooling(LineKX, 3);
        r.air = enteringAirFromHumidity(24, 50);
        r.waterIn = 10;
        r.waterOut = 15;
        r.glycolPercent = 30;
        r.staticPressure = 20;
        r.band = {1600, 2400};
        add("DatiKORVE cooling glycol 30 % 20 Pa band 1600-2400 W speed 3", r);
    }
    {
        RunRequest r = catalogueHeating(LineKX, 1, false);
        r.staticPressure = 30;
        r.glycolPercent = 20;
        add("DatiKORVE heating glycol 20 % 30 Pa speed 1", r);
    }
    // Ducted: mixed streams with the air flow given, the water flow given, pressures that
    // leave models out.
    add("DatiMRZ cooling mixed 70 % return 26 °C 50 % / 30 % fresh 32 °C 60 % 900 m³/h speed 3",
        mixedAir(catalogueCooling(LineMRZ, 3), 0.25f, {70, 26, 50, 30, 32, 60}));
    add("DatiMRZ heating mixed 80 % return 20 °C / 20 % fresh -5 °C 900 m³/h water flow given speed 2",
        mixedAir(withWaterFlow(catalogueHeating(LineMRZ, 2, false), 0.0002), 0.25f, {80, 20, 0, 20, -5, 0}));
    add("DatiMRZ cooling 2500 m³/h speed 1", mixedAir(catalogueCooling(LineMRZ, 1), 2500.0f / 3600, {100, 27, 50, 0, 0, 0}));
    add("DatiHJQ cooling mixed 50/50 water flow given speed 5",
        mixedAir(withWaterFlow(catalogueCooling(LineHJQ, 5), 0.0003), 0.4f, {50, 25, 55, 50, 30, 40}));
    add("DatiHJQ heating 4-pipe box mixed 1000 m³/h speed 7",
        mixedAir(catalogueHeating(LineHJQ, 7, true), 1000.0f / 3600, {90, 18, 0, 10, 0, 0}));
    {
        RunRequest r = catalogueCooling(LineHJQ, 1);
        r.staticPressure = 120;
        add("DatiHJQ cooling 120 Pa speed 1", r);
    }
    {
        RunRequest r = catalogueHeating(LineMRZ, 3, false);
        r.glycolPercent = 20;
        r.band = {3000, 6000};
        add("DatiMRZ heating glycol 20 % band 3000-6000 W speed 3", r);
    }
    return runs;
}

// --- the values of a model ----------------------------------------------------------------

struct ValueColumn {
    const char* name;
    Allowance allowance;
    double (*value)(const ModelOutcome&);
};

// Tiny allowances: a rounding of the last bits, never a change a user could see.
constexpr Allowance kPower{0.01, 1e-6};
constexpr Allowance kWaterFlow{1e-11, 1e-6};
constexpr Allowance kTemperature{1e-4, 1e-6};
constexpr Allowance kPressureDrop{1e-4, 1e-6};
constexpr Allowance kReynolds{0.01, 1e-6};
constexpr Allowance kAirFlow{1e-8, 1e-6};
constexpr Allowance kEnthalpy{1e-3, 1e-6};
constexpr Allowance kPressure{1e-3, 1e-6};
constexpr Allowance kExact{0, 0};

const ValueColumn kValues[] = {
    {"capacity_W", kPower, [](const ModelOutcome& m) { return double(m.rating.Capacity); }},
    {"sensible_W", kPower, [](const ModelOutcome& m) { return double(m.rating.SensibleCapacity); }},
    {"water_flow_m3s", kWaterFlow, [](const ModelOutcome& m) { return m.rating.WaterFlow; }},
    {"water_out_C", kTemperature, [](const ModelOutcome& m) { return double(m.rating.WaterOut); }},
    {"water_drop_kPa", kPressureDrop, [](const ModelOutcome& m) { return double(m.rating.WaterPressureDrop); }},
    {"reynolds", kReynolds, [](const ModelOutcome& m) { return double(m.rating.Reynolds); }},
    {"rated_air_flow_m3s", kAirFlow, [](const ModelOutcome& m) { return double(m.rating.AirFlow); }},
    {"air_out_C", kTemperature, [](const ModelOutcome& m) { return double(m.rating.AirOut); }},
    {"air_out_enthalpy", kEnthalpy, [](const ModelOutcome& m) { return double(m.rating.AirOutEnthalpy); }},
    {"dry_coil", kExact, [](const ModelOutcome& m) { return m.rating.DryCoil ? 1.0 : 0.0; }},
    {"air_flow_m3s", kAirFlow, [](const ModelOutcome& m) { return double(m.air.airFlow); }},
    {"reference_flow_m3s", kAirFlow, [](const ModelOutcome& m) { return double(m.air.referenceFlow); }},
    {"available_pressure_Pa", kPressure, [](const ModelOutcome& m) { return double(m.air.availablePressure); }},
    {"pressure_capped", kExact, [](const ModelOutcome& m) { return m.air.pressureCapped ? 1.0 : 0.0; }},
    {"band_capacity_W", kPower, [](const ModelOutcome& m) { return double(m.capacity); }},
    {"sound_power", kExact, [](const ModelOutcome& m) { return double(m.soundPower); }},
    {"sound_pressure", kExact, [](const ModelOutcome& m) { return double(m.soundPressure); }},
};

// One row of the fixture: a model of a run, or the failure that ended a run.
struct FixtureRow {
    std::string run;
    int model = 0;
    std::string name;
    std::string outcome;
    std::vector<double> values;
};

std::string number(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string failureOutcome(const RunFailure& failure)
{
    return "failure " + std::to_string(failure.number) + " at model " + std::to_string(failure.model);
}

std::vector<FixtureRow> rowsOf(const ShippedRun& run, const RunResult& result)
{
    std::vector<FixtureRow> rows;
    for (const ModelOutcome& model : result.models) {
        FixtureRow row{run.label, model.model, model.name, outcomeName(model.reason), {}};
        for (const ValueColumn& column : kValues)
            row.values.push_back(column.value(model));
        rows.push_back(row);
    }
    if (result.failure)
        rows.push_back({run.label, 0, "", failureOutcome(*result.failure), std::vector<double>(std::size(kValues), 0)});
    return rows;
}

std::string header()
{
    std::string text = "run,model,name,outcome";
    for (const ValueColumn& column : kValues)
        text += std::string(",") + column.name;
    return text;
}

void writeFixture(const std::vector<FixtureRow>& rows)
{
    std::ofstream out(kFixturePath, std::ios::trunc);
    out << "# Runs of the shipped lines through the selection core; rewrite with TARVELLO_WRITE_GOLDEN=1.\n"
        << header() << "\n";
    for (const FixtureRow& row : rows) {
        out << row.run << ',' << row.model << ',' << row.name << ',' << row.outcome;
        for (double value : row.values)
            out << ',' << number(value);
        out << '\n';
    }
}

std::vector<std::string> splitCommas(const std::string& line)
{
    std::vector<std::string> parts;
    std::stringstream in(line);
    std::string part;
    while (std::getline(in, part, ','))
        parts.push_back(part);
    if (!line.empty() && line.back() == ',')
        parts.emplace_back();
    return parts;
}

// The fixture's rows by run, in their order; false when the file is missing or its header
// is not this test's.
bool readFixture(std::map<std::string, std::vector<FixtureRow>>& runs, std::string& problem)
{
    std::ifstream in(kFixturePath);
    if (!in) {
        problem = "no fixture at " + kFixturePath;
        return false;
    }
    std::string line;
    while (std::getline(in, line) && line.rfind('#', 0) == 0) {
    }
    if (line != header()) {
        problem = "the fixture's header is not\n  " + header() + "\nbut\n  " + line;
        return false;
    }
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        const std::vector<std::string> fields = splitCommas(line);
        if (fields.size() != 4 + std::size(kValues)) {
            problem = "a fixture row without its " + std::to_string(4 + std::size(kValues)) + " fields: " + line;
            return false;
        }
        FixtureRow row{fields[0], std::stoi(fields[1]), fields[2], fields[3], {}};
        for (size_t i = 4; i < fields.size(); ++i)
            row.values.push_back(std::stod(fields[i]));
        runs[row.run].push_back(row);
    }
    return true;
}

// --- the shipped lines --------------------------------------------------------------------

class ShippedRuns : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!std::filesystem::exists(kDatabasePath))
            return;
        AccessDatabase db;
        db.open(kDatabasePath, kModelDbConnect);
        for (int line : {LineKX, LineMRZ, LineHJQ}) {
            // As the chooser loads a line: the loader sets the line and its series code.
            ModelTable& table = tables()[size_t(line)];
            table = ModelTable{};
            switch (line) {
            case LineKX: CaricaDatiKORVE(table, db); break;
            case LineMRZ: CaricaDatiMRZ(table, db); break;
            default: CaricaDatiHJQ(table, db); break;
            }
        }
    }
    void SetUp() override
    {
        if (!std::filesystem::exists(kDatabasePath))
            GTEST_SKIP() << "the program folder has no model database (" << kDatabasePath
                         << "): build the target tarvello_databases first";
    }

    static std::array<ModelTable, 3>& tables()
    {
        static std::array<ModelTable, 3> loaded;
        return loaded;
    }
    static RunResult rate(const ShippedRun& run)
    {
        return runSelection(run.request, tables()[size_t(run.request.line)], testing::constantsOf(run.request.line));
    }
};

TEST_F(ShippedRuns, TheLoadedLinesCarryTheirIdentity)
{
    for (int line : {LineKX, LineMRZ, LineHJQ}) {
        SCOPED_TRACE(lineLabel(line));
        EXPECT_EQ(tables()[size_t(line)].line, line);
        EXPECT_EQ(tables()[size_t(line)].SeriesCode, productLine(line).seriesCode);
        EXPECT_GT(tables()[size_t(line)].NumModels, 0);
        EXPECT_LE(tables()[size_t(line)].NumModels, maxModelsOf(line));
    }
}

TEST_F(ShippedRuns, EveryRunGivesWhatTheFixtureHolds)
{
    const std::vector<ShippedRun> runs = shippedRuns();
    if (std::getenv("TARVELLO_WRITE_GOLDEN")) {
        std::vector<FixtureRow> rows;
        for (const ShippedRun& run : runs)
            for (const FixtureRow& row : rowsOf(run, rate(run)))
                rows.push_back(row);
        writeFixture(rows);
        GTEST_SKIP() << "fixture rewritten: " << runs.size() << " runs, " << rows.size() << " rows in "
                     << kFixturePath;
    }
    std::map<std::string, std::vector<FixtureRow>> fixture;
    std::string problem;
    ASSERT_TRUE(readFixture(fixture, problem)) << problem;
    EXPECT_EQ(fixture.size(), runs.size()) << "runs in the fixture against runs of the test";
    for (const ShippedRun& run : runs) {
        SCOPED_TRACE(run.label);
        const std::string inputs = describeRequest(run.request);
        const auto pinned = fixture.find(run.label);
        if (pinned == fixture.end()) {
            ADD_FAILURE() << "the fixture has no run \"" << run.label << "\"; inputs: " << inputs;
            continue;
        }
        const std::vector<FixtureRow> actual = rowsOf(run, rate(run));
        const std::vector<FixtureRow>& expected = pinned->second;
        EXPECT_EQ(actual.size(), expected.size()) << "rows of the run; inputs: " << inputs;
        for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
            const FixtureRow& want = expected[i];
            const FixtureRow& have = actual[i];
            EXPECT_EQ(have.model, want.model) << inputs;
            EXPECT_EQ(have.name, want.name) << inputs;
            EXPECT_EQ(have.outcome, want.outcome) << want.name << "; inputs: " << inputs;
            for (size_t v = 0; v < std::size(kValues); ++v)
                EXPECT_TRUE(testing::withinAllowance(want.name + " " + kValues[v].name, want.values[v], have.values[v],
                                                     kValues[v].allowance, inputs));
        }
    }
}

// What the fixture pins must be worth pinning: each shipped line lists models in both
// modes, the 4-pipe coils are rated with their box, and the runs reach the reasons of the
// shipped data.
TEST_F(ShippedRuns, TheRunsCoverEveryLineModeAndReason)
{
    std::map<std::string, int> outcomes;
    int listedCooling[3] = {}, listedHeating[3] = {};
    for (const ShippedRun& run : shippedRuns()) {
        const RunResult result = rate(run);
        EXPECT_FALSE(result.failure) << run.label;
        const int line = run.request.line;
        EXPECT_EQ(int(result.models.size()), tables()[size_t(line)].NumModels) << run.label;
        for (const ModelOutcome& model : result.models)
            ++outcomes[outcomeName(model.reason)];
        (run.request.cooling() ? listedCooling : listedHeating)[line] += result.listedCount();
    }
    for (int line : {LineKX, LineMRZ, LineHJQ}) {
        EXPECT_GT(listedCooling[line], 0) << lineLabel(line);
        EXPECT_GT(listedHeating[line], 0) << lineLabel(line);
    }
    for (const char* reason : {"listed", "OtherMode", "FourPipeChoice", "FreeBlow", "QuarterFreeDelivery",
                               "NegativePressure", "OutsideCapacityBand"})
        EXPECT_GT(outcomes[reason], 0) << reason;
}

} // namespace
} // namespace tarvello
