// tarvello-cli: projects from the command line, without a display. It selects a room
// list into a project, re-rates a project and exports its schedule, with the model
// database and the settings (units, language) of the program folder it stands in.
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "project/best_fit.h"
#include "project/project_file.h"
#include "project/rerating.h"
#include "project/room_list.h"
#include "schedule_export/schedule.h"
#include "shell/app_state.h"
#include "shell/units.h"

#include <QGuiApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <cmath>
#include <exception>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tarvello;

// Exit codes a script can rely on.
enum ExitCode : int {
    kDone = 0,          // everything asked was done, nothing to report
    kFindings = 1,      // done, but rooms without a fit (select) or flagged items (rate)
    kUsage = 2,         // the command line is wrong
    kInputRefused = 3,  // the room list, the conditions or the project file is refused
    kProgramData = 4,   // the model database of the program folder cannot be used
    kOutputFailed = 5,  // the project or the schedule could not be written
};

constexpr const char* kUsageText = R"(Usage:
  tarvello-cli select ROOMS.csv [--line KX|KXR|KXN] [--speed N] [--conditions KEY=VALUE,...]
                      [--name TEXT] [--customer TEXT] [--site TEXT] [--reference TEXT]
                      [--engineer TEXT] [--date TEXT] [--notes TEXT] -o PROJECT.json
      Selects the best fit for every room of the room list and saves the project.
  tarvello-cli rate PROJECT.json
      Re-rates every chosen item against the current model database and reports the
      items whose model is gone, no longer rated, or rated with other values.
  tarvello-cli export PROJECT.json -o FILE.xlsx|FILE.csv|FILE.pdf
      Writes the project's schedule in the units and language of Tarvello.ini.
  tarvello-cli --help

Conditions keys (also room list columns; see docs/project-format.md):
  cooling_air_dry_bulb_C, cooling_air_humidity_pct, cooling_water_in_C, cooling_water_out_C,
  heating_air_dry_bulb_C, heating_water_in_C, heating_water_out_C, four_pipe_air_dry_bulb_C,
  four_pipe_water_in_C, four_pipe_water_out_C, glycol_pct, static_pressure_Pa, line, speed

Exit codes: 0 done; 1 done with rooms without a fit (select) or flagged items (rate);
  2 wrong command line; 3 room list, conditions or project file refused;
  4 model database unusable; 5 output not written.
)";

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line: a command, its positional argument and its options.
struct Arguments {
    std::string command;
    std::string input;
    std::map<std::string, std::string> options;

    std::optional<std::string> option(const std::string& name) const
    {
        const auto found = options.find(name);
        return found == options.end() ? std::nullopt : std::optional(found->second);
    }
};

const std::map<std::string, std::vector<std::string>> kCommandOptions = {
    {"select",
     {"-o", "--line", "--speed", "--conditions", "--name", "--customer", "--site", "--reference", "--engineer",
      "--date", "--notes"}},
    {"rate", {}},
    {"export", {"-o"}},
};

Arguments parseArguments(const std::vector<std::string>& args)
{
    Arguments parsed;
    if (args.empty())
        throw UsageError("no command given");
    parsed.command = args[0];
    const auto known = kCommandOptions.find(parsed.command);
    if (known == kCommandOptions.end())
        throw UsageError("unknown command '" + parsed.command + "'");
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() > 1 && arg[0] == '-') {
            if (std::find(known->second.begin(), known->second.end(), arg) == known->second.end())
                throw UsageError("'" + parsed.command + "' has no option " + arg);
            if (i + 1 >= args.size())
                throw UsageError("option " + arg + " needs a value");
            parsed.options[arg] = args[++i];
        } else if (parsed.input.empty()) {
            parsed.input = arg;
        } else {
            throw UsageError("unexpected argument '" + arg + "'");
        }
    }
    if (parsed.input.empty())
        throw UsageError("'" + parsed.command + "' needs a file");
    if (parsed.command != "rate" && !parsed.option("-o"))
        throw UsageError("'" + parsed.command + "' needs -o FILE");
    return parsed;
}

// The program folder's model database, its lines loaded as the projects need them.
class ProgramData {
public:
    explicit ProgramData(const std::string& appDir)
    {
        openModelDb(appDir);
    }
    ~ProgramData() { closeModelDb(); }
    ProgramData(const ProgramData&) = delete;
    ProgramData& operator=(const ProgramData&) = delete;

    LineLibrary& lines() { return lines_; }

private:
    LineLibrary lines_{[](ModelTable& table, int line) {
        switch (line) {
        case LineKX: CaricaDatiKORVE(table, ModelDb()); break;
        case LineMRZ: CaricaDatiMRZ(table, ModelDb()); break;
        default: CaricaDatiHJQ(table, ModelDb()); break;
        }
    }};
};

// A failure of the program folder's data (model database, loaders).
class ProgramDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

template <typename Work> auto withProgramData(const std::string& appDir, Work work)
{
    std::unique_ptr<ProgramData> data;
    try {
        data = std::make_unique<ProgramData>(appDir);
    } catch (const std::exception& error) {
        throw ProgramDataError(error.what());
    }
    return work(data->lines());
}

