// The handler table and the event rule of the configurator's choices, without a window.
#include "configurator/configurator_choices.h"

#include "fake_configurator.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>

namespace pinvale {
namespace {

using testing::FakeConfiguratorData;
using C = Choice;

// Everything the window shows of the choices, as one comparable text.
QString stateKey(const ConfiguratorChoices& choices)
{
    QString key;
    for (int i = 0; i < kChoiceCount; ++i) {
        const auto choice = static_cast<Choice>(i);
        key += choices.isSelected(choice) ? QLatin1Char('S') : QLatin1Char('-');
        key += choices.isEnabled(choice) ? QLatin1Char('e') : QLatin1Char('d');
    }
    return key + QLatin1Char(' ') + choices.switchPattern() + QLatin1Char(' ')
           + choices.wiringText() + QLatin1Char('|') + choices.WiringFileName();
}

class ChoicesTest : public ::testing::Test {
protected:
    ChoicesTest()
    {
        choices.initialise();
        choices.setTrace([this](const QString& line) { trace << line; });
    }

    void clickAll(std::initializer_list<Choice> clicks)
    {
        for (Choice c : clicks)
            choices.click(c);
    }

    FakeConfiguratorData data;
    ConfiguratorChoices choices{data};
    QStringList trace;
};

TEST_F(ChoicesTest, FreshStartHasTheDefaultsAndLooksUpTheirDiagram)
{
    EXPECT_EQ(choices.switchPattern(), "0000000");
    for (Choice c : {C::Opt_Air, C::Opt_Water, C::Opt_5C, C::Opt_2C})
        EXPECT_FALSE(choices.isEnabled(c)) << controlName(c).toStdString();
    for (Choice c : {C::Opt_KXA, C::Opt_SingleControl, C::Opt_2pipe, C::Opt_Manual, C::Opt_Air,
                     C::Opt_5C, C::Opt_BuiltIn})
        EXPECT_TRUE(choices.isSelected(c)) << controlName(c).toStdString();
    EXPECT_FALSE(choices.isSelected(C::chk_heater));
    EXPECT_FALSE(choices.isSelected(C::Chk_valves));
    EXPECT_EQ(choices.ConfigurationCode(), "1111000");
    // The initialisation reads the version, refreshes once, and no handler runs.
    EXPECT_EQ(data.queries, QStringList({"select * from Version",
                                         "select * from dip where codice =1111000"}));
    EXPECT_EQ(choices.wiringText(), "w1111000.pdf");
    EXPECT_EQ(choices.WiringFileName(), "w1111000.pdf");
    EXPECT_EQ(choices.versionText(), "2.3 fake");
}

TEST(ChoicesStart, NoVersionRowKeepsTheDesignCaptionAndNoDipRowKeepsTheWiringEmpty)
{
    FakeConfiguratorData data;
    data.version.reset();
    data.wiringByCode.clear();
    ConfiguratorChoices choices(data);
    choices.initialise();
    EXPECT_EQ(choices.versionText(), "Version ...");
    EXPECT_EQ(choices.wiringText(), "");
    EXPECT_EQ(choices.WiringFileName(), "");
}

TEST_F(ChoicesTest, AutomaticThenWaterThenBackToAir)
{
    clickAll({C::Opt_Automatic, C::Opt_2C, C::Opt_Water});
    EXPECT_EQ(choices.switchPattern().left(4), "0110");
    EXPECT_TRUE(choices.isSelected(C::Opt_5C));
    EXPECT_FALSE(choices.isEnabled(C::Opt_5C));
    EXPECT_FALSE(choices.isEnabled(C::Opt_2C));

    choices.click(C::Opt_Air);
    EXPECT_TRUE(choices.isEnabled(C::Opt_5C));
    EXPECT_TRUE(choices.isEnabled(C::Opt_2C));
    EXPECT_TRUE(choices.isSelected(C::Opt_5C));
    EXPECT_EQ(choices.switchPattern(), "0100000");
}

TEST_F(ChoicesTest, AutomaticWithTheHeaterSensesOnAirUntilTheHeaterIsCleared)
{
    clickAll({C::Opt_Automatic, C::Opt_Water, C::chk_heater});
    EXPECT_TRUE(choices.isSelected(C::Opt_Air));
    EXPECT_FALSE(choices.isEnabled(C::Opt_Water));
    EXPECT_TRUE(choices.isEnabled(C::Opt_5C));
    EXPECT_TRUE(choices.isEnabled(C::Opt_2C));
    EXPECT_EQ(choices.switchPattern(), "0100010");

    choices.click(C::chk_heater);
    EXPECT_TRUE(choices.isEnabled(C::Opt_Water));
    EXPECT_EQ(choices.switchPattern(), "0100000");
}

TEST_F(ChoicesTest, FourPipeClearsAndLocksTheHeaterAndTwoPipeUnlocksIt)
{
    choices.click(C::chk_heater);
    EXPECT_EQ(choices.switchPattern(), "0000010");
    choices.click(C::Opt_4pipe);
    EXPECT_FALSE(choices.isSelected(C::chk_heater));
    EXPECT_FALSE(choices.isEnabled(C::chk_heater));
    EXPECT_EQ(choices.switchPattern(), "0000001");
    choices.click(C::chk_heater);  // a user cannot tick a disabled box
    EXPECT_FALSE(choices.isSelected(C::chk_heater));

    choices.click(C::Opt_2pipe);
    EXPECT_TRUE(choices.isEnabled(C::chk_heater));
    EXPECT_FALSE(choices.isSelected(C::chk_heater));
    EXPECT_EQ(choices.switchPattern(), "0000000");
}

TEST_F(ChoicesTest, AutomaticWithFourPipeLocksWaterAndTwoPipeUnlocksIt)
{
    clickAll({C::Opt_Automatic, C::Opt_Water, C::Opt_4pipe});
    EXPECT_TRUE(choices.isSelected(C::Opt_Air));
    EXPECT_FALSE(choices.isEnabled(C::Opt_Water));
    EXPECT_TRUE(choices.isEnabled(C::Opt_2C));
    choices.click(C::Opt_2pipe);
    EXPECT_TRUE(choices.isEnabled(C::Opt_Water));
    EXPECT_TRUE(choices.isEnabled(C::Opt_Air));
}

TEST_F(ChoicesTest, KxrLocksTheControllerToRemoteAndKxaRestoresBuiltIn)
{
    choices.click(C::Opt_KXR);
    EXPECT_TRUE(choices.isSelected(C::Opt_Remote));
    EXPECT_FALSE(choices.isEnabled(C::Opt_BuiltIn));
    EXPECT_EQ(choices.ConfigurationCode(), "0110000");
    EXPECT_EQ(choices.switchPattern(), "0000000");

    choices.click(C::Opt_KXA);
    EXPECT_TRUE(choices.isEnabled(C::Opt_BuiltIn));
    EXPECT_TRUE(choices.isSelected(C::Opt_BuiltIn));
    EXPECT_EQ(choices.ConfigurationCode(), "1111000");
}

TEST_F(ChoicesTest, TheShortestCodeIsFoundNumerically)
{
    data.wiringByCode[11] = QStringLiteral("w0000011.pdf");
    clickAll({C::Opt_KXR, C::Opt_MultipleControl, C::Opt_4pipe, C::Opt_Remote, C::Chk_valves,
              C::Opt_Centralised});
    EXPECT_EQ(choices.ConfigurationCode(), "0000011");
    EXPECT_EQ(data.lastQuery(), "select * from dip where codice =0000011");
    EXPECT_EQ(choices.wiringText(), "w0000011.pdf");
    EXPECT_EQ(choices.WiringFileName(), "w0000011.pdf");
    EXPECT_EQ(choices.switchPattern(), "1000101");
}

TEST_F(ChoicesTest, ACodeWithoutRowKeepsThePreviousDiagram)
{
    data.wiringByCode = {{1111000, "w1111000.pdf"}, {1111100, "heater.pdf"}};
    choices.click(C::chk_heater);
    EXPECT_EQ(choices.WiringFileName(), "heater.pdf");
    choices.click(C::Chk_valves);  // 1111110 has no row
    EXPECT_EQ(choices.wiringText(), "heater.pdf");
    EXPECT_EQ(choices.WiringFileName(), "heater.pdf");
}

TEST_F(ChoicesTest, SettingTheSameValueRunsNothing)
{
    choices.select(C::Opt_KXA);
    choices.select(C::Opt_Manual);
    choices.setChecked(C::chk_heater, false);
    choices.click(C::Opt_2pipe);
    EXPECT_TRUE(trace.isEmpty()) << trace.join(", ").toStdString();
}

TEST_F(ChoicesTest, OnlyTheNewlySelectedOptionReacts)
{
    choices.click(C::Opt_Centralised);
    trace.clear();
    choices.click(C::Opt_Manual);
    EXPECT_EQ(trace.value(0), "Opt_Manual_Click");
    EXPECT_FALSE(trace.contains("Opt_Centralised_Click"));
    EXPECT_FALSE(choices.isSelected(C::Opt_Centralised));
    EXPECT_EQ(choices.switchPattern(), "0000000");
}

TEST_F(ChoicesTest, ACodeChangeOnADisabledChoiceRunsItsHandler)
{
    ASSERT_FALSE(choices.isEnabled(C::Opt_Water));
    choices.click(C::Opt_Water);  // the user cannot
    EXPECT_TRUE(trace.isEmpty());
    choices.select(C::Opt_Water);  // code can, and the handler runs
    EXPECT_EQ(trace.value(0), "Opt_Water_Click");
    EXPECT_TRUE(choices.switchIsOn(3));
}

TEST_F(ChoicesTest, NestedHandlersRunAtTheMomentOfTheChange)
{
    struct Case {
        const char* name;
        std::vector<Choice> before;
        Choice click;
        QStringList expected;
    };
    const Case cases[] = {
        // Water selects 5°C inside its own handler: switch 3 is already ON, switch 4 goes
        // OFF before the inner refresh.
        {"water forces 5C", {C::Opt_Automatic, C::Opt_2C}, C::Opt_Water,
         {"Opt_Water_Click", "Opt_5C_Click", "RefreshConfiguration 1111000 switches 0110000",
          "RefreshConfiguration 1111000 switches 0110000"}},
        // 4-pipe turns switch 7 ON before it clears the heater.
        {"4-pipe clears the heater", {C::chk_heater}, C::Opt_4pipe,
         {"Opt_4pipe_Click", "chk_heater_Click", "RefreshConfiguration 1101000 switches 0000001",
          "RefreshConfiguration 1101000 switches 0000001"}},
        // Two levels: under Automatic, 4-pipe selects Air, whose handler turns switch 3
        // OFF before the inner refresh.
        {"4-pipe under Automatic", {C::Opt_Automatic, C::Opt_Water}, C::Opt_4pipe,
         {"Opt_4pipe_Click", "Opt_Air_Click", "RefreshConfiguration 1101000 switches 0100001",
          "RefreshConfiguration 1101000 switches 0100001"}},
        // Clearing the heater runs its handler (which unlocks Water under Automatic) before
        // 4-pipe goes on.
        {"4-pipe clears the heater under Automatic", {C::Opt_Automatic, C::chk_heater},
         C::Opt_4pipe,
         {"Opt_4pipe_Click", "chk_heater_Click", "RefreshConfiguration 1101000 switches 0100001",
          "RefreshConfiguration 1101000 switches 0100001"}},
        {"Manual leaves Water", {C::Opt_Automatic, C::Opt_Water}, C::Opt_Manual,
         {"Opt_Manual_Click", "Opt_Air_Click", "RefreshConfiguration 1111000 switches 0000000",
          "RefreshConfiguration 1111000 switches 0000000"}},
        {"Centralised leaves 2C", {C::Opt_Automatic, C::Opt_2C}, C::Opt_Centralised,
         {"Opt_Centralised_Click", "Opt_5C_Click", "RefreshConfiguration 1111001 switches 1000000",
          "RefreshConfiguration 1111001 switches 1000000"}},
        {"KXR selects Remote", {}, C::Opt_KXR,
         {"Opt_KXR_Click", "Opt_Remote_Click", "RefreshConfiguration 0110000 switches 0000000",
          "RefreshConfiguration 0110000 switches 0000000"}},
        {"heater under Automatic with Water", {C::Opt_Automatic, C::Opt_Water}, C::chk_heater,
         {"chk_heater_Click", "Opt_Air_Click", "RefreshConfiguration 1111100 switches 0100010",
          "RefreshConfiguration 1111100 switches 0100010"}},
    };
    for (const Case& c : cases) {
        FakeConfiguratorData caseData;
        ConfiguratorChoices caseChoices(caseData);
        caseChoices.initialise();
        for (Choice before : c.before)
            caseChoices.click(before);
        QStringList caseTrace;
        caseChoices.setTrace([&](const QString& line) { caseTrace << line; });
        caseChoices.click(c.click);
        EXPECT_EQ(caseTrace, c.expected) << c.name << ": " << caseTrace.join(", ").toStdString();
    }
}

TEST_F(ChoicesTest, RestoreSettingsFromABusyStateRunsTheChangedHandlersInStepOrder)
{
    clickAll({C::Opt_KXR, C::Opt_MultipleControl, C::Opt_4pipe, C::Opt_Automatic, C::Opt_2C,
              C::Chk_valves});
    ASSERT_EQ(choices.ConfigurationCode(), "0000010");
    ASSERT_EQ(choices.switchPattern(), "0101101");
    trace.clear();
    data.queries.clear();

    choices.initialise();

    const QStringList expected = {
        "RefreshConfiguration 0000010 switches 0101101",
        "Opt_KXA_Click", "Opt_BuiltIn_Click", "RefreshConfiguration 1001010 switches 0101101",
        "RefreshConfiguration 1001010 switches 0101101",
        "Opt_SingleControl_Click", "RefreshConfiguration 1101010 switches 0101101",
        "Opt_2pipe_Click", "RefreshConfiguration 1111010 switches 0101100",
        "Opt_Manual_Click", "Opt_5C_Click", "RefreshConfiguration 1111010 switches 0000100",
        "RefreshConfiguration 1111010 switches 0000100",
        "Chk_valves_Click", "RefreshConfiguration 1111000 switches 0000000",
    };
    EXPECT_EQ(trace, expected) << trace.join(", ").toStdString();
    EXPECT_EQ(data.queries.first(), "select * from Version");
    EXPECT_EQ(data.lastQuery(), "select * from dip where codice =1111000");

    FakeConfiguratorData freshData;
    ConfiguratorChoices fresh(freshData);
    fresh.initialise();
    EXPECT_EQ(stateKey(choices), stateKey(fresh));
}

// Every state a user can reach by clicking, with the clicks that reach it.
std::map<QString, std::vector<Choice>> reachableStates(FakeConfiguratorData& data)
{
    ConfiguratorChoices start(data);
    start.initialise();
    std::map<QString, std::vector<Choice>> pathTo{{stateKey(start), {}}};
    std::deque<std::pair<ConfiguratorChoices, std::vector<Choice>>> queue{{start, {}}};
    while (!queue.empty()) {
        auto [state, path] = queue.front();
        queue.pop_front();
        for (int i = 0; i < kChoiceCount; ++i) {
            ConfiguratorChoices next = state;
            next.click(static_cast<Choice>(i));
            auto nextPath = path;
            nextPath.push_back(static_cast<Choice>(i));
            if (pathTo.emplace(stateKey(next), nextPath).second)
                queue.emplace_back(next, nextPath);
        }
    }
    return pathTo;
}

ConfiguratorChoices replay(FakeConfiguratorData& data, const std::vector<Choice>& path)
{
    ConfiguratorChoices choices(data);
    choices.initialise();
    for (Choice c : path)
        choices.click(c);
    return choices;
}

TEST(ChoicesReachable, EveryReachableStateKeepsTheConstraintsAndShowsItsMeaning)
{
    FakeConfiguratorData data;
    const auto states = reachableStates(data);
    ASSERT_GT(states.size(), 100u);
    for (const auto& [key, path] : states) {
        const ConfiguratorChoices s = replay(data, path);
        const auto sel = [&](Choice c) { return s.isSelected(c); };
        const auto en = [&](Choice c) { return s.isEnabled(c); };
        SCOPED_TRACE(key.toStdString());
        // One option per frame.
        EXPECT_NE(sel(C::Opt_KXA), sel(C::Opt_KXR));
        EXPECT_NE(sel(C::Opt_SingleControl), sel(C::Opt_MultipleControl));
        EXPECT_NE(sel(C::Opt_2pipe), sel(C::Opt_4pipe));
        EXPECT_EQ(sel(C::Opt_Manual) + sel(C::Opt_Automatic) + sel(C::Opt_Centralised), 1);
        EXPECT_NE(sel(C::Opt_Air), sel(C::Opt_Water));
        EXPECT_NE(sel(C::Opt_5C), sel(C::Opt_2C));
        EXPECT_NE(sel(C::Opt_BuiltIn), sel(C::Opt_Remote));
        // The constraints the handlers keep.
        if (!sel(C::Opt_Automatic)) {
            EXPECT_TRUE(sel(C::Opt_Air) && sel(C::Opt_5C));
            EXPECT_FALSE(en(C::Opt_Air) || en(C::Opt_Water) || en(C::Opt_5C) || en(C::Opt_2C));
        } else {
            EXPECT_TRUE(en(C::Opt_Air));
            EXPECT_EQ(en(C::Opt_Water), !sel(C::Opt_4pipe) && !sel(C::chk_heater));
            if (sel(C::Opt_4pipe) || sel(C::chk_heater)) {
                EXPECT_TRUE(sel(C::Opt_Air));
            }
            EXPECT_EQ(en(C::Opt_5C), sel(C::Opt_Air));
            EXPECT_EQ(en(C::Opt_2C), sel(C::Opt_Air));
            if (sel(C::Opt_Water)) {
                EXPECT_TRUE(sel(C::Opt_5C));
            }
        }
        EXPECT_EQ(en(C::chk_heater), sel(C::Opt_2pipe));
        if (sel(C::Opt_4pipe)) {
            EXPECT_FALSE(sel(C::chk_heater));
        }
        EXPECT_EQ(en(C::Opt_BuiltIn), sel(C::Opt_KXA));
        if (sel(C::Opt_KXR)) {
            EXPECT_TRUE(sel(C::Opt_Remote));
        }
        // The switches mean what the controller's table says.
        const QString expectedSwitches = QString("%1%2%3%4%5%6%7")
            .arg(int(sel(C::Opt_Centralised))).arg(int(sel(C::Opt_Automatic)))
            .arg(int(sel(C::Opt_Water))).arg(int(sel(C::Opt_2C))).arg(int(sel(C::Chk_valves)))
            .arg(int(sel(C::chk_heater))).arg(int(sel(C::Opt_4pipe)));
        EXPECT_EQ(s.switchPattern(), expectedSwitches);
    }
}

// The codes that the constraints allow, derived independently of the handlers: KXR has
// no built-in controller and 4-pipe no electric heater.
std::set<QString> allowedCodes()
{
    std::set<QString> codes;
    for (int bits = 0; bits < 128; ++bits) {
        const QString code = QString::number(bits, 2).rightJustified(7, QLatin1Char('0'));
        const bool kxa = code[0] == '1', twoPipe = code[2] == '1', builtIn = code[3] == '1';
        const bool heater = code[4] == '1';
        if ((builtIn && !kxa) || (heater && !twoPipe))
            continue;
        codes.insert(code);
    }
    return codes;
}

TEST(ChoicesReachable, TheReachableCodesAreExactlyTheAllowedOnes)
{
    FakeConfiguratorData data;
    std::set<QString> reached;
    for (const auto& [key, path] : reachableStates(data))
        reached.insert(replay(data, path).ConfigurationCode());
    EXPECT_EQ(reached.size(), 72u);
    EXPECT_EQ(reached, allowedCodes());
}

TEST(ChoicesReachable, RestoreSettingsReturnsEveryReachableStateToTheDefaults)
{
    FakeConfiguratorData data;
    ConfiguratorChoices fresh(data);
    fresh.initialise();
    const QString defaults = stateKey(fresh);
    for (const auto& [key, path] : reachableStates(data)) {
        ConfiguratorChoices s = replay(data, path);
        s.initialise();
        EXPECT_EQ(stateKey(s), defaults) << "from " << key.toStdString();
    }
}

TEST(ChoicesNames, ControlNamesAndFrames)
{
    EXPECT_EQ(controlName(C::Opt_2pipe), "Opt_2pipe");
    EXPECT_EQ(controlName(C::chk_heater), "chk_heater");
    EXPECT_EQ(controlName(C::Chk_valves), "Chk_valves");
    EXPECT_TRUE(isCheckBox(C::Chk_valves));
    EXPECT_FALSE(isCheckBox(C::Opt_Remote));
    EXPECT_EQ(frameOf(C::Opt_Water), Frame::Pnl_AirWater);
    EXPECT_EQ(frameOf(C::Opt_2C), Frame::Pnl_NeutralZone);
}

} // namespace
} // namespace pinvale
