#include "platform/jet_header.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace tarvello::jet {
namespace {

constexpr std::size_t kVersionOffset = 0x14;
constexpr std::size_t kMaskedStart = 0x18;
constexpr std::size_t kMaskedLengthJet4 = 128;
constexpr std::size_t kMaskedLengthJet3 = 126;
constexpr std::size_t kPageKeyOffset = 0x3E;
constexpr std::size_t kPasswordOffset = 0x42;
constexpr std::size_t kPasswordBytesJet4 = 40; // 20 UCS-2 characters
constexpr std::size_t kPasswordBytesJet3 = 20; // 20 single-byte characters
constexpr std::size_t kCreationDateOffset = 0x72;
constexpr char kSignature[] = "Standard Jet DB"; // followed by a zero byte
// The fixed key of the masked part of the header page.
constexpr std::array<unsigned char, 4> kHeaderKey{0xC7, 0xDA, 0x39, 0x6B};

uint32_t le32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void appendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += char(codePoint);
    } else if (codePoint < 0x800) {
        out += char(0xC0 | codePoint >> 6);
        out += char(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += char(0xE0 | codePoint >> 12);
        out += char(0x80 | (codePoint >> 6 & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    } else {
        out += char(0xF0 | codePoint >> 18);
        out += char(0x80 | (codePoint >> 12 & 0x3F));
        out += char(0x80 | (codePoint >> 6 & 0x3F));
        out += char(0x80 | (codePoint & 0x3F));
    }
}

// The Jet 4 password field is XORed with the integer part of the creation date, a
// double holding days since 1899-12-30, taken as four little-endian bytes.
std::array<unsigned char, 4> creationDateMask(const unsigned char* masked)
{
    double date = 0;
    std::memcpy(&date, masked + (kCreationDateOffset - kMaskedStart), sizeof date);
    int32_t days = 0;
    if (std::isfinite(date) && date > double(std::numeric_limits<int32_t>::min()) - 1
        && date < double(std::numeric_limits<int32_t>::max()) + 1)
        days = int32_t(date);
    const auto bits = uint32_t(days);
    return {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
}

// The password field's characters, decoded, up to the field's end (zeros included).
std::vector<uint32_t> jet4PasswordField(const unsigned char* masked)
{
    const auto mask = creationDateMask(masked);
    const unsigned char* field = masked + (kPasswordOffset - kMaskedStart);
    std::vector<uint32_t> units;
    for (std::size_t i = 0; i + 1 < kPasswordBytesJet4; i += 2)
        units.push_back(uint32_t(field[i] ^ mask[i % 4]) | uint32_t(field[i + 1] ^ mask[(i + 1) % 4]) << 8);
    return units;
}

std::vector<uint32_t> jet3PasswordField(const unsigned char* masked)
{
    const unsigned char* field = masked + (kPasswordOffset - kMaskedStart);
    return std::vector<uint32_t>(field, field + kPasswordBytesJet3); // code page 1252 read as Latin-1
}

// The characters before the first zero.
std::string passwordOf(const std::vector<uint32_t>& field)
{
    std::string password;
    for (const uint32_t unit : field) {
        if (unit == 0)
            break;
        appendUtf8(password, unit);
    }
    return password;
}

bool isIntactPasswordField(const std::vector<uint32_t>& field)
{
    const auto end = std::find(field.begin(), field.end(), 0u);
    const bool printable = std::all_of(field.begin(), end, [](uint32_t c) { return c >= 0x20 && c <= 0x7E; });
    return printable && std::all_of(end, field.end(), [](uint32_t c) { return c == 0; });
}

} // namespace

void rc4(std::span<const unsigned char> key, std::span<unsigned char> data)
{
    std::array<unsigned char, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i)
        state[i] = static_cast<unsigned char>(i);
    if (key.empty())
        return;
    for (std::size_t i = 0, j = 0; i < state.size(); ++i) {
        j = (j + state[i] + key[i % key.size()]) & 0xFF;
        std::swap(state[i], state[j]);
    }
    std::size_t i = 0, j = 0;
    for (unsigned char& byte : data) {
        i = (i + 1) & 0xFF;
        j = (j + state[i]) & 0xFF;
        std::swap(state[i], state[j]);
        byte ^= state[(state[i] + state[j]) & 0xFF];
    }
}

std::optional<JetHeader> readJetHeader(std::span<const unsigned char> file)
{
    if (file.size() < kMaskedStart + kMaskedLengthJet4 || file[0] != 0x00)
        return std::nullopt;
    if (std::memcmp(file.data() + 4, kSignature, sizeof kSignature) != 0)
        return std::nullopt;
    JetHeader header;
    switch (file[kVersionOffset]) {
    case 0x00: header.version = 3; header.pageSize = 2048; break;
    case 0x01: header.version = 4; header.pageSize = 4096; break;
    default: return std::nullopt; // later formats (.accdb) are not Jet 3 or 4
    }
    const std::size_t maskedLength = header.version == 4 ? kMaskedLengthJet4 : kMaskedLengthJet3;
    std::array<unsigned char, kMaskedLengthJet4> masked{};
    std::memcpy(masked.data(), file.data() + kMaskedStart, maskedLength);
    rc4(kHeaderKey, std::span(masked.data(), maskedLength));
    header.pageKey = le32(masked.data() + (kPageKeyOffset - kMaskedStart));
    const std::vector<uint32_t> field =
        header.version == 4 ? jet4PasswordField(masked.data()) : jet3PasswordField(masked.data());
    header.password = passwordOf(field);
    header.passwordFieldIntact = isIntactPasswordField(field);
    return header;
}

std::optional<std::string> connectPassword(std::string_view connect)
{
    std::optional<std::string> password;
    while (!connect.empty()) {
        const std::size_t end = connect.find(';');
        const std::string_view part = connect.substr(0, end);
        connect = end == std::string_view::npos ? std::string_view{} : connect.substr(end + 1);
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string key(part.substr(0, equals));
        for (char& c : key)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        if (key == "PWD")
            password = std::string(part.substr(equals + 1));
    }
    return password;
}

std::string decodedPage(std::span<const unsigned char> file, const JetHeader& header, std::size_t page)
{
    std::string bytes(reinterpret_cast<const char*>(file.data()) + page * header.pageSize, header.pageSize);
    if (header.pageKey != 0 && page > 0) {
        const uint32_t key = header.pageKey ^ uint32_t(page);
        const std::array<unsigned char, 4> pageKey{uint8_t(key), uint8_t(key >> 8), uint8_t(key >> 16),
                                                   uint8_t(key >> 24)};
        rc4(pageKey, std::span(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()));
    }
    return bytes;
}

} // namespace tarvello::jet
