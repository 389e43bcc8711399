#include "engine/coil_model.h"

#include "engine/arithmetic.h"
#include "engine/glycol_properties.h"
#include "engine/psychrometrics.h"
#include "engine/water_side.h"

#include <array>
#include <cmath>

namespace tarvello {

namespace {

constexpr double kBypassBase = 2.718;
constexpr double kEqualDifferenceStep = 0.001;

bool sameStrictSign(double d1, double d2)
{
    return (d1 > 0.0 && d2 > 0.0) || (d1 < 0.0 && d2 < 0.0);
}

// Log-mean of d1 and d2 = a_end - b_end, where d2 depends on b2. Shared by both forms.
float logMean(double d1, float& b2, double d2Base, int b2Sign, const CoilConstants& k)
{
    // d2 = d2Base + b2Sign * b2
    double d2 = d2Base + b2Sign * static_cast<double>(b2);
    if (static_cast<float>(d1) == static_cast<float>(d2)) {
        b2 = ToSingle(b2 - kEqualDifferenceStep);
        d2 = d2Base + b2Sign * static_cast<double>(b2);
    }
    // Differences of opposite sign or a zero difference: the streams cross or touch, and
    // the coil has no log-mean difference (the rating reads it as no capacity).
    if (!sameStrictSign(d1, d2))
        return 0.0f;
    const double L = Ln(d1 / d2);
    if (L == 0.0)
        return 0.0f;
    return ToSingle(k.LogMeanFactor * (d1 - d2) / L);
}

// Entry [geom][passo] of a surface table; codes outside the table have no surface.
double surfaceEntry(const std::array<std::array<float, 8>, 4>& table, int geom, int passo)
{
    if (geom < 0 || geom >= 4 || passo < 0 || passo >= 8)
        return 0.0;
    return table[geom][passo];
}

double surfacePerRow(const CoilState& s, const CoilConstants& k)
{
    return surfaceEntry(k.SurfacePerRow, s.Geom, s.Passo);
}

double surfaceRatio(const CoilState& s, const CoilConstants& k)
{
    return surfaceEntry(k.SurfaceRatio, s.Geom, s.Passo);
}

void prepareFluid(CoilState& s)
{
    s.WaterMeanTemp = ToSingle((static_cast<double>(s.WaterIn) + s.WaterOut) / 2.0);
    const double t = s.WaterMeanTemp;
    if (s.GlycolPercent > 0) {
        const double g = s.GlycolPercent;
        s.FluidViscosity = ToSingle(GlycolViscosity(t, g));
        s.FluidConductivity = ToSingle(GlycolConductivity(t, g));
        s.FluidDensity = ToSingle(GlycolDensity(t, g));
        s.FluidCp = GlycolSpecificHeat(t, g);
    } else {
        s.FluidViscosity = WaterViscosity(t);
        s.FluidConductivity = WaterConductivity(t);
        s.FluidDensity = WaterDensity(t);
        s.FluidCp = WaterSpecificHeat(t);
    }
    // Viscosity in kg/(m·h) and conductivity in kJ/(m·h·K) give the same ratio as SI.
    s.Prandtl = ToSingle(Divide(static_cast<double>(s.FluidCp) * s.FluidViscosity * 3600.0,
                                static_cast<double>(s.FluidConductivity) * 3.6));
}

// Water velocity, Reynolds number and water film of the current evaluation.
void rateWaterFilm(CoilState& s, const CoilConstants& k)
{
    s.WaterVelocity = TubeVelocity(s.WaterFlow, s.Circuits, k);
    s.Reynolds = TubeReynolds(s.WaterVelocity, s.WaterMeanTemp, s.FluidViscosity, k);
    s.WaterFilm = TubeFilmCoefficient(s, k);
}

// Air mass flow times 1000, kg/s·(J/kJ): turns kJ/kg of air into W.
double airMassFlowW(const CoilState& s)
{
    return static_cast<double>(s.AirDensity) * s.AirFlow * 1000.0;
}

double waterHeatFlowW(const CoilState& s)
{
    return static_cast<double>(s.FluidCp) * s.WaterFlow * s.FluidDensity * 1000.0;
}

} // namespace

int FinsPer25_5mm(int finPitch)
{
    return static_cast<int>(RoundHalfEven(Divide(25.5, finPitch / 10.0)));
}

float AirFilmCoefficient(double rows, double faceVelocity, int geom, int finPitch, const CoilState& s,
                         const CoilConstants& k)
{
    const double C = s.AirCoeff;
    const double v = faceVelocity;
    switch (geom) {
    case 0:
        return ToSingle(C * Power(v, k.AirExpBase[0]));
    case 1:
        return ToSingle(C * Power(v, rows == 1.0 ? k.AirExpBase[1] : k.AirExpMultiRow));
    case 2: {
        const double n = FinsPer25_5mm(finPitch);
        const double exponent = (k.AirExpBase[2] + k.AirExpFinSlope[2] * n) * Power(rows, k.AirExpRowExp[2]);
        return ToSingle(C * Power(n, k.FinCountExp[2]) * Power(v, exponent));
    }
    case 3:
        return ToSingle(C * Power(rows, k.RowExp[3]) * Power(v, k.AirExpBase[3] * Power(rows, k.AirExpRowExp[3])));
    default:
        return 0.0f;
    }
}

float CoilBypassFactor(double rows, int passo, double airFilm, const CoilState& s, const CoilConstants& k)
{
    const double S = surfaceEntry(k.SurfacePerRow, s.Geom, passo);
    const double airCapacityRate = static_cast<double>(s.AirCp) * s.AirDensity * s.FaceVelocity * 1000.0;
    return ToSingle(s.BypassCoeff * Power(kBypassBase, -Divide(S * airFilm * rows, airCapacityRate)));
}

float LogMeanDifferenceA(float& a1, float& a2, float& b1, float& b2, const CoilConstants& k)
{
    // d1 = a2 - b1, d2 = a1 - b2
    return logMean(static_cast<double>(a2) - b1, b2, a1, -1, k);
}

float LogMeanDifferenceB(float& a1, float& a2, float& b1, float& b2, const CoilConstants& k)
{
    // d1 = b1 - a2, d2 = b2 - a1
    return logMean(static_cast<double>(b1) - a2, b2, -static_cast<double>(a1), +1, k);
}

void PrepareCoolingPoint(CoilState& s)
{
    prepareFluid(s);
    s.SatSlopeMean = SatEnthalpySlope(s.WaterMeanTemp);
    s.SatEnthalpyWaterOut = EnthalpyFromWetBulb(s.WaterOut, s.WaterOut);
}

void PrepareHeatingPoint(CoilState& s)
{
    prepareFluid(s);
}

void RateCoilCooling(CoilState& s, const CoilConstants& k)
{
    s.WaterSideCapacity = ToSingle(waterHeatFlowW(s) * (static_cast<double>(s.WaterOut) - s.WaterIn));
    if (!s.DryCoil) {
        s.AirOutEnthalpy = ToSingle(s.AirInEnthalpy - Divide(s.WaterSideCapacity, airMassFlowW(s)));
        s.LogMeanDiff = LogMeanDifferenceB(s.SatEnthalpyWaterIn, s.SatEnthalpyWaterOut, s.AirInEnthalpy,
                                           s.AirOutEnthalpy, k);
    } else {
        s.AirOut = ToSingle(s.AirIn - Divide(s.WaterSideCapacity, airMassFlowW(s) * s.AirCp));
        s.LogMeanDiff = LogMeanDifferenceA(s.AirOut, s.AirIn, s.WaterOut, s.WaterIn, k);
    }
    rateWaterFilm(s, k);
    if (s.WaterFilm < kCoolingWaterFilmFloor)
        s.WaterFilm = kCoolingWaterFilmFloor;
    const double S = surfacePerRow(s, k);
    const double R = surfaceRatio(s, k);
    const double resistance = s.DryCoil ? Divide(R, s.WaterFilm) + Divide(1.0, s.AirFilm)
                                        : Divide(R * s.SatSlopeMean, s.WaterFilm) + Divide(s.AirCp, s.AirFilm);
    s.UnitConductance = ToSingle(Divide(S, resistance));
    s.Capacity = ToSingle(static_cast<double>(s.UnitConductance) * s.LogMeanDiff * s.FaceArea * s.Rows);
}

void RateCoilHeating(CoilState& s, const CoilConstants& k)
{
    s.WaterSideCapacity = ToSingle(waterHeatFlowW(s) * (static_cast<double>(s.WaterIn) - s.WaterOut));
    s.AirOut = ToSingle(s.AirIn + Divide(s.WaterSideCapacity, airMassFlowW(s) * s.AirCp));
    s.LogMeanDiff = LogMeanDifferenceA(s.WaterIn, s.WaterOut, s.AirIn, s.AirOut, k);
    rateWaterFilm(s, k);
    const double S = surfacePerRow(s, k);
    const double R = surfaceRatio(s, k);
    s.UnitConductance = ToSingle(Divide(S, Divide(R, s.WaterFilm) + Divide(1.0, s.AirFilm)));
    s.Capacity = ToSingle(static_cast<double>(s.UnitConductance) * s.LogMeanDiff * s.FaceArea * s.Rows);
}

float CapacityDeviation(const CoilState& s)
{
    if (s.Capacity <= 0)
        return -1.0f;
    return ToSingle((1.0 - static_cast<double>(s.WaterSideCapacity) / s.Capacity) * 100.0);
}

} // namespace tarvello
