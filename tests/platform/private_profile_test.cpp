// The settings-file layer: Windows private-profile reading and writing, and a write that
// can never leave a half-written file.
#include "platform/private_profile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace tarvello;

namespace {

class PrivateProfileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("Tarvello.ini"); }

    void writeFile(const QByteArray& data) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QByteArray fileText() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString read(const QString& section, const QString& key) const
    {
        return GetPrivateProfileString(section, key, QString(), path());
    }
};

const QByteArray kSample = "; settings of the selection program\n"
                           "[Common]\n"
                           "Multi= 300\n"
                           "100=IT\n"
                           "\n"
                           "[Custom]\n"
                           "Colour = blue \n"
                           "[Unmis]\n"
                           "Pt= 1\n"
                           "Qa=\n";

TEST_F(PrivateProfileTest, ReadsValuesMatchingNamesWithoutRegardToCase)
{
    writeFile(kSample);
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Common", "Multi", "300"}, // the blank written before a number is not part of it
        {"common", "MULTI", "300"},   {"COMMON", "100", "IT"},    {"Custom", "colour", "blue"},
        {" Unmis ", " pt ", "1"},     {"Unmis", "Qa", ""},        {"Unmis", "Qw", ""},
        {"Nowhere", "Pt", ""},        {"Common", "Pt", ""}, // key of another section
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read(c.section, c.key), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
    }
}

TEST_F(PrivateProfileTest, FirstSectionAndFirstKeyWin)
{
    writeFile("[A]\nk=first\nK=second\n[a]\nk=third\nnew=only-in-second\n");
    EXPECT_EQ(read("A", "k"), "first");
    EXPECT_EQ(read("A", "new"), "");
}

TEST_F(PrivateProfileTest, MissingFileReadsAsDefault)
{
    EXPECT_EQ(read("Common", "Multi"), "");
    EXPECT_EQ(GetPrivateProfileString("Common", "Multi", "fallback", path()), "fallback");
    EXPECT_FALSE(QFile::exists(path())); // reading never creates the file
}

TEST_F(PrivateProfileTest, ValueIsCutToTheBufferLessOne)
{
    const QString longValue = QString(300, u'x').replace(0, 1, u'a');
    writeFile("[Data1]\ntxtTbu=" + longValue.toUtf8() + "\n");
    const QString value = read("Data1", "txtTbu");
    EXPECT_EQ(value.size(), 255);
    EXPECT_EQ(value, longValue.left(255));
    EXPECT_EQ(GetPrivateProfileString("Data1", "txtTbu", {}, path(), 10), longValue.left(9));
    EXPECT_EQ(GetPrivateProfileString("Data1", "none", QString(300, u'd'), path()).size(), 255);
}

TEST_F(PrivateProfileTest, WriteCreatesFileSectionAndKey)
{
    ASSERT_TRUE(WritePrivateProfileString("Unmis", "Pt", " 1", path()));
    EXPECT_EQ(fileText(), "[Unmis]\nPt= 1\n");
    ASSERT_TRUE(WritePrivateProfileString("Unmis", "Qa", " 2", path()));
    ASSERT_TRUE(WritePrivateProfileString("Common", "Multi", " 500", path()));
    EXPECT_EQ(fileText(), "[Unmis]\nPt= 1\nQa= 2\n[Common]\nMulti= 500\n");
    EXPECT_EQ(read("unmis", "qa"), "2");
}

TEST_F(PrivateProfileTest, WriteKeepsEveryOtherLineAsItWas)
{
    writeFile(kSample);
    ASSERT_TRUE(WritePrivateProfileString("common", "MULTI", " 1100", path()));
    ASSERT_TRUE(WritePrivateProfileString("Common", "Extra", "x", path()));
    ASSERT_TRUE(WritePrivateProfileString("Unmis", "DpA", " 1", path()));
    EXPECT_EQ(fileText(), "; settings of the selection program\n"
                          "[Common]\n"
                          "Multi= 1100\n"
                          "100=IT\n"
                          "Extra=x\n"
                          "\n"
                          "[Custom]\n"
                          "Colour = blue \n"
                          "[Unmis]\n"
                          "Pt= 1\n"
                          "Qa=\n"
                          "DpA= 1\n");
}

TEST_F(PrivateProfileTest, WriteKeepsWindowsLineEndsAndAMissingLastLineEnd)
{
    writeFile("[Common]\r\nMulti= 100\r\n[Unmis]\r\nPt= 0");
    ASSERT_TRUE(WritePrivateProfileString("Common", "Multi", " 300", path()));
    ASSERT_TRUE(WritePrivateProfileString("Unmis", "Qa", " 1", path()));
    ASSERT_TRUE(WritePrivateProfileString("Data1", "txtTbu", "27", path()));
    EXPECT_EQ(fileText(), "[Common]\r\nMulti= 300\r\n[Unmis]\r\nPt= 0\r\nQa= 1\r\n"
                          "[Data1]\r\ntxtTbu=27\r\n");
}

TEST_F(PrivateProfileTest, WriteReplacesTheFileInsteadOfRewritingItInPlace)
{
    // A second name for the old file: if the layer truncated and rewrote the file in
    // place, a crash in between would lose the settings, and this name would see the
    // new contents. Replacing by rename leaves the old file whole until the new one is
    // complete.
    writeFile(kSample);
    const QString oldName = dir.filePath("old.ini");
    ASSERT_EQ(::link(QFile::encodeName(path()).constData(), QFile::encodeName(oldName).constData()),
              0);
    ASSERT_TRUE(WritePrivateProfileString("Common", "Multi", " 700", path()));
    QFile old(oldName);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), kSample);
    EXPECT_EQ(read("Common", "Multi"), "700");
    // No temporary file is left beside the settings.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(PrivateProfileTest, FailedWriteReportsAndLeavesNoFile)
{
    const QString noFolder = dir.filePath("missing/Tarvello.ini");
    EXPECT_FALSE(WritePrivateProfileString("Common", "Multi", " 300", noFolder));
    EXPECT_FALSE(QFile::exists(noFolder));
    // A path that is a folder cannot be read as a settings file: nothing is written.
    ASSERT_TRUE(QDir(dir.path()).mkdir("Tarvello.ini"));
    EXPECT_FALSE(WritePrivateProfileString("Common", "Multi", " 300", path()));
    EXPECT_EQ(read("Common", "Multi"), "");
}

TEST_F(PrivateProfileTest, NumbersAreWrittenWithASpaceOrAMinusSign)
{
    const std::pair<int, const char*> cases[] = {
        {0, " 0"}, {1, " 1"}, {300, " 300"}, {-1, "-1"}, {-32768, "-32768"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(profileNumberText(value), QString::fromLatin1(text));
}

} // namespace
