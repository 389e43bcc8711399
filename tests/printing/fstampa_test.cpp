// The print options window driven through its controls: its rules, the report it writes
// (without a printer the report goes to a PDF file), several reports on one sheet, the
// PDF button, and printing failures.

#include "pdf_reading.h"
#include "report_samples.h"

#include "printing/fstampa.h"
#include "printing/pdf_file_chooser.h"
#include "printing/printing_texts.h"
#include "shell/app_state.h"
#include "shell/recording_message_sink.h"

#include "../shell/qt_print.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace tarvello {
namespace {

using namespace tarvello::testing;

// Answers the file dialog with a prepared file name and records what it was asked.
class ScriptedChooser : public PdfFileChooser {
public:
    ScriptedChooser() { setPdfFileChooser(this); }
    ~ScriptedChooser() override { setPdfFileChooser(nullptr); }
    ScriptedChooser(const ScriptedChooser&) = delete;
    ScriptedChooser& operator=(const ScriptedChooser&) = delete;

    QString chooseFile(QWidget*, const QString& title, const QString& suggestedPath, const QString& filter) override
    {
        titles << title;
        suggestions << suggestedPath;
        filters << filter;
        return answer;
    }

    QString answer;
    QStringList titles;
    QStringList suggestions;
    QStringList filters;
};

class FStampaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LangBase = 100;
        ASSERT_TRUE(dir.isValid());
        window = std::make_unique<FStampa>();
        window->setSource(kxCoolingSource());
        window->setOrientationAvailable(false);
        window->show();
    }

    QString pdf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    bool popplerMissing() const { return !popplerAvailable(); }

    QTemporaryDir dir;
    RecordingMessageSink messages;
    ScriptedChooser chooser;
    std::unique_ptr<FStampa> window;
};

