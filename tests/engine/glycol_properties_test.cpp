#include "engine/glycol_properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

using namespace tarvello;

namespace {

class GlycolProperties : public ::testing::Test {
protected:
    void SetUp() override { InitPropertyTables(); }
};

struct PropertyRow {
    double t, g;          // °C, mass-%
    double density;       // kg/m³
    double specificHeat;  // kJ/(kg·K)
    double conductivity;  // W/(m·K)
    double viscosity;     // Pa·s
};

} // namespace

// The reference rows of the property tables, to the precision they are given in.
TEST_F(GlycolProperties, MeetsTheReferenceRows)
{
    const PropertyRow rows[] = {
        {0, 10, 1019.78, 4.093, 0.5418, 0.002338},  {10, 10, 1016.43, 4.0975, 0.5494, 0.001692},
        {10, 30, 1043.58, 3.6903, 0.4884, 0.003016}, {40, 30, 1029.51, 3.7618, 0.4933, 0.00131},
        {0, 50, 1075.37, 3.1747, 0.4242, 0.008315},  {40, 50, 1053.59, 3.3991, 0.4193, 0.002161},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "t=" << r.t << " g=" << r.g);
        EXPECT_NEAR(GlycolDensity(r.t, r.g), r.density, 0.05);
        EXPECT_NEAR(GlycolSpecificHeat(r.t, r.g), r.specificHeat, 0.001);
        EXPECT_NEAR(GlycolConductivity(r.t, r.g), r.conductivity, 0.001);
        EXPECT_NEAR(GlycolViscosity(r.t, r.g) / r.viscosity, 1.0, 0.01);
    }
}

// Melinder (2010), ethylene glycol by mass, as tabulated in our field-data notes. The
// reference rows themselves sit up to 0.6 % (density), 1.4 % (specific heat) and 5 %
// (viscosity) off these values, and 4-13 % above them in conductivity; the tolerances allow
// for those offsets and little more, so a fit that loses the published shape fails.
TEST_F(GlycolProperties, FollowsThePublishedEthyleneGlycolData)
{
    const PropertyRow published[] = {
        {0, 10, 1013.6, 4.0374, 0.5233, 2.345e-3}, {10, 10, 1012.5, 4.0405, 0.5386, 1.694e-3},
        {20, 10, 1010.6, 4.0459, 0.5529, 1.275e-3}, {40, 10, 1004.3, 4.0619, 0.5783, 0.801e-3},
        {60, 10, 995.2, 4.0831, 0.5996, 0.563e-3},  {0, 30, 1045.0, 3.6581, 0.4459, 4.298e-3},
        {10, 30, 1041.8, 3.6885, 0.4555, 2.983e-3}, {20, 30, 1038.0, 3.7183, 0.4649, 2.166e-3},
        {40, 30, 1028.8, 3.7754, 0.4830, 1.286e-3}, {60, 30, 1017.5, 3.8287, 0.5002, 0.866e-3},
        {0, 50, 1074.6, 3.2029, 0.3768, 7.930e-3},  {10, 50, 1070.0, 3.2584, 0.3830, 5.257e-3},
        {20, 50, 1064.9, 3.3120, 0.3891, 3.693e-3}, {40, 50, 1053.4, 3.4127, 0.4015, 2.103e-3},
        {60, 50, 1040.5, 3.5031, 0.4138, 1.375e-3}, {10, 20, 1026.9, 3.8783, 0.4962, 2.250e-3},
        {10, 40, 1056.4, 3.4773, 0.4176, 3.947e-3},
    };
    for (const auto& p : published) {
        SCOPED_TRACE(testing::Message() << "t=" << p.t << " g=" << p.g);
        EXPECT_NEAR(GlycolDensity(p.t, p.g) / p.density, 1.0, 0.007);
        EXPECT_NEAR(GlycolSpecificHeat(p.t, p.g) / p.specificHeat, 1.0, 0.015);
        const double conductivityRatio = GlycolConductivity(p.t, p.g) / p.conductivity;
        EXPECT_GT(conductivityRatio, 0.99);
        EXPECT_LT(conductivityRatio, 1.13);
        EXPECT_NEAR(GlycolViscosity(p.t, p.g) / p.viscosity, 1.0, 0.05);
    }
}

// Across 0-60 % the properties move the way the published data do: density and viscosity
// rise with glycol, specific heat and conductivity fall. A series that oscillates between the
// fitted points breaks this at 1 % steps.
TEST_F(GlycolProperties, MonotonicInGlycolPercentage)
{
    for (int t = 0; t <= 60; t += 5) {
        for (int g = 0; g < 60; ++g) {
            SCOPED_TRACE(testing::Message() << "t=" << t << " g=" << g);
            EXPECT_LT(GlycolDensity(t, g), GlycolDensity(t, g + 1));
            EXPECT_LT(GlycolViscosity(t, g), GlycolViscosity(t, g + 1));
            EXPECT_GT(GlycolSpecificHeat(t, g), GlycolSpecificHeat(t, g + 1));
            EXPECT_GT(GlycolConductivity(t, g), GlycolConductivity(t, g + 1));
        }
    }
}

// With glycol, density and viscosity fall and specific heat rises with temperature.
// (Conductivity is left out: the reference rows make it fall with temperature at 50 %.)
TEST_F(GlycolProperties, MonotonicInTemperatureForMixtures)
{
    for (int g = 10; g <= 60; g += 5) {
        for (int t = 0; t < 60; ++t) {
            SCOPED_TRACE(testing::Message() << "t=" << t << " g=" << g);
            EXPECT_GT(GlycolDensity(t, g), GlycolDensity(t + 1, g));
            EXPECT_GT(GlycolViscosity(t, g), GlycolViscosity(t + 1, g));
            EXPECT_LT(GlycolSpecificHeat(t, g), GlycolSpecificHeat(t + 1, g));
        }
    }
}

