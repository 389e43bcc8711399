// The settings-file layer against hostile values and awkward folders: a value cannot
// add lines, a read-only folder with a writable file keeps the change, and the
// temporary files of killed writes are cleared.
#include "platform/private_profile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <optional>

using namespace tarvello;

namespace {

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
}

// ---- Values and names that would break their line ----

struct HostileValue {
    const char* name;
    QString value;
    QString written; // what the file then holds after "txtPotric="
};

class HostileValueTest : public ::testing::TestWithParam<HostileValue> {};

TEST_P(HostileValueTest, StaysOnItsLineAndAddsNoKey)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvello.ini");
    writeFile(path, "[Common]\nMulti= 300\n[Data1]\ntxtPotric=1\n");
    ASSERT_TRUE(WritePrivateProfileString("Data1", "txtPotric", GetParam().value, path));
    EXPECT_EQ(fileText(path), "[Common]\nMulti= 300\n[Data1]\ntxtPotric=" + GetParam().written.toUtf8() + "\n");
    EXPECT_EQ(GetPrivateProfileString("Common", "Multi", "", path), "300") << "no second Multi key";
}

INSTANTIATE_TEST_SUITE_P(
    SettingsWriter, HostileValueTest,
    ::testing::Values(
        // The paste that once wrote a new section into the file.
        HostileValue{"PastedSection", "1000\n[Common]\nMulti= 100", "1000[Common]Multi= 100"},
        HostileValue{"WindowsLineEnds", "1000\r\n[Common]\r\nMulti= 100\r\n", "1000[Common]Multi= 100"},
        HostileValue{"CarriageReturnAlone", QStringLiteral("12\r5"), "125"},
        HostileValue{"Nul", QString::fromUtf16(u"12\u00005", 4), "125"},
        HostileValue{"UnicodeSeparators", QString::fromUtf16(u"1\u20282\u20293\u00854"), "1234"},
        HostileValue{"VerticalTabAndFormFeed", QStringLiteral("1\v2\f3"), "123"},
        HostileValue{"OnlyBreaks", QStringLiteral("\n\r\n"), ""},
        HostileValue{"PlainTextUntouched", QStringLiteral("19,5 [x] = y"), "19,5 [x] = y"}),
    [](const ::testing::TestParamInfo<HostileValue>& info) { return std::string(info.param.name); });

TEST(SettingsWriter, NamesThatCannotStandOnOneLineAreRefused)
{
    struct Case {
        QString section;
        QString key;
    };
    const Case cases[] = {
        {"Data1\n[Common]", "txtTbu"}, {"Data1]x", "txtTbu"},  {"", "txtTbu"},
        {"  ", "txtTbu"},              {"Data1", "Multi=1"},   {"Data1", "txt\nMulti"},
        {"Data1", ""},                 {"Data1", QString::fromUtf16(u"a\u0000b", 3)},
        {"Data1", " [Common]"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvello.ini");
    const QByteArray before = "[Data1]\ntxtTbu=27\n";
    writeFile(path, before);
    for (const Case& c : cases) {
        EXPECT_FALSE(WritePrivateProfileString(c.section, c.key, "1", path))
            << c.section.toStdString() << " / " << c.key.toStdString();
        EXPECT_FALSE(WritePrivateProfileSection(c.section, {{"ok", "1"}, {c.key, "2"}}, path));
        EXPECT_EQ(fileText(path), before) << "nothing written for " << c.key.toStdString();
    }
}

TEST(SettingsWriter, ASectionOfSeveralKeysIsOneRewrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvello.ini");
    writeFile(path, "[Unmis]\nPt= 0\n");
    ASSERT_TRUE(WritePrivateProfileSection("Unmis", {{"Pt", " 1"}, {"Qa", " 2"}, {"pt", " 3"}}, path));
    EXPECT_EQ(fileText(path), "[Unmis]\nPt= 3\nQa= 2\n") << "later entries win, keys keep their spelling";
}

// ---- A read-only program folder whose settings file is writable ----

// Runs `body` as a user the permissions apply to: in this process when it is not root,
// else in a child process that became "nobody" (root ignores permissions). The folder
// is handed to that user. Returns body's result, or nothing when no such user exists.
std::optional<int> runUnprivileged(const QString& folder, const std::function<int()>& body)
{
    if (::geteuid() != 0)
        return body();
    const passwd* nobody = ::getpwnam("nobody");
    if (!nobody)
        return std::nullopt;
    const QByteArray folderName = QFile::encodeName(folder);
    if (::chown(folderName.constData(), nobody->pw_uid, nobody->pw_gid) != 0)
        return std::nullopt;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        if (::chown(QFile::encodeName(folder + "/" + name).constData(), nobody->pw_uid, nobody->pw_gid) != 0)
            return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
            ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 99)
        return std::nullopt;
    return WEXITSTATUS(status);
}

// The outcomes the unprivileged body reports through its exit status.
enum ReadOnlyFolderOutcome { Kept = 0, WriteFailed = 1, NotReadBack = 2, LeftFiles = 3, Refused = 4, Changed = 5 };

TEST(SettingsWriter, AReadOnlyFolderWithAWritableFileKeepsTheChange)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvello.ini");
    const QByteArray before = "; the user's settings\n[Common]\nMulti= 300\n100=IT\n";
    writeFile(path, before);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0644), 0);
    const std::optional<int> outcome = runUnprivileged(dir.path(), [&] {
        if (::chmod(QFile::encodeName(dir.path()).constData(), 0555) != 0)
            return int(WriteFailed);
        // Longer, then shorter than the file: both lengths must come out exact.
        if (!WritePrivateProfileString("Data1", "txtPotric", "a value longer than before", path)
            || !WritePrivateProfileString("Data1", "txtPotric", "7", path))
            return int(WriteFailed);
        if (fileText(path) != before + "[Data1]\ntxtPotric=7\n")
            return int(NotReadBack);
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() == 1 ? int(Kept) : int(LeftFiles);
    });
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (!outcome)
        GTEST_SKIP() << "running as root and no unprivileged user \"nobody\" to run as: permissions not testable";
    EXPECT_EQ(*outcome, Kept) << "1: write reported failure, 2: wrong contents, 3: files left beside it";
}

