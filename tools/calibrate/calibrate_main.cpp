// calibrate: the product data tool, run by hand.
//   calibrate calibrate   solves the coil coefficients of data/*.csv against
//                         data/catalogue_targets.csv, rewrites the model CSVs and the energy
//                         indexes of data/DatiTecnici.csv, prints the fit
//   calibrate report      prints how closely the shipped data meets the targets
//   calibrate catalogue   writes docs/catalogue.md from the shipped data
// Options: --data DIR (default: the source tree's data/), --catalogue FILE.

#include "engine/product_lines.h"
#include "tools/calibrate/calibration.h"
#include "tools/calibrate/catalogue.h"
#include "tools/calibrate/product_csv.h"
#include "tools/calibrate/standard_runs.h"
#include "tools/calibrate/unit_data_csv.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

using namespace tarvello;
using namespace tarvello::catalogue;

namespace {

struct Options {
    std::filesystem::path dataDir = TARVELLO_SOURCE_DIR "/data";
    std::filesystem::path cataloguePath = TARVELLO_SOURCE_DIR "/docs/catalogue.md";
    std::string command;
};

double percentOff(double achieved, double target)
{
    return target > 0 ? (achieved / target - 1) * 100 : 0;
}

// Prints every target row with what the data gives, and the worst deviations.
void printReport(const std::vector<Achieved>& rows)
{
    double worstCooling = 0, worstShare = 0, worstHeating = 0, worstDrop = 0;
    int failed = 0;
    std::printf("%-14s %2s %9s %9s %6s %6s %9s %9s %6s %6s\n", "model", "sp", "cool tgt", "cool", "shr t", "shr",
                "heat tgt", "heat", "dp t", "dp");
    for (const Achieved& a : rows) {
        const Target& t = a.target;
        std::printf("%-14s %2d %9.0f %9.0f %6.3f %6.3f %9.0f %9.0f %6.1f %6.1f%s\n", t.model.c_str(), t.speed,
                    t.cooling_W, a.cooling_W, t.sensibleShare, a.sensibleShare, t.heating_W, a.heating_W,
                    t.waterDrop_kPa, a.waterDrop_kPa, a.converged ? "" : "  NOT CONVERGED");
        failed += !a.converged;
        worstCooling = std::max(worstCooling, std::fabs(percentOff(a.cooling_W, t.cooling_W)));
        worstShare = std::max(worstShare, std::fabs(double(a.sensibleShare) - t.sensibleShare) * (t.sensibleShare > 0));
        worstHeating = std::max(worstHeating, std::fabs(percentOff(a.heating_W, t.heating_W)));
        worstDrop = std::max(worstDrop, std::fabs(percentOff(a.waterDrop_kPa, t.waterDrop_kPa)));
    }
    std::printf("\nworst deviation: cooling %.2f %%, sensible share %.3f, heating %.2f %%, water drop %.1f %%; "
                "%d rows without convergence\n",
                worstCooling, worstShare, worstHeating, worstDrop, failed);
}

int run(const Options& o)
{
    const auto targets = readTargets(o.dataDir / "catalogue_targets.csv");
    std::array<ModelTable, kProductLines.size()> tables;
    for (const ProductLineInfo& line : kProductLines)
        readLine(line.id, o.dataDir, tables[line.id]);
    if (o.command == "catalogue") {
        std::ofstream out(o.cataloguePath, std::ios::binary | std::ios::trunc);
        out << catalogueText(tables[LineKX], tables[LineMRZ], tables[LineHJQ], readUnitData(o.dataDir));
        return out ? 0 : 1;
    }
    if (o.command != "calibrate" && o.command != "report")
        return 2;
    std::vector<Achieved> all;
    for (ModelTable& table : tables) {
        const CoilConstants k = constantsOf(table.line);
        if (o.command == "calibrate") {
            calibrateLine(table, k, targets);
            writeModelTable(table, o.dataDir);
        }
        const auto rows = compareWithTargets(table, k, targets);
        all.insert(all.end(), rows.begin(), rows.end());
    }
    if (o.command == "calibrate")
        writeEnergyIndexes({&tables[LineKX], &tables[LineMRZ], &tables[LineHJQ]}, o.dataDir);
    printReport(all);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc)
            o.dataDir = argv[++i];
        else if (arg == "--catalogue" && i + 1 < argc)
            o.cataloguePath = argv[++i];
        else
            o.command = arg;
    }
    try {
        const int status = run(o);
        if (status == 2)
            std::fprintf(stderr, "usage: calibrate [--data DIR] [--catalogue FILE] calibrate|report|catalogue\n");
        return status;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "calibrate: %s\n", e.what());
        return 1;
    }
}
