#include "selection_ui/not_listed_texts.h"

#include "selection_ui/field_checks.h"
#include "selection_ui/result_grid.h"
#include "shell/text_table.h"
#include "shell/units.h"

#include <QStringList>

#include <cmath>

namespace tarvello {

static_assert(kLastNotListedText <= kTextOffsets, "every text of the panel is in the text table");

namespace {

const QString kRangeDash = QStringLiteral(" – ");
const QString kCountSign = QStringLiteral(" × ");

QString text(qint16 langBase, int offset)
{
    return textForLanguage(langBase, offset).trimmed();
}

// A value in the user's unit with the unit's name; a value the mask leaves blank (0 with
// "######") shows as 0.
QString withUnit(const UnitChoice& unit, double value, const QString& unitName)
{
    QString shown = unit.format(value);
    if (shown.isEmpty())
        shown = QStringLiteral("0");
    return shown + QLatin1Char(' ') + unitName;
}

// A capacity in the power unit: whole units as the grid shows them; a value under 100 (a
// band of "3.000" read as 3 W) keeps two decimals, or the band would read "3 – 3 W".
QString powerValue(double watts)
{
    constexpr double kWholeUnitsFrom = 100;
    const double shown = UnitPt.toShown(watts);
    if (std::fabs(shown) < kWholeUnitsFrom)
        return generalNumber(std::round(shown * 100) / 100);
    return UnitPt.format(watts);
}

QString power(double watts, int mode)
{
    return powerValue(watts) + QLatin1Char(' ') + powerUnitForMode(mode).trimmed();
}

QString airFlow(double m3s)
{
    return withUnit(UnitQa, m3s, UnitQa.name());
}

QString airPressure(double pascal)
{
    return withUnit(UnitDpA, pascal, UnitDpA.name());
}

int reasonOffset(LeftOutCase which)
{
    switch (which) {
    case LeftOutCase::FourPipeCoilInCooling: return kFourPipeCoilInCoolingText;
    case LeftOutCase::FourPipeUnitInHeating: return kFourPipeUnitInHeatingText;
    case LeftOutCase::HeatingOnlyUnit: return kHeatingOnlyUnitText;
    case LeftOutCase::FourPipeCoilWithoutOption: return kFourPipeCoilWithoutOptionText;
    case LeftOutCase::NotFourPipeWithOption: return kNotFourPipeWithOptionText;
    case LeftOutCase::FanCoilFreeBlow:
    case LeftOutCase::DuctedFreeDelivery: return kAirFlowTooLowText;
    case LeftOutCase::FanPressureTooLow: return kFanPressureTooLowText;
    case LeftOutCase::NoCoolingLaw: return kNoCoolingLawText;
    case LeftOutCase::OutsideCapacityBand: return kOutsideCapacityBandText;
    case LeftOutCase::NoOperatingPoint: return kNoOperatingPointText;
    case LeftOutCase::ImplausibleResult: return kImplausibleResultText;
    }
    return kNoOperatingPointText;
}

// The descriptor of column `id` in one of the column lists a run may show.
std::optional<ResultColumn> columnOf(ColumnId id)
{
    for (int mode : {ModeCooling, ModeHeating})
        for (bool ducted : {false, true})
            for (bool waterFlowGiven : {false, true})
                for (bool airFlowGiven : {false, true})
                    for (const ResultColumn& column : resultColumns({mode, ducted, waterFlowGiven, airFlowGiven}))
                        if (column.id == id)
                            return column;
    return std::nullopt;
}

// The implausible value with its heading and unit, "Water pressure drop 20000 kPa": in
// the shortest exact form, since a value no coil reaches may not fit the unit's mask.
QString implausibleValue(const ModelOutcome& model, int mode, qint16 langBase)
{
    const std::optional<ResultColumn> column = model.implausibleColumn ? columnOf(*model.implausibleColumn)
                                                                        : std::nullopt;
    if (!column)
        return {};
    const UnitChoice* unit = userUnitOf(column->quantity);
    const double value = column->value(model);
    return text(langBase, column->headingText) + QLatin1Char(' ') +
           generalNumber(unit ? unit->toShown(value) : value) + QLatin1Char(' ') +
           columnUnit(*column, mode).trimmed();
}

// The capacities reached on either side of the band: "largest 1650 W, smallest 2400 W".
QString capacityExtremes(const LeftOutTally& tally, int mode, qint16 langBase)
{
    QStringList parts;
    if (tally.largestBelowBand)
        parts << text(langBase, kLargestCapacityText).arg(power(*tally.largestBelowBand, mode));
    if (tally.smallestAboveBand)
        parts << text(langBase, kSmallestCapacityText).arg(power(*tally.smallestAboveBand, mode));
    return parts.join(QStringLiteral(", "));
}

QString summaryLine(const LeftOutCount& count, const LeftOutTally& tally, const RunRequest& request,
                    qint16 langBase)
{
    QString line = QString::number(count.count) + kCountSign + leftOutReasonText(count.which, langBase);
    if (count.which == LeftOutCase::OutsideCapacityBand) {
        line += QStringLiteral(" (%1)").arg(capacityBandText(request.band, request.mode));
        const QString extremes = capacityExtremes(tally, request.mode, langBase);
        if (!extremes.isEmpty())
            line += QStringLiteral(", ") + extremes;
    }
    return line;
}

} // namespace

QString leftOutReasonText(LeftOutCase which, qint16 langBase)
{
    return text(langBase, reasonOffset(which));
}

QString capacityBandText(const CapacityBand& band, int mode)
{
    return powerValue(band.minimum) + kRangeDash + power(band.maximum, mode);
}

QString leftOutFigureText(const ModelOutcome& model, const RunRequest& request, qint16 langBase)
{
    if (model.listed())
        return {};
    switch (leftOutCase(*model.reason, request.mode, request.fourPipe)) {
    case LeftOutCase::FourPipeCoilInCooling:
    case LeftOutCase::HeatingOnlyUnit:
    case LeftOutCase::NoCoolingLaw: return text(langBase, kRatedInHeatingOnlyText);
    case LeftOutCase::FourPipeUnitInHeating: return text(langBase, kRatedInCoolingOnlyText);
    case LeftOutCase::FourPipeCoilWithoutOption: return text(langBase, kRatedWithOptionText);
    case LeftOutCase::NotFourPipeWithOption: return text(langBase, kRatedWithoutOptionText);
    case LeftOutCase::FanCoilFreeBlow:
        return text(langBase, kFreeBlowFigureText).arg(airFlow(model.air.airFlow), airFlow(model.air.referenceFlow));
    case LeftOutCase::DuctedFreeDelivery:
        return text(langBase, kFreeDeliveryFigureText)
            .arg(airFlow(model.air.airFlow), airFlow(model.air.referenceFlow));
    case LeftOutCase::FanPressureTooLow:
        return text(langBase, kAvailablePressureFigureText)
            .arg(airPressure(model.air.availablePressure), airFlow(model.air.airFlow));
    case LeftOutCase::OutsideCapacityBand:
        return text(langBase, kCapacityFigureText)
            .arg(power(model.capacity, request.mode), capacityBandText(request.band, request.mode));
    case LeftOutCase::NoOperatingPoint: return {};
    case LeftOutCase::ImplausibleResult: {
        const QString value = implausibleValue(model, request.mode, langBase);
        return value.isEmpty() ? QString() : text(langBase, kImplausibleFigureText).arg(value);
    }
    }
    return {};
}

std::vector<NotListedRow> notListedRows(const RunResult& result, const RunRequest& request, qint16 langBase)
{
    std::vector<NotListedRow> rows;
    for (const ModelOutcome& model : result.models) {
        if (model.listed())
            continue;
        rows.push_back({QString::fromStdString(model.name),
                        leftOutReasonText(leftOutCase(*model.reason, request.mode, request.fourPipe), langBase),
                        leftOutFigureText(model, request, langBase)});
    }
    return rows;
}

QString notListedCopyText(const std::vector<NotListedRow>& rows, qint16 langBase)
{
    const QChar tab(u'\t');
    QString copy = text(langBase, kModelHeadingText) + tab + text(langBase, kReasonHeadingText) + tab +
                   text(langBase, kDetailsHeadingText) + QLatin1Char('\n');
    for (const NotListedRow& row : rows)
        copy += row.model + tab + row.reason + tab + row.figure + QLatin1Char('\n');
    return copy;
}

QString leftOutSummary(const RunResult& result, const RunRequest& request, qint16 langBase)
{
    const LeftOutTally tally = tallyLeftOut(result, request);
    QStringList lines;
    for (const LeftOutCount& count : tally.counts)
        lines << summaryLine(count, tally, request, langBase);
    return lines.join(QLatin1Char('\n'));
}

QString emptyRunMessage(const RunResult& result, const RunRequest& request, qint16 langBase)
{
    QString message = text(langBase, kNoUnitMeetsText);
    const QString summary = leftOutSummary(result, request, langBase);
    if (!summary.isEmpty())
        message += QStringLiteral("\n\n") + text(langBase, kSummaryHeadingText) + QLatin1Char('\n') + summary;
    return message;
}

} // namespace tarvello
