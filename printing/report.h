#pragma once
// The printed report of a selection: a header with the logo and the program name, the title
// block with the window caption and the date, the selection inputs, and the results grid
// column by column (or, for the window print, an image of the selection window). Drawn on
// a `ReportCanvas`; opening and ending the document is the caller's.

#include "printing/report_canvas.h"
#include "printing/report_layout.h"
#include "printing/report_source.h"

#include <QDate>
#include <QImage>

namespace tarvello {

struct ReportChoices {
    PrintChoice choice = PrintChoice::AllModels;
    // `chkenddoc`: continue on the open page, 10 mm below the last report, without header.
    bool continueOnPage = false;
    QDate date;  // printed in the title block as DD/MM/YYYY
    QImage logo; // printed at the top left of each new report
};

constexpr const char* kReportProgramTitle = "Tarvello Selection Program";
constexpr const char* kReportReleasePrefix = "Tarvello  - Rel. ";

// Prints a heading in lines of at most `width` characters (`headingLines`), each line at
// (x, y) right-aligned in a field of `width` characters, y growing by 4 mm a line. The
// canvas is left on the heading's last line.
void StampaIntestazione(ReportCanvas& canvas, const QString& text, double x, double y, int width);

// The report of the KX window and of the ducted window: the same but for the x positions of
// the input summary (`inputColumnsOf`). Steps 3 to 9 of the report; the caller has opened
// the page and ends the document.
void StampaKX(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices);
void StampaMRZ(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices);

// The routine the source names.
void printReport(ReportCanvas& canvas, const ReportSource& source, const ReportChoices& choices);

// The margin of the printable area on every side of the sheet.
constexpr double kReportMarginMm = 10.0;

// True when the results of `source` do not fit across an A4 portrait page at their full
// size, so that the report should go on a landscape page.
bool reportNeedsLandscape(const ReportSource& source, PrintChoice choice);

// The logo picture of the report header (from the resources).
QImage reportLogo();

} // namespace tarvello
