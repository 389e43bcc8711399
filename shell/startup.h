#pragma once
// The start of the selection program.

#include <QString>

namespace tarvello {

// Screens narrower than this get a warning at start, px.
constexpr int kMinimumScreenWidth = 800;
inline const QString kScreenWarning =
    QStringLiteral("You must set the screen resolution at least 800 X 600 pixels with small fonts");

// The database password of the model database.
inline const QString kModelDatabaseConnect = QStringLiteral(";PWD=kelbrun");

// The start-up sequence: decimal separator, program folder, stale temporary files of
// the settings removed, units and language from the
// settings, the splash, the model database, the main window with its chooser, the splash
// gone, the screen-width warning. Returns false when the program cannot go on (the user
// has been told why and every window is gone).
bool Main(const QString& programFolder, int screenWidthPx);

} // namespace tarvello
