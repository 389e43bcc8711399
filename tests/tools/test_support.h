#pragma once
// Helpers of the tools tests: running the mdbtools programs and Node as processes,
// reading JSON, and decoding an Access header independently of the writer.

#include "tools/jetwriter/jet4_writer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace toolstest {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs argv[0] with the arguments (no shell), waits, and captures both output streams.
ProcessResult runProcess(const std::vector<std::string>& argv);

// True when the program can be found on PATH.
bool onPath(const std::string& program);

// A fresh, empty directory under the system temp folder, removed by the destructor.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

void writeBinary(const std::filesystem::path& file, const std::vector<uint8_t>& bytes);
void writeText(const std::filesystem::path& file, const std::string& text);
std::string readText(const std::filesystem::path& file);

// The database password of a Jet 4 file: header block 0x18..0x97 decrypted with RC4
// (key C7 DA 39 6B), then the 40-byte field at 0x42 XORed with the integer part of the
// creation date at 0x72 and read as zero-terminated UCS-2.
std::optional<std::u16string> decodeJet4Password(const std::filesystem::path& file);

// mdb-json: one JSON object per row, in table order.
std::vector<QJsonObject> mdbJsonRows(const std::filesystem::path& file, const std::string& table);

// The whole file as mdb-reader (npm) sees it, through dump_with_mdb_reader.mjs; empty
// with `why` filled when Node or the package is missing.
std::optional<QJsonObject> mdbReaderDump(const std::filesystem::path& file, std::string& why);

std::u16string u16(const char* utf8);
std::string utf8(const std::u16string& text);

}  // namespace toolstest
