#include "selection/result_columns.h"

#include "engine/coil_state.h"

namespace tarvello {

namespace {

// Text offsets of the headings.
constexpr int kTotalCoolingHeading = 55;
constexpr int kSensibleHeading = 52;
constexpr int kHeatingHeading = 54;
constexpr int kWaterFlowHeading = 48;
constexpr int kLeavingWaterHeading = 94;
constexpr int kWaterDropHeading = 45;
constexpr int kAirFlowHeading = 49;
constexpr int kAvailablePressureHeading = 58;
constexpr int kLeavingAirHeading = 96;
constexpr int kSoundPowerHeading = 53;
constexpr int kSoundPressureHeading = 57;

using Q = ColumnQuantity;
using F = CellFormat;
using M = CellMark;

const ResultColumn kTotalCapacity{ColumnId::TotalCapacity, kTotalCoolingHeading, Q::Power, F::UnitMask, M::None,
                                  [](const ModelOutcome& m) { return double(m.rating.Capacity); }};
const ResultColumn kSensibleCapacity{ColumnId::SensibleCapacity, kSensibleHeading, Q::Power, F::UnitMask, M::None,
                                     [](const ModelOutcome& m) { return double(m.rating.SensibleCapacity); }};
const ResultColumn kHeatingCapacity{ColumnId::HeatingCapacity, kHeatingHeading, Q::Power, F::UnitMask, M::None,
                                    [](const ModelOutcome& m) { return double(m.rating.Capacity); }};
const ResultColumn kWaterFlow{ColumnId::WaterFlow, kWaterFlowHeading, Q::WaterFlow, F::UnitMask, M::None,
                              [](const ModelOutcome& m) { return m.rating.WaterFlow; }};
const ResultColumn kLeavingWater{ColumnId::LeavingWater, kLeavingWaterHeading, Q::Temperature, F::OneDecimal,
                                 M::None, [](const ModelOutcome& m) { return double(m.rating.WaterOut); }};
const ResultColumn kWaterDrop{ColumnId::WaterPressureDrop, kWaterDropHeading, Q::WaterPressureDrop, F::UnitMask,
                              M::LaminarFlow, [](const ModelOutcome& m) { return double(m.rating.WaterPressureDrop); }};
const ResultColumn kAirFlow{ColumnId::AirFlow, kAirFlowHeading, Q::AirFlow, F::UnitMask, M::None,
                            [](const ModelOutcome& m) { return double(m.rating.AirFlow); }};
const ResultColumn kAvailablePressure{ColumnId::AvailablePressure, kAvailablePressureHeading, Q::AirPressure,
                                      F::UnitMask, M::CappedPressure,
                                      [](const ModelOutcome& m) { return double(m.air.availablePressure); }};
const ResultColumn kLeavingAir{ColumnId::LeavingAir, kLeavingAirHeading, Q::Temperature, F::OneDecimal, M::None,
                               [](const ModelOutcome& m) { return double(m.rating.AirOut); }};
const ResultColumn kFanCoilSoundPower{ColumnId::SoundPower, kSoundPowerHeading, Q::SoundLevel, F::GeneralNumber,
                                      M::None, [](const ModelOutcome& m) { return double(m.soundPower); }};
const ResultColumn kDuctedSoundPower{ColumnId::SoundPower, kSoundPowerHeading, Q::SoundLevel, F::WholeNumber,
                                     M::None, [](const ModelOutcome& m) { return double(m.soundPower); }};
const ResultColumn kSoundPressure{ColumnId::SoundPressure, kSoundPressureHeading, Q::SoundLevel, F::GeneralNumber,
                                  M::None, [](const ModelOutcome& m) { return double(m.soundPressure); }};

} // namespace

std::vector<ResultColumn> resultColumns(const ColumnChoice& c)
{
    std::vector<ResultColumn> columns;
    if (c.mode == ModeCooling)
        columns = {kTotalCapacity, kSensibleCapacity};
    else
        columns = {kHeatingCapacity};
    columns.push_back(c.waterFlowGiven ? kLeavingWater : kWaterFlow);
    columns.push_back(kWaterDrop);
    if (c.ducted) {
        columns.push_back(c.airFlowGiven ? kAvailablePressure : kAirFlow);
        columns.push_back(kLeavingAir);
        columns.push_back(kDuctedSoundPower);
    } else {
        columns.insert(columns.end(), {kAirFlow, kLeavingAir, kFanCoilSoundPower, kSoundPressure});
    }
    return columns;
}

} // namespace tarvello
