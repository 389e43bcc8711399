#pragma once
// The shipped range as the program loads it: the three lines read from the model
// database in the program folder through the line loaders, and the helpers the data
// tests share to walk every model, speed and duty.

#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "platform/access_database.h"
#include "tools/calibrate/calibration.h"
#include "tools/calibrate/standard_rating.h"

#include <array>
#include <string>

namespace tarvello::datatest {

inline const std::array<ModelTable, 3>& shippedLines()
{
    static const std::array<ModelTable, 3> lines = [] {
        AccessDatabase db;
        db.open(std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName, kModelDbConnect);
        std::array<ModelTable, 3> t;
        t[LineMRZ].SeriesCode = "MRZ";
        t[LineHJQ].SeriesCode = "HJQ";
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

// The standard duties of a model: cooling unless it is a heating coil or a heating-only
// unit; heating at 45/40 °C, or 70/60 °C with the 4-pipe box for the 4-pipe heating coils,
// unless it is a cooling-only main coil.
inline bool hasCooling(const std::string& model)
{
    return !catalogue::isHeatingOnly(model);
}

inline bool hasHeating(const std::string& model)
{
    return !catalogue::endsWith(model, "+4P");
}

inline catalogue::RatingConditions standardHeatingOf(const ModelTable& t, int m, bool hot = false)
{
    const float p = catalogue::cataloguePressure(t.line);
    if (catalogue::isFourPipeHeatingCoil(t.Modello[m]))
        return catalogue::standardHeating(p, 70, 60, true);
    return hot ? catalogue::standardHeating(p, 70, 60, false) : catalogue::standardHeating(p, 45, 40, false);
}

} // namespace tarvello::datatest
