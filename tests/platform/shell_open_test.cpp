// The shell-open layer: result codes and texts, the order of its checks, and the desktop's
// association answered by xdg-mime from a temporary XDG configuration. No viewer is started.
#include "platform/shell_open.h"
#include "tests/support/xdg_sandbox.h"

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
