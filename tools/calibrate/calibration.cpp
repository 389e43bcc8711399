#include "tools/calibrate/calibration.h"

#include "engine/coil_model.h"
#include "engine/coil_state.h"
#include "engine/product_lines.h"
#include "engine/water_side.h"
#include "tools/calibrate/product_csv.h"
#include "tools/calibrate/standard_runs.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace tarvello::catalogue {

namespace {

// Plausible air film at 2 m/s, W/(m²·K), kept a little inside the 40-80 band.
constexpr double kFilmLow = 41, kFilmHigh = 79, kFilmReferenceVelocity = 2.0;
constexpr float kBypassLow = 0.05f, kBypassHigh = 0.2f;
constexpr float kExtraLengthLow = 1.0f, kExtraLengthHigh = 3.0f, kExtraLengthStart = 2.0f;
constexpr float kUnusedBypass = 0.1f;
constexpr int kSolverSteps = 40;
// A circuit has at least two tubes: one pass out and one back.
constexpr int kMinTubesPerCircuit = 2;
// The circuit count is solved as the equivalent number of parallel circuits, kept to two
// decimals as the table shows it; a few rounds settle the capacities and the water flow.
constexpr int kCircuitRounds = 3;
constexpr float kCircuitStep = 0.01f;
// The selection shows capacities in tens of watts: a value this close to a step (x5 W)
// would show 10 W more or less after a change in the last bit of the arithmetic.
constexpr double kDisplayStep_W = 10;
constexpr double kClearanceFromStep_W = 1.5;
// The relative changes of a fan curve tried to move a speed's capacities off a display
// step: up to 2 % steeper, well inside the tolerance of the targets.
constexpr int kFanNudgeSteps = 80;
constexpr double kFanNudge = 0.00025;
constexpr int kClearingPasses = 3;

// How far a capacity lies from the nearest value where the shown tens of watts change.
double distanceFromDisplayStep(double watts)
{
    const double withinStep = std::fmod(std::fabs(watts), kDisplayStep_W);
    return std::fabs(withinStep - kDisplayStep_W / 2);
}

// The target moved, if need be, to the nearest value clear of a display step.
double clearTarget(double watts)
{
    if (distanceFromDisplayStep(watts) >= kClearanceFromStep_W + 0.5)
        return watts;
    const double step = std::floor(watts / kDisplayStep_W) * kDisplayStep_W + kDisplayStep_W / 2;
    const double margin = kClearanceFromStep_W + 0.5;
    return watts < step ? step - margin : step + margin;
}

// The fan coils have a set of coil coefficients per speed, the ducted units one set for all.
int coefficientSets(int line)
{
    return productLine(line).ducted() ? 1 : productLine(line).speeds;
}

bool firstSet(const ModelTable& t, int speed)
{
    return coefficientSets(t.line) == 1 || speed == 1;
}

float& coolingCoefficient(ModelTable& t, int m, int speed)
{
    if (firstSet(t, speed)) return t.FC30[m];
    return speed == 2 ? t.F2C30[m] : t.F3C30[m];
}

float& heatingCoefficient(ModelTable& t, int m, int speed)
{
    if (firstSet(t, speed)) return t.CC30[m];
    return speed == 2 ? t.C2C30[m] : t.C3C30[m];
}

float& bypassCoefficient(ModelTable& t, int m, int speed)
{
    if (firstSet(t, speed)) return t.C100[m];
    return speed == 2 ? t.F2C100[m] : t.F3C100[m];
}

int modelIndex(const ModelTable& t, const std::string& name)
{
    for (int m = 1; m <= t.NumModels; ++m)
        if (t.Modello[m] == name)
            return m;
    return 0;
}

RunRequest coolingFor(const ModelTable& t, int speed)
{
    return standardCooling(t.line, speed);
}

RunRequest heatingFor(const ModelTable& t, int m, int speed)
{
    return catalogueHeating(t.line, speed, t.Modello[m]);
}

// The duty whose water flow the pressure drop target is set at.
RunRequest dutyFor(const ModelTable& t, int m, int speed)
{
    return isHeatingOnly(t.Modello[m]) ? heatingFor(t, m, speed) : coolingFor(t, speed);
}

// The model's rating, or nothing when the run does not list it. An arithmetic error
// other than "no operating point" stops the calibration (RunFailureError).
std::optional<RatingResult> rate(const ModelTable& t, const CoilConstants& k, int m, const RunRequest& request)
{
    const ModelOutcome outcome = rateAlone(request, t, k, m);
    if (!outcome.listed())
        return std::nullopt;
    return outcome.rating;
}

// Bisection in the logarithm of a parameter between lo and hi until value(parameter)
// meets `target`; `rising` tells whether the value grows with the parameter. A point
// without a value counts as lying on the side of a parameter too small (rising) or too
// large. Returns the parameter, at a bound when the target lies beyond it.
float solve(const std::function<std::optional<float>(float)>& value, float lo, float hi, float target, bool rising)
{
    for (int step = 0; step < kSolverSteps; ++step) {
        const float mid = std::sqrt(lo * hi);
        const std::optional<float> v = value(mid);
        const bool tooSmall = !v || ((*v < target) == rising);
        (tooSmall ? lo : hi) = mid;
    }
    return std::sqrt(lo * hi);
}

// The air coefficient that gives an air film of `film` W/(m²·K) at 2 m/s for model m.
float coefficientForFilm(const ModelTable& t, const CoilConstants& k, int m, double film)
{
    CoilState s;
    s.AirCoeff = 1;
    const float perUnit = AirFilmCoefficient(t.NR[m], kFilmReferenceVelocity, t.Geom[m],
                                             k.FinPitchTable.at(t.Passo[m]), s, k);
    return perUnit > 0 ? static_cast<float>(film / perUnit) : 0.0f;
}

class ModelCalibration {
public:
    ModelCalibration(ModelTable& t, const CoilConstants& k, int m, std::vector<Target> rows)
        : t_(t), k_(k), m_(m), rows_(std::move(rows)), heatingOnly_(isHeatingOnly(t.Modello[m]))
    {
        lo_ = coefficientForFilm(t, k, m, kFilmLow);
        hi_ = coefficientForFilm(t, k, m, kFilmHigh);
    }

