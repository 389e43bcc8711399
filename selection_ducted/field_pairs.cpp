#include "selection_ducted/field_pairs.h"

#include "engine/coil_state.h"
#include "engine/fan_air_side.h"
#include "engine/psychrometrics.h"
#include "shell/app_state.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/message_sink.h"

#include <QLineEdit>

namespace tarvello {

namespace {

const QString kHumidityMask = QStringLiteral("##.0");

// The number a water field holds for the alternatives (the field itself keeps its text).
float waterFieldNumber(const QLineEdit* box)
{
    std::string text = box->text().toStdString();
    return TextToNumber(text);
}

float numberIn(const QLineEdit* box)
{
    return fieldNumber(box->text()).value_or(0.0f);
}

// A field that is not a number reads "0" after it is left.
void zeroIfNotNumber(QLineEdit* box)
{
    if (!fieldNumber(box->text()))
        box->setText(QStringLiteral("0"));
}

void critical(const QString& text)
{
    messages().critical(text, QString::fromLatin1(kProgramTitle));
}

} // namespace

void waterFlowLeft(QLineEdit* leavingWater, QLineEdit* waterFlow)
{
    if (waterFieldNumber(leavingWater) > 0 && waterFieldNumber(waterFlow) > 0)
        leavingWater->clear();
}

void leavingWaterLeft(int mode, QLineEdit* enteringWater, QLineEdit* leavingWater, QLineEdit* waterFlow,
                      const QWidget* now)
{
    if (waterFieldNumber(leavingWater) > 0 && waterFieldNumber(waterFlow) > 0)
        waterFlow->clear();
    zeroIfNotNumber(enteringWater);
    if (isCommandButton(now))
        return;
    const float waterIn = numberIn(enteringWater);
    const float waterOut = numberIn(leavingWater);
    if (!(waterIn > 0 && waterOut > 0))
        return;
    const bool cooling = mode == ModeCooling;
    if (cooling ? waterIn >= waterOut : waterIn <= waterOut) {
        critical(Testo(cooling ? 111 : 102));
        leavingWater->setFocus();
    }
}

void wetBulbLeft(const WetBulbTriple& f, const QWidget* now)
{
    if (skipsFieldChecks(now))
        return;
    zeroIfNotNumber(f.wetBulb);
    zeroIfNotNumber(f.dryBulb);
    const float wetBulb = numberIn(f.wetBulb);
    const float dryBulb = numberIn(f.dryBulb);
    if (!(wetBulb > 0 && dryBulb > 0))
        return;
    if (dryBulb <= wetBulb) {
        critical(Testo(110));
        f.humidity->clear();
        f.wetBulb->setFocus();
        return;
    }
    f.humidity->setText(FormatMask(RelHumidityFromWetBulb(dryBulb, wetBulb), kHumidityMask));
}

bool humidityLeft(const WetBulbTriple& f, const RangeRule& humidityRange, const QWidget* now)
{
    const bool outOfRange = CheckRange(f.humidity, humidityRange, now);
    zeroIfNotNumber(f.humidity);
    const float humidity = numberIn(f.humidity);
    const float dryBulb = numberIn(f.dryBulb);
    // Without a dry bulb there is no wet bulb to work out.
    if (humidity > 0 && !outOfRange && dryBulb > 0)
        f.wetBulb->setText(FormatMask(WetBulbFromRelHumidity(dryBulb, humidity), kHumidityMask));
    const float wetBulb = numberIn(f.wetBulb);
    if (humidity == 0 && wetBulb > 0 && dryBulb > 0)
        f.humidity->setText(FormatMask(RelHumidityFromWetBulb(dryBulb, wetBulb), kHumidityMask));
    return outOfRange;
}

} // namespace tarvello
