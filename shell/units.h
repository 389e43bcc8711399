#pragma once
// Units of measure of the six quantities the user may choose. The engine works in W,
// m³/s (air and water flow), kPa (water pressure drop), Pa (air pressure) and °C; a shown
// value is the internal value times the factor of the chosen unit plus its offset (only
// °F has one), formatted with its display mask.
//
// The metric units come first in each list and keep their places, so an index saved by an
// older program still names the same unit; the units used in North America follow.

#include "selection/column_id.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QLineEdit;

namespace tarvello {

struct UnitChoice {
    QStringList names;    // as listed in the units window, index order
    QList<float> factors; // shown value = internal value × factor + offset
    QStringList masks;    // display masks (see display_mask.h)
    QList<float> offsets; // empty, or one per unit (0 but for °F)
    qint16 index = 0;     // the chosen unit, counted from 0

    // The current unit, or the first one when `index` is out of range.
    QString name() const;
    float factor() const;
    QString mask() const;
    float offset() const;

    double toShown(double internal) const { return internal * double(factor()) + double(offset()); }
    double toInternal(double shown) const { return (shown - double(offset())) / double(factor()); }
    // The internal value in the current unit, formatted with its mask and the locale's
    // decimal separator.
    QString format(double internal) const;

    // Sets `index`, falling back to 0 when `candidate` names no unit.
    void choose(int candidate);
    // The same table with another unit chosen.
    UnitChoice with(int candidate) const;

private:
    int safeIndex() const;
};

extern UnitChoice UnitPt;  // power, internal W
extern UnitChoice UnitQa;  // air flow, internal m³/s
extern UnitChoice UnitQw;  // water flow, internal m³/s
extern UnitChoice UnitDpW; // water pressure drop, internal kPa
extern UnitChoice UnitDpA; // air pressure, internal Pa
extern UnitChoice UnitT;   // temperature, internal °C

// Indexes of the units added after the metric ones, by table.
enum PowerUnit { PowerW = 0, PowerKcal = 1, PowerKW = 2, PowerBtuH = 3, PowerMBH = 4, PowerTons = 5 };
enum AirFlowUnit { AirFlowLs = 0, AirFlowM3s = 1, AirFlowM3h = 2, AirFlowCFM = 3 };
enum WaterFlowUnit { WaterFlowLs = 0, WaterFlowLh = 1, WaterFlowGPM = 2 };
enum WaterPressureUnit { WaterKPa = 0, WaterMH2O = 1, WaterFtWg = 2, WaterPsi = 3 };
enum AirPressureUnit { AirPa = 0, AirMmH2O = 1, AirInWg = 2 };
enum TemperatureUnit { TempCelsius = 0, TempFahrenheit = 1 };

// Fills the names, factors and masks of the six quantities (indexes untouched).
void fillUnitTables();

// Fills the unit tables, reads the unit indexes from section "Unmis" and the language
// settings (see language.h). A missing, non-numeric or out-of-range index gives unit 0,
// so a settings file of an older program, without the temperature key, starts in °C.
void CaricaUnita();

// The user's unit table of a quantity; none for sound levels. The one mapping of a
// column's quantity to the user's unit, read by the grids, the report and the exports.
const UnitChoice* userUnitOf(ColumnQuantity quantity);

// The name of the power unit for a mode: a name of two parts ("Cal/h - Frig/h") gives its
// last six characters in cooling ("Frig/h") and its first six in heating ("Cal/h ").
QString powerUnitNameForMode(const QString& name, int mode);

// The user's unit name of a quantity as a grid's unit row shows it.
QString userUnitName(ColumnQuantity quantity, int mode);

// A temperature difference (K) in the user's temperature unit: 10 K is 18 °F.
double temperatureDifferenceToShown(double kelvin);

// The six chosen indexes at once.
struct UnitSelection {
    qint16 power = 0, airFlow = 0, waterFlow = 0, waterPressure = 0, airPressure = 0, temperature = 0;
    bool operator==(const UnitSelection&) const = default;
};

UnitSelection currentUnits();
void applyUnits(const UnitSelection& units);
// W, l/s, l/s, kPa, Pa, °C: the units of a new installation.
UnitSelection metricUnits();
// Btu/h, CFM, GPM (US), ft wg, in. wg, °F.
UnitSelection imperialUnits();

// The index a selection holds for a quantity (0 for sound levels).
int unitIndexOf(const UnitSelection& units, ColumnQuantity quantity);

// "0,0,0,0,0,0": the six indexes in the order power, air flow, water flow, water pressure
// drop, air pressure, temperature; and back (nothing for a text that is not six indexes).
QString unitSelectionText(const UnitSelection& units);
std::optional<UnitSelection> parseUnitSelection(const QString& text);

// A value shown in the units `from` as shown in the units `to`.
double convertShown(double shown, ColumnQuantity quantity, const UnitSelection& from, const UnitSelection& to);

// The text of a field typed in the units `from` as the same value in the units `to`, with
// as few decimals as give back the typed value in its own precision when converted back
// and lie within one step of the new unit's mask ("80" °F gives "26.7" °C, which gives
// "80" again; "7" °C gives "44.6" °F). An empty field, a field that is no
// number and a zero (a value not given) keep their text.
QString convertedFieldText(const QString& text, ColumnQuantity quantity, const UnitSelection& from,
                           const UnitSelection& to);

// The quantity of a selection window's field by its name ("txtTw1(0)" is a temperature,
// "txtQw(1)" a water flow, "txtPotric" a power); none for shares, humidities and glycol.
std::optional<ColumnQuantity> fieldQuantity(const QString& fieldName);

// Converts every field of `boxes` with a quantity from the units `from` to `to`.
void convertFields(const QList<QLineEdit*>& boxes, const UnitSelection& from, const UnitSelection& to);

// The settings key, in a window's section, of the units its saved fields were typed in.
inline const QString kFieldUnitsKey = QStringLiteral("Unmis");

// SalvaCampi with the units of the fields saved beside them.
void saveFieldsWithUnits(const QList<QLineEdit*>& boxes, const QString& section);
// RipristinaCampi, then the fields converted from the units they were saved in to the
// current units. Fields saved without their units are taken as typed in the current units.
void restoreFieldsInUnits(const QList<QLineEdit*>& boxes, const QString& section);
// Rewrites the saved fields of `section` in the units `to` (they were typed in the units
// saved beside them, or in `from` when none were). Does nothing when the section has no
// fields or they are already in `to`.
void convertSavedFields(const QString& section, const UnitSelection& from, const UnitSelection& to);

} // namespace tarvello
