#pragma once
// The loader of the technical data table (DatiTecnici) of the model database: per model
// name its dimensions, weight, water connections and content, fan power and motor current
// per speed, supply and rated energy indexes. The line loaders never read this table, so a
// database of the original layout (without it) loads as before and shows no such figures.
//
// A row the table cannot hold (an empty or non-finite number, a value outside the physical
// range of its column, more speeds than a unit has) throws ModelDataError naming the table,
// the row and the column, as the line loaders do.

#include "energy/unit_data.h"
#include "platform/access_database.h"

namespace tarvello {

inline constexpr const char* kUnitDataTable = "DatiTecnici";

// The table's rows; an empty table when the database has no such table.
energy::UnitDataTable loadUnitData(const AccessDatabase& db);

// Fills the process-wide energy::unitDataTable() from `db` (emptied first, so a database
// without the table leaves it empty).
void loadProgramUnitData(const AccessDatabase& db);

} // namespace tarvello
