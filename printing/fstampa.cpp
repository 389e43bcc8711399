#include "printing/fstampa.h"

#include "printing/pdf_file_chooser.h"
#include "printing/printing_texts.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/language.h"
#include "shell/message_sink.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <exception>

namespace tarvello {

namespace {

constexpr int kLogoWidthPixels = 150;

QString& lastPdfFolder()
{
    static QString folder;
    return folder;
}

// The hourglass while a report is drawn; back to normal before any message or dialog.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void restore()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

} // namespace

FStampa::FStampa(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FStampa"));
    buildControls();
    setCaptions();
    optStm[1]->setChecked(true);
    optvert->setChecked(true);
    cmdFinePag->setVisible(false);
    adjustSize();
    CentraForm(this);
    Forms::loaded(this);
}

FStampa::~FStampa()
{
    Forms::forget(this);
    // An open document is ended, not dropped: its reports are printed or written.
    if (document_) {
        try {
            document_->end();
        } catch (const PrintError&) {
            // Nobody is left to tell; the painter is closed in any case.
        }
    }
}

void FStampa::buildControls()
{
    auto* layout = new QVBoxLayout(this);
    logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("logo"));
    const QImage picture = reportLogo();
    if (!picture.isNull())
        logo->setPixmap(QPixmap::fromImage(picture.scaledToWidth(kLogoWidthPixels, Qt::SmoothTransformation)));
    layout->addWidget(logo);

    for (int i = 0; i < 3; ++i) {
        optStm[i] = new QRadioButton(this);
        optStm[i]->setObjectName(QStringLiteral("optStm(%1)").arg(i));
        layout->addWidget(optStm[i]);
        connect(optStm[i], &QRadioButton::clicked, this, [this] { optStm_Click(); });
    }
    chkenddoc = new QCheckBox(this);
    chkenddoc->setObjectName(QStringLiteral("chkenddoc"));
    layout->addWidget(chkenddoc);
    connect(chkenddoc, &QCheckBox::toggled, this, [this] { chkenddoc_Click(); });

    SSFrame1 = new QGroupBox(this);
    SSFrame1->setObjectName(QStringLiteral("SSFrame1"));
    auto* frameLayout = new QHBoxLayout(SSFrame1);
    optvert = new QRadioButton(SSFrame1);
    optvert->setObjectName(QStringLiteral("optvert"));
    optOriz = new QRadioButton(SSFrame1);
    optOriz->setObjectName(QStringLiteral("optOriz"));
    frameLayout->addWidget(optvert);
    frameLayout->addWidget(optOriz);
    layout->addWidget(SSFrame1);

    auto* buttons = new QHBoxLayout;
    const auto addButton = [this, buttons](const char* name, void (FStampa::*handler)()) {
        auto* button = new QPushButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        buttons->addWidget(button);
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        return button;
    };
    cmdStampa = addButton("cmdStampa", &FStampa::cmdStampa_Click);
    cmdSavePdf = addButton("cmdSavePdf", &FStampa::cmdSavePdf_Click);
    cmdFinePag = addButton("cmdFinePag", &FStampa::cmdFinePag_Click);
    cmdAnnulla = addButton("cmdAnnulla", &FStampa::cmdAnnulla_Click);
    layout->addLayout(buttons);
}

void FStampa::setCaptions()
{
    setWindowTitle(Testo(71));
    optStm[0]->setText(Testo(77));
    optStm[1]->setText(Testo(76));
    optStm[2]->setText(Testo(79));
    chkenddoc->setText(Testo(46));
    SSFrame1->setTitle(Testo(42));
    optvert->setText(Testo(89));
    optOriz->setText(Testo(43));
    cmdStampa->setText(Testo(74));
    cmdSavePdf->setText(printingText(kTextSavePdf));
    cmdFinePag->setText(Testo(31));
    cmdAnnulla->setText(Testo(13));
}

void FStampa::setSource(const ReportSource& source)
{
    source_ = source;
    if (reportNeedsLandscape(source_, PrintChoice::AllModels))
        optOriz->setChecked(true);
}

void FStampa::setOrientationAvailable(bool available)
{
    printerTakesOrientation_ = available;
    SSFrame1->setEnabled(true);
}

void FStampa::optStm_Click()
{
    chkenddoc->setEnabled(!optStm[0]->isChecked());
}

