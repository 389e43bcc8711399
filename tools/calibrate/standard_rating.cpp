#include "tools/calibrate/standard_rating.h"

#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/fan_air_side.h"
#include "engine/psychrometrics.h"
#include "engine/water_side.h"

namespace tarvello::catalogue {

namespace {

constexpr double kSecondsPerHour = 3600.0;
constexpr double kFreeBlowShare = 6.0;         // KX: a sixth of the speed-1 free-blow flow
constexpr double kFreeDeliveryShare = 4.0;     // ducted: a quarter of the speed-1 free delivery
constexpr float kNoCapacityLimit_W = 9999999.0f;

struct Coefficients {
    float air = 0;
    float bypass = 0;
    float extraLength = 0;
};

// KX: one set per speed; the ducted lines: one set for all speeds, and their own
// circuit-length coefficient in heating.
Coefficients coefficientsFor(const ModelTable& t, int m, int speed, bool cooling)
{
    if (t.line != LineKX)
        return cooling ? Coefficients{t.FC30[m], t.C100[m], t.FCC50[m]} : Coefficients{t.CC30[m], 0, t.CCC50[m]};
    switch (speed) {
    case 1: return {cooling ? t.FC30[m] : t.CC30[m], t.C100[m], t.FCC50[m]};
    case 2: return {cooling ? t.F2C30[m] : t.C2C30[m], t.F2C100[m], t.FCC50[m]};
    default: return {cooling ? t.F3C30[m] : t.C3C30[m], t.F3C100[m], t.FCC50[m]};
    }
}

void setConditions(CoilState& s, const RatingConditions& c)
{
    s = CoilState{};
    s.Mode = c.mode;
    s.AirIn = c.airIn;
    if (c.mode == ModeCooling) {
        // As the windows do: the humidity from the wet bulb, the wet bulb again from it.
        s.AirInRh = RelHumidityFromWetBulb(c.airIn, c.airInWetBulb);
        s.AirInWetBulb = WetBulbFromRelHumidity(c.airIn, s.AirInRh);
        s.AirInEnthalpy = EnthalpyFromWetBulb(s.AirInWetBulb, c.airIn);
        s.SatEnthalpyWaterIn = EnthalpyFromWetBulb(c.waterIn, c.waterIn);
    }
    s.AirDensity = MoistAirDensity(s.AirIn, s.AirInRh);
    s.AirCp = AirSpecificHeat(s.AirIn);
    s.WaterIn = c.waterIn;
    s.CapacityMin = 0;
    s.CapacityMax = kNoCapacityLimit_W;
}

void setGeometry(CoilState& s, const ModelTable& t, int m, const CoilConstants& k)
{
    s.Geom = t.Geom[m];
    s.Passo = t.Passo[m];
    s.FinLength = ToSingle(t.LunBat[m] / 1000.0);
    s.CoilHeight = ToSingle(t.AltBAt[m] / 1000.0);
    s.FaceArea = ToSingle(double(s.FinLength) * s.CoilHeight);
    s.Rows = t.NR[m];
    s.Circuits = t.NC[m];
    s.TubeCount = CoilTubeCount(s.CoilHeight, s.Rows, k);
}

struct AirSide {
    Outcome outcome = Outcome::Rated;
    float flow_m3h = 0;
    float reference_m3h = 0;
};

AirSide kxAirSide(const ModelTable& t, int m, int speed, const RatingConditions& c)
{
    AirSide air;
    air.flow_m3h = FanFlowAtPressure(c.pressure_Pa, speed, m, t).value_or(0.0f);
    air.reference_m3h = FanFlowAtPressure(0, 1, m, t).value_or(0.0f);
    if (air.flow_m3h / kSecondsPerHour <= air.reference_m3h / kSecondsPerHour / kFreeBlowShare)
        air.outcome = Outcome::FreeBlow;
    return air;
}

AirSide ductedAirSide(const ModelTable& t, int m, int speed, const RatingConditions& c)
{
    const AccessoryConditions accessory{c.mode == ModeHeating, c.fourPipeBox};
    AirSide air;
    air.flow_m3h = FanFlowAtExternalPressure(c.pressure_Pa, speed, m, 1, accessory, t).value_or(0.0f);
    air.reference_m3h = FanFlowAtExternalPressure(0, 1, m, 0, accessory, t).value_or(0.0f);
    const float quarter = ToSingle(air.reference_m3h / kSecondsPerHour / kFreeDeliveryShare);
    if (quarter >= ToSingle(air.flow_m3h / kSecondsPerHour))
        air.outcome = Outcome::QuarterFreeDelivery;
    return air;
}

Outcome nameOutcome(const ModelTable& t, int m, const RatingConditions& c)
{
    const std::string& name = t.Modello[m];
    const bool cooling = c.mode == ModeCooling;
    if (endsWith(name, cooling ? " 4P" : "+4P"))
        return Outcome::NameFilter;
    if (!cooling && c.fourPipeBox != endsWith(name, "4P"))
        return Outcome::FourPipeFilter;
    return Outcome::Rated;
}

std::optional<RatingResult> runProcedure(int m, CoilState& s, const CoilConstants& k, const RatingConditions& c)
{
    static const PendingEventsHook noHook;
    const bool leavingWaterGiven = c.waterOut > 0;
    if (leavingWaterGiven)
        s.WaterOut = c.waterOut;
    else
        s.WaterFlow = c.waterFlow;
    if (c.mode == ModeCooling)
        return leavingWaterGiven ? CalcolaFreddo1(m, s, k, noHook) : CalcolaFreddo2(m, s, k, noHook);
    return leavingWaterGiven ? CalcolaCaldo1(m, s, k, noHook) : CalcolaCaldo2(m, s, k, noHook);
}

} // namespace

RatingConditions standardCooling(float pressure_Pa)
{
    RatingConditions c;
    c.pressure_Pa = pressure_Pa;
    return c;
}

RatingConditions standardHeating(float pressure_Pa, float waterIn, float waterOut, bool fourPipeBox)
{
    RatingConditions c;
    c.mode = ModeHeating;
    c.airIn = 20;
    c.airInWetBulb = 0;
    c.waterIn = waterIn;
    c.waterOut = waterOut;
    c.pressure_Pa = pressure_Pa;
    c.fourPipeBox = fourPipeBox;
    return c;
}

float cataloguePressure(int line)
{
    return line == LineKX ? 0.0f : 50.0f;
}

std::string outcomeName(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Rated: return "rated";
    case Outcome::NameFilter: return "name filter";
    case Outcome::FourPipeFilter: return "4-pipe filter";
    case Outcome::HeatingOnly: return "heating-only unit";
    case Outcome::FreeBlow: return "free-blow test";
    case Outcome::QuarterFreeDelivery: return "quarter of free delivery";
    case Outcome::NoCoolingLaw: return "no cooling air-side law";
    case Outcome::NotConverged: return "not converged";
    }
    return "?";
}

