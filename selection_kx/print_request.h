#pragma once
// What the print buttons of the selection windows need: the printer test and the print
// options window, which the printing part provides. Until a print options window is set,
// a print button tells the user that printing is not available yet.

#include <QString>

#include <functional>

class QWidget;

namespace tarvello {

class TextGrid;

// True when the default printer accepts a page orientation (portrait is set); false when
// there is no printer or it refuses.
bool StampanteDisponibile();

// Opens the print options window modally over `owner`; `orientationAvailable` says
// whether the page-orientation choice is offered. The report reads the results grid (its
// marked rows) and the input summary of the window.
using PrintOptionsOpener = std::function<void(QWidget* owner, bool orientationAvailable, const TextGrid& results,
                                              const TextGrid& inputs)>;
PrintOptionsOpener& printOptionsOpener();

// The message shown by a print button while no print options window is set.
QString printingNotAvailableText();

// cmdStampa_Click of both selection windows.
void requestPrint(QWidget* owner, const TextGrid& results, const TextGrid& inputs);

} // namespace tarvello
