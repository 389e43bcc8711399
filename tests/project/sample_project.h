#pragma once
// Projects and lines for the project tests: a hand-made project holding every kind of item,
// and the shipped lines from the program folder's model database.

#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "project/line_library.h"
#include "project/durable_file.h"
#include "project/project.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace tarvello::testing_support {

// A rated outcome with the given figures.
inline ModelOutcome ratedOutcome(const std::string& name, float capacity, float sensible, double waterFlow)
{
    ModelOutcome m;
    m.name = name;
    m.rating.Capacity = capacity;
    m.rating.SensibleCapacity = sensible;
    m.rating.WaterFlow = waterFlow;
    m.rating.WaterOut = 12.0f;
    m.rating.WaterPressureDrop = 10.052006f;
    m.rating.Reynolds = 5685.028f;
    m.rating.AirFlow = 0.09316635f;
    m.rating.AirOut = 12.03239f;
    m.rating.AirOutEnthalpy = 34.055416f;
    m.air.airFlow = 0.09316635f;
    m.air.referenceFlow = 0.06927702f;
    m.soundPower = 45.0f;
    m.soundPressure = 36.5f;
    return m;
}

// Two chosen items (a 2-pipe fan coil, a 4-pipe one with its " 4P" coil), a ducted unit
// with air streams and a room without a fit.
inline Project sampleProject()
{
    Project p;
    p.info = {"Via Roma 12", "Milano", "Studio Bianchi", "Ref 2026/17", "A. Rossi", "2026-12-07", "Tender, \"issue\" 2"};
    p.defaults.fourPipeHeating = {21, 70, 60};
    ProjectItem a;
    a.tag = "FC-0.01";
    a.room = "Reception, ground floor";
    a.quantity = 2;
    a.model = "KXA 30";
    a.cooling = DutyRecord{2100, 1500.5f, coolingRequest(LineKX, 2, {}, 0, 0), ratedOutcome("KXA 30", 2310, 1620, 0.00011029216945119627)};
    a.heating = DutyRecord{2200, std::nullopt, heatingRequest(LineKX, 2, {}, 0, 0, false),
                           ratedOutcome("KXA 30", 2230, 0, 0.000107)};
    ProjectItem b;
    b.tag = "FC-2.02";
    b.room = "Boardroom";
    b.speed = 3;
    b.model = "KXH 40+4P";
    b.cooling = DutyRecord{2000, std::nullopt, coolingRequest(LineKX, 3, {26, 48, 7, 12}, 10, 0),
                           ratedOutcome("KXH 40+4P", 3050, 2130, 0.000145)};
    b.heating = DutyRecord{3500, std::nullopt, heatingRequest(LineKX, 3, {21, 70, 60}, 10, 0, true),
                           ratedOutcome("KXH 40 4P", 3800, 0, 0.000093)};
    b.heating->rated->rating.Reynolds = 1800; // laminar
    ProjectItem c;
    c.tag = "KXR-3.01";
    c.room = "Open plan";
    c.line = LineMRZ;
    c.model = "KXR 800";
    RunRequest ducted = coolingRequest(LineMRZ, 2, {}, 0, 50);
    ducted.streams = AirStreams{80, 26, 50, 20, 32, 45};
    ducted.leavingWaterGiven = false;
    ducted.waterFlow = 0.0004;
    c.cooling = DutyRecord{9000, 6500, ducted, ratedOutcome("KXR 800", 10140, 7010, 0.000483)};
    ProjectItem d;
    d.tag = "FC-4.01";
    d.room = "Atrium";
    d.cooling = DutyRecord{12000, std::nullopt, coolingRequest(LineKX, 2, {}, 0, 0), std::nullopt};
    d.noFit = NoFit{Duty::TotalCooling, NotListedReason::OutsideCapacityBand, 10530, 0};
    p.items = {a, b, c, d};
    return p;
}

inline std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A private folder for one test's files, removed with them.
class TempFolder {
public:
    TempFolder()
    {
        char pattern[] = "/tmp/tarvello_project_test_XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The shipped model database of the program folder, when it has been built.
inline bool shippedDatabaseAvailable()
{
    std::ifstream in(std::string(TARVELLO_APP_DIR) + "/tarvello.mdb");
    return bool(in);
}

// Loads a shipped line from the open model database.
inline void loadShippedLine(ModelTable& table, int line)
{
    switch (line) {
    case LineKX: CaricaDatiKORVE(table, ModelDb()); break;
    case LineMRZ: CaricaDatiMRZ(table, ModelDb()); break;
    default: CaricaDatiHJQ(table, ModelDb()); break;
    }
}

} // namespace tarvello::testing_support
