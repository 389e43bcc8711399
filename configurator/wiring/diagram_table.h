#pragma once
// The table of wiring diagrams (the CSV source of `dip` in pinvale.mdb: a header line, then
// "codice,Wiring" rows) turned into the documents to draw, and the writing of one document.

#include "configurator/wiring/wiring_diagram.h"

#include <QString>

#include <vector>

namespace pinvale::wiring {

struct DiagramDocument {
    QString fileName;          // as in the `Wiring` column
    WiringFeatures features;   // merged over every code that names this document
};

// One document per distinct `Wiring` name, in order of first appearance. A row whose code
// is not a number of at most seven 0/1 digits, or whose name would leave the diagrams
// folder or names a program, makes the whole table invalid: `error` says which row.
std::vector<DiagramDocument> readDiagramTable(const QString& csvPath, QString* error);

// Writes the document as a one-page A4 landscape PDF at `path`; false when it cannot.
bool writeDiagramPdf(const QString& path, const DiagramDocument& document);

} // namespace pinvale::wiring
