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

constexpr int kHeadingRowHeight = 700; // twips
constexpr int kMarkWidth = 200;
constexpr int kColumnWidth = 900;
constexpr int kCoolingColumnWidthGerman = 1300;
constexpr qint16 kGermanBase = 700;
const QString kDegrees = QStringLiteral("°C");
const QString kDecibelA = QStringLiteral("dB(A)");
const QString kSoundMask = QStringLiteral("###");
const QString kTemperatureMask = QStringLiteral("##0.0");

struct Column {
    QString heading;
    QString unit;
};

QList<Column> valueColumns(int mode, const DuctedColumns& given)
{
    const QString power = powerUnitForMode(mode);
    const Column water = given.waterFlowGiven ? Column{Testo(94), kDegrees} : Column{Testo(48), UnitQw.name()};
    const Column air = given.airFlowGiven ? Column{Testo(58), UnitDpA.name()} : Column{Testo(49), UnitQa.name()};
    QList<Column> columns;
    if (mode == ModeCooling)
        columns << Column{Testo(55), power} << Column{Testo(52), power};
    else
        columns << Column{Testo(54), power};
    columns << water << Column{Testo(45), UnitDpW.name()} << air << Column{Testo(96), kDegrees}
            << Column{Testo(53), kDecibelA};
    return columns;
}

} // namespace

void layoutDuctedGrid(TextGrid& grid, int mode, const DuctedColumns& given, qint16 langBase)
{
    const QList<Column> columns = valueColumns(mode, given);
    const int width = mode == ModeCooling && langBase == kGermanBase ? kCoolingColumnWidthGerman : kColumnWidth;
    grid.setRows(1);
    grid.setFixedRows(0);
    grid.setCols(2 + int(columns.size()));
    grid.setColWidth(0, kMarkWidth);
    grid.setRightAligned(0, false);
    grid.setColWidth(1, width);
    grid.setRightAligned(1, false);
    for (int col = 2; col < grid.cols(); ++col) {
        grid.setColWidth(col, width);
        grid.setRightAligned(col, true);
    }
    QStringList headings{QString(), Testo(40)};
    QStringList units{QString(), QString()};
    for (const Column& column : columns) {
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

QString ductedResultRow(const RatingResult& r, const DuctedAirSide& air, const ModelTable& table, int speed,
                        int mode, bool leavingWaterGiven, bool airFlowGiven)
{
    QStringList cells{QString(), QString::fromStdString(table.Modello[r.model])};
    cells << UnitPt.format(r.Capacity);
    if (mode == ModeCooling)
        cells << UnitPt.format(r.SensibleCapacity);
    cells << (leavingWaterGiven ? UnitQw.format(r.WaterFlow) : FormatMask(r.WaterOut, kTemperatureMask));
    QString drop = UnitDpW.format(r.WaterPressureDrop);
    if (isLaminar(r))
        drop += QStringLiteral(" *");
    cells << drop;
    cells << (airFlowGiven ? air.PressurePrefix + UnitDpA.format(air.AvailablePressure) : UnitQa.format(air.AirFlow));
    cells << FormatMask(r.AirOut, kTemperatureMask) << FormatMask(table.LWA[r.model][speed], kSoundMask);
    return cells.join(QLatin1Char('\t'));
}

} // namespace tarvello
