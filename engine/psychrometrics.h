#pragma once
// State of moist air. Units: temperatures °C, total pressure p in bar, vapour pressures in
// hPa, humidity ratio W in kg/kg dry air, enthalpy h in kJ/kg dry air, relative humidity in
// percent, specific volume m³/kg dry air, density kg/m³, specific heat kJ/(kg·K).
// Pure functions, double-precision arithmetic, single-precision results. A floating-point
// fault raises ArithmeticError (engine/arithmetic.h).

namespace tarvello {

// Standard atmospheric pressure, bar, held in single precision (1000·P0 = 1013.25 hPa).
inline constexpr float kStandardPressure = 1.01325f;
// Step limits of the searches.
inline constexpr int kWetBulbSearchSteps = 101;
inline constexpr int kSatTemperatureSearchSteps = 20;

// Saturation vapour pressure over liquid water, hPa (Hyland-Wexler 1983, ASHRAE
// Fundamentals ch. 1; used below 0 °C too).
float SatVapourPressure(double t);
// Enhancement factor of moist air (Greenspan-type fit in t and p), dimensionless.
double EnhancementFactor(double t, double p);
// Humidity ratio at saturation from the saturation pressure and the enhancement factor.
float SatHumidityRatio(double p, double pws, double f);
// Humidity ratio from the vapour pressure pw (hPa).
float HumidityRatioFromVapour(double p, double pw);
// Humidity ratio from the wet bulb, the dry bulb and Ws at the wet bulb (ASHRAE, eq. 35).
float HumidityRatioFromWetBulbSat(double twb, double t, double Ws);
// Enthalpy of moist air, dry-air specific heat taken as exactly 1.
float MoistAirEnthalpy(double t, double W);
// Specific volume of moist air, ideal gas.
float MoistAirSpecificVolume(double t, double p, double W);
// Density of moist air at standard pressure; RH exactly 0 takes the dry-air polynomial.
float MoistAirDensity(double t, double RH);
// Enthalpy from the wet bulb and the dry bulb (note: wet bulb first).
float EnthalpyFromWetBulb(double twb, double t);
float HumidityRatioFromWetBulb(double t, double twb);
float RelHumidityFromWetBulb(double t, double twb);
// Wet bulb by bisection; 0 when no solution was found.
float WetBulbFromRelHumidity(double t, double RH);
float WetBulbFromHumidityRatio(double t, double W);
// Enthalpy of saturated air (polynomial fit from -10 to 40 °C).
float SatAirEnthalpy(double t);
// Temperature of saturated air of enthalpy h; 0 when outside -10..40 °C.
float SatTemperatureFromEnthalpy(double h);
// Slope dh/dt of the saturation curve, kJ/(kg·K).
float SatEnthalpySlope(double t);
// Specific heat of air, kJ/(kg·K).
float AirSpecificHeat(double t);

} // namespace tarvello
