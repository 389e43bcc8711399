#pragma once
// What a wiring diagram sheet shows, recorded by the drawing itself as it draws: the terminal
// strips, the symbols with their drawn state, the wires between named points, the legend,
// the cable table and the units on the bus. Tests and reviews read this instead of pixels.
//
// Wire ends are named "X1:E1" (terminal E1 on strip X1), "A1:L" (a terminal of the
// controller), "U2:A" (terminal A of unit 2 on the bus), an item code ("E1", "TS", "K1"),
// "N" (the neutral rail) or "PE" (the protective earth conductor to the unit's frame).

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace pinvale::wiring {

// Mains terminals and safety extra-low-voltage terminals never share a strip.
enum class Circuit { Mains, Selv };

enum class Symbol {
    FanMotor,             // permanent-split-capacitor motor, three speed taps
    RunCapacitor,         // the motor's run capacitor
    ValveActuator,
    HeaterElement,
    RelayContact,         // normally open contact of a controller relay
    SafetyThermostat,     // normally closed cutout
    WaterSensor,
    ChangeoverContact,    // external volt-free contact
    TerminationResistor,  // across A and B at an end of the bus
    ProtectiveEarth,      // connection to the unit's frame
};

struct DrawnTerminal {
    int number = 0;
    QString label;
};

struct DrawnStrip {
    QString name;  // "X1"
    Circuit circuit = Circuit::Mains;
    std::vector<DrawnTerminal> terminals;
};

struct DrawnSymbol {
    QString item;  // "TS"
    Symbol symbol = Symbol::FanMotor;
    bool contactClosed = false;  // a contact as drawn, the unit at rest
    bool whereFitted = false;
};

struct LegendEntry {
    std::optional<Symbol> symbol;  // none for the line styles
    QString text;
};

// One row of the cable table: a group of terminals and what it is wired with.
struct CableRow {
    QString group;      // "Bus"
    QString terminals;  // "X2 A, B, GND"
    Circuit circuit = Circuit::Mains;
    QString conductor;  // "0.5 mm²"
    QString cable;      // "shielded twisted pair + GND"
};

// A unit of the installation: 1 is the unit of this sheet, 2 to 4 the units on its bus.
struct DrawnUnit {
    int number = 1;
    // Switches 1 to 7 as drawn: ON, OFF, or nullopt for a position chosen in Pinvale.
    std::vector<std::optional<bool>> dipSwitches;
    bool terminated = false;  // a termination resistor across its A and B
};

struct DrawnSheet {
    std::vector<DrawnStrip> strips;
    std::vector<DrawnSymbol> symbols;
    std::vector<std::pair<QString, QString>> wires;
    std::vector<LegendEntry> legend;
    std::vector<CableRow> cables;
    std::vector<std::pair<QString, QString>> components;  // item code, description
    std::vector<DrawnUnit> units;
    QStringList notes;  // the installer's notes under the diagram
    QStringList texts;  // every text on the sheet, in drawing order

    bool hasWire(const QString& a, const QString& b) const;
    const DrawnSymbol* symbol(const QString& item) const;
    const DrawnStrip* strip(const QString& name) const;
    const LegendEntry* legendFor(Symbol symbol) const;
    QString component(const QString& item) const;  // its description, empty when not listed
};

} // namespace pinvale::wiring
