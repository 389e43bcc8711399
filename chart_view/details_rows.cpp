#include "chart_view/details_rows.h"

#include "chart_view/chart_texts.h"
#include "charts/psychro_chart.h"
#include "energy/energy_rating.h"
#include "energy/energy_texts.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/units.h"

namespace tarvello {

namespace {

namespace tx = chart_texts;
namespace etx = energy_texts;

const QString kPercent = QStringLiteral("%");
const QString kGramsPerKg = QStringLiteral("g/kg");
const QString kKiloJoulesPerKg = QStringLiteral("kJ/kg");
const QString kKgPerHour = QStringLiteral("kg/h");
const QString kMetresPerSecond = QStringLiteral("m/s");
const QString kDecibelA = QStringLiteral("dB(A)");
constexpr double kSecondsPerHour = 3600.0;

QString powerUnit(int mode)
{
    return powerUnitNameForMode(UnitPt.name(), mode);
}

class RowWriter {
public:
    explicit RowWriter(const SelectionDetails& d) : d_(d) {}

    void heading(const QString& text) { rows_.append({text, {}, {}, true}); }
    void value(int labelText, const QString& value, const QString& unit = {})
    {
        rows_.append({Testo(labelText).trimmed(), value, unit, false});
    }
    void air(int headingText, const AirState& s, std::optional<double> share = {}, int shareText = 0,
             bool saturated = false)
    {
        heading(Testo(headingText));
        if (share)
            value(shareText, wholeNumber(*share), kPercent);
        value(tx::kDryBulb, UnitT.format(s.dryBulb), UnitT.name());
        if (!d_.humidityKnown) {
            value(tx::kRelativeHumidity, Testo(tx::kHumidityNotAsked));
            return;
        }
        value(tx::kWetBulb, UnitT.format(s.wetBulb), UnitT.name());
        value(tx::kRelativeHumidity, wholeNumber(s.relativeHumidity),
              saturated ? kPercent + QStringLiteral(" (") + Testo(tx::kSaturated) + QLatin1Char(')') : kPercent);
        value(tx::kHumidityRatio, FormatMask(s.humidityRatio * kGramsPerKilogram, QStringLiteral("#0.00")), kGramsPerKg);
        value(tx::kEnthalpy, oneDecimal(s.enthalpy), kKiloJoulesPerKg);
    }
    QList<DetailsRow> take() { return std::move(rows_); }

private:
    const SelectionDetails& d_;
    QList<DetailsRow> rows_;
};

void capacities(RowWriter& w, const SelectionDetails& d)
{
    const QString unit = powerUnit(d.mode);
    w.heading(Testo(d.mode == ModeCooling ? tx::kCooling : tx::kHeating).trimmed());
    if (d.mode != ModeCooling) {
        w.value(tx::kHeatingCapacity, UnitPt.format(d.totalCapacity), unit);
        return;
    }
    w.value(tx::kTotalCoolingCapacity, UnitPt.format(d.totalCapacity), unit);
    w.value(tx::kSensibleCapacity, UnitPt.format(d.sensibleCapacity), unit);
    w.value(tx::kLatentCapacity, UnitPt.format(d.latentCapacity), unit);
    w.value(tx::kSensibleHeatRatio, FormatMask(d.sensibleHeatRatio, QStringLiteral("0.00")));
    w.value(tx::kCondensate, FormatMask(d.condensateFlow * kSecondsPerHour, QStringLiteral("#0.00")), kKgPerHour);
    if (d.dryCoil)
        w.value(tx::kDryCoil, QString());
}

void waterSide(RowWriter& w, const SelectionDetails& d)
{
    w.heading(Testo(tx::kWaterSide));
    w.value(tx::kWaterInletTemperature, UnitT.format(d.waterIn), UnitT.name());
    w.value(tx::kWaterOutletTemperature, UnitT.format(d.waterOut), UnitT.name());
    w.value(tx::kWaterFlow, UnitQw.format(d.waterFlow), UnitQw.name());
    w.value(tx::kWaterPressureDrop, UnitDpW.format(d.waterPressureDrop), UnitDpW.name());
    w.value(tx::kReynolds, wholeNumber(d.reynolds));
    w.value(tx::kFlowRegime, Testo(d.laminar ? tx::kLaminar : tx::kTurbulent));
}

void airSide(RowWriter& w, const SelectionDetails& d)
{
    w.heading(Testo(tx::kAirSide));
    w.value(tx::kOperatingSpeed, QString::number(d.speed));
    w.value(tx::kAirFlow, UnitQa.format(d.airFlow), UnitQa.name());
    w.value(tx::kFaceVelocity, FormatMask(d.faceVelocity, QStringLiteral("0.00")), kMetresPerSecond);
    const QString pressure = (d.pressureCapped ? QStringLiteral("> ") : QString()) + UnitDpA.format(d.staticPressure);
    w.value(d.ducted ? tx::kUsefulStaticPressure : tx::kPressure, pressure, UnitDpA.name());
    w.value(tx::kSoundPower, wholeNumber(d.soundPower), kDecibelA);
    if (d.soundPressure)
        w.value(tx::kSoundPressure, wholeNumber(*d.soundPressure), kDecibelA);
}

// The fan power at the run's speed and the model's energy indexes, when the model database
// has the model's technical data.
void energyFigures(RowWriter& w, const SelectionDetails& d)
{
    if (!d.fanPower_W && !d.fceer && !d.fccop)
        return;
    w.heading(Testo(etx::kEnergy));
    if (d.fanPower_W)
        w.value(etx::kFanPowerInput, oneDecimal(*d.fanPower_W).trimmed(), QStringLiteral("W"));
    if (d.fceer)
        w.value(etx::kFceerClass, QString::fromStdString(energy::indexText(d.fceer, energy::coolingClass(*d.fceer))));
    if (d.fccop)
        w.value(etx::kFccopClass, QString::fromStdString(energy::indexText(d.fccop, energy::heatingClass(*d.fccop))));
}

} // namespace

QString oneDecimal(double value)
{
    return FormatMask(value, QStringLiteral("##0.0"));
}

QString wholeNumber(double value)
{
    return FormatMask(value, QStringLiteral("######0"));
}

QList<DetailsRow> detailsRows(const SelectionDetails& d)
{
    RowWriter w(d);
    w.heading(QString::fromStdString(d.model));
    if (d.returnAir)
        w.air(tx::kReturnAir, d.returnAir->air, d.returnAir->share, tx::kReturnAirRatio);
    if (d.freshAir)
        w.air(tx::kFreshAir, d.freshAir->air, d.freshAir->share, tx::kFreshAirRatio);
    w.air(d.returnAir ? tx::kMixedAir : tx::kEnteringAir, d.entering);
    w.air(tx::kLeavingAir, d.leaving, std::nullopt, 0, d.leavingSaturated);
    capacities(w, d);
    waterSide(w, d);
    airSide(w, d);
    energyFigures(w, d);
    return w.take();
}

QString detailsText(const QList<DetailsRow>& rows)
{
    QString text;
    for (const DetailsRow& row : rows) {
        text += row.heading ? row.label : row.label + QLatin1Char('\t') + row.value + QLatin1Char('\t') + row.unit;
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace tarvello
