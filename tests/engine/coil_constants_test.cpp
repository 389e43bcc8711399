#include "engine/coil_constants.h"
#include "engine/model_table.h"

#include <gtest/gtest.h>

using namespace tarvello;

// Entries one line writes survive the set-up of another line.
TEST(CoilConstants, LineSpecificEntriesPersistAcrossLines)
{
    struct Case {
        std::vector<int> lines; // loaded in this order
        float perRow14, perRow34;
        int16_t finPitch4;
    };
    const Case cases[] = {
        {{LineMRZ}, 0.0f, 0.0f, 0},
        {{LineKX}, 0.0f, 18.5f, 25},
        {{LineHJQ}, 16.04f, 0.0f, 25},
        {{LineHJQ, LineMRZ}, 16.04f, 0.0f, 25},
        {{LineKX, LineHJQ, LineMRZ}, 16.04f, 18.5f, 25},
    };
    for (const auto& c : cases) {
        CoilConstants k;
        for (int line : c.lines)
            ImpostaCoefficienti(line, k);
        EXPECT_FLOAT_EQ(k.SurfacePerRow[1][4], c.perRow14);
        EXPECT_FLOAT_EQ(k.SurfacePerRow[3][4], c.perRow34);
        EXPECT_EQ(k.FinPitchTable[4], c.finPitch4);
        EXPECT_FLOAT_EQ(k.SurfaceRatio[3][1], 24.8f); // common to every line
    }
}
