// The text grid as the windows and the print report use it: rows added as tab-separated
// texts, rows removed, the copy text and the print marks.
#include "selection_ui/text_grid.h"

#include <gtest/gtest.h>

using namespace tarvello;

namespace {

void fill(TextGrid& grid, const QStringList& rows, int cols, int fixedRows)
{
    grid.setCols(cols);
    grid.setRows(0);
    for (const QString& row : rows)
        grid.addItem(row);
    grid.setFixedRows(fixedRows);
}

TEST(TextGrid, RowsAreAddedFromTabsAndCutToTheColumns)
{
    TextGrid grid;
    grid.setCols(3);
    grid.setRows(1);
    grid.addItem("a\tb\tc\td");
    grid.addItem("x");
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.text(1, 2), "c");
    EXPECT_EQ(grid.text(1, 3), "") << "outside the grid";
    EXPECT_EQ(grid.text(2, 0), "x");
    EXPECT_EQ(grid.text(2, 1), "");
    grid.removeItem(0);
    EXPECT_EQ(grid.text(0, 0), "a");
    grid.removeItem(7); // ignored
    EXPECT_EQ(grid.rows(), 2);
    grid.setCols(2);
    EXPECT_EQ(grid.text(0, 1), "b");
    EXPECT_EQ(grid.text(0, 2), "");
}

TEST(TextGrid, WidthsInTwipsBecomePixelsAtFifteenTwipsAPixel)
{
    struct Case {
        int twips;
        int pixels;
    } cases[] = {{200, 13}, {850, 57}, {1200, 80}, {1300, 87}, {700, 47}, {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(twipsToPixels(c.twips), c.pixels) << c.twips;
}

TEST(TextGrid, CopyTakesHeadingsThenTheSelectedRowsWithoutTheMarkColumn)
{
    TextGrid grid;
    fill(grid, {"\tH1\tH2", "\tu1\tu2", "S\ta\t1", "\tb\t2", "\tc\t3"}, 3, 2);
    struct Case {
        int first, last, lastCol;
        const char* expected;
    } cases[] = {
        {2, 2, 2, "H1\tH2\t\nu1\tu2\t\na\t1\t\n"},
        {3, 4, 2, "H1\tH2\t\nu1\tu2\t\nb\t2\t\nc\t3\t\n"},
        {3, 3, 1, "H1\t\nu1\t\nb\t\n"},
        {0, -1, 2, "H1\tH2\t\nu1\tu2\t\n"},       // nothing selected
        {4, 9, 2, "H1\tH2\t\nu1\tu2\t\nc\t3\t\n"}, // rows beyond the grid are left out
        {2, 2, 0, "\n\n\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(clipboardText(grid, c.first, c.last, c.lastCol), QString::fromLatin1(c.expected))
            << c.first << ".." << c.last;
}

TEST(TextGrid, PrintMarksToggleOnlyEmptyAndS)
{
    TextGrid grid;
    fill(grid, {"\tH", "\tu", "\ta", "X\tb"}, 2, 2);
    EXPECT_TRUE(togglePrintMark(grid, 2));
    EXPECT_EQ(grid.text(2, 0), "S");
    EXPECT_TRUE(togglePrintMark(grid, 2));
    EXPECT_EQ(grid.text(2, 0), "");
    EXPECT_FALSE(togglePrintMark(grid, 3));
    EXPECT_EQ(grid.text(3, 0), "X");
    EXPECT_FALSE(togglePrintMark(grid, 1));
    EXPECT_EQ(grid.text(1, 0), "");
    EXPECT_FALSE(togglePrintMark(grid, 4));
}

} // namespace
