// A wiring diagram the desktop could not open: what the user is offered and what each
// offer does (the folder shown through the opener, the path on the clipboard), and a
// default viewer whose program is missing reported instead of failing unseen.
#include "configurator/module1.h"
#include "platform/shell_open.h"
#include "shell/desktop_check.h"
#include "tests/support/xdg_sandbox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace pinvale {
namespace {

class PickingMessages : public MessageSink {
public:
    void show(const QString& text) override { shown << text; }
    int choose(const QString& text, const QStringList& choices) override
    {
        offered << text;
        offers = choices;
        return pick;
    }
    QStringList shown, offered, offers;
    int pick = -1;
};

class FolderOpener : public DocumentOpener {
public:
    int open(const QString& path) override
    {
        opened << path;
        return result;
    }
    bool openFolder(const QString& folder) override
    {
        folders << folder;
        return folderShown;
    }
    QStringList opened, folders;
    int result = tarvello::kShellNoAssociation;
    bool folderShown = true;
};

TEST(WiringOffers, EachOfferDoesWhatItSays)
{
    struct Case {
        int pick;
        bool folderShown;
        bool folderAsked;
        bool pathCopied;
        int furtherMessages;
    };
    const Case cases[] = {
        {-1, true, false, false, 0}, // closed: nothing more
        {0, true, true, false, 0},   // the folder shown
        {0, false, true, false, 1},  // no file manager either: told so
        {1, true, false, true, 0},   // the path copied
    };
    const QString path = QStringLiteral("/opt/velmora/wiring diagrams/w1.pdf");
    for (const Case& c : cases) {
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        FolderOpener opener;
        opener.folderShown = c.folderShown;
        PickingMessages messages;
        messages.pick = c.pick;
        OpenWiringDocument("w1.pdf", "/opt/velmora", opener, messages);
        ASSERT_EQ(messages.offered.size(), 1) << c.pick;
        EXPECT_EQ(messages.offered.first(), wiringNotOpenedText(tarvello::kShellNoAssociation, path));
        EXPECT_EQ(messages.offers, QStringList({"Apri la cartella", "Copia il percorso"}));
        EXPECT_EQ(opener.folders, c.folderAsked ? QStringList({"/opt/velmora/wiring diagrams"}) : QStringList());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.pathCopied ? path : QStringLiteral("before")) << c.pick;
        EXPECT_EQ(messages.shown.size(), c.furtherMessages) << c.pick;
    }
}

TEST(WiringOffers, AViewerWhoseProgramIsMissingIsAnInvalidAssociation)
{
    XdgSandbox sandbox;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString document = folder.filePath("w1.pdf");
    QFile pdf(document);
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n%%EOF\n");
    pdf.close();
    struct Case {
        const char* exec;
        int expected;
        bool started;
    };
    const Case cases[] = {
        {"/nonexistent/viewer %f", tarvello::kShellInvalidAssociation, false},
        {"no-such-viewer-program %f", tarvello::kShellInvalidAssociation, false},
        {"/bin/true %f", tarvello::kShellOpened, true},
        {"true %f", tarvello::kShellOpened, true},
    };
    for (const Case& c : cases) {
        QFile entry(QFile::decodeName(qgetenv("XDG_DATA_HOME")) + "/applications/fake-viewer.desktop");
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly | QIODevice::Truncate));
        entry.write(QByteArray("[Desktop Entry]\nType=Application\nName=Fake\nExec=") + c.exec + "\n");
        entry.close();
        bool started = false;
        tarvello::ShellDesktop base;
        base.defaultApplicationFor = [](const QString&) { return QStringLiteral("fake-viewer.desktop"); };
        base.startViewer = [&started](const QString&) { return started = true; };
        EXPECT_EQ(tarvello::ShellExecute(document, tarvello::checkedDesktop(base)), c.expected) << c.exec;
        EXPECT_EQ(started, c.started) << c.exec;
    }
}

} // namespace
} // namespace pinvale
