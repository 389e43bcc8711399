#pragma once
// The KX results grid: its value columns per mode and water input, and its layout
// (ImpostaGriglia): the widths of the fan coil grid in the current language.

#include "selection/result_columns.h"
#include "selection_ui/text_grid.h"

#include <vector>

namespace tarvello {

// The fan coil columns of `mode`; the water column shows the leaving water temperature when
// the water flow is given, the water flow otherwise.
std::vector<ResultColumn> kxColumns(int mode, bool waterFlowGiven);

// Lays the results grid out for `mode` and empties it: heading row, unit row and one
// empty row, two fixed rows.
void layoutKxGrid(TextGrid& grid, int mode, bool waterFlowGiven, qint16 langBase);

} // namespace tarvello
