// The value columns of a run's results per mode, water input and air input: which columns in
// which order, their headings (text offsets), quantities, formats and marks, and the value
// each takes from a listed model.
#include "selection/result_columns.h"

#include "engine/coil_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace tarvello {
namespace {

using Id = ColumnId;

// Text offsets of the headings, as the texts file numbers them.
constexpr int kTotal = 55, kSensible = 52, kHeating = 54, kWaterFlow = 48, kLeavingWater = 94, kWaterDrop = 45,
              kAirFlow = 49, kAvailablePressure = 58, kLeavingAir = 96, kSoundPower = 53, kSoundPressure = 57;

struct ColumnsCase {
    const char* what;
    ColumnChoice choice;
    std::vector<Id> ids;
    std::vector<int> headings;
};

const ColumnsCase kColumnsCases[] = {
    {"fan coils, cooling, leaving water given",
     {ModeCooling, false, false, false},
     {Id::TotalCapacity, Id::SensibleCapacity, Id::WaterFlow, Id::WaterPressureDrop, Id::AirFlow, Id::LeavingAir,
      Id::SoundPower, Id::SoundPressure},
     {kTotal, kSensible, kWaterFlow, kWaterDrop, kAirFlow, kLeavingAir, kSoundPower, kSoundPressure}},
    {"fan coils, cooling, water flow given",
     {ModeCooling, false, true, false},
     {Id::TotalCapacity, Id::SensibleCapacity, Id::LeavingWater, Id::WaterPressureDrop, Id::AirFlow, Id::LeavingAir,
      Id::SoundPower, Id::SoundPressure},
     {kTotal, kSensible, kLeavingWater, kWaterDrop, kAirFlow, kLeavingAir, kSoundPower, kSoundPressure}},
    {"fan coils, heating, leaving water given",
     {ModeHeating, false, false, false},
     {Id::HeatingCapacity, Id::WaterFlow, Id::WaterPressureDrop, Id::AirFlow, Id::LeavingAir, Id::SoundPower,
      Id::SoundPressure},
     {kHeating, kWaterFlow, kWaterDrop, kAirFlow, kLeavingAir, kSoundPower, kSoundPressure}},
    {"fan coils, heating, water flow given (an air flow choice changes nothing)",
     {ModeHeating, false, true, true},
     {Id::HeatingCapacity, Id::LeavingWater, Id::WaterPressureDrop, Id::AirFlow, Id::LeavingAir, Id::SoundPower,
      Id::SoundPressure},
     {kHeating, kLeavingWater, kWaterDrop, kAirFlow, kLeavingAir, kSoundPower, kSoundPressure}},
    {"ducted, cooling, pressure and leaving water given",
     {ModeCooling, true, false, false},
     {Id::TotalCapacity, Id::SensibleCapacity, Id::WaterFlow, Id::WaterPressureDrop, Id::AirFlow, Id::LeavingAir,
      Id::SoundPower},
     {kTotal, kSensible, kWaterFlow, kWaterDrop, kAirFlow, kLeavingAir, kSoundPower}},
    {"ducted, cooling, air flow and water flow given",
     {ModeCooling, true, true, true},
     {Id::TotalCapacity, Id::SensibleCapacity, Id::LeavingWater, Id::WaterPressureDrop, Id::AvailablePressure,
      Id::LeavingAir, Id::SoundPower},
     {kTotal, kSensible, kLeavingWater, kWaterDrop, kAvailablePressure, kLeavingAir, kSoundPower}},
    {"ducted, heating, pressure and water flow given",
     {ModeHeating, true, true, false},
     {Id::HeatingCapacity, Id::LeavingWater, Id::WaterPressureDrop, Id::AirFlow, Id::LeavingAir, Id::SoundPower},
     {kHeating, kLeavingWater, kWaterDrop, kAirFlow, kLeavingAir, kSoundPower}},
    {"ducted, heating, air flow and leaving water given",
     {ModeHeating, true, false, true},
     {Id::HeatingCapacity, Id::WaterFlow, Id::WaterPressureDrop, Id::AvailablePressure, Id::LeavingAir,
      Id::SoundPower},
     {kHeating, kWaterFlow, kWaterDrop, kAvailablePressure, kLeavingAir, kSoundPower}},
};

TEST(ResultColumns, IdsAndHeadingsInTheirOrder)
{
    for (const ColumnsCase& c : kColumnsCases) {
        SCOPED_TRACE(c.what);
        std::vector<Id> ids;
        std::vector<int> headings;
        for (const ResultColumn& column : resultColumns(c.choice)) {
            ids.push_back(column.id);
            headings.push_back(column.headingText);
        }
        EXPECT_EQ(ids, c.ids);
        EXPECT_EQ(headings, c.headings);
    }
}

// A listed model whose values all differ.
ModelOutcome sampleOutcome()
{
    ModelOutcome m;
    m.model = 2;
    m.name = "KXA 30";
    m.rating.Capacity = 3690;
    m.rating.SensibleCapacity = 2860;
    m.rating.WaterFlow = 0.000176;
    m.rating.WaterOut = 12.04f;
    m.rating.WaterPressureDrop = 14.3f;
    m.rating.Reynolds = 5000;
    m.rating.AirFlow = 0.1175f;
    m.rating.AirOut = 14.26f;
    m.air.airFlow = 0.12f;
    m.air.availablePressure = 31.5f;
    m.soundPower = 53;
    m.soundPressure = 44.5f;
    return m;
}

struct ColumnFacts {
    Id id;
    ColumnQuantity quantity;
    CellFormat format;
    CellMark mark;
    double value; // of sampleOutcome()
};

TEST(ResultColumns, QuantityFormatMarkAndValueOfEachColumn)
{
    using Q = ColumnQuantity;
    using F = CellFormat;
    using M = CellMark;
    const ModelOutcome model = sampleOutcome();
    struct Case {
        const char* what;
        ColumnChoice choice;
        std::vector<ColumnFacts> facts;
    };
    const Case cases[] = {
        {"fan coils, cooling",
         {ModeCooling, false, false, false},
         {{Id::TotalCapacity, Q::Power, F::UnitMask, M::None, 3690},
          {Id::SensibleCapacity, Q::Power, F::UnitMask, M::None, 2860},
          {Id::WaterFlow, Q::WaterFlow, F::UnitMask, M::None, 0.000176},
          {Id::WaterPressureDrop, Q::WaterPressureDrop, F::UnitMask, M::LaminarFlow, 14.3f},
          {Id::AirFlow, Q::AirFlow, F::UnitMask, M::None, 0.1175f},
          {Id::LeavingAir, Q::Temperature, F::OneDecimal, M::None, 14.26f},
          {Id::SoundPower, Q::SoundLevel, F::GeneralNumber, M::None, 53},
          {Id::SoundPressure, Q::SoundLevel, F::GeneralNumber, M::None, 44.5f}}},
        {"ducted, heating, both flows given",
         {ModeHeating, true, true, true},
         {{Id::HeatingCapacity, Q::Power, F::UnitMask, M::None, 3690},
          {Id::LeavingWater, Q::Temperature, F::OneDecimal, M::None, 12.04f},
          {Id::WaterPressureDrop, Q::WaterPressureDrop, F::UnitMask, M::LaminarFlow, 14.3f},
          {Id::AvailablePressure, Q::AirPressure, F::UnitMask, M::CappedPressure, 31.5f},
          {Id::LeavingAir, Q::Temperature, F::OneDecimal, M::None, 14.26f},
          {Id::SoundPower, Q::SoundLevel, F::WholeNumber, M::None, 53}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<ResultColumn> columns = resultColumns(c.choice);
        ASSERT_EQ(columns.size(), c.facts.size());
        for (size_t i = 0; i < columns.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(columns[i].id, c.facts[i].id);
            EXPECT_EQ(columns[i].quantity, c.facts[i].quantity);
            EXPECT_EQ(columns[i].format, c.facts[i].format);
            EXPECT_EQ(columns[i].mark, c.facts[i].mark);
            EXPECT_EQ(columns[i].value(model), c.facts[i].value);
        }
    }
}

TEST(ResultColumns, EachColumnHoldsItsPhysicalRange)
{
    struct Case {
        Id id;
        double minimum;
        double maximum;
    };
    const Case cases[] = {
        {Id::TotalCapacity, 0, 1e6},     {Id::SensibleCapacity, 0, 1e6},     {Id::HeatingCapacity, 0, 1e6},
        {Id::WaterFlow, 0, 1},           {Id::LeavingWater, -50, 150},       {Id::WaterPressureDrop, 0, 1e4},
        {Id::AirFlow, 0, 20},            {Id::AvailablePressure, -1e4, 1e4}, {Id::LeavingAir, -50, 150},
        {Id::SoundPower, 0, 120},        {Id::SoundPressure, 0, 120},
    };
    std::vector<ResultColumn> every;
    for (const ColumnsCase& c : kColumnsCases)
        for (const ResultColumn& column : resultColumns(c.choice))
            every.push_back(column);
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.id));
        bool seen = false;
        for (const ResultColumn& column : every) {
            if (column.id != c.id)
                continue;
            seen = true;
            EXPECT_EQ(column.minimum, c.minimum);
            EXPECT_EQ(column.maximum, c.maximum);
            EXPECT_TRUE(column.holds(c.minimum));
            EXPECT_TRUE(column.holds(c.maximum));
            EXPECT_FALSE(column.holds(c.minimum - 1e-3));
            EXPECT_FALSE(column.holds(c.maximum + 1e-3));
            EXPECT_FALSE(column.holds(std::nan("")));
        }
        EXPECT_TRUE(seen) << "no run shows the column";
    }
}

