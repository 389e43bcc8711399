#pragma once
// Reads every user table of an Access file into a DatabaseImage with libmdb.
//
// libmdb trusts the file: on a damaged file it may read past its buffers, abort or loop.
// The reading therefore runs in a child process that sends the image back through a
// pipe; a child that crashes, aborts, exhausts its memory allowance or runs longer than
// readTimeout() turns into a "may be corrupt" error instead of taking the program down.
// (Seen: a damaged property blob of an Access 97 file makes libmdb loop for ever.)

#include "platform/access_table_data.h"

#include <chrono>
#include <span>
#include <string>

namespace tarvello::jet {

// The time the reading may take: an intact file reads at many megabytes a second, so
// the margin is a hundredfold even on a loaded machine.
constexpr std::chrono::milliseconds kReadTimeoutBase{2000};
constexpr std::chrono::milliseconds kReadTimeoutPerMiB{500};
std::chrono::milliseconds readTimeout(std::size_t fileBytes);

// `file` is the whole file, already checked to start with a Jet 3 or Jet 4 header.
// `path` only names the file in error messages. Throws DatabaseError.
DatabaseImage readDatabaseImage(std::span<const unsigned char> file, const std::string& path);

} // namespace tarvello::jet
