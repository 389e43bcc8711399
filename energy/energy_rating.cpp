#include "energy/energy_rating.h"

#include <array>
#include <cmath>

namespace tarvello::energy {

namespace {

// Share of the operating time at the lowest, the middle and the top speed.
constexpr double kLowWeight = 0.4, kMiddleWeight = 0.4, kTopWeight = 0.2;

// Lower limits of classes A to F; below the last limit the class is G.
constexpr std::array<double, 6> kCoolingClassLimits = {160, 135, 110, 85, 60, 35};
constexpr std::array<double, 6> kHeatingClassLimits = {190, 160, 130, 100, 70, 40};

// Fan power is declared to a tenth of a watt: the index is worked out from the declared
// figure, so a power read as a single-precision number gives the same index.
double declaredPower(double watts)
{
    return std::round(watts * 10) / 10;
}

char classOf(double index, const std::array<double, 6>& limits)
{
    for (size_t i = 0; i < limits.size(); ++i)
        if (index >= limits[i])
            return static_cast<char>('A' + i);
    return 'G';
}

} // namespace

std::vector<WeightedSpeed> weightedSpeeds(int speedCount)
{
    if (speedCount <= 1)
        return {{1, 1.0}};
    if (speedCount == 2)
        return {{1, kLowWeight + kMiddleWeight / 2}, {2, kTopWeight + kMiddleWeight / 2}};
    return {{1, kLowWeight}, {(speedCount + 1) / 2, kMiddleWeight}, {speedCount, kTopWeight}};
}

std::optional<double> energyIndex(const std::vector<SpeedFigures>& perSpeed)
{
    if (perSpeed.empty())
        return std::nullopt;
    double capacity = 0, power = 0;
    for (const WeightedSpeed& w : weightedSpeeds(static_cast<int>(perSpeed.size()))) {
        const SpeedFigures& figures = perSpeed[static_cast<size_t>(w.speed - 1)];
        if (!figures.capacity_W || !(figures.fanPower_W > 0))
            return std::nullopt;
        capacity += w.weight * *figures.capacity_W;
        power += w.weight * declaredPower(figures.fanPower_W);
    }
    return capacity / power;
}

char coolingClass(double fceer)
{
    return classOf(shownIndex(fceer), kCoolingClassLimits);
}

char heatingClass(double fccop)
{
    return classOf(shownIndex(fccop), kHeatingClassLimits);
}

EnergyFigures energyFigures(const std::vector<SpeedFigures>& cooling, const std::vector<SpeedFigures>& heating)
{
    EnergyFigures figures;
    figures.fceer = energyIndex(cooling);
    figures.fccop = energyIndex(heating);
    return figures;
}

std::string indexText(const std::optional<double>& index, char indexClass)
{
    if (!index)
        return {};
    return std::to_string(static_cast<long>(shownIndex(*index))) + " (" + indexClass + ")";
}

double shownIndex(double index)
{
    return std::round(index);
}

} // namespace tarvello::energy
