// The shell-open layer: result codes and texts, the order of its checks, and the desktop's
// association answered by xdg-mime from a temporary XDG configuration. No viewer is started.
#include "platform/shell_open.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <unistd.h>

#include <map>

namespace tarvello {
namespace {

TEST(ShellErrorText, EveryClassicCodeHasItsFixedText)
{
    const std::pair<int, const char*> cases[] = {
        {2, "File not found"},
        {3, "Path not found"},
        {5, "Access denied"},
        {8, "Out of memory"},
        {11, "Invalid EXE file or error in EXE image"},
        {26, "A sharing violation occurred"},
        {27, "Incomplete or invalid file association"},
        {28, "DDE Time out"},
        {29, "DDE transaction failed"},
        {30, "DDE busy"},
        {31, "No association for file extension"},
        {32, "DLL not found"},
        {0, "Unknown error"},
        {1, "Unknown error"},
        {4, "Unknown error"},
        {25, "Unknown error"},
        {-1, "Unknown error"},
        {33, ""},
        {42, ""},
    };
    for (const auto& [code, text] : cases)
        EXPECT_EQ(shellErrorText(code), QString::fromUtf8(text)) << code;
}

TEST(ShellErrorText, SuccessStartsAt33)
{
    EXPECT_FALSE(shellOpenSucceeded(32));
    EXPECT_TRUE(shellOpenSucceeded(33));
    EXPECT_TRUE(shellOpenSucceeded(kShellOpened));
    EXPECT_FALSE(shellOpenSucceeded(0));
}

TEST(ShellErrorText, TheMessageNamesThePath)
{
    EXPECT_EQ(shellErrorMessage(2, "/opt/velmora/wiring diagrams/w1.pdf"),
              "File not found on /opt/velmora/wiring diagrams/w1.pdf");
    EXPECT_EQ(shellErrorMessage(31, "x.pdf"), "No association for file extension on x.pdf");
}

// A desktop that answers from a table and records the viewers it was asked to start.
struct RecordingDesktop {
    std::map<QString, QString> defaults;
    bool viewerStarts = true;
    QStringList started;

    ShellDesktop desktop()
    {
        return {[this](const QString& type) {
                    const auto found = defaults.find(type);
                    return found == defaults.end() ? QString() : found->second;
                },
                [this](const QString& path) {
                    started << path;
                    return viewerStarts;
                }};
    }
};

class ShellOpenTest : public ::testing::Test {
protected:
    QString writeFile(const QString& name, const QByteArray& contents)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
        return path;
    }

    ShellOpenTest() { desktop.defaults["application/pdf"] = "fake-viewer.desktop"; }

    QTemporaryDir dir;
    RecordingDesktop desktop;
};

TEST_F(ShellOpenTest, TheChecksComeInOrder)
{
    const QString pdf = writeFile("w1111000.pdf", "%PDF-1.4\n%%EOF\n");
    const QString text = writeFile("notes.unknownext", "");
    struct Case {
        QString path;
        int expected;
    };
    const Case cases[] = {
        {dir.filePath("no such folder/w1111000.pdf"), kShellPathNotFound},
        {dir.filePath("no such folder/deeper/w1.pdf"), kShellPathNotFound},
        {dir.filePath("w0000000.pdf"), kShellFileNotFound},
        {dir.path(), kShellAccessDenied},  // a folder is no document
        {text, kShellNoAssociation},
        {pdf, kShellOpened},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShellExecute(c.path, desktop.desktop()), c.expected) << c.path.toStdString();
    EXPECT_EQ(desktop.started, QStringList({pdf}));  // only the one that passed every check
}

TEST_F(ShellOpenTest, AViewerThatCannotStartIsAnInvalidAssociation)
{
    const QString pdf = writeFile("w1.pdf", "%PDF-1.4\n");
    desktop.viewerStarts = false;
    EXPECT_EQ(ShellExecute(pdf, desktop.desktop()), kShellInvalidAssociation);
}

TEST_F(ShellOpenTest, AnUnreadableFileIsAccessDenied)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QString pdf = writeFile("locked.pdf", "%PDF-1.4\n");
    QFile::setPermissions(pdf, QFileDevice::WriteOwner);
    EXPECT_EQ(ShellExecute(pdf, desktop.desktop()), kShellAccessDenied);
    EXPECT_TRUE(desktop.started.isEmpty());
}

