// The product information documents must be what they claim: a link or a program by the
// document's name in the program folder is refused as "File not found"; and the start
// clears the temporary files killed settings writes left.
#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/documents.h"
#include "shell/forms.h"
#include "shell/open_failure.h"
#include "shell/recording_message_sink.h"
#include "shell/shell_services.h"
#include "shell/startup.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace tarvello;

namespace {

class RecordingLauncher : public ShellLauncher {
public:
    int openDocument(const QString& path) override
    {
        opened << path;
        return kShellOpened;
    }
    bool startProgram(const QString&, const QString&) override { return true; }

    QStringList opened;
};

class ShellProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkdir("program"));
        savedDir = AppDir;
        savedCode = LangCode;
        AppDir = withTrailingSeparator(root.filePath("program"));
        services().launcher = &launcher;
    }
    void TearDown() override
    {
        Forms::unloadAllExcept({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        services() = ShellServices{};
        AppDir = savedDir;
        LangCode = savedCode;
    }
    void write(const QString& name, const QByteArray& data) const
    {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    void link(const QString& target, const QString& name) const
    {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(root.filePath(name)).constData()), 0);
    }

    QTemporaryDir root;
    QString savedDir;
    QString savedCode;
    RecordingLauncher launcher;
    RecordingMessageSink sink;
};

TEST_F(ShellProgramFolder, OnlyAProductDocumentIsOpened)
{
    write("program/DTBEN04-7.pdf", "%PDF-1.4\n%%EOF\n");
    write("program/DTBIT04-7.pdf", "#!/bin/sh\n");             // a script by the document's name
    write("secret.pdf", "%PDF-1.4\n%%EOF\n");
    link("../secret.pdf", "program/DTBFR04-7.pdf");            // a link out of the folder
    link("/bin/sh", "program/DTBDE04-7.pdf");                  // a link to a program
    link("DTBEN04-7.pdf", "program/DTBES04-7.pdf");            // a link to a document beside it
    struct Case {
        const char* code;
        bool opened;
        bool refused; // "File not found" shown without asking the shell
    };
    const Case cases[] = {
        {"EN", true, false}, {"ES", true, false},
        {"PL", true, false}, // missing: the shell is asked and reports it
        {"IT", false, true}, {"FR", false, true}, {"DE", false, true},
    };
    for (const Case& c : cases) {
        launcher.opened.clear();
        sink.messages.clear();
        LangCode = QString::fromLatin1(c.code);
        openProductInformation();
        const QString path = AppDir + productInformationName(LangCode);
        EXPECT_EQ(launcher.opened, c.opened ? QStringList({path}) : QStringList()) << c.code;
        if (c.refused) {
            ASSERT_EQ(sink.messages.size(), 1) << c.code;
            EXPECT_EQ(sink.messages[0].text, documentNotOpenedText(kShellFileNotFound, path));
        } else {
            EXPECT_TRUE(sink.messages.isEmpty()) << c.code;
        }
    }
}

TEST_F(ShellProgramFolder, TheStartRemovesStaleTemporaryFilesOfTheSettings)
{
    write("program/Tarvello.ini", "[Common]\nMulti= 300\n300=EN\n");
    write("program/tarvello.mdb", "stand-in");
    write("program/Tarvello.ini.UmdxOn", "[Common]\nMul");
    write("program/Tarvello.ini.bak", "the user's copy");
    for (const char* name : {"program/Tarvello.ini.UmdxOn", "program/Tarvello.ini.bak"}) {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    }
    ASSERT_TRUE(Main(root.filePath("program"), 1280));
    EXPECT_FALSE(QFile::exists(root.filePath("program/Tarvello.ini.UmdxOn")));
    EXPECT_TRUE(QFile::exists(root.filePath("program/Tarvello.ini.bak")));
    EXPECT_TRUE(QFile::exists(root.filePath("program/Tarvello.ini")));
}

} // namespace
