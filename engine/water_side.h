#pragma once
// Water side of the finned coil: properties of plain water, velocity, Reynolds number, the
// film coefficient inside the tubes, the equivalent circuit length and the friction drop.
// Units: °C, m³/s, m/s, m, W/(m²·K), Pa·s, kg/m³, kJ/(kg·K), W/(m·K), kPa.

#include "engine/coil_constants.h"
#include "engine/coil_state.h"

#include <cstdint>

namespace tarvello {

// Reynolds limits of the laminar law and of the turbulent law; between them the film
// coefficient is interpolated linearly.
inline constexpr double kLaminarReynoldsLimit = 2300.0;
inline constexpr double kTurbulentReynoldsLimit = 10000.0;

// Plain water at t °C (polynomial fits in t or in T = t + 273.15).
float WaterViscosity(double t);    // Pa·s
float WaterConductivity(double t); // W/(m·K)
float WaterDensity(double t);      // kg/m³
float WaterSpecificHeat(double t); // kJ/(kg·K)

// Mean velocity in one tube for `flow` m³/s shared by `circuits` circuits. The tube
// section uses 3.14 for π, as the coil data were fitted with it.
float TubeVelocity(double flow, double circuits, const CoilConstants& k = coilConstants());
// Reynolds number in the tube; always with the density of plain water at t.
float TubeReynolds(double velocity, double t, double viscosity, const CoilConstants& k = coilConstants());
// Water-side film coefficient αi from Reynolds, Prandtl and FluidConductivity of `s`
// (laminar, transition or turbulent law); writes s.Nusselt.
float TubeFilmCoefficient(CoilState& s = coilState(), const CoilConstants& k = coilConstants());
// Equivalent tube length of one circuit, m, for `tubeCount` tubes of the coil.
float CircuitTubeLength(int16_t tubeCount, const CoilState& s = coilState(),
                        const CoilConstants& k = coilConstants());
// Friction drop of one circuit (Blasius), kPa for a density of 1000 kg/m³.
float TubeFrictionDrop(const CoilState& s = coilState(), const CoilConstants& k = coilConstants());

// Tubes of a coil of `coilHeight` m and `rows` rows, nearest integer (halves to even).
int16_t CoilTubeCount(double coilHeight, double rows, const CoilConstants& k = coilConstants());

} // namespace tarvello
