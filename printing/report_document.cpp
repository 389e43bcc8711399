#include "printing/report_document.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace tarvello {

namespace {

// Margins of the printable area: the rules of the report run from 0 to 190 mm, which
// fills an A4 portrait sheet between them.
constexpr double kMarginMm = 10.0;
constexpr int kPdfResolution = 600;

void applyLayout(QPagedPaintDevice& device, std::optional<QPageLayout::Orientation> orientation)
{
    if (orientation)
        device.setPageOrientation(*orientation);
    device.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
}

} // namespace

ReportDocument::ReportDocument(std::unique_ptr<QPagedPaintDevice> device, ReportDestination destination,
                               const QString& pdfPath, int beginErrorNumber)
    : device_(std::move(device))
    , destination_(destination)
    , pdfPath_(pdfPath)
{
    if (!painter_.begin(device_.get()))
        throw PrintError{beginErrorNumber};
    canvas_ = std::make_unique<ReportCanvas>(painter_, *device_);
}

ReportDocument::~ReportDocument()
{
    if (painter_.isActive())
        painter_.end();
}

std::unique_ptr<ReportDocument> ReportDocument::onDefaultPrinter(std::optional<QPageLayout::Orientation> orientation)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw PrintError{kPrinterErrorNumber};
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid())
        throw PrintError{kPrinterErrorNumber};
    printer->setDocName(QStringLiteral("Tarvello"));
    applyLayout(*printer, orientation);
    return std::unique_ptr<ReportDocument>(
        new ReportDocument(std::move(printer), ReportDestination::Printer, QString(), kPrinterErrorNumber));
}

std::unique_ptr<ReportDocument> ReportDocument::toPdfFile(const QString& path,
                                                          std::optional<QPageLayout::Orientation> orientation)
{
    auto writer = std::make_unique<QPdfWriter>(path);
    writer->setResolution(kPdfResolution);
    writer->setCreator(QStringLiteral("Tarvello"));
    writer->setTitle(QStringLiteral("Tarvello Selection Program"));
    writer->setPageSize(QPageSize(QPageSize::A4));
    applyLayout(*writer, orientation);
    return std::unique_ptr<ReportDocument>(
        new ReportDocument(std::move(writer), ReportDestination::PdfFile, path, kFileAccessErrorNumber));
}

void ReportDocument::end()
{
    if (!painter_.isActive())
        return;
    const bool ended = painter_.end();
    if (!ended)
        throw PrintError{destination_ == ReportDestination::PdfFile ? kFileAccessErrorNumber
                                                                     : kPrinterErrorNumber};
}

} // namespace tarvello
