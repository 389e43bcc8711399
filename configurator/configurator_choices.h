#pragma once
// The choices of Frm_configurator, their enable states, the seven DIP switches and the
// wiring diagram, with the click handlers that keep them consistent. No widgets: the
// window copies this state to its controls after every user action.
//
// The event rule the handlers rely on: a choice's handler runs when its value changes,
// whether the user or code changed it, at the moment of the change and nested inside the
// code that changed it; setting a choice to the value it already has runs nothing. For an
// option the handler is that of the option that becomes selected (the one its frame
// clears runs nothing); for a check box every change of value runs it; a change made by
// code runs it even when the control is disabled. The order of effects inside a handler
// is therefore part of the behaviour.

#include "configurator/configurator_data.h"

#include <QString>

#include <array>
#include <functional>

namespace pinvale {

// Every choice of the window, named after its control.
enum class Choice {
    Opt_KXA, Opt_KXR,
    Opt_SingleControl, Opt_MultipleControl,
    Opt_2pipe, Opt_4pipe,
    Opt_Manual, Opt_Automatic, Opt_Centralised,
    Opt_Air, Opt_Water,
    Opt_5C, Opt_2C,
    Opt_BuiltIn, Opt_Remote,
    chk_heater, Chk_valves,
};
constexpr int kChoiceCount = static_cast<int>(Choice::Chk_valves) + 1;
constexpr int kSwitchCount = 7;

// The frames whose option buttons exclude each other; check boxes are in none.
enum class Frame {
    None, Pnl_Model, Pnl_Application, Pnl_mode, Pnl_ChangeOver, Pnl_AirWater,
    Pnl_NeutralZone, Pnl_Control,
};

QString controlName(Choice choice);  // "Opt_KXA", "chk_heater", ...
Frame frameOf(Choice choice);
bool isCheckBox(Choice choice);

class ConfiguratorChoices {
public:
    // The design-time state: the default options selected, the boxes clear, Air, Water,
    // 5°C and 2°C disabled, all switches OFF, no wiring diagram, "Version ..." shown.
    explicit ConfiguratorChoices(ConfiguratorData& data);

    // The window's initialisation (at creation and from "Restore Settings").
    void initialise();

    // A user's click: nothing on a disabled control; an option becomes selected, a check
    // box changes its value.
    void click(Choice choice);

    // Changes made by code, with the event rule above.
    void select(Choice option);
    void setChecked(Choice box, bool checked);
    void setEnabled(Choice choice, bool enabled);

    bool isSelected(Choice choice) const { return state(choice).value; }
    bool isEnabled(Choice choice) const { return state(choice).enabled; }
    bool switchIsOn(int n) const { return switchOn_.at(n - 1); }
    QString switchPattern() const;  // "0100000": switch 1 leftmost, 1 = ON

    // Seven digits, one per flag in the order Opt_KXA, Opt_SingleControl, Opt_2pipe,
    // Opt_BuiltIn, chk_heater, Chk_valves, Opt_Centralised: 1 selected or checked.
    QString ConfigurationCode() const;

    // Looks up the diagram of the current code; a code without a row keeps the previous.
    void RefreshConfiguration();

    QString WiringFileName() const { return wiringFileName_; }
    QString wiringText() const { return wiringText_; }    // Txt_Wiring
    QString versionText() const { return versionText_; }  // Label1

    // Receives one line per handler run ("Opt_4pipe_Click") and per refresh
    // ("RefreshConfiguration 1110000 switches 0000001"), in the order they happen.
    void setTrace(std::function<void(const QString&)> trace) { trace_ = std::move(trace); }

private:
    struct ChoiceState {
        bool value = false;
        bool enabled = true;
    };
    ChoiceState& state(Choice choice) { return choices_[static_cast<int>(choice)]; }
    const ChoiceState& state(Choice choice) const { return choices_[static_cast<int>(choice)]; }

    void setSwitch(int n, bool on) { switchOn_.at(n - 1) = on; }
    void enable(std::initializer_list<Choice> choices, bool enabled);
    void runHandler(Choice choice);
    void note(const QString& line) const;

    void Opt_KXR_Click();
    void Opt_KXA_Click();
    void Opt_2pipe_Click();
    void Opt_4pipe_Click();
    void Opt_Manual_Click();
    void Opt_Automatic_Click();
    void Opt_Centralised_Click();
    void Opt_Air_Click();
    void Opt_Water_Click();
    void Opt_5C_Click();
    void Opt_2C_Click();
    void chk_heater_Click();
    void Chk_valves_Click();
    void forceAirAndFiveDegreesLocked();

    ConfiguratorData& data_;
    std::array<ChoiceState, kChoiceCount> choices_{};
    std::array<bool, kSwitchCount> switchOn_{};
    QString wiringFileName_;
    QString wiringText_;
    QString versionText_;
    std::function<void(const QString&)> trace_;
};

} // namespace pinvale
