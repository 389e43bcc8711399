#include "tools/calibrate/catalogue.h"

#include "tools/calibrate/calibration.h"
#include "tools/calibrate/standard_rating.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace tarvello::catalogue {

namespace {

constexpr double kLitresPerHourPerM3s = 3600.0 * 1000.0;
const char* const kNone = "—";

std::string format(const char* mask, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, mask, value);
    return buffer;
}

const char* lineTitle(int line)
{
    switch (line) {
    case LineKX: return "Line 0: KXA, KXE and KXH fan coils (DatiKORVE)";
    case LineMRZ: return "Line 1: KXR ducted units (DatiMRZ, accessories DPAcc)";
    default: return "Line 2: KXN ducted units (DatiHJQ, accessories DPAccHJQ)";
    }
}

std::optional<RatingResult> rated(const ModelRating& r)
{
    return r.outcome == Outcome::Rated ? std::optional<RatingResult>(r.result) : std::nullopt;
}

struct Range {
    double low = 0, high = 0;
    std::string lowModel, highModel;
    void add(double value, const std::string& model)
    {
        if (lowModel.empty() || value < low) {
            low = value;
            lowModel = model;
        }
        if (highModel.empty() || value > high) {
            high = value;
            highModel = model;
        }
    }
    std::string text() const
    {
        if (lowModel.empty())
            return kNone;
        return format("%.0f W", low) + " (" + lowModel + ") to " + format("%.0f W", high) + " (" + highModel + ")";
    }
};

std::string heatingWaterText(const std::string& model)
{
    return isFourPipeHeatingCoil(model) ? "70/60" : "45/40";
}

} // namespace

std::string lineSection(const ModelTable& t)
{
    const CoilConstants k = constantsOf(t.line);
    const float pressure = cataloguePressure(t.line);
    const int speeds = speedCountOf(t.line);
    const bool kx = t.line == LineKX;
    std::string out = std::string("## ") + lineTitle(t.line) + "\n\n";
    out += kx ? "Fan at 0 Pa static pressure (free blow).\n\n"
              : format("External static pressure %.0f Pa", pressure)
                    + (t.line == LineMRZ ? ", outlet plenum (accessory row 2) fitted.\n\n"
                                         : "; the 4-pipe heating coils with the additional coil (accessory row 1).\n\n");
    out += "| Model | Speed | Air m³/h | Cooling W | Sensible W | Sensible share | Water l/h | Water kPa "
           "| Heating water °C | Heating W | Water l/h | Water kPa | LWA dB(A) |";
    out += kx ? " LPA dB(A) |\n" : "\n";
    out += "|---|---|---|---|---|---|---|---|---|---|---|---|---|";
    out += kx ? "---|\n" : "\n";
    Range cooling, heating;
    for (int m = 1; m <= t.NumModels; ++m) {
        const std::string& name = t.Modello[m];
        const bool coil = isFourPipeHeatingCoil(name);
        for (int s = 1; s <= speeds; ++s) {
            const ModelRating c = rateModel(t, k, m, s, standardCooling(pressure));
            const ModelRating h = rateModel(t, k, m, s,
                                            coil ? standardHeating(pressure, 70, 60, true)
                                                 : standardHeating(pressure, 45, 40, false));
            const auto cr = rated(c);
            const auto hr = rated(h);
            const float air = cr ? cr->AirFlow * 3600.0f : hr ? hr->AirFlow * 3600.0f : 0.0f;
            out += "| " + name + " | " + std::to_string(s) + " | " + (air > 0 ? format("%.0f", air) : kNone) + " | ";
            if (cr) {
                out += format("%.0f", cr->Capacity) + " | " + format("%.0f", cr->SensibleCapacity) + " | "
                       + format("%.2f", cr->SensibleCapacity / cr->Capacity) + " | "
                       + format("%.0f", cr->WaterFlow * kLitresPerHourPerM3s) + " | "
                       + format("%.1f", cr->WaterPressureDrop) + " | ";
                cooling.add(cr->Capacity, name);
            } else {
                out += std::string(kNone) + " | " + kNone + " | " + kNone + " | " + kNone + " | " + kNone + " | ";
            }
            if (hr) {
                out += heatingWaterText(name) + " | " + format("%.0f", hr->Capacity) + " | "
                       + format("%.0f", hr->WaterFlow * kLitresPerHourPerM3s) + " | "
                       + format("%.1f", hr->WaterPressureDrop) + " | ";
                heating.add(hr->Capacity, name);
            } else {
                out += std::string(kNone) + " | " + kNone + " | " + kNone + " | " + kNone + " | ";
            }
            out += format("%.0f", t.LWA[m][s]) + " |";
            out += kx ? " " + format("%.0f", t.LPA[m][s]) + " |\n" : "\n";
        }
    }
    out += "\nCooling from " + cooling.text() + "; heating from " + heating.text() + ".\n\n";
    return out;
}

std::string catalogueText(const ModelTable& kx, const ModelTable& mrz, const ModelTable& hjq)
{
    std::string out = "# Tarvello product range\n\n"
                      "Generated from the shipped model data by `calibrate catalogue` (tools/calibrate); "
                      "do not edit by hand. Every value is the rating engine's own, with the preparation "
                      "of the selection windows.\n\n"
                      "- Cooling: entering air 27 °C dry bulb, 19 °C wet bulb; water 7 °C in, 12 °C out.\n"
                      "- Heating: entering air 20 °C; water 45 °C in, 40 °C out (2-pipe units and heating-only "
                      "units), 70 °C in, 60 °C out (the heating coil of a 4-pipe unit, the \" 4P\" rows, rated "
                      "with the 4-pipe box checked).\n"
                      "- \"+4P\" rows are the main coil of a 4-pipe unit (cooling only); \"DF\" rows are "
                      "heating-only units; a dash marks a duty the selection does not rate for the row.\n"
                      "- Capacities rounded to tens of watts as the selection shows them; water flow in l/h; "
                      "sound power LWA (and sound pressure LPA for the fan coils) per speed.\n\n";
    out += lineSection(kx);
    out += lineSection(mrz);
    out += lineSection(hjq);
    return out;
}

} // namespace tarvello::catalogue
