// The committed catalogue and the calibration targets against the shipped data: the
// catalogue in docs/ is what the tool produces now from the database the build ships,
// the calibration tool reads the same numbers from the CSV sources as the program reads
// from the database, and the data meets our catalogue targets.

#include "tests/data/shipped_range.h"

#include "modeldata/unit_data_loader.h"
#include "tools/calibrate/catalogue.h"
#include "tools/calibrate/product_csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

namespace tarvello::datatest {
namespace {

const std::filesystem::path kSourceDir = TARVELLO_SOURCE_DIR;

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(ShippedCatalogue, CommittedCatalogueMatchesTheShippedData)
{
    const auto& lines = shippedLines();
    AccessDatabase db;
    db.open(std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName, kModelDbConnect);
    const std::string now = catalogue::catalogueText(lines[LineKX], lines[LineMRZ], lines[LineHJQ], loadUnitData(db));
    const std::string committed = fileText(kSourceDir / "docs" / "catalogue.md");
    // On a mismatch: build/tools/calibrate/calibrate catalogue, and commit docs/catalogue.md.
    if (now != committed) {
        const auto fresh = std::filesystem::temp_directory_path() / "tarvello-catalogue-now.md";
        std::ofstream(fresh, std::ios::binary) << now;
        ADD_FAILURE() << "docs/catalogue.md is stale: run `calibrate catalogue` (the text now: " << fresh << ")";
    }
}

TEST(ShippedCatalogue, ToolReadsTheSameNumbersAsTheProgram)
{
    for (const ProductLineInfo& info : kProductLines) {
        const int line = info.id;
        ModelTable fromCsv;
        catalogue::readLine(line, kSourceDir / "data", fromCsv);
        const ModelTable& fromDb = shippedLines()[line];
        ASSERT_EQ(fromCsv.NumModels, fromDb.NumModels) << "line " << line;
        for (int m = 1; m <= fromDb.NumModels; ++m) {
            EXPECT_EQ(fromCsv.Modello[m], fromDb.Modello[m]);
            EXPECT_EQ(fromCsv.NC[m], fromDb.NC[m]) << fromDb.Modello[m];
            EXPECT_EQ(fromCsv.FC30[m], fromDb.FC30[m]) << fromDb.Modello[m];
            EXPECT_EQ(fromCsv.C3C30[m], fromDb.C3C30[m]) << fromDb.Modello[m];
            EXPECT_EQ(fromCsv.FCC50[m], fromDb.FCC50[m]) << fromDb.Modello[m];
            EXPECT_EQ(fromCsv.CCC50[m], fromDb.CCC50[m]) << fromDb.Modello[m];
            EXPECT_EQ(fromCsv.Sezione[m], fromDb.Sezione[m]) << fromDb.Modello[m];
            EXPECT_EQ(fromCsv.Bocche[m], fromDb.Bocche[m]) << fromDb.Modello[m];
            for (int s = 1; s <= speedCountOf(line); ++s) {
                EXPECT_EQ(fromCsv.VelA[m][s], fromDb.VelA[m][s]) << fromDb.Modello[m];
                EXPECT_EQ(fromCsv.VelC[m][s], fromDb.VelC[m][s]) << fromDb.Modello[m];
                EXPECT_EQ(fromCsv.LWA[m][s], fromDb.LWA[m][s]) << fromDb.Modello[m];
            }
        }
        for (int a = 1; a <= fromDb.NumAccessories; ++a) {
            EXPECT_EQ(fromCsv.Cost[a], fromDb.Cost[a]);
            EXPECT_EQ(fromCsv.OPZBoc[a], fromDb.OPZBoc[a]);
        }
    }
}

std::vector<catalogue::Target> targets()
{
    return catalogue::readTargets(kSourceDir / "data" / "catalogue_targets.csv");
}

TEST(ShippedCatalogue, EveryModelHasTargetsForItsRatedSpeeds)
{
    std::set<std::pair<std::string, int>> rows;
    for (const catalogue::Target& t : targets())
        EXPECT_TRUE(rows.emplace(t.model, t.speed).second) << t.model << " speed " << t.speed << " twice";
    for (const ModelTable& t : shippedLines())
        for (int m = 1; m <= t.NumModels; ++m) {
            // The fan coils are calibrated per speed; the ducted units have one coefficient set,
            // calibrated at the top speed.
            const int first = productLine(t.line).ducted() ? speedCountOf(t.line) : 1;
            for (int s = first; s <= speedCountOf(t.line); ++s)
                EXPECT_TRUE(rows.count({t.Modello[m], s})) << where(t, m, s) << " has no target";
        }
}

// How closely the calibration met the targets. The capacities are solved by bisection
// on the air-side coefficients, kept inside a plausible air film; the sensible share
// moves little with the bypass coefficient; the water pressure drop steps with the whole
// number of circuits, so only its band is held.
TEST(ShippedCatalogue, DataMeetsTheCatalogueTargets)
{
    const auto all = targets();
    size_t compared = 0;
    for (const ModelTable& t : shippedLines()) {
        const auto rows = catalogue::compareWithTargets(t, catalogue::constantsOf(t.line), all);
        compared += rows.size();
        for (const catalogue::Achieved& a : rows) {
            const catalogue::Target& target = a.target;
            const std::string what = target.model + " speed " + std::to_string(target.speed);
            EXPECT_TRUE(a.converged) << what;
            if (target.cooling_W > 0) {
                EXPECT_NEAR(a.cooling_W / target.cooling_W, 1.0, 0.02) << what << " cooling";
            }
            if (target.sensibleShare > 0) {
                EXPECT_NEAR(a.sensibleShare, target.sensibleShare, 0.025) << what << " sensible share";
            }
            if (target.heating_W > 0) {
                EXPECT_NEAR(a.heating_W / target.heating_W, 1.0, 0.015) << what << " heating";
            }
            if (target.waterDrop_kPa > 0) {
                EXPECT_GE(a.waterDrop_kPa, 5) << what;
                EXPECT_LE(a.waterDrop_kPa, 50) << what;
            }
        }
    }
    EXPECT_EQ(compared, all.size()) << "a target names a model the range does not have";
}

} // namespace
} // namespace tarvello::datatest
