#pragma once
// The datasheet of one selected unit: a two-page document for a submittal. Page one: the
// design conditions, the full performance of the unit (the details rows), the model's data,
// its sound at every speed and the project data when there is one; page two: the
// psychrometric chart and the fan curve chart. Drawn by one routine onto any paged device
// (a PDF file or a printer), with the report's typeface.

#include "engine/model_table.h"
#include "printing/report_canvas.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

class QPagedPaintDevice;
class QPainter;

namespace tarvello {

// What a project adds to the datasheet of one of its items.
struct DatasheetProject {
    QString project;
    QString item; // the room or the reference of the item
};

struct DatasheetSource {
    QString caption; // the product line as the window shows it
    RunRequest request;
    ModelOutcome model; // listed
    const ModelTable* table = nullptr;
    QDate date;
    std::optional<DatasheetProject> project;
};

inline constexpr int kDatasheetPages = 2;

// Draws the datasheet on `device` (the painter active on it, the page set up by the caller).
// Every text drawn is added to `drawn` when given. Throws PrintError when a page cannot be
// started.
void drawDatasheet(QPainter& painter, QPagedPaintDevice& device, const DatasheetSource& source,
                   QList<DrawnText>* drawn = nullptr);

// Writes the datasheet as an A4 PDF file at `path`. Throws PrintError (the file cannot be
// written: kFileAccessErrorNumber).
void saveDatasheetPdf(const QString& path, const DatasheetSource& source);

// The suggested file name of a datasheet: "Datasheet <model> <date>.pdf", characters file
// systems refuse replaced.
QString suggestedDatasheetName(const QString& model, const QDate& date);

} // namespace tarvello
