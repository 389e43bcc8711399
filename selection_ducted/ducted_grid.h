#pragma once
// The results grid of the ducted window: its value columns per mode and given quantities
// and its layout (IntestazioniMRZ). The input summary uses the shared summary grid.

#include "selection/result_columns.h"
#include "selection_ui/text_grid.h"

#include <vector>

namespace tarvello {

// Which columns a run shows: the water column follows the given water value, the air
// column the given air quantity.
struct DuctedColumns {
    bool waterFlowGiven = false; // the water column shows the leaving water temperature
    bool airFlowGiven = false;   // the air column shows the available pressure
};

std::vector<ResultColumn> ductedColumns(int mode, const DuctedColumns& given);

// Lays the results grid out for `mode` and empties it: heading row, unit row and one empty
// row, two fixed rows.
void layoutDuctedGrid(TextGrid& grid, int mode, const DuctedColumns& columns, qint16 langBase);

} // namespace tarvello
