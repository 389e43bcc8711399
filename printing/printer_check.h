#pragma once
// The printer test of the print buttons. Kept apart from the document code: it is the only
// thing the selection windows ask of the printer before the print options open.

namespace tarvello {

// Whether the system has a default printer at all.
bool hasDefaultPrinter();

// True when the default printer exists and accepts a page orientation: portrait is set on
// it. False when there is no printer or it refuses.
bool StampanteDisponibile();

} // namespace tarvello
