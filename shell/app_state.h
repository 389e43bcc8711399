#pragma once
// Process-wide state of the selection program that every window reads: the program
// folder, the locale's decimal separator and the current language. Set at start-up,
// the language again on every language change; it lives for the whole run.

#include <QLocale>
#include <QString>

namespace tarvello {

extern QString AppDir;     // program folder, always ending in "/"
extern QString DecimalSep; // "." or "," as the locale writes 10/3; empty if neither
extern qint16 LangBase;    // current language base: 100, 300, 500, 700, 900 or 1100
extern QString LangCode;   // document code of the current language, from the settings

constexpr const char* kProgramTitle = "Tarvello";
constexpr const char* kVersionText = "3.2";

// The decimal separator found in the locale's general format of 10/3: "." when a "."
// stands at the second place or later, else "," when a "," stands after the first place,
// else empty.
QString decimalSepOf(const QLocale& locale);

// The folder with a "/" at its end, added only when it is not there yet (a root folder
// keeps its single "/").
QString withTrailingSeparator(const QString& folder);

// The settings file in use. Beside the program when the program folder can be written
// (the build's folder, a portable copy); else, for an installed program whose folder is
// read-only, the user's own file in userConfigFolder(), made from the settings shipped
// in the program folder the first time it is needed.
QString settingsFilePath();

// Where the settings file belongs for a program folder (ending in "/"): beside the program
// unless the folder exists and cannot be written, then in the user's configuration
// folder `userFolder`. Decides only; touches no file.
QString settingsFileFor(const QString& programFolder, bool programFolderWritable, const QString& userFolder);

// The user's configuration folder for Tarvello: $XDG_CONFIG_HOME/tarvello when that is an
// absolute path, else ~/.config/tarvello.
QString userConfigFolder();

// Makes the user's settings file `userFile` from the shipped default `shippedFile` when
// it does not exist yet, creating its folder; the copy can be written by its owner. An
// existing file is never touched. Returns whether `userFile` exists afterwards.
bool ensureUserSettingsFile(const QString& shippedFile, const QString& userFile);

} // namespace tarvello
