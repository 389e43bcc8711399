// The ducted window driven through its controls, headless, on the shipped KXR and KXN lines:
// names and captions, the speed lists of the two lines in one window, the given quantity and
// the shares, the field checks, the run with its rows, errors and saved fields.

#include "selection_ducted/fdatimrz.h"

#include "ducted_test_support.h"
#include "engine/fan_air_side.h"
#include "selection_ui/print_request.h"
#include "shell/display_mask.h"
#include "shell/language.h"
#include "shell/recording_message_sink.h"
#include "shell/settings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <optional>

namespace tarvello {
namespace {

using testing::SelectionEnvironment;
using testing::loadShippedLine;

constexpr int kMrzCaption = 88;
constexpr int kHjqCaption = 128;

class FDatiMRZWindow : public SelectionEnvironment {
protected:
    void TearDown() override
    {
        delete window.data();
        printOptionsOpener() = nullptr;
        SelectionEnvironment::TearDown();
    }

    // The chooser's steps for line 1 or 2: series code, caption, models.
    FDatiMRZ* pick(int line)
    {
        modelTable().SeriesCode = line == LineHJQ ? "HJQ" : "MRZ";
        setFDatiMRZCaption(Testo(line == LineHJQ ? kHjqCaption : kMrzCaption));
        loadShippedLine(line, modelTable());
        window = fdatiMRZ();
        window->show();
        return window;
    }
    QLineEdit* box(const char* name) const { return window->findChild<QLineEdit*>(QString::fromLatin1(name)); }
    QRadioButton* option(const char* name) const
    {
        return window->findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    QComboBox* list(const char* name) const { return window->findChild<QComboBox*>(QString::fromLatin1(name)); }
    // Types `text` into a field and leaves it for `next`.
    void type(const char* name, const QString& text, const char* next)
    {
        box(name)->setText(text);
        window->onFocusChanged(box(name), window->findChild<QWidget*>(QString::fromLatin1(next)));
    }
    void set(const char* name, const char* text) { box(name)->setText(QString::fromUtf8(text)); }
    // Cooling, 100 % return air at 27 °C / 47 %, water 7 -> 12 °C, static pressure 50 Pa.
    void coolingAtFiftyPascal()
    {
        set("txtTsa1ric(0)", "27");
        set("txtUrric", "47");
        set("txtTw1(0)", "7");
        set("txtTw2(0)", "12");
        set("txtpsu(0)", "50");
    }
    void heatingAtFiftyPascal()
    {
        list("cbofunz")->setCurrentIndex(ModeHeating);
        set("txtTsa1ric(1)", "20");
        set("txtTw1(1)", "45");
        set("txtTw2(1)", "40");
        set("txtpsu(1)", "50");
    }
    // The data rows of the results grid: model name -> cells.
    QList<QStringList> dataRows() const
    {
        QList<QStringList> rows;
        const TextGrid& grid = window->Grd->grid();
        for (int row = 2; row < grid.rows(); ++row) {
            QStringList cells;
            for (int col = 0; col < grid.cols(); ++col)
                cells << grid.text(row, col);
            rows << cells;
        }
        return rows;
    }
    static int modelNumber(const QString& name)
    {
        for (int m = 1; m <= modelTable().NumModels; ++m)
            if (QString::fromStdString(modelTable().Modello[m]) == name)
                return m;
        return 0;
    }

    RecordingMessageSink sink;
    QPointer<FDatiMRZ> window;
};

TEST_F(FDatiMRZWindow, ControlsCarryTheirNamesAndCaptions)
{
    pick(LineMRZ);
    const char* names[] = {
        "cbofunz", "cboApprox", "cboVel", "chkDF", "cmdCalcola", "cmdStampa", "Grd", "Grdrif", "lblLaminare",
        "frmselection", "frmCooling", "frmHeating", "frmSolutions", "txtPotric", "lblPotric", "lblUmPt",
        "lblRange", "lblVel", "lblqaTot", "lblpqaric", "lblTbsric", "lbltburic", "lblUrric", "lblpqarin",
        "lblTbsrin", "lbltburin", "lblurrin", "lbldpa", "lblTw1", "lblTw2", "lblQw", "lblglic", "txtTburic",
        "txtUrric", "txttburin", "txturrin"};
    for (const char* name : names)
        EXPECT_TRUE(window->findChild<QWidget*>(QString::fromLatin1(name))) << name;
    for (int i = 0; i < 2; ++i) {
        for (const char* array : {"optPortata", "optpressione", "txtqatot", "txtpqaric", "txtTsa1ric", "txtpqarin",
                                  "txtTsa1rin", "txtpsu", "txtTw1", "txtTw2", "txtQw", "txtGlic", "lblumQa",
                                  "lblumDpa", "lblumQw"}) {
            const QString name = QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(i);
            EXPECT_TRUE(window->findChild<QWidget*>(name)) << name.toStdString();
        }
    }
    EXPECT_EQ(window->windowTitle(), Testo(kMrzCaption));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblqaTot"))->text(), Testo(115));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblurrin"))->text(), Testo(123));
    EXPECT_EQ(option("optPortata(1)")->text(), Testo(49));
    EXPECT_EQ(option("optpressione(0)")->text(), Testo(56));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblumQa(0)"))->text(), QStringLiteral("l/s"));
    EXPECT_EQ(window->findChild<QPushButton*>(QStringLiteral("cmdCalcola"))->text(), Testo(15));
    EXPECT_EQ(list("cboApprox")->currentText(), QStringLiteral("10"));
}

