#include "project/project_file.h"

#include "project/durable_file.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>

namespace tarvello {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kMaxQuantity = 9999;

// A float as the shortest decimal that reads back as the same float, so that the file
// shows "0.1" rather than "0.10000000149011612".
double jsonFloat(float value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

// --- writing ------------------------------------------------------------------------------

Json requestJson(const RunRequest& r)
{
    Json j;
    j["air_dry_bulb_C"] = jsonFloat(r.air.dryBulb);
    j["air_relative_humidity_pct"] = jsonFloat(r.air.relativeHumidity);
    j["air_wet_bulb_C"] = jsonFloat(r.air.wetBulb);
    j["water_in_C"] = jsonFloat(r.waterIn);
    j["water_given"] = r.leavingWaterGiven ? "leaving_temperature" : "flow";
    j["water_out_C"] = jsonFloat(r.waterOut);
    j["water_flow_m3s"] = r.waterFlow;
    j["glycol_pct"] = jsonFloat(r.glycolPercent);
    j["static_pressure_Pa"] = jsonFloat(r.staticPressure);
    j["air_flow_m3s"] = jsonFloat(r.totalAirFlow);
    j["capacity_band_W"] = Json::array({jsonFloat(r.band.minimum), jsonFloat(r.band.maximum)});
    j["four_pipe"] = r.fourPipe;
    if (r.streams) {
        const AirStreams& s = *r.streams;
        j["air_streams"] = {{"return_pct", jsonFloat(s.returnShare)},
                            {"return_dry_bulb_C", jsonFloat(s.returnDryBulb)},
                            {"return_relative_humidity_pct", jsonFloat(s.returnHumidity)},
                            {"fresh_pct", jsonFloat(s.freshShare)},
                            {"fresh_dry_bulb_C", jsonFloat(s.freshDryBulb)},
                            {"fresh_relative_humidity_pct", jsonFloat(s.freshHumidity)}};
    }
    return j;
}

Json ratedJson(const ModelOutcome& m)
{
    const RatingResult& r = m.rating;
    Json j;
    j["coil"] = m.name;
    j["capacity_W"] = jsonFloat(r.Capacity);
    j["sensible_capacity_W"] = jsonFloat(r.SensibleCapacity);
    j["water_flow_m3s"] = r.WaterFlow;
    j["water_out_C"] = jsonFloat(r.WaterOut);
    j["water_pressure_drop_kPa"] = jsonFloat(r.WaterPressureDrop);
    j["reynolds"] = jsonFloat(r.Reynolds);
    j["air_flow_m3s"] = jsonFloat(r.AirFlow);
    j["air_out_C"] = jsonFloat(r.AirOut);
    j["air_out_enthalpy_kJkg"] = jsonFloat(r.AirOutEnthalpy);
    j["dry_coil"] = r.DryCoil;
    j["fan_air_flow_m3s"] = jsonFloat(m.air.airFlow);
    j["reference_air_flow_m3s"] = jsonFloat(m.air.referenceFlow);
    j["available_pressure_Pa"] = jsonFloat(m.air.availablePressure);
    j["pressure_capped"] = m.air.pressureCapped;
    j["sound_power_dBA"] = jsonFloat(m.soundPower);
    j["sound_pressure_dBA"] = jsonFloat(m.soundPressure);
    return j;
}

Json dutyJson(const DutyRecord& d)
{
    Json j;
    j["required_W"] = jsonFloat(d.required_W);
    if (d.requiredSensible_W)
        j["required_sensible_W"] = jsonFloat(*d.requiredSensible_W);
    j["request"] = requestJson(d.request);
    if (d.rated)
        j["rated"] = ratedJson(*d.rated);
    return j;
}

Json itemJson(const ProjectItem& item)
{
    Json j;
    j["tag"] = item.tag;
    j["room"] = item.room;
    j["quantity"] = item.quantity;
    j["line"] = lineCode(item.line);
    j["speed"] = item.speed;
    j["model"] = item.model;
    if (item.cooling)
        j["cooling"] = dutyJson(*item.cooling);
    if (item.heating)
        j["heating"] = dutyJson(*item.heating);
    if (item.noFit) {
        Json fit;
        fit["duty"] = dutyName(item.noFit->duty);
        fit["reason"] = item.noFit->reason ? Json(reasonName(*item.noFit->reason)) : Json(nullptr);
        fit["best_capacity_W"] = jsonFloat(item.noFit->bestCapacity_W);
        fit["run_error"] = item.noFit->runError;
        j["no_fit"] = fit;
    }
    return j;
}

Json coolingConditionsJson(const CoolingConditions& c)
{
    return {{"air_dry_bulb_C", jsonFloat(c.airDryBulb)},
            {"air_relative_humidity_pct", jsonFloat(c.airHumidity)},
            {"water_in_C", jsonFloat(c.waterIn)},
            {"water_out_C", jsonFloat(c.waterOut)}};
}

Json heatingConditionsJson(const HeatingConditions& c)
{
    return {{"air_dry_bulb_C", jsonFloat(c.airDryBulb)},
            {"water_in_C", jsonFloat(c.waterIn)},
            {"water_out_C", jsonFloat(c.waterOut)}};
}

Json defaultsJson(const DesignConditions& d)
{
    Json j;
    j["line"] = lineCode(d.line);
    j["speed"] = d.speed;
    j["cooling"] = coolingConditionsJson(d.cooling);
    j["heating"] = heatingConditionsJson(d.heating);
    j["four_pipe_heating"] = heatingConditionsJson(d.fourPipeHeating);
    j["glycol_pct"] = jsonFloat(d.glycolPercent);
    j["static_pressure_Pa"] = jsonFloat(d.staticPressure);
    return j;
}

Json infoJson(const ProjectInfo& p)
{
    return {{"name", p.name},           {"site", p.site},         {"customer", p.customer},
            {"reference", p.reference}, {"engineer", p.engineer}, {"date", p.date},
            {"notes", p.notes}};
}

// --- reading ------------------------------------------------------------------------------

// Reads the values of one JSON object, naming the file and the place of a missing or
// wrong value in its message.
class ObjectReader {
public:
    ObjectReader(const Json& object, std::string where, const std::string& fileName)
        : object_(object), where_(std::move(where)), fileName_(fileName)
    {
        if (!object_.is_object())
            fail(where_ + " is not an object");
    }

    [[noreturn]] void fail(const std::string& what) const
    {
        throw ProjectFileError("The project file '" + fileName_ + "' is damaged: " + what + ".");
    }

    bool has(const char* key) const { return object_.contains(key); }

    const Json& value(const char* key) const
    {
        if (!object_.contains(key))
            fail(place(key) + " is missing");
        return object_.at(key);
    }

    ObjectReader child(const char* key) const { return ObjectReader(value(key), place(key), fileName_); }

    std::string text(const char* key) const
    {
        const Json& v = value(key);
        if (!v.is_string())
            fail(place(key) + " is not a text");
        return v.get<std::string>();
    }

    bool flag(const char* key) const
    {
        const Json& v = value(key);
        if (!v.is_boolean())
            fail(place(key) + " is not true or false");
        return v.get<bool>();
    }

    int integer(const char* key, int low, int high) const
    {
        const Json& v = value(key);
        if (!v.is_number_integer() || v.get<long long>() < low || v.get<long long>() > high)
            fail(place(key) + " must be a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        return int(v.get<long long>());
    }

    double real(const char* key) const
    {
        const Json& v = value(key);
        if (!v.is_number() || !std::isfinite(v.get<double>()))
            fail(place(key) + " is not a number");
        return v.get<double>();
    }

    float single(const char* key) const
    {
        const double v = real(key);
        if (std::fabs(v) > double(std::numeric_limits<float>::max()))
            fail(place(key) + " is too large");
        return float(v);
    }

    std::string place(const char* key) const { return where_ + "." + key; }
    const std::string& where() const { return where_; }
    const std::string& fileName() const { return fileName_; }

private:
    const Json& object_;
    std::string where_;
    const std::string& fileName_;
};

RunRequest readRequest(const ObjectReader& o, int line, int speed, int mode)
{
    RunRequest r;
    r.line = line;
    r.speed = speed;
    r.mode = mode;
    r.air = EnteringAir{o.single("air_dry_bulb_C"), o.single("air_relative_humidity_pct"), o.single("air_wet_bulb_C")};
    r.waterIn = o.single("water_in_C");
    const std::string given = o.text("water_given");
    if (given != "leaving_temperature" && given != "flow")
        o.fail(o.place("water_given") + " must be \"leaving_temperature\" or \"flow\"");
    r.leavingWaterGiven = given == "leaving_temperature";
    r.waterOut = o.single("water_out_C");
    r.waterFlow = o.real("water_flow_m3s");
    r.glycolPercent = o.single("glycol_pct");
    r.staticPressure = o.single("static_pressure_Pa");
    r.totalAirFlow = o.single("air_flow_m3s");
    const Json& band = o.value("capacity_band_W");
    if (!band.is_array() || band.size() != 2 || !band[0].is_number() || !band[1].is_number())
        o.fail(o.place("capacity_band_W") + " is not a pair of numbers");
    r.band = CapacityBand{band[0].get<float>(), band[1].get<float>()};
    r.fourPipe = o.flag("four_pipe");
    if (o.has("air_streams")) {
        const ObjectReader s = o.child("air_streams");
        r.streams = AirStreams{s.single("return_pct"),   s.single("return_dry_bulb_C"),
                               s.single("return_relative_humidity_pct"), s.single("fresh_pct"),
                               s.single("fresh_dry_bulb_C"), s.single("fresh_relative_humidity_pct")};
    }
    return r;
}

ModelOutcome readRated(const ObjectReader& o)
{
    ModelOutcome m;
    m.name = o.text("coil");
    RatingResult& r = m.rating;
    r.Capacity = o.single("capacity_W");
    r.SensibleCapacity = o.single("sensible_capacity_W");
    r.WaterFlow = o.real("water_flow_m3s");
    r.WaterOut = o.single("water_out_C");
    r.WaterPressureDrop = o.single("water_pressure_drop_kPa");
    r.Reynolds = o.single("reynolds");
    r.AirFlow = o.single("air_flow_m3s");
    r.AirOut = o.single("air_out_C");
    r.AirOutEnthalpy = o.single("air_out_enthalpy_kJkg");
    r.DryCoil = o.flag("dry_coil");
    m.air.airFlow = o.single("fan_air_flow_m3s");
    m.air.referenceFlow = o.single("reference_air_flow_m3s");
    m.air.availablePressure = o.single("available_pressure_Pa");
    m.air.pressureCapped = o.flag("pressure_capped");
    m.soundPower = o.single("sound_power_dBA");
    m.soundPressure = o.single("sound_pressure_dBA");
    return m;
}

DutyRecord readDuty(const ObjectReader& o, int line, int speed, int mode)
{
    DutyRecord d;
    d.required_W = o.single("required_W");
    if (d.required_W < 0)
        o.fail(o.place("required_W") + " is negative");
    if (o.has("required_sensible_W"))
        d.requiredSensible_W = o.single("required_sensible_W");
    d.request = readRequest(o.child("request"), line, speed, mode);
    if (o.has("rated"))
        d.rated = readRated(o.child("rated"));
    return d;
}

int readLine(const ObjectReader& o)
{
    const std::optional<int> line = lineFromText(o.text("line"));
    if (!line)
        o.fail(o.place("line") + " names no product line (KX, KXR or KXN)");
    return *line;
}

NoFit readNoFit(const ObjectReader& o)
{
    NoFit fit;
    const std::optional<Duty> duty = dutyFromName(o.text("duty"));
    if (!duty)
        o.fail(o.place("duty") + " names no duty");
    fit.duty = *duty;
    if (!o.value("reason").is_null()) {
        fit.reason = reasonFromName(o.text("reason"));
        if (!fit.reason)
            o.fail(o.place("reason") + " names no reason");
    }
    fit.bestCapacity_W = o.single("best_capacity_W");
    fit.runError = o.integer("run_error", 0, 32767);
    return fit;
}

ProjectItem readItem(const ObjectReader& o)
{
    ProjectItem item;
    item.tag = o.text("tag");
    item.room = o.text("room");
    item.quantity = o.integer("quantity", 1, kMaxQuantity);
    item.line = readLine(o);
    item.speed = o.integer("speed", 1, productLine(item.line).speeds);
    item.model = o.text("model");
    if (o.has("cooling"))
        item.cooling = readDuty(o.child("cooling"), item.line, item.speed, ModeCooling);
    if (o.has("heating"))
        item.heating = readDuty(o.child("heating"), item.line, item.speed, ModeHeating);
    if (!item.cooling && !item.heating)
        o.fail(o.where() + " has neither a cooling nor a heating duty");
    if (o.has("no_fit"))
        item.noFit = readNoFit(o.child("no_fit"));
    return item;
}

CoolingConditions readCooling(const ObjectReader& o)
{
    return {o.single("air_dry_bulb_C"), o.single("air_relative_humidity_pct"), o.single("water_in_C"),
            o.single("water_out_C")};
}

HeatingConditions readHeating(const ObjectReader& o)
{
    return {o.single("air_dry_bulb_C"), o.single("water_in_C"), o.single("water_out_C")};
}

DesignConditions readDefaults(const ObjectReader& o)
{
    DesignConditions d;
    d.line = readLine(o);
    d.speed = o.integer("speed", 1, productLine(d.line).speeds);
    d.cooling = readCooling(o.child("cooling"));
    d.heating = readHeating(o.child("heating"));
    d.fourPipeHeating = readHeating(o.child("four_pipe_heating"));
    d.glycolPercent = o.single("glycol_pct");
    d.staticPressure = o.single("static_pressure_Pa");
    return d;
}

ProjectInfo readInfo(const ObjectReader& o)
{
    return {o.text("name"),     o.text("site"), o.text("customer"), o.text("reference"),
            o.text("engineer"), o.text("date"), o.text("notes")};
}

Json parseText(const std::string& text, const std::string& fileName)
{
    if (text.empty())
        throw ProjectFileError("The project file '" + fileName + "' is damaged: it is empty.");
    try {
        return Json::parse(text);
    } catch (const Json::parse_error& error) {
        // The library's message starts with its own tag in brackets.
        std::string what = error.what();
        if (const size_t end = what.find("] "); what.rfind("[json", 0) == 0 && end != std::string::npos)
            what.erase(0, end + 2);
        throw ProjectFileError("The project file '" + fileName + "' is damaged: " + what + ".");
    }
}

// Refuses a file that is not a project or is from a newer format.
void checkFormat(const Json& root, const std::string& fileName)
{
    if (!root.is_object() || !root.contains("format") || root["format"] != kProjectFormatName)
        throw ProjectFileError("'" + fileName + "' is not a Tarvello project (it has no \"format\": \"" +
                               kProjectFormatName + "\").");
    const Json& version = root.contains("version") ? root["version"] : Json();
    if (!version.is_number_integer() || version.get<long long>() < 1)
        throw ProjectFileError("The project file '" + fileName +
                               "' is damaged: \"version\" is not a format version number.");
    if (version.get<long long>() > kProjectFormatVersion)
        throw ProjectFileError("The project file '" + fileName + "' was written by a newer Tarvello (format version " +
                               std::to_string(version.get<long long>()) + "; this program reads up to version " +
                               std::to_string(kProjectFormatVersion) + ").");
}

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ProjectFileError("Cannot open the project file '" + path + "': " + systemErrorText() + ".");
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        throw ProjectFileError("Cannot read the project file '" + path + "'.");
    return text.str();
}

} // namespace

std::string projectToText(const Project& project)
{
    Json root;
    root["format"] = kProjectFormatName;
    root["version"] = kProjectFormatVersion;
    root["project"] = infoJson(project.info);
    root["defaults"] = defaultsJson(project.defaults);
    Json items = Json::array();
    for (const ProjectItem& item : project.items)
        items.push_back(itemJson(item));
    root["items"] = items;
    return root.dump(2) + "\n";
}

Project projectFromText(const std::string& text, const std::string& fileName)
{
    const Json root = parseText(text, fileName);
    checkFormat(root, fileName);
    const ObjectReader top(root, "the file", fileName);
    Project project;
    project.info = readInfo(top.child("project"));
    project.defaults = readDefaults(top.child("defaults"));
    const Json& items = top.value("items");
    if (!items.is_array())
        top.fail("\"items\" is not a list");
    for (size_t i = 0; i < items.size(); ++i)
        project.items.push_back(readItem(ObjectReader(items[i], "item " + std::to_string(i + 1), fileName)));
    return project;
}

std::string backupPathOf(const std::string& path)
{
    return path + ".bak";
}

void saveProject(const Project& project, const std::string& path, const SaveObserver& observer)
{
    const std::string text = projectToText(project);
    const auto notify = [&observer](SaveStep step) {
        if (observer)
            observer(step);
    };
    try {
        const std::string temporary = path + ".tmp";
        writeDurably(temporary, text, [&] { notify(SaveStep::TemporaryStarted); });
        notify(SaveStep::TemporaryWritten);
        if (fileExists(path)) {
            copyDurably(path, backupPathOf(path));
            notify(SaveStep::BackupWritten);
        }
        replaceDurably(temporary, path);
        notify(SaveStep::Renamed);
    } catch (const DurableFileError& error) {
        throw ProjectFileError("Cannot save the project '" + path + "': " + error.what() + ".");
    }
}

Project openProject(const std::string& path)
{
    return projectFromText(readWholeFile(path), path);
}

} // namespace tarvello
