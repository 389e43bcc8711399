#pragma once
// Fan and air side: each model's fan curve per speed (available pressure in Pa as a
// quadratic in the air flow in m³/h), the air flow at a required pressure, and the pressure
// drops of the accessories of the ducted lines.

#include "engine/model_table.h"

#include <optional>
#include <string>

namespace tarvello {

// Step limits and scan of the fan searches.
inline constexpr int kFanSearchSteps = 20;
inline constexpr float kFanScanStart_m3h = 100.0f;
inline constexpr float kFanScanEnd_m3h = 2000.0f;
inline constexpr float kFanScanStep_m3h = 50.0f;
inline constexpr float kExternalPressureSearchTop_m3h = 5000.0f;
inline constexpr double kSpigotArea_m2 = 0.0314; // one circular outlet

// Available pressure, Pa, of model `model` at speed `speed` for an air flow of q m³/h.
double FanPressure(double q_m3h, int speed, int model, const ModelTable& table = modelTable());

// Air flow, m³/h, at which the fan curve gives `pressure` Pa; empty when not found.
std::optional<float> FanFlowAtPressure(double pressure, int speed, int model,
                                       const ModelTable& table = modelTable());

// What decides whether the additional coil of the HJQ line is fitted: the window's mode is
// heating and its check box chkDF is ticked.
struct AccessoryConditions {
    bool heating = false;
    bool additionalCoil = false; // chkDF
};

// Air flow, m³/h, at which the fan curve less the line's accessory drop (withAccessory 1)
// gives `pressure` Pa; empty when not found.
std::optional<float> FanFlowAtExternalPressure(double pressure, int speed, int model, int withAccessory,
                                               const AccessoryConditions& conditions = {},
                                               const ModelTable& table = modelTable());

// Pressure, Pa, less the drop of accessory row 2 (MRZ line) at an air flow of q m³/s.
double AccessoryDropMrz(double pressure, int model, double q_m3s, const ModelTable& table = modelTable());
// Pressure, Pa, less the drop of accessory row 1 (HJQ line) when the additional coil is
// fitted; otherwise the pressure unchanged.
double AccessoryDropHjq(double pressure, int model, double q_m3s, const AccessoryConditions& conditions,
                        const ModelTable& table = modelTable());

// The number in a water field. A text that sorts before "0" (empty, or starting with a
// minus sign, blank, plus sign or point) is replaced by "0" in the caller's text. A text
// that is not a number gives 0. The decimal separator may be "." or ",".
float TextToNumber(std::string& text);

} // namespace tarvello