TEST_F(FDatiMRZWindow, OneWindowServesBothLinesWithTheirSpeeds)
{
    FDatiMRZ* first = pick(LineMRZ);
    EXPECT_EQ(list("cboVel")->count(), 3);
    EXPECT_EQ(list("cboVel")->currentText(), QStringLiteral("Max"));
    EXPECT_EQ(list("cboVel")->itemText(0), QStringLiteral("Min"));
    first->done(QDialog::Rejected);

    FDatiMRZ* second = pick(LineHJQ);
    EXPECT_EQ(second, first);
    EXPECT_EQ(window->windowTitle(), Testo(kHjqCaption));
    ASSERT_EQ(list("cboVel")->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(list("cboVel")->itemText(i), QString::number(i + 1));
    EXPECT_EQ(list("cboVel")->currentText(), QStringLiteral("3"));
}

TEST_F(FDatiMRZWindow, TheGivenQuantityAtLoadFollowsTheSavedTotalFlow)
{
    ScriviIni(QStringLiteral("Data2"), QStringLiteral("txtqatot(1)"), QStringLiteral("1000"));
    ScriviIni(QStringLiteral("Data2"), QStringLiteral("txtpsu(1)"), QStringLiteral("40"));
    ScriviIni(QStringLiteral("Data2"), QStringLiteral("txtpqaric(1)"), QStringLiteral("70"));
    ScriviIni(QStringLiteral("Data2"), QStringLiteral("txtpqarin(0)"), QStringLiteral("30"));
    pick(LineMRZ);
    // Cooling: no total flow, so the static pressure is given and all the air is return air.
    EXPECT_TRUE(option("optpressione(0)")->isChecked());
    EXPECT_TRUE(box("txtqatot(0)")->isHidden());
    EXPECT_TRUE(box("txtpqaric(0)")->isHidden());
    EXPECT_EQ(box("txtpqaric(0)")->text(), QStringLiteral("100"));
    EXPECT_TRUE(box("txtpqarin(0)")->text().isEmpty());
    EXPECT_TRUE(box("txturrin")->isHidden());
    EXPECT_FALSE(box("txtpsu(0)")->isHidden());
    // Heating: a total flow, so the flow is given; the pressure field is emptied and hidden.
    EXPECT_TRUE(option("optPortata(1)")->isChecked());
    EXPECT_FALSE(box("txtqatot(1)")->isHidden());
    EXPECT_EQ(box("txtqatot(1)")->text(), QStringLiteral("1000"));
    EXPECT_TRUE(box("txtpsu(1)")->isHidden());
    EXPECT_TRUE(box("txtpsu(1)")->text().isEmpty());
    EXPECT_FALSE(box("txtpqarin(1)")->isHidden());
}

TEST_F(FDatiMRZWindow, TheOptionsAndTheSharesShowAndEmptyTheirFields)
{
    pick(LineMRZ);
    set("txtpsu(0)", "50");
    option("optPortata(0)")->click();
    EXPECT_TRUE(box("txtpsu(0)")->isHidden());
    EXPECT_TRUE(box("txtpsu(0)")->text().isEmpty());
    EXPECT_FALSE(box("txtqatot(0)")->isHidden());
    EXPECT_FALSE(box("txtpqaric(0)")->isHidden());
    EXPECT_TRUE(box("txtpqarin(0)")->isHidden()); // the return share is still 100
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("lblqaTot"))->isHidden());
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblpqarin"))->isHidden());

    type("txtpqaric(0)", QStringLiteral("80"), "txtTsa1ric(0)");
    EXPECT_EQ(box("txtpqarin(0)")->text(), QStringLiteral("20"));
    for (const char* fresh : {"txtpqarin(0)", "txtTsa1rin(0)", "txttburin", "txturrin"})
        EXPECT_FALSE(box(fresh)->isHidden()) << fresh;
    EXPECT_FALSE(window->findChild<QLabel*>(QStringLiteral("lblpqarin"))->isHidden());

    type("txtpqarin(0)", QStringLiteral("40"), "txtTsa1rin(0)");
    EXPECT_EQ(box("txtpqaric(0)")->text(), QStringLiteral("60"));

    set("txtTsa1rin(0)", "32");
    type("txtpqaric(0)", QStringLiteral("100"), "txtTsa1ric(0)");
    for (const char* fresh : {"txtpqarin(0)", "txtTsa1rin(0)", "txttburin", "txturrin"}) {
        EXPECT_TRUE(box(fresh)->isHidden()) << fresh;
        EXPECT_TRUE(box(fresh)->text().isEmpty()) << fresh;
    }

    // Leaving the share for a command button changes nothing.
    type("txtpqaric(0)", QStringLiteral("50"), "cmdCalcola");
    EXPECT_TRUE(box("txtpqarin(0)")->isHidden());

    option("optpressione(0)")->click();
    EXPECT_EQ(box("txtpqaric(0)")->text(), QStringLiteral("100"));
    EXPECT_TRUE(box("txtqatot(0)")->isHidden());
    EXPECT_FALSE(box("txtpsu(0)")->isHidden());
}

