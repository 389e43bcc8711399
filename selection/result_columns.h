#pragma once
// The value columns of the results of a run: one descriptor per column gives its heading
// (a text offset), the quantity its unit comes from, its value for a listed model and how
// that value is written. The results grids, the printed report, the clipboard and any
// export are all built from these lists, so a heading and its cells cannot drift apart.

#include "selection/column_id.h"
#include "selection/run_result.h"

#include <optional>
#include <vector>

namespace tarvello {

// How a value is written besides its unit's mask.
enum class CellMark {
    None,
    LaminarFlow,    // " *" after the value when the water flow is laminar
    CappedPressure, // "> " before the value when the pressure was capped, else " "
};

// How a number without a unit choice is written.
enum class CellFormat {
    UnitMask,      // the mask of the user's unit for the quantity
    OneDecimal,    // "##0.0"
    WholeNumber,   // "###"
    GeneralNumber, // the shortest exact form
};

struct ResultColumn {
    ColumnId id;
    int headingText; // text offset of the heading
    ColumnQuantity quantity;
    CellFormat format;
    CellMark mark;
    double (*value)(const ModelOutcome& model); // in the quantity's internal unit
    // The physical range of the value (inclusive), internal unit: a rating outside it can
    // only come from damaged model data and is never shown.
    double minimum;
    double maximum;

    bool holds(double v) const { return v >= minimum && v <= maximum; } // false for NaN
};

// Which columns a run shows.
struct ColumnChoice {
    int mode = 0;
    bool ducted = false;
    bool waterFlowGiven = false; // the water column shows the leaving water temperature
    bool airFlowGiven = false;   // ducted: the air column shows the available pressure
};

// The value columns in their order. Both windows start with the capacities (in cooling the
// total and the sensible one), the water column (the leaving water temperature when the
// water flow is given, the water flow otherwise) and the water pressure drop; the fan coils
// add air flow, leaving air, sound power and sound pressure; the ducted units the air flow
// (or the available pressure when the air flow is given), leaving air and sound power.
std::vector<ResultColumn> resultColumns(const ColumnChoice& choice);

// The first column, of every column a run may show, whose value for `model` lies outside
// its physical range.
std::optional<ColumnId> firstImplausibleColumn(const ModelOutcome& model);

// Below this Reynolds number the water flow in the tubes is laminar.
constexpr float kLaminarReynolds = 2300.0f;
inline bool isLaminar(const RatingResult& result) { return result.Reynolds < kLaminarReynolds; }

} // namespace tarvello