TEST(ResultColumns, TheFirstImplausibleValueOfAModel)
{
    struct Case {
        const char* what;
        void (*change)(ModelOutcome&);
        std::optional<Id> column;
    };
    const Case cases[] = {
        {"every value plausible", [](ModelOutcome&) {}, std::nullopt},
        {"a capacity of 2 MW", [](ModelOutcome& m) { m.rating.Capacity = 2e6f; }, Id::TotalCapacity},
        {"a capacity that is no number", [](ModelOutcome& m) { m.rating.Capacity = std::nanf(""); }, Id::TotalCapacity},
        {"a negative sensible capacity", [](ModelOutcome& m) { m.rating.SensibleCapacity = -10; },
         Id::SensibleCapacity},
        {"a sensible capacity above the total", [](ModelOutcome& m) { m.rating.SensibleCapacity = 3700; },
         Id::SensibleCapacity},
        {"a negative water flow", [](ModelOutcome& m) { m.rating.WaterFlow = -1e-6; }, Id::WaterFlow},
        {"leaving water at 200 °C", [](ModelOutcome& m) { m.rating.WaterOut = 200; }, Id::LeavingWater},
        {"a negative water pressure drop", [](ModelOutcome& m) { m.rating.WaterPressureDrop = -1; },
         Id::WaterPressureDrop},
        {"an air flow of 25 m³/s", [](ModelOutcome& m) { m.rating.AirFlow = 25; }, Id::AirFlow},
        {"an available pressure of -20 kPa", [](ModelOutcome& m) { m.air.availablePressure = -2e4f; },
         Id::AvailablePressure},
        {"leaving air at -60 °C", [](ModelOutcome& m) { m.rating.AirOut = -60; }, Id::LeavingAir},
        {"a sound power of 130 dB(A)", [](ModelOutcome& m) { m.soundPower = 130; }, Id::SoundPower},
        {"a negative sound pressure", [](ModelOutcome& m) { m.soundPressure = -1; }, Id::SoundPressure},
        {"two values: the first column is named",
         [](ModelOutcome& m) {
             m.rating.WaterOut = 200;
             m.soundPower = 130;
         },
         Id::LeavingWater},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModelOutcome model = sampleOutcome();
        c.change(model);
        EXPECT_EQ(firstImplausibleColumn(model), c.column);
    }
}

TEST(ResultColumns, LaminarBelow2300)
{
    const std::pair<float, bool> cases[] = {{0, true}, {2299.9f, true}, {2300, false}, {5000, false}};
    for (const auto& [reynolds, laminar] : cases) {
        RatingResult r;
        r.Reynolds = reynolds;
        EXPECT_EQ(isLaminar(r), laminar) << reynolds;
    }
}

} // namespace
} // namespace tarvello
