// The report written to a PDF file and read back with poppler's tools: what it says and
// where, in millimetres of the sheet (the printable area starts 10 mm from its edges).

#include "pdf_reading.h"
#include "report_samples.h"

#include "printing/report.h"
#include "printing/report_document.h"
#include "shell/app_state.h"

#include "../shell/qt_print.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvello {
namespace {

using namespace tarvello::testing;

constexpr double kMargin = 10.0; // mm from the sheet's edge to the printable area
constexpr double kTolerance = 0.6;

struct Print {
    ReportSource source;
    ReportChoices choices;
};

class ReportPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!popplerAvailable())
            GTEST_SKIP() << "poppler-utils (pdftotext, pdfinfo) are not installed";
        ASSERT_TRUE(dir.isValid());
        // Set to look at the reports afterwards (pdftoppm -png -r 80 ...).
        dir.setAutoRemove(qEnvironmentVariableIsEmpty("TARVELLO_KEEP_REPORTS"));
        LangBase = 100;
    }

    static ReportChoices choicesFor(PrintChoice choice, bool continueOnPage = false)
    {
        ReportChoices choices;
        choices.choice = choice;
        choices.continueOnPage = continueOnPage;
        choices.date = QDate(2026, 12, 7);
        choices.logo = reportLogo();
        return choices;
    }

    // Prints the reports one after the other into one document and ends it.
    QString write(const QList<Print>& prints,
                  std::optional<QPageLayout::Orientation> orientation = std::nullopt)
    {
        const QString path = dir.filePath(QStringLiteral("report%1.pdf").arg(++count));
        auto document = ReportDocument::toPdfFile(path, orientation);
        for (const Print& print : prints)
            printReport(document->canvas(), print.source, print.choices);
        document->end();
        return path;
    }

    QString write(const ReportSource& source, PrintChoice choice)
    {
        return write({{source, choicesFor(choice)}});
    }

    QTemporaryDir dir;
    int count = 0;
};

// The words below the results heading "Modello".
QList<PdfWord> resultWords(const QList<PdfWord>& words)
{
    const QList<PdfWord> heading = wordsNamed(words, QStringLiteral("Modello"));
    if (heading.isEmpty())
        return {};
    QList<PdfWord> below;
    for (const PdfWord& word : words)
        if (word.page > heading[0].page || word.top >= heading[0].top - 0.5)
            below << word;
    return below;
}

// The first word `text` whose left edge lies in [fromX, toX) mm of the sheet.
PdfWord wordBetween(const QList<PdfWord>& words, const QString& text, double fromX, double toX)
{
    for (const PdfWord& word : wordsNamed(words, text))
        if (word.left >= fromX - 0.3 && word.left < toX)
            return word;
    ADD_FAILURE() << "no word " << text.toStdString() << " between " << fromX << " and " << toX;
    return {};
}

TEST_F(ReportPdf, HeaderAndTitleBlockStandWhereTheLayoutPutsThem)
{
    const QString path = write(kxCoolingSource(), PrintChoice::AllModels);
    const QString text = pdfLayoutText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Tarvello Selection Program"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Tarvello +- Rel\\. 3\\.2"))));
    EXPECT_TRUE(text.contains(QStringLiteral("KXA - KXE - KXH")));
    EXPECT_TRUE(text.contains(QStringLiteral("07/12/2026")));

    const QList<PdfWord> words = pdfWords(path);
    const QList<PdfWord> tarvello = wordsNamed(words, QStringLiteral("Tarvello"));
    ASSERT_EQ(tarvello.size(), 2);
    EXPECT_NEAR(tarvello[0].left, kMargin + 60, kTolerance);  // bold 14 pt title
    EXPECT_NEAR(tarvello[1].left, kMargin + 150, kTolerance); // the release, same line
    EXPECT_NEAR(tarvello[0].top, tarvello[1].top, 1.5);
    EXPECT_LT(tarvello[0].top, kMargin + 5);

    const PdfWord caption = wordsNamed(words, QStringLiteral("KXA"))[0];
    EXPECT_NEAR(caption.left, kMargin + 50, kTolerance);
    EXPECT_NEAR(caption.top, kMargin + 35, 1.5); // start height 30, then 5 mm lower
    const PdfWord date = wordsNamed(words, QStringLiteral("07/12/2026"))[0];
    EXPECT_NEAR(date.left, kMargin + 150, kTolerance);
    EXPECT_NEAR(date.top, caption.top, 1.5);
    EXPECT_EQ(pdfPageCount(path), 1);
    EXPECT_GE(pdfImageCount(path), 1) << "the logo";

    // Times New Roman, or its metric twin Liberation Serif, regular and bold.
    QProcess fonts;
    fonts.start(QStringLiteral("pdffonts"), {path});
    fonts.waitForFinished();
    const QString fontList = QString::fromLatin1(fonts.readAllStandardOutput());
    EXPECT_TRUE(fontList.contains(QRegularExpression(QStringLiteral("(TimesNewRoman|LiberationSerif)[-,]Bold"))))
        << fontList.toStdString();
    EXPECT_TRUE(fontList.contains(QRegularExpression(QStringLiteral("(TimesNewRoman|LiberationSerif)(PSMT)?(-Regular)? "))))
        << fontList.toStdString();
}

