#pragma once
// The current language: texts by offset, the language read at start, and re-captioning
// the main window after a change.

#include <QLocale>
#include <QString>

namespace tarvello {

// The text with `offset` (1..128) in the current language `LangBase`.
QString Testo(int offset);

// The language base of a locale when it speaks one of the six languages, else English.
qint16 languageBaseOf(const QLocale& locale);

// Reads "Multi" (section "Common") into `LangBase` and the code of that language into
// `LangCode`. A missing or broken "Multi" gives the system locale's language.
void readLanguageSettings();

// Re-reads `LangCode` for the current `LangBase` and sets the captions of the main window
// (creating it on its first use).
void ImpostaLingua();

} // namespace tarvello
