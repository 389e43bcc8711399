// The program's own output, pinned: a table of runs through the real selection windows on
// the shipped lines (both modes, both water inputs, every speed, mixing, the 4-pipe box,
// capacity bands, units and languages, and the inputs that end in a message). For every run
// the messages, the clipboard text of the whole grid and the snapshot the printed report
// reads are written down and compared byte for byte with the committed record.
//
// TARVELLO_WRITE_GOLDEN=1 rewrites the record (after a change that is meant to alter what a
// user sees; review the difference before committing it).

#include "engine/coil_constants.h"
#include "engine/model_table.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_kx/fdati.h"
#include "selection_ui/print_request.h"
#include "shell/language.h"
#include "shell/recording_message_sink.h"
#include "tests/selection_kx/selection_test_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTextStream>

#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;

const QString kGoldenPath = QStringLiteral(TARVELLO_SOURCE_DIR "/tests/selection_ui/golden/window_runs.txt");

// One run as the user makes it: the line, the mode, the texts typed (every other field
// empty), the list choices, the language and the five unit choices.
struct WindowRun {
    int line = LineKX;
    int mode = ModeCooling;
    std::vector<std::pair<const char*, const char*>> fields;
    int speedIndex = 1;
    int approxIndex = 0;
    bool fourPipe = false;
    bool airFlowGiven = false; // ducted: optPortata instead of optpressione
    qint16 langBase = 100;
    std::array<int, 5> units{0, 0, 0, 0, 0}; // Pt, Qa, Qw, DpW, DpA

    QString describe() const
    {
        QString text = QStringLiteral("line %1 mode %2 speed %3 approx %4 df %5 airflow %6 lang %7 units %8%9%10%11%12")
                           .arg(line)
                           .arg(mode)
                           .arg(speedIndex)
                           .arg(approxIndex)
                           .arg(fourPipe)
                           .arg(airFlowGiven)
                           .arg(langBase)
                           .arg(units[0])
                           .arg(units[1])
                           .arg(units[2])
                           .arg(units[3])
                           .arg(units[4]);
        for (const auto& [name, value] : fields)
            text += QStringLiteral(" %1=%2").arg(QString::fromLatin1(name), QString::fromUtf8(value));
        return text;
    }
};

using Fields = std::vector<std::pair<const char*, const char*>>;

// The KX runs: design conditions of both modes at every speed, with and without a band and a
// static pressure, then languages, units and the inputs that end in a message.
void addKxRuns(std::vector<WindowRun>& runs)
{
    const std::vector<std::pair<int, Fields>> conditions{
        {ModeCooling, {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}}},
        {ModeCooling, {{"txtTsa1(0)", "27"}, {"txtUr", "50"}, {"txtTw1(0)", "7"}, {"txtQw(0)", "0.15"}}},
        {ModeCooling, {{"txtTsa1(0)", "24"}, {"txtUr", "50"}, {"txtTw1(0)", "10"}, {"txtTw2(0)", "15"}, {"txtGlic(0)", "30"}}},
        {ModeCooling, {{"txtTsa1(0)", "18"}, {"txtUr", "40"}, {"txtTw1(0)", "14"}, {"txtTw2(0)", "17"}}},
        {ModeCooling, {{"txtTsa1(0)", "30"}, {"txtUr", "60"}, {"txtTw1(0)", "6"}, {"txtQw(0)", "0.4"}}},
        {ModeHeating, {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}}},
        {ModeHeating, {{"txtTsa1(1)", "15"}, {"txtTw1(1)", "50"}, {"txtQw(1)", "0.1"}}},
        {ModeHeating, {{"txtTsa1(1)", "25"}, {"txtTw1(1)", "35"}, {"txtQw(1)", "0.4"}}},
        {ModeHeating, {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtQw(1)", "0.05"}, {"txtGlic(1)", "20"}}},
    };
    for (const auto& [mode, fields] : conditions) {
        for (int speed = 0; speed < 3; ++speed) {
            for (int variant = 0; variant < 2; ++variant) {
                WindowRun run;
                run.mode = mode;
                run.fields = fields;
                run.speedIndex = speed;
                if (variant == 1) {
                    run.fields.push_back({mode == ModeCooling ? "txtpsu(0)" : "txtpsu(1)", "20"});
                    run.fields.push_back({"txtPotric", "2000"});
                    run.approxIndex = 2;
                }
                runs.push_back(run);
            }
        }
    }
    // The 4-pipe heating coils.
    for (int speed = 0; speed < 3; ++speed) {
        WindowRun run;
        run.mode = ModeHeating;
        run.fields = {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "70"}, {"txtTw2(1)", "60"}};
        run.speedIndex = speed;
        run.fourPipe = true;
        runs.push_back(run);
    }
    // Languages and units on the design examples.
    const Fields cooling{{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}};
    const Fields coolingFlow{{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtQw(0)", "400"}};
    const Fields heating{{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}, {"txtpsu(1)", "2"}};
    for (qint16 lang : {qint16(300), qint16(500), qint16(700), qint16(900), qint16(1100)}) {
        for (int mode : {ModeCooling, ModeHeating}) {
            WindowRun run;
            run.mode = mode;
            run.fields = mode == ModeCooling ? cooling : heating;
            run.langBase = lang;
            run.units = {1, 2, 1, 1, 1};
            runs.push_back(run);
        }
    }
    {
        WindowRun run;
        run.fields = coolingFlow;
        run.units = {1, 0, 1, 1, 0}; // water flow in l/h
        runs.push_back(run);
    }
    // Inputs that end in a message, and bands that list little or nothing.
    const std::vector<Fields> odd{
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "12x"}},
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "1e40"}},
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "3.000"}},
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "99999"}},
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw2(0)", "12"}},
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "7"}},
        {{"txtTsa1(0)", "27"}, {"txtUr", "47"}, {"txtTw1(0)", "12"}, {"txtTw2(0)", "7"}},
        {{"txtTsa1(0)", "27"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
        {{"txtUr", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}},
    };
    for (const Fields& fields : odd) {
        WindowRun run;
        run.fields = fields;
        runs.push_back(run);
    }
    WindowRun wrongSide;
    wrongSide.mode = ModeHeating;
    wrongSide.fields = {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "40"}, {"txtTw2(1)", "45"}};
    runs.push_back(wrongSide);
}

