#include "selection_kx/kx_grid.h"

#include "engine/coil_state.h"
#include "selection_ui/result_grid.h"

namespace tarvello {

namespace {

constexpr int kCoolingModelWidth = 1200; // twips
constexpr int kCoolingValueWidth = 850;
constexpr int kHeatingModelWidth = 800;
constexpr int kHeatingValueWidth = 900;

} // namespace

std::vector<ResultColumn> kxColumns(int mode, bool waterFlowGiven)
{
    return resultColumns({mode, false, waterFlowGiven, false});
}

void layoutKxGrid(TextGrid& grid, int mode, bool waterFlowGiven, qint16 langBase)
{
    const bool cooling = mode == ModeCooling;
    const int valueWidth = widensCoolingColumns(mode, langBase) ? kGermanCoolingValueWidth
                           : cooling                            ? kCoolingValueWidth
                                                                : kHeatingValueWidth;
    layoutResultsGrid(grid, kxColumns(mode, waterFlowGiven), mode, cooling ? kCoolingModelWidth : kHeatingModelWidth,
                      valueWidth);
}

} // namespace tarvello