TEST_F(ReportPdf, InputsOfEachRoutineStandInTheirColumns)
{
    struct Case {
        ReportSource source;
        const char* firstWord;
        const char* unit;
        const char* value;
        double unitX;
        double valueX;
    };
    const Case cases[] = {
        {kxCoolingSource(), "Temp.", "°C", "27", 100, 120},
        {mrzHeatingSource(), "Pressione", "Pa", "50", 120, 130},
    };
    for (const Case& c : cases) {
        const QString path = write(c.source, PrintChoice::AllModels);
        const QList<PdfWord> words = pdfWords(path);
        const PdfWord heading = wordsNamed(words, QStringLiteral("Dati"))[0];
        EXPECT_NEAR(heading.left, kMargin, kTolerance);
        const PdfWord label = wordBetween(words, QString::fromUtf8(c.firstWord), kMargin + 49, kMargin + 51);
        EXPECT_NEAR(label.top, heading.top, 1.0) << "the first input shares the heading's line";
        const PdfWord unit = wordBetween(words, QString::fromUtf8(c.unit), kMargin + c.unitX - 1, kMargin + c.unitX + 1);
        const PdfWord value = wordBetween(words, QString::fromUtf8(c.value), kMargin + c.valueX - 1, kMargin + c.valueX + 1);
        EXPECT_NEAR(unit.top, label.top, 1.0);
        EXPECT_NEAR(value.top, label.top, 1.0);
        const QString text = pdfLayoutText(path);
        for (const QStringList& row : c.source.inputRows)
            EXPECT_TRUE(text.contains(row.at(0))) << row.at(0).toStdString();
    }
}

TEST_F(ReportPdf, InputsFollowOneAnotherLineByLineInTheirOrder)
{
    const QString text = pdfLayoutText(write(kxCoolingSource(), PrintChoice::AllModels));
    qsizetype at = 0;
    for (const QStringList& row : kxCoolingSource().inputRows) {
        const qsizetype found = text.indexOf(row.at(0), at);
        ASSERT_GE(found, 0) << row.at(0).toStdString();
        const QString line = text.mid(found, text.indexOf(QLatin1Char('\n'), found) - found);
        EXPECT_TRUE(line.contains(row.at(2))) << line.toStdString();
        at = found;
    }
}

TEST_F(ReportPdf, HeadingsWrapIntoLinesFourMillimetresApart)
{
    ReportSource source = kxCoolingSource();
    const QList<PdfWord> words = resultWords(pdfWords(write(source, PrintChoice::AllModels)));

    // Column 3 starts at 51 mm, column 4 at 72 mm (widths 1200, 850 twips).
    const PdfWord potenza = wordBetween(words, QStringLiteral("Potenza"), kMargin + 51, kMargin + 72);
    const PdfWord sensibile = wordBetween(words, QStringLiteral("sensibile"), kMargin + 51, kMargin + 72);
    EXPECT_NEAR(sensibile.top - potenza.top, 4.0, 0.3);
    EXPECT_NEAR(sensibile.right, potenza.right, 0.3) << "both right-aligned in one field";

    // "Perdita di carico acqua" wraps into more lines; the units come below the lowest.
    const PdfWord acquaDrop = wordBetween(words, QStringLiteral("acqua"), kMargin + 93, kMargin + 114);
    EXPECT_GE(acquaDrop.top - potenza.top, 4.0 - 0.3);
    const PdfWord kpa = wordsNamed(words, QStringLiteral("kPa"))[0];
    EXPECT_GT(kpa.top, acquaDrop.bottom) << "the units row never runs into a tall heading";
}

