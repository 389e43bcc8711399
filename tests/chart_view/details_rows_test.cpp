// The details rows in the user's units and language: every value agrees with the cell the
// results grid shows for it, in each unit choice, and every label is a text of the table in
// each of the six languages.

#include "chart_view/chart_texts.h"
#include "chart_view/details_rows.h"
#include "selection/result_columns.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/units.h"
#include "tests/charts/chart_runs.h"
#include "tests/selection_kx/selection_test_support.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

using testing::ChartRun;

// The value of the row labelled `text` (the first one after the heading `after`, if given).
QString valueOf(const QList<DetailsRow>& rows, int text, int after = 0)
{
    bool inGroup = after == 0;
    for (const DetailsRow& row : rows) {
        if (row.heading && after != 0)
            inGroup = row.label == Testo(after).trimmed();
        if (inGroup && !row.heading && row.label == Testo(text).trimmed())
            return row.value;
    }
    return QStringLiteral("<none>");
}

struct UnitCase {
    const char* name;
    std::array<int, 5> units; // Pt, Qa, Qw, DpW, DpA
};

class DetailsRowsInUnits : public testing::SelectionEnvironment, public ::testing::WithParamInterface<UnitCase> {};

TEST_P(DetailsRowsInUnits, ValuesAreTheGridsCells)
{
    const UnitCase c = GetParam();
    UnitChoice* units[] = {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA};
    for (size_t i = 0; i < 5; ++i)
        units[i]->choose(c.units[i]);
    LangBase = 300;
    for (const ChartRun& run : testing::chartRuns()) {
        SCOPED_TRACE(run.name);
        const RunResult result = run.run();
        for (const ModelOutcome* m : result.listed()) {
            const SelectionDetails d = selectionDetails(run.request, *m, run.table);
            const QList<DetailsRow> rows = detailsRows(d);
            ASSERT_TRUE(rows.front().heading);
            EXPECT_EQ(rows.front().label, QString::fromStdString(m->name));
            const int capacityText = run.request.cooling() ? chart_texts::kTotalCoolingCapacity : chart_texts::kHeatingCapacity;
            EXPECT_EQ(valueOf(rows, capacityText), UnitPt.format(m->rating.Capacity));
            EXPECT_EQ(valueOf(rows, chart_texts::kWaterFlow), UnitQw.format(m->rating.WaterFlow));
            EXPECT_EQ(valueOf(rows, chart_texts::kWaterPressureDrop), UnitDpW.format(m->rating.WaterPressureDrop));
            EXPECT_EQ(valueOf(rows, chart_texts::kAirFlow), UnitQa.format(m->rating.AirFlow));
            EXPECT_EQ(valueOf(rows, chart_texts::kDryBulb, chart_texts::kLeavingAir), oneDecimal(m->rating.AirOut));
            if (run.request.cooling()) {
                EXPECT_EQ(valueOf(rows, chart_texts::kSensibleCapacity), UnitPt.format(m->rating.SensibleCapacity));
                EXPECT_EQ(valueOf(rows, chart_texts::kLatentCapacity), UnitPt.format(d.latentCapacity));
                EXPECT_EQ(valueOf(rows, chart_texts::kRelativeHumidity, chart_texts::kLeavingAir).trimmed(),
                          QString::number(qRound(d.leaving.relativeHumidity)));
            } else {
                EXPECT_EQ(valueOf(rows, chart_texts::kLatentCapacity), QStringLiteral("<none>"));
                EXPECT_EQ(valueOf(rows, chart_texts::kRelativeHumidity, chart_texts::kLeavingAir),
                          Testo(chart_texts::kHumidityNotAsked));
            }
            EXPECT_EQ(valueOf(rows, chart_texts::kFlowRegime),
                      Testo(isLaminar(m->rating) ? chart_texts::kLaminar : chart_texts::kTurbulent));
            const bool ducted = productLine(run.table.line).ducted();
            EXPECT_EQ(valueOf(rows, chart_texts::kSoundPressure) != QStringLiteral("<none>"), !ducted);
            EXPECT_EQ(valueOf(rows, chart_texts::kDryBulb, chart_texts::kFreshAir) != QStringLiteral("<none>"),
                      d.freshAir.has_value());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Units, DetailsRowsInUnits,
                         ::testing::Values(UnitCase{"first", {0, 0, 0, 0, 0}}, UnitCase{"second", {1, 1, 1, 1, 1}},
                                           UnitCase{"m3h", {0, 2, 0, 0, 0}}),
                         [](const auto& info) { return std::string(info.param.name); });

class DetailsRowsInLanguages : public testing::SelectionEnvironment, public ::testing::WithParamInterface<int> {};

TEST_P(DetailsRowsInLanguages, EveryLabelIsATextOfTheLanguage)
{
    LangBase = qint16(GetParam());
    for (int text = chart_texts::kFirst; text <= chart_texts::kLast; ++text)
        EXPECT_FALSE(Testo(text).trimmed().isEmpty()) << text;
    const RunRequest mixed = testing::withFreshAir(testing::ductedAtAirFlow(LineMRZ, 1000, 2), 26, 50, 30, 34, 45);
    const ModelTable table = testing::sampleDuctedLine(LineMRZ);
    const RunResult result = runSelection(mixed, table, testing::constantsOf(LineMRZ));
    ASSERT_FALSE(result.listed().empty());
    const QList<DetailsRow> rows = detailsRows(selectionDetails(mixed, *result.listed().front(), table));
    QStringList headings;
    for (const DetailsRow& row : rows) {
        EXPECT_FALSE(row.label.isEmpty());
        if (row.heading)
            headings << row.label;
    }
    EXPECT_TRUE(headings.contains(Testo(chart_texts::kReturnAir)));
    EXPECT_TRUE(headings.contains(Testo(chart_texts::kFreshAir)));
    EXPECT_TRUE(headings.contains(Testo(chart_texts::kMixedAir)));
    EXPECT_TRUE(headings.contains(Testo(chart_texts::kLeavingAir)));
    EXPECT_TRUE(detailsText(rows).contains(QStringLiteral("\t")));
}

INSTANTIATE_TEST_SUITE_P(Languages, DetailsRowsInLanguages, ::testing::Values(100, 300, 500, 700, 900, 1100));

} // namespace
} // namespace tarvello
