// The product-line table: each line's facts, the look-ups by index and series code, and the
// limits the model table and the run take from it.
#include "engine/model_table.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvello {
namespace {

struct LineFacts {
    ProductLine id;
    std::string modelTable;
    std::string accessoryTable; // "" for none
    std::string seriesCode;
    int maxModels;
    int speeds;
    int captionText;
    SelectionWindowKind window;
};

const LineFacts kLines[] = {
    {LineKX, "DatiKORVE", "", "", 45, 3, 11, SelectionWindowKind::FanCoil},
    {LineMRZ, "DatiMRZ", "DPAcc", "MRZ", 24, 3, 88, SelectionWindowKind::Ducted},
    {LineHJQ, "DatiHJQ", "DPAccHJQ", "HJQ", 18, 7, 128, SelectionWindowKind::Ducted},
};

TEST(ProductLines, EachLinesFacts)
{
    EXPECT_EQ(kProductLines.size(), std::size(kLines));
    for (const LineFacts& want : kLines) {
        SCOPED_TRACE(want.modelTable);
        const ProductLineInfo& line = productLine(want.id);
        EXPECT_TRUE(isProductLine(want.id));
        EXPECT_EQ(line.id, want.id);
        EXPECT_EQ(line.modelTable, want.modelTable);
        EXPECT_EQ(line.accessoryTable ? std::string(line.accessoryTable) : std::string(), want.accessoryTable);
        EXPECT_EQ(line.seriesCode, want.seriesCode);
        EXPECT_EQ(line.maxModels, want.maxModels);
        EXPECT_EQ(line.speeds, want.speeds);
        EXPECT_EQ(line.captionText, want.captionText);
        EXPECT_EQ(line.window, want.window);
        EXPECT_EQ(line.ducted(), want.window == SelectionWindowKind::Ducted);
        EXPECT_NE(std::string(line.picture), "");
        // The limits of the model table and the run come from the same row.
        EXPECT_EQ(maxModelsOf(want.id), want.maxModels);
        EXPECT_EQ(speedCountOf(want.id), want.speeds);
        EXPECT_LE(want.maxModels, kMaxModels);
        EXPECT_LE(want.speeds, kMaxSpeeds);
    }
}

TEST(ProductLines, TheLargestLineSizesTheModelTable)
{
    EXPECT_EQ(kMaxModels, 45);
    EXPECT_EQ(kMaxSpeeds, 7);
    EXPECT_EQ(largestLineModels(), 45);
    EXPECT_EQ(mostSpeeds(), 7);
}

TEST(ProductLines, AnIndexOutsideTheTableGivesTheFanCoils)
{
    const std::pair<int, bool> cases[] = {{-1, false}, {0, true}, {2, true}, {3, false}, {100, false}};
    for (const auto& [index, known] : cases) {
        SCOPED_TRACE(index);
        EXPECT_EQ(isProductLine(index), known);
        if (!known) {
            EXPECT_EQ(productLine(index).id, LineKX);
            EXPECT_EQ(maxModelsOf(index), 45);
            EXPECT_EQ(speedCountOf(index), 3);
        }
    }
}

TEST(ProductLines, TheSeriesCodeNamesALine)
{
    const std::pair<const char*, ProductLine> cases[] = {
        {"MRZ", LineMRZ}, {"HJQ", LineHJQ}, {"", LineKX}, {"mrz", LineKX}, {"MRZ ", LineKX}, {"KX", LineKX},
    };
    for (const auto& [code, line] : cases)
        EXPECT_EQ(productLineOfSeries(code).id, line) << '"' << code << '"';
}

} // namespace
} // namespace tarvello
