#pragma once
// Units of measure of the five quantities the user may choose. The engine works in W,
// m³/s (air and water flow), kPa (water pressure drop) and Pa (air pressure); a shown
// value is the internal value times the factor of the chosen unit, formatted with its
// display mask.

#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

struct UnitChoice {
    QStringList names;    // as listed in the units window, index order
    QList<float> factors; // shown value = internal value × factor
    QStringList masks;    // display masks (see display_mask.h)
    qint16 index = 0;     // the chosen unit, counted from 0

    // The current unit, or the first one when `index` is out of range.
    QString name() const;
    float factor() const;
    QString mask() const;

    double toShown(double internal) const { return internal * double(factor()); }
    double toInternal(double shown) const { return shown / double(factor()); }
    // The internal value in the current unit, formatted with its mask and the locale's
    // decimal separator.
    QString format(double internal) const;

    // Sets `index`, falling back to 0 when `candidate` names no unit.
    void choose(int candidate);

private:
    int safeIndex() const;
};

extern UnitChoice UnitPt;  // power, internal W
extern UnitChoice UnitQa;  // air flow, internal m³/s
extern UnitChoice UnitQw;  // water flow, internal m³/s
extern UnitChoice UnitDpW; // water pressure drop, internal kPa
extern UnitChoice UnitDpA; // air pressure, internal Pa

// Fills the names, factors and masks of the five quantities (indexes untouched).
void fillUnitTables();

// Fills the unit tables, reads the five unit indexes from section "Unmis" and the
// language settings (see language.h). A missing, non-numeric or out-of-range index
// gives unit 0.
void CaricaUnita();

} // namespace tarvello
