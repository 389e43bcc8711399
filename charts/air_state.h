#pragma once
// A state of moist air as the details and the psychrometric chart show it, worked out with
// the engine's own psychrometric functions at the pressure the engine uses, so that a point
// on the chart and a number in the details are the same state.

namespace tarvello {

// The pressure of every state of a selection, bar (the engine's standard atmosphere).
double chartPressure();

struct AirState {
    double dryBulb = 0;          // °C
    double wetBulb = 0;          // °C
    double relativeHumidity = 0; // %
    double humidityRatio = 0;    // kg/kg dry air
    double enthalpy = 0;         // kJ/kg dry air
};

// Humidity ratio of saturated air at `dryBulb`, kg/kg.
double saturationHumidityRatio(double dryBulb);
// Humidity ratio of air at `dryBulb` and `relativeHumidity` (%), kg/kg: the inverse of the
// engine's relative humidity from the degree of saturation.
double humidityRatioAt(double dryBulb, double relativeHumidity);

// The state of air of a dry bulb and a wet bulb (the form a run's entering air has).
AirState airStateFromWetBulb(double dryBulb, double wetBulb);
// The state of air of a dry bulb and a humidity ratio.
AirState airStateFromHumidityRatio(double dryBulb, double humidityRatio);
// The state of air of a dry bulb and a relative humidity (%).
AirState airStateFromHumidity(double dryBulb, double relativeHumidity);
// The state of air of a dry bulb and an enthalpy (a coil's leaving air).
AirState airStateFromEnthalpy(double dryBulb, double enthalpy);

} // namespace tarvello
