#pragma once
// What a datasheet and a schedule need of a unit beyond its rating, per model name, from
// the model database's technical data table (DatiTecnici): overall dimensions and weight,
// water connections, the coil's water content, the fan's power input and motor current per
// speed, the supply, and the unit's rated energy indexes. A database without the table
// leaves the store empty and every figure unknown.

#include "energy/energy_rating.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tarvello::energy {

struct UnitData {
    std::string model;
    double width_mm = 0, height_mm = 0, depth_mm = 0;
    double weight_kg = 0;
    std::string waterConnection;        // gas thread of the coil the row rates: 1/2", 3/4", ...
    std::string heatingConnection;      // "+4P": the heating coil's; else empty
    double waterContent_l = 0;
    std::vector<double> fanPower_W;     // per speed, from speed 1
    std::vector<double> motorCurrent_A; // per speed
    std::string supply;                 // "230 V 1~ 50 Hz"
    EnergyFigures energy;               // as rated at the standard conditions

    // The fan power input at `speed` (1-based); empty when the table has none.
    std::optional<double> fanPowerAt(int speed) const;
};

class UnitDataTable {
public:
    void add(UnitData data);
    // The model's data; null when the table has no row for it.
    const UnitData* find(const std::string& model) const;
    bool empty() const { return units_.empty(); }
    std::size_t size() const { return units_.size(); }
    void clear() { units_.clear(); }

private:
    std::map<std::string, UnitData> units_;
};

// The process-wide table, filled when the model database opens.
UnitDataTable& unitDataTable();

} // namespace tarvello::energy