// Points every XDG search path at a private folder while a test runs, and restores them.
class XdgSandbox {
public:
    XdgSandbox()
    {
        for (const char* name : kVariables)
            saved_[name] = qgetenv(name);
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"})
            qunsetenv(name);
        const QDir root(home_.path());
        for (const char* sub : {"config", "etc", "data/applications", "share/applications"})
            root.mkpath(sub);
        linkSystemMimeDatabase(root.filePath("share/mime"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath("etc")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("share")));
    }
    ~XdgSandbox()
    {
        for (const auto& [name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    // A viewer entry for `mimeType`, chosen as the default in mimeapps.list.
    void addDefaultViewer(const QString& mimeType)
    {
        const QDir root(home_.path());
        QFile entry(root.filePath("data/applications/fake-viewer.desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Fake viewer\n"
                    "Exec=/bin/false %f\nMimeType=" + mimeType.toUtf8() + ";\n");
        QFile list(root.filePath("config/mimeapps.list"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("[Default Applications]\n" + mimeType.toUtf8() + "=fake-viewer.desktop\n");
    }

private:
    // The MIME database itself stays visible (Qt reads it from the same folders); only
    // the applications and the associations come from the sandbox.
    void linkSystemMimeDatabase(const QString& link)
    {
        QByteArray dirs = saved_["XDG_DATA_DIRS"];
        if (dirs.isEmpty())
            dirs = "/usr/local/share:/usr/share";
        for (const QByteArray& dir : dirs.split(':')) {
            const QString mime = QDir(QFile::decodeName(dir)).filePath("mime");
            if (QFileInfo::exists(mime + "/packages")) {
                QFile::link(mime, link);
                return;
            }
        }
    }

    static constexpr const char* kVariables[] = {
        "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
        "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
        "XDG_MENU_PREFIX"};
    std::map<QByteArray, QByteArray> saved_;
    QTemporaryDir home_;
};

TEST_F(ShellOpenTest, XdgMimeFindsNoAssociationInAnEmptyDesktop)
{
    XdgSandbox sandbox;
    const QString pdf = writeFile("w1.pdf", "%PDF-1.4\n");
    ShellDesktop xdg = xdgDesktop();
    QStringList started;
    xdg.startViewer = [&](const QString& path) { started << path; return true; };
    EXPECT_EQ(xdg.defaultApplicationFor("application/pdf"), "");
    EXPECT_EQ(ShellExecute(pdf, xdg), kShellNoAssociation);
    EXPECT_TRUE(started.isEmpty());
}

TEST_F(ShellOpenTest, XdgMimeFindsTheDefaultViewerOfTheSandbox)
{
    XdgSandbox sandbox;
    sandbox.addDefaultViewer("application/pdf");
    const QString pdf = writeFile("w1.pdf", "%PDF-1.4\n");
    ShellDesktop xdg = xdgDesktop();
    QStringList started;
    xdg.startViewer = [&](const QString& path) { started << path; return true; };
    EXPECT_EQ(xdg.defaultApplicationFor("application/pdf"), "fake-viewer.desktop");
    EXPECT_EQ(ShellExecute(pdf, xdg), kShellOpened);
    EXPECT_EQ(started, QStringList({pdf}));
    // Another type stays without association.
    const QString svg = writeFile("w1.svg", "<svg xmlns='http://www.w3.org/2000/svg'/>");
    EXPECT_EQ(ShellExecute(svg, xdg), kShellNoAssociation);
}

TEST_F(ShellOpenTest, AnAddressGoesToTheProgramOfItsScheme)
{
    desktop.defaults["x-scheme-handler/https"] = "fake-browser.desktop";
    desktop.defaults["x-scheme-handler/mailto"] = "fake-mail.desktop";
    const QString pdf = writeFile("w1.pdf", "%PDF-1.4\n");
    struct Case {
        QString address;
        int expected;
    };
    const Case cases[] = {
        {"https://www.tarvello.example", kShellOpened},
        {"HTTPS://www.tarvello.example/a", kShellOpened},  // schemes are case-insensitive
        {"mailto:support@tarvello.example", kShellOpened},
        {"ftp://files.tarvello.example", kShellNoAssociation},
        {dir.filePath("missing.pdf"), kShellFileNotFound},  // a plain path is a document
        {QUrl::fromLocalFile(pdf).toString(), kShellOpened},
        {QUrl::fromLocalFile(dir.filePath("missing.pdf")).toString(), kShellFileNotFound},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShellOpenAddress(c.address, desktop.desktop()), c.expected) << c.address.toStdString();
    EXPECT_EQ(desktop.started, QStringList({"https://www.tarvello.example", "HTTPS://www.tarvello.example/a",
                                            "mailto:support@tarvello.example", pdf}));
}

TEST_F(ShellOpenTest, AnAddressWhoseProgramCannotStartIsAnInvalidAssociation)
{
    desktop.defaults["x-scheme-handler/mailto"] = "fake-mail.desktop";
    desktop.viewerStarts = false;
    EXPECT_EQ(ShellOpenAddress("mailto:support@tarvello.example", desktop.desktop()), kShellInvalidAssociation);
}

TEST_F(ShellOpenTest, XdgMimeAnswersForAddressSchemesFromTheSandbox)
{
    XdgSandbox sandbox;
    ShellDesktop xdg = xdgDesktop();
    QStringList started;
    xdg.startViewer = [&](const QString& address) { started << address; return true; };
    EXPECT_EQ(ShellOpenAddress("mailto:support@tarvello.example", xdg), kShellNoAssociation);
    sandbox.addDefaultViewer("x-scheme-handler/mailto");
    EXPECT_EQ(ShellOpenAddress("mailto:support@tarvello.example", xdg), kShellOpened);
    EXPECT_EQ(ShellOpenAddress("https://www.tarvello.example", xdg), kShellNoAssociation);
    EXPECT_EQ(started, QStringList({"mailto:support@tarvello.example"}));
}

} // namespace
} // namespace tarvello
