// The project file: a round trip keeps every value and the order of the items; a damaged,
// truncated, foreign or newer file is refused with a message naming it, and left as it
// was; a save killed at any step leaves the old or the new project whole.
#include "project/project_file.h"
#include "sample_project.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tarvello {
namespace {

using namespace testing_support;

TEST(ProjectFile, SaveAndOpenGiveTheSameProject)
{
    TempFolder folder;
    const Project original = sampleProject();
    const std::string path = folder.file("job.json");
    saveProject(original, path);
    const Project opened = openProject(path);

    EXPECT_EQ(projectToText(opened), projectToText(original));
    ASSERT_EQ(opened.items.size(), original.items.size());
    for (size_t i = 0; i < original.items.size(); ++i)
        EXPECT_EQ(opened.items[i].tag, original.items[i].tag) << "item " << i;
    // Values exactly as they were, not as decimals of them.
    EXPECT_EQ(opened.items[0].cooling->rated->rating.WaterFlow, 0.00011029216945119627);
    EXPECT_EQ(opened.items[0].cooling->rated->rating.Reynolds, 5685.028f);
    EXPECT_EQ(opened.items[0].cooling->requiredSensible_W, 1500.5f);
    EXPECT_EQ(opened.items[0].cooling->request.air.wetBulb, original.items[0].cooling->request.air.wetBulb);
    EXPECT_EQ(opened.items[1].heating->rated->name, "KXH 40 4P");
    EXPECT_TRUE(opened.items[1].heating->request.fourPipe);
    EXPECT_EQ(opened.items[1].cooling->request.glycolPercent, 10.0f);
    EXPECT_EQ(opened.items[2].line, LineMRZ);
    EXPECT_FALSE(opened.items[2].cooling->request.leavingWaterGiven);
    ASSERT_TRUE(opened.items[2].cooling->request.streams);
    EXPECT_EQ(opened.items[2].cooling->request.streams->freshDryBulb, 32.0f);
    ASSERT_TRUE(opened.items[3].noFit);
    EXPECT_EQ(opened.items[3].noFit->reason, NotListedReason::OutsideCapacityBand);
    EXPECT_EQ(opened.info.notes, "Tender, \"issue\" 2");
    EXPECT_EQ(opened.defaults.fourPipeHeating.airDryBulb, 21.0f);
}

TEST(ProjectFile, SavingOverAProjectKeepsThePreviousAsBackup)
{
    TempFolder folder;
    const std::string path = folder.file("job.json");
    Project first = sampleProject();
    saveProject(first, path);
    Project second = first;
    second.items.pop_back();
    saveProject(second, path);
    EXPECT_EQ(openProject(path).items.size(), 3u);
    EXPECT_EQ(openProject(backupPathOf(path)).items.size(), 4u);
    EXPECT_FALSE(fileExists(path + ".tmp"));
}

// --- refused files ----------------------------------------------------------------------------

struct RefusedCase {
    const char* name;
    std::string (*text)();
    const char* message; // a part of the message
};

std::string validText()
{
    return projectToText(sampleProject());
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

const RefusedCase kRefusedCases[] = {
    {"Empty", [] { return std::string(); }, "is damaged: it is empty"},
    {"TruncatedHalfway", [] { const std::string t = validText(); return t.substr(0, t.size() / 2); }, "is damaged: parse error"},
    {"TruncatedByOneByte", [] { const std::string t = validText(); return t.substr(0, t.size() - 3); }, "is damaged"},
    {"BinaryGarbage", [] { return std::string("PK\x03\x04\x00\x01garbage", 13); }, "is damaged"},
    {"ForeignJson", [] { return std::string(R"({"name": "a shopping list", "items": []})"); }, "is not a Tarvello project"},
    {"OtherFormat", [] { return replaced(validText(), "tarvello-project", "tarvello-settings"); }, "is not a Tarvello project"},
    {"JsonList", [] { return std::string("[1, 2, 3]"); }, "is not a Tarvello project"},
    {"NewerVersion", [] { return replaced(validText(), "\"version\": 1", "\"version\": 2"); }, "newer Tarvello (format version 2"},
    {"VersionNotANumber", [] { return replaced(validText(), "\"version\": 1", "\"version\": \"one\""); }, "\"version\" is not"},
    {"ItemsMissing", [] { return replaced(validText(), "\"items\"", "\"things\""); }, "the file.items is missing"},
    {"QuantityZero", [] { return replaced(validText(), "\"quantity\": 2", "\"quantity\": 0"); }, "item 1.quantity must be a whole number from 1"},
    {"UnknownLine", [] { return replaced(validText(), "\"line\": \"KXR\"", "\"line\": \"KXZ\""); }, "item 3.line names no product line"},
    {"SpeedBeyondLine", [] { return replaced(validText(), "\"speed\": 3", "\"speed\": 4"); }, "item 2.speed must be a whole number from 1 to 3"},
    {"CapacityAsText", [] { return replaced(validText(), "\"capacity_W\": 2310.0", "\"capacity_W\": \"2310\""); }, "item 1.cooling.rated.capacity_W is not a number"},
    {"UnknownReason", [] { return replaced(validText(), "outside_capacity_band", "too_hot"); }, "item 4.no_fit.reason names no reason"},
};

class RefusedFile : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedFile, IsRefusedWithItsNameAndLeftAsItWas)
{
    TempFolder folder;
    const std::string path = folder.file("job.json");
    const std::string text = GetParam().text();
    writeText(path, text);
    try {
        openProject(path);
        FAIL() << "opened";
    } catch (const ProjectFileError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find(path), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().message), std::string::npos) << message;
    }
    EXPECT_EQ(readText(path), text);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedFile, ::testing::ValuesIn(kRefusedCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProjectFile, AMissingFileIsNamed)
{
    TempFolder folder;
    try {
        openProject(folder.file("none.json"));
        FAIL() << "opened";
    } catch (const ProjectFileError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot open the project file '" + folder.file("none.json")),
                  std::string::npos);
    }
}

