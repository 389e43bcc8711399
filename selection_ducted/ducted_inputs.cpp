#include "selection_ducted/ducted_inputs.h"

#include "engine/arithmetic.h"
#include "engine/psychrometrics.h"
#include "shell/language.h"
#include "shell/units.h"

namespace tarvello {

namespace {

constexpr float kMaxStaticPressure_Pa = 250.0f;
constexpr float kWholeShare = 100.0f; // %

const QString kPercent = QStringLiteral("%");

// Steps 1 to 5: the fields, the two stream flows and the dry bulb mixed by flow.
DuctedConditions readFields(const DuctedFieldTexts& t, int mode, const DuctedUnitFactors& f)
{
    DuctedConditions c;
    c.TotalAirFlow = shownToInternal(fieldNumberOrZero(t.totalAirFlow), f.airFlow);
    c.AirFlow = c.TotalAirFlow;
    c.ReturnDry = fieldCelsius(t.returnDry, *f.temperature);
    c.FreshDry = fieldCelsius(t.freshDry, *f.temperature);
    c.ReturnShare = fieldNumberOrZero(t.returnShare);
    c.FreshShare = fieldNumberOrZero(t.freshShare);
    if (mode == ModeCooling) {
        c.ReturnRh = fieldNumberOrZero(t.returnRh);
        c.FreshRh = fieldNumberOrZero(t.freshRh);
    }
    c.ReturnFlow = ToSingle(double(c.TotalAirFlow) * c.ReturnShare / 100.0);
    c.FreshFlow = ToSingle(double(c.TotalAirFlow) * c.FreshShare / 100.0);
    if (c.TotalAirFlow > 0)
        c.AirIn = ToSingle((double(c.ReturnDry) * c.ReturnFlow + double(c.FreshDry) * c.FreshFlow) / c.TotalAirFlow);
    else
        c.AirIn = c.ReturnDry;
    const KxFieldTexts water{QString(), t.waterIn, t.waterOut, t.waterFlow, t.glycol, t.pressure, QString()};
    c.water = readKxConditions(water, f.waterFlow, f.airPressure, *f.temperature);
    return c;
}

// Step 6. A negative share would extrapolate the mix beyond both streams, so it is refused
// with the same message as shares that do not add up.
std::optional<MissingInput> shareCheck(const DuctedConditions& c, int mode)
{
    if (!(c.TotalAirFlow > 0))
        return std::nullopt;
    const bool negative = c.ReturnShare < 0 || c.FreshShare < 0;
    if (negative || float(c.ReturnShare + c.FreshShare) != kWholeShare)
        return MissingInput{Testo(126), indexedName("txtpqaric", mode)};
    return std::nullopt;
}

// Step 7: a stream that flows needs its humidity (cooling).
std::optional<MissingInput> streamHumidityCheck(const DuctedConditions& c)
{
    if (c.ReturnFlow > 0 && c.ReturnRh == 0)
        return MissingInput{Testo(106), QStringLiteral("txtUrric")};
    if (c.FreshFlow > 0 && c.FreshRh == 0)
        return MissingInput{Testo(106), QStringLiteral("txturrin")};
    return std::nullopt;
}

// The humidity ratio of one stream, kg/kg.
float humidityRatioOf(float dryBulb, float rh)
{
    const float wetBulb = WetBulbFromRelHumidity(dryBulb, rh);
    return HumidityRatioFromWetBulb(dryBulb, wetBulb);
}

// Step 8 (cooling): the dry bulb mixes by flow, the moisture by humidity ratio, both
// weighted by volume flow.
void mixHumidity(DuctedConditions& c)
{
    if (c.ReturnFlow <= 0 || c.FreshFlow <= 0) {
        c.AirInRh = (c.ReturnFlow <= 0 && c.TotalAirFlow != 0) ? c.FreshRh : c.ReturnRh;
        c.AirInWetBulb = WetBulbFromRelHumidity(c.AirIn, c.AirInRh);
        return;
    }
    const float returnRatio = humidityRatioOf(c.ReturnDry, c.ReturnRh);
    const float freshRatio = humidityRatioOf(c.FreshDry, c.FreshRh);
    const float mixedRatio = ToSingle(
        Divide(double(c.ReturnFlow) * returnRatio + double(c.FreshFlow) * freshRatio, c.TotalAirFlow));
    c.AirInWetBulb = WetBulbFromHumidityRatio(c.AirIn, mixedRatio);
    c.AirInRh = RelHumidityFromWetBulb(c.AirIn, c.AirInWetBulb);
}

// Step 9, the air part: the mixed air, then each stream that has a share.
std::optional<MissingInput> airCompletenessCheck(const DuctedConditions& c, int mode)
{
    const bool cooling = mode == ModeCooling;
    if (cooling && c.AirIn == 0)
        return MissingInput{Testo(105), QString()};
    if (c.ReturnShare > 0 && c.ReturnDry == 0)
        return MissingInput{Testo(105), indexedName("txtTsa1ric", mode)};
    if (cooling && c.FreshShare > 0 && c.FreshDry == 0)
        return MissingInput{Testo(105), QString()};
    if (cooling && c.ReturnShare > 0 && c.ReturnRh == 0)
        return MissingInput{Testo(106), QStringLiteral("txtUrric")};
    if (cooling && c.FreshShare > 0 && c.FreshRh == 0)
        return MissingInput{Testo(106), QStringLiteral("txturrin")};
    return std::nullopt;
}

} // namespace

RangeRule ductedRangeRule(DuctedField field, int mode)
{
    const bool cooling = mode == ModeCooling;
    switch (field) {
    case DuctedField::Tsa1ric:
        return cooling ? temperatureRange(16, 35, false) : temperatureRange(-15, 35, true);
    case DuctedField::Tsa1rin:
        return cooling ? temperatureRange(16, 35, false) : temperatureRange(-10, 30, true);
    case DuctedField::Humidity:
        return {10, 95, kPercent, true};
    case DuctedField::Psu:
        return {0, kMaxStaticPressure_Pa * UnitDpA.factor(), UnitDpA.name(), true};
    case DuctedField::Tw1:
        return kxRangeRule(KxField::Tw1, mode);
    case DuctedField::Glic:
        return kxRangeRule(KxField::Glic, mode);
    }
    return {};
}

bool dryBulbChecked(DuctedField field, int mode, const QString& shareText)
{
    if (mode != ModeCooling)
        return true;
    if (field != DuctedField::Tsa1ric && field != DuctedField::Tsa1rin)
        return true;
    return shareOf(shareText) > 0;
}

float shareOf(const QString& text)
{
    return fieldNumberOrZero(text);
}

bool isAllReturnAir(const QString& returnShareText)
{
    return shareOf(returnShareText) == kWholeShare;
}

QString complementShare(const QString& shareText)
{
    return generalNumber(double(kWholeShare) - double(shareOf(shareText)));
}

DuctedReading readDuctedInputs(const DuctedFieldTexts& texts, int mode, const DuctedUnitFactors& factors)
{
    DuctedReading reading;
    DuctedConditions& c = reading.conditions;
    c = readFields(texts, mode, factors);
    const bool cooling = mode == ModeCooling;
    if ((reading.missing = shareCheck(c, mode)))
        return reading;
    if (cooling) {
        if ((reading.missing = streamHumidityCheck(c)))
            return reading;
        mixHumidity(c);
    }
    if ((reading.missing = airCompletenessCheck(c, mode)))
        return reading;
    if ((reading.missing = firstMissingWaterInput(c.water, mode)))
        return reading;
    reading.missing = leavingWaterBelowAir(c.water, c.AirIn, mode);
    return reading;
}

RunRequest ductedRunRequest(const DuctedConditions& c, int mode)
{
    RunRequest r = kxRunRequest(c.water, mode);
    r.air = mode == ModeCooling ? EnteringAir{c.AirIn, c.AirInRh, c.AirInWetBulb} : EnteringAir{c.AirIn, 0, 0};
    r.totalAirFlow = c.TotalAirFlow;
    r.streams = AirStreams{c.ReturnShare, c.ReturnDry, c.ReturnRh, c.FreshShare, c.FreshDry, c.FreshRh};
    return r;
}

} // namespace tarvello
