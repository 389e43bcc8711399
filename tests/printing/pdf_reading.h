#pragma once
// Reading a report back from its PDF file with poppler's tools: the text as laid out, the
// words with their positions, the page count and the embedded pictures.

#include <QList>
#include <QString>

namespace tarvello::testing {

// `pdftotext -layout`: the text with its lines and columns kept.
QString pdfLayoutText(const QString& pdfPath);

// One word of `pdftotext -bbox`, its box in millimetres from the top left of the sheet.
struct PdfWord {
    int page = 0; // from 1
    QString text;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};
QList<PdfWord> pdfWords(const QString& pdfPath);

// The words equal to `text`, in reading order.
QList<PdfWord> wordsNamed(const QList<PdfWord>& words, const QString& text);

int pdfPageCount(const QString& pdfPath);
int pdfImageCount(const QString& pdfPath);

// Whether poppler's tools are installed (the tests that need them skip otherwise).
bool popplerAvailable();

} // namespace tarvello::testing
