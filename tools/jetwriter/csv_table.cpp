#include "tools/jetwriter/csv_table.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <sstream>
#include <vector>

namespace jetwriter {
namespace {

constexpr int kDefaultTextLength = 50;

struct Field {
    std::string text;
    bool quoted = false;
};

struct Record {
    int line = 0;  // line on which the record starts
    std::vector<Field> fields;
};

class CsvLexer {
public:
    CsvLexer(std::string_view content, const std::string& fileLabel)
        : text_(content), file_(fileLabel) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);  // UTF-8 byte-order mark
    }

    std::vector<Record> records() {
        std::vector<Record> out;
        while (pos_ < text_.size()) {
            Record record = nextRecord();
            const bool blank = record.fields.size() == 1 && !record.fields[0].quoted &&
                               record.fields[0].text.empty();
            if (!blank) out.push_back(std::move(record));
        }
        return out;
    }

private:
    bool atLineEnd() const {
        return pos_ >= text_.size() || text_[pos_] == '\n' ||
               (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n');
    }

    void skipLineEnd() {
        if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '\n') {
            ++pos_;
            ++line_;
        }
    }

    Record nextRecord() {
        Record record;
        record.line = line_;
        for (;;) {
            record.fields.push_back(nextField(record.fields.size() + 1));
            if (pos_ < text_.size() && text_[pos_] == ',') {
                ++pos_;
                continue;
            }
            skipLineEnd();
            return record;
        }
    }

    Field nextField(size_t columnNumber) {
        Field field;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            field.quoted = true;
            const int startLine = line_;
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size())
                    throw CsvError(file_, startLine, std::to_string(columnNumber),
                                   "quoted value is not closed");
                const char c = text_[pos_++];
                if (c == '"') {
                    if (pos_ < text_.size() && text_[pos_] == '"') {
                        field.text.push_back('"');
                        ++pos_;
                        continue;
                    }
                    break;
                }
                if (c == '\n') ++line_;
                field.text.push_back(c);
            }
            if (!atLineEnd() && text_[pos_] != ',')
                throw CsvError(file_, line_, std::to_string(columnNumber),
                               "unexpected text after a closing quote");
            return field;
        }
        while (!atLineEnd() && text_[pos_] != ',') {
            if (text_[pos_] == '"')
                throw CsvError(file_, line_, std::to_string(columnNumber),
                               "quote inside an unquoted value (quote the whole value)");
            field.text.push_back(text_[pos_++]);
        }
        return field;
    }

    std::string_view text_;
    const std::string& file_;
    size_t pos_ = 0;
    int line_ = 1;
};

