// What an engineer relies on in the shipped range's datasheets: water pressure drops on
// a smooth band that rises with the size, 4-pipe units that move less air than their 2-pipe
// units at every pressure, capacities that do not hang on the last bit of a computation,
// the technical data of every model and its energy indexes recomputed from the catalogue.

#include "shipped_range.h"

#include "energy/energy_rating.h"
#include "modeldata/unit_data_loader.h"
#include "selection/selection_run.h"
#include "tools/calibrate/unit_data_csv.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

namespace tarvello::datatest {
namespace {

const std::filesystem::path kSourceDir = TARVELLO_SOURCE_DIR;

// "KXH 60+4P" -> family "KXH|+4P", size 60.
std::pair<std::string, int> familyAndSize(const std::string& name)
{
    const size_t space = name.find(' ');
    size_t end = space + 1;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end])))
        ++end;
    return {name.substr(0, space) + "|" + name.substr(end), std::stoi(name.substr(space + 1, end - space - 1))};
}

// The water pressure drop band at the nominal (top-speed) flow of the rated duty, kPa.
struct DropBand {
    const char* kind;
    double low, high;
};
DropBand dropBandOf(const ModelTable& t, int m)
{
    const std::string& name = t.Modello[m];
    const bool ducted = t.line != LineKX;
    if (catalogue::isFourPipeHeatingCoil(name))
        return {"heating coil of a 4-pipe unit", 7, 20};
    if (catalogue::isHeatingOnly(name))
        return {"heating-only unit", 10, 30};
    return ducted ? DropBand{"ducted unit", 18, 42} : DropBand{"fan coil", 10, 32};
}

TEST(ProductData, WaterPressureDropsLieInTheirBandAndRiseWithTheSize)
{
    for (const ModelTable& t : shippedLines()) {
        const int top = speedCountOf(t.line);
        std::map<std::string, std::vector<std::pair<int, double>>> families;
        for (int m = 1; m <= t.NumModels; ++m) {
            const bool cools = hasCooling(t.Modello[m]);
            const RatingResult r = outcomeIn(t, m, cools ? catalogue::standardCooling(t.line, top)
                                                         : standardHeatingOf(t, m, top))
                                       .rating;
            const DropBand band = dropBandOf(t, m);
            EXPECT_GE(r.WaterPressureDrop, band.low) << t.Modello[m] << " (" << band.kind << ")";
            EXPECT_LE(r.WaterPressureDrop, band.high) << t.Modello[m] << " (" << band.kind << ")";
            const auto [family, size] = familyAndSize(t.Modello[m]);
            families[family].push_back({size, r.WaterPressureDrop});
        }
        for (auto& [family, drops] : families) {
            std::sort(drops.begin(), drops.end());
            for (size_t i = 1; i < drops.size(); ++i) {
                EXPECT_GT(drops[i].second, drops[i - 1].second)
                    << family << " size " << drops[i].first << " after size " << drops[i - 1].first;
                EXPECT_LT(drops[i].second, 1.5 * drops[i - 1].second)
                    << family << " size " << drops[i].first << ": a smooth band has no jumps";
            }
        }
    }
}

// The leaving air follows the coil's depth and face velocity: within a family of 2-pipe
// units it is not one number at the catalogue conditions.
TEST(ProductData, LeavingAirVariesAcrossAFamily)
{
    for (const ModelTable& t : shippedLines()) {
        const int top = speedCountOf(t.line);
        std::map<std::string, std::pair<double, double>> spread; // family -> lowest, highest
        for (int m = 1; m <= t.NumModels; ++m) {
            if (!hasCooling(t.Modello[m]))
                continue;
            const double air = outcomeIn(t, m, catalogue::standardCooling(t.line, top)).rating.AirOut;
            const auto [family, size] = familyAndSize(t.Modello[m]);
            auto [it, first] = spread.try_emplace(family, air, air);
            it->second = {std::min(it->second.first, air), std::max(it->second.second, air)};
        }
        for (const auto& [family, range] : spread) {
            EXPECT_GE(range.second - range.first, 0.2) << family << ": leaving air from " << range.first << " to "
                                                       << range.second << " °C";
            EXPECT_GT(range.first, 10.0) << family;
            EXPECT_LT(range.second, 16.0) << family;
        }
    }
}

// The flow a fan curve delivers at pressure p (m³/h), or 0 above its shut-off pressure.
double flowAt(const ModelTable& t, int m, int speed, double p)
{
    const double a = t.VelA[m][speed], b = t.VelB[m][speed], c = t.VelC[m][speed] - p;
    if (c <= 0)
        return 0;
    return (-b - std::sqrt(b * b - 4 * a * c)) / (2 * a);
}