    void run()
    {
        if (const Target* top = dropTarget())
            solveCircuits(*top);
        solveAll();
        clearOfDisplaySteps();
    }

private:
    void solveAll()
    {
        t_.FCC50[m_] = t_.CCC50[m_] = kExtraLengthStart;
        for (const Target& row : rows_)
            solveCapacities(row);
        if (const Target* top = dropTarget())
            solveExtraLength(*top);
        fillUnusedCoefficients();
    }

    const Target* dropTarget() const
    {
        for (const Target& row : rows_)
            if (row.waterDrop_kPa > 0)
                return &row;
        return nullptr;
    }

    // The ducted units have a circuit-length coefficient for heating of their own.
    float& extraLength()
    {
        return (!productLine(t_.line).ducted() || !heatingOnly_) ? t_.FCC50[m_] : t_.CCC50[m_];
    }

    void solveCoefficient(float& coefficient, const RunRequest& request, float target)
    {
        coefficient = solve(
            [&](float value) -> std::optional<float> {
                coefficient = value;
                const auto r = rate(t_, k_, m_, request);
                return r ? std::optional<float>(static_cast<float>(r->ExactCapacity)) : std::nullopt;
            },
            lo_, hi_, static_cast<float>(clearTarget(target)), true);
    }

    void solveCapacities(const Target& row)
    {
        if (row.cooling_W > 0 && !heatingOnly_) {
            const RunRequest cooling = coolingFor(t_, row.speed);
            solveCoefficient(coolingCoefficient(t_, m_, row.speed), cooling, row.cooling_W);
            if (row.sensibleShare > 0) {
                // The sensible capacity is solved to the share of the total, moved clear of a
                // display step.
                const auto total = rate(t_, k_, m_, cooling);
                const double exactTotal = total ? total->ExactCapacity : row.cooling_W;
                const float sensible = static_cast<float>(clearTarget(exactTotal * row.sensibleShare));
                float& bypass = bypassCoefficient(t_, m_, row.speed);
                bypass = solve(
                    [&](float value) -> std::optional<float> {
                        bypass = value;
                        const auto r = rate(t_, k_, m_, cooling);
                        return r ? std::optional<float>(static_cast<float>(r->ExactSensibleCapacity)) : std::nullopt;
                    },
                    kBypassLow, kBypassHigh, sensible, false);
            }
        }
        if (row.heating_W > 0)
            solveCoefficient(heatingCoefficient(t_, m_, row.speed), heatingFor(t_, m_, row.speed), row.heating_W);
    }

