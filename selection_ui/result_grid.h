#pragma once
// The results grid of both selection windows built from the run's column descriptors:
// headings, unit row and cells in the current language, units and masks; the input
// summary grid; and the capacity band typed by the user. The report and the clipboard read
// the grid these fill.

#include "selection/result_columns.h"
#include "selection/run_request.h"
#include "selection_ui/text_grid.h"

#include <QList>
#include <QString>

#include <vector>

namespace tarvello {

struct UnitChoice;

// The power unit name cut for the mode: its last six characters in cooling ("Frig/h"),
// its first six in heating ("Cal/h ").
QString powerUnitForMode(int mode);

// The width of the value columns of a cooling grid in German, whose headings are the
// longest, twips.
constexpr int kGermanCoolingValueWidth = 1300;
// A cooling grid in German (language base 700) takes the wider value columns.
bool widensCoolingColumns(int mode, qint16 langBase);

// A temperature cell of a results row in the user's temperature unit, one decimal ("##0.0").
QString temperatureCell(float celsius);

// The heading and the unit row text of a column in the current language and units.
QString columnHeading(const ResultColumn& column);
QString columnUnit(const ResultColumn& column, int mode);
// The text of a column's cell for a listed model.
QString columnCell(const ResultColumn& column, const ModelOutcome& model);

// Lays a results grid out with the mark and model columns, then `columns` right-aligned,
// and empties it: heading row, unit row and one empty row, two fixed rows.
void layoutResultsGrid(TextGrid& grid, const std::vector<ResultColumn>& columns, int mode, int modelWidth,
                       int valueWidth);

// The tab-separated text of a result row: an empty mark, the model, then the cells.
QString resultRowText(const std::vector<ResultColumn>& columns, const ModelOutcome& model);

// Appends the rows of every listed model of `result` in one step.
void appendResultRows(TextGrid& grid, const std::vector<ResultColumn>& columns, const RunResult& result);

// One row of the input summary: a label's caption, a unit, a field's text as typed.
struct SummaryRow {
    QString caption;
    QString unit;
    QString value;
};

// Rebuilds the input summary grid: three columns of 3000, 700 and 1500 twips, no heading.
void fillSummaryGrid(TextGrid& grid, const QList<SummaryRow>& rows);

// The band of accepted capacities in W for the required capacity `requiredText` in the
// power unit of factor `powerFactor` and an approximation of `approxPercent`. A text whose
// leading number is not above 0 gives 0 to 9999999 W. A required capacity that starts as
// a number but is not one ("12x") raises RunError(13); one too large for single precision
// RunError(6).
CapacityBand capacityBandFor(const QString& requiredText, float approxPercent, float powerFactor);

} // namespace tarvello
