#pragma once
// Read-only access to Access database files (Jet 3 / Access 97 and Jet 4 / Access
// 2000-2003), offering the part of the classic DAO interface the system uses: open a
// file with a connect string (";PWD=..."), run "select * from <table>" and
// "select * from <table> where <column> =<number>", move first / next, the end-of-rows
// test, fields by name with type conversion, close. Texts are UTF-8.
//
// The whole file is read once when it is opened (the databases are small and never
// written), so a recordset is a snapshot that no later failure can spoil. Every failure
// is a DatabaseError carrying the engine's error number and message; a damaged file
// gives such an error, never a crash (the tables are read by libmdb in a child process
// with a time and memory limit, see jet_snapshot.h).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// The engine's error numbers (those of DAO) that this layer raises.
namespace dberr {
constexpr int Overflow = 6;               // "Overflow"
constexpr int TypeMismatch = 13;          // "Type mismatch"
constexpr int InvalidUseOfNull = 94;      // "Invalid use of Null"
constexpr int NoCurrentRecord = 3021;     // "No current record."
constexpr int FileNotFound = 3024;        // "Could not find file '...'."
constexpr int InvalidPassword = 3031;     // "Not a valid password."
constexpr int DiskError = 3043;           // "Disk or network error."
constexpr int NotValidPath = 3044;        // "'...' is not a valid path. ..."
constexpr int CorruptDatabase = 3049;     // "Cannot open database '...'. ... may be corrupt."
constexpr int CannotOpenFile = 3051;      // the file exists but cannot be read
constexpr int TableNotFound = 3078;       // "... cannot find the input table or query '...'."
constexpr int SyntaxError = 3131;         // "Syntax error in FROM clause." and the like
constexpr int ItemNotFound = 3265;        // "Item not found in this collection."
constexpr int UnrecognizedFormat = 3343;  // "Unrecognized database format '...'."
constexpr int TooFewParameters = 3061;    // an unknown column name in a where clause
constexpr int SyntaxErrorInQuery = 3075;  // "Syntax error (missing operator) in query expression"
constexpr int InvalidSqlStatement = 3129; // not a query this layer runs
constexpr int ObjectClosed = 3420;        // "Object invalid or no longer set."
constexpr int CriteriaTypeMismatch = 3464;// "Data type mismatch in criteria expression."
} // namespace dberr

class DatabaseError : public std::runtime_error {
public:
    DatabaseError(int number, const std::string& message);
    int number() const noexcept { return number_; }

private:
    int number_;
};

// Column types as the engine names them.
enum class FieldType { Boolean, Byte, Integer, Long, Currency, Single, Double, DateTime, Text, Memo, Other };

// One value of the current row. Conversions behave like assigning the value to a typed
// variable: Null raises InvalidUseOfNull, a value that does not fit raises Overflow,
// a text that is not a number raises TypeMismatch, and integers are rounded half to
// even. Numbers are held as read from the file, never via formatted text.
class FieldValue {
public:
    FieldValue() = default;
    static FieldValue null(FieldType type);
    static FieldValue number(FieldType type, double value);
    static FieldValue text(FieldType type, std::string value);

    FieldType type() const noexcept { return type_; }
    bool isNull() const noexcept { return null_; }

    std::string toText() const;     // numbers in the C locale, "." as decimal point
    int16_t toInteger() const;      // 16-bit
    int32_t toLong() const;         // 32-bit
    float toSingle() const;
    double toDouble() const;

private:
    FieldType type_ = FieldType::Other;
    bool null_ = true;
    double number_ = 0;
    std::string text_;
};

struct TableData;     // the rows of one table or query result (access_table_data.h)
struct DatabaseImage; // every table of a database (access_table_data.h)

// The rows of a query, positioned on the first row when opened. Cheap to copy (the rows
// are shared); it stays readable after its database is closed.
class Recordset {
public:
    Recordset() = default;

    bool eof() const noexcept;               // past the last row, or no rows at all
    void moveFirst();
    void moveNext();                         // NoCurrentRecord when already at the end
    std::size_t recordCount() const noexcept;

    // The field of the current row by column name (case-insensitive): ItemNotFound for
    // an unknown name, NoCurrentRecord at the end of the rows.
    const FieldValue& field(std::string_view name) const;
    FieldType fieldType(std::string_view name) const;
    std::vector<std::string> fieldNames() const;

    void close() noexcept;
    bool isOpen() const noexcept { return data_ != nullptr; }

private:
    friend class AccessDatabase;
    explicit Recordset(std::shared_ptr<const TableData> data);
    std::size_t columnIndex(std::string_view name) const;

    std::shared_ptr<const TableData> data_;
    std::size_t position_ = 0;
};

class AccessDatabase {
public:
    AccessDatabase();
    ~AccessDatabase();
    AccessDatabase(AccessDatabase&&) noexcept;
    AccessDatabase& operator=(AccessDatabase&&) noexcept;
    AccessDatabase(const AccessDatabase&) = delete;
    AccessDatabase& operator=(const AccessDatabase&) = delete;

    // Opens `path` (UTF-8). `connect` is a connect string such as ";PWD=secret" or "";
    // its password must equal the database password (a file without a password opens
    // with any). Throws DatabaseError; on failure the object stays closed.
    void open(const std::string& path, const std::string& connect = {});
    void close() noexcept;
    bool isOpen() const noexcept;
    const std::string& path() const noexcept;

    // Runs "select * from <table>" or "select * from <table> where <column> = <number>"
    // (keywords and names case-insensitive; a number compares numerically, so
    // "=0000011" finds 11; a quoted 'text' compares with a text column without case;
    // Null matches nothing). Rows come in the order stored in the file.
    Recordset openRecordset(std::string_view sql) const;

    // A database held in memory, named `path`: lets code that reads databases be tested
    // on tables no file holds (more rows than a limit, Null values, ...).
    static AccessDatabase fromImage(DatabaseImage image, const std::string& path);

    std::vector<std::string> tableNames() const;  // user tables, in catalog order
    int jetVersion() const;                        // 3 or 4

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace tarvello
