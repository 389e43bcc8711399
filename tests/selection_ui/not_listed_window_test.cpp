// The real selection windows, headless: a run that lists nothing says why in one message, a
// run with rows says nothing more; the "Not listed" button follows the last run; the button
// and F7 open the panel of the models left out, which copies itself as text.

#include "selection_ducted/fdatimrz.h"
#include "selection_ui/not_listed_panel.h"
#include "selection_ui/not_listed_texts.h"
#include "shell/language.h"
#include "shell/text_table.h"
#include "tests/selection_ducted/ducted_test_support.h"
#include "tests/selection_kx/fdati_test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QRadioButton>
#include <QTableWidget>

#include <algorithm>
#include <vector>

namespace tarvello {
namespace {

using Kind = RecordingMessageSink::Kind;
using testing::FDatiTest;

// The panel's lines as shown: model, reason, figure.
std::vector<QStringList> panelLines(const FNonElencati* panel)
{
    std::vector<QStringList> lines;
    const auto* table = panel->findChild<QTableWidget*>(QStringLiteral("grdNonElencati"));
    for (int r = 0; r < table->rowCount(); ++r)
        lines.push_back({table->item(r, 0)->text(), table->item(r, 1)->text(), table->item(r, 2)->text()});
    return lines;
}

// The models of the last run that are not listed, by name.
QStringList leftOutNames(const RunResult& run)
{
    QStringList names;
    for (const ModelOutcome& model : run.models)
        if (!model.listed())
            names << QString::fromStdString(model.name);
    return names;
}

// --- the KX window on the sample line ---------------------------------------------------

struct KxRun {
    const char* label;
    int mode;
    std::vector<std::pair<const char*, const char*>> fields; // over the mode's design example
    int models;            // the first models of the sample line rated (0: all six)
    bool fourPipe;
    Kind message;          // the one message the run shows
    bool anyMessage;
    bool buttonEnabled;
};

const KxRun kKxRuns[] = {
    // Rows listed, the " 4P" coil left out: the button, and no message.
    {"CoolingListsRows", ModeCooling, {}, 0, false, Kind::Information, false, true},
    // No model reaches 99999 W ± 10 %: the empty-run message.
    {"NoModelMeetsTheBand", ModeCooling, {{"txtPotric", "99999"}}, 0, false, Kind::Information, true, true},
    // "3.000" read as 3 W: every model lies above the band.
    {"ThreeWatts", ModeCooling, {{"txtPotric", "3.000"}}, 0, false, Kind::Information, true, true},
    {"HeatingNoModelMeetsTheBand", ModeHeating, {{"txtPotric", "99999"}}, 0, false, Kind::Information, true, true},
    // The four 2-pipe models in heating: every one listed, nothing to show in the panel.
    {"HeatingListsEveryModel", ModeHeating, {}, 4, false, Kind::Information, false, false},
    // The run ends in the message of its missing input: nothing else, no panel.
    {"MissingWaterInlet", ModeCooling, {{"txtTw1(0)", ""}}, 0, false, Kind::Critical, true, false},
    // A required capacity that is not a number ends the run with error 13.
    {"CapacityNotANumber", ModeCooling, {{"txtPotric", "12x"}}, 0, false, Kind::Exclamation, true, false},
};

class KxNotListed : public FDatiTest, public ::testing::WithParamInterface<KxRun> {
protected:
    void run(const KxRun& r)
    {
        if (r.models > 0)
            modelTable().NumModels = static_cast<int16_t>(r.models);
        if (r.mode == ModeCooling)
            coolingExample();
        else
            heatingExample();
        window->findChild<QCheckBox*>(QStringLiteral("chkDF"))->setChecked(r.fourPipe);
        for (const auto& [name, value] : r.fields)
            box(name)->setText(QString::fromUtf8(value));
        sink.messages.clear();
        calcola();
    }
    QPushButton* notListedButton() const { return button("cmdNonElencati"); }
};

TEST_P(KxNotListed, MessageAndButtonFollowTheRun)
{
    const KxRun& r = GetParam();
    run(r);
    if (!r.anyMessage) {
        EXPECT_TRUE(sink.messages.isEmpty()) << sink.messages.value(0).text.toStdString();
        EXPECT_FALSE(listedModels().isEmpty());
    } else {
        ASSERT_EQ(sink.messages.size(), 1);
        EXPECT_EQ(sink.messages[0].kind, r.message);
    }
    if (r.anyMessage && r.message == Kind::Information) {
        EXPECT_TRUE(listedModels().isEmpty());
        EXPECT_TRUE(sink.messages[0].text.startsWith(Testo(104).trimmed() + QStringLiteral("\n\n")));
        EXPECT_EQ(sink.messages[0].title, QStringLiteral("Tarvello"));
    }
    EXPECT_EQ(notListedButton()->isEnabled(), r.buttonEnabled);
    EXPECT_EQ(notListedButton()->text(), Testo(134));
}

TEST_P(KxNotListed, F7OpensThePanelOfTheModelsLeftOut)
{
    const KxRun& r = GetParam();
    run(r);
    QTest::keyClick(window.get(), Qt::Key_F7);
    FNonElencati* panel = window->notListedPanel();
    if (!r.buttonEnabled) {
        EXPECT_TRUE(!panel || !panel->isVisible());
        return;
    }
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->parent(), window.get());
    EXPECT_EQ(panel->objectName(), QStringLiteral("FNonElencati"));
    EXPECT_EQ(panel->windowTitle(), Testo(135));
    QStringList shown;
    for (const QStringList& line : panelLines(panel))
        shown << line[0];
    EXPECT_EQ(shown, leftOutNames(window->lastRun()));
    EXPECT_EQ(shown.size() + listedModels().size(), modelTable().NumModels);
}

INSTANTIATE_TEST_SUITE_P(Runs, KxNotListed, ::testing::ValuesIn(kKxRuns),
                         [](const ::testing::TestParamInfo<KxRun>& info) { return info.param.label; });

class KxNotListedPanel : public FDatiTest {};

TEST_F(KxNotListedPanel, NoPanelBeforeARun)
{
    EXPECT_FALSE(button("cmdNonElencati")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_EQ(window->notListedPanel(), nullptr);
}

// The capacities the run without a band lists, by model (the grid's total capacity column).
QMap<QString, QString> listedCapacities(const TextGrid& grid)
{
    QMap<QString, QString> capacities;
    for (int r = 2; r < grid.rows(); ++r)
        if (!grid.text(r, 1).isEmpty())
            capacities[grid.text(r, 1)] = grid.text(r, 2);
    return capacities;
}

TEST_F(KxNotListedPanel, TheSummaryCountsTheModelsOutsideTheBandWithTheLargestCapacity)
{
    coolingExample();
    calcola();
    const QMap<QString, QString> capacities = listedCapacities(grd());
    ASSERT_EQ(capacities.size(), 5); // every model but the " 4P" coil
    int largest = 0;
    for (const QString& capacity : capacities)
        largest = std::max(largest, capacity.toInt());

    box("txtPotric")->setText(QStringLiteral("99999")); // 89999 - 109999 W: above every model
    sink.messages.clear();
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text,
              QString::fromUtf8("Nessun apparecchio soddisfa i dati richiesti\n\n"
                                "Modelli non elencati, per motivo:\n"
                                "5 × Fuori dal campo di potenza richiesto (89999 – 109999 W), resa massima %1 W\n"
                                "1 × Batteria di riscaldamento per impianti a 4 tubi")
                  .arg(largest));
}

// Each model outside the band shows the capacity the run without a band lists for it.
TEST_F(KxNotListedPanel, TheButtonOpensThePanelWhichCopiesItsText)
{
    coolingExample();
    calcola();
    const QMap<QString, QString> capacities = listedCapacities(grd());
    box("txtPotric")->setText(QStringLiteral("2000")); // 1800 - 2200 W
    calcola();
    button("cmdNonElencati")->click();
    FNonElencati* panel = window->notListedPanel();
    ASSERT_NE(panel, nullptr);
    QString expected = QStringLiteral("Modello\tMotivo\tDettagli\n");
    for (const QStringList& line : panelLines(panel)) {
        if (capacities.contains(line[0])) {
            EXPECT_EQ(line[1], Testo(146).trimmed()) << line[0].toStdString();
            EXPECT_EQ(line[2], QString::fromUtf8("%1 W, richiesta 1800 – 2200 W").arg(capacities[line[0]]));
        } else {
            EXPECT_EQ(line[0], QStringLiteral("KXH 60 4P"));
        }
        expected += line.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    EXPECT_EQ(panelLines(panel).size(), 6u);

    QApplication::clipboard()->clear();
    panel->findChild<QPushButton*>(QStringLiteral("cmdCopia"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    QApplication::clipboard()->clear();
    QTest::keyClick(panel->findChild<QTableWidget*>(QStringLiteral("grdNonElencati")), Qt::Key_C,
                    Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    // The results grid copies what it always did.
    EXPECT_FALSE(window->Grd->copySelection().contains(QStringLiteral("Motivo")));
}

// The panel and the empty-run message speak the current language.
TEST_F(KxNotListedPanel, ThePanelAndTheMessageInEveryLanguage)
{
    coolingExample();
    box("txtPotric")->setText(QStringLiteral("99999"));
    for (qint16 base : {qint16(100), qint16(300), qint16(500), qint16(700), qint16(900), qint16(1100)}) {
        LangBase = base;
        sink.messages.clear();
        calcola();
        ASSERT_EQ(sink.messages.size(), 1) << base;
        const QStringList message = sink.messages[0].text.split(QLatin1Char('\n'));
        ASSERT_EQ(message.size(), 5) << base;
        EXPECT_EQ(message[0], textForLanguage(base, 104).trimmed()) << base;
        EXPECT_EQ(message[2], textForLanguage(base, 156)) << base;
        EXPECT_TRUE(message[3].startsWith(QString::fromUtf8("5 × ") + textForLanguage(base, 146) + QStringLiteral(" (")))
            << message[3].toStdString();
        EXPECT_EQ(message[4], QString::fromUtf8("1 × ") + textForLanguage(base, 138)) << base;

        QTest::keyClick(window.get(), Qt::Key_F7);
        FNonElencati* panel = window->notListedPanel();
        ASSERT_NE(panel, nullptr);
        EXPECT_EQ(panel->windowTitle(), textForLanguage(base, 135)) << base;
        const auto* table = panel->findChild<QTableWidget*>(QStringLiteral("grdNonElencati"));
        QStringList headings;
        for (int c = 0; c < table->columnCount(); ++c)
            headings << table->horizontalHeaderItem(c)->text();
        EXPECT_EQ(headings, QStringList({textForLanguage(base, 40), textForLanguage(base, 136),
                                         textForLanguage(base, 137)}))
            << base;
        EXPECT_EQ(panel->findChild<QPushButton*>(QStringLiteral("cmdCopia"))->text(), textForLanguage(base, 19));
        const std::vector<QStringList> lines = panelLines(panel);
        ASSERT_EQ(lines.size(), 6u) << base;
        EXPECT_EQ(lines[0][1], textForLanguage(base, 146)) << base;
        EXPECT_EQ(lines[5][1], textForLanguage(base, 138)) << base;
        EXPECT_EQ(lines[5][2], textForLanguage(base, 148)) << base;
        EXPECT_TRUE(panel->copyText().startsWith(headings.join(QLatin1Char('\t')) + QLatin1Char('\n'))) << base;
        panel->close();
        window->activateWindow(); // as the window manager does when the panel closes
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
}

// An open panel follows the next run; it closes when the next run leaves no model out, or
// when a change of mode empties the grid.
TEST_F(KxNotListedPanel, AnOpenPanelFollowsTheNextRun)
{
    coolingExample();
    box("txtPotric")->setText(QStringLiteral("2000"));
    calcola();
    button("cmdNonElencati")->click();
    FNonElencati* panel = window->notListedPanel();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panelLines(panel).size(), 6u);

    box("txtPotric")->clear();
    calcola();
    ASSERT_TRUE(panel->isVisible());
    ASSERT_EQ(panelLines(panel).size(), 1u);
    EXPECT_EQ(panelLines(panel)[0][0], QStringLiteral("KXH 60 4P"));

    // A change of mode empties the grid: the panel of its run goes too.
    setMode(ModeHeating);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(button("cmdNonElencati")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_F7);
    EXPECT_FALSE(panel->isVisible());

    setMode(ModeCooling);
    calcola();
    button("cmdNonElencati")->click();
    ASSERT_TRUE(panel->isVisible());
    modelTable().NumModels = 4; // the 2-pipe models: every one listed in heating
    heatingExample();
    calcola();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(button("cmdNonElencati")->isEnabled());
}

// --- the ducted window on the shipped KXR line -------------------------------------------

class DuctedNotListed : public testing::SelectionEnvironment {
protected:
    void SetUp() override
    {
        testing::SelectionEnvironment::SetUp();
        if (!QFile::exists(QStringLiteral(TARVELLO_APP_DIR "/tarvello.mdb")))
            GTEST_SKIP() << "the program folder has no model database: build the databases first";
        modelTable().SeriesCode = "MRZ";
        testing::loadShippedLine(LineMRZ, modelTable());
        ImpostaCoefficienti(LineMRZ);
        window = fdatiMRZ();
        window->show();
    }
    void TearDown() override
    {
        delete window.data();
        testing::SelectionEnvironment::TearDown();
    }
    void set(const char* name, const char* text)
    {
        window->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromUtf8(text));
    }
    // Cooling, return air 27 °C / 47 %, water 7 -> 12 °C, 50 Pa.
    void coolingAtFiftyPascal(const char* required)
    {
        set("txtTsa1ric(0)", "27");
        set("txtUrric", "47");
        set("txtTw1(0)", "7");
        set("txtTw2(0)", "12");
        set("txtpsu(0)", "50");
        set("txtPotric", required);
        sink.messages.clear();
        window->findChild<QPushButton*>(QStringLiteral("cmdCalcola"))->click();
    }
    QPushButton* notListedButton() const { return window->findChild<QPushButton*>(QStringLiteral("cmdNonElencati")); }

    RecordingMessageSink sink;
    QPointer<FDatiMRZ> window;
};

TEST_F(DuctedNotListed, TheHeatingOnlyAndFourPipeCoilsAreExplainedInCooling)
{
    coolingAtFiftyPascal("");
    EXPECT_TRUE(sink.messages.isEmpty());
    ASSERT_TRUE(notListedButton()->isEnabled());
    notListedButton()->click();
    FNonElencati* panel = window->notListedPanel();
    ASSERT_NE(panel, nullptr);
    const std::vector<QStringList> lines = panelLines(panel);
    struct Expected {
        const char* model;
        int reason, figure;
    };
    const Expected expected[] = {
        {"KXR 300 DF", 140, 148}, {"KXR 300 4P", 138, 148}, {"KXR 600 DF", 140, 148}, {"KXR 600 4P", 138, 148},
        {"KXR 900 DF", 140, 148}, {"KXR 900 4P", 138, 148}, {"KXR 1200 DF", 140, 148}, {"KXR 1200 4P", 138, 148},
    };
    for (const Expected& e : expected) {
        const auto line = std::find_if(lines.begin(), lines.end(),
                                       [&](const QStringList& l) { return l[0] == QLatin1String(e.model); });
        ASSERT_NE(line, lines.end()) << e.model;
        EXPECT_EQ((*line)[1], Testo(e.reason).trimmed()) << e.model;
        EXPECT_EQ((*line)[2], Testo(e.figure).trimmed()) << e.model;
    }
    EXPECT_EQ(lines.size() + window->lastRun().listedCount(), size_t(modelTable().NumModels));
}

TEST_F(DuctedNotListed, ARunThatListsNothingSaysWhy)
{
    coolingAtFiftyPascal("99999");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, Kind::Information);
    const QStringList lines = sink.messages[0].text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], Testo(104).trimmed());
    EXPECT_EQ(lines[2], Testo(156));
    // 24 models: the 16 rated ones above the band, then the two cases of four models in
    // the order of the cases.
    EXPECT_TRUE(lines[3].startsWith(QString::fromUtf8("16 × Fuori dal campo di potenza richiesto (89999 – 109999 W), "
                                                      "resa massima ")))
        << lines[3].toStdString();
    EXPECT_EQ(lines[4], QString::fromUtf8("4 × Batteria di riscaldamento per impianti a 4 tubi"));
    EXPECT_EQ(lines[5], QString::fromUtf8("4 × Unità di solo riscaldamento"));
}

} // namespace
} // namespace tarvello
