#pragma once
// The texts of the product information documents in the six languages of the program.
// The document title and the line titles are the program's own texts (Testo 1, 11, 88,
// 128), so the documents name things as the windows do; everything else is here.

#include <QString>

#include <array>

namespace tarvello::productdocs {

struct DocumentTexts {
    const char* locale;          // number formatting, e.g. "it_IT"
    QString maker;
    QString subtitle;            // under the title on the first page
    QString rangeHeading;        // the list of lines on the first page
    std::array<QString, 3> lineSubtitle;
    std::array<QString, 3> lineIntro; // %1: external static pressure in Pa (ducted lines)
    // %1 models, %2 fan speeds, %3..%6 cooling low W, model, high W, model,
    // %7..%10 the same for heating.
    QString rangeSentence;
    QString conditionsHeading;
    QString coolingConditions;
    QString heatingConditions;
    QString fanCoilAirSide;
    QString ductedAirSide;       // %1: external static pressure in Pa
    QString waterNote;
    QString variantsNote;
    QString readingNote;
    QString dashNote;
    QString sourceNote;          // %1: program version
    QString continued;
    QString page;                // %1: page number
    // Table headings.
    QString model, speed, airFlow, cooling, heating, sound;
    QString total, sensible, waterFlow, waterDrop, water, capacity;
    // The fan power column and the unit data table.
    QString fanPower;            // column heading, per speed
    QString unitDataHeading;
    QString dimensions;          // width × height × depth
    QString weight, connection, heatingConnection, waterContent, supply, current;
    QString energyNote;          // how FCEER and FCCOP are worked out and classed
};

// The texts of the language with base 100 (Italian), 300 (English), 500 (French),
// 700 (German), 900 (Spanish) or 1100 (Polish); nullptr for any other base.
const DocumentTexts* textsForLanguage(int languageBase);

} // namespace tarvello::productdocs
