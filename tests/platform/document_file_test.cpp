// Documents that are what they claim: the names, files and links a document folder can
// hold, and which of them may be handed to the desktop's viewer.
#include "platform/document_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarvello;

namespace {

const QByteArray kPdf = "%PDF-1.4\n%%EOF\n";

// A folder "docs" with real documents, hostile files and links, beside an "outside"
// folder the links lead to.
class DocumentFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath("docs/sub"));
        ASSERT_TRUE(QDir(root.path()).mkpath("outside"));
        write("docs/w1111000.pdf", kPdf);
        write("docs/UPPER.PDF", kPdf);
        write("docs/sub/nested.pdf", kPdf);
        write("docs/evil.sh", "#!/bin/sh\nrm -rf ~\n");
        write("docs/evil", "#!/bin/sh\nrm -rf ~\n");
        write("docs/script.pdf", "#!/bin/sh\nrm -rf ~\n"); // a script named as a document
        write("docs/empty.pdf", "");
        write("docs/elf.pdf", "\x7f" "ELF\x02\x01\x01");
        write("outside/secret.pdf", kPdf);
        write("outside/tool", "#!/bin/sh\n");
        link("../outside/secret.pdf", "docs/out.pdf");
        link(root.filePath("outside/tool"), "docs/tool.pdf");
        link("w1111000.pdf", "docs/alias.pdf");
        link("sub/nested.pdf", "docs/nested-alias.pdf");
        link("nowhere.pdf", "docs/dangling.pdf");
        link("/bin/sh", "docs/sh.pdf");
        ASSERT_TRUE(QDir(root.path()).mkdir("docs/folder.pdf"));
        ASSERT_EQ(::mkfifo(QFile::encodeName(root.filePath("docs/pipe.pdf")).constData(), 0600), 0);
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
    QString docs() const { return root.filePath("docs"); }

    QTemporaryDir root;
};

TEST_F(DocumentFolder, OnlyPdfDocumentsInsideTheFolderAreDocuments)
{
    struct Case {
        const char* name;
        DocumentFile expected;
    };
    const Case cases[] = {
        {"w1111000.pdf", DocumentFile::Document},
        {"UPPER.PDF", DocumentFile::Document},
        {"alias.pdf", DocumentFile::Document},        // a link to a document beside it
        {"nested-alias.pdf", DocumentFile::Document}, // a link into a subfolder: still inside
        {"missing.pdf", DocumentFile::Missing},       // left to the shell's "File not found"
        {"evil.sh", DocumentFile::NotADocument},
        {"evil.sh ", DocumentFile::NotADocument},     // trailing blank
        {"evil.sh.", DocumentFile::NotADocument},     // trailing dot
        {"evil", DocumentFile::NotADocument},         // a script without an extension
        {"w1111000.pdf ", DocumentFile::NotADocument},
        {"w1111000.pdf.", DocumentFile::NotADocument},
        {"script.pdf", DocumentFile::NotADocument},   // named as a document, is a script
        {"empty.pdf", DocumentFile::NotADocument},
        {"elf.pdf", DocumentFile::NotADocument},
        {"out.pdf", DocumentFile::NotADocument},      // a link leading out of the folder
        {"tool.pdf", DocumentFile::NotADocument},     // a link to a program outside
        {"sh.pdf", DocumentFile::NotADocument},
        {"dangling.pdf", DocumentFile::NotADocument}, // a link to nowhere
        {"folder.pdf", DocumentFile::NotADocument},
        {"pipe.pdf", DocumentFile::NotADocument},     // its read would wait for ever
        {"../outside/secret.pdf", DocumentFile::NotADocument},
        {"sub/nested.pdf", DocumentFile::NotADocument}, // names carry no folder
        {"", DocumentFile::NotADocument},
    };
    for (const Case& c : cases)
        EXPECT_EQ(checkPdfDocument(docs(), QString::fromUtf8(c.name)), c.expected) << '"' << c.name << '"';
}

TEST_F(DocumentFolder, AFolderReachedThroughALinkHoldsItsDocuments)
{
    // An installation whose program folder is itself a link.
    ASSERT_EQ(::symlink(QFile::encodeName(docs()).constData(), QFile::encodeName(root.filePath("linked")).constData()), 0);
    EXPECT_EQ(checkPdfDocument(root.filePath("linked"), "w1111000.pdf"), DocumentFile::Document);
    EXPECT_EQ(checkPdfDocument(root.filePath("linked") + "/", "alias.pdf"), DocumentFile::Document);
    EXPECT_EQ(checkPdfDocument(root.filePath("linked"), "out.pdf"), DocumentFile::NotADocument);
}

TEST_F(DocumentFolder, AMissingFolderLeavesTheNameMissing)
{
    EXPECT_EQ(checkPdfDocument(root.filePath("no such folder"), "w1111000.pdf"), DocumentFile::Missing);
}

} // namespace
