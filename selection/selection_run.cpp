#include "selection/selection_run.h"

#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/fan_air_side.h"
#include "engine/product_lines.h"
#include "engine/psychrometrics.h"
#include "engine/water_side.h"
#include "selection/result_columns.h"

namespace tarvello {

namespace {

constexpr double kSecondsPerHour = 3600.0;
// A fan coil whose fan delivers this share or less of its speed-1 free-blow flow is left out.
constexpr double kFreeBlowShare = 6.0;
// A ducted unit whose working flow is at most this share of its free delivery is left out.
constexpr double kFreeDeliveryShare = 4.0;
constexpr int kReferenceSpeed = 1;
constexpr int kWithAccessory = 1;
constexpr int kWithoutAccessory = 0;

// A flow of the fan searches, m³/h, in m³/s; no flow found counts as 0.
float perSecond(std::optional<float> flow_m3h)
{
    return ToSingle(flow_m3h.value_or(0.0f) / kSecondsPerHour);
}

struct SpeedCoefficients {
    float air = 0;
    float bypass = 0;
};

// Fan coils: one set of coefficients per speed.
SpeedCoefficients fanCoilCooling(const ModelTable& t, int m, int speed)
{
    switch (speed) {
    case 1: return {t.FC30[m], t.C100[m]};
    case 2: return {t.F2C30[m], t.F2C100[m]};
    default: return {t.F3C30[m], t.F3C100[m]};
    }
}

float fanCoilHeating(const ModelTable& t, int m, int speed)
{
    switch (speed) {
    case 1: return t.CC30[m];
    case 2: return t.C2C30[m];
    default: return t.C3C30[m];
    }
}

// The fan coil's coefficients; false when its geometry has no air-side law for cooling.
bool setFanCoilCoefficients(const RunRequest& r, CoilState& s, const ModelTable& t, const CoilConstants& k, int m)
{
    s.ExtraLengthCoeff = t.FCC50[m];
    if (r.cooling()) {
        const SpeedCoefficients coeff = fanCoilCooling(t, m, r.speed);
        s.AirCoeff = coeff.air;
        s.BypassCoeff = coeff.bypass;
    } else {
        s.AirCoeff = fanCoilHeating(t, m, r.speed);
    }
    setCoilAirSide(s, k);
    return !r.cooling() || k.AirExpBase[s.Geom] > 0;
}

// The ducted lines have one set of coefficients for all speeds, and their own
// circuit-length coefficient in heating.
void setDuctedCoefficients(const RunRequest& r, CoilState& s, const ModelTable& t, const CoilConstants& k, int m)
{
    if (r.cooling()) {
        s.ExtraLengthCoeff = t.FCC50[m];
        s.BypassCoeff = t.C100[m];
        s.AirCoeff = t.FC30[m];
    } else {
        s.ExtraLengthCoeff = t.CCC50[m];
        s.AirCoeff = t.CC30[m];
    }
    setCoilAirSide(s, k);
}

// The procedures solve for the other water value: the given one is set before each.
std::optional<RatingResult> runProcedure(const RunRequest& r, CoilState& s, const CoilConstants& k, int m,
                                         const PendingEventsHook& onSkip)
{
    if (r.leavingWaterGiven) {
        s.WaterOut = r.waterOut;
        return r.cooling() ? CalcolaFreddo1(m, s, k, onSkip) : CalcolaCaldo1(m, s, k, onSkip);
    }
    s.WaterFlow = r.waterFlow;
    return r.cooling() ? CalcolaFreddo2(m, s, k, onSkip) : CalcolaCaldo2(m, s, k, onSkip);
}

// The fan pressure less the line's accessory drop at q m³/s (the accessories the fan
// searches take).
double lessAccessoryDrop(double pressure, int m, double q_m3s, const AccessoryConditions& accessory,
                         const ModelTable& t)
{
    switch (productLineOfSeries(t.SeriesCode).id) {
    case LineMRZ: return AccessoryDropMrz(pressure, m, q_m3s, t);
    case LineHJQ: return AccessoryDropHjq(pressure, m, q_m3s, accessory, t);
    default: return pressure;
    }
}

ModelAirSide fanCoilAirSide(const RunRequest& r, const ModelTable& t, int m)
{
    ModelAirSide air;
    air.airFlow = ToSingle(FanFlowAtPressure(r.staticPressure, r.speed, m, t).value_or(0.0f) / kSecondsPerHour);
    air.referenceFlow = FanFlowAtPressure(0, kReferenceSpeed, m, t).value_or(0.0f) / kSecondsPerHour;
    return air;
}

ModelAirSide ductedAirSide(const RunRequest& r, const ModelTable& t, int m)
{
    const AccessoryConditions accessory{r.mode == ModeHeating, r.fourPipe};
    ModelAirSide air;
    if (r.airFlowGiven()) {
        air.airFlow = r.totalAirFlow;
        const double fanPressure = FanPressure(double(air.airFlow) * kSecondsPerHour, r.speed, m, t);
        air.availablePressure = ToSingle(lessAccessoryDrop(fanPressure, m, air.airFlow, accessory, t));
    } else {
        air.airFlow = perSecond(FanFlowAtExternalPressure(r.staticPressure, r.speed, m, kWithAccessory, accessory, t));
        air.availablePressure = r.staticPressure;
    }
    air.referenceFlow =
        perSecond(FanFlowAtExternalPressure(0, kReferenceSpeed, m, kWithoutAccessory, accessory, t));
    if (air.availablePressure > kAvailablePressureCap_Pa) {
        air.availablePressure = kAvailablePressureCap_Pa;
        air.pressureCapped = true;
    }
    return air;
}

// Rates model m into `outcome` (which holds its name and sound), filling in what is known
// as the rating proceeds, so that a rating that fails keeps its air side.
void prepareAndRate(const RunRequest& r, const ModelTable& t, const CoilConstants& k, int m, CoilState& s,
                    const PendingEventsHook& onSkip, ModelOutcome& outcome)
{
    const bool ducted = productLine(t.line).ducted();
    // A model that is never rated cannot end the run: the name filters come first.
    if ((outcome.reason = nameFilterReason(outcome.name, r.mode, r.fourPipe, ducted)))
        return;
    outcome.air = airSideOf(r, t, m);
    if ((outcome.reason = airSideReason(r, outcome.air, ducted)))
        return;
    setCoilGeometry(s, t, m);
    s.AirFlow = outcome.air.airFlow;
    s.TubeCount = CoilTubeCount(s.CoilHeight, s.Rows, k);
    if (ducted) {
        setDuctedCoefficients(r, s, t, k, m);
    } else if (!setFanCoilCoefficients(r, s, t, k, m)) {
        outcome.reason = NotListedReason::NoCoolingLaw;
        return;
    }
    setAirFilm(s, k);
    const std::optional<RatingResult> result = runProcedure(r, s, k, m, onSkip);
    if (result) {
        outcome.rating = *result;
        if ((outcome.implausibleColumn = firstImplausibleColumn(outcome)))
            outcome.reason = NotListedReason::ImplausibleResult;
    } else if (s.CapacityOutsideWindow) {
        outcome.reason = NotListedReason::OutsideCapacityBand;
        outcome.capacity = RoundToTensOfWatts(s.Capacity);
    } else {
        outcome.reason = NotListedReason::NoOperatingPoint;
    }
}

} // namespace

RunError::RunError(int number)
    : std::runtime_error("run-time error " + std::to_string(number)), number_(number)
{
}

EnteringAir enteringAirFromHumidity(float dryBulb, float relativeHumidity)
{
    return {dryBulb, relativeHumidity, WetBulbFromRelHumidity(dryBulb, relativeHumidity)};
}

bool nameEndsWith(const std::string& name, const char* suffix)
{
    const std::string tail(suffix);
    return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

bool passesSeriesFilter(const std::string& name, int mode)
{
    return !nameEndsWith(name, mode == ModeCooling ? " 4P" : "+4P");
}

bool passesFourPipeFilter(const std::string& name, bool fourPipe)
{
    return fourPipe == nameEndsWith(name, "4P");
}

std::optional<NotListedReason> nameFilterReason(const std::string& name, int mode, bool fourPipe, bool ducted)
{
    if (!passesSeriesFilter(name, mode))
        return NotListedReason::OtherMode;
    if (mode == ModeCooling) {
        if (ducted && nameEndsWith(name, "DF")) // the DF units are not rated in cooling
            return NotListedReason::HeatingOnly;
        return std::nullopt;
    }
    if (!passesFourPipeFilter(name, fourPipe))
        return NotListedReason::FourPipeChoice;
    return std::nullopt;
}

void setCoilGeometry(CoilState& s, const ModelTable& t, int m)
{
    if (t.Geom[m] < 0 || t.Geom[m] > 3 || t.Passo[m] < 0 || t.Passo[m] > 7)
        throw RunError(kSubscriptOutOfRange);
    s.Geom = t.Geom[m];
    s.Passo = t.Passo[m];
    s.FinLength = ToSingle(t.LunBat[m] / 1000.0);
    s.CoilHeight = ToSingle(t.AltBAt[m] / 1000.0);
    s.FaceArea = ToSingle(double(s.FinLength) * s.CoilHeight);
    s.Circuits = t.NC[m];
    s.Rows = t.NR[m];
}

void setCoilAirSide(CoilState& s, const CoilConstants& k)
{
    s.FaceVelocity = ToSingle(Divide(s.AirFlow, s.FaceArea));
    s.CircuitLength = CircuitTubeLength(s.TubeCount, s, k);
}

void setAirFilm(CoilState& s, const CoilConstants& k)
{
    s.AirFilm = AirFilmCoefficient(s.Rows, s.FaceVelocity, s.Geom, k.FinPitchTable[s.Passo], s, k);
}

ModelAirSide airSideOf(const RunRequest& r, const ModelTable& t, int m)
{
    return productLine(t.line).ducted() ? ductedAirSide(r, t, m) : fanCoilAirSide(r, t, m);
}

std::optional<NotListedReason> airSideReason(const RunRequest&, const ModelAirSide& air, bool ducted)
{
    if (!ducted)
        return double(air.airFlow) <= air.referenceFlow / kFreeBlowShare ? std::optional(NotListedReason::FreeBlow)
                                                                         : std::nullopt;
    if (ToSingle(air.referenceFlow / kFreeDeliveryShare) >= air.airFlow)
        return NotListedReason::QuarterFreeDelivery;
    if (air.availablePressure < 0)
        return NotListedReason::NegativePressure;
    return std::nullopt;
}

void setRunConditions(const RunRequest& r, CoilState& s)
{
    s.Mode = static_cast<int16_t>(r.mode);
    s.AirIn = r.air.dryBulb;
    s.AirFlow = r.totalAirFlow;
    s.WaterIn = r.waterIn;
    s.WaterOut = r.waterOut;
    s.GlycolPercent = r.glycolPercent;
    if (r.cooling()) {
        s.AirInRh = r.air.relativeHumidity;
        s.AirInWetBulb = r.air.wetBulb;
        s.SatEnthalpyWaterIn = EnthalpyFromWetBulb(r.waterIn, r.waterIn);
        s.AirInEnthalpy = EnthalpyFromWetBulb(r.air.wetBulb, r.air.dryBulb);
    } else {
        s.AirInRh = 0;
        s.AirInWetBulb = 0;
    }
    s.AirDensity = MoistAirDensity(s.AirIn, s.AirInRh);
    s.AirCp = AirSpecificHeat(s.AirIn);
    s.CapacityMin = r.band.minimum;
    s.CapacityMax = r.band.maximum;
}

ModelOutcome rateModel(const RunRequest& r, const ModelTable& t, const CoilConstants& k, int m, CoilState& s,
                       const PendingEventsHook& onSkip)
{
    ModelOutcome outcome;
    outcome.model = m;
    outcome.name = t.Modello[m];
    outcome.soundPower = t.LWA[m][r.speed];
    outcome.soundPressure = productLine(t.line).ducted() ? 0.0f : t.LPA[m][r.speed];
    try {
        prepareAndRate(r, t, k, m, s, onSkip, outcome);
    } catch (const ArithmeticError& error) {
        if (error.number() != kInvalidProcedureCall)
            throw;
        // No operating point for this model: skipped as one that does not converge.
        if (onSkip)
            onSkip();
        outcome.reason = NotListedReason::NoOperatingPoint;
    }
    return outcome;
}

RunResult rateModels(const RunRequest& r, const ModelTable& t, const CoilConstants& k, CoilState& s,
                     const PendingEventsHook& onSkip)
{
    setRunConditions(r, s);
    RunResult result;
    if (r.speed < 1 || r.speed > productLine(t.line).speeds) {
        result.failure = RunFailure{kSubscriptOutOfRange, 0};
        return result;
    }
    for (int m = 1; m <= t.NumModels && m <= kMaxModels; ++m) {
        try {
            result.models.push_back(rateModel(r, t, k, m, s, onSkip));
        } catch (const ArithmeticError& error) {
            result.failure = RunFailure{error.number(), m};
            break;
        } catch (const RunError& error) {
            result.failure = RunFailure{error.number(), m};
            break;
        }
    }
    return result;
}

RunResult runSelection(const RunRequest& r, const ModelTable& t, const CoilConstants& k,
                       const PendingEventsHook& onSkip)
{
    CoilState state;
    return rateModels(r, t, k, state, onSkip);
}

std::vector<const ModelOutcome*> RunResult::listed() const
{
    std::vector<const ModelOutcome*> rows;
    for (const ModelOutcome& model : models)
        if (model.listed())
            rows.push_back(&model);
    return rows;
}

int RunResult::listedCount() const
{
    return int(listed().size());
}

} // namespace tarvello
