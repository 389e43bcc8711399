#pragma once
// Properties of ethylene glycol / water mixtures as functions of temperature t (°C) and
// glycol percentage g (by mass): polynomials in t whose coefficients are a fifth-degree
// polynomial in g (constant term) and truncated Fourier series in g (higher powers).

namespace tarvello {

// Fills the Fourier coefficient tables. Called once at start-up, before any rating.
void InitPropertyTables();

double GlycolViscosity(double t, double g);    // dynamic viscosity, Pa·s
double GlycolConductivity(double t, double g); // thermal conductivity, W/(m·K)
double GlycolDensity(double t, double g);      // kg/m³
float GlycolSpecificHeat(double t, double g);  // kJ/(kg·K)

} // namespace tarvello
