// Whole runs of the KX window on a small sample line and on the shipped line 0: the rows,
// headings and messages a run shows, the copy, the print marks and the report request.
// The run itself (filters, free-blow test, errors of one model, per-speed coefficients) is
// tested without the window in tests/selection.
#include "selection/selection_run.h"
#include "selection_kx/kx_grid.h"
#include "selection_ui/print_request.h"
#include "selection_ui/result_grid.h"
#include "shell/language.h"

#include "fdati_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

using namespace tarvello;
using tarvello::testing::FDatiTest;
using tarvello::testing::loadShippedLine0;

namespace {

class KxRun : public FDatiTest {};

// Water: about 4.19 kJ/(kg·K) and 1000 kg/m³ near 10 °C and 40 °C.
constexpr double kWaterHeatPerLitreKelvin = 4.19; // kJ/(l·K)

TEST_F(KxRun, CoolingListsEveryModelButTheHeatingCoilsWithPlausibleFigures)
{
    coolingExample();
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(listedModels(), (QStringList{"KXA 20", "KXA 30", "KXE 40", "KXH 50", "KXH 60+4P"}))
        << "table order, without the \" 4P\" heating coil";
    ASSERT_EQ(grd().rows(), 7) << "the empty row 2 is removed after a run with results";
    EXPECT_EQ(grd().text(0, 4), "Portata acqua");
    for (int r = 2; r < grd().rows(); ++r) {
        SCOPED_TRACE(grd().text(r, 1).toStdString());
        const double total = number(r, 2), sensible = number(r, 3), flow_ls = number(r, 4);
        EXPECT_GT(total, 1000);
        EXPECT_LT(sensible, total);
        EXPECT_GT(sensible, 0.5 * total);
        // Air side against water side: the flow carries the capacity over 5 K.
        EXPECT_NEAR(flow_ls, total / 1000 / (kWaterHeatPerLitreKelvin * 5), 0.03 * flow_ls);
        const double airOut = number(r, 7);
        EXPECT_GT(airOut, 7);
        EXPECT_LT(airOut, 19);
        EXPECT_GT(number(r, 5), 0);
    }
    // The row after each other grows with the model.
    for (int r = 3; r < grd().rows(); ++r)
        EXPECT_GT(number(r, 2), number(r - 1, 2));
}

// The rows a run on the shipped range must show: every model its name filters keep.
QStringList namesKeptFor(int mode, bool fourPipe)
{
    QStringList names;
    const ModelTable& t = modelTable();
    for (int m = 1; m <= t.NumModels; ++m)
        if (!nameFilterReason(t.Modello[m], mode, fourPipe, false))
            names << QString::fromStdString(t.Modello[m]);
    return names;
}

TEST_F(KxRun, TheShippedRangeRatesEveryModelTheFiltersKeep)
{
    loadShippedLine0();
    ASSERT_GT(modelTable().NumModels, 0);
    coolingExample();
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(listedModels(), namesKeptFor(0, false));
    for (int r = 2; r < grd().rows(); ++r) {
        SCOPED_TRACE(grd().text(r, 1).toStdString());
        EXPECT_GT(number(r, 2), 0);
        EXPECT_LE(number(r, 3), number(r, 2));
        EXPECT_NEAR(number(r, 4), number(r, 2) / 1000 / (kWaterHeatPerLitreKelvin * 5), 0.03 * number(r, 4) + 0.001);
        EXPECT_GT(number(r, 7), 7);
        EXPECT_LT(number(r, 7), 27);
    }
    heatingExample();
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(listedModels(), namesKeptFor(1, false));
    for (int r = 2; r < grd().rows(); ++r) {
        SCOPED_TRACE(grd().text(r, 1).toStdString());
        EXPECT_NEAR(number(r, 3), number(r, 2) / 1000 / (kWaterHeatPerLitreKelvin * 5), 0.03 * number(r, 3) + 0.001);
        EXPECT_GT(number(r, 6), 20);
        EXPECT_LT(number(r, 6), 45);
    }
    window->findChild<QCheckBox*>(QStringLiteral("chkDF"))->setChecked(true);
    calcola();
    EXPECT_EQ(listedModels(), namesKeptFor(1, true));
}

TEST_F(KxRun, CoolingWithTheWaterFlowGivenFindsTheLeavingTemperatureBack)
{
    coolingExample();
    calcola();
    ASSERT_EQ(grd().text(3, 1), "KXA 30");
    const QString flow = grd().text(3, 4);
    const double total = number(3, 2);
    box("txtTw2(0)")->clear();
    box("txtQw(0)")->setText(flow);
    calcola();
    EXPECT_EQ(grd().text(0, 4), "Temp.uscita acqua");
    EXPECT_EQ(grd().text(1, 4), "°C");
    ASSERT_EQ(grd().text(3, 1), "KXA 30");
    EXPECT_NEAR(number(3, 4), 12.0, 0.15) << "the flow found for 12 °C gives 12 °C back";
    EXPECT_NEAR(number(3, 2), total, 0.02 * total);
    EXPECT_EQ(window->Grdrif->grid().text(4, 2), flow) << "the summary shows the water flow row";
}

TEST_F(KxRun, HeatingListsTwoPipeModelsOrOnlyTheFourPipeCoils)
{
    heatingExample();
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(grd().cols(), 9);
    EXPECT_EQ(listedModels(), (QStringList{"KXA 20", "KXA 30", "KXE 40", "KXH 50"}));
    for (int r = 2; r < grd().rows(); ++r) {
        SCOPED_TRACE(grd().text(r, 1).toStdString());
        const double capacity = number(r, 2), flow_ls = number(r, 3);
        EXPECT_NEAR(flow_ls, capacity / 1000 / (kWaterHeatPerLitreKelvin * 5), 0.03 * flow_ls);
        EXPECT_GT(number(r, 6), 20) << "leaving air";
        EXPECT_LT(number(r, 6), 45);
    }
    window->findChild<QCheckBox*>(QStringLiteral("chkDF"))->setChecked(true);
    calcola();
    EXPECT_EQ(listedModels(), QStringList{"KXH 60 4P"});
}

TEST_F(KxRun, HeatingWithTheWaterFlowGiven)
{
    heatingExample();
    box("txtTw2(1)")->clear();
    box("txtQw(1)")->setText(QStringLiteral("0.2"));
    calcola();
    EXPECT_EQ(grd().text(0, 3), "Temp.uscita acqua");
    ASSERT_EQ(listedModels().size(), 4);
    for (int r = 2; r < grd().rows(); ++r) {
        const double drop = number(r, 2) / 1000 / (kWaterHeatPerLitreKelvin * 0.2);
        EXPECT_NEAR(number(r, 3), 45 - drop, 0.2) << grd().text(r, 1).toStdString();
    }
}

TEST_F(KxRun, BothWaterValuesTypedRateOnTheLeavingTemperature)
{
    coolingExample();
    box("txtQw(0)")->setText(QStringLiteral("0.5")); // typed without leaving the field
    calcola();
    EXPECT_EQ(grd().text(0, 4), "Portata acqua") << "the flow is found, so it is what the column shows";
    EXPECT_EQ(grd().text(1, 4), "l/s");
    EXPECT_NEAR(number(2, 4), 0.119, 0.002);
    const TextGrid& summary = window->Grdrif->grid();
    EXPECT_EQ(summary.text(4, 0), "Temp.uscita acqua");
    EXPECT_EQ(summary.text(4, 2), "12");
}

TEST_F(KxRun, HeadingsUnitsAndRowsComeFromTheColumnsOfTheRun)
{
    struct Case {
        const char* what;
        int mode;
        bool waterFlowGiven;
    };
    const Case cases[] = {
        {"cooling, leaving water given", 0, false},
        {"cooling, water flow given", 0, true},
        {"heating, leaving water given", 1, false},
        {"heating, water flow given", 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.mode == 0)
            coolingExample();
        else
            heatingExample();
        if (c.waterFlowGiven) {
            box(c.mode == 0 ? "txtTw2(0)" : "txtTw2(1)")->clear();
            box(c.mode == 0 ? "txtQw(0)" : "txtQw(1)")->setText(QStringLiteral("0.2"));
        }
        calcola();
        ASSERT_TRUE(sink.messages.isEmpty());
        const std::vector<ResultColumn> columns = kxColumns(c.mode, c.waterFlowGiven);
        ASSERT_EQ(grd().cols(), int(columns.size()) + 2);
        for (size_t i = 0; i < columns.size(); ++i) {
            EXPECT_EQ(grd().text(0, int(i) + 2), columnHeading(columns[i])) << i;
            EXPECT_EQ(grd().text(1, int(i) + 2), columnUnit(columns[i], c.mode)) << i;
        }
        // Every model of the line once in the run, the listed ones as the grid's rows.
        const RunResult& run = window->lastRun();
        EXPECT_EQ(int(run.models.size()), modelTable().NumModels);
        const std::vector<const ModelOutcome*> listed = run.listed();
        ASSERT_EQ(int(listed.size()), grd().rows() - 2);
        for (size_t r = 0; r < listed.size(); ++r)
            EXPECT_EQ(row(int(r) + 2).join(QLatin1Char('\t')), resultRowText(columns, *listed[r])) << r;
    }
}

TEST_F(KxRun, CapacityWindowInWattsAndInFrigories)
{
    coolingExample();
    calcola();
    const double kxa30 = number(3, 2);
    box("txtPotric")->setText(QString::number(kxa30));
    list("cboApprox")->setCurrentText(QStringLiteral("10"));
    calcola();
    EXPECT_EQ(listedModels(), QStringList{"KXA 30"});

    list("cboApprox")->setCurrentText(QStringLiteral("70"));
    calcola();
    EXPECT_EQ(listedModels(), (QStringList{"KXA 20", "KXA 30"})) << "1107 to 6273 W leaves out KXE 40 (6380 W)";

    UnitPt.choose(1); // "Cal/h - Frig/h": the same number means more watts
    list("cbofunz")->setCurrentIndex(1);
    list("cbofunz")->setCurrentIndex(0);
    box("txtPotric")->setText(QStringLiteral("3000"));
    list("cboApprox")->setCurrentText(QStringLiteral("10"));
    calcola();
    EXPECT_EQ(grd().text(1, 2), "Frig/h");
    EXPECT_EQ(listedModels(), QStringList{"KXA 30"}) << "3000 Frig/h ± 10 % is 3140 to 3837 W";
    EXPECT_NEAR(number(2, 2), 3690 * 0.86, 1);
}

// The reasons the last run left its models out, one per model of the line.
std::vector<std::optional<NotListedReason>> reasonsOf(const RunResult& run)
{
    std::vector<std::optional<NotListedReason>> reasons;
    for (const ModelOutcome& model : run.models)
        reasons.push_back(model.reason);
    return reasons;
}

TEST_F(KxRun, NoModelFitsLeavesTheEmptyRowAndSaysSo)
{
    coolingExample();
    box("txtPotric")->setText(QStringLiteral("100000"));
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Information);
    EXPECT_TRUE(sink.messages[0].text.startsWith(Testo(104).trimmed())) << sink.messages[0].text.toStdString();
    EXPECT_EQ(grd().rows(), 3);
    EXPECT_TRUE(listedModels().isEmpty());
    using R = NotListedReason;
    EXPECT_EQ(reasonsOf(window->lastRun()),
              (std::vector<std::optional<R>>{R::OutsideCapacityBand, R::OutsideCapacityBand, R::OutsideCapacityBand,
                                             R::OutsideCapacityBand, R::OutsideCapacityBand, R::OtherMode}));
}