TEST_F(ReportPdf, ModelsAndUnitsStandInTheirColumns)
{
    const QList<PdfWord> words = pdfWords(write(kxCoolingSource(), PrintChoice::AllModels));
    const PdfWord model = wordsNamed(words, QStringLiteral("KXA"))[1]; // [0] is in the caption
    EXPECT_NEAR(model.left, kMargin, kTolerance);
    const PdfWord capacity = wordsNamed(words, QStringLiteral("2350"))[0];
    EXPECT_GT(capacity.left, kMargin + 30) << "centred in the field of column 2";
    EXPECT_LT(capacity.right, kMargin + 51);
    EXPECT_NEAR(capacity.top, model.top, 0.5);
    // The units right-aligned: the two "W" of columns 2 and 3 end 21 mm apart, at the end
    // of a field of 9 characters of about 1.41 mm (10 pt Times New Roman and its twins).
    const QList<PdfWord> watts = wordsNamed(resultWords(words), QStringLiteral("W"));
    ASSERT_EQ(watts.size(), 2);
    EXPECT_NEAR(watts[1].right - watts[0].right, 21.0, 0.2);
    EXPECT_NEAR(watts[0].right, kMargin + 30 + 9 * 1.41, 0.5);
    // The last column's field ends at the rule, 190 mm.
    const PdfWord lastUnit = wordsNamed(resultWords(words), QStringLiteral("dB(A)")).last();
    EXPECT_NEAR(lastUnit.right, kMargin + 177 + 9 * 1.41, 0.5);
    EXPECT_LT(lastUnit.right, kMargin + 190.5);
}

TEST_F(ReportPdf, MarkedModelsOnlyWhenTheChoiceSaysSo)
{
    const QString marked = pdfLayoutText(write(kxCoolingSource(), PrintChoice::MarkedModels));
    EXPECT_FALSE(marked.contains(QStringLiteral("KXA 20")));
    EXPECT_TRUE(marked.contains(QStringLiteral("KXE 30")));
    EXPECT_TRUE(marked.contains(QStringLiteral("KXH 40")));
    EXPECT_TRUE(marked.contains(QStringLiteral("18.9 *")));

    const QString all = pdfLayoutText(write(kxCoolingSource(), PrintChoice::AllModels));
    for (const char* model : {"KXA 20", "KXE 30", "KXH 40"})
        EXPECT_TRUE(all.contains(QString::fromLatin1(model))) << model;
}

TEST_F(ReportPdf, NoMarkedRowGivesTheHeadingsOnly)
{
    ReportSource source = kxCoolingSource();
    for (int row = 2; row < source.gridRows.size(); ++row)
        source.gridRows[row][0].clear();
    const QString path = write(source, PrintChoice::MarkedModels);
    const QString text = pdfLayoutText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("Modello")));
    EXPECT_TRUE(text.contains(QStringLiteral("dB(A)")));
    EXPECT_TRUE(text.contains(QStringLiteral("Dati di selezione")));
    for (const char* value : {"KXA", "KXE", "KXH 40", "2350", "0.112"})
        EXPECT_FALSE(text.section(QStringLiteral("dB(A)"), -1).contains(QString::fromLatin1(value))) << value;
    const QList<PdfWord> words = pdfWords(path);
    EXPECT_EQ(wordsNamed(words, QStringLiteral("KXA")).size(), 1) << "only the caption";
}

TEST_F(ReportPdf, TwoReportsOnOneSheetTheSecondWithoutHeader)
{
    const QString path = write({{kxCoolingSource(), choicesFor(PrintChoice::AllModels, true)},
                                {mrzHeatingSource(), choicesFor(PrintChoice::AllModels, true)}});
    EXPECT_EQ(pdfPageCount(path), 1);
    const QList<PdfWord> words = pdfWords(path);
    EXPECT_EQ(wordsNamed(words, QStringLiteral("Selection")).size(), 1) << "one header";
    EXPECT_EQ(pdfImageCount(path), 1) << "one logo";
    const PdfWord lastKx = wordsNamed(words, QStringLiteral("KXH"))[1];
    const PdfWord mrzCaption = wordsNamed(words, QStringLiteral("KXR"))[0];
    // After the last row: an empty line, the rule, an empty line; then 10 mm, then 5 mm.
    EXPECT_GT(mrzCaption.top - lastKx.top, 15.0 + 2 * 3.5);
    EXPECT_LT(mrzCaption.top - lastKx.top, 15.0 + 4 * 4.5);
    EXPECT_NEAR(mrzCaption.left, kMargin + 50, kTolerance);
    EXPECT_EQ(wordsNamed(words, QStringLiteral("Dati")).size(), 2);
}

TEST_F(ReportPdf, ContinuingWithoutAnOpenPageStartsWithTheHeader)
{
    const QString path = write({{mrzHeatingSource(), choicesFor(PrintChoice::AllModels, true)}});
    EXPECT_EQ(wordsNamed(pdfWords(path), QStringLiteral("Selection")).size(), 1);
}

TEST_F(ReportPdf, AReportWithoutTheOptionOnAnOpenPageStartsANewPage)
{
    const QString path = write({{kxCoolingSource(), choicesFor(PrintChoice::AllModels, true)},
                                {mrzHeatingSource(), choicesFor(PrintChoice::AllModels, false)}});
    EXPECT_EQ(pdfPageCount(path), 2) << "the second header never prints over the first report";
    const QList<PdfWord> words = pdfWords(path);
    EXPECT_EQ(wordsNamed(words, QStringLiteral("KXR"))[0].page, 2);
}

