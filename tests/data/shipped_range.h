#pragma once
// The shipped range as the program loads it: the three lines read from the model
// database in the program folder through the line loaders, and the helpers the data
// tests share to walk every model, speed and duty. Every rating is the selection run's
// (through the calibration tool's standard runs).

#include "engine/model_table.h"
#include "engine/product_lines.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "platform/access_database.h"
#include "tools/calibrate/calibration.h"
#include "tools/calibrate/standard_runs.h"

#include <gtest/gtest.h>

#include <array>
#include <exception>
#include <string>

namespace tarvello::datatest {

inline const std::array<ModelTable, kProductLines.size()>& shippedLines()
{
    static const std::array<ModelTable, kProductLines.size()> lines = [] {
        AccessDatabase db;
        db.open(std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName, kModelDbConnect);
        std::array<ModelTable, kProductLines.size()> t;
        for (const ProductLineInfo& line : kProductLines)
            t[line.id].SeriesCode = line.seriesCode;
        CaricaDatiKORVE(t[LineKX], db);
        CaricaDatiMRZ(t[LineMRZ], db);
        CaricaDatiHJQ(t[LineHJQ], db);
        return t;
    }();
    return lines;
}

inline std::string where(const ModelTable& t, int m, int speed)
{
    return t.Modello[m] + " speed " + std::to_string(speed);
}

// The model named `name` of `t`, or a failure and model 1.
inline int modelNamed(const ModelTable& t, const std::string& name)
{
    for (int m = 1; m <= t.NumModels; ++m)
        if (t.Modello[m] == name)
            return m;
    ADD_FAILURE() << name << " is not in line " << t.line;
    return 1;
}

// Model m's outcome in a whole selection run of `request` over its line, as the program
// rates it (a run ended by an error fails the test with the model and error number).
inline ModelOutcome outcomeIn(const ModelTable& t, int m, const RunRequest& request)
{
    try {
        const RunResult run = catalogue::runLine(request, t, catalogue::constantsOf(t.line));
        return catalogue::outcomeOf(run, m);
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
        return ModelOutcome{};
    }
}

// The standard duties of a model: cooling unless it is a heating coil or a heating-only
// unit; heating at 45/40 °C, or 70/60 °C with the 4-pipe box for the 4-pipe heating coils,
// unless it is a cooling-only main coil.
inline bool hasCooling(const std::string& model)
{
    return !catalogue::isHeatingOnly(model);
}

inline bool hasHeating(const std::string& model)
{
    return !catalogue::isCoolingOnly(model);
}

// The model's catalogue heating duty, or with `hot` the 70/60 °C water for every model
// (the 4-pipe box only for the heating coils).
inline RunRequest standardHeatingOf(const ModelTable& t, int m, int speed, bool hot = false)
{
    if (!hot)
        return catalogue::catalogueHeating(t.line, speed, t.Modello[m]);
    return catalogue::standardHeating(t.line, speed, catalogue::HeatingWater::HighTemperature,
                                      catalogue::isFourPipeHeatingCoil(t.Modello[m]));
}

} // namespace tarvello::datatest
