#include "selection_ui/kx_inputs.h"

#include "engine/psychrometrics.h"
#include "shell/language.h"
#include "shell/units.h"

#include <algorithm>

namespace tarvello {

namespace {

constexpr float kMaxStaticPressure_Pa = 80.0f;
// The largest temperature difference of the water, K, by mode.
constexpr float kMaxCoolingWaterRise = 10.0f;
constexpr float kMaxHeatingWaterDrop = 40.0f;
// "The leaving water temperature must be above the entering air temperature."
constexpr int kLeavingWaterBelowAirText = 161;

// The water fields read a negative number as 0, as their leave handlers do: a negative
// flow or leaving temperature is then reported as missing instead of rating nothing.
float waterNumber(const QString& text)
{
    return std::max(fieldNumberOrZero(text), 0.0f);
}

float waterCelsius(const QString& text, const UnitChoice& temperature)
{
    const float shown = waterNumber(text);
    return shown == 0 ? 0.0f : std::max(float(temperature.toInternal(shown)), 0.0f);
}

// "<text 103> > 10 °C": the largest difference of the water temperatures, K, in the user's unit.
QString tooLargeDifference(float kelvin)
{
    return Testo(103) + QStringLiteral(" > ") + generalNumber(temperatureDifferenceToShown(kelvin))
           + QLatin1Char(' ') + UnitT.name();
}

std::optional<MissingInput> missingWaterIn(const KxConditions& c, int mode)
{
    if (c.WaterIn == 0)
        return MissingInput{Testo(100), indexedName("txtTw1", mode)};
    return std::nullopt;
}

// The leaving water temperature or the water flow, and how far the temperature may move.
std::optional<MissingInput> missingWaterOutcome(const KxConditions& c, int mode)
{
    const bool cooling = mode == ModeCooling;
    if (c.WaterOutGiven == 0 && c.WaterFlowGiven == 0)
        return MissingInput{Testo(107), indexedName("txtTw2", mode)};
    // The differences are held in single precision: exactly 10 (or 40) passes.
    if (cooling && c.WaterFlowGiven == 0 && float(c.WaterOutGiven - c.WaterIn) > kMaxCoolingWaterRise)
        return MissingInput{tooLargeDifference(kMaxCoolingWaterRise), indexedName("txtTw2", 0)};
    if (!cooling && c.WaterFlowGiven == 0 && float(c.WaterIn - c.WaterOutGiven) > kMaxHeatingWaterDrop)
        return MissingInput{tooLargeDifference(kMaxHeatingWaterDrop), indexedName("txtTw2", 1)};
    // A leaving water temperature on the wrong side of the entering one has no operating
    // point; it is refused here, as when the field is left.
    if (c.leavingWaterGiven()) {
        if (cooling && !(c.WaterOutGiven > c.WaterIn))
            return MissingInput{Testo(111), indexedName("txtTw2", 0)};
        if (!cooling && !(c.WaterOutGiven < c.WaterIn))
            return MissingInput{Testo(102), indexedName("txtTw2", 1)};
    }
    return std::nullopt;
}

} // namespace

float shownToInternal(float shown, float factor)
{
    return factor != 0 ? float(double(shown) / factor) : 0.0f;
}

RangeRule temperatureRange(float minimum_C, float maximum_C, bool zeroAllowed, const UnitChoice& temperature)
{
    return {float(temperature.toShown(minimum_C)), float(temperature.toShown(maximum_C)), temperature.name(),
            zeroAllowed};
}

float fieldCelsius(const QString& text, const UnitChoice& temperature)
{
    const float shown = fieldNumberOrZero(text);
    return shown == 0 ? 0.0f : float(temperature.toInternal(shown));
}

RangeRule kxRangeRule(KxField field, int mode)
{
    const bool cooling = mode == ModeCooling;
    switch (field) {
    case KxField::Tsa1:
        return cooling ? temperatureRange(18, 33, false) : temperatureRange(-15, 30, true);
    case KxField::Tw1:
        return cooling ? temperatureRange(5, 20, false) : temperatureRange(30, 95, false);
    case KxField::Glic:
        return {0, 60, QStringLiteral("%"), true};
    case KxField::Psu:
        return {0, kMaxStaticPressure_Pa * UnitDpA.factor(), UnitDpA.name(), true};
    case KxField::Ur:
        return {20, 98, QStringLiteral("%"), true};
    }
    return {};
}

KxConditions readKxConditions(const KxFieldTexts& texts, float waterFlowFactor, float airPressureFactor,
                              const UnitChoice& temperature)
{
    KxConditions c;
    c.AirIn = fieldCelsius(texts.airIn, temperature);
    c.WaterIn = fieldCelsius(texts.waterIn, temperature);
    c.WaterOutGiven = waterCelsius(texts.waterOut, temperature);
    c.WaterFlowGiven = shownToInternal(waterNumber(texts.waterFlow), waterFlowFactor);
    c.GlycolPercent = fieldNumberOrZero(texts.glycol);
    c.StaticPressure = shownToInternal(fieldNumberOrZero(texts.pressure), airPressureFactor);
    c.AirInRh = fieldNumberOrZero(texts.humidity);
    return c;
}

std::optional<MissingInput> firstMissingInput(const KxConditions& c, int mode)
{
    const bool cooling = mode == ModeCooling;
    if (cooling && c.AirIn == 0)
        return MissingInput{Testo(105), indexedName("txtTsa1", 0)};
    if (std::optional<MissingInput> missing = missingWaterIn(c, mode))
        return missing;
    if (cooling && c.AirInRh == 0)
        return MissingInput{Testo(106), QString()};
    if (std::optional<MissingInput> missing = missingWaterOutcome(c, mode))
        return missing;
    return leavingWaterBelowAir(c, c.AirIn, mode);
}

std::optional<MissingInput> leavingWaterBelowAir(const KxConditions& c, float airIn, int mode)
{
    // Water that leaves no warmer than the air it heats has given up more heat than the air
    // can take: no coil has an operating point.
    if (mode == ModeHeating && c.leavingWaterGiven() && !(c.WaterOutGiven > airIn))
        return MissingInput{Testo(kLeavingWaterBelowAirText), indexedName("txtTw2", ModeHeating)};
    return std::nullopt;
}

std::optional<MissingInput> firstMissingWaterInput(const KxConditions& c, int mode)
{
    if (std::optional<MissingInput> missing = missingWaterIn(c, mode))
        return missing;
    return missingWaterOutcome(c, mode);
}

RunRequest kxRunRequest(const KxConditions& c, int mode)
{
    RunRequest r;
    r.mode = mode;
    r.air = mode == ModeCooling ? enteringAirFromHumidity(c.AirIn, c.AirInRh) : EnteringAir{c.AirIn, 0, 0};
    r.waterIn = c.WaterIn;
    r.leavingWaterGiven = c.leavingWaterGiven();
    r.waterOut = c.WaterOutGiven;
    r.waterFlow = c.WaterFlowGiven;
    r.glycolPercent = c.GlycolPercent;
    r.staticPressure = c.StaticPressure;
    return r;
}

} // namespace tarvello
