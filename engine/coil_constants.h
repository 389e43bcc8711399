#pragma once
// The coil constant set: the scalars and tables of the finned-coil model. Written by
// ImpostaCoefficienti when a product line is loaded; the three lines differ only in a
// few table entries, and an entry written by one line keeps its value when another
// line is loaded afterwards (a line writes only its own entries).

#include <array>
#include <cstdint>

namespace tarvello {

struct CoilConstants {
    float LaminarCoeff = 0;       // laminar Nusselt law coefficient
    float LaminarExp = 0;         // laminar Nusselt law exponent
    float TurbulentCoeff = 0;     // turbulent (Dittus-Boelter) coefficient
    float ReynoldsExp = 0;        // Reynolds exponent of the turbulent law
    float PrandtlExpHeating = 0;  // Prandtl exponent in heating
    float PrandtlExpCooling = 0;  // Prandtl exponent in cooling
    float LogMeanFactor = 0;      // multiplies every log-mean difference
    float BlasiusCoeff = 0;       // Blasius friction factor coefficient
    float TubePitch = 0;          // m, tube spacing over the coil height
    float BendLength = 0;         // m, equivalent length of one return bend
    float TubeInnerDiameter = 0;  // m
    float AirExpMultiRow = 0;     // air-side velocity exponent, geometry 1 with several rows

    // Per-geometry air-side exponents, indexed by Geom 0..3.
    std::array<float, 4> AirExpBase{};
    std::array<float, 4> FinCountExp{};
    std::array<float, 4> AirExpFinSlope{};
    std::array<float, 4> RowExp{};
    std::array<float, 4> AirExpRowExp{};

    // Fin pitch in tenths of a millimetre, indexed by the fin pitch code Passo 0..7.
    std::array<int16_t, 8> FinPitchTable{};
    // Air-side surface per m2 of face and per row, and air-side to water-side surface
    // ratio, indexed [Geom 0..3][Passo 0..7].
    std::array<std::array<float, 8>, 4> SurfacePerRow{};
    std::array<std::array<float, 8>, 4> SurfaceRatio{};
};

// The process-wide coil constant set (all zero until the first line is loaded).
CoilConstants& coilConstants();

// Writes the constant set of product line `line` (0, 1 or 2) into `constants`.
void ImpostaCoefficienti(int line, CoilConstants& constants);
// The same on the process-wide set.
void ImpostaCoefficienti(int line);

} // namespace tarvello
