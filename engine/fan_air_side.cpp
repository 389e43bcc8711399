#include "engine/fan_air_side.h"

#include "engine/arithmetic.h"

#include <charconv>
#include <cmath>

namespace tarvello {

namespace {

constexpr float kFanPressureTolerance_Pa = 0.001f;
constexpr double kExternalPressureTolerance_Pa = 0.01;

// Pressure less Cost·v^Espo of accessory row `row`; v through the outlets or the section.
double accessoryDrop(double pressure, int model, double q_m3s, int row, const ModelTable& table)
{
    const bool throughSpigots = table.OPZBoc.at(row) == "S";
    const double area = throughSpigots ? table.Bocche.at(model) * kSpigotArea_m2 : table.Sezione.at(model);
    const double velocity = Divide(q_m3s, area);
    return pressure - table.Cost.at(row) * Power(velocity, table.Espo.at(row));
}

double externalPressure(double q_m3h, int speed, int model, int withAccessory,
                        const AccessoryConditions& conditions, const ModelTable& table)
{
    const double p = FanPressure(q_m3h, speed, model, table);
    if (withAccessory != 1)
        return p;
    switch (productLineOfSeries(table.SeriesCode).id) {
    case LineMRZ: return AccessoryDropMrz(p, model, q_m3h / 3600.0, table);
    case LineHJQ: return AccessoryDropHjq(p, model, q_m3h / 3600.0, conditions, table);
    default: return p;
    }
}

} // namespace

double FanPressure(double q_m3h, int speed, int model, const ModelTable& table)
{
    const double a = table.VelA.at(model).at(speed);
    const double b = table.VelB.at(model).at(speed);
    const double c = table.VelC.at(model).at(speed);
    const double p = a * q_m3h * q_m3h + b * q_m3h + c;
    if (!std::isfinite(p))
        throw ArithmeticError(kOverflow);
    return p;
}

std::optional<float> FanFlowAtPressure(double pressure, int speed, int model, const ModelTable& table)
{
    // Upper end: the first flow of the scan at which the curve has fallen below zero.
    double upper = kFanScanEnd_m3h;
    for (float q = kFanScanStart_m3h; q <= kFanScanEnd_m3h; q += kFanScanStep_m3h) {
        if (FanPressure(q, speed, model, table) < 0) {
            upper = q;
            break;
        }
    }
    double lower = 0;
    const float target = ToSingle(pressure);
    for (int step = 0; step < kFanSearchSteps; ++step) {
        const double mid = (upper + lower) / 2.0;
        const double p = FanPressure(mid, speed, model, table);
        // Compared in single precision so the search stops on the same step everywhere.
        if (std::fabs(static_cast<double>(target) - ToSingle(p)) < kFanPressureTolerance_Pa)
            return ToSingle(mid);
        if (p <= pressure)
            upper = mid;
        else
            lower = mid;
    }
    return std::nullopt;
}

std::optional<float> FanFlowAtExternalPressure(double pressure, int speed, int model, int withAccessory,
                                               const AccessoryConditions& conditions, const ModelTable& table)
{
    double lower = 0;
    double upper = kExternalPressureSearchTop_m3h;
    for (int step = 0; step < kFanSearchSteps; ++step) {
        const double mid = (upper + lower) / 2.0;
        const double p = externalPressure(mid, speed, model, withAccessory, conditions, table);
        if (std::fabs(pressure - p) < kExternalPressureTolerance_Pa)
            return ToSingle(mid);
        if (p <= pressure)
            upper = mid;
        else
            lower = mid;
    }
    return std::nullopt;
}

double AccessoryDropMrz(double pressure, int model, double q_m3s, const ModelTable& table)
{
    return accessoryDrop(pressure, model, q_m3s, 2, table);
}

double AccessoryDropHjq(double pressure, int model, double q_m3s, const AccessoryConditions& conditions,
                        const ModelTable& table)
{
    if (!(conditions.heating && conditions.additionalCoil))
        return pressure;
    return accessoryDrop(pressure, model, q_m3s, 1, table);
}

float TextToNumber(std::string& text)
{
    if (text < "0")
        text.assign(1, '0');
    std::string number = text;
    while (!number.empty() && number.back() == ' ')
        number.pop_back();
    if (const auto comma = number.find(','); comma != std::string::npos)
        number[comma] = '.';
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [ptr, ec] = std::from_chars(number.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || std::fabs(value) > 3.4e38)
        return 0.0f;
    return static_cast<float>(value);
}

} // namespace tarvello
