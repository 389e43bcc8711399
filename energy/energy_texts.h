#pragma once
// Text offsets (shell/texts/texts.tsv) of the fan power, the unit data and the energy
// indexes, shared by the details panel, the datasheet and the schedules.

namespace tarvello::energy_texts {

constexpr int kFirstEnergyText = 219;
constexpr int kEnergy = kFirstEnergyText + 0;          // heading
constexpr int kFanPowerInput = kFirstEnergyText + 1;
constexpr int kFceerClass = kFirstEnergyText + 2;
constexpr int kFccopClass = kFirstEnergyText + 3;
constexpr int kMotorCurrent = kFirstEnergyText + 4;
constexpr int kPowerSupply = kFirstEnergyText + 5;
constexpr int kDimensions = kFirstEnergyText + 6;
constexpr int kWeight = kFirstEnergyText + 7;
constexpr int kWaterConnections = kFirstEnergyText + 8;
constexpr int kHeatingCoilConnections = kFirstEnergyText + 9;
constexpr int kCoilWaterContent = kFirstEnergyText + 10;
constexpr int kFanPowerPerSpeed = kFirstEnergyText + 11; // heading
constexpr int kLastEnergyText = kFanPowerPerSpeed;

} // namespace tarvello::energy_texts
