// The report's geometry measured on the texts it draws: every text inside the printable
// area and none over another, with long labels and headings (German and Polish lengths),
// on portrait and landscape pages; the numbers of a column ending at one right edge; and
// the landscape page asked for when the columns need it.
#include "printing/report.h"
#include "shell/app_state.h"
#include "tests/printing/report_samples.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

#include <map>

namespace tarvello {
namespace {

struct Drawn {
    QList<DrawnText> texts;
    double pageWidth = 0;
};

Drawn draw(const ReportSource& source, QPageLayout::Orientation orientation)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter writer(&sink);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(orientation);
    writer.setPageMargins(QMarginsF(kReportMarginMm, kReportMarginMm, kReportMarginMm, kReportMarginMm),
                          QPageLayout::Millimeter);
    QPainter painter(&writer);
    ReportCanvas canvas(painter, writer);
    Drawn drawn;
    canvas.recordDrawnTexts(&drawn.texts);
    ReportChoices choices;
    choices.date = QDate(2026, 1, 2);
    printReport(canvas, source, choices);
    drawn.pageWidth = canvas.pageWidth();
    painter.end();
    return drawn;
}

// Long German and Polish labels and headings in place of the Italian ones.
ReportSource lengthened(ReportSource source)
{
    const QStringList labels{QStringLiteral("Feuchtkugeltemperatur Luft"),
                             QStringLiteral("Temperatura termometru suchego powietrza powrotnego"),
                             QStringLiteral("Wassereintrittstemperatur"),
                             QStringLiteral("Udział powietrza świeżego w powietrzu nawiewanym")};
    for (qsizetype row = 0; row < source.inputRows.size(); ++row)
        source.inputRows[row][0] = labels.at(row % labels.size());
    const QStringList headings{QStringLiteral("Gesamtkühlleistung"), QStringLiteral("Luftaustrittstemperatur"),
                               QStringLiteral("Schallleistungspegel"), QStringLiteral("Ciśnienie akustyczne")};
    for (qsizetype col = 2; col < source.gridRows[0].size(); ++col)
        source.gridRows[0][col] = headings.at(col % headings.size());
    return source;
}

void expectInsideWithoutOverlap(const Drawn& drawn, const std::string& where)
{
    constexpr double kTolerance = 0.05;
    for (qsizetype i = 0; i < drawn.texts.size(); ++i) {
        const DrawnText& a = drawn.texts.at(i);
        EXPECT_GE(a.box.left(), -kTolerance) << where << ": " << a.text.toStdString();
        EXPECT_LE(a.box.right(), drawn.pageWidth + kTolerance) << where << ": " << a.text.toStdString();
        for (qsizetype j = i + 1; j < drawn.texts.size(); ++j) {
            const DrawnText& b = drawn.texts.at(j);
            const QRectF shrunkA = a.box.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance);
            const QRectF shrunkB = b.box.adjusted(kTolerance, kTolerance, -kTolerance, -kTolerance);
            EXPECT_TRUE(a.page != b.page || shrunkA.intersected(shrunkB).isEmpty())
                << where << ": \"" << a.text.toStdString() << "\" over \"" << b.text.toStdString() << "\"";
        }
    }
}

TEST(ReportGeometry, TextsStayInsideThePageWithoutOverlap)
{
    struct Case {
        const char* name;
        ReportSource source;
    };
    const Case cases[] = {
        {"kx", testing::kxCoolingSource()},
        {"mrz", testing::mrzHeatingSource()},
        {"kx long", lengthened(testing::kxCoolingSource())},
        {"mrz long", lengthened(testing::mrzHeatingSource())},
    };
    LangBase = 700;
    for (const Case& c : cases)
        for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape})
            expectInsideWithoutOverlap(draw(c.source, orientation),
                                       std::string(c.name) + (orientation == QPageLayout::Portrait ? " portrait" : " landscape"));
}

TEST(ReportGeometry, TheNumbersOfAColumnEndAtOneRightEdge)
{
    const ReportSource source = testing::kxCoolingSource();
    const Drawn drawn = draw(source, QPageLayout::Portrait);
    // The value texts of each column, found by their text in the grid rows.
    for (qsizetype col = 2; col < source.gridRows[0].size(); ++col) {
        QList<double> rights;
        for (qsizetype row = 2; row < source.gridRows.size(); ++row) {
            const QString value = source.gridRows[row][col].trimmed();
            for (const DrawnText& text : drawn.texts)
                if (text.text == value && text.box.top() > drawn.texts.first().box.top())
                    rights << text.box.right();
        }
        ASSERT_GE(rights.size(), source.gridRows.size() - 2) << col;
        for (double right : rights)
            EXPECT_NEAR(right, rights.first(), 0.05) << "column " << col;
    }
}

TEST(ReportGeometry, LandscapeIsAskedForOnlyWhenTheColumnsNeedIt)
{
    ReportSource wide = lengthened(testing::kxCoolingSource());
    for (QStringList& row : wide.gridRows)
        for (int extra = 0; extra < 6; ++extra)
            row << row.value(2);
    for (int extra = 0; extra < 6; ++extra) {
        wide.columnWidths << 850;
        wide.columnAlignments << kColumnAlignRight;
    }
    EXPECT_FALSE(reportNeedsLandscape(testing::mrzHeatingSource(), PrintChoice::AllModels));
    EXPECT_TRUE(reportNeedsLandscape(wide, PrintChoice::AllModels));
    EXPECT_FALSE(reportNeedsLandscape(wide, PrintChoice::Window));
    expectInsideWithoutOverlap(draw(wide, QPageLayout::Landscape), "wide landscape");
    expectInsideWithoutOverlap(draw(wide, QPageLayout::Portrait), "wide portrait, smaller type");
}

} // namespace
} // namespace tarvello
