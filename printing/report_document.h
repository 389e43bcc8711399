#pragma once
// An open printed document: the default printer's or a PDF file's, with the one painter
// and canvas the reports draw on. It stays open across reports while several calculations
// go on one sheet; ending it ejects the sheet or writes the file.

#include "printing/report_canvas.h"

#include <QPageLayout>
#include <QPainter>
#include <QString>

#include <memory>
#include <optional>

class QPagedPaintDevice;

namespace tarvello {

enum class ReportDestination { Printer, PdfFile };

class ReportDocument {
public:
    // Both throw PrintError when the document cannot be started. No orientation keeps the
    // printer's own (portrait for a PDF file).
    static std::unique_ptr<ReportDocument> onDefaultPrinter(std::optional<QPageLayout::Orientation> orientation);
    static std::unique_ptr<ReportDocument> toPdfFile(const QString& path,
                                                     std::optional<QPageLayout::Orientation> orientation);

    ~ReportDocument(); // ends the document if `end` was not called
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    ReportDestination destination() const { return destination_; }
    QString pdfPath() const { return pdfPath_; }
    ReportCanvas& canvas() { return *canvas_; }

    // Ends the document: the sheet is ejected or the file written. Throws PrintError.
    void end();

private:
    ReportDocument(std::unique_ptr<QPagedPaintDevice> device, ReportDestination destination,
                   const QString& pdfPath, int beginErrorNumber);

    std::unique_ptr<QPagedPaintDevice> device_;
    QPainter painter_;
    std::unique_ptr<ReportCanvas> canvas_;
    ReportDestination destination_;
    QString pdfPath_;
};

} // namespace tarvello
