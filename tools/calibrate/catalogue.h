#pragma once
// The readable catalogue of the shipped range (docs/catalogue.md): every model of the
// three lines at every speed, rated by the selection run at the standard conditions
// (standard_runs.h), with its air flow, capacities, sensible share, water flow and
// pressure drop, sound levels and fan power, then per model its unit data (dimensions,
// weight, connections, water content, supply) and energy indexes (FCEER, FCCOP).

#include "energy/unit_data.h"
#include "engine/model_table.h"

#include <string>

namespace tarvello::catalogue {

// The Markdown text of one line's section (its table and its range of capacities).
// `units` holds the technical data (a model without a row shows dashes).
std::string lineSection(const ModelTable& table, const energy::UnitDataTable& units);

// The whole catalogue: a heading with the standard conditions, then the three lines.
std::string catalogueText(const ModelTable& kx, const ModelTable& mrz, const ModelTable& hjq,
                          const energy::UnitDataTable& units);

} // namespace tarvello::catalogue
