#pragma once
// The header page of an Access (Jet) file: format version, page size, page-encoding key
// and database password. Read by our own code because the library that reads the
// tables does not check the password; checked before any other part of the file is
// trusted.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvello::jet {

struct JetHeader {
    int version = 0;           // 3 (Access 97) or 4 (Access 2000-2003)
    std::size_t pageSize = 0;  // 2048 (Jet 3) or 4096 (Jet 4)
    uint32_t pageKey = 0;      // non-zero: pages from 1 on are RC4-encoded
    std::string password;      // UTF-8, empty when the database has none
    // False when the password field cannot be one a database was given: a character
    // other than printable ASCII, or anything but zeros after the password's end (the
    // whole field is written when a password is set). A header damaged in the password
    // or in the creation date that masks it then reads as damaged, not as a password
    // that does not match.
    bool passwordFieldIntact = true;
};

// Decodes the header page. Returns nothing when `file` does not start with a Jet 3 or
// Jet 4 header (wrong page type, signature or version byte, or too short).
std::optional<JetHeader> readJetHeader(std::span<const unsigned char> file);

// The password of a connect string such as ";PWD=secret" (key case-insensitive, value
// up to the next ';'); nothing when the string names none.
std::optional<std::string> connectPassword(std::string_view connect);

// RC4 applied in place (encoding and decoding are the same operation).
void rc4(std::span<const unsigned char> key, std::span<unsigned char> data);

// Copy of page `page` as the reader sees it, decoded with the page key when there is
// one. `file` must hold the whole page.
std::string decodedPage(std::span<const unsigned char> file, const JetHeader& header, std::size_t page);

} // namespace tarvello::jet
