#pragma once
// The in-memory model table of the active product line: plain parallel arrays indexed
// by model number from 1 (element 0 unused) and, for speed-dependent fields, by speed
// from 1. The loaders in modeldata/ fill it from the model database; the engine's fan
// and air-side functions and the selection windows read it by model number.

#include "engine/product_lines.h"

#include <array>
#include <cstdint>
#include <string>

namespace tarvello {

constexpr int kMaxModels = largestLineModels(); // the largest line (DatiKORVE)
constexpr int kMaxSpeeds = mostSpeeds();        // DatiHJQ
constexpr int kMaxAccessories = 10; // DPAcc / DPAccHJQ

// Per-line limits of the data model: a database holding more rows is refused.
constexpr int maxModelsOf(int line) { return productLine(line).maxModels; }
constexpr int speedCountOf(int line) { return productLine(line).speeds; }

template <typename T> using PerModel = std::array<T, kMaxModels + 1>;
template <typename T> using PerModelSpeed = std::array<std::array<T, kMaxSpeeds + 1>, kMaxModels + 1>;
template <typename T> using PerAccessory = std::array<T, kMaxAccessories + 1>;

struct ModelTable {
    // Model fields (a ModelRecord is the set of elements with one model number).
    PerModel<std::string> Modello{};
    PerModel<int16_t> Geom{};   // coil geometry code
    PerModel<int16_t> Passo{};  // fin pitch code
    PerModel<float> LunBat{};   // finned coil length, mm
    PerModel<float> AltBAt{};   // coil height, mm
    PerModel<float> NR{};       // rows
    PerModel<float> NC{};       // circuits
    // Fan curve per speed: available pressure Pa = VelA*Q^2 + VelB*Q + VelC, Q in m3/h.
    PerModelSpeed<float> VelA{}, VelB{}, VelC{};
    // Coil coefficients. For line 0, C100/FC30/CC30 are the speed-1 values (columns
    // F1C100, F1C30, C1C30) and the F2/F3/C2/C3 fields those of speeds 2 and 3.
    PerModel<float> C100{}, FC30{}, CC30{};
    PerModel<float> F2C100{}, F2C30{}, C2C30{}, F3C100{}, F3C30{}, C3C30{};
    PerModel<float> FCC50{}; // circuit-length coefficient, cooling (line 0: column CC50)
    PerModel<float> CCC50{}; // circuit-length coefficient, heating (ducted lines only)
    PerModelSpeed<float> LWA{}; // sound power, dB(A)
    PerModelSpeed<float> LPA{}; // sound pressure, dB(A) (line 0 only)
    PerModel<float> Sezione{};  // free air section, m2 (ducted lines)
    PerModel<int16_t> Bocche{}; // circular outlets (ducted lines)
    int16_t NumModels = 0;

    // Accessories of the ducted lines (DPAcc / DPAccHJQ), indexed from 1. Kept while
    // line 0 is active.
    PerAccessory<float> Cost{}; // pressure drop coefficient
    PerAccessory<float> Espo{}; // pressure drop exponent
    PerAccessory<std::string> OPZBoc{}; // "S": velocity through the outlets
    int16_t NumAccessories = 0;

    int line = -1;              // ProductLine loaded, -1 before the first pick
    std::string SeriesCode;     // "MRZ" or "HJQ" for the ducted lines
};

// The process-wide model table of Tarvello (replaced at every pick of a line).
ModelTable& modelTable();

} // namespace tarvello
