#include "selection_ui/paired_fields.h"

#include "engine/coil_state.h"
#include "engine/fan_air_side.h"
#include "engine/psychrometrics.h"
#include "shell/app_state.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/units.h"

#include <QLineEdit>

namespace tarvello {

namespace {

const QString kHumidityMask = QStringLiteral("##.0");

// The number of a water field for the alternatives; the field keeps its text.
float waterFieldNumber(const QLineEdit* box)
{
    std::string text = box->text().toStdString();
    return TextToNumber(text);
}

float numberIn(const QLineEdit* box)
{
    return fieldNumberOrZero(box->text());
}

// A temperature typed in the user's unit, °C, for the psychrometric relations.
float celsiusOf(float shown)
{
    return float(UnitT.toInternal(shown));
}

// A wet bulb worked out in °C, in the user's unit with the field's mask.
QString wetBulbText(float celsius)
{
    return FormatMask(UnitT.toShown(celsius), kHumidityMask);
}

void zeroIfNotNumber(QLineEdit* box)
{
    if (!fieldNumber(box->text()))
        box->setText(QStringLiteral("0"));
}

void report(int textOffset)
{
    messages().critical(Testo(textOffset), QString::fromLatin1(kProgramTitle));
}

} // namespace

void leaveWaterFlow(const WaterFields& water)
{
    if (waterFieldNumber(water.waterOut) > 0 && waterFieldNumber(water.waterFlow) > 0)
        water.waterOut->clear();
}

bool leaveWaterOut(const WaterFields& water, int mode, const QWidget* receivingFocus)
{
    if (waterFieldNumber(water.waterOut) > 0 && waterFieldNumber(water.waterFlow) > 0)
        water.waterFlow->clear();
    zeroIfNotNumber(water.waterIn);
    if (isCommandButton(receivingFocus))
        return false;
    const float waterIn = numberIn(water.waterIn);
    const float waterOut = numberIn(water.waterOut);
    if (!(waterIn > 0 && waterOut > 0))
        return false;
    const bool wrongSide = mode == ModeCooling ? waterIn >= waterOut : waterIn <= waterOut;
    if (!wrongSide)
        return false;
    report(mode == ModeCooling ? 111 : 102);
    water.waterOut->setFocus();
    return true;
}

void leaveWetBulb(const AirStateFields& air, const QWidget* receivingFocus)
{
    if (skipsFieldChecks(receivingFocus))
        return;
    zeroIfNotNumber(air.wetBulb);
    zeroIfNotNumber(air.dryBulb);
    const float wetBulb = numberIn(air.wetBulb);
    const float dryBulb = numberIn(air.dryBulb);
    if (!(wetBulb > 0 && dryBulb > 0))
        return;
    if (dryBulb <= wetBulb) {
        report(110);
        air.humidity->clear();
        air.wetBulb->setFocus();
        return;
    }
    air.humidity->setText(FormatMask(RelHumidityFromWetBulb(celsiusOf(dryBulb), celsiusOf(wetBulb)), kHumidityMask));
}

bool leaveHumidity(const AirStateFields& air, const RangeRule& humidityRange, const QWidget* receivingFocus)
{
    const bool outOfRange = CheckRange(air.humidity, humidityRange, receivingFocus);
    zeroIfNotNumber(air.humidity);
    const float humidity = numberIn(air.humidity);
    const float dryBulb = numberIn(air.dryBulb);
    // Without a dry bulb there is no wet bulb to work out.
    if (humidity > 0 && !outOfRange && dryBulb > 0)
        air.wetBulb->setText(wetBulbText(WetBulbFromRelHumidity(celsiusOf(dryBulb), humidity)));
    const float wetBulb = numberIn(air.wetBulb);
    if (humidity == 0 && wetBulb > 0 && dryBulb > 0)
        air.humidity->setText(
            FormatMask(RelHumidityFromWetBulb(celsiusOf(dryBulb), celsiusOf(wetBulb)), kHumidityMask));
    return outOfRange;
}

} // namespace tarvello
