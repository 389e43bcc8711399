// The layout rules of the report that need no printer: heading wrapping, column positions,
// character fields, centring and the rows each choice prints.

#include "printing/printing_texts.h"
#include "printing/report.h"
#include "printing/report_layout.h"

#include "../shell/qt_print.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

struct HeadingCase {
    const char* text;
    int width;
    QStringList lines;
    const char* why;
};

class HeadingLinesTest : public ::testing::TestWithParam<HeadingCase> {};

TEST_P(HeadingLinesTest, WrapsAsTheHeadingRulesSay)
{
    const HeadingCase& c = GetParam();
    EXPECT_EQ(headingLines(QString::fromUtf8(c.text), c.width), c.lines) << c.why;
}

const HeadingCase kHeadingCases[] = {
    {"Potenza sensibile", 7, {"Potenza", "sensibile"}, "the reference example at the narrowest width"},
    {"Potenza sensibile", 9, {"Potenza", "sensibile"}, "the last word always stands alone"},
    {"Potenza sensibile", 40, {"Potenza", "sensibile"}, "even when everything would fit"},
    {"Potenza sensibile", 6, {"Potenza", "sensibile"}, "a word wider than the line stands alone"},
    {"Temp.ingresso acqua", 9, {"Temp.ingresso", "acqua"}, "no space after the point: one word"},
    {"Perdita di carico acqua", 9, {"Perdita", "di carico", "acqua"},
     "'di carico' is exactly 9 characters and fits"},
    {"Perdita di carico acqua", 8, {"Perdita", "di", "carico", "acqua"}, "'di carico' no longer fits"},
    {"Perdita di carico acqua", 17, {"Perdita di carico", "acqua"}, "gathered up to the last space"},
    {"Portata", 9, {"Portata"}, "one word"},
    {"Pressione_statica_utile", 5, {"Pressione_statica_utile"}, "no space: one line whatever its length"},
    {"Potenza totale ", 9, {"Potenza", "totale", ""}, "a trailing space leaves an empty last word"},
    {"", 9, {""}, "an empty heading is one empty line"},
    {"Pot. sonora", 0, {"Pot.", "sonora"}, "a zero width puts every word on its own line"},
};
INSTANTIATE_TEST_SUITE_P(Headings, HeadingLinesTest, ::testing::ValuesIn(kHeadingCases));

TEST(ReportLayout, ColumnsStartAfterThePreviousColumnWidthInWholeMillimetres)
{
    // Cooling KX grid: 200, 1200, then 850 twips; 1200 / 40 = 30 mm, 850 / 40 = 21.25 -> 21 mm.
    const QList<int> widths = {200, 1200, 850, 850, 850, 850, 850, 850, 850, 850};
    const QList<int> expected = {0, 0, 30, 51, 72, 93, 114, 135, 156, 177};
    EXPECT_EQ(columnPositions(widths), expected);
}

