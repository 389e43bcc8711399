#include "tools/calibrate/standard_runs.h"

#include "engine/arithmetic.h"
#include "engine/product_lines.h"
#include "engine/psychrometrics.h"
#include "selection/selection_run.h"

#include <cstdio>

namespace tarvello::catalogue {

namespace {

constexpr float kDuctedCataloguePressure_Pa = 50.0f;
constexpr float kCoolingAir = 27, kCoolingWetBulb = 19;
constexpr float kCoolingWaterIn = 7, kCoolingWaterOut = 12;
constexpr float kHeatingAir = 20;

RunRequest atCataloguePressure(int line, int speed)
{
    RunRequest request;
    request.line = line;
    request.speed = speed;
    request.staticPressure = cataloguePressure(line);
    return request;
}

std::string numberText(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string whereInLine(const ModelTable& table, int model)
{
    std::string where = "line " + std::to_string(table.line) + " (" + productLine(table.line).modelTable + ")";
    if (model >= 1 && model <= table.NumModels && model <= kMaxModels)
        where += ", model " + table.Modello[model];
    return where;
}

} // namespace

float cataloguePressure(int line)
{
    return productLine(line).ducted() ? kDuctedCataloguePressure_Pa : 0.0f;
}

RunRequest standardCooling(int line, int speed)
{
    RunRequest request = atCataloguePressure(line, speed);
    request.mode = ModeCooling;
    // As the windows do: the humidity from the wet bulb, the wet bulb again from it.
    request.air = enteringAirFromHumidity(kCoolingAir, RelHumidityFromWetBulb(kCoolingAir, kCoolingWetBulb));
    request.waterIn = kCoolingWaterIn;
    request.waterOut = kCoolingWaterOut;
    return request;
}

RunRequest standardHeating(int line, int speed, HeatingWater water, bool fourPipeBox)
{
    RunRequest request = atCataloguePressure(line, speed);
    request.mode = ModeHeating;
    request.air = EnteringAir{kHeatingAir, 0, 0};
    const bool hot = water == HeatingWater::HighTemperature;
    request.waterIn = hot ? 70.0f : 45.0f;
    request.waterOut = hot ? 60.0f : 40.0f;
    request.fourPipe = fourPipeBox;
    return request;
}

bool isFourPipeHeatingCoil(const std::string& model)
{
    return nameEndsWith(model, " 4P");
}

bool isHeatingOnly(const std::string& model)
{
    return isFourPipeHeatingCoil(model) || nameEndsWith(model, "DF");
}

bool isCoolingOnly(const std::string& model)
{
    return nameEndsWith(model, "+4P");
}

HeatingWater catalogueHeatingWater(const std::string& model)
{
    return isFourPipeHeatingCoil(model) ? HeatingWater::HighTemperature : HeatingWater::LowTemperature;
}

RunRequest catalogueHeating(int line, int speed, const std::string& model)
{
    const bool coil = isFourPipeHeatingCoil(model);
    return standardHeating(line, speed, catalogueHeatingWater(model), coil);
}

CoilConstants constantsOf(int line)
{
    CoilConstants constants;
    ImpostaCoefficienti(line, constants);
    return constants;
}

RunFailureError::RunFailureError(const std::string& where, int number)
    : std::runtime_error(where + ": run-time error " + std::to_string(number)), number_(number)
{
}

std::string describe(const RunRequest& request)
{
    std::string text = request.cooling() ? "cooling" : "heating";
    text += " at speed " + std::to_string(request.speed) + ", water " + numberText(request.waterIn);
    text += request.leavingWaterGiven ? "/" + numberText(request.waterOut) + " °C"
                                      : " °C in at " + numberText(request.waterFlow) + " m³/s";
    text += ", " + numberText(request.staticPressure) + " Pa";
    if (request.fourPipe)
        text += ", 4-pipe box";
    return text;
}

std::string outcomeName(const std::optional<NotListedReason>& reason)
{
    if (!reason)
        return "listed";
    switch (*reason) {
    case NotListedReason::OtherMode: return "rated only in the other mode";
    case NotListedReason::HeatingOnly: return "heating-only unit";
    case NotListedReason::FourPipeChoice: return "4-pipe choice";
    case NotListedReason::FreeBlow: return "free-blow test";
    case NotListedReason::QuarterFreeDelivery: return "quarter of free delivery";
    case NotListedReason::NegativePressure: return "negative available pressure";
    case NotListedReason::NoCoolingLaw: return "no cooling air-side law";
    case NotListedReason::OutsideCapacityBand: return "outside the capacity band";
    case NotListedReason::NoOperatingPoint: return "no operating point";
    case NotListedReason::ImplausibleResult: return "implausible result";
    }
    return "?";
}

RunResult runLine(const RunRequest& request, const ModelTable& table, const CoilConstants& constants)
{
    RunResult run = runSelection(request, table, constants);
    if (run.failure)
        throw RunFailureError(whereInLine(table, run.failure->model) + ", " + describe(request), run.failure->number);
    return run;
}

const ModelOutcome& outcomeOf(const RunResult& run, int model)
{
    if (model < 1 || model > int(run.models.size()) || run.models[size_t(model - 1)].model != model)
        throw std::out_of_range("model " + std::to_string(model) + " is not in the run");
    return run.models[size_t(model - 1)];
}

ModelOutcome rateAlone(const RunRequest& request, const ModelTable& table, const CoilConstants& constants, int model)
{
    CoilState state;
    setRunConditions(request, state);
    try {
        return rateModel(request, table, constants, model, state);
    } catch (const ArithmeticError& error) {
        throw RunFailureError(whereInLine(table, model) + ", " + describe(request), error.number());
    } catch (const RunError& error) {
        throw RunFailureError(whereInLine(table, model) + ", " + describe(request), error.number());
    }
}

CatalogueRuns::CatalogueRuns(const ModelTable& table)
{
    const CoilConstants constants = constantsOf(table.line);
    for (int speed = 1; speed <= speedCountOf(table.line); ++speed) {
        cooling_.push_back(runLine(standardCooling(table.line, speed), table, constants));
        lowHeating_.push_back(
            runLine(standardHeating(table.line, speed, HeatingWater::LowTemperature, false), table, constants));
        highHeating_.push_back(
            runLine(standardHeating(table.line, speed, HeatingWater::HighTemperature, true), table, constants));
    }
    for (int m = 1; m <= table.NumModels; ++m) {
        heatingWater_.push_back(catalogueHeatingWater(table.Modello[m]));
        names_.push_back(table.Modello[m]);
    }
}

const ModelOutcome& CatalogueRuns::cooling(int model, int speed) const
{
    return outcomeOf(cooling_.at(size_t(speed - 1)), model);
}

const ModelOutcome& CatalogueRuns::heating(int model, int speed) const
{
    const bool hot = heatingWater_.at(size_t(model - 1)) == HeatingWater::HighTemperature;
    return outcomeOf((hot ? highHeating_ : lowHeating_).at(size_t(speed - 1)), model);
}

} // namespace tarvello::catalogue
