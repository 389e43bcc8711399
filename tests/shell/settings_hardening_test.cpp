// Fields and settings against line breaks, and writes that fail: a field keeps one line
// whatever is pasted, a saved field cannot add lines to the settings file, and a setting
// that cannot be saved is told to the user once.
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/funmis.h"
#include "shell/language.h"
#include "shell/recording_message_sink.h"
#include "shell/settings.h"
#include "shell/single_line_field.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt_print.h"

using namespace tarvello;

namespace {

// ---- A field keeps one line ----

enum class Edit { Paste, Insert, SetText };

struct FieldCase {
    const char* name;
    QString before;  // the box's text, cursor at `cursor`
    int cursor;
    Edit edit;
    QString input;   // what is pasted, inserted or set
    QString after;
    int cursorAfter; // -1: not checked
};

class SingleLineFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(SingleLineFieldTest, LosesItsLineBreaks)
{
    const FieldCase& c = GetParam();
    QLineEdit box;
    box.setObjectName("txtPotric");
    keepSingleLine(&box);
    box.setText(c.before);
    box.setCursorPosition(c.cursor);
    switch (c.edit) {
    case Edit::Paste:
        QApplication::clipboard()->setText(c.input);
        box.paste();
        break;
    case Edit::Insert: box.insert(c.input); break;
    case Edit::SetText: box.setText(c.input); break;
    }
    EXPECT_EQ(box.text(), c.after);
    if (c.cursorAfter >= 0) {
        EXPECT_EQ(box.cursorPosition(), c.cursorAfter);
    }
    EXPECT_TRUE(box.hasAcceptableInput()) << "the box's editing signals must not change";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SingleLineFieldTest,
    ::testing::Values(
        // The paste that once wrote a section into the settings file.
        FieldCase{"PastedSection", "", 0, Edit::Paste, "1000\n[Common]\nMulti= 100", "1000[Common]Multi= 100", 22},
        FieldCase{"SpreadsheetCell", "", 0, Edit::Paste, "1000\r\n", "1000", 4},
        FieldCase{"PasteInTheMiddle", "1234", 2, Edit::Paste, "5\n6", "125634", 4},
        FieldCase{"InsertedSeparators", "7", 1, Edit::Insert, QString::fromUtf16(u"\u2028" u"5\u2029"), "75", 2},
        FieldCase{"Nul", "", 0, Edit::Insert, QString::fromUtf16(u"4\u00005", 3), "45", 2},
        FieldCase{"SetByTheProgram", "", 0, Edit::SetText, "19,5\n", "19,5", -1},
        FieldCase{"PlainPasteUntouched", "", 0, Edit::Paste, "27,5", "27,5", 4}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(SingleLineField, TextAlreadyInTheBoxIsCleanedAtOnce)
{
    QLineEdit box;
    box.setText("12\n5");
    keepSingleLine(&box);
    EXPECT_EQ(box.text(), "125");
    keepSingleLine(nullptr); // harmless
}

// ---- The settings of the program folder ----

class SettingsFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDir = AppDir;
        savedBase = LangBase;
        AppDir = withTrailingSeparator(dir.path());
        LangBase = 300;
    }
    void TearDown() override
    {
        AppDir = savedDir;
        LangBase = savedBase;
    }
    QByteArray settingsText() const
    {
        QFile file(settingsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A folder in place of the settings file: every write fails, as for a read-only file.
    void makeSettingsUnwritable() const { ASSERT_TRUE(QDir(dir.path()).mkdir("Tarvello.ini")); }

    QTemporaryDir dir;
    QString savedDir;
    qint16 savedBase = 300;
};

TEST_F(SettingsFolder, SavedFieldsCannotAddSectionsOrKeys)
{
    // A box filled by the program, not through keepSingleLine: the writer cleans on its own.
    QLineEdit potric;
    potric.setObjectName("txtPotric");
    potric.setText("1000\n[Common]\nMulti= 100");
    QLineEdit tbu;
    tbu.setObjectName("txtTbu");
    tbu.setText("27");
    SalvaCampi({&potric, &tbu}, "Data1");
    EXPECT_EQ(settingsText(), "[Data1]\ntxtPotric=1000[Common]Multi= 100\ntxtTbu=27\n");
    EXPECT_EQ(LeggiIni("Common", "Multi"), "");
}

TEST_F(SettingsFolder, ASettingThatCannotBeSavedIsToldWithThePath)
{
    makeSettingsUnwritable();
    RecordingMessageSink sink;
    EXPECT_FALSE(ScriviIni("Common", "Multi", " 700"));
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Exclamation);
    EXPECT_EQ(sink.messages[0].text, "The settings could not be saved in " + QDir::toNativeSeparators(settingsFilePath()));
    EXPECT_EQ(sink.messages[0].title, "Tarvello");
}

TEST_F(SettingsFolder, AWindowsFieldsThatCannotBeSavedGiveOneMessage)
{
    makeSettingsUnwritable();
    RecordingMessageSink sink;
    QLineEdit a, b, c;
    a.setObjectName("txtTw1(0)");
    b.setObjectName("txtTw1(1)");
    c.setObjectName("txtTbu");
    SalvaCampi({&a, &b, &c}, "Data1");
    EXPECT_EQ(sink.messages.size(), 1);
}

TEST_F(SettingsFolder, UnitsThatCannotBeSavedGiveOneMessage)
{
    makeSettingsUnwritable();
    RecordingMessageSink sink;
    Forms::funmis()->cmdOK_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(sink.messages.size(), 1) << "one write for the five units";
    EXPECT_EQ(sink.messages[0].text, settingsNotSavedMessage(settingsFilePath()));
    Forms::unloadAllExcept({});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(SettingsFolder, ASavedSettingSaysNothing)
{
    RecordingMessageSink sink;
    EXPECT_TRUE(ScriviIni("Common", "Multi", " 700"));
    EXPECT_TRUE(writeSettings("Unmis", {{"Pt", " 1"}, {"Qa", " 0"}}));
    EXPECT_TRUE(sink.messages.isEmpty());
    EXPECT_EQ(settingsText(), "[Common]\nMulti= 700\n[Unmis]\nPt= 1\nQa= 0\n");
}

} // namespace
