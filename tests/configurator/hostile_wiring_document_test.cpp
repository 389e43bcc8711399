// Wiring documents named by the configurator database that are not what they claim: only
// a PDF document inside the diagrams folder, after its links are followed, reaches the
// desktop; anything else is "Documentazione non trovata", a missing file the shell's
// "File not found".
#include "configurator/module1.h"

#include "fake_configurator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

namespace pinvale {
namespace {

using testing::RecordingMessages;
using testing::RecordingOpener;

class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("program/wiring diagrams"));
        write("program/wiring diagrams/w1111000.pdf", "%PDF-1.4\n%%EOF\n");
        write("program/wiring diagrams/evil.sh", "#!/bin/sh\n");
        write("program/wiring diagrams/evil", "#!/bin/sh\n");
        write("program/wiring diagrams/w0000000.pdf", "#!/bin/sh\n");
        write("program/pinvale.mdb", "%PDF-1.4 not really\n");
        write("secret.pdf", "%PDF-1.4\n%%EOF\n");
        link("../../secret.pdf", "program/wiring diagrams/w0000001.pdf");
        link("/bin/sh", "program/wiring diagrams/w0000010.pdf");
        link("../pinvale.mdb", "program/wiring diagrams/w0000011.pdf");
        link("w1111000.pdf", "program/wiring diagrams/w1111001.pdf");
    }
    void write(const QString& name, const QByteArray& data)
    {
        QFile file(root.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    void link(const QString& target, const QString& name)
    {
        ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(root.filePath(name)).constData()), 0);
    }
    QString program() const { return root.filePath("program"); }
    QString diagram(const QString& name) const { return program() + "/wiring diagrams/" + name; }

    QTemporaryDir root;
};

TEST_F(ProgramFolder, OnlyDocumentsReachTheDesktop)
{
    struct Case {
        const char* name;
        bool opened;
        const char* message; // "": none; "missing": the shell's File not found on the path
    };
    const Case cases[] = {
        {"w1111000.pdf", true, ""},
        {"w1111001.pdf", true, ""},       // a link to a document beside it
        {"w9999999.pdf", true, "missing"}, // no file: the shell reports it
        {"evil.sh", false, "Documentazione non trovata"},
        {"evil.sh ", false, "Documentazione non trovata"},
        {"evil.sh.", false, "Documentazione non trovata"},
        {"evil", false, "Documentazione non trovata"},
        {"w0000000.pdf", false, "Documentazione non trovata"}, // a script named as a document
        {"w0000001.pdf", false, "Documentazione non trovata"}, // a link out of the folder
        {"w0000010.pdf", false, "Documentazione non trovata"}, // a link to a program
        {"w0000011.pdf", false, "Documentazione non trovata"}, // a link to the database
        {"w1111000.pdf ", false, "Documentazione non trovata"},
    };
    for (const Case& c : cases) {
        RecordingOpener opener;
        opener.result = QString::fromLatin1(c.message) == "missing" ? 2 : 42;
        RecordingMessages messages;
        OpenWiringDocument(QString::fromUtf8(c.name), program(), opener, messages);
        const QString path = diagram(QString::fromUtf8(c.name));
        EXPECT_EQ(opener.opened, c.opened ? QStringList({path}) : QStringList()) << '"' << c.name << '"';
        QStringList expected;
        if (QString::fromLatin1(c.message) == "missing")
            expected << wiringNotOpenedText(2, path);
        else if (*c.message)
            expected << QString::fromLatin1(c.message);
        EXPECT_EQ(messages.shown, expected) << '"' << c.name << '"';
    }
}

TEST(WiringNames, OnlyPdfNamesAreDocuments)
{
    for (const char* name : {"schema.svg", "notes.txt", "w1111000", "w1111000.pdf.", "w1111000.pdf ", "w.pdf.exe"})
        EXPECT_FALSE(isSafeWiringName(QString::fromUtf8(name))) << name;
    for (const char* name : {"w1111000.pdf", "a.b.c.PDF", "KXR multiple.pdf"})
        EXPECT_TRUE(isSafeWiringName(QString::fromUtf8(name))) << name;
}

} // namespace
} // namespace pinvale
