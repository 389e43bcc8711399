#include "platform/jet_snapshot.h"

// mdbtools.h includes glib.h inside extern "C", which breaks C++ unless glib.h came first.
#include <glib.h>
#include <mdbtools.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <chrono>
#include <cstring>
#include <vector>

namespace tarvello::jet {
namespace {

constexpr std::size_t kMaxRowsPerTable = 1'000'000;
constexpr std::size_t kMaxImageBytes = 512u << 20;
constexpr uint32_t kImageMagic = 0x494A5654; // "TVJI"
constexpr rlim_t kMemoryAllowance = rlim_t(1) << 30;

std::string corruptMessage(const std::string& path)
{
    return "Cannot open database '" + path
           + "'. It may not be a database that your application recognizes, or the file may be corrupt.";
}

[[noreturn]] void throwCorrupt(const std::string& path)
{
    throw DatabaseError(dberr::CorruptDatabase, corruptMessage(path));
}

// ---- The image as bytes: what the reading process sends back. ----

class ImageWriter {
public:
    void u8(uint8_t v) { bytes_.push_back(char(v)); }
    void u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            bytes_.push_back(char(v >> (8 * i)));
    }
    void f64(double v)
    {
        uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        for (int i = 0; i < 8; ++i)
            bytes_.push_back(char(bits >> (8 * i)));
    }
    void str(std::string_view s)
    {
        u32(uint32_t(s.size()));
        bytes_.append(s);
    }
    std::size_t size() const { return bytes_.size(); }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

class ImageReader {
public:
    explicit ImageReader(std::string_view bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ == bytes_.size(); }
    uint8_t u8() { return uint8_t(take(1)[0]); }
    uint32_t u32()
    {
        const auto p = take(4);
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= uint32_t(uint8_t(p[i])) << (8 * i);
        return v;
    }
    double f64()
    {
        const auto p = take(8);
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits |= uint64_t(uint8_t(p[i])) << (8 * i);
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::string str() { return std::string(take(u32())); }

    struct Truncated {};

private:
    std::string_view take(std::size_t n)
    {
        if (bytes_.size() - pos_ < n)
            throw Truncated{};
        const auto part = bytes_.substr(pos_, n);
        pos_ += n;
        return part;
    }
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

enum ValueTag : uint8_t { TagNull = 0, TagNumber = 1, TagText = 2 };

// ---- Reading with libmdb (runs in the reading process). ----

FieldType fieldTypeOf(int mdbType)
{
    switch (mdbType) {
    case MDB_BOOL: return FieldType::Boolean;
    case MDB_BYTE: return FieldType::Byte;
    case MDB_INT: return FieldType::Integer;
    case MDB_LONGINT: return FieldType::Long;
    case MDB_MONEY: return FieldType::Currency;
    case MDB_FLOAT: return FieldType::Single;
    case MDB_DOUBLE: return FieldType::Double;
    case MDB_DATETIME: return FieldType::DateTime;
    case MDB_TEXT: return FieldType::Text;
    case MDB_MEMO: return FieldType::Memo;
    default: return FieldType::Other;
    }
}

std::size_t storedSize(FieldType type)
{
    switch (type) {
    case FieldType::Byte: return 1;
    case FieldType::Integer: return 2;
    case FieldType::Long:
    case FieldType::Single: return 4;
    case FieldType::Currency:
    case FieldType::Double:
    case FieldType::DateTime: return 8;
    default: return 0;
    }
}

// A fixed-size number straight from the page bytes (little-endian), so that the value
// never passes through libmdb's locale-dependent text.
double numberFromBytes(FieldType type, const unsigned char* p)
{
    uint64_t raw = 0;
    for (std::size_t i = 0; i < storedSize(type); ++i)
        raw |= uint64_t(p[i]) << (8 * i);
    switch (type) {
    case FieldType::Byte: return double(uint8_t(raw));
    case FieldType::Integer: return double(int16_t(uint16_t(raw)));
    case FieldType::Long: return double(int32_t(uint32_t(raw)));
    case FieldType::Currency: return double(int64_t(raw)) / 10000.0; // scaled by 10^4
    case FieldType::Single: {
        const auto bits = uint32_t(raw);
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        return double(v);
    }
    default: {
        double v = 0;
        std::memcpy(&v, &raw, sizeof v);
        return v;
    }
    }
}

// Writes one field of the current row; false when the row's bytes are inconsistent.
bool writeField(ImageWriter& out, MdbHandle* mdb, const MdbColumn& column, const MdbField& field)
{
    const FieldType type = fieldTypeOf(column.col_type);
    if (type == FieldType::Boolean) { // the value is the null-mask bit itself
        out.u8(TagNumber);
        out.f64(field.is_null ? 0.0 : -1.0);
        return true;
    }
    if (field.is_null) {
        out.u8(TagNull);
        return true;
    }
    const auto pageSize = std::size_t(mdb->fmt->pg_size);
    if (field.start < 0 || field.siz < 0 || std::size_t(field.start) + std::size_t(field.siz) > pageSize)
        return false;
    if (type == FieldType::Text || type == FieldType::Memo) {
        if (field.siz == 0) { // an empty text: the null mask said it is present
            out.u8(TagText);
            out.str("");
            return true;
        }
        gchar* text = mdb_col_to_string(mdb, mdb->pg_buf, field.start, column.col_type, field.siz);
        out.u8(TagText);
        out.str(text ? text : "");
        g_free(text);
        return true;
    }
    if (type == FieldType::Other) { // binary, OLE, replication id, decimal: not read
        out.u8(TagText);
        out.str("");
        return true;
    }
    if (std::size_t(field.siz) < storedSize(type))
        return false;
    out.u8(TagNumber);
    out.f64(numberFromBytes(type, mdb->pg_buf + field.start));
    return true;
}

// Columns and rows of one table; false when the table cannot be read.
bool writeTable(ImageWriter& out, MdbHandle* mdb, MdbCatalogEntry* entry)
{
    MdbTableDef* table = mdb_read_table(entry);
    if (!table)
        return false;
    bool ok = mdb_read_columns(table) != nullptr && table->columns
              && table->columns->len == table->num_cols && table->num_cols > 0;
    if (ok) {
        ImageWriter body;
        const unsigned numColumns = table->num_cols;
        body.u32(numColumns);
        for (unsigned i = 0; i < numColumns; ++i) {
            const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
            body.str(column->name);
            body.u8(uint8_t(fieldTypeOf(column->col_type)));
        }
        ImageWriter rows;
        uint32_t rowCount = 0;
        std::vector<MdbField> fields(numColumns);
        mdb_rewind_table(table);
        while (ok && mdb_fetch_row(table)) {
            int rowStart = 0;
            size_t rowSize = 0;
            if (table->cur_row == 0 || mdb_find_row(mdb, int(table->cur_row) - 1, &rowStart, &rowSize) != 0) {
                ok = false;
                break;
            }
            rowStart &= 0x1FFF; // without the lookup and deleted flags
            std::memset(fields.data(), 0, fields.size() * sizeof(MdbField));
            if (mdb_crack_row(table, rowStart, rowSize, fields.data()) < 0) {
                ok = false;
                break;
            }
            // Values in column order, whatever order the row stores them in.
            std::vector<const MdbField*> byColumn(numColumns, nullptr);
            for (const MdbField& field : fields)
                if (field.colnum >= 0 && unsigned(field.colnum) < numColumns)
                    byColumn[unsigned(field.colnum)] = &field;
            for (unsigned i = 0; ok && i < numColumns; ++i) {
                const auto* column = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
                ok = byColumn[i] && writeField(rows, mdb, *column, *byColumn[i]);
            }
            ok = ok && ++rowCount <= kMaxRowsPerTable && rows.size() < kMaxImageBytes;
        }
        if (ok) {
            out.u8(1);
            out.str(body.take());
            out.u32(rowCount);
            out.str(rows.take());
        }
    }
    mdb_free_tabledef(table);
    return ok;
}

// The whole image as bytes; empty when libmdb cannot open the file or its catalog.
std::string imageBytes(std::span<const unsigned char> file)
{
    std::vector<unsigned char> copy(file.begin(), file.end()); // libmdb wants a mutable buffer
    MdbHandle* mdb = mdb_open_buffer(copy.data(), copy.size(), MDB_NOFLAGS);
    if (!mdb)
        return {};
    ImageWriter out;
    if (!mdb_read_catalog(mdb, MDB_TABLE)) {
        mdb_close(mdb);
        return {};
    }
    out.u32(kImageMagic);
    out.u32(mdb->f->jet_version == MDB_VER_JET3 ? 3 : 4);
    std::vector<MdbCatalogEntry*> tables;
    for (unsigned i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (entry && entry->object_type == MDB_TABLE && mdb_is_user_table(entry))
            tables.push_back(entry);
    }
    out.u32(uint32_t(tables.size()));
    for (MdbCatalogEntry* entry : tables) {
        out.str(entry->object_name);
        ImageWriter table;
        if (writeTable(table, mdb, entry))
            out.str(table.take());
        else
            out.str(std::string(1, '\0')); // unreadable
    }
    mdb_close(mdb);
    return out.take();
}

// ---- Back in the program: the image from its bytes. ----

std::shared_ptr<const TableData> tableFromBytes(const std::string& name, std::string_view bytes)
{
    ImageReader in(bytes);
    if (in.u8() != 1)
        return nullptr;
    auto table = std::make_shared<TableData>();
    table->name = name;
    const std::string body = in.str();
    ImageReader columns(body);
    const uint32_t numColumns = columns.u32();
    for (uint32_t i = 0; i < numColumns; ++i) {
        ColumnInfo column;
        column.name = columns.str();
        const uint8_t type = columns.u8();
        if (type > uint8_t(FieldType::Other))
            throw ImageReader::Truncated{};
        column.type = FieldType(type);
        table->columns.push_back(std::move(column));
    }
    const uint32_t numRows = in.u32();
    const std::string rowBytes = in.str();
    ImageReader rows(rowBytes);
    table->rows.reserve(std::min<uint32_t>(numRows, kMaxRowsPerTable));
    for (uint32_t r = 0; r < numRows; ++r) {
        std::vector<FieldValue> row;
        row.reserve(numColumns);
        for (const ColumnInfo& column : table->columns) {
            switch (rows.u8()) {
            case TagNull: row.push_back(FieldValue::null(column.type)); break;
            case TagNumber: row.push_back(FieldValue::number(column.type, rows.f64())); break;
            case TagText: row.push_back(FieldValue::text(column.type, rows.str())); break;
            default: throw ImageReader::Truncated{};
            }
        }
        table->rows.push_back(std::move(row));
    }
    return table;
}

DatabaseImage imageFromBytes(std::string_view bytes, const std::string& path)
{
    try {
        ImageReader in(bytes);
        if (in.u32() != kImageMagic)
            throwCorrupt(path);
        DatabaseImage image;
        image.jetVersion = int(in.u32());
        const uint32_t numTables = in.u32();
        for (uint32_t i = 0; i < numTables; ++i) {
            std::string name = in.str();
            const std::string tableBytes = in.str();
            if (auto table = tableFromBytes(name, tableBytes))
                image.tables.push_back(std::move(table));
            else
                image.unreadableTables.push_back(std::move(name));
        }
        return image;
    } catch (const ImageReader::Truncated&) {
        throwCorrupt(path);
    }
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// A damaged length field can make libmdb grow a buffer without end: cap what the
// reading process may allocate beyond what it already has (the fork's copy of the
// program, and under AddressSanitizer its shadow memory).
void limitMemory()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return;
    unsigned long sizes[6] = {};
    const bool read = std::fscanf(statm, "%lu %lu %lu %lu %lu %lu", &sizes[0], &sizes[1], &sizes[2], &sizes[3],
                                  &sizes[4], &sizes[5]) == 6;
    std::fclose(statm);
    if (!read)
        return;
    const rlim_t dataBytes = rlim_t(sizes[5]) * rlim_t(::sysconf(_SC_PAGESIZE));
    const rlimit limit{dataBytes + kMemoryAllowance, dataBytes + kMemoryAllowance};
    ::setrlimit(RLIMIT_DATA, &limit);
}

[[noreturn]] void runReadingProcess(std::span<const unsigned char> file, int fd)
{
    // libmdb reports damaged pages on stderr and dumps bytes on stdout; the caller gets
    // an error of its own instead.
    const int devNull = ::open("/dev/null", O_WRONLY);
    if (devNull >= 0) {
        ::dup2(devNull, STDOUT_FILENO);
        ::dup2(devNull, STDERR_FILENO);
    }
    limitMemory();
    int status = 1;
    try {
        const std::string bytes = imageBytes(file);
        status = writeAll(fd, bytes) ? 0 : 1;
    } catch (...) {
        status = 1;
    }
    ::_exit(status); // no destructors or exit handlers of the parent program
}

// Reads the child's output until it closes the pipe; false on timeout or overflow.
bool collectOutput(int fd, std::string& bytes, std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    char buffer[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return false;
        pollfd pfd{fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.append(buffer, std::size_t(n));
        if (bytes.size() > kMaxImageBytes)
            return false;
    }
}

int waitForChild(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

} // namespace

std::chrono::milliseconds readTimeout(std::size_t fileBytes)
{
    return kReadTimeoutBase + kReadTimeoutPerMiB * std::int64_t(fileBytes >> 20);
}

DatabaseImage readDatabaseImage(std::span<const unsigned char> file, const std::string& path)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        throw DatabaseError(dberr::DiskError, "Disk or network error.");
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        // No process to spare: read in this one, as any program would.
        const std::string bytes = imageBytes(file);
        if (bytes.empty())
            throwCorrupt(path);
        return imageFromBytes(bytes, path);
    }
    if (pid == 0) {
        ::close(fds[0]);
        runReadingProcess(file, fds[1]);
    }
    ::close(fds[1]);
    std::string bytes;
    const bool complete = collectOutput(fds[0], bytes, readTimeout(file.size()));
    ::close(fds[0]);
    if (!complete)
        ::kill(pid, SIGKILL);
    const int status = waitForChild(pid);
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.empty())
        throwCorrupt(path);
    return imageFromBytes(bytes, path);
}

} // namespace tarvello::jet