TEST_F(FDatiMRZWindow, FieldChecksOnLeavingAField)
{
    pick(LineMRZ);
    type("txtTsa1ric(0)", QStringLiteral("40"), "txtTw1(0)");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Critical);
    EXPECT_EQ(sink.messages[0].text, Testo(108) + QStringLiteral("16 °C -> 35 °C\n") + Testo(109) + QStringLiteral("16"));
    EXPECT_EQ(box("txtTsa1ric(0)")->text(), QStringLiteral("16"));

    // In cooling the return dry bulb is not checked while the return share is 0.
    set("txtpqaric(0)", "0");
    type("txtTsa1ric(0)", QStringLiteral("40"), "txtTw1(0)");
    EXPECT_EQ(sink.messages.size(), 1);

    UnitDpA.choose(1);
    type("txtpsu(0)", QStringLiteral("30"), "txtTw1(0)");
    ASSERT_EQ(sink.messages.size(), 2);
    EXPECT_EQ(sink.messages[1].text, Testo(108) + QStringLiteral("0 mmH2O -> 25.5 mmH2O\n") + Testo(109) + QStringLiteral("0"));

    type("txtTw1(0)", QStringLiteral("7"), "txtTw2(0)");
    type("txtTw2(0)", QStringLiteral("6"), "txtQw(0)");
    ASSERT_EQ(sink.messages.size(), 3);
    EXPECT_EQ(sink.messages[2].text, Testo(111));

    type("txtQw(0)", QStringLiteral("0.3"), "txtGlic(0)");
    EXPECT_TRUE(box("txtTw2(0)")->text().isEmpty());

    // Nothing typed crashes the window.
    for (QLineEdit* field : window->textBoxes())
        for (const char* text : {"abc", "-", "1e400", ",", "99999999999999999999"})
            type(field->objectName().toLatin1().constData(), QString::fromLatin1(text), "txtGlic(1)");
}

