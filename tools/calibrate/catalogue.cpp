#include "tools/calibrate/catalogue.h"

#include "engine/product_lines.h"
#include "tools/calibrate/standard_runs.h"
#include "tools/calibrate/unit_data_csv.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>

namespace tarvello::catalogue {

namespace {

constexpr double kLitresPerHourPerM3s = 3600.0 * 1000.0;
const char* const kNone = "—";

std::string format(const char* mask, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, mask, value);
    return buffer;
}

// What each line's section calls its units, and how its accessories are fitted for the
// catalogue (the ducted lines).
struct LineWords {
    const char* units;
    const char* accessoryFitted;
};
constexpr LineWords kLineWords[] = {
    {"KXA, KXE and KXH fan coils", ""},
    {"KXR ducted units", ", outlet plenum (accessory row 2) fitted.\n\n"},
    {"KXN ducted units", "; the 4-pipe heating coils with the additional coil (accessory row 1).\n\n"},
};
static_assert(std::size(kLineWords) == kProductLines.size());

std::string lineTitle(const ProductLineInfo& line)
{
    std::string title = "Line " + std::to_string(line.id) + ": " + kLineWords[line.id].units + " (" + line.modelTable;
    if (line.accessoryTable)
        title += std::string(", accessories ") + line.accessoryTable;
    return title + ")";
}

std::optional<RatingResult> rated(const ModelOutcome& outcome)
{
    return outcome.listed() ? std::optional<RatingResult>(outcome.rating) : std::nullopt;
}

struct Range {
    double low = 0, high = 0;
    std::string lowModel, highModel;
    void add(double value, const std::string& model)
    {
        if (lowModel.empty() || value < low) {
            low = value;
            lowModel = model;
        }
        if (highModel.empty() || value > high) {
            high = value;
            highModel = model;
        }
    }
    std::string text() const
    {
        if (lowModel.empty())
            return kNone;
        return format("%.0f W", low) + " (" + lowModel + ") to " + format("%.0f W", high) + " (" + highModel + ")";
    }
};

std::string heatingWaterText(const std::string& model)
{
    return catalogueHeatingWater(model) == HeatingWater::HighTemperature ? "70/60" : "45/40";
}

} // namespace

static std::string unitDataSection(const ModelTable& t, const CatalogueRuns& runs, const energy::UnitDataTable& units)
{
    std::string out = "Unit data and energy indexes (FCEER in cooling, FCCOP in heating, with their class; "
                      "docs/product-data.md):\n\n"
                      "| Model | W × H × D mm | Weight kg | Water connection | Heating coil connection "
                      "| Water content l | Supply | Motor current A | FCEER | FCCOP |\n"
                      "|---|---|---|---|---|---|---|---|---|---|\n";
    std::optional<double> lowest, highest;
    std::string lowestModel, highestModel;
    for (int m = 1; m <= t.NumModels; ++m) {
        const std::string& name = t.Modello[m];
        const energy::UnitData* u = units.find(name);
        if (!u) {
            out += "| " + name + " | " + kNone + " | " + kNone + " | " + kNone + " | " + kNone + " | " + kNone
                   + " | " + kNone + " | " + kNone + " | " + kNone + " | " + kNone + " |\n";
            continue;
        }
        // The indexes as the catalogue's own ratings give them (the table stores the same).
        const energy::EnergyFigures e = catalogueEnergy(runs, m, *u);
        auto orNone = [](const std::string& text) { return text.empty() ? std::string(kNone) : text; };
        out += "| " + name + " | " + format("%.0f", u->width_mm) + " × " + format("%.0f", u->height_mm) + " × "
               + format("%.0f", u->depth_mm) + " | " + format("%.1f", u->weight_kg) + " | " + u->waterConnection
               + " | " + orNone(u->heatingConnection) + " | " + format("%.2f", u->waterContent_l) + " | "
               + u->supply + " | " + format("%.2f", u->motorCurrent_A.empty() ? 0.0 : u->motorCurrent_A.back())
               + " | " + orNone(energy::indexText(e.fceer, e.fceerClass())) + " | "
               + orNone(energy::indexText(e.fccop, e.fccopClass())) + " |\n";
        if (e.fceer) {
            if (!lowest || *e.fceer < *lowest) {
                lowest = e.fceer;
                lowestModel = name;
            }
            if (!highest || *e.fceer > *highest) {
                highest = e.fceer;
                highestModel = name;
            }
        }
    }
    out += "\nMotor current at the top speed; dimensions width × height × depth.";
    if (lowest && highest)
        out += " FCEER from " + energy::indexText(lowest, energy::coolingClass(*lowest)) + " (" + lowestModel
               + ") to " + energy::indexText(highest, energy::coolingClass(*highest)) + " (" + highestModel + ").";
    return out + "\n\n";
}

