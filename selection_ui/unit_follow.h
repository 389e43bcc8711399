#pragma once
// A selection window that stays open while the user changes units: its typed values are
// converted in place and its unit labels follow.

#include "shell/units.h"

#include <functional>

class QWidget;

namespace tarvello {

using UnitChangeHandler = std::function<void(const UnitSelection& from, const UnitSelection& to)>;

// Calls `handler` on every change of the user's units for as long as `window` lives.
void followUnitChanges(QWidget* window, const UnitChangeHandler& handler);

// Sets every temperature unit label of `window` (object names "lblumT...", "lblumt...")
// to the current temperature unit.
void showTemperatureUnit(QWidget* window);

} // namespace tarvello