TEST_F(FDatiMRZWindow, BothWetBulbAndHumidityPairs)
{
    pick(LineMRZ);
    set("txtTsa1ric(0)", "27");
    type("txtTburic", QStringLiteral("19"), "txtUrric");
    EXPECT_NEAR(box("txtUrric")->text().toDouble(), 47.0, 0.5); // 27 °C / 19 °C

    option("optPortata(0)")->click();
    type("txtpqaric(0)", QStringLiteral("70"), "txtTsa1ric(0)");
    set("txtTsa1rin(0)", "27");
    type("txturrin", QStringLiteral("50"), "txtTw1(0)");
    EXPECT_NEAR(box("txttburin")->text().toDouble(), 19.5, 0.2); // 27 °C / 50 %
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d$")).match(box("txttburin")->text()).hasMatch());

    type("txttburin", QStringLiteral("28"), "txturrin");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text, Testo(110));
    EXPECT_TRUE(box("txturrin")->text().isEmpty());

    type("txtUrric", QStringLiteral("5"), "txtTw1(0)"); // below 10 %: set to 10, the wet bulb stays
    EXPECT_EQ(box("txtUrric")->text(), QStringLiteral("10"));
    EXPECT_EQ(box("txtTburic")->text(), QStringLiteral("19"));
}

TEST_F(FDatiMRZWindow, LeavingAWetBulbForAButtonOrTheModeListWorksOutNothing)
{
    pick(LineMRZ);
    for (const char* receiver : {"cmdCalcola", "cmdStampa", "cbofunz"}) {
        set("txtTsa1ric(0)", "27");
        set("txtUrric", "50");
        // A wet bulb above the dry bulb would be reported when left for a field.
        type("txtTburic", QStringLiteral("30"), receiver);
        EXPECT_TRUE(sink.messages.isEmpty()) << receiver;
        EXPECT_EQ(box("txtUrric")->text(), QStringLiteral("50")) << receiver;
    }
}

TEST_F(FDatiMRZWindow, KeysTypeTheLocaleSeparatorAndEnterOnTheButtonRuns)
{
    pick(LineMRZ);
    coolingAtFiftyPascal();
    QLineEdit* field = box("txtGlic(0)");
    field->clear();
    QTest::keyClick(field, '2');
    QTest::keyClick(field, ',');
    QTest::keyClick(field, '5');
    EXPECT_EQ(field->text(), QStringLiteral("2.5"));
    field->clear();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(window->Grd->grid().rows(), 3) << "Enter in a field does not run";
    QTest::keyClick(window->findChild<QPushButton*>(QStringLiteral("cmdCalcola")), Qt::Key_Return);
    EXPECT_GT(window->Grd->grid().rows(), 3);
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(FDatiMRZWindow, SharesThatDoNotMakeAHundredStopTheRun)
{
    pick(LineMRZ);
    UnitQa.choose(2); // m3/h
    option("optPortata(0)")->click();
    set("txtqatot(0)", "1000");
    set("txtpqaric(0)", "60");
    set("txtpqarin(0)", "30");
    set("txtTsa1ric(0)", "26");
    set("txtUrric", "50");
    set("txtTsa1rin(0)", "32");
    set("txturrin", "60");
    set("txtTw1(0)", "7");
    set("txtTw2(0)", "12");
    window->CalcolaMRZ();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text, Testo(126));
    EXPECT_EQ(window->focusWidget(), box("txtpqaric(0)"));
    EXPECT_EQ(window->Grd->grid().rows(), 3);

    set("txtpqaric(0)", "70");
    window->CalcolaMRZ();
    EXPECT_EQ(sink.messages.size(), 1);
    EXPECT_NEAR(window->conditions().AirIn, 27.8, 1e-4);
}