ModelRating rateModel(const ModelTable& t, const CoilConstants& k, int m, int speed, const RatingConditions& c)
{
    ModelRating rating;
    rating.outcome = nameOutcome(t, m, c);
    if (rating.outcome != Outcome::Rated)
        return rating;
    const bool cooling = c.mode == ModeCooling;
    const bool ducted = t.line != LineKX;
    if (ducted && cooling && endsWith(t.Modello[m], "DF")) {
        rating.outcome = Outcome::HeatingOnly;
        return rating;
    }
    try {
        CoilState s;
        setConditions(s, c);
        setGeometry(s, t, m, k);
        const AirSide air = ducted ? ductedAirSide(t, m, speed, c) : kxAirSide(t, m, speed, c);
        rating.airFlow_m3h = air.flow_m3h;
        rating.freeFlow_m3h = air.reference_m3h;
        if (air.outcome != Outcome::Rated) {
            rating.outcome = air.outcome;
            return rating;
        }
        s.AirFlow = ToSingle(air.flow_m3h / kSecondsPerHour);
        const Coefficients coeff = coefficientsFor(t, m, speed, cooling);
        s.ExtraLengthCoeff = coeff.extraLength;
        s.AirCoeff = coeff.air;
        if (cooling)
            s.BypassCoeff = coeff.bypass;
        s.FaceVelocity = ToSingle(Divide(s.AirFlow, s.FaceArea));
        s.CircuitLength = CircuitTubeLength(s.TubeCount, s, k);
        if (cooling && !(k.AirExpBase[s.Geom] > 0)) {
            rating.outcome = Outcome::NoCoolingLaw;
            return rating;
        }
        s.AirFilm = AirFilmCoefficient(s.Rows, s.FaceVelocity, s.Geom, k.FinPitchTable[s.Passo], s, k);
        rating.airFilm = s.AirFilm;
        rating.faceVelocity = s.FaceVelocity;
        const std::optional<RatingResult> result = runProcedure(m, s, k, c);
        rating.outcome = result ? Outcome::Rated : Outcome::NotConverged;
        if (result)
            rating.result = *result;
    } catch (const ArithmeticError&) {
        rating.outcome = Outcome::NotConverged;
    }
    return rating;
}

CoilConstants constantsOf(int line)
{
    CoilConstants k;
    ImpostaCoefficienti(line, k);
    return k;
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace tarvello::catalogue
