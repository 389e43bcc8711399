#pragma once
// Reading one database table from its CSV source.
//
// Format (UTF-8, comma-separated, RFC 4180 quoting with "" for a quote inside quotes):
//   - the first row names the columns and their types: Name:Type, where Type is one of
//     Text, Text(n) (n characters, 1..255; plain Text means Text(50)), Integer (16-bit),
//     Long (32-bit), Single, Double;
//   - every further row holds one value per column; numbers use a decimal point;
//   - an empty unquoted field is Null; "" (two quotes) is an empty text;
//   - blank lines are ignored (so a one-column table cannot hold a row whose only value is Null).
// The table takes the file's base name ("data/DatiKORVE.csv" -> DatiKORVE).

#include "tools/jetwriter/jet4_writer.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace jetwriter {

// A fault in a CSV source. what() names the file, the line and, where it applies, the
// column: "DatiKORVE.csv:7: column 3 (Passo): "2x" is not an Integer".
class CsvError : public std::runtime_error {
public:
    CsvError(const std::string& file, int line, const std::string& column, const std::string& what);
    const std::string& file() const { return file_; }
    int line() const { return line_; }
    const std::string& column() const { return column_; }  // "3 (Passo)", or empty

private:
    std::string file_;
    int line_;
    std::string column_;
};

// Parses CSV text; `fileLabel` names the source in error messages. Throws CsvError.
Table parseCsvTable(std::string_view content, const std::string& fileLabel,
                    const std::string& tableName);

// Reads and parses a CSV file. Throws CsvError (also when the file cannot be read).
Table readCsvTable(const std::filesystem::path& file);

}  // namespace jetwriter
