#pragma once
// The results grid of the ducted window: its headings per mode and given quantity
// (IntestazioniMRZ) and the text of a result row. The input summary uses the KX window's
// summary grid. All units and masks are the current ones.

#include "engine/model_table.h"
#include "engine/rating.h"
#include "selection_ducted/ducted_run.h"
#include "selection_kx/text_grid.h"

#include <QString>

namespace tarvello {

// Which columns a run shows: the water column follows the given water value, the air
// column the given air quantity.
struct DuctedColumns {
    bool waterFlowGiven = false; // the water column shows the leaving water temperature
    bool airFlowGiven = false;   // the air column shows the available pressure
};

// Lays the results grid out for `mode` and empties it: heading row, unit row and one empty
// row, two fixed rows.
void layoutDuctedGrid(TextGrid& grid, int mode, const DuctedColumns& columns, qint16 langBase);

// The tab-separated cells of one result row for the speed of the run.
QString ductedResultRow(const RatingResult& result, const DuctedAirSide& air, const ModelTable& table,
                        int speed, int mode, bool leavingWaterGiven, bool airFlowGiven);

} // namespace tarvello
