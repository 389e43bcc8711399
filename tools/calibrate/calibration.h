#pragma once
// Calibration of the coil coefficients of the shipped range against our catalogue
// targets (data/catalogue_targets.csv): per model and speed the total cooling capacity
// (air-side coefficient, FC30 family), the sensible share (bypass coefficient, C100
// family), the heating capacity (CC30 family) and, at the top rated speed, the water
// pressure drop (the equivalent number of parallel circuits NC, then the circuit-length
// coefficient CC50 / FCC50 / CCC50). Capacities are solved unrounded, each moved clear of a
// step of the shown tens of watts.
// Every capacity is the selection run's own rating of the model at the standard conditions
// (standard_runs.h).

#include "engine/coil_constants.h"
#include "engine/model_table.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarvello::catalogue {

// One target row; a value of 0 means "no target".
struct Target {
    std::string model;
    int speed = 0;
    float cooling_W = 0;       // total cooling, 27/19 °C air, 7/12 °C water
    float sensibleShare = 0;   // sensible / total cooling
    float heating_W = 0;       // 20 °C air, 45/40 °C water; 70/60 °C for a 4-pipe heating coil
    float waterDrop_kPa = 0;   // at the flow of the rated duty (cooling, or heating for heating-only rows)
};

std::vector<Target> readTargets(const std::filesystem::path& file);

// What the shipped data gives for a target row (0 where the target has no value).
struct Achieved {
    Target target;
    float cooling_W = 0;
    float sensibleShare = 0;
    float heating_W = 0;
    float waterDrop_kPa = 0;
    bool converged = true;
};

// Rates every target row of the models of `table` and reports what the data gives: the
// capacities in cooling for models that have cooling, else in the heating duty of the
// row's kind.
std::vector<Achieved> compareWithTargets(const ModelTable& table, const CoilConstants& k,
                                         const std::vector<Target>& targets);

// Sets NC, the coefficients and the circuit-length coefficients of every model of `table`
// that has targets. Coefficients stay inside the plausible air film of 40 to 80 W/(m²·K)
// at 2 m/s and the bypass coefficient inside 0.05 to 0.2; a target outside their reach is
// met as closely as the bound allows (compareWithTargets shows how closely).
void calibrateLine(ModelTable& table, const CoilConstants& k, const std::vector<Target>& targets);

} // namespace tarvello::catalogue
