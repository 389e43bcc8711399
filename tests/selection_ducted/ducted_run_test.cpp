// The results of a ducted run as the window writes them: the cells of a listed unit from
// the column descriptors (units, masks, the laminar and capped-pressure marks) and the
// headings of the grid per mode and given quantities. The run itself (air side, caps and
// drops, name filters, errors) is tested without the window in tests/selection.

#include "selection_ducted/ducted_grid.h"
#include "selection_ui/result_grid.h"

#include "ducted_test_support.h"
#include "shell/language.h"

#include <QStringList>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;

class DuctedRun : public SelectionEnvironment {};

// A listed KXR unit as the run gives it at speed 3.
ModelOutcome sampleOutcome()
{
    ModelOutcome m;
    m.model = 1;
    m.name = "KXR A";
    m.rating.model = 1;
    m.rating.Capacity = 5230;
    m.rating.SensibleCapacity = 3870;
    m.rating.WaterFlow = 0.000250;
    m.rating.WaterOut = 12.04f;
    m.rating.WaterPressureDrop = 14.3f;
    m.rating.Reynolds = 5000;
    m.rating.AirFlow = 0.3175f;
    m.rating.AirOut = 14.26f;
    m.air.airFlow = 0.3175f;
    m.air.availablePressure = 2.0f;
    m.air.pressureCapped = false;
    m.soundPower = 53;
    return m;
}

QStringList cellsOf(int mode, const DuctedColumns& given, const ModelOutcome& m)
{
    return resultRowText(ductedColumns(mode, given), m).split(QLatin1Char('\t'));
}

TEST_F(DuctedRun, ResultRowCells)
{
    ModelOutcome m = sampleOutcome();
    // Static pressure given, leaving water given: water flow and air flow.
    QStringList cells = cellsOf(ModeCooling, {false, false}, m);
    EXPECT_EQ(cells, (QStringList{"", "KXR A", "5230", "3870", "0.250", "14.30", "317.5", "14.3", "53"}));
    // Air flow given, water flow given: leaving water and the pressure left.
    cells = cellsOf(ModeCooling, {true, true}, m);
    EXPECT_EQ(cells[4], QStringLiteral("12.0"));
    EXPECT_EQ(cells[6], QStringLiteral(" 2"));
    // Heating has no sensible column; laminar flow marks the pressure drop.
    m.rating.Reynolds = 2000;
    cells = cellsOf(ModeHeating, {false, true}, m);
    EXPECT_EQ(cells, (QStringList{"", "KXR A", "5230", "0.250", "14.30 *", " 2", "14.3", "53"}));
    // Capped, in mmH2O: 250 × 0.102 with the mask "#0.0".
    UnitDpA.choose(1);
    m.air.availablePressure = 250;
    m.air.pressureCapped = true;
    cells = cellsOf(ModeCooling, {false, true}, m);
    EXPECT_EQ(cells[6], QStringLiteral("> 25.5"));
}

TEST_F(DuctedRun, EachCellIsTheColumnsCellOfTheModel)
{
    const ModelOutcome m = sampleOutcome();
    for (int mode : {ModeCooling, ModeHeating}) {
        for (const DuctedColumns given : {DuctedColumns{false, false}, DuctedColumns{true, true}}) {
            SCOPED_TRACE(QStringLiteral("mode %1 given %2/%3")
                             .arg(mode)
                             .arg(given.waterFlowGiven)
                             .arg(given.airFlowGiven)
                             .toStdString());
            const std::vector<ResultColumn> columns = ductedColumns(mode, given);
            const QStringList cells = cellsOf(mode, given, m);
            ASSERT_EQ(cells.size(), qsizetype(columns.size()) + 2);
            for (size_t i = 0; i < columns.size(); ++i)
                EXPECT_EQ(cells[qsizetype(i) + 2], columnCell(columns[i], m)) << i;
        }
    }
}

TEST_F(DuctedRun, HeadingsFollowTheModeAndTheGivenQuantities)
{
    TextGrid grid;
    layoutDuctedGrid(grid, ModeCooling, {false, false}, 100);
    ASSERT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.cols(), 9);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(grid.text(0, 5), Testo(45));
    EXPECT_EQ(grid.text(0, 4), Testo(48));
    EXPECT_EQ(grid.text(1, 4), QStringLiteral("l/s"));
    EXPECT_EQ(grid.text(0, 6), Testo(49));
    EXPECT_EQ(grid.text(1, 6), QStringLiteral("l/s"));
    EXPECT_EQ(grid.text(1, 8), QStringLiteral("dB(A)"));
    EXPECT_EQ(grid.colWidth(0), 200);
    EXPECT_EQ(grid.colWidth(1), 900);
    EXPECT_EQ(grid.colWidth(8), 900);
    EXPECT_TRUE(grid.rightAligned(2));
    EXPECT_TRUE(grid.text(2, 1).isEmpty());

    UnitPt.choose(1);
    layoutDuctedGrid(grid, ModeHeating, {true, true}, 700);
    EXPECT_EQ(grid.cols(), 8);
    EXPECT_EQ(grid.text(0, 2), Testo(54));
    EXPECT_EQ(grid.text(1, 2), QStringLiteral("Cal/h "));
    EXPECT_EQ(grid.text(0, 3), Testo(94));
    EXPECT_EQ(grid.text(1, 3), QStringLiteral("°C"));
    EXPECT_EQ(grid.text(0, 5), Testo(58));
    EXPECT_EQ(grid.text(1, 5), QStringLiteral("Pa"));
    EXPECT_EQ(grid.colWidth(3), 900); // heating keeps 900 in German too

    layoutDuctedGrid(grid, ModeCooling, {false, true}, 700);
    EXPECT_EQ(grid.text(1, 2), QStringLiteral("Frig/h"));
    EXPECT_EQ(grid.text(1, 3), QStringLiteral("Frig/h"));
    EXPECT_EQ(grid.colWidth(1), 1300);
    EXPECT_EQ(grid.colWidth(8), 1300);
}

TEST_F(DuctedRun, TheGridTakesItsHeadingsAndUnitsFromTheColumns)
{
    for (int mode : {ModeCooling, ModeHeating}) {
        for (const DuctedColumns given : {DuctedColumns{false, false}, DuctedColumns{true, false},
                                          DuctedColumns{false, true}, DuctedColumns{true, true}}) {
            SCOPED_TRACE(QStringLiteral("mode %1 given %2/%3")
                             .arg(mode)
                             .arg(given.waterFlowGiven)
                             .arg(given.airFlowGiven)
                             .toStdString());
            TextGrid grid;
            layoutDuctedGrid(grid, mode, given, 100);
            const std::vector<ResultColumn> columns = ductedColumns(mode, given);
            ASSERT_EQ(grid.cols(), int(columns.size()) + 2);
            for (size_t i = 0; i < columns.size(); ++i) {
                EXPECT_EQ(grid.text(0, int(i) + 2), columnHeading(columns[i])) << i;
                EXPECT_EQ(grid.text(0, int(i) + 2), Testo(columns[i].headingText)) << i;
                EXPECT_EQ(grid.text(1, int(i) + 2), columnUnit(columns[i], mode)) << i;
            }
        }
    }
}

} // namespace
} // namespace tarvello
