#include "tools/productdocs/line_ratings.h"

#include "tools/calibrate/unit_data_csv.h"

#include "engine/product_lines.h"
#include "tools/calibrate/standard_runs.h"

namespace tarvello::productdocs {

namespace {

constexpr float kSecondsPerHour = 3600.0f;

std::optional<RatingResult> ratedResult(const ModelOutcome& outcome)
{
    if (!outcome.listed())
        return std::nullopt;
    return outcome.rating;
}

} // namespace

void CapacityRange::add(float capacity_W, const std::string& model)
{
    if (lowModel.empty() || capacity_W < low_W) {
        low_W = capacity_W;
        lowModel = model;
    }
    if (highModel.empty() || capacity_W > high_W) {
        high_W = capacity_W;
        highModel = model;
    }
}

LineRatings rateLine(const ModelTable& table, const energy::UnitDataTable& units)
{
    LineRatings line;
    line.line = table.line;
    line.speeds = speedCountOf(table.line);
    line.externalPressure_Pa = catalogue::cataloguePressure(table.line);
    const bool fanCoils = !productLine(table.line).ducted();
    // The heating coil of a four-pipe unit is rated as the selection rates it: with the
    // four-pipe box ticked, on hot water.
    const catalogue::CatalogueRuns runs(table);

    for (int m = 1; m <= table.NumModels; ++m) {
        const std::string& name = table.Modello[m];
        line.models.push_back(name);
        const energy::UnitData* unit = units.find(name);
        ModelUnitData modelUnit{name, unit ? std::optional<energy::UnitData>(*unit) : std::nullopt, {}};
        if (unit)
            modelUnit.energy = catalogue::catalogueEnergy(runs, m, *unit);
        line.units.push_back(modelUnit);
        for (int s = 1; s <= line.speeds; ++s) {
            RatingRow row;
            row.model = name;
            row.speed = s;
            row.firstSpeedOfModel = s == 1;
            row.heatingWater = catalogue::catalogueHeatingWater(name);
            row.cooling = ratedResult(runs.cooling(m, s));
            row.heating = ratedResult(runs.heating(m, s));
            if (row.cooling)
                row.airFlow_m3h = row.cooling->AirFlow * kSecondsPerHour;
            else if (row.heating)
                row.airFlow_m3h = row.heating->AirFlow * kSecondsPerHour;
            row.soundPower_dBA = table.LWA[m][s];
            row.soundPressure_dBA = fanCoils ? table.LPA[m][s] : 0.0f;
            if (unit)
                row.fanPower_W = unit->fanPowerAt(s);
            if (row.cooling)
                line.cooling.add(row.cooling->Capacity, name);
            // The range of a line is stated at the standard heating water, 45/40 °C.
            if (row.heating && row.heatingWater == HeatingWater::LowTemperature)
                line.heating.add(row.heating->Capacity, name);
            line.rows.push_back(row);
        }
    }
    return line;
}

} // namespace tarvello::productdocs
