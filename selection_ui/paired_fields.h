#pragma once
// Fields that fill or clear each other, shared by both selection windows: the two water
// alternatives (leaving water temperature or water flow) and the pair wet bulb / relative
// humidity of an air state. Each function is the handler of leaving one field; the
// caller passes the boxes of the pair and the control that receives the focus.

#include "selection_ui/field_checks.h"

class QLineEdit;
class QWidget;

namespace tarvello {

// The boxes of one mode's water side.
struct WaterFields {
    QLineEdit* waterIn = nullptr;  // txtTw1(i)
    QLineEdit* waterOut = nullptr; // txtTw2(i)
    QLineEdit* waterFlow = nullptr; // txtQw(i)
};

// Leaving the water flow: a flow above 0 discards a leaving temperature above 0.
void leaveWaterFlow(const WaterFields& water);

// Leaving the leaving water temperature: a temperature above 0 discards a flow above 0;
// an entering temperature that is no number reads "0"; unless a command button takes the
// focus, a leaving temperature on the wrong side of the entering one (cooling: not above
// it, heating: not below it) is reported and gets the focus back. True when reported.
bool leaveWaterOut(const WaterFields& water, int mode, const QWidget* receivingFocus);

// The boxes of one air state in cooling.
struct AirStateFields {
    QLineEdit* dryBulb = nullptr;  // °C
    QLineEdit* wetBulb = nullptr;  // °C
    QLineEdit* humidity = nullptr; // %
};

// Leaving the wet bulb (unless for a command button or the mode list): with both temperatures above 0, a
// wet bulb not below the dry bulb is reported (humidity emptied, focus back), otherwise
// the humidity is worked out ("##.0").
void leaveWetBulb(const AirStateFields& air, const QWidget* receivingFocus);

// Leaving the humidity: its range check (the result is returned for the window's flag),
// then the wet bulb worked out from a humidity above 0 that was not just reported; an
// empty humidity is filled from the wet bulb.
bool leaveHumidity(const AirStateFields& air, const RangeRule& humidityRange, const QWidget* receivingFocus);

} // namespace tarvello
