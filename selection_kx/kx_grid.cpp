#include "selection_kx/kx_grid.h"

#include "engine/coil_state.h"
#include "selection_kx/field_checks.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QStringList>

namespace tarvello {

namespace {

constexpr int kHeadingRowHeight = 700; // twips
constexpr int kMarkWidth = 200;
constexpr int kCoolingModelWidth = 1200;
constexpr int kCoolingValueWidth = 850;
constexpr int kHeatingModelWidth = 800;
constexpr int kHeatingValueWidth = 900;
constexpr qint16 kGermanBase = 700;
const QString kDegrees = QStringLiteral("°C");
const QString kDecibelA = QStringLiteral("dB(A)");
const QString kTemperatureMask = QStringLiteral("##0.0");

QList<GridColumn> valueColumns(int mode, bool waterFlowGiven)
{
    return waterSideColumns(mode, waterFlowGiven)
           << GridColumn{Testo(49), UnitQa.name()} << GridColumn{Testo(96), kDegrees}
           << GridColumn{Testo(53), kDecibelA} << GridColumn{Testo(57), kDecibelA};
}

} // namespace

QString powerUnitForMode(int mode)
{
    const QString name = UnitPt.name();
    return mode == ModeHeating ? name.left(6) : name.right(6);
}

bool widensCoolingColumns(int mode, qint16 langBase)
{
    return mode == ModeCooling && langBase == kGermanBase;
}

QString temperatureCell(float celsius)
{
    return FormatMask(celsius, kTemperatureMask);
}

QList<GridColumn> waterSideColumns(int mode, bool waterFlowGiven)
{
    const QString power = powerUnitForMode(mode);
    QList<GridColumn> columns;
    if (mode == ModeCooling)
        columns << GridColumn{Testo(55), power} << GridColumn{Testo(52), power};
    else
        columns << GridColumn{Testo(54), power};
    columns << (waterFlowGiven ? GridColumn{Testo(94), kDegrees} : GridColumn{Testo(48), UnitQw.name()});
    columns << GridColumn{Testo(45), UnitDpW.name()};
    return columns;
}

void layoutResultsGrid(TextGrid& grid, const QList<GridColumn>& valueColumns, int modelWidth, int valueWidth)
{
    grid.setRows(1);
    grid.setFixedRows(0);
    grid.setCols(2 + int(valueColumns.size()));
    grid.setColWidth(0, kMarkWidth);
    grid.setRightAligned(0, false);
    grid.setColWidth(1, modelWidth);
    grid.setRightAligned(1, false);
    for (int col = 2; col < grid.cols(); ++col) {
        grid.setColWidth(col, valueWidth);
        grid.setRightAligned(col, true);
    }
    QStringList headings{QString(), Testo(40)};
    QStringList units{QString(), QString()};
    for (const GridColumn& column : valueColumns) {
        headings << column.heading;
        units << column.unit;
    }
    grid.addItem(headings.join(QLatin1Char('\t')));
    grid.addItem(units.join(QLatin1Char('\t')));
    grid.addItem(QString());
    grid.removeItem(0);
    grid.setRowHeight(0, kHeadingRowHeight);
    grid.setFixedRows(2);
}

void layoutKxGrid(TextGrid& grid, int mode, bool waterFlowGiven, qint16 langBase)
{
    const bool cooling = mode == ModeCooling;
    const int valueWidth = widensCoolingColumns(mode, langBase) ? kGermanCoolingValueWidth
                           : cooling                            ? kCoolingValueWidth
                                                                : kHeatingValueWidth;
    layoutResultsGrid(grid, valueColumns(mode, waterFlowGiven), cooling ? kCoolingModelWidth : kHeatingModelWidth,
                      valueWidth);
}

QStringList waterSideCells(const RatingResult& r, const ModelTable& table, int mode, bool leavingWaterGiven)
{
    QStringList cells{QString(), QString::fromStdString(table.Modello[r.model])};
    cells << UnitPt.format(r.Capacity);
    if (mode == ModeCooling)
        cells << UnitPt.format(r.SensibleCapacity);
    cells << (leavingWaterGiven ? UnitQw.format(r.WaterFlow) : temperatureCell(r.WaterOut));
    QString drop = UnitDpW.format(r.WaterPressureDrop);
    if (isLaminar(r))
        drop += QStringLiteral(" *");
    cells << drop;
    return cells;
}

QString kxResultRow(const RatingResult& r, const ModelTable& table, int speed, int mode, bool leavingWaterGiven)
{
    QStringList cells = waterSideCells(r, table, mode, leavingWaterGiven);
    cells << UnitQa.format(r.AirFlow) << temperatureCell(r.AirOut) << generalNumber(table.LWA[r.model][speed])
          << generalNumber(table.LPA[r.model][speed]);
    return cells.join(QLatin1Char('\t'));
}

void fillSummaryGrid(TextGrid& grid, const QList<SummaryRow>& rows)
{
    grid.setRows(1);
    grid.setFixedRows(0);
    grid.setCols(3);
    grid.setColWidth(0, 3000);
    grid.setColWidth(1, 700);
    grid.setColWidth(2, 1500);
    for (const SummaryRow& row : rows)
        grid.addItem(row.caption + QLatin1Char('\t') + row.unit + QLatin1Char('\t') + row.value);
    grid.removeItem(0);
}

} // namespace tarvello
