#pragma once
// Text offsets of the details panel, the charts and the datasheet (shell/texts/texts.tsv).

namespace tarvello::chart_texts {

// Reused from the classic table.
constexpr int kAirFlow = 49;
constexpr int kWaterFlow = 48;
constexpr int kWaterPressureDrop = 45;
constexpr int kSensibleCapacity = 52;
constexpr int kSoundPower = 53;
constexpr int kHeatingCapacity = 54;
constexpr int kTotalCoolingCapacity = 55;
constexpr int kPressure = 56;
constexpr int kSoundPressure = 57;
constexpr int kUsefulStaticPressure = 58;
constexpr int kCooling = 62;
constexpr int kHeating = 65;
constexpr int kDryBulbTemperature = 80;
constexpr int kWaterInletTemperature = 82;
constexpr int kRelativeHumidity = 85;
constexpr int kOperatingSpeed = 86;
constexpr int kWaterOutletTemperature = 94;
constexpr int kGlycol = 95;
constexpr int kReturnAirRatio = 116;
constexpr int kFreshAirRatio = 120;

// Added with the details and charts.
constexpr int kFirst = 173;
constexpr int kDetailsTitle = kFirst + 0;
constexpr int kEnteringAir = kFirst + 1;
constexpr int kReturnAir = kFirst + 2;
constexpr int kFreshAir = kFirst + 3;
constexpr int kMixedAir = kFirst + 4;
constexpr int kLeavingAir = kFirst + 5;
constexpr int kDryBulb = kFirst + 6;
constexpr int kWetBulb = kFirst + 7;
constexpr int kHumidityRatio = kFirst + 8;
constexpr int kEnthalpy = kFirst + 9;
constexpr int kLatentCapacity = kFirst + 10;
constexpr int kSensibleHeatRatio = kFirst + 11;
constexpr int kCondensate = kFirst + 12;
constexpr int kReynolds = kFirst + 13;
constexpr int kFlowRegime = kFirst + 14;
constexpr int kLaminar = kFirst + 15;
constexpr int kTurbulent = kFirst + 16;
constexpr int kFaceVelocity = kFirst + 17;
constexpr int kPsychroChart = kFirst + 18;
constexpr int kFanCurves = kFirst + 19;
constexpr int kDatasheet = kFirst + 20;
constexpr int kWorkingPoint = kFirst + 21;
constexpr int kSystemCurve = kFirst + 22;
constexpr int kDewPoint = kFirst + 23;
constexpr int kDesignConditions = kFirst + 24;
constexpr int kPerformance = kFirst + 25;
constexpr int kModelData = kFirst + 26;
constexpr int kRows = kFirst + 27;
constexpr int kCircuits = kFirst + 28;
constexpr int kFinnedLength = kFirst + 29;
constexpr int kCoilHeight = kFirst + 30;
constexpr int kFaceArea = kFirst + 31;
constexpr int kSoundPerSpeed = kFirst + 32;
constexpr int kHumidityNotAsked = kFirst + 33;
constexpr int kSaturated = kFirst + 34;
constexpr int kPageOf = kFirst + 35;
constexpr int kSaveDatasheet = kFirst + 36;
constexpr int kSelectARow = kFirst + 37;
constexpr int kDryCoil = kFirst + 38;
constexpr int kAirSide = kFirst + 39;
constexpr int kWaterSide = kFirst + 40;
constexpr int kDatasheetNotWritten = kFirst + 41;
constexpr int kLast = kDatasheetNotWritten;

} // namespace tarvello::chart_texts