std::string watts(float value)
{
    return std::to_string(long(std::lround(value))) + " W";
}

void printSelection(const ProjectItem& item)
{
    std::cout << item.tag << ": ";
    if (!item.chosen()) {
        std::cout << "no fit: " << describeNoFit(item) << "\n";
        return;
    }
    std::cout << item.model << " at speed " << item.speed;
    if (item.cooling)
        std::cout << ", cooling " << watts(item.cooling->rated->rating.Capacity) << " for "
                  << watts(item.cooling->required_W);
    if (item.heating)
        std::cout << ", heating " << watts(item.heating->rated->rating.Capacity) << " for "
                  << watts(item.heating->required_W);
    std::cout << "\n";
}

int runSelect(const Arguments& args, const std::string& appDir)
{
    Project project;
    if (const auto line = args.option("--line")) {
        const std::optional<int> id = lineFromText(*line);
        if (!id)
            throw UsageError("--line: '" + *line + "' names no product line (KX, KXR or KXN)");
        project.defaults.line = *id;
    }
    std::string settings;
    if (const auto speed = args.option("--speed"))
        settings = "speed=" + *speed;
    if (const auto conditions = args.option("--conditions"))
        settings += (settings.empty() ? "" : ",") + *conditions;
    if (!settings.empty())
        applyConditionSettings(project.defaults, settings);
    const std::pair<const char*, std::string ProjectInfo::*> infoOptions[] = {
        {"--name", &ProjectInfo::name},           {"--customer", &ProjectInfo::customer},
        {"--site", &ProjectInfo::site},           {"--reference", &ProjectInfo::reference},
        {"--engineer", &ProjectInfo::engineer},   {"--date", &ProjectInfo::date},
        {"--notes", &ProjectInfo::notes}};
    for (const auto& [option, field] : infoOptions)
        if (const auto value = args.option(option))
            project.info.*field = *value;

    const std::vector<RoomRow> rooms = readRoomList(args.input);
    project.items = withProgramData(appDir, [&](LineLibrary& lines) { return selectRooms(rooms, project.defaults, lines); });
    int unfit = 0;
    for (const ProjectItem& item : project.items) {
        printSelection(item);
        unfit += item.chosen() ? 0 : 1;
    }
    saveProject(project, *args.option("-o"));
    std::cout << "Selected " << project.items.size() - size_t(unfit) << " of " << project.items.size()
              << " rooms; project saved to " << *args.option("-o") << "\n";
    return unfit ? kFindings : kDone;
}

int runRate(const Arguments& args, const std::string& appDir)
{
    const Project project = openProject(args.input);
    const RerateReport report = withProgramData(appDir, [&](LineLibrary& lines) { return rerateProject(project, lines); });
    for (const ItemRerating& item : report.items)
        std::cout << describeRerating(project, item);
    std::cout << "Re-rated " << report.items.size() << " items: " << report.flaggedCount() << " flagged\n";
    return report.flaggedCount() ? kFindings : kDone;
}

int runExport(const Arguments& args)
{
    if (!isScheduleFileName(*args.option("-o")))
        throw UsageError("-o: '" + *args.option("-o") + "' must end in .xlsx, .csv or .pdf");
    const Project project = openProject(args.input);
    exportSchedule(project, *args.option("-o"), currentScheduleStyle());
    std::cout << "Schedule of " << project.items.size() << " items written to " << *args.option("-o") << "\n";
    return kDone;
}

int fail(int code, const std::string& message)
{
    std::cerr << "tarvello-cli: " << message << "\n";
    if (code == kUsage)
        std::cerr << "Run 'tarvello-cli --help' for the commands.\n";
    return code;
}

int run(const std::vector<std::string>& args, const std::string& appDir)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        std::cout << kUsageText;
        return kDone;
    }
    try {
        const Arguments parsed = parseArguments(args);
        if (parsed.command == "select")
            return runSelect(parsed, appDir);
        if (parsed.command == "rate")
            return runRate(parsed, appDir);
        return runExport(parsed);
    } catch (const UsageError& error) {
        return fail(kUsage, error.what());
    } catch (const RoomListError& error) {
        return fail(kInputRefused, error.what());
    } catch (const ProgramDataError& error) {
        return fail(kProgramData, error.what());
    } catch (const ProjectFileError& error) {
        // Opening refuses the input; saving fails on the output.
        return fail(std::string(error.what()).rfind("Cannot save", 0) == 0 ? kOutputFailed : kInputRefused,
                    error.what());
    } catch (const ExportError& error) {
        return fail(kOutputFailed, error.what());
    } catch (const std::exception& error) {
        return fail(kProgramData, error.what());
    }
}

} // namespace

int main(int argc, char** argv)
{
    // The command line never shows a window: paint offscreen, with or without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt wants a private runtime folder for the offscreen platform and warns without one.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid())
        qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    DecimalSep = decimalSepOf(QLocale());
    AppDir = withTrailingSeparator(QGuiApplication::applicationDirPath());
    CaricaUnita(); // units and language of the program folder's settings

    std::vector<std::string> args;
    for (const QString& arg : QGuiApplication::arguments().mid(1))
        args.push_back(arg.toStdString());
    return run(args, AppDir.toStdString());
}
