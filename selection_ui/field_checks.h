#pragma once
// The field checks of the selection windows: reading a typed number, the range check made
// when the user leaves a field (CheckRange), the text selection on entering a field
// (SelectAllText). The ducted window uses them too.

#include <QString>

#include <optional>

class QLineEdit;
class QWidget;

namespace tarvello {

// The number a field holds, read with the locale's decimal separator (the other one of
// "." and "," is accepted as well, the keyboard handling types either as the separator);
// blanks around it are allowed. Empty when the text is not a number or does not fit a
// single-precision value.
std::optional<float> fieldNumber(const QString& text);

// The number a field holds, 0 when it holds none (empty, not a number, too large).
float fieldNumberOrZero(const QString& text);

// The number at the start of the text, read as far as it forms one ("12x" gives 12, "x"
// and the empty text give 0). Blanks before it are skipped. Digits beyond the range of a
// double give the largest double of their sign.
double leadingNumber(const QString& text);

// A number in the locale's general format: up to 7 significant digits, no group
// separators ("18", "8.16", "-15").
QString generalNumber(double value);

// A stored value as a field shows it when it is filled in again: `decimals` places at
// most, the locale's separator.
QString fieldValue(double value, int decimals);

// A temperature (°C) as a field shows it, in the user's temperature unit.
QString temperatureValue(double celsius);

// The object name of element `index` of the control array `name` ("txtTw1(0)").
QString indexedName(const char* name, int index);

// The limits of one field.
struct RangeRule {
    float minimum = 0;
    float maximum = 0;
    QString unit;              // "°C", "%", or a unit name
    bool zeroAllowed = false;  // an empty or zero field counts as not given
};

// What leaving a field does when no command button takes the focus.
struct RangeVerdict {
    bool outOfRange = false;
    QString text;    // the field's text afterwards
    QString message; // shown when out of range
};
RangeVerdict checkRangeText(const QString& text, const RangeRule& rule);

// The range message: the limits with their unit, then the value the field is set to.
QString rangeMessage(const RangeRule& rule);

// A push button of the window (not a check box).
bool isCommandButton(const QWidget* control);

// A command button, or the mode list "cbofunz": leaving a field for one of them skips
// the field checks.
bool skipsFieldChecks(const QWidget* receivingFocus);

// CheckRange: checks `box` when the focus moves from it to `receivingFocus`. True when the
// value was out of range: the critical message has been shown, the box holds the minimum
// and has the focus again.
bool CheckRange(QLineEdit* box, const RangeRule& rule, const QWidget* receivingFocus);

// The same with the limits given one by one.
bool CheckRange(QLineEdit* box, float minimum, float maximum, const QString& unit, bool zeroAllowed,
                const QWidget* receivingFocus);

// SelectAllText: the whole text of a text box, or of the text part of a list, selected.
void SelectAllText(QWidget* box);

} // namespace tarvello
