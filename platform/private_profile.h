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
// contents go to a temporary file beside the old one ("<file name>.XXXXXX"), which then
// replaces it. When the folder refuses the temporary file but the file itself is
// writable (a read-only program folder), the file is rewritten in place once room for
// the new contents is secured. Every value stays on its one line: line breaks and NULs
// are taken out before it is written, so no value can add sections or keys.
// Nothing is cached: every call reads (and a write rewrites) the file.

#include <QList>
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

// Writes `value` (without its line breaks, see singleLine) under `key` in `section` of
// the file `path`. Returns false when the file could not be read or written, or when
// the section or key name cannot stand on one line of the file (see
// isValidProfileName); the old file is then left untouched.
bool WritePrivateProfileString(const QString& section, const QString& key,
                               const QString& value, const QString& path);

// One key and its value, for writing several keys of a section at once.
struct ProfileEntry {
    QString key;
    QString value;
};

// Writes every entry under `section` in one rewrite of the file, as if by one
// WritePrivateProfileString each: all are written or, on failure (false), none.
bool WritePrivateProfileSection(const QString& section, const QList<ProfileEntry>& entries,
                                const QString& path);

// The text without its line breaks (LF, CR, VT, FF, NEL, the Unicode line and paragraph
// separators) and NULs: what a one-line value of the file can hold.
QString singleLine(const QString& text);

// True for a section or key name that keeps its line: not blank, no line break or NUL,
// no character that would end the name early ("]" in a section, "=" in a key), and no
// key that would read as a section ("[" first).
bool isValidProfileName(const QString& name, bool isSection);

// Removes the temporary files a write of `path` leaves when it is killed between
// creating the temporary file and replacing the old file: "<file name>.XXXXXX" (six
// letters or digits) beside it, regular files last changed at least `minimumAgeSeconds`
// ago (a younger one may belong to a write still running in another instance).
// Returns how many were removed.
int removeStaleProfileTemporaries(const QString& path, int minimumAgeSeconds = 60);

// The text form of a number in the settings file: one space before a number that is not
// negative (" 300", " 0"), the minus sign before a negative one ("-1").
QString profileNumberText(int value);

} // namespace tarvello
