#pragma once
// Files that survive a crash or a power cut half-way: written whole and flushed to the
// disk before they take a name, and renamed over the old file in one step (POSIX rename),
// so a reader finds either the old or the new complete file.

#include <functional>
#include <stdexcept>
#include <string>

namespace tarvello {

class DurableFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text of the last system error (errno).
std::string systemErrorText();

bool fileExists(const std::string& path);

// Writes `text` to `path` (created or truncated) and flushes it to the disk. `midway`
// runs when half of the text is written. On failure the partial file is removed.
void writeDurably(const std::string& path, const std::string& text, const std::function<void()>& midway = {});

// Copies `from` to `to` through a temporary beside `to`, renamed when it is durable.
void copyDurably(const std::string& from, const std::string& to);

// Renames `from` over `to` and flushes their folder.
void replaceDurably(const std::string& from, const std::string& to);

} // namespace tarvello
