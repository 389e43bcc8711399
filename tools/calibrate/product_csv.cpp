#include "tools/calibrate/product_csv.h"

#include "engine/product_lines.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace tarvello::catalogue {

namespace {

std::vector<std::string> splitCells(const std::string& line)
{
    std::vector<std::string> cells;
    std::string cell;
    std::istringstream in(line);
    while (std::getline(in, cell, ','))
        cells.push_back(cell);
    if (!line.empty() && line.back() == ',')
        cells.emplace_back();
    return cells;
}

float parseNumber(const std::string& text, const std::string& where)
{
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        throw ProductCsvError(where + ": \"" + text + "\" is not a number");
    return value;
}

int16_t parseInteger(const std::string& text, const std::string& where)
{
    const float value = parseNumber(text, where);
    if (value != std::nearbyint(value) || std::fabs(value) > 32767)
        throw ProductCsvError(where + ": \"" + text + "\" is not a 16-bit integer");
    return static_cast<int16_t>(value);
}

// The float field of the model table that a numeric column fills, or nullptr for the
// 16-bit columns and the text column. Speed columns carry the speed as their digit; the
// fan coils' table has its coil coefficients per speed, the ducted units' one set.
template <typename Table>
auto floatField(Table& t, const std::string& column, int m) -> decltype(&t.LunBat[0])
{
    const bool kx = !productLine(t.line).ducted();
    if (column == "LunBat") return &t.LunBat[m];
    if (column == "AltBAt") return &t.AltBAt[m];
    if (column == "NR") return &t.NR[m];
    if (column == "NC") return &t.NC[m];
    if (column == "Sezione") return &t.Sezione[m];
    if (column == (kx ? "F1C100" : "C100")) return &t.C100[m];
    if (column == (kx ? "F1C30" : "FC30")) return &t.FC30[m];
    if (column == (kx ? "C1C30" : "CC30")) return &t.CC30[m];
    if (column == (kx ? "CC50" : "FCC50")) return &t.FCC50[m];
    if (!kx && column == "CCC50") return &t.CCC50[m];
    if (kx) {
        if (column == "F2C100") return &t.F2C100[m];
        if (column == "F2C30") return &t.F2C30[m];
        if (column == "C2C30") return &t.C2C30[m];
        if (column == "F3C100") return &t.F3C100[m];
        if (column == "F3C30") return &t.F3C30[m];
        if (column == "C3C30") return &t.C3C30[m];
    }
    if (column.size() == 3 && column[0] == 'V' && column[1] >= '1' && column[1] <= '7') {
        const int s = column[1] - '0';
        if (column[2] == 'A') return &t.VelA[m][s];
        if (column[2] == 'B') return &t.VelB[m][s];
        if (column[2] == 'C') return &t.VelC[m][s];
    }
    if (column.size() == 4 && (column.starts_with("LWA") || column.starts_with("LPA")) && column[3] >= '1'
        && column[3] <= '7') {
        const int s = column[3] - '0';
        return column.starts_with("LWA") ? &t.LWA[m][s] : &t.LPA[m][s];
    }
    return nullptr;
}

template <typename Table>
auto integerField(Table& t, const std::string& column, int m) -> decltype(&t.Geom[0])
{
    if (column == "Geom") return &t.Geom[m];
    if (column == "Passo") return &t.Passo[m];
    if (column == "Bocche") return &t.Bocche[m];
    return nullptr;
}

void readModels(ModelTable& t, const std::filesystem::path& file)
{
    const CsvText csv = readCsvText(file);
    if (csv.rows.size() > static_cast<size_t>(maxModelsOf(t.line)))
        throw ProductCsvError(file.string() + ": more rows than the line's " + std::to_string(maxModelsOf(t.line)));
    int m = 0;
    for (const auto& row : csv.rows) {
        ++m;
        for (size_t c = 0; c < csv.header.size(); ++c) {
            const std::string column = columnName(csv.header[c]);
            const std::string where = file.filename().string() + " row " + std::to_string(m) + " column " + column;
            if (column == "Modello")
                t.Modello[m] = row[c];
            else if (int16_t* i = integerField(t, column, m))
                *i = parseInteger(row[c], where);
            else if (float* f = floatField(t, column, m))
                *f = parseNumber(row[c], where);
            else
                throw ProductCsvError(where + ": a column the model table has no field for");
        }
    }
    t.NumModels = static_cast<int16_t>(m);
}

void readAccessories(ModelTable& t, const std::filesystem::path& file)
{
    const CsvText csv = readCsvText(file);
    int a = 0;
    for (const auto& row : csv.rows) {
        if (++a > kMaxAccessories)
            throw ProductCsvError(file.string() + ": more than 10 accessories");
        for (size_t c = 0; c < csv.header.size(); ++c) {
            const std::string column = columnName(csv.header[c]);
            const std::string where = file.filename().string() + " row " + std::to_string(a) + " column " + column;
            if (column == "Cost")
                t.Cost[a] = parseNumber(row[c], where);
            else if (column == "Espo")
                t.Espo[a] = parseNumber(row[c], where);
            else if (column == "OPZBoc")
                t.OPZBoc[a] = row[c];
        }
    }
    t.NumAccessories = static_cast<int16_t>(a);
}

} // namespace

