#include "platform/access_database.h"

#include "platform/access_table_data.h"
#include "platform/jet_header.h"
#include "platform/jet_snapshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>

namespace tarvello {

DatabaseError::DatabaseError(int number, const std::string& message)
    : std::runtime_error(message), number_(number)
{
}

namespace {

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

bool isNumericType(FieldType type)
{
    return type != FieldType::Text && type != FieldType::Memo && type != FieldType::Other;
}

// A whole number of the text, in the C locale; nothing when it is not one.
std::optional<double> parseNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt; // "inf" and "nan" are no numbers to the engine either
    return value;
}

// Rounds half to even, as assigning to an integer variable does, and checks the range.
template <typename Int> Int roundToInteger(double value)
{
    const double rounded = std::nearbyint(value); // the default rounding mode: half to even
    if (!(rounded >= double(std::numeric_limits<Int>::min()) && rounded <= double(std::numeric_limits<Int>::max())))
        throw DatabaseError(dberr::Overflow, "Overflow");
    return Int(rounded);
}

} // namespace

// ---- FieldValue ----

FieldValue FieldValue::null(FieldType type)
{
    FieldValue v;
    v.type_ = type;
    return v;
}

FieldValue FieldValue::number(FieldType type, double value)
{
    FieldValue v;
    v.type_ = type;
    v.null_ = false;
    v.number_ = value;
    return v;
}

FieldValue FieldValue::text(FieldType type, std::string value)
{
    FieldValue v;
    v.type_ = type;
    v.null_ = false;
    v.text_ = std::move(value);
    return v;
}

std::string FieldValue::toText() const
{
    if (null_)
        throw DatabaseError(dberr::InvalidUseOfNull, "Invalid use of Null");
    if (!isNumericType(type_))
        return text_;
    if (type_ == FieldType::Boolean)
        return number_ != 0 ? "True" : "False";
    char buffer[64];
    // A Single prints as its shortest float form (0.45, not 0.449999988).
    const auto result = type_ == FieldType::Single
                            ? std::to_chars(buffer, buffer + sizeof buffer, float(number_))
                            : std::to_chars(buffer, buffer + sizeof buffer, number_);
    return std::string(buffer, result.ptr);
}

double FieldValue::toDouble() const
{
    if (null_)
        throw DatabaseError(dberr::InvalidUseOfNull, "Invalid use of Null");
    if (isNumericType(type_))
        return number_;
    if (type_ != FieldType::Other)
        if (const auto parsed = parseNumber(text_))
            return *parsed;
    throw DatabaseError(dberr::TypeMismatch, "Type mismatch");
}