TEST_F(ReportPdf, AZeroWidthColumnTakesNoRoomAndPrintsNothing)
{
    ReportSource source = kxCoolingSource();
    source.columnWidths[3] = 0;
    source.gridRows[0][3] = QStringLiteral("Nascosta");
    source.gridRows[1][3] = QStringLiteral("HID");
    for (int row = 2; row < source.gridRows.size(); ++row)
        source.gridRows[row][3] = QStringLiteral("HIDDEN");
    const QList<PdfWord> words = pdfWords(write(source, PrintChoice::AllModels));
    EXPECT_TRUE(wordsNamed(words, QStringLiteral("Nascosta")).isEmpty());
    EXPECT_TRUE(wordsNamed(words, QStringLiteral("HIDDEN")).isEmpty());
    EXPECT_TRUE(wordsNamed(words, QStringLiteral("HID")).isEmpty());

    const QList<PdfWord> normal = pdfWords(write(kxCoolingSource(), PrintChoice::AllModels));
    // Column 4 now starts where column 3 started: its unit ends where column 3's "W" ended.
    const PdfWord litres = wordsNamed(words, QStringLiteral("l/s"))[0];
    const PdfWord watt = wordsNamed(resultWords(normal), QStringLiteral("W"))[1];
    EXPECT_NEAR(litres.right, watt.right, 0.2);
}

TEST_F(ReportPdf, ATextWiderThanItsFieldPushesItsColumnRightInsteadOfOverlapping)
{
    ReportSource source = kxCoolingSource();
    source.gridRows[2][2] = QStringLiteral("1234567890123");
    source.gridRows[1][3] = QStringLiteral("kcal/h-frig/h");
    const QList<PdfWord> words = pdfWords(write(source, PrintChoice::AllModels));
    const PdfWord wide = wordsNamed(words, QStringLiteral("1234567890123"))[0];
    const PdfWord model = wordsNamed(resultWords(words), QStringLiteral("KXA"))[0];
    EXPECT_GT(wide.left, model.right) << "the wide value stays right of the model";
    // Column 3 ends further right than before, its numbers still right-aligned with the unit.
    const PdfWord unit = wordsNamed(words, QStringLiteral("kcal/h-frig/h"))[0];
    EXPECT_GT(unit.left, wide.right);
    EXPECT_NEAR(wordsNamed(words, QStringLiteral("1820"))[0].right, unit.right, kTolerance);
}

TEST_F(ReportPdf, ALongSelectionFlowsOntoFurtherPagesWithoutLosingARow)
{
    ReportSource source = kxCoolingSource();
    const QStringList model = source.gridRows[2];
    for (int i = 0; i < 80; ++i) {
        QStringList row = model;
        row[1] = QStringLiteral("M%1").arg(i);
        source.gridRows << row;
    }
    const QString path = write(source, PrintChoice::AllModels);
    EXPECT_GE(pdfPageCount(path), 2);
    const QList<PdfWord> words = pdfWords(path);
    for (int i = 0; i < 80; ++i)
        EXPECT_EQ(wordsNamed(words, QStringLiteral("M%1").arg(i)).size(), 1) << i;
    for (const PdfWord& word : words)
        EXPECT_LT(word.bottom, 297 - kMargin + 0.5) << word.text.toStdString() << " below the printable area";
}

TEST_F(ReportPdf, TheWindowPrintIsTheLogoAndThePicture)
{
    ReportSource source = kxCoolingSource();
    source.windowImage = QImage(640, 480, QImage::Format_RGB32);
    source.windowImage.fill(Qt::lightGray);
    const QString path = write(source, PrintChoice::Window);
    EXPECT_EQ(pdfPageCount(path), 1);
    EXPECT_GE(pdfImageCount(path), 2);
    EXPECT_TRUE(wordsNamed(pdfWords(path), QStringLiteral("Selection")).isEmpty());
}

TEST_F(ReportPdf, LandscapeGivesALandscapeSheet)
{
    const QString path = write({{kxCoolingSource(), choicesFor(PrintChoice::AllModels)}}, QPageLayout::Landscape);
    const QList<PdfWord> words = pdfWords(path);
    const PdfWord release = wordsNamed(words, QStringLiteral("Tarvello"))[1];
    EXPECT_NEAR(release.left, kMargin + 150, kTolerance);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {path});
    info.waitForFinished();
    EXPECT_TRUE(QString::fromLatin1(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("842 x 595"))));
}

TEST_F(ReportPdf, AnUnwritableFileIsAFileAccessError)
{
    try {
        ReportDocument::toPdfFile(dir.filePath(QStringLiteral("no/such/folder/report.pdf")), std::nullopt);
        FAIL() << "the document started";
    } catch (const PrintError& error) {
        EXPECT_EQ(error.number, kFileAccessErrorNumber);
    }
}

} // namespace
} // namespace tarvello