// The ducted runs of one line: the static pressure or the air flow given, return air alone or
// mixed with fresh air, both modes and water inputs, some speeds, the additional coil.
void addDuctedRuns(std::vector<WindowRun>& runs, int line)
{
    struct Case {
        int mode;
        bool airFlowGiven;
        bool fourPipe;
        Fields fields;
    };
    const std::vector<Case> cases{
        {ModeCooling, false, false,
         {{"txtpsu(0)", "50"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "47"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}}},
        {ModeCooling, false, false,
         {{"txtpsu(0)", "0"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"}, {"txtTw1(0)", "7"}, {"txtQw(0)", "0.3"}}},
        {ModeCooling, true, false,
         {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "80"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"},
          {"txtpqarin(0)", "20"}, {"txtTsa1rin(0)", "32"}, {"txturrin", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}}},
        {ModeCooling, true, false,
         {{"txtqatot(0)", "250"}, {"txtpqaric(0)", "100"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "47"},
          {"txtTw1(0)", "7"}, {"txtQw(0)", "0.2"}, {"txtGlic(0)", "20"}}},
        {ModeHeating, false, false,
         {{"txtpsu(1)", "120"}, {"txtTsa1ric(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}}},
        {ModeHeating, true, false,
         {{"txtqatot(1)", "300"}, {"txtpqaric(1)", "70"}, {"txtTsa1ric(1)", "20"}, {"txtpqarin(1)", "30"},
          {"txtTsa1rin(1)", "-5"}, {"txtTw1(1)", "50"}, {"txtQw(1)", "0.2"}}},
        {ModeHeating, false, true,
         {{"txtpsu(1)", "50"}, {"txtTsa1ric(1)", "20"}, {"txtTw1(1)", "70"}, {"txtTw2(1)", "60"}}},
    };
    const std::vector<int> speeds = line == LineHJQ ? std::vector<int>{0, 2, 6} : std::vector<int>{0, 1, 2};
    for (const Case& c : cases) {
        for (int speed : speeds) {
            for (int variant = 0; variant < 2; ++variant) {
                WindowRun run;
                run.line = line;
                run.mode = c.mode;
                run.airFlowGiven = c.airFlowGiven;
                run.fourPipe = c.fourPipe;
                run.fields = c.fields;
                run.speedIndex = speed;
                if (variant == 1) {
                    run.fields.push_back({"txtPotric", "5000"});
                    run.approxIndex = 3;
                }
                runs.push_back(run);
            }
        }
    }
    for (qint16 lang : {qint16(300), qint16(700)}) {
        WindowRun run;
        run.line = line;
        run.fields = cases[0].fields;
        run.langBase = lang;
        run.units = {1, 1, 1, 1, 1};
        run.speedIndex = 2;
        runs.push_back(run);
        run.airFlowGiven = true;
        run.mode = ModeHeating;
        run.fields = cases[5].fields;
        runs.push_back(run);
    }
    // Missing inputs.
    WindowRun noWater;
    noWater.line = line;
    noWater.fields = {{"txtpsu(0)", "50"}, {"txtTsa1ric(0)", "27"}, {"txtUrric", "47"}, {"txtTw2(0)", "12"}};
    runs.push_back(noWater);
    WindowRun noShares;
    noShares.line = line;
    noShares.airFlowGiven = true;
    noShares.fields = {{"txtqatot(0)", "400"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"}, {"txtTw1(0)", "7"},
                       {"txtTw2(0)", "12"}};
    runs.push_back(noShares);
}

class WindowRuns : public SelectionEnvironment {
protected:
    void TearDown() override
    {
        kx.reset();
        delete ducted.data();
        printOptionsOpener() = nullptr;
        SelectionEnvironment::TearDown();
    }

    void useLine(int line)
    {
        if (line == currentLine)
            return;
        currentLine = line;
        static bool opened = false;
        if (!opened) {
            openModelDb(TARVELLO_APP_DIR);
            opened = true;
        }
        ModelTable& table = modelTable();
        table.SeriesCode = line == LineHJQ ? "HJQ" : line == LineMRZ ? "MRZ" : "";
        CaricaLinea(line);
    }

    SelectionWindow* windowFor(const WindowRun& run)
    {
        useLine(run.line);
        if (run.line == LineKX) {
            if (!kx) {
                kx = std::make_unique<FDati>();
                kx->show();
            }
            return kx.get();
        }
        if (!ducted) {
            ducted = fdatiMRZ();
            ducted->show();
        }
        ducted->fillSpeedList();
        return ducted;
    }

    template <typename T> T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString record(const WindowRun& run)
    {
        LangBase = run.langBase;
        UnitChoice* units[] = {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA};
        for (int i = 0; i < 5; ++i)
            units[i]->choose(run.units[size_t(i)]);
        SelectionWindow* window = windowFor(run);
        control<QComboBox>(window, "cbofunz")->setCurrentIndex(run.mode);
        if (run.line != LineKX) {
            const char* given = run.airFlowGiven ? (run.mode == ModeCooling ? "optPortata(0)" : "optPortata(1)")
                                                 : (run.mode == ModeCooling ? "optpressione(0)" : "optpressione(1)");
            control<QRadioButton>(window, given)->click();
        }
        for (QLineEdit* box : window->textBoxes())
            box->clear();
        for (const auto& [name, value] : run.fields)
            control<QLineEdit>(window, name)->setText(QString::fromUtf8(value));
        control<QComboBox>(window, "cboVel")->setCurrentIndex(run.speedIndex);
        control<QComboBox>(window, "cboApprox")->setCurrentIndex(run.approxIndex);
        control<QCheckBox>(window, "chkDF")->setChecked(run.fourPipe);

        sink.messages.clear();
        control<QPushButton>(window, "cmdCalcola")->click();

        QString text;
        QTextStream out(&text);
        out << "=== " << run.describe() << "\n";
        for (const RecordingMessageSink::Message& message : sink.messages)
            out << "message " << int(message.kind) << " | " << message.text << " | " << message.title << "\n";
        // Mark the first and third result rows, as a user marks what to print.
        window->Grd->clickRow(2);
        window->Grd->clickRow(4);
        window->Grd->selectAll();
        out << "clipboard\n" << window->Grd->copySelection();
        std::optional<ReportSource> report;
        printOptionsOpener() = [&](QWidget*, const ReportSource& source) { report = source; };
        control<QPushButton>(window, "cmdStampa")->click();
        if (report) {
            out << "report " << int(report->routine) << " | " << report->caption << "\n";
            for (const QStringList& row : report->inputRows)
                out << "input | " << row.join(QStringLiteral(" | ")) << "\n";
            for (const QStringList& row : report->gridRows)
                out << "row | " << row.join(QStringLiteral(" | ")) << "\n";
            QStringList widths, alignments;
            for (int w : report->columnWidths)
                widths << QString::number(w);
            for (int a : report->columnAlignments)
                alignments << QString::number(a);
            out << "widths | " << widths.join(QLatin1Char(' ')) << "\n";
            out << "alignments | " << alignments.join(QLatin1Char(' ')) << "\n";
        }
        return text;
    }

    RecordingMessageSink sink;
    std::unique_ptr<FDati> kx;
    QPointer<FDatiMRZ> ducted;
    int currentLine = -1;
};

TEST_F(WindowRuns, EveryRunShowsWhatTheRecordHolds)
{
    if (!QFile::exists(QStringLiteral(TARVELLO_APP_DIR "/tarvello.mdb")))
        GTEST_SKIP() << "the program folder has no model database: build the databases first";
    std::vector<WindowRun> runs;
    addKxRuns(runs);
    addDuctedRuns(runs, LineMRZ);
    addDuctedRuns(runs, LineHJQ);

    QString actual;
    for (const WindowRun& run : runs)
        actual += record(run);

    if (std::getenv("TARVELLO_WRITE_GOLDEN")) {
        QFile file(kGoldenPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(actual.toUtf8());
        GTEST_SKIP() << "record rewritten: " << runs.size() << " runs";
    }
    QFile file(kGoldenPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "no record at " << kGoldenPath.toStdString();
    const QStringList expected = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    QString lastRun;
    int differences = 0;
    for (qsizetype i = 0; i < std::max(expected.size(), got.size()); ++i) {
        const QString want = expected.value(i);
        const QString have = got.value(i);
        if (want.startsWith(QStringLiteral("=== ")))
            lastRun = want;
        if (want != have && ++differences <= 20)
            ADD_FAILURE() << "line " << i + 1 << " of the record differs\n  run:      " << lastRun.toStdString()
                          << "\n  expected: " << want.toStdString() << "\n  actual:   " << have.toStdString();
    }
    EXPECT_EQ(differences, 0) << "of " << runs.size() << " runs";
}

} // namespace
} // namespace tarvello