float FieldValue::toSingle() const
{
    const double value = toDouble();
    if (std::isfinite(value) && std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw DatabaseError(dberr::Overflow, "Overflow");
    return float(value);
}

int16_t FieldValue::toInteger() const
{
    return roundToInteger<int16_t>(toDouble());
}

int32_t FieldValue::toLong() const
{
    return roundToInteger<int32_t>(toDouble());
}

// ---- Recordset ----

Recordset::Recordset(std::shared_ptr<const TableData> data) : data_(std::move(data)) {}

namespace {
[[noreturn]] void throwClosed()
{
    throw DatabaseError(dberr::ObjectClosed, "Object invalid or no longer set.");
}
} // namespace

bool Recordset::eof() const noexcept
{
    return !data_ || position_ >= data_->rows.size();
}

void Recordset::moveFirst()
{
    if (!data_)
        throwClosed();
    position_ = 0;
}

void Recordset::moveNext()
{
    if (!data_)
        throwClosed();
    if (eof())
        throw DatabaseError(dberr::NoCurrentRecord, "No current record.");
    ++position_;
}

std::size_t Recordset::recordCount() const noexcept
{
    return data_ ? data_->rows.size() : 0;
}

std::size_t Recordset::columnIndex(std::string_view name) const
{
    if (!data_)
        throwClosed();
    for (std::size_t i = 0; i < data_->columns.size(); ++i)
        if (sameName(data_->columns[i].name, name))
            return i;
    throw DatabaseError(dberr::ItemNotFound, "Item not found in this collection. (field '" + std::string(name)
                                                 + "' of '" + data_->name + "')");
}

const FieldValue& Recordset::field(std::string_view name) const
{
    const std::size_t column = columnIndex(name);
    if (eof())
        throw DatabaseError(dberr::NoCurrentRecord, "No current record.");
    return data_->rows[position_][column];
}

FieldType Recordset::fieldType(std::string_view name) const
{
    const std::size_t column = columnIndex(name); // checks that the recordset is open
    return data_->columns[column].type;
}

std::vector<std::string> Recordset::fieldNames() const
{
    if (!data_)
        throwClosed();
    std::vector<std::string> names;
    for (const ColumnInfo& column : data_->columns)
        names.push_back(column.name);
    return names;
}

void Recordset::close() noexcept
{
    data_.reset();
    position_ = 0;
}

// ---- The query: "select * from <table> [where <column> = <literal>]" ----

namespace {

struct Query {
    std::string table;
    std::string whereColumn;                 // empty: every row
    std::optional<double> whereNumber;       // the literal when it is a number
    std::optional<std::string> whereText;    // the literal when it is quoted text
};

class QueryParser {
public:
    explicit QueryParser(std::string_view sql) : sql_(sql) {}

    Query parse()
    {
        Query query;
        if (!keyword("select"))
            fail(dberr::InvalidSqlStatement,
                 "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'.");
        if (!symbol('*'))
            fail(dberr::InvalidSqlStatement, "Only \"select * from\" queries can be run: '" + std::string(sql_) + "'.");
        if (!keyword("from"))
            fail(dberr::SyntaxError, "Syntax error in FROM clause.");
        query.table = name();
        if (query.table.empty())
            fail(dberr::SyntaxError, "Syntax error in FROM clause.");
        if (keyword("where")) {
            const std::size_t start = pos_;
            query.whereColumn = name();
            if (query.whereColumn.empty() || !symbol('='))
                failExpression(start);
            if (!literal(query))
                failExpression(start);
        }
        symbol(';');
        skipSpace();
        if (pos_ != sql_.size())
            fail(dberr::SyntaxError, "Syntax error in FROM clause.");
        return query;
    }

private:
    [[noreturn]] void fail(int number, const std::string& message) { throw DatabaseError(number, message); }
    [[noreturn]] void failExpression(std::size_t start)
    {
        fail(dberr::SyntaxErrorInQuery,
             "Syntax error (missing operator) in query expression '" + std::string(sql_.substr(start)) + "'.");
    }

    void skipSpace()
    {
        while (pos_ < sql_.size() && std::isspace(static_cast<unsigned char>(sql_[pos_])))
            ++pos_;
    }
    static bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || (c & 0x80); }

    bool keyword(std::string_view word)
    {
        skipSpace();
        if (sql_.size() - pos_ < word.size() || !sameName(sql_.substr(pos_, word.size()), word))
            return false;
        if (pos_ + word.size() < sql_.size() && isNameChar(sql_[pos_ + word.size()]))
            return false;
        pos_ += word.size();
        return true;
    }

    bool symbol(char c)
    {
        skipSpace();
        if (pos_ < sql_.size() && sql_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    // A plain name or one in square brackets; empty when there is none.
    std::string name()
    {
        skipSpace();
        if (pos_ < sql_.size() && sql_[pos_] == '[') {
            const std::size_t close = sql_.find(']', pos_);
            if (close == std::string_view::npos)
                return {};
            std::string result(sql_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            return result;
        }
        const std::size_t start = pos_;
        while (pos_ < sql_.size() && isNameChar(sql_[pos_]))
            ++pos_;
        return std::string(sql_.substr(start, pos_ - start));
    }

    bool literal(Query& query)
    {
        skipSpace();
        if (pos_ < sql_.size() && (sql_[pos_] == '\'' || sql_[pos_] == '"')) {
            const char quote = sql_[pos_];
            const std::size_t close = sql_.find(quote, pos_ + 1);
            if (close == std::string_view::npos)
                return false;
            query.whereText = std::string(sql_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            return true;
        }
        const std::size_t start = pos_;
        if (pos_ < sql_.size() && (sql_[pos_] == '-' || sql_[pos_] == '+'))
            ++pos_;
        while (pos_ < sql_.size() && (std::isdigit(static_cast<unsigned char>(sql_[pos_])) || sql_[pos_] == '.'))
            ++pos_;
        query.whereNumber = parseNumber(sql_.substr(start, pos_ - start));
        return query.whereNumber.has_value();
    }

    std::string_view sql_;
    std::size_t pos_ = 0;
};

bool rowMatches(const FieldValue& value, const Query& query)
{
    if (value.isNull())
        return false;
    if (query.whereNumber)
        return value.toDouble() == *query.whereNumber;
    return sameName(value.toText(), *query.whereText); // text compares without case
}

std::string parentFolder(const std::string& path)
{
    return std::filesystem::path(path).parent_path().string();
}

// The whole file, or the engine's error for a file that cannot be read.
std::vector<unsigned char> readWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            const std::string folder = parentFolder(path);
            std::error_code ec;
            if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
                throw DatabaseError(dberr::NotValidPath,
                                    "'" + path
                                        + "' is not a valid path. Make sure that the path name is spelled correctly "
                                          "and that you are connected to the server on which the file resides.");
            throw DatabaseError(dberr::FileNotFound, "Could not find file '" + path + "'.");
        }
        throw DatabaseError(dberr::CannotOpenFile,
                            "The database engine cannot open the file '" + path
                                + "'. It is already opened exclusively by another user, or you need permission "
                                  "to view its data.");
    }
    struct FdCloser {
        int fd;
        ~FdCloser() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        throw DatabaseError(dberr::DiskError, "Disk or network error.");
    if (!S_ISREG(info.st_mode))
        throw DatabaseError(dberr::CannotOpenFile, "The database engine cannot open the file '" + path
                                                       + "'. It is not a file.");
    constexpr off_t kMaxJetFileSize = off_t(2) << 30; // Jet files stop at 2 GB
    if (info.st_size > kMaxJetFileSize)
        throw DatabaseError(dberr::CorruptDatabase, "Cannot open database '" + path
                                                        + "'. It may not be a database that your application "
                                                          "recognizes, or the file may be corrupt.");
    std::vector<unsigned char> bytes(std::size_t(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw DatabaseError(dberr::DiskError, "Disk or network error.");
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    bytes.resize(done);
    return bytes;
}

DatabaseError corruptDatabase(const std::string& path)
{
    return DatabaseError(dberr::CorruptDatabase, "Cannot open database '" + path
                                                     + "'. It may not be a database that your application "
                                                       "recognizes, or the file may be corrupt.");
}

// The page structure the reader relies on: whole pages, and the catalog's table
// definition on page 2.
bool plausibleStructure(std::span<const unsigned char> file, const jet::JetHeader& header)
{
    constexpr std::size_t kCatalogPage = 2;
    constexpr unsigned char kTableDefinitionPage = 0x02;
    if (file.size() % header.pageSize != 0 || file.size() / header.pageSize <= kCatalogPage)
        return false;
    return static_cast<unsigned char>(jet::decodedPage(file, header, kCatalogPage)[0]) == kTableDefinitionPage;
}

} // namespace

// ---- AccessDatabase ----

struct AccessDatabase::Impl {
    std::string path;
    DatabaseImage image;
};

AccessDatabase::AccessDatabase() = default;
AccessDatabase::~AccessDatabase() = default;
AccessDatabase::AccessDatabase(AccessDatabase&&) noexcept = default;
AccessDatabase& AccessDatabase::operator=(AccessDatabase&&) noexcept = default;

void AccessDatabase::open(const std::string& path, const std::string& connect)
{
    close();
    const std::vector<unsigned char> file = readWholeFile(path);
    const auto header = jet::readJetHeader(file);
    if (!header)
        throw DatabaseError(dberr::UnrecognizedFormat, "Unrecognized database format '" + path + "'.");
    // The engine refuses a wrong password before it reads anything else; a database
    // without a password opens with any.
    // A password field no database could have been given is a damaged header (or no
    // database of ours): saying the password is wrong would point the wrong way.
    if (!header->password.empty() && jet::connectPassword(connect).value_or("") != header->password)
        throw header->passwordFieldIntact ? DatabaseError(dberr::InvalidPassword, "Not a valid password.")
                                          : corruptDatabase(path);
    if (!plausibleStructure(file, *header))
        throw corruptDatabase(path);
    auto impl = std::make_unique<Impl>();
    impl->path = path;
    impl->image = jet::readDatabaseImage(file, path);
    impl_ = std::move(impl);
}

AccessDatabase AccessDatabase::fromImage(DatabaseImage image, const std::string& path)
{
    AccessDatabase db;
    db.impl_ = std::make_unique<Impl>();
    db.impl_->path = path;
    db.impl_->image = std::move(image);
    return db;
}

void AccessDatabase::close() noexcept
{
    impl_.reset();
}

bool AccessDatabase::isOpen() const noexcept
{
    return impl_ != nullptr;
}

const std::string& AccessDatabase::path() const noexcept
{
    static const std::string none;
    return impl_ ? impl_->path : none;
}

Recordset AccessDatabase::openRecordset(std::string_view sql) const
{
    if (!impl_)
        throwClosed();
    const Query query = QueryParser(sql).parse();
    std::shared_ptr<const TableData> table;
    for (const auto& candidate : impl_->image.tables)
        if (sameName(candidate->name, query.table))
            table = candidate;
    if (!table) {
        for (const std::string& name : impl_->image.unreadableTables)
            if (sameName(name, query.table))
                throw DatabaseError(dberr::CorruptDatabase, "Cannot read table '" + name + "' of database '"
                                                                + impl_->path + "'. The file may be corrupt.");
        // Named with the file: a truncated database opens and lacks its later tables.
        throw DatabaseError(dberr::TableNotFound, "The database engine cannot find the input table or query '"
                                                      + query.table + "' in '" + impl_->path
                                                      + "'. Make sure it exists and that its name is spelled "
                                                        "correctly, or the file may be damaged.");
    }
    if (query.whereColumn.empty())
        return Recordset(table);

    std::optional<std::size_t> column;
    for (std::size_t i = 0; i < table->columns.size(); ++i)
        if (sameName(table->columns[i].name, query.whereColumn))
            column = i;
    if (!column)
        throw DatabaseError(dberr::TooFewParameters, "Too few parameters. Expected 1. (unknown column '"
                                                         + query.whereColumn + "' of '" + table->name + "')");
    if (isNumericType(table->columns[*column].type) != query.whereNumber.has_value()
        || table->columns[*column].type == FieldType::Other)
        throw DatabaseError(dberr::CriteriaTypeMismatch, "Data type mismatch in criteria expression.");
    auto result = std::make_shared<TableData>();
    result->name = table->name;
    result->columns = table->columns;
    for (const auto& row : table->rows)
        if (rowMatches(row[*column], query))
            result->rows.push_back(row);
    return Recordset(std::move(result));
}

std::vector<std::string> AccessDatabase::tableNames() const
{
    if (!impl_)
        throwClosed();
    std::vector<std::string> names;
    for (const auto& table : impl_->image.tables)
        names.push_back(table->name);
    for (const std::string& name : impl_->image.unreadableTables)
        names.push_back(name);
    return names;
}

int AccessDatabase::jetVersion() const
{
    if (!impl_)
        throwClosed();
    return impl_->image.jetVersion;
}

} // namespace tarvello