TEST_F(KxRun, ARequiredCapacityThatIsNoNumberEndsTheRunWithItsNumber)
{
    coolingExample();
    box("txtPotric")->setText(QStringLiteral("12x"));
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Exclamation);
    EXPECT_EQ(sink.messages[0].text, "Errore generico : 13");
    EXPECT_TRUE(listedModels().isEmpty());
}

TEST_F(KxRun, AnErrorInOneModelEndsTheRunAndKeepsTheRowsBefore)
{
    modelTable().NC[3] = 0; // KXE 40 without circuits: a division by zero
    coolingExample();
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Exclamation);
    EXPECT_EQ(sink.messages[0].text, "Errore generico : 11");
    EXPECT_EQ(listedModels(), (QStringList{"KXA 20", "KXA 30"}));
    EXPECT_EQ(grd().text(2, 1), "") << "the empty row 2 stays";
}

TEST_F(KxRun, ErrorFiveInOneModelSkipsItAndTheRunGoesOn)
{
    modelTable().LunBat[2] = -700; // KXA 30: no air-side law for a negative coil length
    coolingExample();
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(listedModels(), (QStringList{"KXA 20", "KXE 40", "KXH 50", "KXH 60+4P"}));
}

TEST_F(KxRun, ALeavingTemperatureOnTheWrongSideStopsTheRun)
{
    coolingExample();
    box("txtTw2(0)")->setText("6");
    focusOn("cmdCalcola");
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text, "La temp. Uscita deve essere > di quella di ingresso");
    EXPECT_EQ(focused(), box("txtTw2(0)"));
    EXPECT_TRUE(listedModels().isEmpty());
    box("txtTw2(0)")->setText("12");
    heatingExample();
    box("txtTw2(1)")->setText("45");
    focusOn("cmdCalcola");
    calcola();
    ASSERT_EQ(sink.messages.size(), 2);
    EXPECT_EQ(sink.messages[1].text, "La temp. Uscita deve essere < di quella di ingresso");
    EXPECT_EQ(focused(), box("txtTw2(1)"));
}

