#pragma once
// The loaders of the three product lines: each copies its line's model table (and, for
// the ducted lines, the accessory table) from the model database into a ModelTable,
// after re-dimensioning the line's arrays and setting the line's coil constants with
// ImpostaCoefficienti. Every pick of a line reloads; nothing is cached.
//
// Failures throw std::runtime_error (DatabaseError for the database engine's errors:
// missing table or column; ModelDataError for rows the model table cannot hold: more
// rows than the line's limit, no rows, a Null or non-finite number, a 16-bit value out
// of range, a value outside the physical range of its column (sound from 0 to 120
// dB(A), positive lengths and coefficients, geometry and fin pitch codes that index the
// coil tables, a fan curve that falls to zero pressure at a finite flow, ...; the table
// of bounds stands beside the column lists in model_loaders.cpp). The message names the
// table, the row and the column. The caller shows it and ends the program; the table
// is then left partly filled and must not be used.

#include "engine/model_table.h"
#include "platform/access_database.h"

#include <functional>
#include <stdexcept>
#include <string>

namespace tarvello {

class ModelDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Called after every row read, so that a window program can let pending window events
// run (modeldata itself has no windows). May be empty.
using PendingEventsHook = std::function<void()>;

// The hook used by the argument-less loaders (the program sets it once at start).
void setPendingEventsHook(PendingEventsHook hook);

// Explicit forms: load from `db` into `table`. `table.line` becomes the loaded line and, for
// a ducted line, `table.SeriesCode` its series code (the fan coils leave it as it was). The coil constants go to the
// process-wide set (ImpostaCoefficienti(line)).
void CaricaDatiKORVE(ModelTable& table, const AccessDatabase& db, const PendingEventsHook& onRow = {});
void CaricaDatiMRZ(ModelTable& table, const AccessDatabase& db, const PendingEventsHook& onRow = {});
void CaricaDatiHJQ(ModelTable& table, const AccessDatabase& db, const PendingEventsHook& onRow = {});

// The program's forms: from ModelDb() into modelTable(), with the hook set above.
void CaricaDatiKORVE();
void CaricaDatiMRZ();
void CaricaDatiHJQ();

// Loads line 0, 1 or 2 with the matching loader above (the chooser's dispatch).
void CaricaLinea(int line);

} // namespace tarvello