TEST(SettingsWriter, AReadOnlyFileInAReadOnlyFolderReportsAndStaysWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvello.ini");
    const QByteArray before = "[Common]\nMulti= 300\n";
    writeFile(path, before);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    const std::optional<int> outcome = runUnprivileged(dir.path(), [&] {
        if (::chmod(QFile::encodeName(dir.path()).constData(), 0555) != 0)
            return int(WriteFailed);
        if (WritePrivateProfileString("Common", "Multi", " 700", path))
            return int(Kept);
        return fileText(path) == before ? int(Refused) : int(Changed);
    });
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    if (!outcome)
        GTEST_SKIP() << "running as root and no unprivileged user \"nobody\" to run as: permissions not testable";
    EXPECT_EQ(*outcome, Refused) << "0: reported as written, 5: the file changed";
}

// ---- Temporary files left by killed writes ----

TEST(SettingsWriter, StaleTemporaryFilesOfOurNamingAreRemoved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Tarvello.ini");
    writeFile(path, "[Common]\nMulti= 300\n");
    writeFile(dir.filePath("elsewhere.txt"), "not ours");
    struct Case {
        const char* name;
        bool old;      // last changed an hour ago
        bool removed;
    };
    const Case cases[] = {
        {"Tarvello.ini.UmdxOn", true, true},
        {"Tarvello.ini.a1B2c3", true, true},
        {"Tarvello.ini.zlvGtV", false, false}, // may be a write running in another instance
        {"Tarvello.ini.bak", true, false},     // the user's copy
        {"Tarvello.ini.ABCDEFG", true, false}, // seven characters
        {"Tarvello.ini.AB-DEF", true, false},
        {"Other.ini.UmdxOn", true, false},
        {"Tarvello.ini", true, false},
    };
    const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
    for (const Case& c : cases) {
        if (QString::fromLatin1(c.name) != "Tarvello.ini")
            writeFile(dir.filePath(c.name), "partial");
        QFile file(dir.filePath(c.name));
        if (c.old) {
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(anHourAgo, QFileDevice::FileModificationTime));
        }
    }
    // A link of our naming pointing to an old file elsewhere, and a folder of our naming:
    // neither is ours.
    QFile elsewhere(dir.filePath("elsewhere.txt"));
    ASSERT_TRUE(elsewhere.open(QIODevice::ReadWrite));
    ASSERT_TRUE(elsewhere.setFileTime(anHourAgo, QFileDevice::FileModificationTime));
    ASSERT_EQ(::symlink(QFile::encodeName(dir.filePath("elsewhere.txt")).constData(),
                        QFile::encodeName(dir.filePath("Tarvello.ini.LnkAbc")).constData()),
              0);
    ASSERT_TRUE(QDir(dir.path()).mkdir("Tarvello.ini.DirAbc"));

    EXPECT_EQ(removeStaleProfileTemporaries(path), 2);
    for (const Case& c : cases)
        EXPECT_EQ(QFile::exists(dir.filePath(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(QFileInfo(dir.filePath("Tarvello.ini.LnkAbc")).isSymLink());
    EXPECT_EQ(fileText(dir.filePath("elsewhere.txt")), "not ours");
    EXPECT_TRUE(QFileInfo(dir.filePath("Tarvello.ini.DirAbc")).isDir());
}

} // namespace