    std::optional<float> dropAt(int speed)
    {
        const auto r = rate(t_, k_, m_, dutyFor(t_, m_, speed));
        return r ? std::optional<float>(r->WaterPressureDrop) : std::nullopt;
    }

    // The equivalent number of parallel circuits that gives the drop target with the middle
    // of the circuit-length coefficient's range: the drop then follows the target's smooth
    // band instead of jumping with a whole circuit count, and the circuit-length
    // coefficient closes the last part of the gap.
    void solveCircuits(const Target& top)
    {
        const int tubes = CoilTubeCount(t_.AltBAt[m_] / 1000.0, t_.NR[m_], k_);
        const float most = std::max(1.0f, static_cast<float>(tubes) / kMinTubesPerCircuit);
        float& circuits = t_.NC[m_];
        for (int round = 0; round < kCircuitRounds; ++round) {
            solveAll();
            extraLength() = kExtraLengthStart;
            if (productLine(t_.line).ducted())
                t_.FCC50[m_] = t_.CCC50[m_] = kExtraLengthStart;
            circuits = solve(
                [&](float value) -> std::optional<float> {
                    circuits = value;
                    return dropAt(top.speed);
                },
                1.0f, most, top.waterDrop_kPa, false);
        }
        circuits = std::clamp(std::round(circuits / kCircuitStep) * kCircuitStep, 1.0f, most);
    }

    // The model's capacities at `speed` and the catalogue conditions, before rounding:
    // total and sensible cooling, heating, as far as the model is rated in each.
    std::vector<double> exactCapacitiesAt(int speed)
    {
        std::vector<double> out;
        if (!heatingOnly_)
            if (const auto r = rate(t_, k_, m_, coolingFor(t_, speed))) {
                out.push_back(r->ExactCapacity);
                out.push_back(r->ExactSensibleCapacity);
            }
        if (!isCoolingOnly(t_.Modello[m_]))
            if (const auto r = rate(t_, k_, m_, heatingFor(t_, m_, speed)))
                out.push_back(r->ExactCapacity);
        return out;
    }

    bool clearOfStepsAt(int speed)
    {
        for (double watts : exactCapacitiesAt(speed))
            if (distanceFromDisplayStep(watts) < kClearanceFromStep_W)
                return false;
        return true;
    }

    // The coefficients meet the targets; what is left is where each capacity falls within
    // its tens of watts. One lever acts on one speed alone: the fan curve of the speed,
    // made a fraction of a percent steeper, moves that speed's air flow and so
    // its capacities by a few watts (the ducted units' one coefficient set governs all
    // their speeds). The speed's curve closest to its design that leaves every capacity
    // of the speed clear of a display step is kept; speed 1 first, as the fan coils'
    // slower speeds are referred to it.
    void clearOfDisplaySteps()
    {
        const int speeds = productLine(t_.line).speeds;
        for (int pass = 0; pass < kClearingPasses; ++pass) {
            bool allClear = true;
            for (int speed = 1; speed <= speeds; ++speed)
                allClear = nudgeFanUntilClear(speed) && allClear;
            if (allClear)
                return;
        }
    }

    bool nudgeFanUntilClear(int speed)
    {
        float& curve = t_.VelA[m_][speed];
        const float start = curve;
        // Only steeper: the design's air flow stays the most the unit is said to move.
        for (int step = 0; step <= kFanNudgeSteps; ++step) {
            curve = static_cast<float>(start * (1 + step * kFanNudge));
            if (clearOfStepsAt(speed))
                return true;
        }
        curve = start;
        return false;
    }

    void solveExtraLength(const Target& top)
    {
        float& extra = extraLength();
        extra = solve(
            [&](float value) -> std::optional<float> {
                extra = value;
                return dropAt(top.speed);
            },
            kExtraLengthLow, kExtraLengthHigh, top.waterDrop_kPa, true);
        if (productLine(t_.line).ducted())
            t_.FCC50[m_] = t_.CCC50[m_] = extra;
    }

