#include "configurator/configurator_choices.h"

namespace pinvale {

namespace {

struct ChoiceInfo {
    const char* name;
    Frame frame;
};

// Indexed by Choice.
constexpr std::array<ChoiceInfo, kChoiceCount> kChoiceInfo{{
    {"Opt_KXA", Frame::Pnl_Model},
    {"Opt_KXR", Frame::Pnl_Model},
    {"Opt_SingleControl", Frame::Pnl_Application},
    {"Opt_MultipleControl", Frame::Pnl_Application},
    {"Opt_2pipe", Frame::Pnl_mode},
    {"Opt_4pipe", Frame::Pnl_mode},
    {"Opt_Manual", Frame::Pnl_ChangeOver},
    {"Opt_Automatic", Frame::Pnl_ChangeOver},
    {"Opt_Centralised", Frame::Pnl_ChangeOver},
    {"Opt_Air", Frame::Pnl_AirWater},
    {"Opt_Water", Frame::Pnl_AirWater},
    {"Opt_5C", Frame::Pnl_NeutralZone},
    {"Opt_2C", Frame::Pnl_NeutralZone},
    {"Opt_BuiltIn", Frame::Pnl_Control},
    {"Opt_Remote", Frame::Pnl_Control},
    {"chk_heater", Frame::None},
    {"Chk_valves", Frame::None},
}};

// The flags of the configuration code, leftmost first.
constexpr std::array<Choice, 7> kCodeFlags{
    Choice::Opt_KXA, Choice::Opt_SingleControl, Choice::Opt_2pipe, Choice::Opt_BuiltIn,
    Choice::chk_heater, Choice::Chk_valves, Choice::Opt_Centralised,
};

const ChoiceInfo& infoOf(Choice choice) { return kChoiceInfo[static_cast<int>(choice)]; }

} // namespace

QString controlName(Choice choice) { return QString::fromLatin1(infoOf(choice).name); }
Frame frameOf(Choice choice) { return infoOf(choice).frame; }
bool isCheckBox(Choice choice) { return frameOf(choice) == Frame::None; }

ConfiguratorChoices::ConfiguratorChoices(ConfiguratorData& data)
    : data_(data), versionText_(QStringLiteral("Version ..."))
{
    for (Choice selected : {Choice::Opt_KXA, Choice::Opt_SingleControl, Choice::Opt_2pipe,
                            Choice::Opt_Manual, Choice::Opt_Air, Choice::Opt_5C,
                            Choice::Opt_BuiltIn})
        state(selected).value = true;
    for (Choice locked : {Choice::Opt_Air, Choice::Opt_Water, Choice::Opt_5C, Choice::Opt_2C})
        state(locked).enabled = false;
}

void ConfiguratorChoices::initialise()
{
    if (const auto version = data_.versionText())
        versionText_ = *version;
    RefreshConfiguration();
    select(Choice::Opt_KXA);
    select(Choice::Opt_SingleControl);
    select(Choice::Opt_2pipe);
    select(Choice::Opt_Manual);
    enable({Choice::Opt_Air, Choice::Opt_Water, Choice::Opt_2C, Choice::Opt_5C}, false);
    setChecked(Choice::chk_heater, false);
    setChecked(Choice::Chk_valves, false);
    setEnabled(Choice::Opt_BuiltIn, true);
    select(Choice::Opt_BuiltIn);
    for (int n = 1; n <= kSwitchCount; ++n)
        setSwitch(n, false);
}

void ConfiguratorChoices::click(Choice choice)
{
    if (!isEnabled(choice))
        return;
    if (isCheckBox(choice))
        setChecked(choice, !isSelected(choice));
    else
        select(choice);
}

void ConfiguratorChoices::select(Choice option)
{
    if (isCheckBox(option) || isSelected(option))
        return;
    // The frame clears its other options first; only the newly selected one reacts.
    for (int i = 0; i < kChoiceCount; ++i) {
        const auto other = static_cast<Choice>(i);
        if (frameOf(other) == frameOf(option))
            state(other).value = false;
    }
    state(option).value = true;
    runHandler(option);
}

void ConfiguratorChoices::setChecked(Choice box, bool checked)
{
    if (!isCheckBox(box) || isSelected(box) == checked)
        return;
    state(box).value = checked;
    runHandler(box);
}

void ConfiguratorChoices::setEnabled(Choice choice, bool enabled)
{
    state(choice).enabled = enabled;
}

void ConfiguratorChoices::enable(std::initializer_list<Choice> choices, bool enabled)
{
    for (Choice choice : choices)
        setEnabled(choice, enabled);
}

QString ConfiguratorChoices::switchPattern() const
{
    QString pattern;
    for (bool on : switchOn_)
        pattern += on ? QLatin1Char('1') : QLatin1Char('0');
    return pattern;
}

QString ConfiguratorChoices::ConfigurationCode() const
{
    QString code;
    for (Choice flag : kCodeFlags)
        code += isSelected(flag) ? QLatin1Char('1') : QLatin1Char('0');
    return code;
}

void ConfiguratorChoices::RefreshConfiguration()
{
    const QString code = ConfigurationCode();
    note(QStringLiteral("RefreshConfiguration %1 switches %2").arg(code, switchPattern()));
    if (const auto wiring = data_.wiringFor(wiringQuery(code))) {
        wiringText_ = *wiring;
        wiringFileName_ = *wiring;
    }
}

void ConfiguratorChoices::note(const QString& line) const
{
    if (trace_)
        trace_(line);
}

void ConfiguratorChoices::runHandler(Choice choice)
{
    note(controlName(choice) + QStringLiteral("_Click"));
    switch (choice) {
    case Choice::Opt_KXR: Opt_KXR_Click(); break;
    case Choice::Opt_KXA: Opt_KXA_Click(); break;
    case Choice::Opt_2pipe: Opt_2pipe_Click(); break;
    case Choice::Opt_4pipe: Opt_4pipe_Click(); break;
    case Choice::Opt_Manual: Opt_Manual_Click(); break;
    case Choice::Opt_Automatic: Opt_Automatic_Click(); break;
    case Choice::Opt_Centralised: Opt_Centralised_Click(); break;
    case Choice::Opt_Air: Opt_Air_Click(); break;
    case Choice::Opt_Water: Opt_Water_Click(); break;
    case Choice::Opt_5C: Opt_5C_Click(); break;
    case Choice::Opt_2C: Opt_2C_Click(); break;
    case Choice::chk_heater: chk_heater_Click(); break;
    case Choice::Chk_valves: Chk_valves_Click(); break;
    case Choice::Opt_SingleControl:
    case Choice::Opt_MultipleControl:
    case Choice::Opt_BuiltIn:
    case Choice::Opt_Remote:
        // The application and the controller position move no switch.
        break;
    }
    RefreshConfiguration();
}

// Model KXR has no built-in controller.
void ConfiguratorChoices::Opt_KXR_Click()
{
    setEnabled(Choice::Opt_BuiltIn, false);
    select(Choice::Opt_Remote);
}

void ConfiguratorChoices::Opt_KXA_Click()
{
    setEnabled(Choice::Opt_BuiltIn, true);
    select(Choice::Opt_BuiltIn);
}

void ConfiguratorChoices::Opt_2pipe_Click()
{
    setSwitch(7, false);
    setEnabled(Choice::chk_heater, true);
    if (isSelected(Choice::Opt_Automatic))
        enable({Choice::Opt_Air, Choice::Opt_Water, Choice::Opt_2C, Choice::Opt_5C}, true);
}

// A 4-pipe unit heats with its own coil: no electric heater, and changeover sensing on air.
void ConfiguratorChoices::Opt_4pipe_Click()
{
    setSwitch(7, true);
    setChecked(Choice::chk_heater, false);
    setEnabled(Choice::chk_heater, false);
    if (isSelected(Choice::Opt_Automatic)) {
        select(Choice::Opt_Air);
        setEnabled(Choice::Opt_Water, false);
        enable({Choice::Opt_2C, Choice::Opt_5C}, true);
    }
}

// Manual and Centralised changeover sense nothing: Air and 5°C, all four locked.
void ConfiguratorChoices::forceAirAndFiveDegreesLocked()
{
    select(Choice::Opt_Air);
    enable({Choice::Opt_Air, Choice::Opt_Water}, false);
    select(Choice::Opt_5C);
    enable({Choice::Opt_5C, Choice::Opt_2C}, false);
}

void ConfiguratorChoices::Opt_Manual_Click()
{
    setSwitch(1, false);
    setSwitch(2, false);
    setSwitch(3, false);
    forceAirAndFiveDegreesLocked();
}

void ConfiguratorChoices::Opt_Automatic_Click()
{
    setSwitch(1, false);
    setSwitch(2, true);
    setEnabled(Choice::Opt_Air, true);
    select(Choice::Opt_Air);
    if (isSelected(Choice::Opt_4pipe)) {
        setEnabled(Choice::Opt_Water, false);
        enable({Choice::Opt_5C, Choice::Opt_2C}, true);
    } else {
        enable({Choice::Opt_Water, Choice::Opt_5C, Choice::Opt_2C}, true);
    }
    if (isSelected(Choice::chk_heater)) {
        select(Choice::Opt_Air);
        setEnabled(Choice::Opt_Water, false);
        enable({Choice::Opt_5C, Choice::Opt_2C}, true);
    }
}

void ConfiguratorChoices::Opt_Centralised_Click()
{
    setSwitch(1, true);
    setSwitch(2, false);
    setSwitch(3, false);
    forceAirAndFiveDegreesLocked();
}

void ConfiguratorChoices::Opt_Air_Click()
{
    setSwitch(3, false);
    enable({Choice::Opt_5C, Choice::Opt_2C}, true);
}

// Sensing on the water forces the 5°C neutral zone.
void ConfiguratorChoices::Opt_Water_Click()
{
    setSwitch(3, true);
    select(Choice::Opt_5C);
    enable({Choice::Opt_5C, Choice::Opt_2C}, false);
}

void ConfiguratorChoices::Opt_5C_Click() { setSwitch(4, false); }

void ConfiguratorChoices::Opt_2C_Click() { setSwitch(4, true); }

// With an electric heater the changeover is sensed on the air.
void ConfiguratorChoices::chk_heater_Click()
{
    const bool checked = isSelected(Choice::chk_heater);
    setSwitch(6, checked);
    if (!isSelected(Choice::Opt_Automatic))
        return;
    if (checked) {
        select(Choice::Opt_Air);
        setEnabled(Choice::Opt_Water, false);
        enable({Choice::Opt_5C, Choice::Opt_2C}, true);
    } else {
        setEnabled(Choice::Opt_Water, true);
    }
}

void ConfiguratorChoices::Chk_valves_Click()
{
    setSwitch(5, isSelected(Choice::Chk_valves));
}

} // namespace pinvale
