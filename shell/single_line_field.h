#pragma once
// Text boxes whose text stays on one line. A line break typed or pasted into a box would
// otherwise be saved as it stands and split its line of the settings file.

class QLineEdit;

namespace tarvello {

// From now on every change of `box` (typing, paste, drop, setText) loses its line breaks
// and NULs (platform singleLine): pasting "1000", a line break and "[Common]" gives
// "1000[Common]", which the field check then refuses as it refuses any other text. The
// box's current text is cleaned at once. The box must have no validator of its own.
void keepSingleLine(QLineEdit* box);

} // namespace tarvello
