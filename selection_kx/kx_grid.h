#pragma once
// The KX results grid: its layout per mode (ImpostaGriglia), the text of a result row,
// and the input summary grid (RiepilogoDati). All units and masks are the current ones.

#include "engine/model_table.h"
#include "engine/rating.h"
#include "selection_kx/text_grid.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

// The power unit name cut for the mode: its last six characters in cooling ("Frig/h"),
// its first six in heating ("Cal/h ").
QString powerUnitForMode(int mode);

// The width of the value columns of a cooling grid in German, whose headings are the
// longest, twips.
constexpr int kGermanCoolingValueWidth = 1300;
// A cooling grid in German (language base 700) takes the wider value columns.
bool widensCoolingColumns(int mode, qint16 langBase);

// A temperature cell of a results row, °C with one decimal ("##0.0").
QString temperatureCell(float celsius);

// One value column of a results grid: its heading and its unit row text.
struct GridColumn {
    QString heading;
    QString unit;
};

// The value columns both selection windows start with: the capacity (in cooling the total
// and the sensible one), the water column (the leaving water temperature when the water
// flow is given, the water flow otherwise) and the water pressure drop.
QList<GridColumn> waterSideColumns(int mode, bool waterFlowGiven);

// Lays a results grid out with the mark and model columns, then `valueColumns`
// right-aligned, and empties it: heading row, unit row and one empty row, two fixed rows.
void layoutResultsGrid(TextGrid& grid, const QList<GridColumn>& valueColumns, int modelWidth, int valueWidth);

// The cells a result row of both windows starts with, matching waterSideColumns: an empty
// mark, the model, the capacities, the water column (the water flow when the leaving water
// temperature was given, else the leaving water temperature) and the pressure drop, marked
// " *" when the flow is laminar.
QStringList waterSideCells(const RatingResult& result, const ModelTable& table, int mode, bool leavingWaterGiven);

// Lays the results grid out for `mode` and empties it: heading row, unit row and one
// empty row, two fixed rows. The water column shows the leaving water temperature when
// the water flow is given, the water flow otherwise.
void layoutKxGrid(TextGrid& grid, int mode, bool waterFlowGiven, qint16 langBase);

// The tab-separated cells of one result row for the speed of the run; the water column
// shows the water flow when the leaving water temperature was given, else the leaving
// water temperature.
QString kxResultRow(const RatingResult& result, const ModelTable& table, int speed, int mode,
                    bool leavingWaterGiven);

// Below this Reynolds number the water flow in the tubes is laminar, and the pressure drop
// is marked " *".
constexpr float kLaminarReynolds = 2300.0f;
inline bool isLaminar(const RatingResult& result) { return result.Reynolds < kLaminarReynolds; }

// One row of the input summary: a label's caption, a unit, a field's text as typed.
struct SummaryRow {
    QString caption;
    QString unit;
    QString value;
};

// Rebuilds the input summary grid: three columns of 3000, 700 and 1500 twips, no heading.
void fillSummaryGrid(TextGrid& grid, const QList<SummaryRow>& rows);

} // namespace tarvello