// At g = 0 the mixture functions give values near plain water (IAPWS values, standard
// tables), though the rating procedures use the water functions there.
TEST_F(GlycolProperties, NearPlainWaterAtZeroGlycol)
{
    const PropertyRow water[] = {
        {10, 0, 999.70, 4.1919, 0.5800, 1.3059e-3},
        {20, 0, 998.21, 4.1816, 0.5984, 1.0016e-3},
        {40, 0, 992.22, 4.1785, 0.6306, 0.6527e-3},
    };
    for (const auto& w : water) {
        SCOPED_TRACE(testing::Message() << "t=" << w.t);
        EXPECT_NEAR(GlycolDensity(w.t, 0) / w.density, 1.0, 0.003);
        EXPECT_NEAR(GlycolSpecificHeat(w.t, 0) / w.specificHeat, 1.0, 0.01);
        EXPECT_NEAR(GlycolConductivity(w.t, 0) / w.conductivity, 1.0, 0.03);
        EXPECT_NEAR(GlycolViscosity(w.t, 0) / w.viscosity, 1.0, 0.05);
    }
}

// The heating side reaches 95 °C and cooling with glycol goes below 0 °C: every value over
// that range is finite and physically plausible.
TEST_F(GlycolProperties, PlausibleOverTheWholeOperatingRange)
{
    for (int g = 0; g <= 60; g += 2) {
        for (int t = -10; t <= 95; t += 5) {
            SCOPED_TRACE(testing::Message() << "t=" << t << " g=" << g);
            const double density = GlycolDensity(t, g);
            const double cp = GlycolSpecificHeat(t, g);
            const double k = GlycolConductivity(t, g);
            const double mu = GlycolViscosity(t, g);
            EXPECT_TRUE(density > 940 && density < 1110) << density;
            EXPECT_TRUE(cp > 2.8 && cp < 4.3) << cp;
            EXPECT_TRUE(k > 0.33 && k < 0.72) << k;
            EXPECT_TRUE(mu > 0.2e-3 && mu < 25e-3) << mu;
        }
    }
}

// At g = 0 every sine term vanishes: c_k(0) = A[0]/2 + Σ A[n].
TEST_F(GlycolProperties, SineTermsVanishAtZeroGlycol)
{
    for (const GlycolSeries& s : glycolTables().series) {
        double expected = s.A[0] / 2;
        double magnitude = std::fabs(expected);
        for (int n = 1; n <= s.harmonics; ++n) {
            expected += s.A[n];
            magnitude += std::fabs(s.A[n]) + std::fabs(s.B[n]);
        }
        EXPECT_NEAR(glycolSeriesValue(s, 0), expected, 1e-6 * magnitude)
            << "power " << s.power << ", N " << s.harmonics;
    }
}

// The series are periodic in g with period 2L; the functions check no range.
TEST_F(GlycolProperties, SeriesArePeriodicInTwiceTheHalfPeriod)
{
    for (const GlycolSeries& s : glycolTables().series) {
        double magnitude = std::fabs(s.A[0]);
        for (int n = 1; n <= s.harmonics; ++n)
            magnitude += std::fabs(s.A[n]) + std::fabs(s.B[n]);
        for (double g : {0.0, 7.5, 30.0, 55.0}) {
            const double period = 2 * s.halfPeriod;
            // The angles are single precision, so one period further they carry a rounding
            // of about 3e-5 rad times the harmonic number.
            EXPECT_NEAR(glycolSeriesValue(s, g + period), glycolSeriesValue(s, g), 1e-3 * magnitude)
                << "power " << s.power << ", g " << g;
            EXPECT_NEAR(glycolSeriesValue(s, g - period), glycolSeriesValue(s, g), 1e-3 * magnitude)
                << "power " << s.power << ", g " << g;
        }
    }
    EXPECT_TRUE(std::isfinite(GlycolDensity(20, 200)));
    EXPECT_TRUE(std::isfinite(GlycolViscosity(20, -70)));
}

// The shipped table keeps every given coefficient exactly and the layout of the series.
TEST_F(GlycolProperties, ShippedTableKeepsTheGivenCoefficients)
{
    struct Given {
        int power, harmonics;
        double halfPeriod, a0, a1, b1, aN, bN;
    };
    const Given given[GlycolSeriesCount] = {
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
    for (int i = 0; i < GlycolSeriesCount; ++i) {
        const GlycolSeries& s = FittedGlycolTables.series[i];
        const Given& e = given[i];
        SCOPED_TRACE(testing::Message() << "series " << i);
        EXPECT_EQ(s.power, e.power);
        EXPECT_EQ(s.harmonics, e.harmonics);
        EXPECT_EQ(s.halfPeriod, e.halfPeriod);
        EXPECT_EQ(s.A[0], e.a0);
        EXPECT_EQ(s.A[1], e.a1);
        EXPECT_EQ(s.B[1], e.b1);
        EXPECT_EQ(s.A[e.harmonics], e.aN);
        EXPECT_EQ(s.B[e.harmonics], e.bN);
        for (int n = 2; n < e.harmonics; ++n)
            EXPECT_TRUE(std::isfinite(s.A[n]) && std::isfinite(s.B[n])) << "n " << n;
    }
}
