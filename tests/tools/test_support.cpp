#include "tests/tools/test_support.h"

#include <QString>

#include <array>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace toolstest {

ProcessResult runProcess(const std::vector<std::string>& argv) {
    TempDir capture;
    const std::string outPath = (capture.path() / "out").string();
    const std::string errPath = (capture.path() / "err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // mdbtools print numbers in the locale's format: pin the decimal point.
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        if (!std::string_view(*e).starts_with("LC_ALL=") && !std::string_view(*e).starts_with("LC_NUMERIC="))
            env.push_back(*e);
    char numericC[] = "LC_NUMERIC=C";
    env.push_back(numericC);
    env.push_back(nullptr);
    pid_t pid = 0;
    ProcessResult result;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.err = "cannot start " + argv[0] + ": " + std::strerror(spawned);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readText(outPath);
    result.err = readText(errPath);
    return result;
}

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':'))
        if (!dir.empty() && access((std::filesystem::path(dir) / program).c_str(), X_OK) == 0) return true;
    return false;
}

TempDir::TempDir() {
    std::random_device random;
    path_ = std::filesystem::temp_directory_path() /
            ("tarvello-tools-" + std::to_string(getpid()) + "-" + std::to_string(random()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeBinary(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
}

std::string readText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::optional<std::u16string> decodeJet4Password(const std::filesystem::path& file) {
    const std::string bytes = readText(file);
    constexpr size_t kBlock = 0x18, kBlockLength = 128, kPassword = 0x42, kDate = 0x72;
    if (bytes.size() < kBlock + kBlockLength || bytes[0] != 0 || bytes[0x14] != 1) return std::nullopt;
    std::vector<uint8_t> block(bytes.begin() + kBlock, bytes.begin() + kBlock + kBlockLength);
    jetwriter::rc4Apply({0xC7, 0xDA, 0x39, 0x6B}, block.data(), block.size());
    double date = 0;
    std::memcpy(&date, &block[kDate - kBlock], sizeof date);
    const auto mask = static_cast<uint32_t>(static_cast<int32_t>(date));
    std::u16string password;
    for (size_t i = 0; i < 40; i += 2) {
        const size_t at = kPassword - kBlock + i;
        const auto lo = static_cast<uint8_t>(block[at] ^ (mask >> (8 * (i % 4))));
        const auto hi = static_cast<uint8_t>(block[at + 1] ^ (mask >> (8 * ((i + 1) % 4))));
        const auto c = static_cast<char16_t>(lo | (hi << 8));
        if (c == 0) break;
        password.push_back(c);
    }
    return password;
}

std::vector<QJsonObject> mdbJsonRows(const std::filesystem::path& file, const std::string& table) {
    const ProcessResult r = runProcess({"mdb-json", file.string(), table});
    std::vector<QJsonObject> rows;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty()) rows.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
    return rows;
}

std::optional<QJsonObject> mdbReaderDump(const std::filesystem::path& file, std::string& why) {
    const std::filesystem::path folder = TARVELLO_SOURCE_DIR "/tests/tools";
    if (!onPath("node")) {
        why = "Node.js is not installed";
        return std::nullopt;
    }
    if (!std::filesystem::exists(folder / "node_modules/mdb-reader/package.json")) {
        why = "npm package mdb-reader is not installed (run tests/tools/setup-node-reader.sh)";
        return std::nullopt;
    }
    const ProcessResult r = runProcess({"node", (folder / "dump_with_mdb_reader.mjs").string(), file.string()});
    if (r.exitCode != 0) {
        why = "mdb-reader failed: " + r.err;
        return QJsonObject{};  // an empty dump: the caller's expectations fail visibly
    }
    return QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
}

std::u16string u16(const char* utf8Text) { return jetwriter::utf8ToUtf16(utf8Text).value(); }

std::string utf8(const std::u16string& text) {
    return QString::fromStdU16String(text).toStdString();
}

}  // namespace toolstest
