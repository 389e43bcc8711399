#pragma once
// One model of a loaded line rated as the selection windows rate it: the name filters,
// the fan's air flow against the pressure (with the outlet plenum or the additional coil
// of the ducted lines), the free-blow and quarter-of-free-delivery tests, the coefficients
// of the mode and speed, the air film, and one of the four rating procedures. The
// calibration and the catalogue rate the shipped range through this, so both see exactly
// what a user of the selection windows would see. The ducted units are rated with the
// external static pressure given (the air flow follows from the fan curve).

#include "engine/coil_constants.h"
#include "engine/coil_state.h"
#include "engine/model_table.h"
#include "engine/rating.h"

#include <optional>
#include <string>

namespace tarvello::catalogue {

struct RatingConditions {
    int16_t mode = ModeCooling;
    float airIn = 27;         // °C dry bulb
    float airInWetBulb = 19;  // °C, cooling only
    float waterIn = 7;        // °C
    float waterOut = 12;      // °C; 0 when the water flow is given
    double waterFlow = 0;     // m³/s, used when waterOut is 0
    float pressure_Pa = 0;    // static pressure (KX) or external static pressure (ducted)
    bool fourPipeBox = false; // chkDF: the 4-pipe heating coil (KX) or additional coil (HJQ)
};

// The standard rating conditions of the range.
RatingConditions standardCooling(float pressure_Pa);           // 27/19 °C air, 7/12 °C water
RatingConditions standardHeating(float pressure_Pa, float waterIn, float waterOut, bool fourPipeBox); // 20 °C air

// The external static pressure at which a line is catalogued, Pa (0 for the fan coils).
float cataloguePressure(int line);

// Why a model gave no row, or that it gave one.
enum class Outcome {
    Rated,
    NameFilter,          // " 4P" in cooling, "+4P" in heating
    FourPipeFilter,      // heating: the 4-pipe box against the name's "4P"
    HeatingOnly,         // ducted "DF" units in cooling
    FreeBlow,            // KX: a sixth or less of the speed-1 free-blow flow
    QuarterFreeDelivery, // ducted: a quarter or less of the speed-1 free delivery
    NoCoolingLaw,        // a geometry without air-side law in cooling
    NotConverged,        // the rating procedure found no operating point
};

std::string outcomeName(Outcome outcome);

struct ModelRating {
    Outcome outcome = Outcome::NotConverged;
    RatingResult result;       // when Rated
    float airFlow_m3h = 0;     // the fan's air flow at the pressure (also when not rated)
    float freeFlow_m3h = 0;    // the speed-1 reference flow of the filter
    float airFilm = 0;         // W/(m²·K)
    float faceVelocity = 0;    // m/s
};

// Rates model `model` (1-based) of `table` at speed `speed` under `conditions`, with the
// line's coil constants `k`. Never throws for an arithmetic fault of the engine: such a
// model counts as not converged.
ModelRating rateModel(const ModelTable& table, const CoilConstants& k, int model, int speed,
                      const RatingConditions& conditions);

// The coil constant set of a line, as loading the line writes it (on a fresh set).
CoilConstants constantsOf(int line);

bool endsWith(const std::string& text, const std::string& suffix);

} // namespace tarvello::catalogue
