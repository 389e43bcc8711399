#include "tools/jetwriter/jet4_writer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <system_error>

// File layout (pages of 4096 bytes):
//   0      header with the RC4-masked block (code page, password, sort order, date)
//   1      empty data page standing in for the global usage map, which readers skip
//   2      TDEF of MSysObjects; readers look for the catalog on page 2
//   3      usage-map rows: a used-pages and a free-pages map per table (catalog first)
//   4..    per user table: its TDEF page, then its data pages
//   last   the data pages of MSysObjects, one row per user table
// Byte layouts follow the Jet 4 description in the mdbtools HACKING notes.

namespace jetwriter {
namespace {

constexpr size_t kPageSize = 4096;
constexpr uint8_t kPageHeader = 0x00;
constexpr uint8_t kPageData = 0x01;
constexpr uint8_t kPageTdef = 0x02;

constexpr uint32_t kGlobalMapPage = 1;
constexpr uint32_t kCatalogTdefPage = 2;
constexpr uint32_t kUsageMapPage = 3;
constexpr uint32_t kFirstTablePage = 4;

// Header: bytes 0x18..0x97 are RC4-encrypted with a fixed key.
constexpr size_t kHeaderMaskedStart = 0x18;
constexpr size_t kHeaderMaskedLength = 128;
constexpr std::array<uint8_t, 4> kHeaderKey = {0xC7, 0xDA, 0x39, 0x6B};
constexpr size_t kHeaderVersion = 0x14;
constexpr size_t kHeaderCodePage = 0x3C;
constexpr size_t kHeaderPassword = 0x42;
constexpr size_t kHeaderPasswordBytes = 40;
constexpr size_t kHeaderSortOrder = 0x6E;
constexpr size_t kHeaderCreationDate = 0x72;
constexpr uint16_t kCodePageWestern = 1252;
constexpr uint16_t kSortGeneral = 0x0409;

// Data page: 14-byte header, then the row offset table; rows grow down from the page end.
constexpr size_t kDataPageRowCount = 12;
constexpr size_t kDataPageHeaderSize = 14;
constexpr size_t kMaxRowsPerPage = 255;  // a row pointer keeps the row index in one byte

// TDEF page.
constexpr size_t kTdefNumRows = 16;
constexpr size_t kTdefTableType = 40;
constexpr size_t kTdefColumnEntries = 63;
constexpr size_t kColumnEntrySize = 25;
constexpr uint32_t kTdefMagic = 1625;  // constant seen in every Jet 4 TDEF at offset 12
constexpr uint8_t kTableTypeUser = 0x4E;
constexpr uint8_t kTableTypeSystem = 0x53;

constexpr uint8_t kColumnFlagFixed = 0x01;
constexpr uint8_t kColumnFlagNullable = 0x02;
constexpr uint8_t kColumnExtCompressedText = 0x01;

// Column type codes of the Jet 4 TDEF.
constexpr uint8_t kTypeInteger = 0x03;
constexpr uint8_t kTypeLong = 0x04;
constexpr uint8_t kTypeSingle = 0x06;
constexpr uint8_t kTypeDouble = 0x07;
constexpr uint8_t kTypeText = 0x0A;
constexpr uint8_t kTypeOle = 0x0B;

// Inline usage map: type byte 0, first page, then 64 bytes of bitmap (512 pages).
constexpr size_t kUsageBitmapBytes = 64;
constexpr size_t kUsageMapRowSize = 5 + kUsageBitmapBytes;
constexpr size_t kMaxPagesPerTable = kUsageBitmapBytes * 8;

constexpr int kCatalogNameLength = 128;
constexpr int32_t kCatalogTypeTable = 1;
constexpr int kMaxColumns = 255;  // the null-mask index of a column is stored in one byte

// ---- little helpers ----------------------------------------------------------------

void put16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}

void append16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

template <typename T>
void appendBytesOf(std::vector<uint8_t>& out, T v) {
    static_assert(std::endian::native == std::endian::little, "Jet files are little-endian");
    uint8_t raw[sizeof(T)];
    std::memcpy(raw, &v, sizeof(T));
    out.insert(out.end(), raw, raw + sizeof(T));
}

void appendUcs2(std::vector<uint8_t>& out, const std::u16string& text) {
    for (char16_t c : text) append16(out, static_cast<uint16_t>(c));
}

uint32_t rowPointer(uint32_t page, uint32_t rowIndex) { return (page << 8) | rowIndex; }

using Page = std::array<uint8_t, kPageSize>;

Page blankPage(uint8_t type) {
    Page page{};
    page[0] = type;
    page[1] = 0x01;
    return page;
}

// ---- columns as they are laid out in the TDEF and in rows --------------------------

struct ColumnLayout {
    std::u16string name;
    uint8_t typeCode = 0;
    uint16_t length = 0;       // bytes (Text: 2 per character)
    bool fixed = false;
    uint16_t columnNumber = 0;  // also the null-mask bit
    uint16_t varIndex = 0;     // position among the variable columns
    uint16_t fixedOffset = 0;  // position within the fixed area
    int textCharacters = 0;    // Text: the declared length
};

struct TableLayout {
    std::u16string name;
    std::vector<ColumnLayout> columns;
    uint16_t fixedAreaSize = 0;
    uint16_t varColumnCount = 0;
};

uint8_t typeCodeOf(ColumnType type) {
    switch (type) {
    case ColumnType::Text: return kTypeText;
    case ColumnType::Integer: return kTypeInteger;
    case ColumnType::Long: return kTypeLong;
    case ColumnType::Single: return kTypeSingle;
    case ColumnType::Double: return kTypeDouble;
    }
    return 0;
}

uint16_t fixedLengthOf(uint8_t typeCode) {
    switch (typeCode) {
    case kTypeInteger: return 2;
    case kTypeLong: return 4;
    case kTypeSingle: return 4;
    case kTypeDouble: return 8;
    default: return 0;
    }
}

void assignPositions(TableLayout& table) {
    uint16_t fixedOffset = 0;
    uint16_t varIndex = 0;
    for (size_t i = 0; i < table.columns.size(); ++i) {
        ColumnLayout& c = table.columns[i];
        c.columnNumber = static_cast<uint16_t>(i);
        if (c.fixed) {
            c.fixedOffset = fixedOffset;
            fixedOffset = static_cast<uint16_t>(fixedOffset + c.length);
        } else {
            c.varIndex = varIndex++;
        }
    }
    table.fixedAreaSize = fixedOffset;
    table.varColumnCount = varIndex;
}

// ASCII case folding: libmdb finds tables and columns ignoring case, so names that differ
// only in case would be ambiguous to it.
std::u16string foldCase(const std::u16string& name) {
    std::u16string folded = name;
    for (char16_t& c : folded)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return folded;
}

std::u16string checkedName(const std::string& utf8, const std::string& what) {
    std::optional<std::u16string> name = utf8ToUtf16(utf8);
    if (!name) throw WriteError(what + " name is not valid UTF-8");
    if (name->empty()) throw WriteError(what + " name is empty");
    // Characters Access does not allow in object names; ']' would also break the bracketed
    // names of SQL and of mdb-schema's output.
    const bool forbidden = std::any_of(name->begin(), name->end(), [](char16_t c) {
        return c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']';
    });
    if (forbidden || name->front() == u' ')
        throw WriteError(what + " name \"" + utf8 + "\" contains a character Access does not allow "
                         "(control characters, . ! ` [ ], or a leading blank)");
    if (name->size() > static_cast<size_t>(kMaxNameLength))
        throw WriteError(what + " name \"" + utf8 + "\" is longer than " +
                         std::to_string(kMaxNameLength) + " characters");
    return *name;
}

TableLayout layoutUserTable(const Table& table) {
    TableLayout layout;
    layout.name = checkedName(table.name, "table");
    if (foldCase(layout.name).starts_with(u"msys"))
        throw WriteError("table name \"" + table.name + "\" is reserved for system tables");
    if (table.columns.empty()) throw WriteError("table " + table.name + " has no columns");
    if (table.columns.size() > static_cast<size_t>(kMaxColumns))
        throw WriteError("table " + table.name + " has more than " + std::to_string(kMaxColumns) +
                         " columns");
    std::vector<std::u16string> seen;
    for (const Column& column : table.columns) {
        ColumnLayout c;
        c.name = checkedName(column.name, "column");
        if (std::find(seen.begin(), seen.end(), foldCase(c.name)) != seen.end())
            throw WriteError("table " + table.name + " has two columns named " + column.name);
        seen.push_back(foldCase(c.name));
        c.typeCode = typeCodeOf(column.type);
        if (column.type == ColumnType::Text) {
            if (column.textLength < 1 || column.textLength > kMaxTextLength)
                throw WriteError("column " + table.name + "." + column.name +
                                 ": text length must lie between 1 and " +
                                 std::to_string(kMaxTextLength));
            c.textCharacters = column.textLength;
            c.length = static_cast<uint16_t>(2 * column.textLength);
        } else {
            c.fixed = true;
            c.length = fixedLengthOf(c.typeCode);
        }
        layout.columns.push_back(c);
    }
    assignPositions(layout);
    return layout;
}

TableLayout catalogLayout() {
    TableLayout layout;
    layout.name = u"MSysObjects";
    layout.columns = {
        {u"Id", kTypeLong, 4, true},
        {u"Name", kTypeText, 2 * kCatalogNameLength, false, 0, 0, 0, kCatalogNameLength},
        {u"Type", kTypeInteger, 2, true},
        {u"Flags", kTypeLong, 4, true},
        {u"LvProp", kTypeOle, 0, false},  // libmdb refuses a catalog without this column
    };
    assignPositions(layout);
    return layout;
}

// ---- rows ----------------------------------------------------------------------------

// A name for messages (names are checked UTF-8 on the way in; this is only for display).
std::string utf8Name(const std::u16string& name) {
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        uint32_t c = name[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < name.size())
            c = 0x10000 + ((c - 0xD800) << 10) + (name[++i] - 0xDC00);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::string describeColumn(const std::u16string& table, const ColumnLayout& c) {
    return utf8Name(table) + "." + utf8Name(c.name);
}

// The stored bytes of one value, or nothing for a Null. Throws when the value does not
// suit the column.
std::optional<std::vector<uint8_t>> encodeValue(const TableLayout& table, const ColumnLayout& c,
                                                const Value& value, size_t rowNumber) {
    if (std::holds_alternative<Null>(value)) return std::nullopt;
    auto fail = [&](const std::string& why) {
        return WriteError("row " + std::to_string(rowNumber) + ", column " +
                          describeColumn(table.name, c) + ": " + why);
    };
    std::vector<uint8_t> bytes;
    switch (c.typeCode) {
    case kTypeText: {
        const auto* text = std::get_if<std::u16string>(&value);
        if (!text) throw fail("expected a text value");
        if (text->size() > static_cast<size_t>(c.textCharacters))
            throw fail("text longer than " + std::to_string(c.textCharacters) + " characters");
        return encodeJetText(*text);
    }
    case kTypeInteger: {
        const auto* v = std::get_if<int16_t>(&value);
        if (!v) throw fail("expected an Integer value");
        appendBytesOf(bytes, *v);
        return bytes;
    }
    case kTypeLong: {
        const auto* v = std::get_if<int32_t>(&value);
        if (!v) throw fail("expected a Long value");
        appendBytesOf(bytes, *v);
        return bytes;
    }
    case kTypeSingle: {
        const auto* v = std::get_if<float>(&value);
        if (!v) throw fail("expected a Single value");
        if (!std::isfinite(*v)) throw fail("not a finite number");
        appendBytesOf(bytes, *v);
        return bytes;
    }
    case kTypeDouble: {
        const auto* v = std::get_if<double>(&value);
        if (!v) throw fail("expected a Double value");
        if (!std::isfinite(*v)) throw fail("not a finite number");
        appendBytesOf(bytes, *v);
        return bytes;
    }
    default:
        throw fail("only Null can be stored in this column");
    }
}

// Jet 4 row: column count, fixed area, variable data, then (when the table has variable
// columns) the end-of-data offset, the variable offsets in reverse order and their count,
// and last the null mask (bit = column number, 1 = value present).
std::vector<uint8_t> packRow(const TableLayout& table, const Row& row, size_t rowNumber) {
    if (row.size() != table.columns.size())
        throw WriteError("row " + std::to_string(rowNumber) + " has " + std::to_string(row.size()) +
                         " values for " + std::to_string(table.columns.size()) + " columns");
    const size_t columnCount = table.columns.size();
    std::vector<uint8_t> fixedArea(table.fixedAreaSize, 0);
    std::vector<std::vector<uint8_t>> varValues(table.varColumnCount);
    std::vector<uint8_t> nullMask((columnCount + 7) / 8, 0);

    for (size_t i = 0; i < columnCount; ++i) {
        const ColumnLayout& c = table.columns[i];
        std::optional<std::vector<uint8_t>> bytes = encodeValue(table, c, row[i], rowNumber);
        if (!bytes) continue;  // Null: a fixed value keeps zero bytes, a variable one is empty
        nullMask[c.columnNumber / 8] |= static_cast<uint8_t>(1u << (c.columnNumber % 8));
        if (c.fixed)
            std::copy(bytes->begin(), bytes->end(), fixedArea.begin() + c.fixedOffset);
        else
            varValues[c.varIndex] = std::move(*bytes);
    }

    std::vector<uint8_t> out;
    append16(out, static_cast<uint16_t>(columnCount));
    out.insert(out.end(), fixedArea.begin(), fixedArea.end());
    std::vector<uint16_t> varOffsets;
    for (const auto& v : varValues) {
        varOffsets.push_back(static_cast<uint16_t>(out.size()));
        out.insert(out.end(), v.begin(), v.end());
    }
    if (table.varColumnCount > 0) {
        append16(out, static_cast<uint16_t>(out.size()));  // end of the variable data
        for (auto it = varOffsets.rbegin(); it != varOffsets.rend(); ++it) append16(out, *it);
        append16(out, table.varColumnCount);
    }
    out.insert(out.end(), nullMask.begin(), nullMask.end());
    return out;
}

// ---- pages ---------------------------------------------------------------------------

constexpr size_t kMaxRowSize = kPageSize - kDataPageHeaderSize - 2;

class DataPageBuilder {
public:
    explicit DataPageBuilder(uint32_t owner) : page_(blankPage(kPageData)), owner_(owner) {
        put32(&page_[4], owner_);
    }
    bool fits(size_t rowSize) const {
        return rows_ < kMaxRowsPerPage &&
               kDataPageHeaderSize + 2 * (rows_ + 1) + used_ + rowSize <= kPageSize;
    }
    // Returns the row's index on this page.
    uint32_t add(const std::vector<uint8_t>& row) {
        used_ += row.size();
        const size_t start = kPageSize - used_;
        std::copy(row.begin(), row.end(), page_.begin() + start);
        put16(&page_[kDataPageHeaderSize + 2 * rows_], static_cast<uint16_t>(start));
        ++rows_;
        return static_cast<uint32_t>(rows_ - 1);
    }
    Page finish() {
        put16(&page_[2], static_cast<uint16_t>(kPageSize - kDataPageHeaderSize - 2 * rows_ - used_));
        put16(&page_[kDataPageRowCount], static_cast<uint16_t>(rows_));
        return page_;
    }
    bool empty() const { return rows_ == 0; }

private:
    Page page_;
    uint32_t owner_;
    size_t rows_ = 0;
    size_t used_ = 0;
};

std::vector<Page> packDataPages(uint32_t owner, const std::vector<std::vector<uint8_t>>& rows) {
    std::vector<Page> pages;
    DataPageBuilder current(owner);
    for (const auto& row : rows) {
        if (!current.fits(row.size())) {
            pages.push_back(current.finish());
            current = DataPageBuilder(owner);
        }
        current.add(row);
    }
    if (!current.empty()) pages.push_back(current.finish());
    return pages;
}

std::vector<uint8_t> usageMapRow(uint32_t firstPage, uint32_t pageCount) {
    std::vector<uint8_t> row(kUsageMapRowSize, 0);
    put32(&row[1], firstPage);
    for (uint32_t k = 0; k < pageCount; ++k) row[5 + k / 8] |= static_cast<uint8_t>(1u << (k % 8));
    return row;
}

Page buildTdef(const TableLayout& table, uint8_t tableType, uint32_t rowCount, uint32_t usedMap,
               uint32_t freeMap) {
    std::vector<uint8_t> body;
    for (const ColumnLayout& c : table.columns) {
        std::vector<uint8_t> entry(kColumnEntrySize, 0);
        entry[0] = c.typeCode;
        put16(&entry[5], c.columnNumber);
        put16(&entry[7], c.fixed ? 0 : c.varIndex);
        put16(&entry[9], c.columnNumber);
        if (c.typeCode == kTypeText) put16(&entry[11], kSortGeneral);
        entry[15] = static_cast<uint8_t>((c.fixed ? kColumnFlagFixed : 0) | kColumnFlagNullable);
        if (c.typeCode == kTypeText) entry[16] = kColumnExtCompressedText;
        put16(&entry[21], c.fixed ? c.fixedOffset : 0);
        put16(&entry[23], c.length);
        body.insert(body.end(), entry.begin(), entry.end());
    }
    for (const ColumnLayout& c : table.columns) {
        append16(body, static_cast<uint16_t>(2 * c.name.size()));
        appendUcs2(body, c.name);
    }
    append16(body, 0xFFFF);  // end of the (empty) list of variable-column usage entries

    const size_t tdefLength = kTdefColumnEntries + body.size();
    if (tdefLength + 8 > kPageSize)
        throw WriteError("the definition of a table with " + std::to_string(table.columns.size()) +
                         " columns does not fit in one page; use fewer or shorter column names");
    Page page = blankPage(kPageTdef);
    put16(&page[2], static_cast<uint16_t>(kPageSize - tdefLength - 8));
    put32(&page[8], static_cast<uint32_t>(tdefLength));
    put32(&page[12], kTdefMagic);
    put32(&page[kTdefNumRows], rowCount);
    page[kTdefTableType] = tableType;
    const uint16_t columnCount = static_cast<uint16_t>(table.columns.size());
    put16(&page[41], columnCount);            // max columns
    put16(&page[43], table.varColumnCount);   // variable columns
    put16(&page[45], columnCount);            // columns
    put32(&page[47], 0);                      // logical indexes
    put32(&page[51], 0);                      // real indexes
    put32(&page[55], usedMap);
    put32(&page[59], freeMap);
    std::copy(body.begin(), body.end(), page.begin() + kTdefColumnEntries);
    return page;
}

Page buildHeader(const Database& db) {
    if (!std::isfinite(db.creationDate) || db.creationDate < 1.0 || db.creationDate > 2.0e6)
        throw WriteError("the creation date must be a positive OLE date");
    if (db.password.size() > static_cast<size_t>(kMaxPasswordLength))
        throw WriteError("the database password is longer than " +
                         std::to_string(kMaxPasswordLength) + " characters");
    Page page = blankPage(kPageHeader);
    std::memcpy(&page[4], "Standard Jet DB", 16);
    page[kHeaderVersion] = 0x01;  // Jet 4
    put16(&page[kHeaderCodePage], kCodePageWestern);
    put32(&page[0x3E], 0);  // page-encoding key: pages are stored in the clear

    // The password is UCS-2, zero-padded, XORed with the integer part of the creation date.
    uint8_t dateMask[4];
    put32(dateMask, static_cast<uint32_t>(static_cast<int32_t>(db.creationDate)));
    std::vector<uint8_t> password;
    appendUcs2(password, db.password);
    password.resize(kHeaderPasswordBytes, 0);
    for (size_t i = 0; i < kHeaderPasswordBytes; ++i)
        page[kHeaderPassword + i] = password[i] ^ dateMask[i % 4];

    put16(&page[kHeaderSortOrder], kSortGeneral);
    std::memcpy(&page[kHeaderCreationDate], &db.creationDate, sizeof(double));
    rc4Apply(std::vector<uint8_t>(kHeaderKey.begin(), kHeaderKey.end()), &page[kHeaderMaskedStart],
             kHeaderMaskedLength);
    return page;
}

struct PlannedTable {
    TableLayout layout;
    uint8_t tableType = kTableTypeUser;
    uint32_t rowCount = 0;
    std::vector<std::vector<uint8_t>> rows;
    uint32_t tdefPage = 0;
    std::vector<Page> dataPages;
    uint32_t firstDataPage = 0;
};

std::vector<std::vector<uint8_t>> packRows(const TableLayout& layout, const std::vector<Row>& rows) {
    std::vector<std::vector<uint8_t>> packed;
    packed.reserve(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        packed.push_back(packRow(layout, rows[r], r + 1));
        if (packed.back().size() > kMaxRowSize)
            throw WriteError("row " + std::to_string(r + 1) + " of a table is " +
                             std::to_string(packed.back().size()) + " bytes, more than a page holds");
    }
    return packed;
}

void checkUniqueTableNames(const std::vector<PlannedTable>& tables) {
    for (size_t i = 0; i < tables.size(); ++i)
        for (size_t j = i + 1; j < tables.size(); ++j)
            if (foldCase(tables[i].layout.name) == foldCase(tables[j].layout.name))
                throw WriteError("tables " + utf8Name(tables[i].layout.name) + " and " +
                                 utf8Name(tables[j].layout.name) + " have the same name");
}

// The catalog first, then the user tables with their rows packed. Throws on anything the
// layout cannot hold.
std::vector<PlannedTable> planTables(const Database& db) {
    std::vector<PlannedTable> tables;
    tables.reserve(db.tables.size() + 1);
    PlannedTable catalog;
    catalog.layout = catalogLayout();
    catalog.tableType = kTableTypeSystem;
    tables.push_back(std::move(catalog));
    for (const Table& t : db.tables) {
        PlannedTable planned;
        planned.layout = layoutUserTable(t);
        try {
            planned.rows = packRows(planned.layout, t.rows);
        } catch (const WriteError& e) {
            throw WriteError("table " + t.name + ": " + e.what());
        }
        planned.rowCount = static_cast<uint32_t>(t.rows.size());
        tables.push_back(std::move(planned));
    }
    checkUniqueTableNames(tables);
    if (2 * tables.size() * (kUsageMapRowSize + 2) + kDataPageHeaderSize > kPageSize)
        throw WriteError("too many tables for one usage-map page");
    return tables;
}

// Gives every user table its TDEF and data pages, then fills the catalog with one row per
// user table pointing at its TDEF page and places the catalog's data pages last.
// Returns the number of pages of the file.
uint32_t placeTables(std::vector<PlannedTable>& tables) {
    uint32_t nextPage = kFirstTablePage;
    for (size_t t = 1; t < tables.size(); ++t) {
        PlannedTable& table = tables[t];
        table.tdefPage = nextPage++;
        table.firstDataPage = nextPage;
        table.dataPages = packDataPages(table.tdefPage, table.rows);
        if (table.dataPages.size() > kMaxPagesPerTable)
            throw WriteError("table " + utf8Name(table.layout.name) + " needs more than " +
                             std::to_string(kMaxPagesPerTable) + " data pages");
        nextPage += static_cast<uint32_t>(table.dataPages.size());
    }
    PlannedTable& catalog = tables[0];
    catalog.tdefPage = kCatalogTdefPage;
    for (size_t t = 1; t < tables.size(); ++t) {
        const Row entry = {static_cast<int32_t>(tables[t].tdefPage), tables[t].layout.name,
                           static_cast<int16_t>(kCatalogTypeTable), int32_t{0}, Null{}};
        catalog.rows.push_back(packRow(catalog.layout, entry, t));
    }
    catalog.rowCount = static_cast<uint32_t>(catalog.rows.size());
    catalog.firstDataPage = nextPage;
    catalog.dataPages = packDataPages(kCatalogTdefPage, catalog.rows);
    return nextPage + static_cast<uint32_t>(catalog.dataPages.size());
}

// Writes the header, the usage maps, every TDEF and every data page into one image.
std::vector<uint8_t> assembleImage(const Page& header, const std::vector<PlannedTable>& tables,
                                   uint32_t pageCount) {
    std::vector<Page> pages(pageCount);
    pages[0] = header;
    pages[kGlobalMapPage] = DataPageBuilder(0).finish();
    DataPageBuilder usageMaps(0);
    for (const PlannedTable& table : tables) {
        const auto dataPageCount = static_cast<uint32_t>(table.dataPages.size());
        const uint32_t used = usageMaps.add(usageMapRow(table.firstDataPage, dataPageCount));
        const uint32_t free = usageMaps.add(usageMapRow(table.firstDataPage, 0));
        pages[table.tdefPage] = buildTdef(table.layout, table.tableType, table.rowCount,
                                          rowPointer(kUsageMapPage, used), rowPointer(kUsageMapPage, free));
        for (uint32_t k = 0; k < dataPageCount; ++k) pages[table.firstDataPage + k] = table.dataPages[k];
    }
    pages[kUsageMapPage] = usageMaps.finish();

    std::vector<uint8_t> image;
    image.reserve(pages.size() * kPageSize);
    for (const Page& p : pages) image.insert(image.end(), p.begin(), p.end());
    return image;
}

}  // namespace

// ---- public ----------------------------------------------------------------------------

std::vector<uint8_t> encodeJetText(const std::u16string& text) {
    const bool compressible =
        std::all_of(text.begin(), text.end(), [](char16_t c) { return c >= 0x01 && c <= 0xFF; });
    std::vector<uint8_t> out;
    if (compressible && 2 + text.size() < 2 * text.size()) {
        out = {0xFF, 0xFE};
        for (char16_t c : text) out.push_back(static_cast<uint8_t>(c));
    } else {
        appendUcs2(out, text);
    }
    return out;
}

void rc4Apply(const std::vector<uint8_t>& key, uint8_t* data, size_t length) {
    std::array<uint8_t, 256> s;
    for (size_t i = 0; i < 256; ++i) s[i] = static_cast<uint8_t>(i);
    for (size_t i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t n = 0, i = 0, j = 0; n < length; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<uint8_t>(utf8[i]);
        uint32_t cp = 0;
        size_t extra = 0;
        uint32_t minimum = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F, extra = 1, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F, extra = 2, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07, extra = 3, minimum = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + extra >= utf8.size()) return std::nullopt;  // truncated sequence
        for (size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<uint8_t>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += extra + 1;
    }
    return out;
}

std::vector<uint8_t> buildJet4Image(const Database& db) {
    const Page header = buildHeader(db);
    std::vector<PlannedTable> tables = planTables(db);
    const uint32_t pageCount = placeTables(tables);
    return assembleImage(header, tables, pageCount);
}

void writeFileAtomically(const std::filesystem::path& target, const std::vector<uint8_t>& bytes) {
    std::filesystem::path temporary = target;
    temporary += ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) throw WriteError("cannot create " + temporary.string());
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw WriteError("cannot write " + temporary.string());
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw WriteError("cannot replace " + target.string() + ": " + error.message());
    }
}

}  // namespace jetwriter
