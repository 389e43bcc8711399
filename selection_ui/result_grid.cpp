#include "selection_ui/result_grid.h"

#include "engine/arithmetic.h"
#include "engine/coil_state.h"
#include "selection/selection_run.h"
#include "selection_ui/field_checks.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/units.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace tarvello {

namespace {

constexpr int kHeadingRowHeight = 700; // twips
constexpr int kMarkWidth = 200;
constexpr int kModelHeading = 40;
constexpr qint16 kGermanBase = 700;
const QString kWholeNumberMask = QStringLiteral("###");


QString formattedValue(const ResultColumn& column, double value)
{
    switch (column.format) {
    case CellFormat::UnitMask:
        if (const UnitChoice* unit = userUnitOf(column.quantity))
            return unit->format(value);
        return generalNumber(value);
    case CellFormat::OneDecimal: return temperatureCell(float(value));
    case CellFormat::WholeNumber: return FormatMask(value, kWholeNumberMask);
    case CellFormat::GeneralNumber: return generalNumber(value);
    }
    return {};
}

} // namespace

QString powerUnitForMode(int mode)
{
    return powerUnitNameForMode(UnitPt.name(), mode);
}

bool widensCoolingColumns(int mode, qint16 langBase)
{
    return mode == ModeCooling && langBase == kGermanBase;
}

QString temperatureCell(float celsius)
{
    return FormatMask(UnitT.toShown(celsius), kLeavingAirMask);
}

QString columnHeading(const ResultColumn& column)
{
    return Testo(column.headingText);
}

QString columnUnit(const ResultColumn& column, int mode)
{
    return userUnitName(column.quantity, mode);
}

QString columnCell(const ResultColumn& column, const ModelOutcome& model)
{
    QString text = formattedValue(column, column.value(model));
    switch (column.mark) {
    case CellMark::None: break;
    case CellMark::LaminarFlow:
        if (isLaminar(model.rating))
            text += QStringLiteral(" *");
        break;
    case CellMark::CappedPressure:
        text.prepend(model.air.pressureCapped ? QStringLiteral("> ") : QStringLiteral(" "));
        break;
    }
    return text;
}

void layoutResultsGrid(TextGrid& grid, const std::vector<ResultColumn>& columns, int mode, int modelWidth,
                       int valueWidth)
{
    grid.setRows(1);
    grid.setFixedRows(0);
    grid.setCols(2 + int(columns.size()));
    grid.setColWidth(0, kMarkWidth);
    grid.setRightAligned(0, false);
    grid.setColWidth(1, modelWidth);
    grid.setRightAligned(1, false);
    for (int col = 2; col < grid.cols(); ++col) {
        grid.setColWidth(col, valueWidth);
        grid.setRightAligned(col, true);
    }
    QStringList headings{QString(), Testo(kModelHeading)};
    QStringList units{QString(), QString()};
    for (const ResultColumn& column : columns) {
        headings << columnHeading(column);
        units << columnUnit(column, mode);
    }
    grid.addItem(headings.join(QLatin1Char('\t')));
    grid.addItem(units.join(QLatin1Char('\t')));
    grid.addItem(QString());
    grid.removeItem(0);
    grid.setRowHeight(0, kHeadingRowHeight);
    grid.setFixedRows(2);
}

QString resultRowText(const std::vector<ResultColumn>& columns, const ModelOutcome& model)
{
    QStringList cells{QString(), QString::fromStdString(model.name)};
    for (const ResultColumn& column : columns)
        cells << columnCell(column, model);
    return cells.join(QLatin1Char('\t'));
}

void appendResultRows(TextGrid& grid, const std::vector<ResultColumn>& columns, const RunResult& result)
{
    QStringList rows;
    for (const ModelOutcome* model : result.listed())
        rows << resultRowText(columns, *model);
    grid.addItems(rows);
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

CapacityBand capacityBandFor(const QString& requiredText, float approxPercent, float powerFactor)
{
    if (!(leadingNumber(requiredText) > 0))
        return {};
    const std::optional<float> required = fieldNumber(requiredText);
    if (!required) {
        // A number too large for single precision is an overflow, anything else a mismatch.
        const double leading = leadingNumber(requiredText);
        throw RunError(std::fabs(leading) > double(std::numeric_limits<float>::max()) ? int(kOverflow)
                                                                                       : int(kTypeMismatch));
    }
    const double p = *required;
    return {ToSingle(Divide(p * (100.0 - approxPercent) / 100.0, powerFactor)),
            ToSingle(Divide(p * (100.0 + approxPercent) / 100.0, powerFactor))};
}

} // namespace tarvello
