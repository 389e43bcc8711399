#pragma once
// The in-memory image of a database: every user table with its columns and rows, as
// read once when the file is opened. Shared by the reader (jet_snapshot.cpp) and the
// query layer (access_database.cpp).

#include "platform/access_database.h"

#include <memory>
#include <string>
#include <vector>

namespace tarvello {

struct ColumnInfo {
    std::string name;
    FieldType type = FieldType::Other;
};

struct TableData {
    std::string name;
    std::vector<ColumnInfo> columns;
    std::vector<std::vector<FieldValue>> rows; // each row has one value per column
};

struct DatabaseImage {
    int jetVersion = 0;
    std::vector<std::shared_ptr<const TableData>> tables;  // in catalog order
    // Tables listed in the catalog whose definition or rows could not be read: opening
    // one of them is an error, the others stay usable.
    std::vector<std::string> unreadableTables;
};

} // namespace tarvello
