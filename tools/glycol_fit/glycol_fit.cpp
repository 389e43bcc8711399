// Fits the free coefficients of the fourteen Fourier series of the glycol property tables and
// writes them as engine/glycol_tables.cpp.
//
// Each property polynomial P(t, g) = c0(g) + Σ_k c_k(g)·t^k has a fixed constant term c0 and
// Fourier series c_k whose first (A[0], A[1], B[1]) and last (A[N], B[N]) coefficients are
// given; the others are free. P is linear in the free coefficients, so the fit is one linear
// least-squares problem per property over a (t, g) grid:
//   - the shape target is Melinder's ethylene glycol correlation (see melinder.h) moved onto
//     our constant term: P*(t, g) = c0(g) + M(t, g) − M(0, g) (conductivity: scaled,
//     c0(g)·M(t, g)/M(0, g); viscosity: in log10);
//   - the six reference rows are weighted so heavily that they hold to rounding;
//   - the deviation d = P − P* is made smooth in t and g (second differences), so the
//     reference rows bend the data shape over a wide area instead of making local bumps,
//     and so that the given high harmonics are damped by the free ones inside 0-60 %;
//   - a ridge on the harmonics, growing with n², keeps the free coefficients of the order of
//     the given ones (the series are free to wander over 60-130 %, where nothing looks).
// The basis functions use the same single-precision angles as the evaluation, and the result
// is checked through the real property functions.

#include "engine/glycol_properties.h"
#include "least_squares.h"
#include "melinder.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace tarvello;
using glycolfit::LeastSquaresProblem;
using glycolfit::melinderEthyleneGlycol;

