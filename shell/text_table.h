#pragma once
// The table of user-interface texts: offsets 1..kTextOffsets in six languages, compiled
// into the program as a resource. Offsets 1..128 are the classic table; later offsets
// were added with new features (129..132: saving a report as PDF; 133: a setting that
// could not be saved; 134..160: the models a run did not list, with their reasons and
// figures; 161: heating water that would leave no warmer than the air; 162..172: a document
// or address that could not be opened, in plain words, with what the user can do; 173..214:
// the details panel, the psychrometric and fan curve charts and the datasheet). A language is
// addressed by its base (Italian 100, English 300, French 500, German 700, Spanish 900,
// Polish 1100).
// 215..218: the units window's temperature list and its metric / US switch.
// 219..230: fan power, unit data and energy indexes (details, datasheet, schedules).
// 231..280: the project in the windows (add to project, File menu, schedule window).

#include <QString>

namespace tarvello {

constexpr int kClassicTextOffsets = 128;
constexpr int kTextOffsets = 280;
constexpr int kLanguageBases[] = {100, 300, 500, 700, 900, 1100};

// True for the six language bases above.
bool isLanguageBase(int langBase);

// The text with `offset` in the language `langBase`, exactly as stored (trailing blanks
// kept). Spanish and Polish have no text for a few offsets: those give the English text.
// An unknown base or offset gives an empty text.
QString textForLanguage(int langBase, int offset);

} // namespace tarvello
