#pragma once
// Adapter, until the KX window offers its field handlers on their own: the leave-field rules
// that the ducted window shares with the KX window, written once over the boxes they work
// on. The water alternatives (a water flow discards a leaving water temperature and the
// reverse, the leaving temperature checked against the entering one) and a dry bulb, wet
// bulb and humidity triple (either of the last two fills the other).

#include "selection_kx/field_checks.h"

class QLineEdit;
class QWidget;

namespace tarvello {

// Leaving txtQw(i): a water flow discards the leaving water temperature.
void waterFlowLeft(QLineEdit* leavingWater, QLineEdit* waterFlow);

// Leaving txtTw2(i) towards `now`: a leaving temperature discards the water flow, and one
// on the wrong side of the entering temperature is reported (Testo(111) in cooling,
// Testo(102) in heating) with the focus back on the leaving temperature.
void leavingWaterLeft(int mode, QLineEdit* enteringWater, QLineEdit* leavingWater, QLineEdit* waterFlow,
                      const QWidget* now);

struct WetBulbTriple {
    QLineEdit* dryBulb = nullptr;
    QLineEdit* wetBulb = nullptr;
    QLineEdit* humidity = nullptr;
};

// Leaving the wet bulb towards `now`: a wet bulb not below the dry bulb is reported
// (Testo(110)) and empties the humidity; otherwise the humidity is worked out.
void wetBulbLeft(const WetBulbTriple& fields, const QWidget* now);

// Leaving the humidity towards `now`: its range check (the result is returned), then the
// wet bulb worked out from it, or, with no humidity, the humidity from the wet bulb.
bool humidityLeft(const WetBulbTriple& fields, const RangeRule& humidityRange, const QWidget* now);

} // namespace tarvello
