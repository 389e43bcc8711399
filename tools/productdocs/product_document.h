#pragma once
// One product information document: a title page with the range and the standard
// conditions, then a section per product line with its introduction and its rating
// table, drawn with QPainter on a QPdfWriter (A4, Liberation Sans and Serif).

#include "tools/productdocs/document_texts.h"
#include "tools/productdocs/line_ratings.h"

#include <QString>

#include <array>

namespace tarvello::productdocs {

struct DocumentContent {
    QString code;                      // the language code of the file name, e.g. "EN"
    const DocumentTexts* texts = nullptr;
    QString title;                     // the program's "Product information" text
    std::array<QString, 3> lineTitles; // the program's captions of the three lines
    std::array<LineRatings, 3> lines;
    QString version;                   // the program version, e.g. "3.2"
};

// The file name of the document of a language code: "DTB" + code + "04-7.pdf".
QString productDocumentFileName(const QString& code);

// Writes the document to `path`. Returns an empty text on success, else why it failed.
QString writeProductDocument(const QString& path, const DocumentContent& content);

} // namespace tarvello::productdocs
