#pragma once
// Comma-separated values as RFC 4180 writes them: fields separated by commas, records by
// CRLF (a lone LF is accepted when reading), a field holding a comma, a quote or a line
// break enclosed in quotes with its quotes doubled. UTF-8; a leading byte-order mark is
// skipped.

#include <stdexcept>
#include <string>
#include <vector>

namespace tarvello {

class CsvError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CsvRecord {
    int line = 0; // the line of the text where the record starts, from 1
    std::vector<std::string> fields;
};

// The records of `text`; an empty line is a record with one empty field. A quote left
// open at the end, or text after a closing quote, throws CsvError naming the line.
std::vector<CsvRecord> parseCsv(const std::string& text);

// A field as written: quoted when it must be.
std::string csvField(const std::string& value);
// A record: its fields joined by commas, ended by CRLF.
std::string csvRecord(const std::vector<std::string>& fields);

} // namespace tarvello
