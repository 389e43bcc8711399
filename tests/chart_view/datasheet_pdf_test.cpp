// The datasheet read back from its PDF (poppler's pdftotext): two pages, the model, the
// design conditions, the performance values as the details give them and both charts'
// titles, in two languages; every text drawn lies inside the printable area.

#include "chart_view/chart_texts.h"
#include "chart_view/datasheet.h"
#include "chart_view/details_rows.h"
#include "shell/language.h"
#include "shell/units.h"
#include "tests/charts/chart_runs.h"
#include "tests/printing/pdf_reading.h"
#include "tests/selection_kx/selection_test_support.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tarvello {
namespace {

using testing::ChartRun;

struct SheetCase {
    const char* name;
    qint16 langBase;
    int run; // index into chartRuns()
};

class DatasheetPdf : public testing::SelectionEnvironment, public ::testing::WithParamInterface<SheetCase> {};

// The run's first listed model as a datasheet source.
DatasheetSource sourceOf(const ChartRun& run, const RunResult& result)
{
    return {QString::fromStdString(run.name), run.request, *result.listed().front(), &run.table,
            QDate(2026, 12, 7), std::nullopt};
}

QString squeezed(QString text)
{
    return text.simplified();
}

TEST_P(DatasheetPdf, ReadsBackWithItsTextsOnTwoPages)
{
    if (!testing::popplerAvailable())
        GTEST_SKIP() << "poppler's pdftotext is not installed";
    const SheetCase c = GetParam();
    LangBase = c.langBase;
    const ChartRun run = testing::chartRuns().at(size_t(c.run));
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    DatasheetSource source = sourceOf(run, result);
    source.project = DatasheetProject{QStringLiteral("Hotel Borgo"), QStringLiteral("Room 12")};
    saveDatasheetPdf(path, source);
    const QByteArray keepDir = qgetenv("TARVELLO_CHART_PNG_DIR");
    if (!keepDir.isEmpty())
        QFile::copy(path, QString::fromLocal8Bit(keepDir) + QStringLiteral("/datasheet_") + QString::fromLatin1(c.name) +
                              QStringLiteral(".pdf"));

    EXPECT_EQ(testing::pdfPageCount(path), kDatasheetPages);
    const QString text = squeezed(testing::pdfLayoutText(path));
    const ModelOutcome& model = *result.listed().front();
    for (const QString& expected :
         {QString::fromStdString(model.name), Testo(chart_texts::kDatasheet), Testo(chart_texts::kDesignConditions),
          Testo(chart_texts::kPerformance), Testo(chart_texts::kModelData), Testo(chart_texts::kPsychroChart),
          Testo(chart_texts::kFanCurves), Testo(chart_texts::kLeavingAir), Testo(chart_texts::kSoundPerSpeed),
          QStringLiteral("Hotel Borgo"), QStringLiteral("07/12/2026"), Testo(chart_texts::kPageOf).arg(2).arg(2),
          UnitPt.format(model.rating.Capacity).trimmed(), oneDecimal(model.rating.AirOut).trimmed()})
        EXPECT_TRUE(text.contains(squeezed(expected))) << expected.toStdString();
}

TEST_P(DatasheetPdf, EveryTextLiesInsideThePage)
{
    const SheetCase c = GetParam();
    LangBase = c.langBase;
    const ChartRun run = testing::chartRuns().at(size_t(c.run));
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("geometry.pdf")));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter painter(&writer);
    QList<DrawnText> drawn;
    drawDatasheet(painter, writer, sourceOf(run, result), &drawn);
    painter.end();
    const QRectF page = writer.pageLayout().paintRect(QPageLayout::Millimeter);
    ASSERT_GT(drawn.size(), 40);
    for (const DrawnText& t : drawn) {
        EXPECT_GE(t.box.left(), -1e-6) << t.text.toStdString();
        EXPECT_LE(t.box.right(), page.width() + 1e-6) << t.text.toStdString();
        EXPECT_LE(t.box.bottom(), page.height() + 1e-6) << t.text.toStdString();
        EXPECT_LE(t.page, kDatasheetPages) << t.text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Sheets, DatasheetPdf,
                         ::testing::Values(SheetCase{"kx_english", 300, 0}, SheetCase{"kx_italian", 100, 0},
                                           SheetCase{"mrz_mixed_german", 700, 10},
                                           SheetCase{"hjq_french", 500, 13}, SheetCase{"mrz_heating_spanish", 900, 12}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DatasheetName, RefusedCharactersAreReplaced)
{
    LangBase = 300;
    EXPECT_EQ(suggestedDatasheetName(QStringLiteral("KXH 60/4P"), QDate(2026, 12, 7)),
              QStringLiteral("Datasheet KXH 60_4P 2026-12-07.pdf"));
}

TEST(DatasheetPdfFile, AFolderThatCannotBeWrittenIsAFileAccessError)
{
    const ChartRun run = testing::chartRuns().front();
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    try {
        saveDatasheetPdf(QStringLiteral("/nonexistent-folder/sheet.pdf"), sourceOf(run, result));
        FAIL() << "no error";
    } catch (const PrintError& error) {
        EXPECT_EQ(error.number, kFileAccessErrorNumber);
    }
}

} // namespace
} // namespace tarvello
