// Frm_configurator driven headless through its real controls.
#include "configurator/frm_configurator.h"

#include "fake_configurator.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace pinvale {
namespace {

using testing::FakeConfiguratorData;
using testing::RecordingMessages;
using testing::RecordingOpener;
using C = Choice;

class WindowTest : public ::testing::Test {
protected:
    WindowTest() { window.show(); }

    template <typename T = QWidget> T* control(const char* name)
    {
        auto* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // A click where a user clicks an option or a box: on its indicator.
    void click(Choice choice)
    {
        QAbstractButton* button = window.choiceButton(choice);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void clickButton(const char* name)
    {
        auto* button = control<QPushButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    bool shown(Choice choice) const { return window.choiceButton(choice)->isChecked(); }
    bool enabled(Choice choice) const { return window.choiceButton(choice)->isEnabled(); }
    // The switch positions as the knobs show them: "1" where the ON knob is visible.
    QString knobs() const
    {
        QString pattern;
        for (int n = 1; n <= kSwitchCount; ++n) {
            const bool on = !window.knob(n, true)->isHidden();
            EXPECT_NE(on, !window.knob(n, false)->isHidden()) << "switch " << n;
            pattern += on ? QLatin1Char('1') : QLatin1Char('0');
        }
        return pattern;
    }

    FakeConfiguratorData data;
    RecordingOpener opener;
    RecordingMessages messages;
    Frm_configurator window{data, opener, messages, QStringLiteral("/opt/velmora")};
};

TEST_F(WindowTest, EveryControlIsThereUnderItsName)
{
    const char* names[] = {
        "Pnl_Model", "Opt_KXA", "Opt_KXR", "Pnl_Application", "Opt_SingleControl",
        "Opt_MultipleControl", "Pnl_mode", "Opt_2pipe", "Opt_4pipe", "Pnl_ChangeOver",
        "Opt_Manual", "Opt_Automatic", "Opt_Centralised", "Pnl_AirWater", "Opt_Air", "Opt_Water",
        "Pnl_NeutralZone", "Opt_5C", "Opt_2C", "Pnl_Control", "Opt_BuiltIn", "Opt_Remote",
        "Pnl_Options", "chk_heater", "Chk_valves", "Pnl_DipSwitches", "Tgl_DipSwitches",
        "Lbl_DipSwitches", "Lbl_On", "Lbl_Off", "Lbl_Wiring", "Txt_Wiring", "Btn_ShowWiring",
        "Img_VelmoraLogo", "Label1", "Btn_Initialise", "Btn_Close",
    };
    for (const char* name : names)
        EXPECT_NE(window.findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    for (int n = 1; n <= kSwitchCount; ++n) {
        for (const char* row : {"ON", "OFF"}) {
            const QString name = QStringLiteral("Tgl_%1%2").arg(n).arg(row);
            QWidget* knob = window.findChild<QWidget*>(name);
            ASSERT_NE(knob, nullptr) << name.toStdString();
            EXPECT_FALSE(knob->isEnabled()) << name.toStdString();
        }
    }
    EXPECT_EQ(window.objectName(), "Frm_configurator");
    EXPECT_EQ(window.windowTitle(), "Velmora Controller Configurator");
}

TEST_F(WindowTest, CaptionsAndTips)
{
    const std::pair<const char*, const char*> captions[] = {
        {"Opt_KXA", "KXA, KXH, KXE"}, {"Opt_MultipleControl", "Multiple Control (up to 4 FCU)"},
        {"Opt_Centralised", "Centralised"}, {"Opt_5C", "5°C"}, {"Opt_2C", "2°C"},
        {"Opt_BuiltIn", "Built in (QNTB2)"}, {"Opt_Remote", "Remote (QNTR2)"},
        {"chk_heater", "Electric heater"}, {"Chk_valves", "Valves"},
        {"Btn_Initialise", "Restore Settings"}, {"Btn_Close", "Close"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(control<QAbstractButton>(name)->text(), QString::fromUtf8(caption)) << name;
    const std::pair<const char*, const char*> frames[] = {
        {"Pnl_Model", "Model"}, {"Pnl_Application", "Application"}, {"Pnl_mode", "Mode"},
        {"Pnl_ChangeOver", "Changeover"}, {"Pnl_AirWater", ""}, {"Pnl_NeutralZone", ""},
        {"Pnl_Control", "Controller"}, {"Pnl_Options", "Options"},
        {"Pnl_DipSwitches", "Dip switch settings "},
    };
    for (const auto& [name, caption] : frames)
        EXPECT_EQ(control<QGroupBox>(name)->title(), QString::fromUtf8(caption)) << name;
    EXPECT_EQ(control<QLabel>("Lbl_On")->text(), "ON");
    EXPECT_EQ(control<QLabel>("Lbl_Off")->text(), "OFF");
    EXPECT_EQ(control<QLabel>("Lbl_Wiring")->text(), "Wiring diagram");
    EXPECT_EQ(control<QLabel>("Lbl_DipSwitches")->text(), "1 2 3 4 5 6 7");
    EXPECT_EQ(control("Opt_Centralised")->toolTip(), "Via external contact");
    EXPECT_EQ(control("Opt_BuiltIn")->toolTip(), "Built in the fancoil");
    EXPECT_EQ(control("Opt_Remote")->toolTip(), "Built on the wall");
    EXPECT_FALSE(control<QLabel>("Img_VelmoraLogo")->pixmap().isNull());
    EXPECT_FALSE(control<QPushButton>("Btn_ShowWiring")->icon().isNull());
    EXPECT_FALSE(control("Txt_Wiring")->isEnabled());
    EXPECT_EQ(control("Opt_Air")->parentWidget()->objectName(), "Pnl_AirWater");
    EXPECT_EQ(control("Pnl_AirWater")->parentWidget()->objectName(), "Pnl_ChangeOver");
}

TEST_F(WindowTest, TopLevelControlsStandAtTheirPositionsInPoints)
{
    const double pxPerPt = QGuiApplication::primaryScreen()->logicalDotsPerInch() / 72.0;
    const auto pt = [&](double v) { return qRound(v * pxPerPt); };
    EXPECT_EQ(window.size(), QSize(pt(469), pt(315)));
    struct Place {
        const char* name;
        double x, y, w, h;
    };
    const Place places[] = {
        {"Pnl_Model", 6, 6, 234, 36}, {"Pnl_Application", 6, 48, 234, 36},
        {"Pnl_mode", 6, 90, 234, 36}, {"Pnl_ChangeOver", 6, 132, 234, 114},
        {"Pnl_Control", 6, 252, 114, 54}, {"Pnl_Options", 126, 252, 114, 54},
        {"Label1", 282, 84, 156, 18}, {"Pnl_DipSwitches", 252, 132, 198, 114},
        {"Btn_Initialise", 276, 258, 72, 24}, {"Btn_Close", 366, 258, 72, 24},
    };
    for (const Place& p : places)
        EXPECT_EQ(control(p.name)->geometry(), QRect(pt(p.x), pt(p.y), pt(p.w), pt(p.h))) << p.name;
    EXPECT_EQ(control("Img_VelmoraLogo")->pos(), QPoint(pt(258), pt(12)));
    // Knobs of one row share a line, 18 pt apart, inside the red body.
    const QRect body = control("Tgl_DipSwitches")->geometry();
    for (int n = 1; n <= kSwitchCount; ++n) {
        const QRect on = window.knob(n, true)->geometry();
        const QRect off = window.knob(n, false)->geometry();
        EXPECT_EQ(on.x(), off.x());
        EXPECT_EQ(off.y() - on.y(), pt(42) - pt(24));
        EXPECT_TRUE(body.contains(on) && body.contains(off)) << n;
        if (n > 1) {
            EXPECT_EQ(on.x() - window.knob(n - 1, true)->x(),
                      pt(60 + 18 * (n - 1)) - pt(60 + 18 * (n - 2)));
        }
    }
}

TEST_F(WindowTest, FreshStartShowsTheDefaults)
{
    EXPECT_EQ(knobs(), "0000000");
    for (Choice c : {C::Opt_Air, C::Opt_Water, C::Opt_5C, C::Opt_2C})
        EXPECT_FALSE(enabled(c));
    EXPECT_TRUE(shown(C::Opt_Air));
    EXPECT_TRUE(shown(C::Opt_5C));
    EXPECT_FALSE(shown(C::Opt_Water));
    EXPECT_EQ(data.lastQuery(), "select * from dip where codice =1111000");
    EXPECT_EQ(control<QLineEdit>("Txt_Wiring")->text(), "w1111000.pdf");
    EXPECT_EQ(control<QLabel>("Label1")->text(), "2.3 fake");
}

TEST_F(WindowTest, UserClicksRunTheHandlersAndTheKnobsFollow)
{
    click(C::Opt_Automatic);
    EXPECT_EQ(knobs(), "0100000");
    EXPECT_TRUE(enabled(C::Opt_Water));
    EXPECT_FALSE(shown(C::Opt_Manual));
    click(C::Opt_Water);
    EXPECT_EQ(knobs(), "0110000");
    EXPECT_TRUE(shown(C::Opt_Water));
    EXPECT_FALSE(shown(C::Opt_Air));
    EXPECT_FALSE(enabled(C::Opt_2C));
    click(C::Opt_2C);  // disabled: nothing happens
    EXPECT_TRUE(shown(C::Opt_5C));
    click(C::Opt_Air);
    EXPECT_TRUE(enabled(C::Opt_2C));
    EXPECT_EQ(knobs(), "0100000");

    click(C::chk_heater);
    EXPECT_TRUE(shown(C::chk_heater));
    EXPECT_FALSE(enabled(C::Opt_Water));
    EXPECT_EQ(knobs(), "0100010");
    click(C::Opt_4pipe);
    EXPECT_FALSE(shown(C::chk_heater));
    EXPECT_FALSE(enabled(C::chk_heater));
    EXPECT_EQ(knobs(), "0100001");
}

TEST_F(WindowTest, ClickingTheSelectedOptionRunsNothingAndKeepsItSelected)
{
    QStringList trace;
    window.setTrace([&](const QString& line) { trace << line; });
    click(C::Opt_KXA);
    click(C::Opt_Manual);
    EXPECT_TRUE(trace.isEmpty());
    EXPECT_TRUE(shown(C::Opt_KXA));
    EXPECT_TRUE(shown(C::Opt_Manual));
}

TEST_F(WindowTest, KxrThenKxa)
{
    click(C::Opt_KXR);
    EXPECT_TRUE(shown(C::Opt_Remote));
    EXPECT_FALSE(enabled(C::Opt_BuiltIn));
    EXPECT_EQ(data.lastQuery(), "select * from dip where codice =0110000");
    click(C::Opt_KXA);
    EXPECT_TRUE(shown(C::Opt_BuiltIn));
    EXPECT_TRUE(enabled(C::Opt_BuiltIn));
}

TEST_F(WindowTest, TheCode0000011ShowsItsDiagramAndOpensIt)
{
    data.wiringByCode[11] = QStringLiteral("w0000011.pdf");
    for (Choice c : {C::Opt_KXR, C::Opt_MultipleControl, C::Opt_4pipe, C::Opt_Remote,
                     C::Chk_valves, C::Opt_Centralised})
        click(c);
    EXPECT_EQ(knobs(), "1000101");
    EXPECT_EQ(control<QLineEdit>("Txt_Wiring")->text(), "w0000011.pdf");
    clickButton("Btn_ShowWiring");
    EXPECT_EQ(data.lastQuery(), "select * from dip where codice =0000011");
    EXPECT_EQ(opener.opened, QStringList({"/opt/velmora/wiring diagrams/w0000011.pdf"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WindowTest, RestoreSettingsFromABusyStateShowsTheDefaultsAgain)
{
    for (Choice c : {C::Opt_KXR, C::Opt_MultipleControl, C::Opt_4pipe, C::Opt_Automatic,
                     C::Opt_2C, C::Chk_valves})
        click(c);
    data.version = QStringLiteral("2.4 fake");
    clickButton("Btn_Initialise");
    EXPECT_EQ(knobs(), "0000000");
    for (Choice c : {C::Opt_KXA, C::Opt_SingleControl, C::Opt_2pipe, C::Opt_Manual, C::Opt_Air,
                     C::Opt_5C, C::Opt_BuiltIn})
        EXPECT_TRUE(shown(c)) << controlName(c).toStdString();
    for (Choice c : {C::Opt_Air, C::Opt_Water, C::Opt_5C, C::Opt_2C})
        EXPECT_FALSE(enabled(c)) << controlName(c).toStdString();
    EXPECT_TRUE(enabled(C::chk_heater));
    EXPECT_TRUE(enabled(C::Opt_BuiltIn));
    EXPECT_FALSE(shown(C::Chk_valves));
    EXPECT_EQ(control<QLabel>("Label1")->text(), "2.4 fake");
    EXPECT_EQ(control<QLineEdit>("Txt_Wiring")->text(), "w1111000.pdf");
}

TEST(WindowStart, ShowingBeforeAnyRowWasFoundSaysThereIsNoDocument)
{
    FakeConfiguratorData data;
    data.wiringByCode.clear();
    RecordingOpener opener;
    RecordingMessages messages;
    Frm_configurator window(data, opener, messages, QStringLiteral("/opt/velmora"));
    window.show();
    auto* show = window.findChild<QPushButton*>(QStringLiteral("Btn_ShowWiring"));
    QTest::mouseClick(show, Qt::LeftButton);
    EXPECT_EQ(messages.shown, QStringList({"Documentazione non trovata"}));
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTest, AMissingDocumentIsReportedWithItsPath)
{
    opener.result = 2;
    clickButton("Btn_ShowWiring");
    EXPECT_EQ(messages.shown,
              QStringList({wiringNotOpenedText(2, "/opt/velmora/wiring diagrams/w1111000.pdf")}));
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTest, CloseClosesTheWindowThenTheDatabase)
{
    ASSERT_FALSE(data.closed);
    clickButton("Btn_Close");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(data.closed);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(WindowTest, ADatabaseFailureInAHandlerIsReportedAndEndsTheWindow)
{
    data.failQueries = true;
    click(C::Chk_valves);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains("3078"));
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(data.closed);
}

TEST(WindowStart, ADatabaseFailureDuringCreationReachesTheCaller)
{
    FakeConfiguratorData data;
    data.failQueries = true;
    RecordingOpener opener;
    RecordingMessages messages;
    EXPECT_THROW(Frm_configurator(data, opener, messages, QStringLiteral("/opt/velmora")),
                 ConfiguratorDataError);
}

} // namespace
} // namespace pinvale