TEST_F(FDatiMRZWindow, StaticPressureOfFiftyAtTheTopSpeedOnBothLines)
{
    for (int line : {int(LineMRZ), int(LineHJQ)}) {
        SCOPED_TRACE(line);
        pick(line);
        coolingAtFiftyPascal();
        list("cboVel")->setCurrentIndex(list("cboVel")->count() - 1); // "Max", or "7"
        const int speed = list("cboVel")->count();
        window->CalcolaMRZ();
        EXPECT_TRUE(sink.messages.isEmpty());
        const QList<QStringList> rows = dataRows();
        ASSERT_FALSE(rows.isEmpty());
        EXPECT_FALSE(rows[0][1].isEmpty()); // the empty row of the reset is gone
        EXPECT_EQ(window->Grd->grid().text(0, 6), Testo(49));
        for (const QStringList& cells : rows) {
            SCOPED_TRACE(cells.join(QLatin1Char('|')).toStdString());
            const int m = modelNumber(cells[1]);
            ASSERT_GT(m, 0);
            EXPECT_FALSE(cells[1].endsWith(QStringLiteral("DF")));
            // The air cell shows the flow at which the top-speed curve less the accessory gives 50 Pa.
            const float flow = FanFlowAtExternalPressure(50, speed, m, 1, {}).value_or(0);
            EXPECT_EQ(cells[6], UnitQa.format(flow / 3600.0));
            EXPECT_EQ(cells[8], QString::number(std::lround(modelTable().LWA[m][speed])));
        }
        window->done(QDialog::Rejected);
    }
}

TEST_F(FDatiMRZWindow, AirFlowGivenShowsThePressureLeftInTheChosenUnit)
{
    UnitQa.choose(2);  // m3/h
    UnitDpA.choose(1); // mmH2O
    pick(LineMRZ);
    coolingAtFiftyPascal();
    option("optPortata(0)")->click();
    set("txtqatot(0)", "1000");
    window->CalcolaMRZ();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(window->Grd->grid().text(0, 6), Testo(58));
    EXPECT_EQ(window->Grd->grid().text(1, 6), QStringLiteral("mmH2O"));
    const QList<QStringList> rows = dataRows();
    ASSERT_FALSE(rows.isEmpty());
    for (const QStringList& cells : rows) {
        const int m = modelNumber(cells[1]);
        const double fan = FanPressure(1000.0, 3, m);
        const double left = std::min(AccessoryDropMrz(fan, m, 1000.0 / 3600.0), 250.0);
        const QString prefix = left >= 250.0 ? QStringLiteral("> ") : QStringLiteral(" ");
        EXPECT_EQ(cells[6], prefix + FormatMask(left * 0.102, QStringLiteral("#0.0"))) << cells[1].toStdString();
    }
    // The input summary starts with the total flow.
    EXPECT_EQ(window->Grdrif->grid().text(0, 0), Testo(115));
    EXPECT_EQ(window->Grdrif->grid().text(0, 1), QStringLiteral("m3/h"));
    EXPECT_EQ(window->Grdrif->grid().text(0, 2), QStringLiteral("1000"));
}

TEST_F(FDatiMRZWindow, AnErrorEndsTheRunAndKeepsTheRowsSoFar)
{
    pick(LineMRZ);
    coolingAtFiftyPascal();
    modelTable().Bocche[2] = 0; // the outlets of model 2 divide by zero
    window->CalcolaMRZ();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Exclamation);
    EXPECT_EQ(sink.messages[0].text, QStringLiteral("Errore generico : 11"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    const QList<QStringList> rows = dataRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0][1].isEmpty()); // the empty row stays
    EXPECT_EQ(rows[1][1], QString::fromStdString(modelTable().Modello[1]));
}

