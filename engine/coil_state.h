#pragma once
// CoilState: the engine's one working record. The selection windows write the model's coil
// data and the design conditions into it, a rating procedure writes the operating point
// back. Process-wide in the program (coilState()); tests and the benchmark pass their own.

#include <cstdint>
#include <functional>

namespace tarvello {

enum CoilMode : int16_t { ModeCooling = 0, ModeHeating = 1 };

struct CoilState {
    // Set by the window before a rating procedure runs.
    int16_t Mode = ModeCooling;
    float AirIn = 0;           // entering air dry bulb, °C
    float AirInRh = 0;         // entering relative humidity, %
    float AirInWetBulb = 0;    // entering wet bulb, °C
    float AirInEnthalpy = 0;   // entering enthalpy, kJ/kg
    float AirDensity = 0;      // entering air, kg/m³
    float AirCp = 0;           // entering air, kJ/(kg·K)
    float WaterIn = 0;         // °C
    float WaterOut = 0;        // °C (given to CalcolaFreddo1/CalcolaCaldo1, found by the others)
    double WaterFlow = 0;      // m³/s (given to CalcolaFreddo2/CalcolaCaldo2, found by the others)
    float GlycolPercent = 0;   // 0 for plain water
    float SatEnthalpyWaterIn = 0; // enthalpy of air saturated at WaterIn, kJ/kg
    float CapacityMin = 0;     // W
    float CapacityMax = 0;     // W
    int16_t Geom = 0;          // coil geometry code
    int16_t Passo = 0;         // fin pitch code
    float FinLength = 0;       // m
    float CoilHeight = 0;      // m
    float FaceArea = 0;        // m²
    float Rows = 0;
    float Circuits = 0;
    int16_t TubeCount = 0;
    float CircuitLength = 0;   // m, equivalent tube length of one circuit
    float AirFlow = 0;         // m³/s
    float FaceVelocity = 0;    // m/s
    float AirCoeff = 0;        // the model's air-side coefficient for mode and speed
    float BypassCoeff = 0;     // the model's bypass coefficient for the speed
    float ExtraLengthCoeff = 0; // the model's circuit-length coefficient
    float AirFilm = 0;         // air-side film coefficient αe, W/(m²·K)

    // Written by the engine.
    float WaterMeanTemp = 0;   // °C
    double SatSlopeMean = 0;   // kJ/(kg·K), saturation slope at WaterMeanTemp
    float FluidViscosity = 0;  // Pa·s
    float FluidConductivity = 0; // W/(m·K)
    float FluidDensity = 0;    // kg/m³
    float FluidCp = 0;         // kJ/(kg·K)
    float Prandtl = 0;
    float WaterVelocity = 0;   // m/s in one tube
    float Reynolds = 0;
    float Nusselt = 0;
    float WaterFilm = 0;       // water-side film coefficient αi, W/(m²·K)
    float UnitConductance = 0; // per m² of face and per row
    float LogMeanDiff = 0;     // K (dry, heating) or kJ/kg (wet)
    float SatEnthalpyWaterOut = 0; // kJ/kg
    float AirOut = 0;          // leaving dry bulb, °C
    float AirOutEnthalpy = 0;  // kJ/kg
    float AirOutSatTemp = 0;   // °C
    float WaterSideCapacity = 0; // W
    float Capacity = 0;        // W
    float SensibleCapacity = 0; // W
    float WaterPressureDrop = 0; // kPa
    float LeavingRhLimit = 0;  // %, humidity of the leaving air that sets the upper flow bracket
    int16_t DryCoil = 0;       // boolean
    // The procedure found its operating point, but the capacity lay outside
    // [CapacityMin, CapacityMax] (Capacity holds it, not yet rounded).
    bool CapacityOutsideWindow = false;
    double BracketLow = 0;
    double BracketHigh = 0;

    // The leaving-air enthalpy that sets the upper water-flow bracket of CalcolaFreddo1
    // depends only on WaterIn and LeavingRhLimit, the same for every model of a run: it is
    // kept here with the two values it was computed for and reused while they match.
    struct LeavingAirLimit {
        bool valid = false;
        float airOut = 0;       // °C, WaterIn + 0.1
        float rhLimit = 0;      // %
        float enthalpy = 0;     // kJ/kg
    } UpperBracketAir;
};

// The process-wide working record of Tarvello.
CoilState& coilState();

// "Let pending window events run": called by the rating procedures when a model is
// skipped for its capacity. The windows install a hook; empty by default (the engine has no
// user interface).
using PendingEventsHook = std::function<void()>;
PendingEventsHook& pendingEventsHook();

} // namespace tarvello