// --- saves that fail or are killed ------------------------------------------------------------

TEST(ProjectFile, ASaveThatCannotBeWrittenLeavesTheProject)
{
    TempFolder folder;
    const std::string path = folder.file("job.json");
    saveProject(sampleProject(), path);
    const std::string before = readText(path);
    // A folder in the way of the temporary file: the save fails before it touches the project.
    ::mkdir((path + ".tmp").c_str(), 0700);
    Project changed = sampleProject();
    changed.info.name = "changed";
    EXPECT_THROW(saveProject(changed, path), ProjectFileError);
    EXPECT_EQ(readText(path), before);
}

TEST(ProjectFile, AFaultInTheWriterLeavesTheProject)
{
    TempFolder folder;
    const std::string path = folder.file("job.json");
    saveProject(sampleProject(), path);
    const std::string before = readText(path);
    Project changed = sampleProject();
    changed.items.clear();
    const auto fault = [](SaveStep step) {
        if (step == SaveStep::TemporaryStarted)
            throw std::runtime_error("disk full");
    };
    EXPECT_THROW(saveProject(changed, path, fault), std::runtime_error);
    EXPECT_EQ(readText(path), before);
    EXPECT_FALSE(fileExists(path + ".tmp")) << "the partial temporary is removed";
}

struct KillCase {
    const char* name;
    SaveStep step;
    bool previousExists;
    bool newProjectExpected; // else the previous one (or none)
};

const KillCase kKillCases[] = {
    {"HalfWrittenOverPrevious", SaveStep::TemporaryStarted, true, false},
    {"WrittenOverPrevious", SaveStep::TemporaryWritten, true, false},
    {"BackupMadeOverPrevious", SaveStep::BackupWritten, true, false},
    {"RenamedOverPrevious", SaveStep::Renamed, true, true},
    {"HalfWrittenFirstSave", SaveStep::TemporaryStarted, false, false},
    {"RenamedFirstSave", SaveStep::Renamed, false, true},
};

class KilledSave : public ::testing::TestWithParam<KillCase> {};

TEST_P(KilledSave, LeavesAWholeProject)
{
    const KillCase& c = GetParam();
    TempFolder folder;
    const std::string path = folder.file("job.json");
    Project previous = sampleProject();
    previous.info.name = "previous";
    Project next = sampleProject();
    next.info.name = "next";
    next.items.resize(2);
    if (c.previousExists)
        saveProject(previous, path);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        saveProject(next, path, [&](SaveStep step) {
            if (step == c.step)
                ::raise(SIGKILL);
        });
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the save was not killed";

    if (!c.previousExists && !c.newProjectExpected) {
        EXPECT_FALSE(fileExists(path)) << "no broken project under the name";
        return;
    }
    const Project found = openProject(path);
    EXPECT_EQ(found.info.name, c.newProjectExpected ? "next" : "previous");
    // The next save after the kill works and leaves no temporary behind.
    saveProject(next, path);
    EXPECT_EQ(openProject(path).info.name, "next");
    EXPECT_FALSE(fileExists(path + ".tmp"));
}

INSTANTIATE_TEST_SUITE_P(Cases, KilledSave, ::testing::ValuesIn(kKillCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tarvello
