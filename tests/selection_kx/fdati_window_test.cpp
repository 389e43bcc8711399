// The KX window driven through its controls: the checks made when a field is left, with
// their messages and focus moves, the fields that fill or clear each other, the keyboard,
// the completeness messages of a run, the fields kept across a close and reopen, and
// whatever the user may type.
#include "shell/settings.h"

#include "fdati_test_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>

#include <cmath>

using namespace tarvello;
using tarvello::testing::FDatiTest;
using Kind = RecordingMessageSink::Kind;

namespace {

class FDatiWindow : public FDatiTest {
protected:
    QString lastMessage() const { return sink.messages.isEmpty() ? QString() : sink.messages.last().text; }
};

TEST_F(FDatiWindow, ControlsCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(window->findChild<QGroupBox*>("frmselection")->title(), "Selezione modo");
    EXPECT_EQ(window->findChild<QGroupBox*>("frmCooling")->title(), "Raffreddamento");
    EXPECT_EQ(window->findChild<QGroupBox*>("frmHeating")->title(), "Riscaldamento");
    EXPECT_EQ(window->findChild<QGroupBox*>("frmSolutions")->title(), "Soluzioni");
    EXPECT_EQ(button("cmdCalcola")->text(), "Calcola");
    EXPECT_EQ(button("cmdStampa")->toolTip(), "Stampa");
    EXPECT_EQ(window->findChild<QMenu*>("mnufile")->title(), "&File");
    EXPECT_EQ(window->findChild<QLabel*>("lblTw2(1)")->toolTip(), "Dato alternativo alla portata acqua");
    EXPECT_EQ(window->findChild<QLabel*>("lblumQw(0)")->text(), "l/s");
    EXPECT_EQ(window->findChild<QLabel*>("lblumDpa(1)")->text(), "Pa");
    EXPECT_EQ(window->findChild<QLabel*>("lblUmPt")->text(), "W");
    EXPECT_EQ(window->findChild<QLabel*>("lblLaminare")->text(), "*  warning :  laminar flow");
    EXPECT_EQ(list("cbofunz")->count(), 2);
    EXPECT_EQ(list("cboApprox")->currentText(), "10");
    EXPECT_EQ(list("cboApprox")->count(), 7);
    EXPECT_EQ(list("cboVel")->currentText(), "Med");
    EXPECT_FALSE(window->findChild<QCheckBox*>("chkDF")->isChecked());
    for (const char* name : {"txtTsa1(0)", "txtTsa1(1)", "txtTbu", "txtUr", "txtTw1(0)", "txtTw1(1)", "txtTw2(0)",
                             "txtTw2(1)", "txtQw(0)", "txtQw(1)", "txtGlic(0)", "txtGlic(1)", "txtpsu(0)",
                             "txtpsu(1)", "txtPotric"})
        EXPECT_NE(box(name), nullptr) << name;
    EXPECT_TRUE(window->findChild<QGroupBox*>("frmCooling")->isVisible());
    EXPECT_FALSE(window->findChild<QGroupBox*>("frmHeating")->isVisible());
}

TEST_F(FDatiWindow, PowerUnitLabelIsCutForTheMode)
{
    UnitPt.choose(1);
    setMode(1);
    EXPECT_EQ(window->findChild<QLabel*>("lblUmPt")->text(), "Cal/h ");
    setMode(0);
    EXPECT_EQ(window->findChild<QLabel*>("lblUmPt")->text(), "Frig/h");
}

TEST_F(FDatiWindow, LeavingAFieldOutOfRangeReportsResetsAndKeepsTheFocus)
{
    struct Case {
        int mode;
        const char* field;
        const char* typed;
        const char* next;
        const char* message; // empty: accepted
        const char* after;
    } cases[] = {
        {0, "txtTsa1(0)", "17", "txtTw1(0)", "Il valore deve essere compreso tra 18 °C -> 33 °C\nviene impostato a 18", "18"},
        {1, "txtTsa1(1)", "0", "txtTw1(1)", "", "0"},
        {1, "txtTsa1(1)", "", "txtTw1(1)", "", ""},
        {0, "txtTw1(0)", "4", "txtTw2(0)", "Il valore deve essere compreso tra 5 °C -> 20 °C\nviene impostato a 5", "5"},
        {1, "txtTw1(1)", "25", "txtTw2(1)", "Il valore deve essere compreso tra 30 °C -> 95 °C\nviene impostato a 30", "30"},
        {0, "txtTw1(0)", "abc", "txtTw2(0)", "Il valore deve essere compreso tra 5 °C -> 20 °C\nviene impostato a 5", "5"},
        {0, "txtGlic(0)", "70", "txtpsu(0)", "Il valore deve essere compreso tra 0 % -> 60 %\nviene impostato a 0", "0"},
        {1, "txtGlic(1)", "", "txtpsu(1)", "", ""},
        {0, "txtpsu(0)", "100", "txtGlic(0)", "Il valore deve essere compreso tra 0 Pa -> 80 Pa\nviene impostato a 0", "0"},
        {0, "txtTsa1(0)", "25", "txtTw1(0)", "", "25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        setMode(c.mode);
        sink.messages.clear();
        type(c.field, QString::fromUtf8(c.typed));
        focusOn(c.next);
        if (*c.message) {
            ASSERT_EQ(sink.messages.size(), 1);
            EXPECT_EQ(sink.messages[0].kind, Kind::Critical);
            EXPECT_EQ(sink.messages[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(focused(), box(c.field)) << "the field gets the focus back";
        } else {
            EXPECT_TRUE(sink.messages.isEmpty());
            EXPECT_EQ(focused(), window->findChild<QWidget*>(c.next));
        }
        EXPECT_EQ(box(c.field)->text(), QString::fromUtf8(c.after));
    }
}

TEST_F(FDatiWindow, NoRangeCheckWhenTheFocusGoesToAButtonOrTheModeList)
{
    type("txtTsa1(0)", "40");
    focusOn("cmdStampa");
    type("txtTw1(0)", "99");
    focusOn("cbofunz");
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(box("txtTsa1(0)")->text(), "40");
    // Pressed directly, "Calcola" reads the value as typed.
    box("txtTw1(0)")->setText("7");
    box("txtTw2(0)")->setText("12");
    box("txtUr")->setText("50");
    type("txtTsa1(0)", "40");
    calcola();
    for (const auto& m : sink.messages)
        EXPECT_EQ(m.text.indexOf("compreso"), -1) << m.text.toStdString();
    EXPECT_FLOAT_EQ(window->conditions().AirIn, 40);
}

TEST_F(FDatiWindow, AnOutOfRangeFieldDoesNotSetOffTheNextOne)
{
    // Leaving a wrong field for an empty one that must not be empty: one message only.
    type("txtTsa1(0)", "17");
    box("txtTw1(0)")->clear();
    focusOn("txtTw1(0)");
    EXPECT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(box("txtTw1(0)")->text(), "");
}

TEST_F(FDatiWindow, WaterAlternativesEmptyEachOther)
{
    for (int i : {0, 1}) {
        setMode(i);
        const QByteArray tw1 = QStringLiteral("txtTw1(%1)").arg(i).toLatin1();
        const QByteArray tw2 = QStringLiteral("txtTw2(%1)").arg(i).toLatin1();
        const QByteArray qw = QStringLiteral("txtQw(%1)").arg(i).toLatin1();
        box(tw1)->setText(i == 0 ? "7" : "45");
        box(qw)->setText("0.2");
        type(tw2, i == 0 ? "12" : "40");
        focusOn(qw.constData());
        EXPECT_EQ(box(qw)->text(), "") << "a leaving temperature discards the flow";
        type(qw, "0.3");
        focusOn(tw1.constData());
        EXPECT_EQ(box(tw2)->text(), "") << "a flow discards the leaving temperature";
        EXPECT_EQ(box(qw)->text(), "0.3");
    }
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(FDatiWindow, LeavingTemperatureOnTheWrongSideIsReported)
{
    box("txtTw1(0)")->setText("7");
    type("txtTw2(0)", "7");
    focusOn("txtQw(0)");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(lastMessage(), "La temp. Uscita deve essere > di quella di ingresso");
    EXPECT_EQ(focused(), box("txtTw2(0)"));
    EXPECT_EQ(box("txtTw2(0)")->text(), "7");

    // The mode list is no command button: leaving for it checks the temperatures again.
    focusOn("cbofunz");
    ASSERT_EQ(sink.messages.size(), 2);
    box("txtTw2(0)")->setText("12");
    setMode(1);
    sink.messages.clear();
    box("txtTw1(1)")->setText("45");
    type("txtTw2(1)", "50");
    focusOn("txtQw(1)");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(lastMessage(), "La temp. Uscita deve essere < di quella di ingresso");
    EXPECT_EQ(focused(), box("txtTw2(1)"));

    // Not when the focus goes to a command button; an entering temperature that is no
    // number reads "0".
    box("txtTw1(1)")->setText("x");
    type("txtTw2(1)", "50");
    focusOn("cmdCalcola");
    EXPECT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(box("txtTw1(1)")->text(), "0");
}

TEST_F(FDatiWindow, WetBulbGivesTheHumidityAndBack)
{
    box("txtTsa1(0)")->setText("27");
    type("txtTbu", "19");
    focusOn("txtUr");
    EXPECT_NEAR(box("txtUr")->text().toDouble(), 47.0, 0.3) << box("txtUr")->text().toStdString();
    EXPECT_TRUE(box("txtUr")->text().contains(QRegularExpression("\\.\\d$")));

    type("txtUr", "50");
    focusOn("txtTw1(0)");
    EXPECT_NEAR(box("txtTbu")->text().toDouble(), 19.5, 0.2) << box("txtTbu")->text().toStdString();
    EXPECT_TRUE(box("txtTbu")->text().contains(QRegularExpression("\\.\\d$")));
    EXPECT_TRUE(sink.messages.isEmpty());

    // Round trip: the wet bulb of 50 % gives 50 % again (one decimal apart).
    type("txtTbu", box("txtTbu")->text());
    focusOn("txtTw1(0)");
    EXPECT_NEAR(box("txtUr")->text().toDouble(), 50.0, 0.6);
}

TEST_F(FDatiWindow, WetBulbNotBelowTheDryBulbIsReported)
{
    box("txtTsa1(0)")->setText("27");
    box("txtUr")->setText("50");
    type("txtTbu", "27");
    focusOn("txtTw1(0)");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(lastMessage(), "Il bulbo umido deve essere < del bulbo secco");
    EXPECT_EQ(box("txtUr")->text(), "");
    EXPECT_EQ(focused(), box("txtTbu"));
}

TEST_F(FDatiWindow, LeavingTheWetBulbForAButtonOrTheModeListWorksOutNothing)
{
    for (const char* receiver : {"cmdStampa", "cbofunz"}) {
        setMode(0);
        sink.messages.clear();
        box("txtTsa1(0)")->setText("27");
        box("txtUr")->setText("50");
        // A wet bulb above the dry bulb would be reported when left for a field.
        type("txtTbu", "30");
        focusOn(receiver);
        EXPECT_TRUE(sink.messages.isEmpty()) << receiver;
        EXPECT_EQ(box("txtUr")->text(), "50") << receiver;
    }
}

TEST_F(FDatiWindow, HumidityOutOfRangeIsResetAndTheWetBulbKept)
{
    box("txtTsa1(0)")->setText("27");
    box("txtTbu")->setText("19.0");
    type("txtUr", "10");
    focusOn("txtTw1(0)");
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(lastMessage(), "Il valore deve essere compreso tra 20 % -> 98 %\nviene impostato a 20");
    EXPECT_EQ(box("txtUr")->text(), "20");
    EXPECT_EQ(box("txtTbu")->text(), "19.0");
}

TEST_F(FDatiWindow, EmptyHumidityIsFilledFromTheWetBulb)
{
    box("txtTsa1(0)")->setText("27");
    box("txtTbu")->setText("19");
    type("txtUr", "");
    focusOn("txtTw1(0)");
    EXPECT_NEAR(box("txtUr")->text().toDouble(), 47.0, 0.3);
}

TEST_F(FDatiWindow, CompletenessMessagesInOrderWithTheirFocus)
{
    for (QLineEdit* field : window->textBoxes())
        field->clear();
    struct Step {
        const char* fill;  // the field to fill before the next run
        const char* value;
        const char* message;
        const char* focus; // empty: the focus stays on the button
    } steps[] = {
        {"", "", "Manca la temperatura entrata aria", "txtTsa1(0)"},
        {"txtTsa1(0)", "27", "Manca la temperatura entrata acqua", "txtTw1(0)"},
        {"txtTw1(0)", "7", "Manca la percentuale di umidità", ""},
        {"txtUr", "50", "Occorre immettere la temp. uscita o la portata acqua", "txtTw2(0)"},
        {"txtTw2(0)", "18", "Il salto termico non può essere  > 10 °C", "txtTw2(0)"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.message);
        if (*step.fill)
            box(step.fill)->setText(step.value);
        focusOn("cmdCalcola");
        sink.messages.clear();
        calcola();
        ASSERT_EQ(sink.messages.size(), 1);
        EXPECT_EQ(sink.messages[0].kind, Kind::Critical);
        EXPECT_EQ(sink.messages[0].text, QString::fromUtf8(step.message));
        EXPECT_EQ(focused(), *step.focus ? window->findChild<QWidget*>(step.focus) : button("cmdCalcola"));
        EXPECT_EQ(grd().rows(), 3) << "no model is rated";
    }
}

TEST_F(FDatiWindow, ANegativeWaterValueIsReportedAsMissing)
{
    for (const char* flow : {"-1", "-0.2"}) {
        SCOPED_TRACE(flow);
        coolingExample();
        box("txtTw2(0)")->clear();
        box("txtQw(0)")->setText(flow);
        focusOn("cmdCalcola");
        sink.messages.clear();
        calcola();
        ASSERT_EQ(sink.messages.size(), 1);
        EXPECT_EQ(sink.messages[0].text, "Occorre immettere la temp. uscita o la portata acqua");
        EXPECT_EQ(focused(), box("txtTw2(0)"));
    }
    heatingExample();
    box("txtTw2(1)")->setText("-5");
    sink.messages.clear();
    calcola();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text, "Occorre immettere la temp. uscita o la portata acqua");
}

TEST_F(FDatiWindow, HeatingIgnoresTheHumidity)
{
    heatingExample();
    box("txtUr")->setText("80");
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(coilState().AirInRh, 0);
}

TEST_F(FDatiWindow, KeysTypeTheLocaleSeparatorAndEnterMovesOn)
{
    QLineEdit* field = box("txtTsa1(0)");
    field->setFocus();
    field->clear();
    QTest::keyClicks(field, "2");
    QTest::keyClick(field, ',');
    QTest::keyClick(field, '5');
    EXPECT_EQ(field->text(), "2.5");
    QTest::keyClick(field, '.');
    EXPECT_EQ(field->text(), "2.5.");
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    field->clear();
    QTest::keyClicks(field, "7.5");
    EXPECT_EQ(field->text(), "7,5");
    useLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    field->setText("25");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_NE(focused(), field);
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(FDatiWindow, EnterInAFieldMovesOnAndOnTheButtonRuns)
{
    coolingExample();
    QLineEdit* field = box("txtPotric");
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(grd().rows(), 3) << "Enter in a field does not run";
    EXPECT_NE(focused(), field);
    focusOn("cmdCalcola");
    QTest::keyClick(button("cmdCalcola"), Qt::Key_Return);
    EXPECT_GT(grd().rows(), 3);
    EXPECT_TRUE(sink.messages.isEmpty());
}

TEST_F(FDatiWindow, EnterOnTheFourPipeBoxMovesOnAndRunsNothing)
{
    heatingExample();
    QCheckBox* fourPipe = window->findChild<QCheckBox*>("chkDF");
    focusOn(fourPipe);
    ASSERT_EQ(focused(), fourPipe);
    QTest::keyClick(fourPipe, Qt::Key_Return);
    EXPECT_EQ(grd().rows(), 3) << "Enter on the check box does not run";
    EXPECT_NE(focused(), fourPipe);
    EXPECT_FALSE(fourPipe->isChecked());
}

TEST_F(FDatiWindow, EnteringAFieldSelectsItsText)
{
    box("txtGlic(0)")->setText("35");
    focusOn("txtGlic(0)");
    EXPECT_EQ(box("txtGlic(0)")->selectedText(), "35");
}

TEST_F(FDatiWindow, FieldsAreKeptAcrossCloseAndReopen)
{
    coolingExample();
    box("txtTsa1(1)")->setText("20");
    box("txtPotric")->setText("2500");
    box("txtGlic(0)")->setText("12.5");
    list("cboVel")->setCurrentText("Min");
    reopenWindow();
    EXPECT_EQ(LeggiIni("Data1", "txtTw1(0)"), "7");
    EXPECT_EQ(LeggiIni("Data1", "txtTbu"), "19");
    EXPECT_EQ(box("txtTsa1(0)")->text(), "27");
    EXPECT_EQ(box("txtTsa1(1)")->text(), "20");
    EXPECT_EQ(box("txtUr")->text(), "47.0");
    EXPECT_EQ(box("txtTw2(0)")->text(), "12");
    EXPECT_EQ(box("txtPotric")->text(), "2500");
    EXPECT_EQ(box("txtQw(0)")->text(), "");
    EXPECT_EQ(list("cboVel")->currentText(), "Med") << "lists are not kept";

    // A number saved with the other separator reads with the locale's.
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    reopenWindow();
    EXPECT_EQ(box("txtGlic(0)")->text(), "12,5");
    EXPECT_EQ(box("txtUr")->text(), "47,0");
}

TEST_F(FDatiWindow, ExitMenuClosesAndSaves)
{
    box("txtPotric")->setText("4321");
    window->findChild<QAction*>("mnuExit")->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(LeggiIni("Data1", "txtPotric"), "4321");
}

TEST_F(FDatiWindow, TheProgramsInstanceIsLoadedOnceAndUnloadedOnClose)
{
    setFDatiCaption(QStringLiteral("Modelli KXA KXE KXH"));
    FDati* first = fdati();
    EXPECT_EQ(first, fdati());
    EXPECT_EQ(first->windowTitle(), "Modelli KXA KXE KXH");
    first->findChild<QLineEdit*>("txtPotric")->setText("777");
    first->close();
    FDati* second = fdati();
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(second->findChild<QLineEdit*>("txtPotric")->text(), "777") << "loaded again from the settings";
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(FDatiWindow, ShownModallyUntilTheUserClosesIt)
{
    bool wasModal = false;
    QTimer::singleShot(0, [&] {
        wasModal = fdati()->isModal() && fdati()->isVisible();
        fdati()->findChild<QLineEdit*>("txtPotric")->setText("1234");
        fdati()->findChild<QAction*>("mnuExit")->trigger();
    });
    showFDati();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(LeggiIni("Data1", "txtPotric"), "1234");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(FDatiWindow, RunsInACommaLocale)
{
    useLocale(QLocale(QLocale::Italian, QLocale::Italy));
    coolingExample();
    box("txtUr")->setText("47,0");
    calcola();
    EXPECT_TRUE(sink.messages.isEmpty());
    ASSERT_EQ(grd().text(2, 1), "KXA 20");
    EXPECT_TRUE(grd().text(2, 4).contains(',')) << grd().text(2, 4).toStdString();
}

// Whatever the user types, the window neither crashes nor shows a number that is none.
TEST_F(FDatiWindow, GarbageInEveryFieldGivesMessagesNotFailures)
{
    const QString garbage[] = {"", "abc", "1e30", "-0", ",", QString(300, '7'), "1e39", "-1e30", "nan", "inf"};
    const QStringList fields{"txtTsa1(0)", "txtTbu", "txtUr", "txtTw1(0)", "txtTw2(0)", "txtQw(0)", "txtGlic(0)",
                             "txtpsu(0)", "txtPotric"};
    for (int mode : {0, 1}) {
        for (const QString& field : fields) {
            for (const QString& text : garbage) {
                SCOPED_TRACE((field + " = " + text.left(20)).toStdString());
                if (mode == 0)
                    coolingExample();
                else
                    heatingExample();
                QString name = field;
                name.replace("(0)", QStringLiteral("(%1)").arg(mode));
                if (!box(name.toLatin1()))
                    continue;
                type(name.toLatin1(), text);
                focusOn("cboApprox");
                type(name.toLatin1(), text);
                calcola();
                for (int r = 0; r < grd().rows(); ++r)
                    for (int c = 0; c < grd().cols(); ++c) {
                        const QString cell = grd().text(r, c).toLower();
                        EXPECT_FALSE(cell.contains("nan") || cell.contains("inf")) << cell.toStdString();
                    }
                for (const auto& m : sink.messages)
                    EXPECT_FALSE(m.text.isEmpty());
                sink.messages.clear();
            }
        }
    }
}

} // namespace
