#include "project/csv.h"

namespace tarvello {

namespace {

constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";

// Reads one record from `pos` (which ends at the start of the next one).
class CsvScanner {
public:
    explicit CsvScanner(const std::string& text) : text_(text)
    {
        if (text_.rfind(kByteOrderMark, 0) == 0)
            pos_ = 3;
    }

    bool atEnd() const { return pos_ >= text_.size(); }

    CsvRecord next()
    {
        CsvRecord record;
        record.line = line_;
        for (;;) {
            record.fields.push_back(field());
            if (atEnd())
                return record;
            const char c = text_[pos_++];
            if (c == ',')
                continue;
            endOfRecord(c);
            return record;
        }
    }

private:
    void endOfRecord(char c)
    {
        if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n')
            ++pos_;
        ++line_;
    }

    std::string field()
    {
        if (pos_ < text_.size() && text_[pos_] == '"')
            return quotedField();
        const size_t end = text_.find_first_of(",\r\n", pos_);
        const size_t stop = end == std::string::npos ? text_.size() : end;
        std::string value = text_.substr(pos_, stop - pos_);
        if (value.find('"') != std::string::npos)
            throw CsvError("line " + std::to_string(line_) + ": a quote inside a field that does not start with one");
        pos_ = stop;
        return value;
    }

    std::string quotedField()
    {
        const int startLine = line_;
        std::string value;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size())
                throw CsvError("line " + std::to_string(startLine) + ": a quoted field is not closed");
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    value += '"';
                    ++pos_;
                    continue;
                }
                if (pos_ < text_.size() && text_.find_first_of(",\r\n", pos_) != pos_)
                    throw CsvError("line " + std::to_string(line_) + ": text after a closing quote");
                return value;
            }
            if (c == '\n')
                ++line_;
            value += c;
        }
    }

    const std::string& text_;
    size_t pos_ = 0;
    int line_ = 1;
};

} // namespace

std::vector<CsvRecord> parseCsv(const std::string& text)
{
    std::vector<CsvRecord> records;
    CsvScanner scanner(text);
    while (!scanner.atEnd())
        records.push_back(scanner.next());
    return records;
}

std::string csvField(const std::string& value)
{
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (const char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string csvRecord(const std::vector<std::string>& fields)
{
    std::string record;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        record += csvField(fields[i]);
    }
    return record + "\r\n";
}

} // namespace tarvello
