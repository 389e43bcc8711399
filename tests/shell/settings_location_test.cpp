// Where the settings file lives: beside the program in a writable program folder, in the
// user's configuration folder for an installed (read-only) program, made there from the
// shipped default the first time.
#include "shell/app_state.h"
#include "shell/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt_print.h"

using namespace tarvello;

namespace {

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

} // namespace

// ---- The decision ----

struct LocationCase {
    const char* name;
    bool folderExists;
    bool writable;
    bool expectUserFile;
};

class SettingsLocation : public ::testing::TestWithParam<LocationCase> {};

TEST_P(SettingsLocation, FollowsWhetherTheProgramFolderCanBeWritten)
{
    const LocationCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString programFolder = withTrailingSeparator(root.filePath(c.folderExists ? "" : "gone"));
    const QString userFolder = root.filePath("home/.config/tarvello");
    const QString expected = c.expectUserFile ? userFolder + "/Tarvello.ini" : programFolder + "Tarvello.ini";
    EXPECT_EQ(settingsFileFor(programFolder, c.writable, userFolder), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SettingsLocation,
    ::testing::Values(LocationCase{"WritableBuildFolder", true, true, false},
                      LocationCase{"ReadOnlyInstalledFolder", true, false, true},
                      // Not a real program folder: the path stays as given, nothing goes home.
                      LocationCase{"MissingFolder", false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsLocationEmptyFolder, StaysRelative)
{
    EXPECT_EQ(settingsFileFor(QString(), false, "/home/u/.config/tarvello"), "Tarvello.ini");
}

// ---- The user's configuration folder ----

struct ConfigHomeCase {
    const char* name;
    QByteArray xdgConfigHome; // null: unset
    const char* expected;     // with HOME=/home/eng
};

class UserConfigFolder : public ::testing::TestWithParam<ConfigHomeCase> {};

TEST_P(UserConfigFolder, FollowsTheXdgRule)
{
    const ConfigHomeCase& c = GetParam();
    ScopedEnv home("HOME", "/home/eng");
    ScopedEnv config("XDG_CONFIG_HOME", c.xdgConfigHome);
    EXPECT_EQ(userConfigFolder(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environment, UserConfigFolder,
    ::testing::Values(ConfigHomeCase{"Unset", QByteArray(), "/home/eng/.config/tarvello"},
                      ConfigHomeCase{"Empty", QByteArray(""), "/home/eng/.config/tarvello"},
                      ConfigHomeCase{"Absolute", QByteArray("/srv/cfg"), "/srv/cfg/tarvello"},
                      ConfigHomeCase{"AbsoluteWithSlash", QByteArray("/srv/cfg/"), "/srv/cfg/tarvello"},
                      // The XDG rule: a relative path is ignored.
                      ConfigHomeCase{"Relative", QByteArray("cfg"), "/home/eng/.config/tarvello"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The first start ----

class FirstStart : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        shipped = root.filePath("opt/Tarvello.ini");
        user = root.filePath("home/.config/tarvello/Tarvello.ini");
        ASSERT_TRUE(QDir().mkpath(root.filePath("opt")));
    }
    QTemporaryDir root;
    QString shipped;
    QString user;
};

TEST_F(FirstStart, CopiesTheShippedDefaultIntoANewFolder)
{
    ASSERT_TRUE(writeFile(shipped, "[Common]\n300=EN\n"));
    EXPECT_TRUE(ensureUserSettingsFile(shipped, user));
    EXPECT_EQ(contentsOf(user), "[Common]\n300=EN\n");
}

TEST_F(FirstStart, KeepsTheUsersOwnFile)
{
    ASSERT_TRUE(writeFile(shipped, "[Common]\nMulti= 300\n"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(user).absolutePath()));
    ASSERT_TRUE(writeFile(user, "[Common]\nMulti= 700\n"));
    EXPECT_TRUE(ensureUserSettingsFile(shipped, user));
    EXPECT_EQ(contentsOf(user), "[Common]\nMulti= 700\n");
}

TEST_F(FirstStart, AReadOnlyDefaultGivesAWritableCopy)
{
    ASSERT_TRUE(writeFile(shipped, "[Common]\n"));
    ASSERT_TRUE(QFile::setPermissions(shipped, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    ASSERT_TRUE(ensureUserSettingsFile(shipped, user));
    EXPECT_TRUE(QFile::permissions(user) & QFileDevice::WriteOwner);
}

TEST_F(FirstStart, NoShippedDefaultLeavesNoFile)
{
    EXPECT_FALSE(ensureUserSettingsFile(shipped, user));
    EXPECT_FALSE(QFileInfo::exists(user));
}

// ---- The program's own path ----

// Puts the program folder back whatever the test's outcome.
class ProgramFolderSwap : public ::testing::Test {
protected:
    void SetUp() override { saved = AppDir; }
    void TearDown() override { AppDir = saved; }
    QString saved;
};

TEST_F(ProgramFolderSwap, AWritableProgramFolderKeepsTheFileBesideTheProgram)
{
    QTemporaryDir folder;
    QTemporaryDir config;
    ASSERT_TRUE(folder.isValid() && config.isValid());
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    AppDir = withTrailingSeparator(folder.path());
    ASSERT_TRUE(writeFile(AppDir + "Tarvello.ini", "[Common]\nMulti= 500\n"));
    EXPECT_EQ(settingsFilePath(), AppDir + "Tarvello.ini");
    EXPECT_EQ(LeggiIni("Common", "Multi"), "500");
    EXPECT_FALSE(QFileInfo::exists(config.filePath("tarvello"))); // nothing made for the user
}
