#pragma once
// Hand-made coils and design conditions for the rating tests and the engine benchmark.
// The coils are plausible fan-coil batteries (0.4 to 1.2 m long, 2 to 4 rows); their
// air-side coefficients put the air film at about 50 to 70 W/(m²·K).

#include "engine/coil_constants.h"
#include "engine/coil_model.h"
#include "engine/coil_state.h"
#include "engine/model_table.h"
#include "engine/psychrometrics.h"
#include "engine/water_side.h"

#include <vector>

namespace tarvello::testing {

struct SampleCoil {
    int16_t geom = 1;
    int16_t passo = 3;
    float lunBat_mm = 700;   // finned length
    float altBat_mm = 250;   // coil height
    float rows = 3;
    float circuits = 2;
    float airFlow_m3s = 0.1f;
    float airCoeff = 80;     // air film about 61 W/(m²·K) at 0.57 m/s
    float bypassCoeff = 0.9f;
    float extraLengthCoeff = 1.0f;
};

struct Conditions {
    int16_t mode = ModeCooling;
    float airIn = 27;
    float airInWetBulb = 19;  // cooling only
    float waterIn = 7;
    float waterOut = 12;      // for the procedures that take the leaving water temperature
    double waterFlow = 0;     // m³/s, for the others
    float glycolPercent = 0;
    float capacityMin = 0;
    float capacityMax = 9999999;
};

inline Conditions heatingConditions()
{
    Conditions c;
    c.mode = ModeHeating;
    c.airIn = 20;
    c.airInWetBulb = 0;
    c.waterIn = 70;
    c.waterOut = 60;
    return c;
}

// The air state and water conditions of a run, as the selection windows set them.
inline void setConditions(CoilState& s, const Conditions& c)
{
    s.Mode = c.mode;
    s.AirIn = c.airIn;
    if (c.mode == ModeCooling) {
        s.AirInWetBulb = c.airInWetBulb;
        s.AirInRh = RelHumidityFromWetBulb(c.airIn, c.airInWetBulb);
        s.AirInEnthalpy = EnthalpyFromWetBulb(c.airInWetBulb, c.airIn);
    } else {
        s.AirInWetBulb = 0;
        s.AirInRh = 0;
        s.AirInEnthalpy = 0;
    }
    s.AirDensity = MoistAirDensity(s.AirIn, s.AirInRh);
    s.AirCp = AirSpecificHeat(s.AirIn);
    s.WaterIn = c.waterIn;
    s.WaterOut = c.waterOut;
    s.WaterFlow = c.waterFlow;
    s.GlycolPercent = c.glycolPercent;
    s.SatEnthalpyWaterIn = EnthalpyFromWetBulb(c.waterIn, c.waterIn);
    s.CapacityMin = c.capacityMin;
    s.CapacityMax = c.capacityMax;
}

// The per-model coil data, as the selection windows set them.
inline void setCoil(CoilState& s, const SampleCoil& m, const CoilConstants& k)
{
    s.Geom = m.geom;
    s.Passo = m.passo;
    s.FinLength = m.lunBat_mm / 1000;
    s.CoilHeight = m.altBat_mm / 1000;
    s.FaceArea = s.FinLength * s.CoilHeight;
    s.Rows = m.rows;
    s.Circuits = m.circuits;
    s.TubeCount = CoilTubeCount(s.CoilHeight, s.Rows, k);
    s.ExtraLengthCoeff = m.extraLengthCoeff;
    s.CircuitLength = CircuitTubeLength(s.TubeCount, s, k);
    s.AirFlow = m.airFlow_m3s;
    s.FaceVelocity = s.AirFlow / s.FaceArea;
    s.AirCoeff = m.airCoeff;
    s.BypassCoeff = m.bypassCoeff;
    s.AirFilm = AirFilmCoefficient(s.Rows, s.FaceVelocity, s.Geom, k.FinPitchTable[s.Passo], s, k);
}

inline CoilState stateFor(const SampleCoil& m, const Conditions& c, const CoilConstants& k)
{
    CoilState s;
    setConditions(s, c);
    setCoil(s, m, k);
    return s;
}

inline CoilConstants kxConstants()
{
    CoilConstants k;
    ImpostaCoefficienti(LineKX, k);
    return k;
}

// A line of 45 fan coils: three geometries, lengths from 0.4 to 1.2 m, 2 to 4 rows, air
// flows growing with the size, as a real catalogue would list them.
inline std::vector<SampleCoil> sampleLine()
{
    std::vector<SampleCoil> line;
    const float lengths[] = {400, 500, 600, 700, 800, 900, 1000, 1100, 1200};
    const float rowsOf[] = {2, 3, 4, 3, 2};
    const int16_t geoms[] = {1, 1, 3, 2, 3};
    const int16_t passos[] = {3, 2, 2, 3, 3};
    const float coeffs[] = {80, 82, 80, 20, 80};
    for (int size = 0; size < 9; ++size) {
        for (int variant = 0; variant < 5; ++variant) {
            SampleCoil m;
            m.geom = geoms[variant];
            m.passo = passos[variant];
            m.lunBat_mm = lengths[size];
            m.altBat_mm = variant == 4 ? 300.0f : 250.0f;
            m.rows = rowsOf[variant];
            m.circuits = m.rows >= 3 ? 3 : 2;
            m.airFlow_m3s = 0.06f + 0.02f * size + 0.005f * variant;
            m.airCoeff = coeffs[variant];
            line.push_back(m);
        }
    }
    return line;
}

} // namespace tarvello::testing