namespace {

// The given values of each series, in table order.
struct GivenSeries {
    int power;
    int harmonics;
    double halfPeriod;
    double a0, a1, b1, aN, bN;
};

constexpr GivenSeries Given[GlycolSeriesCount] = {
    {1, 20, 65, -0.942342, 0.141279, 0.150015, -0.000564218, -0.00454646},
    {2, 20, 65, -0.00295919, -0.000582998, -0.000746226, 1.19665e-06, 5.86572e-06},
    {3, 30, 65, -7.4838e-07, -1.11021e-08, 2.99114e-07, -2.78354e-08, 6.1148e-09},
    {1, 20, 65, 8.01816, -3.1174, -1.04115, 0.0198937, 0.0842},
    {2, 20, 65, -0.0171342, 0.013056, -0.00250992, -2.11856e-05, 4.5991e-05},
    {3, 15, 65, 6.31738e-05, -1.96353e-05, 1.45424e-05, 9.83386e-07, 7.58927e-07},
    {1, 20, 65, -5.49753e-05, 0.000543181, 0.000480577, -2.43097e-06, -1.99577e-05},
    {2, 20, 65, -4.50425e-07, -2.14389e-07, -3.61272e-08, -1.03859e-08, -1.7316e-08},
    {3, 15, 65, 1.93467e-09, 8.94632e-10, 4.06003e-10, -4.11661e-11, -3.88783e-11},
    {1, 20, 70, -0.0389942, 0.00328376, 0.00325223, -7.40337e-05, 3.89779e-05},
    {2, 20, 70, 0.000324313, -2.468e-05, -4.57791e-05, 5.47438e-07, 3.63175e-07},
    {3, 20, 70, -2.39187e-06, 1.35743e-07, 5.70422e-07, -3.45795e-09, -1.06755e-08},
    {4, 20, 70, 1.09671e-08, -2.88295e-10, -3.63648e-09, 1.3337e-11, 8.71415e-11},
    {5, 20, 70, -2.14721e-11, -5.43359e-14, 8.91027e-12, -2.64818e-14, -2.35462e-13},
};

// The reference rows: t °C, g %, kg/m³, kJ/(kg·K), W/(m·K), Pa·s.
struct ReferenceRow {
    double t, g, density, specificHeat, conductivity, viscosity;
};
constexpr ReferenceRow References[] = {
    {0, 10, 1019.78, 4.093, 0.5418, 0.002338},  {10, 10, 1016.43, 4.0975, 0.5494, 0.001692},
    {10, 30, 1043.58, 3.6903, 0.4884, 0.003016}, {40, 30, 1029.51, 3.7618, 0.4933, 0.00131},
    {0, 50, 1075.37, 3.1747, 0.4242, 0.008315},  {40, 50, 1053.59, 3.3991, 0.4193, 0.002161},
};

constexpr GlycolPolynomial Polynomials[] = {GlycolPolynomial::Density, GlycolPolynomial::SpecificHeat,
                                            GlycolPolynomial::Conductivity,
                                            GlycolPolynomial::LogViscosity};

const char* polynomialName(GlycolPolynomial p)
{
    switch (p) {
    case GlycolPolynomial::Density:
        return "density";
    case GlycolPolynomial::SpecificHeat:
        return "specific heat";
    case GlycolPolynomial::Conductivity:
        return "conductivity";
    case GlycolPolynomial::LogViscosity:
        break;
    }
    return "log10 of viscosity";
}

// Per property: the size of a deviation that matters (in fit units), used to weigh rows.
double deviationScale(GlycolPolynomial p)
{
    switch (p) {
    case GlycolPolynomial::Density:
        return 0.3; // kg/m³
    case GlycolPolynomial::SpecificHeat:
        return 3; // J/(kg·K)
    case GlycolPolynomial::Conductivity:
        return 0.002; // W/(m·K)
    case GlycolPolynomial::LogViscosity:
        break;
    }
    return 0.004; // log10, about 1 %
}

// The grid of the fit: g 0-60 %, t 0-90 °C (above 60 °C with less weight: heating water).
constexpr double GridStepG = 0.5;
constexpr int GridCountG = 121;
constexpr double GridStepT = 5;
constexpr int GridCountT = 19;
constexpr double FullWeightUpToT = 60;
constexpr double HotWeight = 0.3;

// Smoothing of the deviation: second differences scaled to these lengths (in % along g, in °C
// along t), and their weight against the data rows. Stiffer along t, so that a reference
// row changes the slope in t of its own mixture rather than of its neighbours.
constexpr double SmoothingLengthG = 10;
constexpr double SmoothingLengthT = 40;
constexpr double SmoothingWeight = 0.3;
constexpr double ReferenceWeight = 1e4;
constexpr double RidgeWeight = 1;

double gridG(int i) { return i * GridStepG; }
double gridT(int j) { return j * GridStepT; }

// P*(t, g): the shape of the published data on our constant term, in fit units.
double shapeTarget(GlycolPolynomial p, double t, double g)
{
    const auto m = melinderEthyleneGlycol(t, g);
    const auto m0 = melinderEthyleneGlycol(0, g);
    const double c0 = glycolConstantTerm(p, g);
    switch (p) {
    case GlycolPolynomial::Density:
        return c0 + m.density - m0.density;
    case GlycolPolynomial::SpecificHeat:
        return c0 + m.specificHeat - m0.specificHeat;
    case GlycolPolynomial::Conductivity:
        return c0 * m.conductivity / m0.conductivity;
    case GlycolPolynomial::LogViscosity:
        break;
    }
    return c0 + std::log10(m.viscosity / m0.viscosity);
}

// A reference row in fit units.
double referenceValue(GlycolPolynomial p, const ReferenceRow& r)
{
    switch (p) {
    case GlycolPolynomial::Density:
        return r.density;
    case GlycolPolynomial::SpecificHeat:
        return r.specificHeat * 1000;
    case GlycolPolynomial::Conductivity:
        return r.conductivity;
    case GlycolPolynomial::LogViscosity:
        break;
    }
    return std::log10(r.viscosity * 1000);
}

// The property value through the real evaluation (single-precision series), in fit units.
double propertyValue(GlycolPolynomial p, const GlycolTables& tables, double t, double g)
{
    return glycolPolynomialValue(p, tables, t, g);
}

GlycolTables givenOnlyTables()
{
    GlycolTables tables{};
    for (int s = 0; s < GlycolSeriesCount; ++s) {
        const GivenSeries& given = Given[s];
        GlycolSeries& series = tables.series[s];
        series.power = given.power;
        series.harmonics = given.harmonics;
        series.halfPeriod = given.halfPeriod;
        series.A[0] = given.a0;
        series.A[1] = given.a1;
        series.B[1] = given.b1;
        series.A[given.harmonics] = given.aN;
        series.B[given.harmonics] = given.bN;
    }
    return tables;
}

struct FreeCoefficient {
    int series;
    int n;
    bool sine;
};

std::vector<FreeCoefficient> freeCoefficients(GlycolPolynomial p, const GlycolTables& tables)
{
    std::vector<FreeCoefficient> result;
    const GlycolSeriesRange range = glycolSeriesRange(p);
    for (int s = range.first; s < range.first + range.count; ++s) {
        for (int n = 2; n < tables.series[s].harmonics; ++n) {
            result.push_back({s, n, false});
            result.push_back({s, n, true});
        }
    }
    return result;
}

double basisValue(const FreeCoefficient& c, const GlycolTables& tables, double t, double g)
{
    const GlycolSeries& s = tables.series[c.series];
    const double angle = glycolSeriesAngle(c.n, g, s.halfPeriod);
    return std::pow(t, s.power) * (c.sine ? std::sin(angle) : std::cos(angle));
}

// Deviation d = P − P* at one grid point, as an affine function of the free coefficients.
struct AffineValue {
    std::vector<double> coefficients;
    double constant = 0;
};

AffineValue deviationAt(GlycolPolynomial p, const GlycolTables& given,
                        const std::vector<FreeCoefficient>& free, double t, double g)
{
    AffineValue v;
    v.coefficients.reserve(free.size());
    for (const auto& c : free)
        v.coefficients.push_back(basisValue(c, given, t, g));
    v.constant = propertyValue(p, given, t, g) - shapeTarget(p, t, g);
    return v;
}

// Adds Σ w_i·d_i = 0 as one weighted row.
void addCombinationRow(LeastSquaresProblem& problem, const std::vector<const AffineValue*>& values,
                       const std::vector<double>& factors, double weight)
{
    std::vector<double> row(problem.unknowns(), 0.0);
    double constant = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        for (int j = 0; j < problem.unknowns(); ++j)
            row[j] += factors[i] * values[i]->coefficients[j];
        constant += factors[i] * values[i]->constant;
    }
    problem.addRow(row, -constant, weight);
}

