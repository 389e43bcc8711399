#pragma once
// The details of one listed model of a run: the air through the coil (entering, for a
// ducted unit its two streams and their mix, and leaving), the capacities with the latent
// share and the condensate, the water side, the air side and the sound. Worked out from the
// run's request and the model's outcome with the engine's functions, so that every value
// agrees with the results grid.

#include "charts/air_state.h"
#include "engine/model_table.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <optional>
#include <string>

namespace tarvello {

// One of a ducted unit's two air streams.
struct AirStream {
    double share = 0; // % of the air flow
    AirState air;
};

struct SelectionDetails {
    std::string model;
    int mode = ModeCooling;
    bool ducted = false;
    bool humidityKnown = false; // cooling: the air's humidity is given; heating: not asked

    // A ducted unit's two streams, when the run mixed them (the total air flow given and
    // both shares above zero).
    std::optional<AirStream> returnAir;
    std::optional<AirStream> freshAir;
    AirState entering;                  // for a ducted unit the mix of its streams
    AirState leaving;
    bool leavingSaturated = false; // the engine's leaving air lay beyond saturation: shown saturated

    double totalCapacity = 0;    // W (the heating capacity in heating)
    double sensibleCapacity = 0; // W
    double latentCapacity = 0;   // W, cooling: total less sensible
    double sensibleHeatRatio = 1;
    bool dryCoil = false;
    double airMassFlow = 0;      // kg/s of dry air, as the engine counts it
    double condensateFlow = 0;   // kg/s: air mass flow × the drop of humidity ratio

    double waterIn = 0;          // °C
    double waterOut = 0;         // °C
    double waterFlow = 0;        // m³/s
    double waterPressureDrop = 0; // kPa
    double reynolds = 0;
    bool laminar = false;

    double airFlow = 0;          // m³/s
    double faceVelocity = 0;     // m/s
    double staticPressure = 0;   // Pa: the fan coil's static pressure or the ducted unit's available one
    bool pressureCapped = false;
    double soundPower = 0;       // dB(A)
    std::optional<double> soundPressure; // dB(A), fan coils
    int speed = 0;

    // From the model database's technical data, when it has the model: the fan power input
    // at the run's speed and the model's rated energy indexes (energy/unit_data.h).
    std::optional<double> fanPower_W;
    std::optional<double> fceer;
    std::optional<double> fccop;
};

// The details of `model` (listed in the run of `request` on `table`).
SelectionDetails selectionDetails(const RunRequest& request, const ModelOutcome& model, const ModelTable& table);

} // namespace tarvello
