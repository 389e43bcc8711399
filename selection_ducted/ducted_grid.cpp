#include "selection_ducted/ducted_grid.h"

#include "selection_ui/result_grid.h"

namespace tarvello {

namespace {

constexpr int kColumnWidth = 900; // twips

} // namespace

std::vector<ResultColumn> ductedColumns(int mode, const DuctedColumns& given)
{
    return resultColumns({mode, true, given.waterFlowGiven, given.airFlowGiven});
}

void layoutDuctedGrid(TextGrid& grid, int mode, const DuctedColumns& given, qint16 langBase)
{
    // The model column is as wide as the value columns.
    const int width = widensCoolingColumns(mode, langBase) ? kGermanCoolingValueWidth : kColumnWidth;
    layoutResultsGrid(grid, ductedColumns(mode, given), mode, width, width);
}

} // namespace tarvello
