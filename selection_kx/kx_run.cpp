#include "selection_kx/kx_run.h"

#include "engine/arithmetic.h"
#include "engine/coil_model.h"
#include "engine/fan_air_side.h"
#include "engine/water_side.h"
#include "selection_kx/field_checks.h"

#include <cmath>
#include <limits>

namespace tarvello {

namespace {

constexpr double kSecondsPerHour = 3600.0;
// A model whose fan delivers this share or less of its speed-1 free-blow flow is left out.
constexpr double kFreeBlowShare = 6.0;

double fanFlow_m3s(double pressure, int speed, int model, const ModelTable& table)
{
    return FanFlowAtPressure(pressure, speed, model, table).value_or(0.0f) / kSecondsPerHour;
}

struct SpeedCoefficients {
    float air = 0;
    float bypass = 0;
};

SpeedCoefficients coolingCoefficients(const ModelTable& t, int m, int speed)
{
    switch (speed) {
    case 1: return {t.FC30[m], t.C100[m]};
    case 2: return {t.F2C30[m], t.F2C100[m]};
    default: return {t.F3C30[m], t.F3C100[m]};
    }
}

float heatingCoefficient(const ModelTable& t, int m, int speed)
{
    switch (speed) {
    case 1: return t.CC30[m];
    case 2: return t.C2C30[m];
    default: return t.C3C30[m];
    }
}

// The procedures solve for the other water value: the given one is set before each.
void setGivenWater(const KxRunChoices& c, CoilState& s)
{
    if (c.leavingWaterGiven)
        s.WaterOut = c.waterOutGiven;
    else
        s.WaterFlow = c.waterFlowGiven;
}

// Rates model m; returns nothing when the model is left out or has no result.
std::optional<RatingResult> rateModel(const KxRunChoices& c, CoilState& s, const ModelTable& t,
                                      const CoilConstants& k, int m, const PendingEventsHook& onSkip)
{
    const bool cooling = c.mode == ModeCooling;
    if (!passesSeriesFilter(t.Modello[m], c.mode))
        return std::nullopt;
    setCoilGeometry(s, t, m);
    s.AirFlow = ToSingle(fanFlow_m3s(c.staticPressure, c.speed, m, t));
    const double freeBlow = fanFlow_m3s(0, 1, m, t);
    if (s.AirFlow <= freeBlow / kFreeBlowShare)
        return std::nullopt;
    s.TubeCount = CoilTubeCount(s.CoilHeight, s.Rows, k);
    s.ExtraLengthCoeff = t.FCC50[m];
    if (cooling) {
        const SpeedCoefficients coeff = coolingCoefficients(t, m, c.speed);
        s.AirCoeff = coeff.air;
        s.BypassCoeff = coeff.bypass;
        setCoilAirSide(s, k);
        if (!(k.AirExpBase[s.Geom] > 0))
            return std::nullopt; // this geometry has no air-side law for cooling
        setAirFilm(s, k);
        setGivenWater(c, s);
        return c.leavingWaterGiven ? CalcolaFreddo1(m, s, k, onSkip) : CalcolaFreddo2(m, s, k, onSkip);
    }
    if (!passesFourPipeFilter(t.Modello[m], c.fourPipe))
        return std::nullopt;
    s.AirCoeff = heatingCoefficient(t, m, c.speed);
    setCoilAirSide(s, k);
    setAirFilm(s, k);
    setGivenWater(c, s);
    return c.leavingWaterGiven ? CalcolaCaldo1(m, s, k, onSkip) : CalcolaCaldo2(m, s, k, onSkip);
}

} // namespace

RunError::RunError(int number)
    : std::runtime_error("run-time error " + std::to_string(number)), number_(number)
{
}

CapacityWindow capacityWindowFor(const QString& requiredText, float approxPercent, float powerFactor)
{
    if (!(leadingNumber(requiredText) > 0))
        return {};
    const std::optional<float> required = fieldNumber(requiredText);
    if (!required) {
        // A number too large for single precision is an overflow, anything else a mismatch.
        const double leading = leadingNumber(requiredText);
        throw RunError(std::fabs(leading) > double(std::numeric_limits<float>::max()) ? int(kOverflow) : int(kTypeMismatch));
    }
    const double p = *required;
    return {ToSingle(Divide(p * (100.0 - approxPercent) / 100.0, powerFactor)),
            ToSingle(Divide(p * (100.0 + approxPercent) / 100.0, powerFactor))};
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

bool nameEndsWith(const std::string& name, const char* suffix)
{
    const std::string tail(suffix);
    return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

std::optional<RatingResult> rateOrSkip(const std::function<std::optional<RatingResult>()>& rate,
                                       const PendingEventsHook& onSkip)
{
    try {
        return rate();
    } catch (const ArithmeticError& error) {
        if (error.number() != kInvalidProcedureCall)
            throw;
        // No operating point for this model: skipped as one that does not converge.
        if (onSkip)
            onSkip();
        return std::nullopt;
    }
}

bool passesSeriesFilter(const std::string& name, int mode)
{
    return !nameEndsWith(name, mode == ModeCooling ? " 4P" : "+4P");
}

bool passesFourPipeFilter(const std::string& name, bool fourPipe)
{
    return fourPipe == nameEndsWith(name, "4P");
}

bool passesNameFilters(const std::string& name, int mode, bool fourPipe)
{
    return passesSeriesFilter(name, mode) && (mode == ModeCooling || passesFourPipeFilter(name, fourPipe));
}

void rateKxModels(const KxRunChoices& choices, CoilState& state, const ModelTable& table,
                  const CoilConstants& constants, const KxRowSink& onRow, const PendingEventsHook& onSkip)
{
    for (int m = 1; m <= table.NumModels && m <= kMaxModels; ++m) {
        const std::optional<RatingResult> result =
            rateOrSkip([&] { return rateModel(choices, state, table, constants, m, onSkip); }, onSkip);
        if (result && onRow)
            onRow(*result, choices.leavingWaterGiven);
    }
}

} // namespace tarvello