bool fitPolynomial(GlycolPolynomial p, GlycolTables& tables)
{
    const GlycolTables given = givenOnlyTables();
    const std::vector<FreeCoefficient> free = freeCoefficients(p, given);
    const double sigma = deviationScale(p);
    LeastSquaresProblem problem(static_cast<int>(free.size()));

    std::vector<AffineValue> grid(GridCountG * GridCountT);
    auto at = [&](int i, int j) -> const AffineValue& { return grid[i * GridCountT + j]; };
    for (int i = 0; i < GridCountG; ++i)
        for (int j = 0; j < GridCountT; ++j)
            grid[i * GridCountT + j] = deviationAt(p, given, free, gridT(j), gridG(i));

    for (int i = 0; i < GridCountG; ++i)
        for (int j = 0; j < GridCountT; ++j) {
            const double w = gridT(j) <= FullWeightUpToT ? 1.0 : HotWeight;
            addCombinationRow(problem, {&at(i, j)}, {1.0}, w / sigma);
        }

    const double wSmooth = SmoothingWeight / sigma;
    const double gg = SmoothingLengthG * SmoothingLengthG / (GridStepG * GridStepG);
    const double tt = SmoothingLengthT * SmoothingLengthT / (GridStepT * GridStepT);
    const double gt = std::sqrt(2.0) * SmoothingLengthG * SmoothingLengthT / (GridStepG * GridStepT);
    for (int i = 0; i < GridCountG; ++i)
        for (int j = 0; j < GridCountT; ++j) {
            if (i > 0 && i + 1 < GridCountG)
                addCombinationRow(problem, {&at(i - 1, j), &at(i, j), &at(i + 1, j)}, {gg, -2 * gg, gg},
                                  wSmooth);
            if (j > 0 && j + 1 < GridCountT)
                addCombinationRow(problem, {&at(i, j - 1), &at(i, j), &at(i, j + 1)}, {tt, -2 * tt, tt},
                                  wSmooth);
            if (i + 1 < GridCountG && j + 1 < GridCountT)
                addCombinationRow(problem, {&at(i, j), &at(i + 1, j), &at(i, j + 1), &at(i + 1, j + 1)},
                                  {gt, -gt, -gt, gt}, wSmooth);
        }

    for (const auto& r : References) {
        if (r.t == 0)
            continue; // at t = 0 only the fixed constant term acts
        std::vector<double> row;
        for (const auto& c : free)
            row.push_back(basisValue(c, given, r.t, r.g));
        problem.addRow(row, referenceValue(p, r) - propertyValue(p, given, r.t, r.g),
                       ReferenceWeight / sigma);
    }

    // Ridge: a coefficient's largest effect at 60 °C, relative to sigma, growing with n².
    for (size_t j = 0; j < free.size(); ++j) {
        const GlycolSeries& s = given.series[free[j].series];
        const double n = static_cast<double>(free[j].n) / s.harmonics;
        std::vector<double> row(free.size(), 0.0);
        row[j] = std::pow(60.0, s.power) * n * n;
        problem.addRow(row, 0, RidgeWeight / sigma);
    }

    const std::vector<double> x = problem.solve();
    if (x.empty())
        return false;
    for (size_t j = 0; j < free.size(); ++j) {
        GlycolSeries& s = tables.series[free[j].series];
        (free[j].sine ? s.B : s.A)[free[j].n] = x[j];
    }
    return true;
}

