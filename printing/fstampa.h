#pragma once
// The print options window: what to print (an image of the selection window, all models or
// the marked models), the page orientation, and whether several calculations go on one
// sheet. It is loaded on the first print and only hidden after each report, so the choices
// stay as the user left them; a document kept open for further reports ends with
// "Fine pagina", with a report printed with the option cleared, or when the window unloads.
//
// Beyond the printer, the report can be saved as a PDF file; without any printer that is
// what "Stampa" does.

#include "printing/printer_check.h"
#include "printing/report.h"
#include "printing/report_document.h"
#include "printing/report_source.h"

#include <QDialog>

#include <memory>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvello {

class FStampa : public QDialog {
    Q_OBJECT
public:
    explicit FStampa(QWidget* parent = nullptr);
    ~FStampa() override;

    // The report the next print makes: the selection window that opened the options.
    // A report whose results need a landscape page starts with landscape chosen.
    void setSource(const ReportSource& source);
    // Whether the printer accepts an orientation. `SSFrame1` is offered either way: a PDF
    // file always takes the orientation chosen, a printer only when it accepts one.
    void setOrientationAvailable(bool available);
    // The orientation a document on `destination` is started with; none keeps the
    // printer's own.
    std::optional<QPageLayout::Orientation> orientationFor(ReportDestination destination) const;

    void cmdStampa_Click();
    void cmdFinePag_Click();
    void cmdAnnulla_Click();
    void cmdSavePdf_Click();

    // Whether a document is open, waiting for further reports on its sheet.
    bool hasOpenDocument() const { return document_ != nullptr; }

    QLabel* logo = nullptr;
    QRadioButton* optStm[3] = {};
    QCheckBox* chkenddoc = nullptr;
    QGroupBox* SSFrame1 = nullptr;
    QRadioButton* optvert = nullptr;
    QRadioButton* optOriz = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdSavePdf = nullptr;
    QPushButton* cmdFinePag = nullptr;
    QPushButton* cmdAnnulla = nullptr;

private:
    void buildControls();
    void setCaptions();
    void optStm_Click();
    void chkenddoc_Click();

    PrintChoice choice() const;
    bool keepsDocumentOpen() const;
    void printTo(ReportDestination destination, const QString& dialogTitle);
    void endDocument();
    void showPrintError(int number);

    ReportSource source_;
    bool printerTakesOrientation_ = false;
    std::unique_ptr<ReportDocument> document_;
};

// The print options window, loaded on first use.
FStampa* fstampa();

// cmdStampa_Click of both selection windows: `StampanteDisponibile` decides whether the page
// orientation is offered, then the print options window opens modally, on the screen of
// `owner`, for the report of `source`.
void showPrintOptions(QWidget* owner, const ReportSource& source);

// The folder the PDF file dialog starts in: the last folder chosen in this run, else the
// user's documents folder.
QString pdfStartFolder();

} // namespace tarvello
