#pragma once
// Common ground of the ducted window tests: the environment of both selection windows'
// tests and the shipped ducted lines.

#include "engine/coil_constants.h"
#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "platform/access_database.h"
#include "shell/app_state.h"
#include "tests/selection_kx/selection_test_support.h"

namespace tarvello::testing {

// Loads the shipped line 1 ("MRZ") or 2 ("HJQ") into `table`, as the chooser does.
inline void loadShippedLine(int line, ModelTable& table)
{
    AccessDatabase db;
    db.open(std::string(TARVELLO_APP_DIR) + "/" + kModelDbFileName, kModelDbConnect);
    table.SeriesCode = line == LineHJQ ? "HJQ" : "MRZ";
    if (line == LineHJQ)
        CaricaDatiHJQ(table, db);
    else
        CaricaDatiMRZ(table, db);
}

} // namespace tarvello::testing
