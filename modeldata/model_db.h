#pragma once
// The process-wide connection to the model database "tarvello.mdb" in the program
// folder (`ModelDb`): opened once at start, closed at shutdown, never written.

#include "platform/access_database.h"

#include <string>

namespace tarvello {

// The file name and connect string of the model database.
inline constexpr const char* kModelDbFileName = "tarvello.mdb";
inline constexpr const char* kModelDbConnect = ";PWD=kelbrun";

// The connection (closed until openModelDb succeeds).
AccessDatabase& ModelDb();

// Opens appDir + "tarvello.mdb" with the model database password. `appDir` ends with a
// path separator (one is added if it does not). On failure throws DatabaseError whose
// message names the file and the reason, e.g.
// "Cannot open the model database '/opt/tarvello/tarvello.mdb': Not a valid password."
// The technical data table, when the file has one, fills energy::unitDataTable()
// (unit_data_loader.h; a damaged row throws ModelDataError).
void openModelDb(const std::string& appDir);

// Closes the connection; harmless when it is not open.
void closeModelDb() noexcept;

} // namespace tarvello
