#pragma once
// The seasonal energy indexes of a fan coil unit in the Eurovent style: FCEER (cooling) and
// FCCOP (heating), each the ratio of the capacity to the fan power input at the standard
// rating conditions, weighted over the speeds, and their classes A to G. The weighting and
// the class limits, and where they come from, are in docs/product-data.md.

#include <optional>
#include <string>
#include <vector>

namespace tarvello::energy {

// One speed's figures at the standard conditions: the rated capacity and the fan power
// input, W. A speed without a rating has no capacity.
struct SpeedFigures {
    std::optional<double> capacity_W;
    double fanPower_W = 0;
};

// A speed the index weighs (1-based) and its weight; the weights add up to 1.
struct WeightedSpeed {
    int speed = 0;
    double weight = 0;
};

// The lowest, the middle and the top speed of a unit with `speedCount` speeds (1 to 7),
// with their weights; a unit of one or two speeds weighs those it has.
std::vector<WeightedSpeed> weightedSpeeds(int speedCount);

// Σ weight × capacity / Σ weight × fan power over the weighted speeds of `perSpeed` (index
// 0 is speed 1). Empty when a weighted speed has no rating or no fan power.
std::optional<double> energyIndex(const std::vector<SpeedFigures>& perSpeed);

// The class of an FCEER or an FCCOP: 'A' (best) to 'G'.
char coolingClass(double fceer);
char heatingClass(double fccop);

// A unit's indexes: FCEER when it is rated in cooling, FCCOP when it is rated in heating.
struct EnergyFigures {
    std::optional<double> fceer;
    std::optional<double> fccop;
    char fceerClass() const { return fceer ? coolingClass(*fceer) : ' '; }
    char fccopClass() const { return fccop ? heatingClass(*fccop) : ' '; }
};

EnergyFigures energyFigures(const std::vector<SpeedFigures>& cooling, const std::vector<SpeedFigures>& heating);

// "67 (E)": an index as the catalogue, the documents and the schedules show it (whole
// number and class); empty for no index.
std::string indexText(const std::optional<double>& index, char indexClass);

// The index as stored and shown: a whole number.
double shownIndex(double index);

} // namespace tarvello::energy
