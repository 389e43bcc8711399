#pragma once
// Texts of a run for the tests' messages and the fixture: the name of an outcome and the
// inputs of a request.

#include "selection/run_request.h"
#include "selection/run_result.h"

#include <optional>
#include <sstream>
#include <string>

namespace tarvello::testing {

inline const char* outcomeName(const std::optional<NotListedReason>& reason)
{
    if (!reason)
        return "listed";
    switch (*reason) {
    case NotListedReason::OtherMode: return "OtherMode";
    case NotListedReason::HeatingOnly: return "HeatingOnly";
    case NotListedReason::FourPipeChoice: return "FourPipeChoice";
    case NotListedReason::FreeBlow: return "FreeBlow";
    case NotListedReason::QuarterFreeDelivery: return "QuarterFreeDelivery";
    case NotListedReason::NegativePressure: return "NegativePressure";
    case NotListedReason::NoCoolingLaw: return "NoCoolingLaw";
    case NotListedReason::OutsideCapacityBand: return "OutsideCapacityBand";
    case NotListedReason::NoOperatingPoint: return "NoOperatingPoint";
    case NotListedReason::ImplausibleResult: return "ImplausibleResult";
    }
    return "unknown reason";
}

// Every input of `r`, in SI units, on one line.
inline std::string describeRequest(const RunRequest& r)
{
    std::ostringstream out;
    out.precision(9);
    out << "line " << r.line << ", " << (r.cooling() ? "cooling" : "heating") << ", speed " << r.speed << ", air "
        << r.air.dryBulb << " °C";
    if (r.cooling())
        out << " / " << r.air.relativeHumidity << " % / wet bulb " << r.air.wetBulb << " °C";
    out << ", water in " << r.waterIn << " °C, ";
    if (r.leavingWaterGiven)
        out << "out " << r.waterOut << " °C";
    else
        out << "flow " << r.waterFlow << " m³/s";
    out << ", glycol " << r.glycolPercent << " %, band " << r.band.minimum << " .. " << r.band.maximum
        << " W, static pressure " << r.staticPressure << " Pa, air flow " << r.totalAirFlow << " m³/s";
    if (r.streams)
        out << ", streams: return " << r.streams->returnShare << " % at " << r.streams->returnDryBulb << " °C / "
            << r.streams->returnHumidity << " %, fresh " << r.streams->freshShare << " % at "
            << r.streams->freshDryBulb << " °C / " << r.streams->freshHumidity << " %";
    out << (r.fourPipe ? ", 4-pipe box" : "");
    return out.str();
}

} // namespace tarvello::testing