TEST(ProductData, FourPipeUnitsMoveLessAirThanTheirTwoPipeUnitsAtEveryPressure)
{
    int compared = 0;
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m) {
            const std::string& name = t.Modello[m];
            if (!nameEndsWith(name, "+4P"))
                continue;
            const int twoPipe = modelNamed(t, name.substr(0, name.size() - 3));
            for (int s = 1; s <= speedCountOf(t.line); ++s) {
                const double shutOff = t.VelC[twoPipe][s];
                for (double share = 0; share < 1.0; share += 0.1) {
                    const double p = share * shutOff;
                    EXPECT_LT(flowAt(t, m, s, p), flowAt(t, twoPipe, s, p))
                        << name << " speed " << s << " at " << p << " Pa";
                    EXPECT_GT(flowAt(t, m, s, p), 0.8 * flowAt(t, twoPipe, s, p))
                        << name << " speed " << s << " at " << p << " Pa: one coil more, not a smaller fan";
                }
                ++compared;
            }
        }
    EXPECT_GT(compared, 0);
}

// The selection shows capacities in tens of watts: no catalogue capacity lies within 1 W
// of a value where the shown figure steps (x5 W), so a rounding of the last bit cannot
// change what is shown.
TEST(ProductData, NoCatalogueCapacityLiesWithinOneWattOfADisplayStep)
{
    const auto clearance = [](double watts) { return std::fabs(std::fmod(watts, 10.0) - 5.0); };
    int checked = 0;
    for (const ModelTable& t : shippedLines()) {
        const catalogue::CatalogueRuns runs(t);
        for (int m = 1; m <= t.NumModels; ++m)
            for (int s = 1; s <= runs.speeds(); ++s) {
                const std::string where = t.Modello[m] + " speed " + std::to_string(s);
                if (const ModelOutcome& c = runs.cooling(m, s); c.listed()) {
                    EXPECT_GE(clearance(c.rating.ExactCapacity), 1.0) << where << " cooling " << c.rating.ExactCapacity;
                    EXPECT_GE(clearance(c.rating.ExactSensibleCapacity), 1.0)
                        << where << " sensible " << c.rating.ExactSensibleCapacity;
                    EXPECT_EQ(c.rating.Capacity, RoundToTensOfWatts(c.rating.ExactCapacity)) << where;
                    checked += 2;
                }
                if (const ModelOutcome& h = runs.heating(m, s); h.listed()) {
                    EXPECT_GE(clearance(h.rating.ExactCapacity), 1.0) << where << " heating " << h.rating.ExactCapacity;
                    ++checked;
                }
            }
    }
    EXPECT_GT(checked, 400);
}

const energy::UnitDataTable& shippedUnitData()
{
    static const energy::UnitDataTable table = [] {
        AccessDatabase db;
        db.open(std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName, kModelDbConnect);
        return loadUnitData(db);
    }();
    return table;
}

TEST(ProductData, TechnicalDataCoverEveryModelAndEverySpeed)
{
    size_t models = 0;
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m, ++models) {
            const std::string& name = t.Modello[m];
            const energy::UnitData* u = shippedUnitData().find(name);
            ASSERT_NE(u, nullptr) << name << " has no technical data";
            const int speeds = speedCountOf(t.line);
            ASSERT_EQ(u->fanPower_W.size(), size_t(speeds)) << name;
            ASSERT_EQ(u->motorCurrent_A.size(), size_t(speeds)) << name;
            for (int s = 1; s < speeds; ++s) {
                EXPECT_LT(u->fanPower_W[size_t(s - 1)], u->fanPower_W[size_t(s)]) << name << " speed " << s + 1;
                EXPECT_LT(u->motorCurrent_A[size_t(s - 1)], u->motorCurrent_A[size_t(s)]) << name << " speed " << s + 1;
            }
            const bool singlePhase = u->supply.rfind("230 V", 0) == 0;
            for (int s = 0; s < speeds; ++s) {
                // Running current of the fan motor: power / (voltage × power factor).
                const double current = singlePhase ? u->fanPower_W[size_t(s)] / (230 * 0.9)
                                                   : u->fanPower_W[size_t(s)] / (std::sqrt(3.0) * 400 * 0.85);
                EXPECT_NEAR(u->motorCurrent_A[size_t(s)], current, 0.006) << name << " speed " << s + 1;
            }
            EXPECT_FALSE(u->waterConnection.empty()) << name;
            EXPECT_EQ(!u->heatingConnection.empty(), nameEndsWith(name, "+4P")) << name;
            EXPECT_GT(u->width_mm, t.LunBat[m]) << name << ": the unit holds its coil";
            EXPECT_GT(u->height_mm, t.AltBAt[m]) << name;
            EXPECT_GT(u->waterContent_l, 0.3) << name;
            EXPECT_LT(u->waterContent_l, 10) << name;
            EXPECT_EQ(u->energy.fceer.has_value(), hasCooling(name)) << name;
            EXPECT_EQ(u->energy.fccop.has_value(), hasHeating(name)) << name;
        }
    EXPECT_EQ(shippedUnitData().size(), models) << "a row names a model the range does not have";
}