TEST_F(FDatiMRZWindow, HeatingRowsAndMarksAndPrinting)
{
    pick(LineHJQ);
    heatingAtFiftyPascal();
    window->CalcolaMRZ();
    EXPECT_TRUE(sink.messages.isEmpty());
    const TextGrid& grid = window->Grd->grid();
    EXPECT_EQ(grid.cols(), 8);
    ASSERT_GT(grid.rows(), 2);
    window->Grd->clickRow(2);
    EXPECT_EQ(grid.text(2, 0), QStringLiteral("S"));
    const ReportSource marked = window->reportSource();
    EXPECT_EQ(marked.routine, ReportRoutine::StampaMRZ);
    EXPECT_EQ(marked.caption, Testo(kHjqCaption));
    ASSERT_EQ(marked.gridRows.size(), grid.rows());
    EXPECT_EQ(cellText(marked.gridRows, 2, 0), QStringLiteral("S"));
    EXPECT_EQ(cellText(marked.gridRows, 0, 2), Testo(54));
    EXPECT_EQ(marked.inputRows.size(), window->Grdrif->grid().rows());
    EXPECT_EQ(cellText(marked.inputRows, 0, 0), Testo(58)); // static pressure given
    EXPECT_EQ(cellText(marked.inputRows, 0, 2), QStringLiteral("50"));
    EXPECT_EQ(marked.columnWidths.value(0), 200);
    EXPECT_EQ(marked.columnAlignments.value(1), kColumnAlignDefault);
    EXPECT_EQ(marked.columnAlignments.value(2), kColumnAlignRight);
    EXPECT_FALSE(marked.windowImage.isNull());
    window->Grd->clickRow(2);
    EXPECT_TRUE(grid.text(2, 0).isEmpty());

    QWidget* owner = nullptr;
    std::optional<ReportSource> asked;
    printOptionsOpener() = [&](QWidget* w, const ReportSource& source) {
        owner = w;
        asked = source;
    };
    window->findChild<QPushButton*>(QStringLiteral("cmdStampa"))->click();
    EXPECT_EQ(owner, window.data());
    ASSERT_TRUE(asked.has_value());
    EXPECT_EQ(asked->routine, ReportRoutine::StampaMRZ);
    EXPECT_EQ(asked->caption, Testo(kHjqCaption));
    EXPECT_EQ(asked->gridRows.size(), grid.rows());
    EXPECT_EQ(cellText(asked->gridRows, 2, 0), QString()) << "the row was unmarked before printing";
    EXPECT_EQ(asked->inputRows.size(), window->Grdrif->grid().rows());
    EXPECT_EQ(cellText(asked->inputRows, 0, 2), QStringLiteral("50"));
}

TEST_F(FDatiMRZWindow, BothLinesShareTheSavedFields)
{
    pick(LineMRZ);
    option("optPortata(0)")->click();
    set("txtqatot(0)", "1000");
    set("txtTw1(1)", "45");
    set("txtPotric", "5000");
    window->done(QDialog::Rejected);
    EXPECT_EQ(LeggiIni(QStringLiteral("Data2"), QStringLiteral("txtqatot(0)")), QStringLiteral("1000"));
    EXPECT_EQ(LeggiIni(QStringLiteral("Data2"), QStringLiteral("txtPotric")), QStringLiteral("5000"));

    pick(LineHJQ);
    EXPECT_EQ(box("txtqatot(0)")->text(), QStringLiteral("1000"));
    EXPECT_TRUE(option("optPortata(0)")->isChecked());
    EXPECT_EQ(box("txtTw1(1)")->text(), QStringLiteral("45"));
    EXPECT_EQ(box("txtPotric")->text(), QStringLiteral("5000"));
}

