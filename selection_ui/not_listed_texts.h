#pragma once
// What the user reads about the models a run did not list: the reason in plain words and
// the figure behind it (capacity against the band, air flow against the fan's reference,
// pressure left, the mode or option it is rated in, the implausible value), the summary after a run that listed
// nothing, and the text the "Not listed" panel copies. Written in the language `langBase`,
// figures in the user's units (UnitPt, UnitQa, UnitDpA).

#include "selection/run_request.h"
#include "selection/run_result.h"
#include "selection_ui/left_out_tally.h"

#include <QString>

#include <vector>

namespace tarvello {

// The text offsets of the not-listed panel and the empty-run summary.
enum NotListedText : int {
    kNoUnitMeetsText = 104,
    kModelHeadingText = 40,
    kNotListedButtonText = 134,
    kNotListedTitleText,
    kReasonHeadingText,
    kDetailsHeadingText,
    kFourPipeCoilInCoolingText,
    kFourPipeUnitInHeatingText,
    kHeatingOnlyUnitText,
    kFourPipeCoilWithoutOptionText,
    kNotFourPipeWithOptionText,
    kAirFlowTooLowText,
    kFanPressureTooLowText,
    kNoCoolingLawText,
    kOutsideCapacityBandText,
    kNoOperatingPointText,
    kRatedInHeatingOnlyText,
    kRatedInCoolingOnlyText,
    kRatedWithOptionText,
    kRatedWithoutOptionText,
    kFreeBlowFigureText,
    kFreeDeliveryFigureText,
    kAvailablePressureFigureText,
    kCapacityFigureText,
    kSummaryHeadingText,
    kLargestCapacityText,
    kSmallestCapacityText,
    kImplausibleResultText,
    kImplausibleFigureText,
    kLastNotListedText = kImplausibleFigureText,
};

// The reason of a case in plain words.
QString leftOutReasonText(LeftOutCase which, qint16 langBase);

// The figure behind a model's reason; empty for no operating point.
QString leftOutFigureText(const ModelOutcome& model, const RunRequest& request, qint16 langBase);

// A capacity band in the power unit of `mode`: "1800 – 2200 W".
QString capacityBandText(const CapacityBand& band, int mode);

// One line of the "Not listed" panel.
struct NotListedRow {
    QString model;
    QString reason;
    QString figure;
};

// The models of `result` that are not listed, in table order.
std::vector<NotListedRow> notListedRows(const RunResult& result, const RunRequest& request, qint16 langBase);

// The panel as text: its headings, then one line per model, tab-separated.
QString notListedCopyText(const std::vector<NotListedRow>& rows, qint16 langBase);

// Why the models of `result` are not listed, one line per case, the most frequent first:
// "12 × Outside the required capacity band (1800 – 2200 W), largest 1650 W".
QString leftOutSummary(const RunResult& result, const RunRequest& request, qint16 langBase);

// The message after a run that listed no model: text 104, then the summary.
QString emptyRunMessage(const RunResult& result, const RunRequest& request, qint16 langBase);

} // namespace tarvello