TEST_F(FStampaTest, ControlsCarryTheirNamesAndCaptions)
{
    struct Case {
        const char* name;
        QString caption;
    };
    const Case cases[] = {
        {"optStm(0)", QStringLiteral("Stampa finestra")},
        {"optStm(1)", QStringLiteral("Stampa di tutti i modelli")},
        {"optStm(2)", QStringLiteral("Stampa solo modelli selezionati")},
        {"chkenddoc", QStringLiteral("Più calcoli sulo stesso foglio")},
        {"optvert", QStringLiteral("Verticale")},
        {"optOriz", QStringLiteral("Orizzontale")},
        {"cmdStampa", QStringLiteral("Stampa")},
        {"cmdFinePag", QStringLiteral("Fine pagina")},
        {"cmdAnnulla", QStringLiteral("Annulla")},
        {"cmdSavePdf", printingTextForLanguage(100, kTextSavePdf)},
    };
    for (const Case& c : cases) {
        auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(c.name));
        ASSERT_NE(button, nullptr) << c.name;
        EXPECT_EQ(button->text(), c.caption) << c.name;
    }
    EXPECT_EQ(window->objectName(), QStringLiteral("FStampa"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Scelta tipo di stampa"));
    auto* frame = window->findChild<QGroupBox*>(QStringLiteral("SSFrame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("Orientamento pagina"));
    auto* logo = window->findChild<QLabel*>(QStringLiteral("logo"));
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
}

TEST_F(FStampaTest, TheWindowPrintMakesTheSheetOptionUnavailable)
{
    window->optStm[0]->click();
    EXPECT_FALSE(window->chkenddoc->isEnabled());
    window->optStm[2]->click();
    EXPECT_TRUE(window->chkenddoc->isEnabled());
    window->optStm[0]->click();
    window->optStm[1]->click();
    EXPECT_TRUE(window->chkenddoc->isEnabled());
}

TEST_F(FStampaTest, EndOfPageShowsOnlyWhileTheSheetOptionIsTicked)
{
    EXPECT_FALSE(window->cmdFinePag->isVisible());
    window->chkenddoc->click();
    EXPECT_TRUE(window->cmdFinePag->isVisible());
    window->chkenddoc->click();
    EXPECT_FALSE(window->cmdFinePag->isVisible());
}

TEST_F(FStampaTest, TheOrientationIsOfferedForAPdfFileEvenWithoutAPrinterTest)
{
    struct Case {
        bool printerTakesOrientation;
        bool landscape;
        std::optional<QPageLayout::Orientation> printer;
        std::optional<QPageLayout::Orientation> pdf;
    };
    const Case cases[] = {
        {true, false, QPageLayout::Portrait, QPageLayout::Portrait},
        {true, true, QPageLayout::Landscape, QPageLayout::Landscape},
        {false, false, std::nullopt, QPageLayout::Portrait},
        {false, true, std::nullopt, QPageLayout::Landscape},
    };
    for (const Case& c : cases) {
        window->setOrientationAvailable(c.printerTakesOrientation);
        (c.landscape ? window->optOriz : window->optvert)->setChecked(true);
        EXPECT_TRUE(window->SSFrame1->isEnabled());
        EXPECT_EQ(window->orientationFor(ReportDestination::Printer), c.printer);
        EXPECT_EQ(window->orientationFor(ReportDestination::PdfFile), c.pdf);
    }
}

TEST_F(FStampaTest, CancelHidesWithoutPrinting)
{
    window->cmdAnnulla->click();
    EXPECT_TRUE(window->isHidden());
    EXPECT_TRUE(chooser.titles.isEmpty());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(FStampaTest, WithoutAPrinterPrintSavesAPdfNamedAfterTheLineAndDate)
{
    if (hasDefaultPrinter())
        GTEST_SKIP() << "this machine has a default printer";
    chooser.answer = pdf("selection"); // without extension: ".pdf" is added
    window->optStm[2]->click();
    window->cmdStampa->click();

    ASSERT_EQ(chooser.titles.size(), 1);
    EXPECT_EQ(chooser.titles[0], printingTextForLanguage(100, kTextNoPrinterTitle));
    const QString suggested = QFileInfo(chooser.suggestions[0]).fileName();
    EXPECT_TRUE(suggested == suggestedPdfName(QStringLiteral("KXA - KXE - KXH"), QDate::currentDate())
                || suggested == suggestedPdfName(QStringLiteral("KXA - KXE - KXH"), QDate::currentDate().addDays(-1)))
        << suggested.toStdString();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_TRUE(window->isHidden()) << "hidden after the report";
    EXPECT_FALSE(window->hasOpenDocument());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the pointer is restored";
    ASSERT_TRUE(QFileInfo::exists(pdf("selection.pdf")));
    if (popplerMissing())
        return;
    const QString text = pdfLayoutText(pdf("selection.pdf"));
    EXPECT_TRUE(text.contains(QStringLiteral("KXE 30")));
    EXPECT_FALSE(text.contains(QStringLiteral("KXA 20"))) << "only the marked models";
    EXPECT_TRUE(text.contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")))
                || text.contains(QDate::currentDate().addDays(-1).toString(QStringLiteral("dd/MM/yyyy"))));
}

TEST_F(FStampaTest, ChoicesStayForTheNextPrint)
{
    chooser.answer = pdf("first.pdf");
    window->optStm[2]->click();
    window->cmdSavePdf->click();
    EXPECT_TRUE(window->isHidden());
    window->show();
    EXPECT_TRUE(window->optStm[2]->isChecked());
    EXPECT_FALSE(window->optStm[1]->isChecked());
}

TEST_F(FStampaTest, SeveralCalculationsGoOnOneSheetUntilEndOfPage)
{
    chooser.answer = pdf("sheet.pdf");
    window->chkenddoc->click();
    window->cmdSavePdf->click();
    EXPECT_TRUE(window->hasOpenDocument()) << "the sheet stays open";
    EXPECT_TRUE(window->isHidden());

    window->show();
    window->setSource(mrzHeatingSource());
    window->cmdSavePdf->click();
    EXPECT_EQ(chooser.titles.size(), 1) << "the open sheet continues without asking again";
    EXPECT_TRUE(window->hasOpenDocument());

    window->show();
    window->cmdFinePag->click();
    EXPECT_FALSE(window->hasOpenDocument());
    EXPECT_TRUE(messages.messages.isEmpty());
    ASSERT_TRUE(QFileInfo::exists(pdf("sheet.pdf")));
    if (popplerMissing())
        return;
    EXPECT_EQ(pdfPageCount(pdf("sheet.pdf")), 1);
    const QList<PdfWord> words = pdfWords(pdf("sheet.pdf"));
    EXPECT_EQ(wordsNamed(words, QStringLiteral("Selection")).size(), 1);
    EXPECT_FALSE(wordsNamed(words, QStringLiteral("KXR")).isEmpty());
    EXPECT_FALSE(wordsNamed(words, QStringLiteral("KXE")).isEmpty());
}

TEST_F(FStampaTest, AReportWithTheOptionClearedEndsTheOpenSheet)
{
    chooser.answer = pdf("two.pdf");
    window->chkenddoc->click();
    window->cmdSavePdf->click();
    window->show();
    window->chkenddoc->click();
    window->cmdSavePdf->click();
    EXPECT_FALSE(window->hasOpenDocument());
    if (popplerMissing())
        return;
    EXPECT_EQ(pdfPageCount(pdf("two.pdf")), 2);
}

TEST_F(FStampaTest, UnloadingTheWindowWritesAnOpenSheet)
{
    chooser.answer = pdf("open.pdf");
    window->chkenddoc->click();
    window->cmdSavePdf->click();
    ASSERT_TRUE(window->hasOpenDocument());
    window.reset();
    ASSERT_TRUE(QFileInfo::exists(pdf("open.pdf")));
    if (popplerMissing())
        return;
    EXPECT_TRUE(pdfLayoutText(pdf("open.pdf")).contains(QStringLiteral("KXH 40")));
}

TEST_F(FStampaTest, ThePdfDialogCancelledPrintsNothingAndKeepsTheWindow)
{
    chooser.answer.clear();
    window->cmdSavePdf->click();
    EXPECT_EQ(chooser.titles.size(), 1);
    EXPECT_EQ(chooser.titles[0], printingTextForLanguage(100, kTextSavePdfTitle));
    EXPECT_TRUE(chooser.filters[0].contains(QStringLiteral("*.pdf")));
    EXPECT_FALSE(window->isHidden());
    EXPECT_FALSE(window->hasOpenDocument());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(FStampaTest, APrintingFailureIsReportedAndTheWindowStaysUsable)
{
    chooser.answer = dir.filePath(QStringLiteral("missing/folder/report.pdf"));
    window->cmdSavePdf->click();
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_EQ(messages.messages[0].kind, RecordingMessageSink::Kind::Exclamation);
    EXPECT_EQ(messages.messages[0].text, QStringLiteral("Errore di stampa o stampante non definita : 75"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(window->isHidden());
    EXPECT_FALSE(window->hasOpenDocument());

    chooser.answer = pdf("retry.pdf");
    window->cmdSavePdf->click();
    EXPECT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(pdf("retry.pdf")));
}

TEST_F(FStampaTest, TheWindowPrintEndsTheDocumentEvenWithTheSheetOptionTicked)
{
    chooser.answer = pdf("window.pdf");
    window->chkenddoc->click();
    window->optStm[0]->click();
    ReportSource source = kxCoolingSource();
    source.windowImage = QImage(300, 200, QImage::Format_RGB32);
    source.windowImage.fill(Qt::white);
    window->setSource(source);
    window->cmdSavePdf->click();
    EXPECT_FALSE(window->hasOpenDocument());
    EXPECT_TRUE(QFileInfo::exists(pdf("window.pdf")));
}

TEST_F(FStampaTest, EndOfPageWithoutAnOpenSheetDoesNothing)
{
    window->chkenddoc->click();
    window->cmdFinePag->click();
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(window->hasOpenDocument());
}

TEST(ShowPrintOptions, OpensTheOneOptionsWindowModallyWithTheOrientationOfThePrinterTest)
{
    LangBase = 100;
    RecordingMessageSink messages;
    bool checked = false;
    const auto answer = [&checked] {
        FStampa* window = fstampa();
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->isModal());
        EXPECT_TRUE(window->SSFrame1->isEnabled()); // a PDF file takes an orientation always
        EXPECT_EQ(window->orientationFor(ReportDestination::Printer).has_value(), StampanteDisponibile());
        checked = true;
        window->cmdAnnulla->click();
    };
    QTimer::singleShot(0, answer);
    showPrintOptions(nullptr, testing::mrzHeatingSource());
    EXPECT_TRUE(checked);
    EXPECT_TRUE(fstampa()->isHidden());

    // The second print finds the same window with the choices left as they were.
    fstampa()->optStm[2]->setChecked(true);
    FStampa* first = fstampa();
    checked = false;
    QTimer::singleShot(0, [&] {
        EXPECT_EQ(fstampa(), first);
        EXPECT_TRUE(fstampa()->optStm[2]->isChecked());
        checked = true;
        fstampa()->cmdAnnulla->click();
    });
    showPrintOptions(nullptr, testing::kxCoolingSource());
    EXPECT_TRUE(checked);
    EXPECT_TRUE(messages.messages.isEmpty());
    delete fstampa();
}

TEST(PrinterCheck, NoDefaultPrinterMeansNoOrientationChoice)
{
    if (hasDefaultPrinter())
        GTEST_SKIP() << "this machine has a default printer";
    EXPECT_FALSE(StampanteDisponibile());
}

TEST(PdfName, SuggestedNamesAreSafeFileNames)
{
    struct Case {
        QString caption;
        QString expected;
    };
    const QDate date(2026, 12, 7);
    const Case cases[] = {
        {QStringLiteral("KXR"), QStringLiteral("KXR 2026-12-07.pdf")},
        {QStringLiteral("KXA - KXE - KXH"), QStringLiteral("KXA - KXE - KXH 2026-12-07.pdf")},
        {QStringLiteral("KX/N: ducted"), QStringLiteral("KX_N_ ducted 2026-12-07.pdf")},
        {QStringLiteral("../etc"), QStringLiteral("_etc 2026-12-07.pdf")},
        {QStringLiteral("  "), QStringLiteral("Tarvello 2026-12-07.pdf")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(suggestedPdfName(c.caption, date), c.expected) << c.caption.toStdString();
    EXPECT_EQ(withPdfSuffix(QStringLiteral("/tmp/a")), QStringLiteral("/tmp/a.pdf"));
    EXPECT_EQ(withPdfSuffix(QStringLiteral("/tmp/a.PDF")), QStringLiteral("/tmp/a.PDF"));
}

} // namespace
} // namespace tarvello
