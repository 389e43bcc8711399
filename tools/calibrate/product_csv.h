#pragma once
// The CSV sources of the model database (data/*.csv, one file per table, header row
// "Name:Type") read into a ModelTable and written back from one. The calibration reads a
// line's table, changes coefficient columns and writes the table again in the same layout;
// the catalogue reads the same files. Our sources hold no quoted fields.

#include "engine/model_table.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvello::catalogue {

class ProductCsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One CSV table as text: the header cells ("Name:Type") and the rows of cells.
struct CsvText {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

CsvText parseCsvText(const std::string& content, const std::string& label);
CsvText readCsvText(const std::filesystem::path& file);
std::string formatCsvText(const CsvText& table);

// The column name without its ":Type".
std::string columnName(const std::string& headerCell);

// The model table and accessory table file names of a line.
std::string modelTableName(int line);
std::string accessoryTableName(int line); // empty for a line without accessories

// Reads a line's model table (and accessory table) from the CSV sources in `dataDir`
// into `table`, as the line's loader would from the database: rows in file order,
// `line` and `SeriesCode` set. Throws ProductCsvError naming file, row and column, or
// for a line that is not a product line.
void readLine(int line, const std::filesystem::path& dataDir, ModelTable& table);

// Writes the model rows of `table` back over the line's model table CSV in `dataDir`,
// keeping its header; each value is written as the shortest text that reads back as the
// same single-precision number.
void writeModelTable(const ModelTable& table, const std::filesystem::path& dataDir);

// The shortest decimal text of a single-precision number.
std::string shortestText(float value);

} // namespace tarvello::catalogue