TEST_F(FDatiMRZWindow, ADecimalCommaLocaleReadsAndWritesWithItsComma)
{
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    UnitQa.choose(2); // m3/h
    pick(LineMRZ);
    option("optPortata(0)")->click();
    set("txtqatot(0)", "1000");
    type("txtpqaric(0)", QStringLiteral("70,5"), "txtTsa1ric(0)");
    EXPECT_EQ(box("txtpqarin(0)")->text(), QStringLiteral("29,5"));
    set("txtTsa1ric(0)", "26,0");
    set("txtUrric", "50");
    set("txtTsa1rin(0)", "32,0");
    set("txturrin", "60");
    set("txtTw1(0)", "7");
    set("txtTw2(0)", "12,5");
    window->CalcolaMRZ();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_NEAR(window->conditions().AirIn, 0.705 * 26 + 0.295 * 32, 1e-4);
    const QList<QStringList> rows = dataRows();
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_TRUE(rows[0][7].contains(u',')) << rows[0][7].toStdString(); // leaving air "##0,0"
}

TEST_F(FDatiMRZWindow, CopyingTheGridTakesTheHeadingsWithoutTheMarks)
{
    pick(LineMRZ);
    coolingAtFiftyPascal();
    window->CalcolaMRZ();
    const TextGrid& grid = window->Grd->grid();
    ASSERT_GT(grid.rows(), 2);
    window->Grd->selectionModel()->select(grid.index(2, 0), QItemSelectionModel::Select);
    window->Grd->selectionModel()->select(grid.index(2, 8), QItemSelectionModel::Select);
    const QStringList lines = window->Grd->copySelection().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4); // headings, units, one row, and the end of the last line
    EXPECT_TRUE(lines[0].startsWith(Testo(40) + QLatin1Char('\t')));
    EXPECT_TRUE(lines[2].startsWith(grid.text(2, 1) + QLatin1Char('\t')));
    EXPECT_EQ(lines[2].count(QLatin1Char('\t')), 8);
    EXPECT_EQ(QApplication::clipboard()->text(), lines.join(QLatin1Char('\n')));
}

TEST_F(FDatiMRZWindow, NothingTypedCrashesARun)
{
    pick(LineMRZ);
    for (int mode : {int(ModeCooling), int(ModeHeating)}) {
        list("cbofunz")->setCurrentIndex(mode);
        for (const char* given : {"optPortata", "optpressione"}) {
            option(QStringLiteral("%1(%2)").arg(QLatin1String(given)).arg(mode).toLatin1().constData())->click();
            for (const char* text : {"abc", "-5", "1e38", "-1e38", "0", "100", "3e-39"}) {
                SCOPED_TRACE(std::string(given) + " " + text);
                for (QLineEdit* field : window->textBoxes())
                    field->setText(QString::fromLatin1(text));
                sink.messages.clear();
                window->CalcolaMRZ();
                EXPECT_EQ(QApplication::overrideCursor(), nullptr);
                // Either a message or rows whose cells are all numbers or names.
                for (const QStringList& cells : dataRows())
                    for (const QString& cell : cells)
                        EXPECT_FALSE(cell.contains(QStringLiteral("nan"), Qt::CaseInsensitive)
                                     || cell.contains(QStringLiteral("inf"), Qt::CaseInsensitive));
            }
        }
    }
}

// Pictures of both lines' results for a look by eye, beside the test program.
TEST_F(FDatiMRZWindow, PicturesOfBothLines)
{
    const char* files[] = {"", "fdatimrz_line1.png", "fdatimrz_line2.png"};
    for (int line : {int(LineMRZ), int(LineHJQ)}) {
        pick(line);
        if (line == LineMRZ) {
            coolingAtFiftyPascal();
        } else {
            // Heating with the air flow given and some fresh air.
            heatingAtFiftyPascal();
            option("optPortata(1)")->click();
            set("txtqatot(1)", "250");
            type("txtpqaric(1)", QStringLiteral("80"), "txtTsa1ric(1)");
            set("txtTsa1rin(1)", "0");
        }
        window->CalcolaMRZ();
        EXPECT_TRUE(sink.messages.isEmpty());
        window->resize(window->sizeHint());
        QApplication::processEvents();
        EXPECT_TRUE(window->grab().save(QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(files[line]))));
        window->done(QDialog::Rejected);
    }
}

} // namespace
} // namespace tarvello