TEST_F(KxRun, AStaticPressureTheFansCannotMeetRemovesEveryModel)
{
    coolingExample();
    box("txtpsu(0)")->setText(QStringLiteral("75")); // above every fan's pressure at no flow
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Information);
    EXPECT_TRUE(listedModels().isEmpty());
    using R = NotListedReason;
    EXPECT_EQ(reasonsOf(window->lastRun()),
              (std::vector<std::optional<R>>{R::FreeBlow, R::FreeBlow, R::FreeBlow, R::FreeBlow, R::FreeBlow,
                                             R::OtherMode}));
}

TEST_F(KxRun, CopyOfOneSelectedRowGivesHeadingsUnitsAndTheRow)
{
    coolingExample();
    calcola();
    GridView* view = window->Grd;
    view->selectionModel()->select(QItemSelection(grd().index(3, 0), grd().index(3, 9)),
                                   QItemSelectionModel::ClearAndSelect);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    const QString expected = QStringLiteral(
        "Modello\tPotenza totale \tPotenza sensibile\tPortata acqua\tPerdita di carico acqua\tPortata aria\t"
        "Temp.uscita aria\tPotenza sonora\tPressione sonora\t\n"
        "\tW\tW\tl/s\tkPa\tl/s\t°C\tdB(A)\tdB(A)\t\n")
        + QStringList(row(3).mid(1)).join(QLatin1Char('\t')) + QStringLiteral("\t\n");
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), expected.toStdString());
    EXPECT_TRUE(expected.contains(QStringLiteral("KXA 30\t3690\t2860\t")));
}