std::string_view trimSpaces(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::optional<ColumnType> typeFromName(std::string_view name, int& textLength) {
    if (name == "Integer") return ColumnType::Integer;
    if (name == "Long") return ColumnType::Long;
    if (name == "Single") return ColumnType::Single;
    if (name == "Double") return ColumnType::Double;
    if (name == "Text") {
        textLength = kDefaultTextLength;
        return ColumnType::Text;
    }
    if (name.starts_with("Text(") && name.ends_with(")")) {
        const std::string_view digits = name.substr(5, name.size() - 6);
        int n = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
        if (ec != std::errc() || end != digits.data() + digits.size() || n < 1 || n > kMaxTextLength)
            return std::nullopt;
        textLength = n;
        return ColumnType::Text;
    }
    return std::nullopt;
}

// libmdb looks columns up ignoring case, so names differing only in case would clash.
bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

Column parseHeaderCell(const Field& field, const std::string& file, int line, size_t columnNumber) {
    const std::string where = std::to_string(columnNumber);
    const std::string_view cell = trimSpaces(field.text);
    const size_t colon = cell.rfind(':');
    if (colon == std::string_view::npos)
        throw CsvError(file, line, where,
                       "header \"" + std::string(cell) + "\" must be Name:Type, e.g. Geom:Integer");
    Column column;
    column.name = std::string(trimSpaces(cell.substr(0, colon)));
    const std::string_view typeName = trimSpaces(cell.substr(colon + 1));
    if (column.name.empty()) throw CsvError(file, line, where, "column name is empty");
    const std::optional<ColumnType> type = typeFromName(typeName, column.textLength);
    if (!type)
        throw CsvError(file, line, where + " (" + column.name + ")",
                       "unknown type \"" + std::string(typeName) +
                           "\" (expected Text, Text(n) with n 1..255, Integer, Long, Single or Double)");
    column.type = *type;
    return column;
}

// Converts the text of one cell into the value its column holds. The error messages name
// the file, line and column through `fail`.
class CellParser {
public:
    CellParser(const std::string& file, int line, const std::string& column)
        : file_(file), line_(line), column_(column) {}

    Value parse(const Field& field, const Column& column) const {
        if (!field.quoted && field.text.empty()) return Null{};
        switch (column.type) {
        case ColumnType::Text: return parseText(field.text, column.textLength);
        case ColumnType::Integer: return parseInteger<int16_t>(trimSpaces(field.text), "an Integer");
        case ColumnType::Long: return parseInteger<int32_t>(trimSpaces(field.text), "a Long");
        case ColumnType::Single: return parseReal<float>(trimSpaces(field.text), "a Single");
        case ColumnType::Double: return parseReal<double>(trimSpaces(field.text), "a Double");
        }
        throw fail("unknown column type");
    }

private:
    CsvError fail(const std::string& what) const { return CsvError(file_, line_, column_, what); }

    Value parseText(const std::string& text, int maxLength) const {
        std::optional<std::u16string> utf16 = utf8ToUtf16(text);
        if (!utf16) throw fail("text is not valid UTF-8");
        if (utf16->size() > static_cast<size_t>(maxLength))
            throw fail("text \"" + text + "\" is longer than " + std::to_string(maxLength) +
                       " characters");
        return *utf16;
    }

    template <typename Int>
    Value parseInteger(std::string_view s, const std::string& kind) const {
        long long v = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        const bool whole = end == s.data() + s.size();
        if (s.empty() || (ec != std::errc() && ec != std::errc::result_out_of_range) || !whole)
            throw fail("\"" + std::string(s) + "\" is not " + kind + " (a whole number)");
        if (ec == std::errc::result_out_of_range || v < std::numeric_limits<Int>::min() ||
            v > std::numeric_limits<Int>::max())
            throw fail("value " + std::string(s) + " is out of range for " + kind + " (" +
                       std::to_string(std::numeric_limits<Int>::min()) + " to " +
                       std::to_string(std::numeric_limits<Int>::max()) + ")");
        return static_cast<Int>(v);
    }

    template <typename Real>
    Value parseReal(std::string_view s, const std::string& kind) const {
        Real v = 0;
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        const bool whole = end == s.data() + s.size();
        if (s.empty() || (ec != std::errc() && ec != std::errc::result_out_of_range) || !whole ||
            (ec == std::errc() && !std::isfinite(v)))
            throw fail("\"" + std::string(s) + "\" is not " + kind + " (a number with a decimal point)");
        if (ec == std::errc::result_out_of_range)
            throw fail("value " + std::string(s) + " is out of range for " + kind);
        return v;
    }

    const std::string& file_;
    int line_;
    std::string column_;
};

}  // namespace

CsvError::CsvError(const std::string& file, int line, const std::string& column, const std::string& what)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " +
                         (column.empty() ? std::string() : "column " + column + ": ") + what),
      file_(file), line_(line), column_(column) {}

Table parseCsvTable(std::string_view content, const std::string& fileLabel, const std::string& tableName) {
    std::vector<Record> records = CsvLexer(content, fileLabel).records();
    if (records.empty()) throw CsvError(fileLabel, 1, "", "no header row naming the columns");

    Table table;
    table.name = tableName;
    const Record& header = records.front();
    for (size_t c = 0; c < header.fields.size(); ++c) {
        Column column = parseHeaderCell(header.fields[c], fileLabel, header.line, c + 1);
        for (const Column& earlier : table.columns)
            if (sameNameIgnoringCase(earlier.name, column.name))
                throw CsvError(fileLabel, header.line, std::to_string(c + 1) + " (" + column.name + ")",
                               "column name used twice");
        table.columns.push_back(std::move(column));
    }

    for (size_t r = 1; r < records.size(); ++r) {
        const Record& record = records[r];
        if (record.fields.size() != table.columns.size())
            throw CsvError(fileLabel, record.line, "",
                           "row has " + std::to_string(record.fields.size()) + " values, the header names " +
                               std::to_string(table.columns.size()) + " columns");
        Row row;
        row.reserve(table.columns.size());
        for (size_t c = 0; c < table.columns.size(); ++c) {
            const CellParser parser(fileLabel, record.line,
                                    std::to_string(c + 1) + " (" + table.columns[c].name + ")");
            row.push_back(parser.parse(record.fields[c], table.columns[c]));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

Table readCsvTable(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw CsvError(file.string(), 0, "", "cannot open the file");
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) throw CsvError(file.string(), 0, "", "cannot read the file");
    return parseCsvTable(content.str(), file.string(), file.stem().string());
}

}  // namespace jetwriter
