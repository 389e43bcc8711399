#include "selection_ducted/ducted_grid.h"

#include "engine/coil_state.h"
#include "selection_kx/kx_grid.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QList>
#include <QStringList>

namespace tarvello {

namespace {

constexpr int kColumnWidth = 900;
const QString kDegrees = QStringLiteral("°C");
const QString kDecibelA = QStringLiteral("dB(A)");
const QString kSoundMask = QStringLiteral("###");

QList<GridColumn> valueColumns(int mode, const DuctedColumns& given)
{
    const GridColumn air =
        given.airFlowGiven ? GridColumn{Testo(58), UnitDpA.name()} : GridColumn{Testo(49), UnitQa.name()};
    return waterSideColumns(mode, given.waterFlowGiven)
           << air << GridColumn{Testo(96), kDegrees} << GridColumn{Testo(53), kDecibelA};
}

} // namespace

void layoutDuctedGrid(TextGrid& grid, int mode, const DuctedColumns& given, qint16 langBase)
{
    // The model column is as wide as the value columns.
    const int width = widensCoolingColumns(mode, langBase) ? kGermanCoolingValueWidth : kColumnWidth;
    layoutResultsGrid(grid, valueColumns(mode, given), width, width);
}

QString ductedResultRow(const RatingResult& r, const DuctedAirSide& air, const ModelTable& table, int speed,
                        int mode, bool leavingWaterGiven, bool airFlowGiven)
{
    QStringList cells = waterSideCells(r, table, mode, leavingWaterGiven);
    cells << (airFlowGiven ? air.PressurePrefix + UnitDpA.format(air.AvailablePressure) : UnitQa.format(air.AirFlow));
    cells << temperatureCell(r.AirOut) << FormatMask(table.LWA[r.model][speed], kSoundMask);
    return cells.join(QLatin1Char('\t'));
}

} // namespace tarvello