TEST_F(KxRun, ClickingARowTogglesItsPrintMark)
{
    coolingExample();
    calcola();
    GridView* view = window->Grd;
    const QRect cell = view->visualRect(grd().index(3, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grd().text(3, 0), "S");
    view->clickRow(3);
    EXPECT_EQ(grd().text(3, 0), "");
    view->clickRow(0);
    EXPECT_EQ(grd().text(0, 0), "") << "heading rows are never marked";
}

TEST_F(KxRun, LaminarFlowIsMarkedAndWarnedUntilTheNextRun)
{
    auto* warning = window->findChild<QLabel*>("lblLaminare");
    heatingExample();
    box("txtTw2(1)")->clear();
    box("txtQw(1)")->setText(QStringLiteral("0.01")); // a trickle: laminar in every tube
    calcola();
    ASSERT_FALSE(listedModels().isEmpty());
    EXPECT_TRUE(grd().text(2, 4).endsWith(" *")) << grd().text(2, 4).toStdString();
    EXPECT_TRUE(warning->isVisible());
    heatingExample();
    calcola();
    EXPECT_FALSE(grd().text(2, 4).endsWith(" *")) << grd().text(2, 4).toStdString();
    EXPECT_FALSE(warning->isVisible());
}

TEST_F(KxRun, ChangingTheModeEmptiesTheResults)
{
    coolingExample();
    calcola();
    setMode(1);
    EXPECT_EQ(grd().rows(), 3);
    EXPECT_EQ(grd().cols(), 9);
}

TEST_F(KxRun, PrintButtonHandsTheGridsToThePrintOptions)
{
    coolingExample();
    calcola();
    window->Grd->clickRow(3);
    window->setWindowTitle("Modelli KXA KXE KXH");
    const PrintOptionsOpener saved = printOptionsOpener();
    std::optional<ReportSource> asked;
    printOptionsOpener() = [&](QWidget* owner, const ReportSource& source) {
        EXPECT_EQ(owner, window.get());
        asked = source;
    };
    button("cmdStampa")->click();
    printOptionsOpener() = saved;
    ASSERT_TRUE(asked.has_value());
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(asked->routine, ReportRoutine::StampaKX);
    EXPECT_EQ(asked->caption, "Modelli KXA KXE KXH");
    ASSERT_EQ(asked->gridRows.size(), 7);
    EXPECT_EQ(asked->gridRows[0][2], "Potenza totale ");
    EXPECT_EQ(asked->gridRows[3][0], "S");
    EXPECT_EQ(asked->gridRows[3][1], "KXA 30");
    EXPECT_EQ(asked->inputRows[0], (QStringList{"Temp.ingresso aria", "°C", "27"}));
    EXPECT_EQ(asked->columnWidths, (QList<int>{200, 1200, 850, 850, 850, 850, 850, 850, 850, 850}));
    EXPECT_EQ(asked->columnAlignments[1], kColumnAlignDefault);
    EXPECT_EQ(asked->columnAlignments[2], kColumnAlignRight);
    EXPECT_FALSE(asked->windowImage.isNull());
}

} // namespace
