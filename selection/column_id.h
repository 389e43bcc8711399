#pragma once
// The names of the result columns and their quantities, shared by the run's outcome and the
// column descriptors.

namespace tarvello {

// The quantity of a column, which decides its unit and, for the user's units, its mask.
enum class ColumnQuantity {
    Power,             // W
    WaterFlow,         // m³/s
    WaterPressureDrop, // kPa
    AirFlow,           // m³/s
    AirPressure,       // Pa
    Temperature,       // °C
    SoundLevel,        // dB(A)
};

// A stable name of each column, for exports and tests.
enum class ColumnId {
    TotalCapacity,
    SensibleCapacity,
    HeatingCapacity,
    WaterFlow,
    LeavingWater,
    WaterPressureDrop,
    AirFlow,
    AvailablePressure,
    LeavingAir,
    SoundPower,
    SoundPressure,
};

} // namespace tarvello
