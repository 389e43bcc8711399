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

// The settings file in the program folder.
QString settingsFilePath();

} // namespace tarvello
