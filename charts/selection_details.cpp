#include "charts/selection_details.h"

#include "energy/unit_data.h"
#include "engine/product_lines.h"
#include "engine/psychrometrics.h"
#include "selection/result_columns.h"

#include <algorithm>

namespace tarvello {

namespace {

constexpr double kMillimetresPerMetre = 1000.0;

// The air entering the coil as the run set it: cooling from the dry and wet bulbs, heating
// with no humidity (the engine rates heating on dry air).
AirState enteringAirOf(const RunRequest& r)
{
    if (r.cooling())
        return airStateFromWetBulb(r.air.dryBulb, r.air.wetBulb);
    return airStateFromHumidityRatio(r.air.dryBulb, 0.0);
}

AirStream streamOf(const RunRequest& r, double share, double dryBulb, double humidity)
{
    return {share, r.cooling() ? airStateFromHumidity(dryBulb, humidity) : airStateFromHumidityRatio(dryBulb, 0.0)};
}

// Leaving air: a wet coil's from its dry bulb and enthalpy, its humidity ratio no higher than
// the entering one; a dry coil keeps the entering humidity ratio. The engine may leave air
// a little beyond saturation at its dry bulb: it is shown saturated (the water beyond is
// condensate), never as a humidity above 100 %.
AirState leavingAirOf(const RunRequest& r, const RatingResult& rating, const AirState& entering, bool& saturated)
{
    double W = entering.humidityRatio;
    if (r.cooling() && !rating.DryCoil)
        W = std::min(W, airStateFromEnthalpy(rating.AirOut, rating.AirOutEnthalpy).humidityRatio);
    const double atSaturation = saturationHumidityRatio(rating.AirOut);
    saturated = r.cooling() && W > atSaturation;
    return airStateFromHumidityRatio(rating.AirOut, std::min(W, atSaturation));
}

double faceAreaOf(const ModelTable& t, int m)
{
    return double(t.LunBat[m]) / kMillimetresPerMetre * (double(t.AltBAt[m]) / kMillimetresPerMetre);
}

} // namespace

SelectionDetails selectionDetails(const RunRequest& r, const ModelOutcome& model, const ModelTable& table)
{
    SelectionDetails d;
    d.model = model.name;
    d.mode = r.mode;
    d.speed = r.speed;
    d.ducted = table.line >= 0 && productLine(table.line).ducted();
    d.humidityKnown = r.cooling();
    // The streams mix by their flows, shares of the total air flow: without a total flow
    // (the pressure given) the run rates the return air alone, and no mix is shown.
    if (d.ducted && r.streams && r.totalAirFlow > 0 && r.streams->returnShare > 0 && r.streams->freshShare > 0) {
        const AirStreams& s = *r.streams;
        d.returnAir = streamOf(r, s.returnShare, s.returnDryBulb, s.returnHumidity);
        d.freshAir = streamOf(r, s.freshShare, s.freshDryBulb, s.freshHumidity);
    }
    d.entering = enteringAirOf(r);

    const RatingResult& rating = model.rating;
    d.leaving = leavingAirOf(r, rating, d.entering, d.leavingSaturated);
    d.dryCoil = rating.DryCoil;
    d.totalCapacity = rating.Capacity;
    d.sensibleCapacity = r.cooling() ? rating.SensibleCapacity : rating.Capacity;
    d.latentCapacity = r.cooling() ? std::max(0.0, d.totalCapacity - d.sensibleCapacity) : 0.0;
    d.sensibleHeatRatio = d.totalCapacity > 0 ? d.sensibleCapacity / d.totalCapacity : 1.0;
    // The engine's air mass flow: the entering air's density times the volume flow.
    d.airMassFlow = double(MoistAirDensity(r.air.dryBulb, r.cooling() ? r.air.relativeHumidity : 0.0)) * rating.AirFlow;
    d.condensateFlow = d.airMassFlow * (d.entering.humidityRatio - d.leaving.humidityRatio);

    d.waterIn = r.waterIn;
    d.waterOut = rating.WaterOut;
    d.waterFlow = rating.WaterFlow;
    d.waterPressureDrop = rating.WaterPressureDrop;
    d.reynolds = rating.Reynolds;
    d.laminar = isLaminar(rating);

    d.airFlow = rating.AirFlow;
    const double area = faceAreaOf(table, model.model);
    d.faceVelocity = area > 0 ? d.airFlow / area : 0.0;
    d.staticPressure = d.ducted ? model.air.availablePressure : r.staticPressure;
    d.pressureCapped = model.air.pressureCapped;
    d.soundPower = model.soundPower;
    if (!d.ducted)
        d.soundPressure = model.soundPressure;
    if (const energy::UnitData* unit = energy::unitDataTable().find(model.name)) {
        d.fanPower_W = unit->fanPowerAt(d.speed);
        d.fceer = unit->energy.fceer;
        d.fccop = unit->energy.fccop;
    }
    return d;
}

} // namespace tarvello
