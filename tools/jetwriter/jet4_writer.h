#pragma once
// A small writer of Access 2000 (Jet 4) database files: user tables of Text, Integer,
// Long, Single and Double columns, the catalog rows that readers need to find them,
// and the database password in the header. It writes no indexes and not the full
// Access system catalog, so Access itself may refuse the file; libmdb (mdbtools) and
// other plain readers read it.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace jetwriter {

enum class ColumnType { Text, Integer, Long, Single, Double };

// Longest text column, in characters (Access limit for a Text field).
inline constexpr int kMaxTextLength = 255;
// Longest table or column name, in characters (Access limit for object names).
inline constexpr int kMaxNameLength = 64;
// Longest database password, in characters (the header field holds 20 UCS-2 units).
inline constexpr int kMaxPasswordLength = 20;

struct Column {
    std::string name;   // UTF-8
    ColumnType type = ColumnType::Text;
    int textLength = 50;  // characters; used for Text columns only
};

struct Null {
    bool operator==(const Null&) const = default;
};

// One cell. The alternative must match the column type: Text -> std::u16string,
// Integer -> int16_t, Long -> int32_t, Single -> float, Double -> double; Null fits all.
using Value = std::variant<Null, std::u16string, int16_t, int32_t, float, double>;
using Row = std::vector<Value>;

struct Table {
    std::string name;  // UTF-8
    std::vector<Column> columns;
    std::vector<Row> rows;
};

struct Database {
    std::vector<Table> tables;
    std::u16string password;  // empty: no password
    // Creation date in OLE days (days since 1899-12-30). It also keys the password mask,
    // so a fixed default keeps the output identical from build to build.
    double creationDate = 46000.5;
};

// A database that cannot be written as asked (bad names, a value of the wrong kind,
// a table or row too large for the simple page layout). The message says what and where.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole file image, a multiple of 4096 bytes. Throws WriteError.
std::vector<uint8_t> buildJet4Image(const Database& db);

// Writes `bytes` to a temporary file beside `target`, then renames it over `target`, so a
// failure never leaves a half-written file. Throws WriteError on an I/O failure.
void writeFileAtomically(const std::filesystem::path& target, const std::vector<uint8_t>& bytes);

// Text encoding as Jet 4 stores it: "FF FE" and one byte per character when every
// character lies in U+0001..U+00FF and that is shorter, plain UCS-2LE otherwise.
std::vector<uint8_t> encodeJetText(const std::u16string& text);

// UTF-8 to UTF-16; empty when the bytes are not well-formed UTF-8.
std::optional<std::u16string> utf8ToUtf16(std::string_view utf8);

// The RC4 stream cipher (symmetric: the same call encrypts and decrypts).
void rc4Apply(const std::vector<uint8_t>& key, uint8_t* data, size_t length);

}  // namespace jetwriter