// ---- Report ----

double inPropertyUnits(GlycolPolynomial p, double value)
{
    switch (p) {
    case GlycolPolynomial::SpecificHeat:
        return value / 1000;
    case GlycolPolynomial::LogViscosity:
        return std::pow(10.0, value) / 1000;
    default:
        return value;
    }
}

void reportReferences(const GlycolTables& tables)
{
    std::printf("Reference rows (fit value, reference, difference):\n");
    for (const auto& r : References) {
        std::printf("  t=%2.0f g=%2.0f", r.t, r.g);
        for (GlycolPolynomial p : Polynomials) {
            const double fit = inPropertyUnits(p, propertyValue(p, tables, r.t, r.g));
            const double ref = inPropertyUnits(p, referenceValue(p, r));
            if (p == GlycolPolynomial::LogViscosity)
                std::printf("  visc %.6f/%.6f (%+.3f %%)", fit, ref, (fit / ref - 1) * 100);
            else
                std::printf("  %.5g/%.5g (%+.2g)", fit, ref, fit - ref);
        }
        std::printf("\n");
    }
}

// Melinder's values as published (mass %, °C): density, cp, conductivity, viscosity mPa·s.
struct PublishedPoint {
    double g, t, density, specificHeat, conductivity, viscosity;
};
constexpr PublishedPoint Published[] = {
    {10, 0, 1013.6, 4.0374, 0.5233, 2.345},  {10, 10, 1012.5, 4.0405, 0.5386, 1.694},
    {10, 20, 1010.6, 4.0459, 0.5529, 1.275}, {10, 40, 1004.3, 4.0619, 0.5783, 0.801},
    {10, 60, 995.2, 4.0831, 0.5996, 0.563},  {30, 0, 1045.0, 3.6581, 0.4459, 4.298},
    {30, 10, 1041.8, 3.6885, 0.4555, 2.983}, {30, 20, 1038.0, 3.7183, 0.4649, 2.166},
    {30, 40, 1028.8, 3.7754, 0.4830, 1.286}, {30, 60, 1017.5, 3.8287, 0.5002, 0.866},
    {50, 0, 1074.6, 3.2029, 0.3768, 7.930},  {50, 10, 1070.0, 3.2584, 0.3830, 5.257},
    {50, 20, 1064.9, 3.3120, 0.3891, 3.693}, {50, 40, 1053.4, 3.4127, 0.4015, 2.103},
    {50, 60, 1040.5, 3.5031, 0.4138, 1.375},  {20, 10, 1026.9, 3.8783, 0.4962, 2.250},
    {40, 10, 1056.4, 3.4773, 0.4176, 3.947},
};

void reportPublished(const GlycolTables& tables)
{
    std::printf("Against the published grid (relative difference, %%):\n");
    double worst[4] = {0, 0, 0, 0};
    for (const auto& pt : Published) {
        const double published[4] = {pt.density, pt.specificHeat, pt.conductivity, pt.viscosity / 1000};
        std::printf("  g=%2.0f t=%2.0f", pt.g, pt.t);
        for (int q = 0; q < 4; ++q) {
            const GlycolPolynomial p = Polynomials[q];
            const double fit = inPropertyUnits(p, propertyValue(p, tables, pt.t, pt.g));
            const double rel = (fit / published[q] - 1) * 100;
            worst[q] = std::max(worst[q], std::fabs(rel));
            std::printf("  %+6.2f", rel);
        }
        std::printf("\n");
    }
    std::printf("  largest: density %.2f %%, cp %.2f %%, conductivity %.2f %%, viscosity %.2f %%\n",
                worst[0], worst[1], worst[2], worst[3]);
}