CsvText parseCsvText(const std::string& content, const std::string& label)
{
    CsvText table;
    std::istringstream lines(content);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::vector<std::string> cells = splitCells(line);
        if (table.header.empty()) {
            table.header = std::move(cells);
            continue;
        }
        if (cells.size() != table.header.size())
            throw ProductCsvError(label + ":" + std::to_string(number) + ": " + std::to_string(cells.size())
                                  + " values for " + std::to_string(table.header.size()) + " columns");
        table.rows.push_back(std::move(cells));
    }
    if (table.header.empty())
        throw ProductCsvError(label + ": no header row");
    return table;
}

CsvText readCsvText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ProductCsvError(file.string() + ": cannot be read");
    std::ostringstream content;
    content << in.rdbuf();
    return parseCsvText(content.str(), file.filename().string());
}

std::string formatCsvText(const CsvText& table)
{
    std::string out;
    auto appendRow = [&out](const std::vector<std::string>& cells) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (i > 0)
                out += ',';
            out += cells[i];
        }
        out += '\n';
    };
    appendRow(table.header);
    for (const auto& row : table.rows)
        appendRow(row);
    return out;
}

std::string columnName(const std::string& headerCell)
{
    return headerCell.substr(0, headerCell.find(':'));
}

std::string modelTableName(int line)
{
    return productLine(line).modelTable;
}

std::string accessoryTableName(int line)
{
    const char* table = productLine(line).accessoryTable;
    return table ? table : "";
}

void readLine(int line, const std::filesystem::path& dataDir, ModelTable& table)
{
    if (!isProductLine(line))
        throw ProductCsvError("there is no product line " + std::to_string(line));
    table = ModelTable{};
    table.line = line;
    table.SeriesCode = productLine(line).seriesCode;
    readModels(table, dataDir / (modelTableName(line) + ".csv"));
    if (productLine(line).accessoryTable)
        readAccessories(table, dataDir / (accessoryTableName(line) + ".csv"));
}

void writeModelTable(const ModelTable& table, const std::filesystem::path& dataDir)
{
    const std::filesystem::path file = dataDir / (modelTableName(table.line) + ".csv");
    CsvText csv = readCsvText(file);
    csv.rows.clear();
    for (int m = 1; m <= table.NumModels; ++m) {
        std::vector<std::string> row;
        for (const std::string& cell : csv.header) {
            const std::string column = columnName(cell);
            if (column == "Modello")
                row.push_back(table.Modello[m]);
            else if (const int16_t* i = integerField(table, column, m))
                row.push_back(std::to_string(*i));
            else if (const float* f = floatField(table, column, m))
                row.push_back(shortestText(*f));
            else
                throw ProductCsvError(file.string() + ": column " + column + " has no field");
        }
        csv.rows.push_back(std::move(row));
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << formatCsvText(csv);
    if (!out)
        throw ProductCsvError(file.string() + ": cannot be written");
}

std::string shortestText(float value)
{
    char buffer[32];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

} // namespace tarvello::catalogue
