#pragma once
// Our layer for the Windows private-profile functions: a text settings file made of
// "[section]" lines and "key=value" lines. Reading and writing behave as the Windows
// functions do where the program relies on it:
// - section and key names match case-insensitively, surrounding blanks ignored, and the
//   first match in the file wins;
// - a value is read with its surrounding blanks removed and cut to the buffer size;
// - a missing file, section or key reads as the default;
// - a write creates the file, the section or the key as needed and keeps every other
//   line (comments, unknown sections, their order, line endings) exactly as it was.
// Unlike the Windows functions, a write never leaves a truncated file behind: the new
// contents go to a temporary file beside the old one, which then replaces it.
// Nothing is cached: every call reads (and a write rewrites) the file.

#include <QString>

namespace tarvello {

// The largest buffer the program asks for: 256 characters, of which at most 255 are
// copied (the last place holds the terminating zero).
constexpr int kProfileBufferSize = 256;

// The value of `key` in `section` of the file `path`, at most `bufferSize` - 1
// characters; `defaultValue` (cut the same way) when the file, the section or the key is
// missing.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, const QString& path,
                                int bufferSize = kProfileBufferSize);

// Writes `value` under `key` in `section` of the file `path`. Returns false when the file
// could not be read or replaced; the old file is then left untouched.
bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& path);

// The text form of a number in the settings file: one space before a number that is not
// negative (" 300", " 0"), the minus sign before a negative one ("-1").
QString profileNumberText(int value);

} // namespace tarvello