void FStampa::chkenddoc_Click()
{
    cmdFinePag->setVisible(chkenddoc->isChecked());
}

PrintChoice FStampa::choice() const
{
    if (optStm[0]->isChecked())
        return PrintChoice::Window;
    if (optStm[2]->isChecked())
        return PrintChoice::MarkedModels;
    return PrintChoice::AllModels;
}

bool FStampa::keepsDocumentOpen() const
{
    // An unavailable option (the window print) keeps nothing open, whatever its tick.
    return chkenddoc->isEnabled() && chkenddoc->isChecked();
}

std::optional<QPageLayout::Orientation> FStampa::orientationFor(ReportDestination destination) const
{
    if (destination == ReportDestination::Printer && !printerTakesOrientation_)
        return std::nullopt;
    return optvert->isChecked() ? QPageLayout::Portrait : QPageLayout::Landscape;
}

void FStampa::cmdStampa_Click()
{
    if (hasDefaultPrinter())
        printTo(ReportDestination::Printer, QString());
    else
        printTo(ReportDestination::PdfFile, printingText(kTextNoPrinterTitle));
}

void FStampa::cmdSavePdf_Click()
{
    printTo(ReportDestination::PdfFile, printingText(kTextSavePdfTitle));
}

void FStampa::cmdFinePag_Click()
{
    WaitCursor wait;
    try {
        endDocument();
    } catch (const PrintError& error) {
        wait.restore();
        showPrintError(error.number);
    }
}

void FStampa::cmdAnnulla_Click()
{
    hide();
}

void FStampa::printTo(ReportDestination destination, const QString& dialogTitle)
{
    const bool continuesDocument = document_ && document_->destination() == destination;
    QString pdfPath;
    if (!continuesDocument && destination == ReportDestination::PdfFile) {
        const QString suggested =
            QDir(pdfStartFolder()).filePath(suggestedPdfName(source_.caption, QDate::currentDate()));
        pdfPath = pdfFileChooser().chooseFile(this, dialogTitle, suggested, printingText(kTextPdfFilter));
        if (pdfPath.isEmpty())
            return; // cancelled: nothing printed, the options stay open
        pdfPath = withPdfSuffix(pdfPath);
        lastPdfFolder() = QFileInfo(pdfPath).absolutePath();
    }

    WaitCursor wait;
    try {
        if (!continuesDocument) {
            endDocument(); // a sheet kept open on the other destination is finished first
            document_ = destination == ReportDestination::PdfFile
                            ? ReportDocument::toPdfFile(pdfPath, orientationFor(destination))
                            : ReportDocument::onDefaultPrinter(orientationFor(destination));
        }
        ReportChoices choices;
        choices.choice = choice();
        choices.continueOnPage = keepsDocumentOpen();
        choices.date = QDate::currentDate();
        choices.logo = reportLogo();
        printReport(document_->canvas(), source_, choices);
        if (!keepsDocumentOpen())
            endDocument();
    } catch (const PrintError& error) {
        document_.reset();
        wait.restore();
        showPrintError(error.number);
        return;
    } catch (const std::exception&) {
        document_.reset();
        wait.restore();
        showPrintError(kPrinterErrorNumber);
        return;
    }
    wait.restore();
    hide();
}

void FStampa::endDocument()
{
    if (!document_)
        return;
    const std::unique_ptr<ReportDocument> ending = std::move(document_);
    ending->end();
}

void FStampa::showPrintError(int number)
{
    messages().exclamation(Testo(112) + QStringLiteral(" : ") + QString::number(number),
                           QString::fromLatin1(kProgramTitle));
}

FStampa* fstampa()
{
    static QPointer<FStampa> window;
    if (!window)
        window = new FStampa;
    return window;
}

void showPrintOptions(QWidget* owner, const ReportSource& source)
{
    const bool orientationAvailable = StampanteDisponibile();
    FStampa* window = fstampa();
    window->setSource(source);
    window->setOrientationAvailable(orientationAvailable);
    if (owner && owner->screen())
        window->setScreen(owner->screen());
    CentraForm(window);
    window->exec();
}

QString pdfStartFolder()
{
    if (!lastPdfFolder().isEmpty() && QDir(lastPdfFolder()).exists())
        return lastPdfFolder();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

} // namespace tarvello
