#pragma once
// Model tables held in memory for the loader tests: every column a line reads, rows of
// plausible values, and the cells a test damages.

#include "modeldata/model_loaders.h"
#include "platform/access_table_data.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvello::testing {

// A value of a model of moderate size in row `r` of a line's table; the fan curve's
// pressure at zero flow and the coil length grow with the row, so rows differ.
inline double plausibleValue(const std::string& column, int r)
{
    const auto starts = [&](const char* prefix) { return column.rfind(prefix, 0) == 0; };
    const auto ends = [&](char last) { return column.back() == last; };
    if (column == "Geom" || column == "Passo")
        return 2;
    if (column == "Bocche")
        return 4;
    if (column == "LunBat")
        return 400 + r;
    if (column == "AltBAt")
        return 250;
    if (column == "NR" || column == "NC")
        return 3;
    if (column.size() == 3 && column[0] == 'V')
        return ends('A') ? -0.0002 : ends('B') ? 0 : 50 + r;
    if (starts("LWA") || starts("LPA"))
        return 45;
    if (column == "Sezione")
        return 0.1;
    if (column.find("C100") != std::string::npos)
        return 0.1;
    if (column.find("C30") != std::string::npos)
        return 30;
    return 1; // the circuit-length coefficients CC50, FCC50, CCC50
}

// A table with every column a line reads, `rows` rows of plausible values.
inline std::shared_ptr<TableData> lineTable(ProductLine line, int rows)
{
    auto table = std::make_shared<TableData>();
    table->name = line == LineKX ? "DatiKORVE" : line == LineMRZ ? "DatiMRZ" : "DatiHJQ";
    std::vector<std::string> singles{"LunBat", "AltBAt", "NR", "NC"};
    for (int s = 1; s <= speedCountOf(line); ++s)
        for (const char* part : {"V#A", "V#B", "V#C", "LWA#", "LPA#"}) {
            std::string name = part;
            name.replace(name.find('#'), 1, std::to_string(s));
            if (line == LineKX || name.rfind("LPA", 0) != 0)
                singles.push_back(name);
        }
    const std::vector<std::string> kx{"F1C100", "F1C30", "C1C30", "F2C100", "F2C30", "C2C30",
                                      "F3C100", "F3C30", "C3C30", "CC50"};
    const std::vector<std::string> ducted{"C100", "FC30", "CC30", "FCC50", "CCC50", "Sezione"};
    for (const auto& name : line == LineKX ? kx : ducted)
        singles.push_back(name);
    table->columns.push_back({"Modello", FieldType::Text});
    table->columns.push_back({"Geom", FieldType::Integer});
    table->columns.push_back({"Passo", FieldType::Integer});
    if (line != LineKX)
        table->columns.push_back({"Bocche", FieldType::Integer});
    for (const auto& name : singles)
        table->columns.push_back({name, FieldType::Single});
    for (int r = 1; r <= rows; ++r) {
        std::vector<FieldValue> row;
        for (const ColumnInfo& column : table->columns) {
            if (column.type == FieldType::Text)
                row.push_back(FieldValue::text(FieldType::Text, "M" + std::to_string(r)));
            else
                row.push_back(FieldValue::number(column.type, plausibleValue(column.name, r)));
        }
        table->rows.push_back(std::move(row));
    }
    return table;
}

inline std::shared_ptr<TableData> accessoryTable(const char* name, int rows)
{
    auto table = std::make_shared<TableData>();
    table->name = name;
    table->columns = {{"Cost", FieldType::Single}, {"Espo", FieldType::Single}, {"OPZBoc", FieldType::Text}};
    for (int r = 1; r <= rows; ++r)
        table->rows.push_back({FieldValue::number(FieldType::Single, r), FieldValue::number(FieldType::Single, 2),
                               FieldValue::text(FieldType::Text, "N")});
    return table;
}

inline FieldValue& cell(TableData& table, int row, const std::string& column)
{
    for (std::size_t i = 0; i < table.columns.size(); ++i)
        if (table.columns[i].name == column)
            return table.rows[std::size_t(row - 1)][i];
    throw std::logic_error("no column " + column);
}

inline AccessDatabase memoryDb(std::vector<std::shared_ptr<TableData>> tables)
{
    DatabaseImage image;
    image.jetVersion = 4;
    for (auto& t : tables)
        image.tables.push_back(t);
    return AccessDatabase::fromImage(std::move(image), "memory.mdb");
}

inline void load(ProductLine line, ModelTable& t, const AccessDatabase& db)
{
    if (line == LineKX)
        CaricaDatiKORVE(t, db);
    else if (line == LineMRZ)
        CaricaDatiMRZ(t, db);
    else
        CaricaDatiHJQ(t, db);
}

// The message of the ModelDataError a load throws, or "" when it loads.
inline std::string loadError(ProductLine line, const AccessDatabase& db)
{
    ModelTable t;
    try {
        load(line, t, db);
    } catch (const ModelDataError& e) {
        return e.what();
    }
    return {};
}

} // namespace tarvello::testing
