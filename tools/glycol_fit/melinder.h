#pragma once
// Properties of ethylene glycol / water by mass fraction after Melinder's correlation:
// Å. Melinder, "Properties of Secondary Working Fluids for Indirect Systems", IIR/IIF, Paris
// 2010. Each property is f = Σ_i Σ_j a_ij (x − xm)^i (t − tm)^j, x in mass-%, t in °C;
// coefficients as tabulated for ethylene glycol (xm = 30.8462 %, tm = 31.728 °C).
// Stated validity: 0-60 % by mass, freezing point to about 100 °C (viscosity least reliable
// above 60 °C).

namespace glycolfit {

struct MelinderProperties {
    double density;      // kg/m³
    double specificHeat; // J/(kg·K)
    double conductivity; // W/(m·K)
    double viscosity;    // mPa·s
};

MelinderProperties melinderEthyleneGlycol(double t, double massPercent);

} // namespace glycolfit
