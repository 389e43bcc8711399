#pragma once
// Hand-made model tables for the tests of the selection run, so that they do not follow
// changes of the shipped range: a small fan coil line (three geometries, a "+4P" unit and
// its " 4P" coil) and ducted lines whose fans follow P = C_s − 1e-4·Q², and the design
// conditions of both modes as run requests.

#include "engine/coil_constants.h"
#include "engine/model_table.h"
#include "selection/run_request.h"
#include "selection/run_result.h"

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace tarvello::testing {

// The fan coil line in the form of the model database's rows.
inline constexpr const char* kSampleFanCoils[] = {
    // Modello, Geom, Passo, LunBat, AltBAt, NR, NC, V1A, V1B, V1C, V2A, V2B, V2C, V3A, V3B, V3C,
    // F1C100, F1C30, C1C30, F2C100, F2C30, C2C30, F3C100, F3C30, C3C30, CC50, LWA1..3, LPA1..3
    "KXA 20,1,2,500,200,3,2,-0.0005207,0.02,30,-0.0003875,0.02,38,-0.0002953,0.02,46,"
    "0.18,33.8,31,0.15,34.9,32,0.12,36,33,1.5,36,43,50,27,34,41",
    "KXA 30,1,3,700,200,3,2,-0.0003025,0.02,32,-0.0002153,0.02,40,-0.0001672,0.02,50,"
    "0.18,35.7,32.9,0.15,36.9,33.9,0.12,38,35,1.6,39,46,53,30,37,44",
    "KXE 40,2,2,900,250,3,3,-0.0001505,0.02,36,-0.0001137,0.02,46,-8.79e-05,0.02,56,"
    "0.18,8.1,7.5,0.15,8.3,7.8,0.12,8.6,8,1.7,42,49,56,33,40,47",
    "KXH 50,3,3,1100,300,3,4,-8.75e-05,0.02,40,-6.621e-05,0.02,52,-4.993e-05,0.02,64,"
    "0.18,48.9,45.1,0.15,50.4,46.6,0.12,52,48,1.8,45,52,59,36,43,50",
    "KXH 60+4P,3,2,1300,350,3,5,-5.537e-05,0.02,45,-4.138e-05,0.02,58,-3.185e-05,0.02,72,"
    "0.18,50.8,47,0.15,52.4,48.5,0.12,54,50,1.9,48,55,62,39,46,53",
    "KXH 60 4P,1,3,1300,350,1,1,-5.537e-05,0.02,45,-4.138e-05,0.02,58,-3.185e-05,0.02,72,"
    "0.18,41.4,39.5,0.15,42.7,40.7,0.12,44,42,2,48,55,62,39,46,53",
};

inline std::vector<std::string> splitFields(const std::string& row)
{
    std::vector<std::string> fields;
    std::stringstream in(row);
    std::string field;
    while (std::getline(in, field, ','))
        fields.push_back(field);
    return fields;
}

// The sample fan coil line as its loader would fill the model table.
inline ModelTable sampleFanCoilLine()
{
    ModelTable t;
    int m = 0;
    for (const char* row : kSampleFanCoils) {
        const std::vector<std::string> f = splitFields(row);
        const auto number = [&](int i) { return std::stof(f.at(size_t(i))); };
        ++m;
        t.Modello[m] = f[0];
        t.Geom[m] = static_cast<int16_t>(number(1));
        t.Passo[m] = static_cast<int16_t>(number(2));
        t.LunBat[m] = number(3);
        t.AltBAt[m] = number(4);
        t.NR[m] = number(5);
        t.NC[m] = number(6);
        for (int speed = 1; speed <= 3; ++speed) {
            t.VelA[m][speed] = number(7 + 3 * (speed - 1));
            t.VelB[m][speed] = number(8 + 3 * (speed - 1));
            t.VelC[m][speed] = number(9 + 3 * (speed - 1));
            t.LWA[m][speed] = number(25 + speed);
            t.LPA[m][speed] = number(28 + speed);
        }
        t.C100[m] = number(16);
        t.FC30[m] = number(17);
        t.CC30[m] = number(18);
        t.F2C100[m] = number(19);
        t.F2C30[m] = number(20);
        t.C2C30[m] = number(21);
        t.F3C100[m] = number(22);
        t.F3C30[m] = number(23);
        t.C3C30[m] = number(24);
        t.FCC50[m] = number(25);
    }
    t.NumModels = static_cast<int16_t>(m);
    t.line = LineKX;
    return t;
}

// The coil constants of `line`, as loading it sets them.
inline CoilConstants constantsOf(int line)
{
    CoilConstants constants;
    ImpostaCoefficienti(line, constants);
    return constants;
}

// --- the hand-made ducted lines -----------------------------------------------------------

inline constexpr double kFanSlope = 1e-4; // Pa per (m³/h)²: P = C − 1e-4·Q²
// Fan curve offsets per speed 1 .. 7, Pa.
inline constexpr std::array<float, 8> kFanOffsets{0, 120, 160, 200, 220, 240, 260, 280};
inline constexpr int kOutlets = 4;
inline constexpr double kOutletArea = kOutlets * 0.0314; // m²
inline constexpr double kSection = 0.09;                 // m²
// Accessory row 2 (MRZ): 3·v² through the outlets; row 1 (HJQ): 4.2·v^1.8 through the section.
inline constexpr double kMrzCost = 3.0;
inline constexpr double kHjqCost = 4.2;
inline constexpr double kHjqExponent = 1.8;

// An empty ducted line of `line` (LineMRZ or LineHJQ) with both accessory rows.
inline ModelTable handMadeDuctedLine(ProductLine line)
{
    ModelTable t;
    t.line = line;
    t.SeriesCode = productLine(line).seriesCode;
    t.NumAccessories = 2;
    t.Cost[1] = float(kHjqCost);
    t.Espo[1] = float(kHjqExponent);
    t.OPZBoc[1] = "N";
    t.Cost[2] = float(kMrzCost);
    t.Espo[2] = 2;
    t.OPZBoc[2] = "S";
    return t;
}

// Adds a model with the coil of the shipped KXR 100 and the fan curve C_s − 1e-4·Q².
inline int addDuctedModel(ModelTable& t, const std::string& name, std::array<float, 8> offsets = kFanOffsets)
{
    const int m = ++t.NumModels;
    t.Modello[m] = name;
    t.Geom[m] = 3;
    t.Passo[m] = 1;
    t.LunBat[m] = 900;
    t.AltBAt[m] = 300;
    t.NR[m] = 3;
    t.NC[m] = 3;
    for (int s = 1; s <= kMaxSpeeds; ++s) {
        t.VelA[m][s] = float(-kFanSlope);
        t.VelB[m][s] = 0;
        t.VelC[m][s] = offsets[size_t(s)];
        t.LWA[m][s] = 50.0f + float(s);
    }
    t.C100[m] = 0.15f;
    t.FC30[m] = 56;
    t.CC30[m] = 51;
    t.FCC50[m] = 1.8f;
    t.CCC50[m] = 1.7f;
    t.Sezione[m] = float(kSection);
    t.Bocche[m] = kOutlets;
    return m;
}

// The quadratic law of the MRZ outlets: total slope of fan and accessory, Pa per (m³/h)².
inline double mrzSlope()
{
    const double perHourArea = 3600.0 * kOutletArea;
    return kFanSlope + kMrzCost / (perHourArea * perHourArea);
}

// --- requests -----------------------------------------------------------------------------

inline constexpr double kSecondsPerHour = 3600.0;

// The design conditions: cooling 27 °C / 47 % (about 19 °C wet bulb), water 7 -> 12 °C;
// heating 20 °C, water 45 -> 40 °C. No band, no pressure.
inline RunRequest designRequest(int line, int mode, int speed)
{
    RunRequest r;
    r.line = line;
    r.mode = mode;
    r.speed = speed;
    if (mode == ModeCooling) {
        r.air = enteringAirFromHumidity(27, 47);
        r.waterIn = 7;
        r.waterOut = 12;
    } else {
        r.air = {20, 0, 0};
        r.waterIn = 45;
        r.waterOut = 40;
    }
    return r;
}

// A ducted request with the external static pressure given.
inline RunRequest ductedAtPressure(int line, float pa, int speed, int mode = ModeCooling, bool fourPipe = false)
{
    RunRequest r = designRequest(line, mode, speed);
    r.staticPressure = pa;
    r.fourPipe = fourPipe;
    return r;
}

// A ducted request with the air flow given, m³/h.
inline RunRequest ductedAtAirFlow(int line, double m3h, int speed, int mode = ModeCooling)
{
    RunRequest r = designRequest(line, mode, speed);
    r.totalAirFlow = float(m3h / kSecondsPerHour);
    return r;
}

// The names of the listed models of a run, in their order.
inline std::vector<std::string> listedNames(const RunResult& result)
{
    std::vector<std::string> names;
    for (const ModelOutcome* model : result.listed())
        names.push_back(model->name);
    return names;
}

} // namespace tarvello::testing
