#pragma once
// The technical data of the range (data/DatiTecnici.csv) as the tools read it, and the
// energy indexes of every model worked out from its catalogue ratings and its fan power.
// `calibrate calibrate` writes the indexes into the table after solving the coefficients,
// so the program shows the figures the catalogue and the product documents print.

#include "energy/unit_data.h"
#include "engine/model_table.h"
#include "tools/calibrate/standard_runs.h"

#include <filesystem>

namespace tarvello::catalogue {

inline constexpr const char* kUnitDataTableName = "DatiTecnici";

// Reads data/DatiTecnici.csv of `dataDir`. Throws ProductCsvError naming the row and column.
energy::UnitDataTable readUnitData(const std::filesystem::path& dataDir);

// The model's FCEER (when it is rated in cooling) and FCCOP (when it is rated in heating)
// from the shown capacities of its catalogue runs and the fan power of `unit`.
energy::EnergyFigures catalogueEnergy(const CatalogueRuns& runs, int model, const energy::UnitData& unit);

// Rewrites the FCEER and FCCOP columns of DatiTecnici.csv for the models of `tables`
// (one decimal), keeping every other cell. A model without technical data keeps empty cells.
void writeEnergyIndexes(const std::vector<const ModelTable*>& tables, const std::filesystem::path& dataDir);

} // namespace tarvello::catalogue