std::string lineSection(const ModelTable& t, const energy::UnitDataTable& units)
{
    const ProductLineInfo& line = productLine(t.line);
    const CatalogueRuns runs(t);
    const bool kx = !line.ducted();
    std::string out = "## " + lineTitle(line) + "\n\n";
    out += kx ? "Fan at 0 Pa static pressure (free blow).\n\n"
              : format("External static pressure %.0f Pa", cataloguePressure(t.line))
                    + kLineWords[line.id].accessoryFitted;
    out += "| Model | Speed | Air m³/h | Cooling W | Sensible W | Sensible share | Water l/h | Water kPa "
           "| Heating water °C | Heating W | Water l/h | Water kPa | LWA dB(A) |";
    out += kx ? " LPA dB(A) | Fan W |\n" : " Fan W |\n";
    out += "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|";
    out += kx ? "---|\n" : "\n";
    Range cooling, heating;
    for (int m = 1; m <= t.NumModels; ++m) {
        const std::string& name = t.Modello[m];
        for (int s = 1; s <= runs.speeds(); ++s) {
            const auto cr = rated(runs.cooling(m, s));
            const auto hr = rated(runs.heating(m, s));
            const float air = cr ? cr->AirFlow * 3600.0f : hr ? hr->AirFlow * 3600.0f : 0.0f;
            out += "| " + name + " | " + std::to_string(s) + " | " + (air > 0 ? format("%.0f", air) : kNone) + " | ";
            if (cr) {
                out += format("%.0f", cr->Capacity) + " | " + format("%.0f", cr->SensibleCapacity) + " | "
                       + format("%.2f", cr->SensibleCapacity / cr->Capacity) + " | "
                       + format("%.0f", cr->WaterFlow * kLitresPerHourPerM3s) + " | "
                       + format("%.1f", cr->WaterPressureDrop) + " | ";
                cooling.add(cr->Capacity, name);
            } else {
                out += std::string(kNone) + " | " + kNone + " | " + kNone + " | " + kNone + " | " + kNone + " | ";
            }
            if (hr) {
                out += heatingWaterText(name) + " | " + format("%.0f", hr->Capacity) + " | "
                       + format("%.0f", hr->WaterFlow * kLitresPerHourPerM3s) + " | "
                       + format("%.1f", hr->WaterPressureDrop) + " | ";
                heating.add(hr->Capacity, name);
            } else {
                out += std::string(kNone) + " | " + kNone + " | " + kNone + " | " + kNone + " | ";
            }
            out += format("%.0f", t.LWA[m][s]) + " |";
            if (kx)
                out += " " + format("%.0f", t.LPA[m][s]) + " |";
            const energy::UnitData* u = units.find(name);
            const std::optional<double> fan = u ? u->fanPowerAt(s) : std::nullopt;
            out += " " + (fan ? format("%.1f", *fan) : std::string(kNone)) + " |\n";
        }
    }
    out += "\nCooling from " + cooling.text() + "; heating from " + heating.text() + ".\n\n";
    out += unitDataSection(t, runs, units);
    return out;
}

std::string catalogueText(const ModelTable& kx, const ModelTable& mrz, const ModelTable& hjq,
                          const energy::UnitDataTable& units)
{
    std::string out = "# Tarvello product range\n\n"
                      "Generated from the shipped model data by `calibrate catalogue` (tools/calibrate); "
                      "do not edit by hand. Every value is the rating engine's own, with the preparation "
                      "of the selection windows.\n\n"
                      "- Cooling: entering air 27 °C dry bulb, 19 °C wet bulb; water 7 °C in, 12 °C out.\n"
                      "- Heating: entering air 20 °C; water 45 °C in, 40 °C out (2-pipe units and heating-only "
                      "units), 70 °C in, 60 °C out (the heating coil of a 4-pipe unit, the \" 4P\" rows, rated "
                      "with the 4-pipe box checked).\n"
                      "- \"+4P\" rows are the main coil of a 4-pipe unit (cooling only); \"DF\" rows are "
                      "heating-only units; a dash marks a duty the selection does not rate for the row.\n"
                      "- Capacities rounded to tens of watts as the selection shows them; water flow in l/h; "
                      "sound power LWA (and sound pressure LPA for the fan coils) per speed; fan power "
                      "input per speed.\n"
                      "- FCEER and FCCOP: capacity over fan power input at the standard conditions, weighted "
                      "over the lowest, middle and top speed; the weighting, the class limits and the ranges "
                      "of the unit data are in docs/product-data.md.\n\n";
    out += lineSection(kx, units);
    out += lineSection(mrz, units);
    out += lineSection(hjq, units);
    return out;
}

} // namespace tarvello::catalogue
