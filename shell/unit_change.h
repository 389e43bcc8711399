#pragma once
// A change of the user's units while the program runs: the saved fields of both selection
// windows are rewritten in the new units, and an open selection window is told so that it
// converts the values typed in its fields in place.

#include "shell/units.h"

#include <QObject>

namespace tarvello {

class UnitChangeNotifier : public QObject {
    Q_OBJECT
signals:
    // The units have just changed from `from` to `to` (the index globals hold `to`).
    void unitsChanged(const tarvello::UnitSelection& from, const tarvello::UnitSelection& to);
};

// The one notifier selection windows listen to.
UnitChangeNotifier& unitChanges();

// The settings sections of the selection windows' fields (the KX window, the ducted window).
inline const QStringList kSelectionFieldSections{QStringLiteral("Data1"), QStringLiteral("Data2")};

// Makes `to` the current units. When they differ from the current ones, the fields saved
// in the settings file are converted and open windows are told.
void changeUnits(const UnitSelection& to);

} // namespace tarvello
