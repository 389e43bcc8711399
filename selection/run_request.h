#pragma once
// What a selection run is asked: the design conditions in SI units, typed, as the selection
// windows read them from their fields (or a project, a room list, the command line, builds
// them). The run rates every model of the loaded line against it.

#include "engine/coil_state.h"

#include <optional>

namespace tarvello {

// The upper end of the band when no capacity is required, W.
constexpr float kNoCapacityLimit_W = 9999999.0f;

// The accepted capacities, W (inclusive at both ends).
struct CapacityBand {
    float minimum = 0;
    float maximum = kNoCapacityLimit_W;

    bool contains(float capacity_W) const { return capacity_W >= minimum && capacity_W <= maximum; }
};

// The air entering the coil (for a ducted unit, the mix of its two streams).
struct EnteringAir {
    float dryBulb = 0;          // °C
    float relativeHumidity = 0; // %, cooling only
    float wetBulb = 0;          // °C, cooling only
};

// The entering air of a dry bulb and a relative humidity, its wet bulb worked out.
EnteringAir enteringAirFromHumidity(float dryBulb, float relativeHumidity);

// A ducted unit's two air streams, as typed; the run reads only their mix (EnteringAir).
struct AirStreams {
    float returnShare = 100; // %
    float returnDryBulb = 0; // °C
    float returnHumidity = 0; // %, cooling only
    float freshShare = 0;    // %
    float freshDryBulb = 0;  // °C
    float freshHumidity = 0; // %, cooling only
};

struct RunRequest {
    int line = 0;                    // ProductLine the request is for (the run rates the table it is given)
    int mode = ModeCooling;          // ModeCooling or ModeHeating
    int speed = 2;                   // fan speed, 1 .. the line's speeds
    EnteringAir air;
    float waterIn = 0;               // °C
    bool leavingWaterGiven = true;   // else the water flow is given
    float waterOut = 0;              // °C, when leavingWaterGiven
    double waterFlow = 0;            // m³/s, when not leavingWaterGiven
    float glycolPercent = 0;         // %
    CapacityBand band;
    float staticPressure = 0;        // Pa: the fan coil's static pressure, or the ducted unit's external one
    float totalAirFlow = 0;          // m³/s, ducted units with the air flow given
    std::optional<AirStreams> streams; // ducted units
    bool fourPipe = false;           // chkDF: the 4-pipe heating coils (" 4P") or the additional coil

    bool cooling() const { return mode == ModeCooling; }
    // Ducted units: the air flow is the given quantity (a negative pressure, or no pressure
    // and a flow).
    bool airFlowGiven() const { return staticPressure < 0 || (staticPressure == 0 && totalAirFlow != 0); }
};

} // namespace tarvello
