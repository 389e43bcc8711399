#include "engine/psychrometrics.h"

#include "engine/arithmetic.h"

#include <cmath>

namespace tarvello {

namespace {

constexpr double kMolarMassRatio = 0.62198;     // water / dry air
constexpr double kDryAirGasConstant = 287.055;  // J/(kg·K)
constexpr double kKelvinOffset = 273.15;
constexpr double kWetBulbTolerance_pct = 0.001; // on relative humidity
// On the humidity ratio, kg/kg: fine enough to resolve about 0.003 K of wet bulb (a
// coarser 0.001 kg/kg would accept any wet bulb within several kelvin).
constexpr double kHumidityRatioTolerance = 1e-6;
constexpr double kSatEnthalpyTolerance_pct = 0.001;

float absoluteTemperature(double t)
{
    return ToSingle(t + kKelvinOffset);
}

double standardPressure_hPa()
{
    return 1000.0 * static_cast<double>(kStandardPressure);
}

} // namespace

float SatVapourPressure(double t)
{
    const double T = absoluteTemperature(t);
    const float leading = ToSingle(Divide(-5800.2206, T) + 1.3914993 - 0.048640239 * T);
    const float exponent = ToSingle(leading + 4.1764768e-5 * T * T - 1.4452093e-8 * T * T * T
                                    + 6.5459673 * Ln(T));
    return ToSingle(Exp(exponent) / 100.0);
}

double EnhancementFactor(double t, double p)
{
    const double P = ToSingle(p * 100.0); // kPa
    const double P2 = P * P, P3 = P2 * P, P4 = P3 * P;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    return 1.00243 - 0.000112815 * P + 3.90957e-6 * P2 - 4.06844e-8 * P3 + 1.47933e-10 * P4
           + 2.84994e-5 * t - 7.00526e-7 * P * t + 5.71617e-9 * P2 * t - 2.49966e-11 * P3 * t
           + 2.50524e-7 * t2 + 3.58789e-9 * P * t2 - 4.38071e-12 * P2 * t2 + 4.31254e-9 * t3
           + 2.17987e-11 * P * t3 - 1.01246e-10 * t4;
}

float SatHumidityRatio(double p, double pws, double f)
{
    return ToSingle(Divide(kMolarMassRatio * f * pws, 1000.0 * p - f * pws));
}

float HumidityRatioFromVapour(double p, double pw)
{
    return ToSingle(Divide(kMolarMassRatio * pw, 1000.0 * p - pw));
}

float HumidityRatioFromWetBulbSat(double twb, double t, double Ws)
{
    return ToSingle(Divide((2501.0 - 2.381 * twb) * Ws - (t - twb), 2501.0 + 1.805 * t - 4.186 * twb));
}

float MoistAirEnthalpy(double t, double W)
{
    return ToSingle(t + W * (2501.0 + 1.805 * t));
}

float MoistAirSpecificVolume(double t, double p, double W)
{
    return ToSingle(Divide(kDryAirGasConstant * (t + kKelvinOffset) * (1.0 + 1.6078 * W), p * 100000.0));
}

float MoistAirDensity(double t, double RH)
{
    if (RH == 0.0) {
        // Dry air: specific volume as a cubic in t with pressure-dependent coefficients.
        const double P = kStandardPressure;
        const double a = 5.42087e-6 / (P * P) + 0.784104 / P - 0.000442721;
        const double b = 0.00287057 / P + 8.55954e-6 - 6.1922e-9 / (P * P);
        const double c = 7.46392e-13 * P * P - 3.891248111654055e-8;
        const double d = 1.1658411435762418e-10 - 2.52655e-15 * P * P;
        return ToSingle(Divide(1.0, a + b * t + c * t * t + d * t * t * t));
    }
    const double pw = static_cast<double>(SatVapourPressure(t)) * RH / 100.0;
    const double W = HumidityRatioFromVapour(kStandardPressure, pw);
    return ToSingle(Divide(1.0, MoistAirSpecificVolume(t, kStandardPressure, W)));
}

float HumidityRatioFromWetBulb(double t, double twb)
{
    const double pws = SatVapourPressure(twb);
    const double f = EnhancementFactor(twb, kStandardPressure);
    const double Ws = SatHumidityRatio(kStandardPressure, pws, f);
    return HumidityRatioFromWetBulbSat(twb, t, Ws);
}

float EnthalpyFromWetBulb(double twb, double t)
{
    return MoistAirEnthalpy(t, HumidityRatioFromWetBulb(t, twb));
}

float RelHumidityFromWetBulb(double t, double twb)
{
    const double pwsDry = SatVapourPressure(t);
    const double fDry = EnhancementFactor(t, kStandardPressure);
    const double WsDry = SatHumidityRatio(kStandardPressure, pwsDry, fDry);
    const double W = HumidityRatioFromWetBulb(t, twb);
    const double mu = ToSingle(Divide(W, WsDry)); // degree of saturation
    return ToSingle(100.0 * Divide(mu, 1.0 - (1.0 - mu) * fDry * pwsDry / standardPressure_hPa()));
}

float WetBulbFromRelHumidity(double t, double RH)
{
    if (RH == 100.0)
        return ToSingle(t);
    const double k = 0.605 + (0.275 / 65.0) * RH;
    const double estimate = k * (t + 10.4) - 11.1;
    double lower = estimate > 0 ? 0.5 * estimate : 1.5 * estimate;
    double upper = estimate > 0 ? 1.5 * estimate : 0.5 * estimate;
    const float target = ToSingle(RH);
    for (int step = 0; step < kWetBulbSearchSteps; ++step) {
        const double mid = (upper + lower) / 2.0;
        const float r = RelHumidityFromWetBulb(t, mid);
        if (std::fabs(static_cast<double>(r) - target) <= kWetBulbTolerance_pct)
            return ToSingle(mid);
        if (r <= target)
            lower = mid;
        else
            upper = mid;
    }
    return 0.0f;
}

float WetBulbFromHumidityRatio(double t, double W)
{
    double lower = 1.0;
    double upper = t;
    for (int step = 0; step < kWetBulbSearchSteps; ++step) {
        const double mid = (upper + lower) / 2.0;
        const double Wmid = HumidityRatioFromWetBulb(t, mid);
        if (std::fabs(Wmid - W) <= kHumidityRatioTolerance)
            return ToSingle(mid);
        if (Wmid <= W)
            lower = mid;
        else
            upper = mid;
    }
    return 0.0f;
}

float SatAirEnthalpy(double t)
{
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    return ToSingle(9.47131 + 1.70935 * t + 0.0219908 * t2 + 0.000570304 * t3 + 7.89992e-8 * t4
                    + 1.64604e-7 * t5);
}

float SatTemperatureFromEnthalpy(double h)
{
    double lower = -10.0;
    double upper = 40.0;
    double reference = h;
    for (int step = 0; step < kSatTemperatureSearchSteps; ++step) {
        const double mid = (upper + lower) / 2.0;
        const double hm = SatAirEnthalpy(mid);
        if (reference == 0.0) {
            reference = hm;
            if (hm == 0.0)
                return ToSingle(mid);
        }
        // Relative to the magnitude of the reference, so that a negative enthalpy is
        // searched like any other instead of being accepted at the first midpoint.
        const float errorPct = ToSingle(std::fabs(h - hm) / std::fabs(reference) * 100.0);
        if (errorPct < kSatEnthalpyTolerance_pct)
            return ToSingle(mid);
        if (hm <= h)
            lower = mid;
        else
            upper = mid;
    }
    return 0.0f;
}

float SatEnthalpySlope(double t)
{
    // The polynomial is in kcal/(kg·K); 4.1868 kJ/kcal.
    return ToSingle(4.1868 * (0.445 + 1.38e-2 * t + 2.844e-4 * t * t));
}

float AirSpecificHeat(double t)
{
    const double T = absoluteTemperature(t);
    return ToSingle(1.0507 - 0.0003645 * T + 8.388e-7 * T * T - 3.848e-10 * T * T * T);
}

} // namespace tarvello