// FCEER = Σ w·capacity / Σ w·fan power at the lowest, middle and top speed with the
// weights 0.4, 0.4, 0.2; from the capacities the catalogue shows and the table's power.
double indexFromCatalogue(const catalogue::CatalogueRuns& runs, int m, const energy::UnitData& u, bool cooling)
{
    const int n = runs.speeds();
    const int speeds[3] = {1, (n + 1) / 2, n};
    const double weights[3] = {0.4, 0.4, 0.2};
    double capacity = 0, power = 0;
    for (int i = 0; i < 3; ++i) {
        const ModelOutcome& o = cooling ? runs.cooling(m, speeds[i]) : runs.heating(m, speeds[i]);
        capacity += weights[i] * o.rating.Capacity;
        power += weights[i] * u.fanPower_W[size_t(speeds[i] - 1)];
    }
    return capacity / power;
}

TEST(ProductData, EnergyIndexesAgreeWithTheCatalogueAndTheFormula)
{
    std::map<char, int> coolingClasses;
    for (const ModelTable& t : shippedLines()) {
        const catalogue::CatalogueRuns runs(t);
        for (int m = 1; m <= t.NumModels; ++m) {
            const std::string& name = t.Modello[m];
            const energy::UnitData* u = shippedUnitData().find(name);
            ASSERT_NE(u, nullptr) << name;
            if (hasCooling(name)) {
                EXPECT_NEAR(*u->energy.fceer, indexFromCatalogue(runs, m, *u, true), 0.051) << name << " FCEER";
                ++coolingClasses[u->energy.fceerClass()];
            }
            if (hasHeating(name)) {
                EXPECT_NEAR(*u->energy.fccop, indexFromCatalogue(runs, m, *u, false), 0.051) << name << " FCCOP";
            }
        }
    }
    EXPECT_GE(coolingClasses.size(), 3u) << "the range spans several classes";
}

// A model database of the original layout (the line tables and accessories only) loads,
// runs and rates as the shipped one; it shows no technical data.
TEST(ProductData, ADatabaseWithoutTheTechnicalDataStillLoadsAndRuns)
{
    const auto dir = std::filesystem::temp_directory_path() / "tarvello-original-layout";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::string command = std::string(JETWRITER_TOOL) + " --output " + (dir / kModelDbFileName).string()
                          + " --password kelbrun";
    for (const char* table : {"DatiKORVE", "DatiMRZ", "DatiHJQ", "DPAcc", "DPAccHJQ"})
        command += " " + (kSourceDir / "data" / (std::string(table) + ".csv")).string();
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    openModelDb(dir.string());
    EXPECT_TRUE(energy::unitDataTable().empty());
    for (const ModelTable& shipped : shippedLines()) {
        ModelTable t;
        t.SeriesCode = shipped.SeriesCode;
        if (shipped.line == LineKX)
            CaricaDatiKORVE(t, ModelDb());
        else if (shipped.line == LineMRZ)
            CaricaDatiMRZ(t, ModelDb());
        else
            CaricaDatiHJQ(t, ModelDb());
        ASSERT_EQ(t.NumModels, shipped.NumModels);
        const RunRequest request = catalogue::standardCooling(t.line, speedCountOf(t.line));
        const RunResult original = catalogue::runLine(request, t, catalogue::constantsOf(t.line));
        const RunResult current = catalogue::runLine(request, shipped, catalogue::constantsOf(t.line));
        ASSERT_EQ(original.models.size(), current.models.size());
        EXPECT_GT(original.listedCount(), 0);
        for (size_t i = 0; i < original.models.size(); ++i)
            EXPECT_EQ(original.models[i].rating.Capacity, current.models[i].rating.Capacity)
                << original.models[i].name;
    }
    closeModelDb();
    openModelDb(TARVELLO_APP_DIR);
    EXPECT_FALSE(energy::unitDataTable().empty()) << "the shipped database has the table";
    closeModelDb();
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tarvello::datatest
