#include "engine/water_side.h"

#include "engine/arithmetic.h"

namespace tarvello {

namespace {

constexpr double kTubeSectionPi = 3.14;

float absoluteTemperature(double t)
{
    return ToSingle(t + 273.15);
}

double prandtlExponent(const CoilState& s, const CoilConstants& k)
{
    return s.Mode == ModeHeating ? k.PrandtlExpHeating : k.PrandtlExpCooling;
}

// Film coefficients of the two laws, W/(m²·K), and the Nusselt numbers behind them.
double laminarNusselt(double reynolds, const CoilState& s, const CoilConstants& k)
{
    const double graetzLike = Divide(reynolds * s.Prandtl * k.TubeInnerDiameter, s.FinLength);
    return k.LaminarCoeff * Power(graetzLike, k.LaminarExp);
}

double turbulentNusselt(double reynolds, const CoilState& s, const CoilConstants& k)
{
    return k.TurbulentCoeff * Power(reynolds, k.ReynoldsExp) * Power(s.Prandtl, prandtlExponent(s, k));
}

} // namespace

float WaterViscosity(double t)
{
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t, t5 = t4 * t;
    return ToSingle((1683.26 - 44.4511 * t + 0.635178 * t2 - 0.00495205 * t3 + 1.95084e-5 * t4
                     - 3.02098e-8 * t5)
                    / 1000000.0);
}

float WaterConductivity(double t)
{
    const double T = absoluteTemperature(t);
    return ToSingle(-0.4806 + 0.00584704 * T - 7.33188e-6 * T * T);
}

float WaterDensity(double t)
{
    const double T = absoluteTemperature(t);
    return ToSingle(766.17 + 1.80396 * T - 0.0034589 * T * T);
}

float WaterSpecificHeat(double t)
{
    const double T = absoluteTemperature(t);
    return ToSingle(5.6158 - 0.0090277 * T + 1.4177e-5 * T * T);
}

float TubeVelocity(double flow, double circuits, const CoilConstants& k)
{
    const double radius = k.TubeInnerDiameter / 2.0;
    return ToSingle(Divide(flow, kTubeSectionPi * circuits * radius * radius));
}

float TubeReynolds(double velocity, double t, double viscosity, const CoilConstants& k)
{
    return ToSingle(Divide(k.TubeInnerDiameter * velocity * WaterDensity(t), viscosity));
}

float TubeFilmCoefficient(CoilState& s, const CoilConstants& k)
{
    const double re = s.Reynolds;
    const double conductancePerDiameter = Divide(s.FluidConductivity, k.TubeInnerDiameter);
    if (re <= kLaminarReynoldsLimit) {
        s.Nusselt = ToSingle(laminarNusselt(re, s, k));
        return ToSingle(conductancePerDiameter * s.Nusselt);
    }
    if (re > kTurbulentReynoldsLimit) {
        s.Nusselt = ToSingle(turbulentNusselt(re, s, k));
        return ToSingle(conductancePerDiameter * s.Nusselt);
    }
    // Transition: straight line through the laminar value at 2300 and the turbulent
    // value at 10000; the Nusselt number reported is the turbulent one at 10000.
    const double alphaLaminar = conductancePerDiameter * laminarNusselt(kLaminarReynoldsLimit, s, k);
    const double nusseltTurbulent = turbulentNusselt(kTurbulentReynoldsLimit, s, k);
    const double alphaTurbulent = conductancePerDiameter * nusseltTurbulent;
    const double slope = (alphaLaminar - alphaTurbulent) / (kLaminarReynoldsLimit - kTurbulentReynoldsLimit);
    s.Nusselt = ToSingle(nusseltTurbulent);
    return ToSingle((alphaLaminar - kLaminarReynoldsLimit * slope) + slope * re);
}

float CircuitTubeLength(int16_t tubeCount, const CoilState& s, const CoilConstants& k)
{
    const double tubesPerCircuit = Divide(tubeCount, s.Circuits); // need not be whole
    return ToSingle((tubesPerCircuit - 1.0) * k.BendLength + static_cast<double>(s.FinLength) * tubesPerCircuit
                    + static_cast<double>(s.ExtraLengthCoeff) * s.CoilHeight);
}

float TubeFrictionDrop(const CoilState& s, const CoilConstants& k)
{
    const double frictionFactor = Divide(k.BlasiusCoeff, Power(s.Reynolds, 0.25));
    const double v = s.WaterVelocity;
    return ToSingle(frictionFactor * Divide(s.CircuitLength, k.TubeInnerDiameter) * v * v / 2.0);
}

int16_t CoilTubeCount(double coilHeight, double rows, const CoilConstants& k)
{
    return ToInt16(Divide(coilHeight, k.TubePitch) * rows);
}

} // namespace tarvello
