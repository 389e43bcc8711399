// tarvello-cli as a script sees it: the program folder's executable run on files, its exit
// codes, what it prints and what it writes.
#include "project/project_file.h"
#include "sample_project.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <regex>
#include <sys/stat.h>

namespace tarvello {
namespace {

using namespace testing_support;

struct CliCase {
    const char* name;
    std::vector<std::string> args; // "{dir}" stands for the test's folder
    int exitCode;
    const char* out;        // a part of the standard output ("" for any)
    const char* err;        // a part of the error output ("" for any)
    const char* written;    // a file in {dir} the command writes ("" for none)
    const char* notWritten; // a file in {dir} the command must not write
};

const std::string kRooms = std::string(TARVELLO_SOURCE_DIR) + "/data/examples/rooms.csv";

const CliCase kCases[] = {
    {"Help", {"--help"}, 0, "Usage:", "", "", ""},
    {"NoCommand", {}, 2, "", "no command given", "", ""},
    {"UnknownCommand", {"frobnicate", "x"}, 2, "", "unknown command 'frobnicate'", "", ""},
    {"SelectWithoutOutput", {"select", kRooms}, 2, "", "'select' needs -o FILE", "", ""},
    {"UnknownOption", {"rate", "{dir}/job.json", "--fast", "1"}, 2, "", "'rate' has no option --fast", "", ""},
    {"UnknownLine", {"select", kRooms, "--line", "KY", "-o", "{dir}/new.json"}, 2, "", "names no product line", "", "new.json"},
    {"SelectExampleWithARoomWithoutFit", {"select", kRooms, "--line", "KX", "--speed", "2", "-o", "{dir}/new.json"}, 1,
     "FC-4.01: no fit: no model meets the total cooling of 12000 W", "", "new.json", ""},
    {"SelectEveryRoomFits", {"select", "{dir}/ok.csv", "--speed", "3", "--name", "Job", "-o", "{dir}/new.json"}, 0,
     "Selected 2 of 2 rooms", "", "new.json", ""},
    {"SelectBadRoomList", {"select", "{dir}/bad.csv", "-o", "{dir}/new.json"}, 3, "",
     "bad.csv, line 3, column cooling_total_W: 'lots' is not a number", "", "new.json"},
    {"SelectBadConditions", {"select", kRooms, "--conditions", "cooling_water_out_C=5", "-o", "{dir}/new.json"}, 3, "",
     "the cooling water must leave warmer", "", "new.json"},
    {"SelectMissingRoomList", {"select", "{dir}/none.csv", "-o", "{dir}/new.json"}, 3, "", "Cannot open the room list", "", "new.json"},
    {"RateUnchanged", {"rate", "{dir}/job.json"}, 0, "Re-rated 21 items: 0 flagged", "", "", ""},
    {"RateChangedValues", {"rate", "{dir}/changed.json"}, 1, "values changed: total cooling capacity 99990 W ->", "", "", ""},
    {"RateModelGone", {"rate", "{dir}/gone.json"}, 1, "KXA 20 II cooling: the model is no longer in line KX", "", "", ""},
    {"RateDamaged", {"rate", "{dir}/damaged.json"}, 3, "", "damaged.json' is damaged", "", ""},
    {"RateNewer", {"rate", "{dir}/newer.json"}, 3, "", "newer Tarvello", "", ""},
    {"ExportWorkbook", {"export", "{dir}/job.json", "-o", "{dir}/s.xlsx"}, 0, "written to", "", "s.xlsx", ""},
    {"ExportCsv", {"export", "{dir}/job.json", "-o", "{dir}/s.csv"}, 0, "Schedule of 23 items", "", "s.csv", ""},
    {"ExportPdf", {"export", "{dir}/job.json", "-o", "{dir}/s.PDF"}, 0, "written to", "", "s.PDF", ""},
    {"ExportUnknownFormat", {"export", "{dir}/job.json", "-o", "{dir}/s.doc"}, 2, "", "must end in .xlsx, .csv or .pdf", "", "s.doc"},
    {"ExportIntoMissingFolder", {"export", "{dir}/job.json", "-o", "{dir}/none/s.csv"}, 5, "", "Cannot write the schedule", "", ""},
};

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliRun runCli(const std::vector<std::string>& args)
{
    QStringList arguments;
    for (const std::string& arg : args)
        arguments << QString::fromStdString(arg);
    QProcess cli;
    cli.start(QStringLiteral(TARVELLO_APP_DIR "/tarvello-cli"), arguments);
    cli.waitForFinished(120000);
    return {cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, cli.readAllStandardOutput().toStdString(),
            cli.readAllStandardError().toStdString()};
}

std::string replacedFirst(const std::string& text, const std::string& pattern, const std::string& by)
{
    return std::regex_replace(text, std::regex(pattern), by, std::regex_constants::format_first_only);
}

class Cli : public ::testing::TestWithParam<CliCase> {
protected:
    void SetUp() override
    {
        if (!shippedDatabaseAvailable())
            GTEST_SKIP() << "the program folder has no tarvello.mdb (build tarvello_databases)";
        writeText(folder_.file("ok.csv"), "tag,cooling_total_W\nA,1500\nB,2500\n");
        writeText(folder_.file("bad.csv"), "tag,cooling_total_W\nA,1500\nB,lots\n");
        const CliRun select = runCli({"select", kRooms, "-o", folder_.file("job.json")});
        ASSERT_EQ(select.exitCode, 1) << select.err;
        const std::string job = readText(folder_.file("job.json"));
        writeText(folder_.file("changed.json"), replacedFirst(job, "\"capacity_W\": [0-9.]+", "\"capacity_W\": 99990.0"));
        writeText(folder_.file("gone.json"), replacedFirst(job, "\"coil\": \"KXA 20\"", "\"coil\": \"KXA 20 II\""));
        writeText(folder_.file("damaged.json"), job.substr(0, job.size() / 3));
        writeText(folder_.file("newer.json"), replacedFirst(job, "\"version\": 1", "\"version\": 7"));
    }

