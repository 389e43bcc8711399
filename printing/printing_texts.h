#pragma once
// Offsets of the text table used by the print options window beyond the classic texts:
// saving the report as PDF.

#include <QString>

namespace tarvello {

constexpr int kTextSavePdf = 129;        // the button that saves the report as PDF
constexpr int kTextSavePdfTitle = 130;   // title of the file dialog
constexpr int kTextNoPrinterTitle = 131; // title of the file dialog when there is no printer
constexpr int kTextPdfFilter = 132;      // file type of the file dialog

// The text with `offset` (129 and up) in the language `langBase`; English for an unknown
// language base, empty for an unknown offset.
QString printingTextForLanguage(int langBase, int offset);

// The same in the current language.
QString printingText(int offset);

} // namespace tarvello
