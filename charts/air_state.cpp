#include "charts/air_state.h"

#include "engine/psychrometrics.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

namespace {

// Latent heat at 0 °C and the vapour's specific heat of the engine's enthalpy, kJ/kg(·K).
constexpr double kLatentHeat0 = 2501.0;
constexpr double kVapourCp = 1.805;
// The engine's wet bulb search starts at 1 °C: below it the wet bulb is found here.
constexpr double kWetBulbSearchFloor = 1.0;
constexpr int kWetBulbSteps = 60;
constexpr double kWetBulbTolerance = 1e-7; // kg/kg

// Wet bulb of air of `dryBulb` and `W`, found with the engine's humidity ratio from the wet
// bulb; the engine's own search where it works, a wider bisection where it does not.
double wetBulbOf(double dryBulb, double W)
{
    const double found = WetBulbFromHumidityRatio(dryBulb, W);
    if (found != 0.0 && found > kWetBulbSearchFloor)
        return found;
    double lower = -40.0;
    double upper = dryBulb;
    for (int step = 0; step < kWetBulbSteps; ++step) {
        const double mid = (lower + upper) / 2.0;
        const double Wmid = HumidityRatioFromWetBulb(dryBulb, mid);
        if (std::abs(Wmid - W) <= kWetBulbTolerance)
            return mid;
        (Wmid <= W ? lower : upper) = mid;
    }
    return (lower + upper) / 2.0;
}

double relativeHumidityOf(double dryBulb, double W)
{
    const double p = chartPressure();
    const double pws = SatVapourPressure(dryBulb);
    const double f = EnhancementFactor(dryBulb, p);
    const double Ws = SatHumidityRatio(p, pws, f);
    const double mu = W / Ws;
    const double a = f * pws / (1000.0 * p);
    return 100.0 * mu / (1.0 - (1.0 - mu) * a);
}

} // namespace

double chartPressure()
{
    return kStandardPressure;
}

double saturationHumidityRatio(double dryBulb)
{
    const double p = chartPressure();
    return SatHumidityRatio(p, SatVapourPressure(dryBulb), EnhancementFactor(dryBulb, p));
}

double humidityRatioAt(double dryBulb, double relativeHumidity)
{
    const double p = chartPressure();
    const double pws = SatVapourPressure(dryBulb);
    const double a = EnhancementFactor(dryBulb, p) * pws / (1000.0 * p);
    const double rh = relativeHumidity / 100.0;
    const double mu = rh * (1.0 - a) / (1.0 - rh * a); // degree of saturation
    return mu * saturationHumidityRatio(dryBulb);
}

AirState airStateFromHumidityRatio(double dryBulb, double W)
{
    AirState s;
    s.dryBulb = dryBulb;
    s.humidityRatio = std::max(W, 0.0);
    s.enthalpy = MoistAirEnthalpy(dryBulb, s.humidityRatio);
    s.relativeHumidity = relativeHumidityOf(dryBulb, s.humidityRatio);
    s.wetBulb = wetBulbOf(dryBulb, s.humidityRatio);
    return s;
}

AirState airStateFromWetBulb(double dryBulb, double wetBulb)
{
    AirState s = airStateFromHumidityRatio(dryBulb, HumidityRatioFromWetBulb(dryBulb, wetBulb));
    s.wetBulb = wetBulb; // as given, not found again
    return s;
}

AirState airStateFromHumidity(double dryBulb, double relativeHumidity)
{
    return airStateFromHumidityRatio(dryBulb, humidityRatioAt(dryBulb, relativeHumidity));
}

AirState airStateFromEnthalpy(double dryBulb, double enthalpy)
{
    return airStateFromHumidityRatio(dryBulb, (enthalpy - dryBulb) / (kLatentHeat0 + kVapourCp * dryBulb));
}

} // namespace tarvello
