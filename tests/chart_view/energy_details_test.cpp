// The fan power and the energy indexes in the details and the datasheet: shown from the
// model database's technical data when it has the model, left out when it has not (a
// database of the original layout), and the datasheet still fits its two pages with a
// seven-speed unit's fan power list.

#include "chart_view/datasheet.h"
#include "chart_view/details_rows.h"
#include "energy/energy_texts.h"
#include "energy/unit_data.h"
#include "shell/language.h"
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
namespace etx = energy_texts;

// Technical data for `model` of `speeds` speeds: 10 W more fan power per speed.
energy::UnitData unitFor(const std::string& model, int speeds, std::optional<double> fceer,
                         std::optional<double> fccop)
{
    energy::UnitData u;
    u.model = model;
    u.width_mm = 900, u.height_mm = 520, u.depth_mm = 240, u.weight_kg = 26.5;
    u.waterConnection = "G 3/4";
    u.waterContent_l = 1.25;
    u.supply = "230 V 1~ 50 Hz";
    for (int s = 1; s <= speeds; ++s) {
        u.fanPower_W.push_back(10.0 * s);
        u.motorCurrent_A.push_back(0.05 * s);
    }
    u.energy.fceer = fceer;
    u.energy.fccop = fccop;
    return u;
}

QString valueOf(const QList<DetailsRow>& rows, int text)
{
    for (const DetailsRow& row : rows)
        if (!row.heading && row.label == Testo(text).trimmed())
            return row.value;
    return QStringLiteral("<none>");
}

bool hasHeading(const QList<DetailsRow>& rows, int text)
{
    return std::any_of(rows.begin(), rows.end(),
                       [&](const DetailsRow& r) { return r.heading && r.label == Testo(text).trimmed(); });
}

struct EnergyCase {
    const char* name;
    int run;                      // index into chartRuns()
    std::optional<double> fceer;
    std::optional<double> fccop;
    const char* fceerShown;       // "<none>": no such row
    const char* fccopShown;
};

class EnergyDetails : public testing::SelectionEnvironment, public ::testing::WithParamInterface<EnergyCase> {};

TEST_P(EnergyDetails, FanPowerAtTheRunsSpeedAndTheIndexesWithTheirClass)
{
    const EnergyCase c = GetParam();
    LangBase = 300;
    const ChartRun run = testing::chartRuns().at(size_t(c.run));
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    const ModelOutcome& model = *result.listed().front();
    energy::unitDataTable().clear();
    const QList<DetailsRow> without = detailsRows(selectionDetails(run.request, model, run.table));
    EXPECT_FALSE(hasHeading(without, etx::kEnergy)) << "no technical data, no energy rows";

    energy::unitDataTable().add(unitFor(model.name, productLine(run.table.line).speeds, c.fceer, c.fccop));
    const QList<DetailsRow> rows = detailsRows(selectionDetails(run.request, model, run.table));
    energy::unitDataTable().clear();
    EXPECT_TRUE(hasHeading(rows, etx::kEnergy));
    EXPECT_EQ(valueOf(rows, etx::kFanPowerInput), QString::number(10 * run.request.speed) + QStringLiteral(".0"));
    EXPECT_EQ(valueOf(rows, etx::kFceerClass), QString::fromLatin1(c.fceerShown));
    EXPECT_EQ(valueOf(rows, etx::kFccopClass), QString::fromLatin1(c.fccopShown));
}

INSTANTIATE_TEST_SUITE_P(
    Runs, EnergyDetails,
    ::testing::Values(EnergyCase{"kx_class_a", 0, 212.4, 230.0, "212 (A)", "230 (A)"},
                      EnergyCase{"kx_class_e", 0, 61.5, std::nullopt, "62 (E)", "<none>"},
                      EnergyCase{"mrz_class_f", 10, 44.1, 46.5, "44 (F)", "47 (F)"},
                      EnergyCase{"hjq_heating_only", 13, std::nullopt, 100.2, "<none>", "100 (D)"},
                      EnergyCase{"class_g", 12, 20.0, 30.0, "20 (G)", "30 (G)"}),
    [](const auto& info) { return std::string(info.param.name); });

class EnergyDatasheet : public testing::SelectionEnvironment, public ::testing::WithParamInterface<int> {};

// With the unit data and a fan power row per speed the datasheet keeps every text inside
// its two pages, and reads back with them.
TEST_P(EnergyDatasheet, UnitDataAndFanPowerFitThePage)
{
    LangBase = 700;
    const ChartRun run = testing::chartRuns().at(size_t(GetParam()));
    const RunResult result = run.run();
    ASSERT_FALSE(result.listed().empty());
    const ModelOutcome& model = *result.listed().front();
    energy::unitDataTable().clear();
    energy::unitDataTable().add(unitFor(model.name, productLine(run.table.line).speeds, 75.0, 80.0));
    const DatasheetSource source{QString::fromStdString(run.name), run.request, model, &run.table,
                                 QDate(2026, 12, 7), std::nullopt};
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("geometry.pdf")));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    QPainter painter(&writer);
    QList<DrawnText> drawn;
    drawDatasheet(painter, writer, source, &drawn);
    painter.end();
    const QRectF page = writer.pageLayout().paintRect(QPageLayout::Millimeter);
    for (const DrawnText& t : drawn) {
        EXPECT_LE(t.box.bottom(), page.height() + 1e-6) << t.text.toStdString();
        EXPECT_LE(t.box.right(), page.width() + 1e-6) << t.text.toStdString();
        EXPECT_LE(t.page, kDatasheetPages) << t.text.toStdString();
    }
    const auto drew = [&](const QString& text) {
        return std::any_of(drawn.begin(), drawn.end(), [&](const DrawnText& t) { return t.text.contains(text); });
    };
    EXPECT_TRUE(drew(Testo(etx::kFanPowerPerSpeed).trimmed()));
    EXPECT_TRUE(drew(QStringLiteral("900 × 520 × 240")));
    EXPECT_TRUE(drew(QStringLiteral("G 3/4")));
    const int top = productLine(run.table.line).speeds;
    EXPECT_TRUE(drew(oneDecimal(10.0 * top).trimmed() + QStringLiteral(" W"))) << "the top speed's fan power";
    energy::unitDataTable().clear();
}

INSTANTIATE_TEST_SUITE_P(Runs, EnergyDatasheet, ::testing::Values(0, 10, 13));

} // namespace
} // namespace tarvello
