#pragma once
// The wiring diagrams that Pinvale opens: one A4 sheet per document, drawn from the
// configuration code(s) that the document serves. Used by the build-time writer only.

#include "configurator/wiring/drawn_sheet.h"

#include <QPainter>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace pinvale::wiring {

// An option that some of the codes served by one document have and others lack is drawn
// as "where fitted".
enum class Fit { Absent, Present, WhereFitted };

// What the diagram shows, decoded from the seven digits of the configuration code
// (Opt_KXA, Opt_SingleControl, Opt_2pipe, Opt_BuiltIn, chk_heater, Chk_valves,
// Opt_Centralised).
struct WiringFeatures {
    bool kxa = true;            // KXA/KXH/KXE fan coil; otherwise the KXR ducted unit
    bool singleControl = true;  // otherwise one controller for up to 4 units
    bool twoPipe = true;        // otherwise 4-pipe: a heating and a cooling valve
    bool builtIn = true;        // controller QNTB2 in the unit; otherwise QNTR2 on the wall
    Fit heater = Fit::Absent;
    Fit valves = Fit::Absent;
    Fit centralised = Fit::Absent;  // changeover by an external contact
    QStringList codes;              // the configuration codes the sheet serves
};

// The features of one code ("1111000"); nullopt for anything but seven 0/1 digits.
std::optional<WiringFeatures> featuresOfCode(const QString& code);

// The features of a document shared by several codes: the kinds of the first code, each
// option present, absent or "where fitted". `codes` must not be empty.
WiringFeatures featuresOfCodes(const std::vector<WiringFeatures>& codes);

// The descriptive lines of the title block ("Model: KXA, KXH, KXE", ...).
QStringList configurationLines(const WiringFeatures& features);

// Draws the sheet into `painter`, whose coordinates are millimetres on an A4 landscape
// page (297 x 210), and gives what was drawn.
DrawnSheet drawWiringDiagram(QPainter& painter, const WiringFeatures& features, const QString& title);

} // namespace pinvale::wiring
