// Opening a wiring diagram: the folder, the refused names and the messages of failures.
#include "configurator/module1.h"

#include "fake_configurator.h"

#include <gtest/gtest.h>

namespace pinvale {
namespace {

using testing::RecordingMessages;
using testing::RecordingOpener;

TEST(WiringNames, DocumentNamesInsideTheFolderAreAccepted)
{
    for (const char* name : {"w1111000.pdf", "w0000011.pdf", "KXR multiple.pdf", "..notes.pdf",
                             "a.b.c.PDF"})
        EXPECT_TRUE(isSafeWiringName(QString::fromUtf8(name))) << name;
}

TEST(WiringNames, NamesThatLeaveTheFolderOrRunAProgramAreRefused)
{
    for (const char* name :
         {"", ".", "..", "../pinvale.mdb", "..\\..\\boot.ini", "sub/w1111000.pdf", "/etc/passwd",
          "C:\\Windows\\notepad.exe", "c:w.pdf", "setup.exe", "RUN.BAT", "install.sh",
          "viewer.desktop", "tool.AppImage", "macro.vbs", "x.jar", "start.py", "lib.so",
          "w\n.pdf"})
        EXPECT_FALSE(isSafeWiringName(QString::fromUtf8(name))) << name;
}

TEST(OpenWiringDocument, AnEmptyNameSaysThereIsNoDocument)
{
    RecordingOpener opener;
    RecordingMessages messages;
    OpenWiringDocument(QString(), "/opt/velmora", opener, messages);
    EXPECT_EQ(messages.shown, QStringList({"Documentazione non trovata"}));
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST(OpenWiringDocument, ARefusedNameNeverReachesTheShell)
{
    RecordingOpener opener;
    RecordingMessages messages;
    OpenWiringDocument("../../bin/sh", "/opt/velmora", opener, messages);
    OpenWiringDocument("payload.exe", "/opt/velmora", opener, messages);
    EXPECT_EQ(messages.shown,
              QStringList({"Documentazione non trovata", "Documentazione non trovata"}));
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST(OpenWiringDocument, ShellResultsGiveTheirMessage)
{
    struct Case {
        int result;
        const char* message;  // empty: nothing shown
    };
    // A failure is told in plain words, with the path and the shell's text.
    const Case cases[] = {
        {42, ""},
        {33, ""},
        {32, "Il programma impostato per aprire i documenti PDF non si avvia.\n\n/opt/velmora/wiring diagrams/w1.pdf"
             "\n\nPotete aprire la cartella che lo contiene, oppure copiarne il percorso.\n\n(DLL not found)"},
        {2, "Lo schema non è stato trovato.\n\n/opt/velmora/wiring diagrams/w1.pdf"
            "\n\nPotete aprire la cartella che lo contiene, oppure copiarne il percorso.\n\n(File not found)"},
        {3, "Lo schema non è stato trovato.\n\n/opt/velmora/wiring diagrams/w1.pdf"
            "\n\nPotete aprire la cartella che lo contiene, oppure copiarne il percorso.\n\n(Path not found)"},
        {31, "Nessun programma per aprire i documenti PDF è impostato su questo computer.\n\n"
             "/opt/velmora/wiring diagrams/w1.pdf\n\nPotete aprire la cartella che lo contiene, oppure copiarne il "
             "percorso.\n\n(No association for file extension)"},
        {27, "Il programma impostato per aprire i documenti PDF non si avvia.\n\n/opt/velmora/wiring diagrams/w1.pdf"
             "\n\nPotete aprire la cartella che lo contiene, oppure copiarne il percorso.\n\n"
             "(Incomplete or invalid file association)"},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        opener.result = c.result;
        RecordingMessages messages;
        OpenWiringDocument("w1.pdf", "/opt/velmora", opener, messages);
        EXPECT_EQ(opener.opened, QStringList({"/opt/velmora/wiring diagrams/w1.pdf"}));
        const QStringList expected =
            *c.message ? QStringList({QString::fromUtf8(c.message)}) : QStringList();
        EXPECT_EQ(messages.shown, expected) << c.result;
    }
}

TEST(OpenWiringDocument, TheFolderIsUnderTheProgramFolder)
{
    EXPECT_EQ(wiringDiagramsFolder("/opt/velmora"), "/opt/velmora/wiring diagrams");
    EXPECT_EQ(wiringDiagramsFolder("/opt/velmora/"), "/opt/velmora/wiring diagrams");
}

} // namespace
} // namespace pinvale