// Largest deviation from the shape target, and sign changes of the slopes where the shape
// target has none, over 0-60 % and 0-90 °C in 1-unit steps.
void reportShape(const GlycolTables& tables)
{
    std::printf("Shape (fit units): largest |P − P*| for t <= 60 and t <= 90, slope sign faults\n");
    for (GlycolPolynomial p : Polynomials) {
        double worst60 = 0, worst90 = 0;
        int slopeFaultsG = 0, slopeFaultsT = 0;
        for (int g = 0; g <= 60; ++g)
            for (int t = 0; t <= 90; ++t) {
                const double d = std::fabs(propertyValue(p, tables, t, g) - shapeTarget(p, t, g));
                (t <= 60 ? worst60 : worst90) = std::max(t <= 60 ? worst60 : worst90, d);
                if (g < 60) {
                    const double fit = propertyValue(p, tables, t, g + 1) - propertyValue(p, tables, t, g);
                    const double shape = shapeTarget(p, t, g + 1) - shapeTarget(p, t, g);
                    if (fit * shape < 0)
                        ++slopeFaultsG;
                }
                if (t < 90) {
                    const double fit = propertyValue(p, tables, t + 1, g) - propertyValue(p, tables, t, g);
                    const double shape = shapeTarget(p, t + 1, g) - shapeTarget(p, t, g);
                    if (fit * shape < 0)
                        ++slopeFaultsT;
                }
            }
        std::printf("  %-20s %.4g  %.4g  along g: %d  along t: %d\n", polynomialName(p), worst60,
                    std::max(worst60, worst90), slopeFaultsG, slopeFaultsT);
    }
}

// The deviation P − P* on a coarse grid, to see where the reference rows bend the shape.
void reportDeviationMap(const GlycolTables& tables)
{
    for (GlycolPolynomial p : Polynomials) {
        std::printf("P − P* of %s (rows g = 0..60 step 10, columns t = 0..90 step 10):\n",
                    polynomialName(p));
        for (int g = 0; g <= 60; g += 10) {
            std::printf("  g=%2d", g);
            for (int t = 0; t <= 90; t += 10)
                std::printf(" %9.3g", propertyValue(p, tables, t, g) - shapeTarget(p, t, g));
            std::printf("\n");
        }
    }
}

void report(const GlycolTables& tables)
{
    reportDeviationMap(tables);
    reportReferences(tables);
    reportPublished(tables);
    reportShape(tables);
}

// ---- Output ----

void writeArray(FILE* out, const double* values, int count)
{
    std::fprintf(out, "{");
    for (int i = 0; i < count; ++i)
        std::fprintf(out, "%s%s%.17g", i ? "," : "", i % 4 == 0 ? "\n            " : " ", values[i]);
    std::fprintf(out, "}");
}

bool writeTables(const std::string& path, const GlycolTables& tables)
{
    FILE* out = std::fopen(path.c_str(), "w");
    if (!out)
        return false;
    std::fprintf(out, "// Generated by tools/glycol_fit: do not edit by hand, run the tool instead.\n"
                      "// Fourier coefficients of the glycol property polynomials, fitted to the\n"
                      "// reference rows and to the shape of Melinder's (2010) ethylene glycol data.\n\n"
                      "#include \"engine/glycol_properties.h\"\n\nnamespace tarvello {\n\n"
                      "const GlycolTables FittedGlycolTables = {{\n");
    for (GlycolPolynomial p : Polynomials) {
        const GlycolSeriesRange range = glycolSeriesRange(p);
        for (int s = range.first; s < range.first + range.count; ++s) {
            const GlycolSeries& series = tables.series[s];
            std::fprintf(out, "    // %s, power %d\n    {%d, %d, %g,\n        ", polynomialName(p),
                         series.power, series.power, series.harmonics, series.halfPeriod);
            writeArray(out, series.A, series.harmonics + 1);
            std::fprintf(out, ",\n        ");
            writeArray(out, series.B, series.harmonics + 1);
            std::fprintf(out, "},\n");
        }
    }
    std::fprintf(out, "}};\n\n} // namespace tarvello\n");
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
        report(glycolTables());
        return 0;
    }
    const std::string path =
        argc > 1 ? argv[1] : std::string(TARVELLO_SOURCE_DIR) + "/engine/glycol_tables.cpp";
    GlycolTables tables = givenOnlyTables();
    for (GlycolPolynomial p : Polynomials) {
        if (!fitPolynomial(p, tables)) {
            std::fprintf(stderr, "glycol_fit: the %s fit is rank-deficient\n", polynomialName(p));
            return 1;
        }
    }
    report(tables);
    if (!writeTables(path, tables)) {
        std::fprintf(stderr, "glycol_fit: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("Written: %s\n", path.c_str());
    return 0;
}