    // Columns the selection never reads for this model still hold plausible values: a
    // cooling-only main coil gets its cooling coefficients for heating, a heating-only
    // coil its heating coefficients for cooling.
    void fillUnusedCoefficients()
    {
        const bool coolingOnly = isCoolingOnly(t_.Modello[m_]);
        for (int speed = 1; speed <= coefficientSets(t_.line); ++speed) {
            if (coolingOnly)
                heatingCoefficient(t_, m_, speed) = coolingCoefficient(t_, m_, speed);
            if (heatingOnly_) {
                coolingCoefficient(t_, m_, speed) = heatingCoefficient(t_, m_, speed);
                bypassCoefficient(t_, m_, speed) = kUnusedBypass;
            }
        }
    }

    ModelTable& t_;
    const CoilConstants& k_;
    int m_;
    std::vector<Target> rows_;
    bool heatingOnly_;
    float lo_ = 0, hi_ = 0;
};

float optionalNumber(const std::string& text, const std::string& where)
{
    if (text.empty())
        return 0;
    try {
        size_t used = 0;
        const float value = std::stof(text, &used);
        if (used != text.size() || !std::isfinite(value))
            throw std::invalid_argument(text);
        return value;
    } catch (const std::exception&) {
        throw ProductCsvError(where + ": \"" + text + "\" is not a number");
    }
}

} // namespace

std::vector<Target> readTargets(const std::filesystem::path& file)
{
    const CsvText csv = readCsvText(file);
    const std::vector<std::string> expected = {"Modello", "Speed", "Cooling_W", "SensibleShare", "Heating_W",
                                               "WaterDrop_kPa"};
    std::vector<std::string> names;
    for (const std::string& cell : csv.header)
        names.push_back(columnName(cell));
    if (names != expected)
        throw ProductCsvError(file.string() + ": expected the columns Modello, Speed, Cooling_W, SensibleShare, "
                                              "Heating_W, WaterDrop_kPa");
    std::vector<Target> targets;
    int line = 1;
    for (const auto& row : csv.rows) {
        const std::string where = file.filename().string() + " row " + std::to_string(++line);
        Target t;
        t.model = row[0];
        t.speed = static_cast<int>(optionalNumber(row[1], where));
        t.cooling_W = optionalNumber(row[2], where);
        t.sensibleShare = optionalNumber(row[3], where);
        t.heating_W = optionalNumber(row[4], where);
        t.waterDrop_kPa = optionalNumber(row[5], where);
        if (t.speed < 1 || t.speed > kMaxSpeeds)
            throw ProductCsvError(where + ": speed " + row[1] + " out of 1 to 7");
        targets.push_back(t);
    }
    return targets;
}

std::vector<Achieved> compareWithTargets(const ModelTable& t, const CoilConstants& k, const std::vector<Target>& targets)
{
    std::vector<Achieved> out;
    for (const Target& target : targets) {
        const int m = modelIndex(t, target.model);
        if (m == 0)
            continue;
        Achieved a;
        a.target = target;
        if (target.cooling_W > 0 || target.sensibleShare > 0) {
            const auto r = rate(t, k, m, coolingFor(t, target.speed));
            a.converged = a.converged && r.has_value();
            if (r) {
                a.cooling_W = r->Capacity;
                a.sensibleShare = r->SensibleCapacity / r->Capacity;
            }
        }
        if (target.heating_W > 0) {
            const auto r = rate(t, k, m, heatingFor(t, m, target.speed));
            a.converged = a.converged && r.has_value();
            if (r)
                a.heating_W = r->Capacity;
        }
        if (target.waterDrop_kPa > 0) {
            const auto r = rate(t, k, m, dutyFor(t, m, target.speed));
            a.converged = a.converged && r.has_value();
            if (r)
                a.waterDrop_kPa = r->WaterPressureDrop;
        }
        out.push_back(a);
    }
    return out;
}

void calibrateLine(ModelTable& t, const CoilConstants& k, const std::vector<Target>& targets)
{
    for (int m = 1; m <= t.NumModels; ++m) {
        std::vector<Target> rows;
        for (const Target& target : targets)
            if (target.model == t.Modello[m])
                rows.push_back(target);
        if (!rows.empty())
            ModelCalibration(t, k, m, std::move(rows)).run();
    }
}

} // namespace tarvello::catalogue
