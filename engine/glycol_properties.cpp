#include "engine/glycol_properties.h"

#include <cmath>

namespace tarvello {

namespace {

// Constant terms c0(g) = Σ a_i g^i, i = 0..5, of the four property polynomials.
constexpr double DensityConstant[6] = {1001.86, 2.12132, -0.0423041, 0.00105156, -1.14852e-5,
                                       4.33288e-8};
constexpr double SpecificHeatConstant[6] = {4221.24, -8.81552, -0.434489, 0.00310911, 2.78747e-5,
                                            -2.6371e-7};
constexpr double ConductivityConstant[6] = {0.574176, -0.00386928, 8.74643e-5, -2.73712e-6,
                                            3.35989e-8, -1.37783e-10};
constexpr double LogViscosityConstant[6] = {0.248297, 0.0114403, 6.68495e-5, -4.20271e-7,
                                            -6.11731e-9, 7.42797e-11};

const double* constantTermCoefficients(GlycolPolynomial p)
{
    switch (p) {
    case GlycolPolynomial::Density:
        return DensityConstant;
    case GlycolPolynomial::SpecificHeat:
        return SpecificHeatConstant;
    case GlycolPolynomial::Conductivity:
        return ConductivityConstant;
    case GlycolPolynomial::LogViscosity:
        break;
    }
    return LogViscosityConstant;
}

} // namespace

GlycolSeriesRange glycolSeriesRange(GlycolPolynomial p)
{
    switch (p) {
    case GlycolPolynomial::Density:
        return {0, 3};
    case GlycolPolynomial::SpecificHeat:
        return {3, 3};
    case GlycolPolynomial::Conductivity:
        return {6, 3};
    case GlycolPolynomial::LogViscosity:
        break;
    }
    return {9, 5};
}

const GlycolTables& glycolTables()
{
    // Copied once from the shipped fit; a function-local static so that a property asked
    // for before InitPropertyTables still sees filled tables, never zeros.
    static const GlycolTables tables = FittedGlycolTables;
    return tables;
}

void InitPropertyTables()
{
    glycolTables();
}

float glycolSeriesAngle(int n, double g, double halfPeriod)
{
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    return static_cast<float>(n) * pi * static_cast<float>(g) / static_cast<float>(halfPeriod);
}

float glycolSeriesValue(const GlycolSeries& s, double g)
{
    float sum = static_cast<float>(s.A[0] / 2);
    for (int n = 1; n <= s.harmonics; ++n) {
        const double angle = glycolSeriesAngle(n, g, s.halfPeriod);
        sum = static_cast<float>(sum + s.A[n] * std::cos(angle) + s.B[n] * std::sin(angle));
    }
    return sum;
}

float glycolConstantTerm(GlycolPolynomial p, double g)
{
    const double* a = constantTermCoefficients(p);
    double sum = 0;
    double gPower = 1;
    for (int i = 0; i < 6; ++i) {
        sum += a[i] * gPower;
        gPower *= g;
    }
    return static_cast<float>(sum);
}

double glycolPolynomialValue(GlycolPolynomial p, const GlycolTables& tables, double t, double g)
{
    const GlycolSeriesRange range = glycolSeriesRange(p);
    double value = glycolConstantTerm(p, g);
    double tPower = 1;
    for (int k = 0; k < range.count; ++k) {
        tPower *= t;
        value += static_cast<double>(glycolSeriesValue(tables.series[range.first + k], g)) * tPower;
    }
    return value;
}

double GlycolViscosity(double t, double g)
{
    const double logMilliPaS = glycolPolynomialValue(GlycolPolynomial::LogViscosity, glycolTables(), t, g);
    return std::pow(10.0, logMilliPaS) / 1000;
}

double GlycolConductivity(double t, double g)
{
    return glycolPolynomialValue(GlycolPolynomial::Conductivity, glycolTables(), t, g);
}

double GlycolDensity(double t, double g)
{
    return glycolPolynomialValue(GlycolPolynomial::Density, glycolTables(), t, g);
}

float GlycolSpecificHeat(double t, double g)
{
    return static_cast<float>(
        glycolPolynomialValue(GlycolPolynomial::SpecificHeat, glycolTables(), t, g) / 1000);
}

} // namespace tarvello