TEST(ReportLayout, ColumnPositionsTakeHalvesUpAndZeroWidthsTakeNoRoom)
{
    struct Case {
        QList<int> widths;
        QList<int> expected;
        const char* why;
    };
    const Case cases[] = {
        {{200, 900, 900, 900}, {0, 0, 23, 46}, "900 / 40 = 22.5 goes up to 23"},
        {{200, 800, 0, 900, 900}, {0, 0, 20, 20, 43}, "a zero-width column: the next starts at the same x"},
        {{200, 1300, 1300}, {0, 0, 33}, "1300 / 40 = 32.5 -> 33"},
        {{}, {}, "no columns"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(columnPositions(c.widths), c.expected) << c.why;
}

TEST(ReportLayout, CharacterFieldsOfHeadingsAndCells)
{
    struct Case {
        int twips;
        int heading;
        int cell;
    };
    // heading: twips / 100 + 0.5; cell: twips / 100; both rounded, halves up.
    const Case cases[] = {
        {850, 9, 9}, {900, 10, 9}, {1300, 14, 13}, {1200, 13, 12}, {0, 1, 0}, {149, 2, 1}, {150, 2, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(headingFieldChars(c.twips), c.heading) << c.twips;
        EXPECT_EQ(cellFieldChars(c.twips), c.cell) << c.twips;
    }
}

TEST(ReportLayout, CentringNeverGoesLeftOfTheColumn)
{
    struct Case {
        int field;
        int length;
        int before;
    };
    const Case cases[] = {
        {9, 5, 2}, {9, 4, 3}, {9, 9, 0}, {9, 12, 0}, {9, 0, 5}, {0, 3, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(centringChars(c.field, c.length), c.before) << c.field << " " << c.length;
}

TEST(ReportLayout, RowsPrintedForEachChoice)
{
    ReportSource source;
    source.gridRows = {{"", "Modello"}, {"", ""}, {"S", "A"}, {"", "B"}, {"s", "C"}, {"X", "D"}, {}};
    struct Case {
        int row;
        bool all;
        bool marked;
        const char* why;
    };
    const Case cases[] = {
        {2, true, true, "marked S"},     {3, true, false, "not marked"},
        {4, true, false, "only a capital S marks"}, {5, true, false, "another text is no mark"},
        {6, true, false, "a row without cells"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isRowPrinted(source, c.row, PrintChoice::AllModels), c.all) << c.why;
        EXPECT_EQ(isRowPrinted(source, c.row, PrintChoice::MarkedModels), c.marked) << c.why;
    }
}

TEST(ReportLayout, InputSummaryColumnsOfTheTwoRoutines)
{
    const InputColumns kx = inputColumnsOf(ReportRoutine::StampaKX);
    const InputColumns mrz = inputColumnsOf(ReportRoutine::StampaMRZ);
    EXPECT_EQ(QList<int>({kx.label, kx.unit, kx.value}), QList<int>({50, 100, 120}));
    EXPECT_EQ(QList<int>({mrz.label, mrz.unit, mrz.value}), QList<int>({50, 120, 130}));
}

TEST(ReportLayout, GridColumnCountIsTheWidestOfRowsAndWidths)
{
    ReportSource source;
    source.columnWidths = {200, 1200, 850};
    source.gridRows = {{"", "Modello", "a", "b"}, {"", ""}};
    EXPECT_EQ(gridColumnCount(source), 4);
    EXPECT_EQ(cellText(source.gridRows, 1, 3), QString());
    EXPECT_EQ(cellText(source.gridRows, 7, 0), QString());
}

TEST(ReportLayout, TheLogoFitsLeftOfTheTitleAndAboveTheWindowImage)
{
    const QImage logo = reportLogo();
    ASSERT_FALSE(logo.isNull());
    const QSizeF size = pictureSizeMm(logo); // printed at (1, 1) mm at its own size
    EXPECT_LT(1 + size.width(), 60.0) << "the program title starts at 60 mm";
    EXPECT_LT(1 + size.height(), 20.0) << "the window image starts at 20 mm";
    EXPECT_GT(size.height(), 10.0) << "a logo one can see";
}

TEST(PrintingTexts, EveryNewTextExistsInEveryLanguage)
{
    for (int offset : {kTextSavePdf, kTextSavePdfTitle, kTextNoPrinterTitle, kTextPdfFilter}) {
        QStringList seen;
        for (int base : {100, 300, 500, 700, 900, 1100}) {
            const QString text = printingTextForLanguage(base, offset);
            EXPECT_FALSE(text.isEmpty()) << offset << " " << base;
            seen << text;
        }
        seen.removeDuplicates();
        EXPECT_GE(seen.size(), 5) << "texts of offset " << offset << " are translated";
    }
    EXPECT_TRUE(printingTextForLanguage(100, kTextPdfFilter).contains(QStringLiteral("(*.pdf)")));
    EXPECT_EQ(printingTextForLanguage(42, kTextSavePdf), printingTextForLanguage(300, kTextSavePdf));
    EXPECT_TRUE(printingTextForLanguage(100, 128).isEmpty());
}

} // namespace
} // namespace tarvello
