// The energy indexes as a formula: the speeds weighed and their weights, the index of a
// table of speeds, and the class limits read from the index as shown (whole number).

#include "energy/energy_rating.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvello::energy {
namespace {

struct WeightCase {
    int speeds;
    std::vector<int> weighed;
    std::vector<double> weights;
};

class EnergyWeights : public ::testing::TestWithParam<WeightCase> {};

TEST_P(EnergyWeights, LowestMiddleAndTopSpeedAddUpToOne)
{
    const WeightCase& c = GetParam();
    const std::vector<WeightedSpeed> w = weightedSpeeds(c.speeds);
    ASSERT_EQ(w.size(), c.weighed.size());
    double sum = 0;
    for (size_t i = 0; i < w.size(); ++i) {
        EXPECT_EQ(w[i].speed, c.weighed[i]) << c.speeds << " speeds";
        EXPECT_DOUBLE_EQ(w[i].weight, c.weights[i]) << c.speeds << " speeds";
        sum += w[i].weight;
    }
    EXPECT_DOUBLE_EQ(sum, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Speeds, EnergyWeights,
                         ::testing::Values(WeightCase{1, {1}, {1.0}}, WeightCase{2, {1, 2}, {0.6, 0.4}},
                                           WeightCase{3, {1, 2, 3}, {0.4, 0.4, 0.2}},
                                           WeightCase{7, {1, 4, 7}, {0.4, 0.4, 0.2}}));

struct IndexCase {
    const char* name;
    std::vector<SpeedFigures> speeds;
    std::optional<double> index;
};

class EnergyIndex : public ::testing::TestWithParam<IndexCase> {};

TEST_P(EnergyIndex, IsTheWeightedCapacityOverTheWeightedPower)
{
    const IndexCase& c = GetParam();
    const std::optional<double> index = energyIndex(c.speeds);
    ASSERT_EQ(index.has_value(), c.index.has_value()) << c.name;
    if (c.index) {
        EXPECT_NEAR(*index, *c.index, 1e-9) << c.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Tables, EnergyIndex,
    ::testing::Values(
        // (0.4·1050 + 0.4·1330 + 0.2·1630) / (0.4·14.3 + 0.4·22.3 + 0.2·32.4)
        IndexCase{"ThreeSpeeds", {{1050, 14.3}, {1330, 22.3}, {1630, 32.4}}, 1278.0 / 21.12},
        // Speeds 2, 3, 5 and 6 of seven are not weighed.
        IndexCase{"SevenSpeeds",
                  {{1000, 10}, {9e9, 1}, {9e9, 1}, {2000, 20}, {9e9, 1}, {9e9, 1}, {3000, 40}},
                  (400.0 + 800 + 600) / (4.0 + 8 + 8)},
        // The fan power as declared, to a tenth of a watt.
        IndexCase{"PowerToATenth", {{1000, 10.04}, {1000, 10.04}, {1000, 10.04}}, 100.0},
        IndexCase{"AWeighedSpeedNotRated", {{std::nullopt, 10}, {2000, 20}, {3000, 30}}, std::nullopt},
        IndexCase{"NoFanPower", {{1000, 0}, {2000, 20}, {3000, 30}}, std::nullopt},
        IndexCase{"NoSpeeds", {}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct ClassCase {
    double index;
    char cooling;
    char heating;
};

class EnergyClass : public ::testing::TestWithParam<ClassCase> {};

TEST_P(EnergyClass, FollowsTheLimitsOfTheShownIndex)
{
    const ClassCase& c = GetParam();
    EXPECT_EQ(coolingClass(c.index), c.cooling) << c.index;
    EXPECT_EQ(heatingClass(c.index), c.heating) << c.index;
}

INSTANTIATE_TEST_SUITE_P(Limits, EnergyClass,
                         ::testing::Values(ClassCase{300, 'A', 'A'}, ClassCase{190, 'A', 'A'},
                                           ClassCase{189.4, 'A', 'B'}, ClassCase{159.5, 'A', 'B'},
                                           ClassCase{159.4, 'B', 'C'}, ClassCase{135, 'B', 'C'},
                                           ClassCase{110, 'C', 'D'}, ClassCase{100, 'D', 'D'},
                                           ClassCase{85, 'D', 'E'}, ClassCase{70, 'E', 'E'},
                                           ClassCase{60, 'E', 'F'}, ClassCase{40, 'F', 'F'},
                                           ClassCase{35, 'F', 'G'}, ClassCase{34.4, 'G', 'G'},
                                           ClassCase{0, 'G', 'G'}));

TEST(EnergyText, IndexAndClassAsShown)
{
    EXPECT_EQ(indexText(61.5, coolingClass(61.5)), "62 (E)");
    EXPECT_EQ(indexText(287.7, coolingClass(287.7)), "288 (A)");
    EXPECT_EQ(indexText(std::nullopt, ' '), "");
    const EnergyFigures coolingOnly = energyFigures({{1000, 10}, {1500, 15}, {2000, 20}}, {});
    EXPECT_TRUE(coolingOnly.fceer.has_value());
    EXPECT_FALSE(coolingOnly.fccop.has_value());
    EXPECT_EQ(coolingOnly.fceerClass(), 'D'); // 1300 / 13 = 100
}

} // namespace
} // namespace tarvello::energy
