#pragma once
// The standard rating conditions of the range as selection run requests, rated through the
// selection core (selection/selection_run.h) exactly as the selection windows rate them.
// The calibration, the catalogue, the product documents and the data tests all rate the
// shipped range through here. The ducted units are rated with the external static
// pressure given (the air flow follows from the fan curve).

#include "engine/coil_constants.h"
#include "engine/model_table.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvello::catalogue {

// The heating water of a heating duty.
enum class HeatingWater {
    LowTemperature,  // 45 °C in, 40 °C out: two-pipe units and heating-only units
    HighTemperature, // 70 °C in, 60 °C out: the heating coil of a four-pipe unit
};

// The external static pressure at which a line is catalogued, Pa (0 for the fan coils,
// which blow freely).
float cataloguePressure(int line);

// Cooling at 27/19 °C air and 7/12 °C water, at the line's catalogue pressure.
RunRequest standardCooling(int line, int speed);
// Heating at 20 °C air on the given water, at the line's catalogue pressure.
RunRequest standardHeating(int line, int speed, HeatingWater water, bool fourPipeBox);

// The " 4P" heating coil of a four-pipe unit.
bool isFourPipeHeatingCoil(const std::string& model);
// The " 4P" heating coils and the "DF" heating-only units.
bool isHeatingOnly(const std::string& model);
// The "+4P" main coil of a four-pipe unit.
bool isCoolingOnly(const std::string& model);
// The water a model's heating is catalogued on: hot water with the 4-pipe box for the
// heating coils of the four-pipe units, 45/40 °C for the rest.
HeatingWater catalogueHeatingWater(const std::string& model);
// The model's catalogue heating duty.
RunRequest catalogueHeating(int line, int speed, const std::string& model);

// The coil constant set of a line, as loading the line writes it (on a fresh set).
CoilConstants constantsOf(int line);

// A run ended by a classic run-time error other than "no operating point": the tools stop
// and name the model and the error rather than leaving the model out.
class RunFailureError : public std::runtime_error {
public:
    RunFailureError(const std::string& where, int number);
    int number() const { return number_; }

private:
    int number_;
};

// What a request is, for messages: "cooling at speed 2, 50 Pa".
std::string describe(const RunRequest& request);
// "listed", or why a model is not listed.
std::string outcomeName(const std::optional<NotListedReason>& reason);

// The whole line rated as one selection run, with one working record as the program
// rates it. Throws RunFailureError when the run ends early.
RunResult runLine(const RunRequest& request, const ModelTable& table, const CoilConstants& constants);
// Model `model` (1-based) of a complete run.
const ModelOutcome& outcomeOf(const RunResult& run, int model);

// Model `model` (1-based) rated alone, with a working record of its own: the calibration's
// probes, which change one model's coefficients at a time. Throws RunFailureError for an
// arithmetic error other than "no operating point".
ModelOutcome rateAlone(const RunRequest& request, const ModelTable& table, const CoilConstants& constants,
                       int model);

// The catalogue runs of one line: at every speed the cooling run and the two heating runs
// (45/40 °C without the 4-pipe box, 70/60 °C with it), each a whole selection run.
class CatalogueRuns {
public:
    explicit CatalogueRuns(const ModelTable& table);

    int speeds() const { return int(cooling_.size()); }
    const std::string& modelName(int model) const { return names_.at(size_t(model - 1)); }
    const ModelOutcome& cooling(int model, int speed) const;
    // The model's catalogue heating duty (catalogueHeatingWater).
    const ModelOutcome& heating(int model, int speed) const;

private:
    std::vector<RunResult> cooling_;
    std::vector<RunResult> lowHeating_;
    std::vector<RunResult> highHeating_;
    std::vector<HeatingWater> heatingWater_; // per model, from 0
    std::vector<std::string> names_;          // per model, from 0
};

} // namespace tarvello::catalogue
