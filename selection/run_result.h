#pragma once
// What a selection run gives: every model of the line once, in table order, either rated
// (with every value of its rating) or not listed (with the reason and the figures behind
// it), and the failure that ended the run early, if one did.

#include "engine/rating.h"
#include "selection/column_id.h"

#include <optional>
#include <string>
#include <vector>

namespace tarvello {

// Why a model of the line is not in the results.
enum class NotListedReason {
    OtherMode,            // rated only in the other mode: " 4P" heating coils in cooling, "+4P" units in heating
    HeatingOnly,          // a ducted "DF" unit asked for cooling
    FourPipeChoice,       // heating: the 4-pipe box asks for the " 4P" coils, or its absence for the others
    FreeBlow,             // fan coil: a sixth or less of its speed-1 free-blow flow at this pressure
    QuarterFreeDelivery,  // ducted: a quarter or less of its speed-1 free delivery
    NegativePressure,     // ducted: the fan cannot deliver the given flow against the accessories
    NoCoolingLaw,         // a coil geometry without an air-side law for cooling
    OutsideCapacityBand,  // rated, but its capacity lies outside the required band
    NoOperatingPoint,     // the rating found no operating point at these conditions
    ImplausibleResult,    // a rated value lies outside the physical range of its column (damaged model data)
};

// The air side of a model at the run's speed.
struct ModelAirSide {
    float airFlow = 0;            // m³/s through the coil
    float referenceFlow = 0;      // m³/s: speed-1 free blow (fan coils) or free delivery (ducted)
    float availablePressure = 0;  // Pa, ducted: given, or left at the given flow (capped)
    bool pressureCapped = false;  // ducted: above the cap, shown as "> cap"
};

struct ModelOutcome {
    int model = 0;                 // 1-based index in the model table
    std::string name;
    std::optional<NotListedReason> reason; // empty: rated and listed
    ModelAirSide air;
    RatingResult rating;           // listed models
    float capacity = 0;            // W: OutsideCapacityBand, the capacity it reached (tens of watts)
    std::optional<ColumnId> implausibleColumn; // ImplausibleResult: the first value out of range
    float soundPower = 0;          // dB(A) at the run's speed
    float soundPressure = 0;       // dB(A) at the run's speed (fan coils)

    bool listed() const { return !reason; }
};

// A classic run-time error that ended the run after `model` (its models before it are in
// the result).
struct RunFailure {
    int number = 0;
    int model = 0;
};

struct RunResult {
    std::vector<ModelOutcome> models;
    std::optional<RunFailure> failure;

    // The listed models in table order.
    std::vector<const ModelOutcome*> listed() const;
    int listedCount() const;
};

} // namespace tarvello
