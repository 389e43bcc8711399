#include "project/project.h"

#include "selection/selection_run.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <utility>

namespace tarvello {

namespace {

constexpr std::array<const char*, 3> kLineCodes{"KX", "KXR", "KXN"};

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

constexpr std::array<std::pair<Duty, const char*>, 3> kDutyNames{{
    {Duty::TotalCooling, "total_cooling"},
    {Duty::SensibleCooling, "sensible_cooling"},
    {Duty::Heating, "heating"},
}};

struct ReasonNames {
    NotListedReason reason;
    const char* name;
    const char* description;
};

constexpr std::array<ReasonNames, 10> kReasonNames{{
    {NotListedReason::OtherMode, "other_mode", "rated only in the other mode"},
    {NotListedReason::HeatingOnly, "heating_only", "a heating-only unit"},
    {NotListedReason::FourPipeChoice, "four_pipe_choice", "rated only with the other 4-pipe choice"},
    {NotListedReason::FreeBlow, "free_blow", "air flow too low for the fan (1/6 or less of its free blow)"},
    {NotListedReason::QuarterFreeDelivery, "quarter_free_delivery",
     "air flow too low for the fan (1/4 or less of its free delivery)"},
    {NotListedReason::NegativePressure, "negative_pressure", "fan pressure too low for this air flow"},
    {NotListedReason::NoCoolingLaw, "no_cooling_law", "no cooling rating for the coil geometry"},
    {NotListedReason::OutsideCapacityBand, "outside_capacity_band", "capacity below the duty"},
    {NotListedReason::NoOperatingPoint, "no_operating_point", "no operating point at these conditions"},
    {NotListedReason::ImplausibleResult, "implausible_result", "a rated value outside its physical range"},
}};

std::string watts(float value)
{
    return std::to_string(long(std::lround(value))) + " W";
}

} // namespace

const char* lineCode(int line)
{
    return kLineCodes[size_t(productLine(line).id)];
}

std::optional<int> lineFromText(const std::string& text)
{
    const std::string code = upper(text);
    for (size_t i = 0; i < kLineCodes.size(); ++i)
        if (code == kLineCodes[i] || code == std::to_string(i))
            return int(i);
    return std::nullopt;
}

RunRequest coolingRequest(int line, int speed, const CoolingConditions& c, float glycolPercent, float staticPressure)
{
    RunRequest r;
    r.line = line;
    r.mode = ModeCooling;
    r.speed = speed;
    r.air = enteringAirFromHumidity(c.airDryBulb, c.airHumidity);
    r.waterIn = c.waterIn;
    r.leavingWaterGiven = true;
    r.waterOut = c.waterOut;
    r.glycolPercent = glycolPercent;
    r.staticPressure = staticPressure;
    return r;
}

RunRequest heatingRequest(int line, int speed, const HeatingConditions& c, float glycolPercent, float staticPressure,
                          bool fourPipe)
{
    RunRequest r;
    r.line = line;
    r.mode = ModeHeating;
    r.speed = speed;
    r.air = EnteringAir{c.airDryBulb, 0, 0};
    r.waterIn = c.waterIn;
    r.leavingWaterGiven = true;
    r.waterOut = c.waterOut;
    r.glycolPercent = glycolPercent;
    r.staticPressure = staticPressure;
    r.fourPipe = fourPipe;
    return r;
}

std::string fourPipeHeatingCoilOf(const std::string& unit)
{
    if (!nameEndsWith(unit, "+4P"))
        return {};
    return unit.substr(0, unit.size() - 3) + " 4P";
}

const char* dutyName(Duty duty)
{
    for (const auto& [value, name] : kDutyNames)
        if (value == duty)
            return name;
    return "";
}

std::optional<Duty> dutyFromName(const std::string& text)
{
    for (const auto& [value, name] : kDutyNames)
        if (text == name)
            return value;
    return std::nullopt;
}

const char* reasonName(NotListedReason reason)
{
    for (const ReasonNames& entry : kReasonNames)
        if (entry.reason == reason)
            return entry.name;
    return "";
}

std::optional<NotListedReason> reasonFromName(const std::string& text)
{
    for (const ReasonNames& entry : kReasonNames)
        if (text == entry.name)
            return entry.reason;
    return std::nullopt;
}

std::string reasonDescription(NotListedReason reason)
{
    for (const ReasonNames& entry : kReasonNames)
        if (entry.reason == reason)
            return entry.description;
    return {};
}

std::string describeNoFit(const ProjectItem& item)
{
    if (!item.noFit)
        return {};
    const NoFit& fit = *item.noFit;
    if (fit.runError != 0)
        return "the selection run failed with run-time error " + std::to_string(fit.runError);
    std::string text = "no model meets the ";
    switch (fit.duty) {
    case Duty::TotalCooling:
        text += "total cooling of " + watts(item.cooling ? item.cooling->required_W : 0);
        break;
    case Duty::SensibleCooling:
        text += "sensible cooling of " + watts(item.cooling ? item.cooling->requiredSensible_W.value_or(0) : 0);
        break;
    case Duty::Heating:
        text += "heating of " + watts(item.heating ? item.heating->required_W : 0);
        break;
    }
    if (fit.reason) {
        text += ": " + reasonDescription(*fit.reason);
        if (*fit.reason == NotListedReason::OutsideCapacityBand)
            text += " (largest " + watts(fit.bestCapacity_W) + ")";
    }
    return text;
}

} // namespace tarvello
