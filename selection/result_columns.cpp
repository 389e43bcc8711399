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

// Physical ranges of the values, internal units. Generous: a fan coil or ducted unit never
// reaches them; values beyond come from damaged data (a flipped exponent, a wrong sign).
constexpr double kMaxCapacity_W = 1.0e6;
constexpr double kMaxWaterFlow_m3s = 1.0;
constexpr double kMaxWaterDrop_kPa = 1.0e4;
constexpr double kMaxAirFlow_m3s = 20.0;
constexpr double kMaxAirPressure_Pa = 1.0e4;
constexpr double kMinTemperature_C = -50.0;
constexpr double kMaxTemperature_C = 150.0;
constexpr double kMaxSound_dBA = 120.0;

using Q = ColumnQuantity;
using F = CellFormat;
using M = CellMark;

const ResultColumn kTotalCapacity{ColumnId::TotalCapacity, kTotalCoolingHeading, Q::Power, F::UnitMask, M::None,
                                  [](const ModelOutcome& m) { return double(m.rating.Capacity); },
                                  0, kMaxCapacity_W};
const ResultColumn kSensibleCapacity{ColumnId::SensibleCapacity, kSensibleHeading, Q::Power, F::UnitMask, M::None,
                                     [](const ModelOutcome& m) { return double(m.rating.SensibleCapacity); },
                                     0, kMaxCapacity_W};
const ResultColumn kHeatingCapacity{ColumnId::HeatingCapacity, kHeatingHeading, Q::Power, F::UnitMask, M::None,
                                    [](const ModelOutcome& m) { return double(m.rating.Capacity); },
                                    0, kMaxCapacity_W};
const ResultColumn kWaterFlow{ColumnId::WaterFlow, kWaterFlowHeading, Q::WaterFlow, F::UnitMask, M::None,
                              [](const ModelOutcome& m) { return m.rating.WaterFlow; },
                              0, kMaxWaterFlow_m3s};
const ResultColumn kLeavingWater{ColumnId::LeavingWater, kLeavingWaterHeading, Q::Temperature, F::OneDecimal,
                                 M::None, [](const ModelOutcome& m) { return double(m.rating.WaterOut); },
                                 kMinTemperature_C, kMaxTemperature_C};
const ResultColumn kWaterDrop{ColumnId::WaterPressureDrop, kWaterDropHeading, Q::WaterPressureDrop, F::UnitMask,
                              M::LaminarFlow, [](const ModelOutcome& m) { return double(m.rating.WaterPressureDrop); },
                              0, kMaxWaterDrop_kPa};
const ResultColumn kAirFlow{ColumnId::AirFlow, kAirFlowHeading, Q::AirFlow, F::UnitMask, M::None,
                            [](const ModelOutcome& m) { return double(m.rating.AirFlow); },
                            0, kMaxAirFlow_m3s};
const ResultColumn kAvailablePressure{ColumnId::AvailablePressure, kAvailablePressureHeading, Q::AirPressure,
                                      F::UnitMask, M::CappedPressure,
                                      [](const ModelOutcome& m) { return double(m.air.availablePressure); },
                                      -kMaxAirPressure_Pa, kMaxAirPressure_Pa};
const ResultColumn kLeavingAir{ColumnId::LeavingAir, kLeavingAirHeading, Q::Temperature, F::OneDecimal, M::None,
                               [](const ModelOutcome& m) { return double(m.rating.AirOut); },
                               kMinTemperature_C, kMaxTemperature_C};
const ResultColumn kFanCoilSoundPower{ColumnId::SoundPower, kSoundPowerHeading, Q::SoundLevel, F::GeneralNumber,
                                      M::None, [](const ModelOutcome& m) { return double(m.soundPower); },
                                      0, kMaxSound_dBA};
const ResultColumn kDuctedSoundPower{ColumnId::SoundPower, kSoundPowerHeading, Q::SoundLevel, F::WholeNumber,
                                     M::None, [](const ModelOutcome& m) { return double(m.soundPower); },
                                     0, kMaxSound_dBA};
const ResultColumn kSoundPressure{ColumnId::SoundPressure, kSoundPressureHeading, Q::SoundLevel, F::GeneralNumber,
                                  M::None, [](const ModelOutcome& m) { return double(m.soundPressure); },
                                  0, kMaxSound_dBA};

const ResultColumn* const kEveryColumn[] = {&kTotalCapacity, &kSensibleCapacity, &kHeatingCapacity,
                                            &kWaterFlow,     &kLeavingWater,     &kWaterDrop,
                                            &kAirFlow,       &kAvailablePressure, &kLeavingAir,
                                            &kFanCoilSoundPower, &kSoundPressure};

} // namespace

std::optional<ColumnId> firstImplausibleColumn(const ModelOutcome& model)
{
    for (const ResultColumn* column : kEveryColumn)
        if (!column->holds(column->value(model)))
            return column->id;
    if (model.rating.SensibleCapacity > model.rating.Capacity)
        return ColumnId::SensibleCapacity; // a sensible share above the whole
    return std::nullopt;
}

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
