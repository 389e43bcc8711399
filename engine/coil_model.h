#pragma once
// The finned-coil model: counter-flow log-mean rating with an overall conductance per m² of
// face area and per row. The wet coil is rated on enthalpy differences (saturated air at the
// water temperatures against the air), the dry coil and the heating coil on temperatures.

#include "engine/coil_constants.h"
#include "engine/coil_state.h"

#include <cstdint>

namespace tarvello {

// Water-film coefficient floor of the cooling coil, W/(m²·K).
inline constexpr float kCoolingWaterFilmFloor = 900.0f;

// Air-side film coefficient αe, W/(m²·K): empirical power laws of the face velocity (m/s)
// per coil geometry, scaled by s.AirCoeff. `finPitch` in tenths of a millimetre.
float AirFilmCoefficient(double rows, double faceVelocity, int geom, int finPitch,
                         const CoilState& s = coilState(), const CoilConstants& k = coilConstants());
// Fins per 25.5 mm for a pitch in tenths of a millimetre (nearest integer, halves to even).
int FinsPer25_5mm(int finPitch);

// Bypass factor of the coil for the air film αe, from s.BypassCoeff and the number of
// transfer units of the air side. The base of the power is 2.718, not e.
float CoilBypassFactor(double rows, int passo, double airFilm, const CoilState& s = coilState(),
                       const CoilConstants& k = coilConstants());

// Log-mean of the end differences (a2 - b1) and (a1 - b2), times LogMeanFactor. Equal
// differences lower b2 by 0.001 (the caller's value changes) to keep the logarithm finite.
// End differences that are not both positive or both negative have no log-mean: 0.
float LogMeanDifferenceA(float& a1, float& a2, float& b1, float& b2, const CoilConstants& k = coilConstants());
// The same for the end differences (b1 - a2) and (b2 - a1).
float LogMeanDifferenceB(float& a1, float& a2, float& b1, float& b2, const CoilConstants& k = coilConstants());

// Fluid properties and Prandtl number at the mean of WaterIn and WaterOut (water or the
// glycol mixture); in cooling also the saturation slope and SatEnthalpyWaterOut.
void PrepareCoolingPoint(CoilState& s);
void PrepareHeatingPoint(CoilState& s);

// One evaluation of the coil at s.WaterFlow and s.WaterOut: WaterSideCapacity, the leaving
// air, LogMeanDiff, the water film, UnitConductance and Capacity. Cooling follows s.DryCoil.
void RateCoilCooling(CoilState& s = coilState(), const CoilConstants& k = coilConstants());
void RateCoilHeating(CoilState& s = coilState(), const CoilConstants& k = coilConstants());

// Deviation of the water-side from the coil capacity, percent; -1 when the coil gives none.
float CapacityDeviation(const CoilState& s);

} // namespace tarvello