    std::string expand(const std::string& arg) const { return std::regex_replace(arg, std::regex("\\{dir\\}"), folder_.path()); }

    TempFolder folder_;
};

TEST_P(Cli, ExitCodeAndOutput)
{
    const CliCase& c = GetParam();
    std::vector<std::string> args;
    for (const std::string& arg : c.args)
        args.push_back(expand(arg));
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.out << run.err;
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    if (*c.written) {
        EXPECT_TRUE(fileExists(folder_.file(c.written))) << c.written;
        EXPECT_FALSE(fileExists(folder_.file(std::string(c.written) + ".tmp")));
    }
    if (*c.notWritten) {
        EXPECT_FALSE(fileExists(folder_.file(c.notWritten))) << c.notWritten;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Cli, ::testing::ValuesIn(kCases), [](const auto& info) { return std::string(info.param.name); });

TEST(CliProgramFolder, WithoutTheModelDatabaseSaysSo)
{
    TempFolder folder;
    const std::string copy = folder.file("tarvello-cli");
    writeText(copy, readText(TARVELLO_APP_DIR "/tarvello-cli"));
    ::chmod(copy.c_str(), 0700);
    QProcess cli;
    cli.start(QString::fromStdString(copy), {QString::fromStdString(kRooms), QStringLiteral("-o"),
                                             QString::fromStdString(folder.file("job.json"))});
    cli.waitForFinished(120000);
    EXPECT_EQ(cli.exitCode(), 2) << "the command is missing";
    cli.start(QString::fromStdString(copy), {QStringLiteral("select"), QString::fromStdString(kRooms), QStringLiteral("-o"),
                                             QString::fromStdString(folder.file("job.json"))});
    cli.waitForFinished(120000);
    EXPECT_EQ(cli.exitCode(), 4);
    EXPECT_NE(cli.readAllStandardError().toStdString().find(folder.file("tarvello.mdb")), std::string::npos);
    EXPECT_FALSE(fileExists(folder.file("job.json")));
}

TEST(CliSelect, TheProjectItWritesOpensWithEveryRoom)
{
    if (!shippedDatabaseAvailable())
        GTEST_SKIP() << "the program folder has no tarvello.mdb (build tarvello_databases)";
    TempFolder folder;
    runCli({"select", kRooms, "--customer", "Studio Bianchi", "-o", folder.file("job.json")});
    const Project project = openProject(folder.file("job.json"));
    EXPECT_EQ(project.info.customer, "Studio Bianchi");
    ASSERT_EQ(project.items.size(), 23u);
    EXPECT_EQ(project.items.front().tag, "FC-0.01");
    EXPECT_EQ(project.items.back().tag, "FC-4.01");
    EXPECT_FALSE(project.items.back().chosen());
}

} // namespace
} // namespace tarvello
