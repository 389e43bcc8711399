#pragma once
// The rating tables of the product information: every model of a line at every speed,
// rated by the selection run at the standard conditions (tools/calibrate/standard_runs.h),
// so the documents agree with what a user of the program finds.

#include "energy/unit_data.h"
#include "engine/model_table.h"
#include "engine/rating.h"
#include "tools/calibrate/standard_runs.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvello::productdocs {

// Which heating water a row is rated with.
using catalogue::HeatingWater;

struct RatingRow {
    std::string model;
    int speed = 0;
    bool firstSpeedOfModel = false;
    float airFlow_m3h = 0;               // 0 when neither duty gives an operating point
    std::optional<RatingResult> cooling; // empty: no cooling duty for this row
    std::optional<RatingResult> heating; // empty: no heating duty for this row
    HeatingWater heatingWater = HeatingWater::LowTemperature;
    float soundPower_dBA = 0;            // LWA
    float soundPressure_dBA = 0;         // LPA, fan coils only
    std::optional<double> fanPower_W;    // from the technical data
};

// A model's technical data and energy indexes (worked out from its catalogue ratings).
struct ModelUnitData {
    std::string model;
    std::optional<energy::UnitData> data; // empty: the database has no row for it
    energy::EnergyFigures energy;
};

// The lowest and highest capacity of a duty over a line, with the models giving them.
struct CapacityRange {
    float low_W = 0;
    float high_W = 0;
    std::string lowModel;
    std::string highModel;
    bool empty() const { return lowModel.empty(); }
    void add(float capacity_W, const std::string& model);
};

struct LineRatings {
    int line = LineKX;
    int speeds = 3;
    float externalPressure_Pa = 0; // ducted lines; the fan coils blow freely
    std::vector<std::string> models;  // in database order
    std::vector<RatingRow> rows;      // model by model, speed 1 first
    CapacityRange cooling;            // over every rated row
    CapacityRange heating;            // over the rows rated on 45/40 °C water
    std::vector<ModelUnitData> units; // in database order
};

// Rates every model of `table` (one loaded line) at every speed of its line; `units` gives
// the fan power and the unit data.
LineRatings rateLine(const ModelTable& table, const energy::UnitDataTable& units);

} // namespace tarvello::productdocs
