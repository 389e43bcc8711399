#pragma once
// The settings file Tarvello.ini in the program folder: reading and writing single keys,
// and saving and restoring the text boxes of a selection window. Every call goes to the
// file; nothing is cached.

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class QLineEdit;

namespace tarvello {

// The value of `key` in `section`, at most 255 characters; empty when the file, the
// section or the key is missing.
QString LeggiIni(const QString& section, const QString& key);

// Writes the value, creating the file, section or key as needed; a line break in the
// value is taken out, so the value stays on its line. Returns false when the file could
// not be written (the old file is then unchanged); the user is then told, with the
// path of the settings file, that the setting could not be saved.
bool ScriviIni(const QString& section, const QString& key, const QString& value);

// Writes several keys of one section in one rewrite of the file, as ScriviIni does for
// one: all or none, and one message when none could be saved.
bool writeSettings(const QString& section, const QList<QPair<QString, QString>>& keysAndValues);

// The message that the settings file `path` could not be written, in the current
// language.
QString settingsNotSavedMessage(const QString& path);

// Makes a saved number match the decimal separator `decimalSep`: the first "," (when
// the separator is not ",") or the first "." (when it is) becomes the separator. Only
// the first occurrence changes. With no known separator the text stays as it is.
QString matchDecimalSeparator(const QString& text, const QString& decimalSep);

// Saves the text of each box under its object name, which is the key: "txtTw1(0)" for
// an element of a control array, the bare name ("txtTbu") otherwise. `textBoxes` is the
// window's control order, declared by the window; a box without a name is skipped. All
// boxes go to the file in one write; a failure is told to the user once.
void SalvaCampi(const QList<QLineEdit*>& textBoxes, const QString& section);

// Restores the boxes saved by SalvaCampi in the same order: a missing key empties the
// box; the decimal separator is matched to `DecimalSep`.
void RipristinaCampi(const QList<QLineEdit*>& textBoxes, const QString& section);

// A 16-bit integer read from the settings ("  300", "-1"); nothing when the text is not
// an integer in range.
std::optional<qint16> profileInteger(const QString& text);

} // namespace tarvello
