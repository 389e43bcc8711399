#pragma once
// Reads every user table of an Access file into a DatabaseImage with libmdb.
//
// libmdb trusts the file: on a damaged file it may read past its buffers, abort or loop.
// The reading therefore runs in a child process that sends the image back through a
// pipe; a child that crashes, aborts or runs longer than kReadTimeoutSeconds turns
// into a "may be corrupt" error instead of taking the program down.

#include "platform/access_table_data.h"

#include <span>
#include <string>

namespace tarvello::jet {

constexpr int kReadTimeoutSeconds = 20;

// `file` is the whole file, already checked to start with a Jet 3 or Jet 4 header.
// `path` only names the file in error messages. Throws DatabaseError.
DatabaseImage readDatabaseImage(std::span<const unsigned char> file, const std::string& path);

} // namespace tarvello::jet
