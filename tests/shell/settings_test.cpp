// The settings file as the shell uses it: single keys, the text boxes of a selection
// window, the decimal separator of the locale and the start-up defaults.
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/text_table.h"
#include "shell/units.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qt_print.h"

#include <memory>

using namespace tarvello;

namespace {

// Points the program folder at a fresh temporary folder for one test.
class ProgramFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        savedDir = AppDir;
        savedSep = DecimalSep;
        AppDir = withTrailingSeparator(dir.path());
    }
    void TearDown() override
    {
        AppDir = savedDir;
        DecimalSep = savedSep;
    }
    void writeSettings(const QByteArray& text) const
    {
        QFile file(settingsFilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray settingsText() const
    {
        QFile file(settingsFilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString savedDir;
    QString savedSep;
};

TEST(DecimalSep, FoundInTheLocalesFormOfTenThirds)
{
    EXPECT_EQ(decimalSepOf(QLocale(QLocale::English, QLocale::UnitedStates)), ".");
    EXPECT_EQ(decimalSepOf(QLocale(QLocale::Italian, QLocale::Italy)), ",");
    EXPECT_EQ(decimalSepOf(QLocale(QLocale::German, QLocale::Germany)), ",");
    EXPECT_EQ(decimalSepOf(QLocale(QLocale::Polish, QLocale::Poland)), ",");
    EXPECT_EQ(decimalSepOf(QLocale::c()), ".");
    // Arabic writes its own separator: neither "." nor ",".
    EXPECT_EQ(decimalSepOf(QLocale(QLocale::Arabic, QLocale::Egypt)), "");
}

TEST(AppDir, GetsOneTrailingSeparator)
{
    EXPECT_EQ(withTrailingSeparator("/opt/tarvello"), "/opt/tarvello/");
    EXPECT_EQ(withTrailingSeparator("/opt/tarvello/"), "/opt/tarvello/");
    EXPECT_EQ(withTrailingSeparator("/"), "/"); // a root folder gets no second one
}

TEST(MatchDecimalSeparator, OnlyTheFirstWrongSeparatorChanges)
{
    struct Case {
        const char* saved;
        const char* sep;
        const char* restored;
    };
    const Case cases[] = {
        {"12,5", ".", "12.5"},         {"1.234,5", ".", "1.234.5"}, // only the first ","
        {"12.5", ",", "12,5"},         {"1.234,5", ",", "1,234,5"}, // the first "." under ","
        {"1,2,3", ".", "1.2,3"},       {"27", ".", "27"},
        {"", ",", ""},                 {"12.5", ".", "12.5"},
        {"12,5", "", "12,5"}, // unknown separator: the text is kept, not "125"
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchDecimalSeparator(c.saved, c.sep), QString::fromLatin1(c.restored))
            << c.saved << " under '" << c.sep << "'";
}

TEST_F(ProgramFolder, ReadAndWriteSingleKeys)
{
    EXPECT_EQ(LeggiIni("Common", "Multi"), ""); // no file yet
    ScriviIni("Common", "Multi", " 1100");
    EXPECT_EQ(LeggiIni("common", "multi"), "1100");
    EXPECT_EQ(settingsText(), "[Common]\nMulti= 1100\n");
}

TEST_F(ProgramFolder, ThreeHundredCharactersReadBackAsTheFirst255)
{
    const QString value = QString(300, u'7');
    ScriviIni("Data1", "txtTbu", value);
    EXPECT_EQ(LeggiIni("Data1", "txtTbu"), value.left(255));
}

std::unique_ptr<QLineEdit> textBox(const QString& name, const QString& text = {})
{
    auto box = std::make_unique<QLineEdit>();
    box->setObjectName(name);
    box->setText(text);
    return box;
}

TEST_F(ProgramFolder, TextBoxesSavedUnderNameAndIndexAndRestored)
{
    auto tw0 = textBox("txtTw1(0)", "7");
    auto tw1 = textBox("txtTw1(1)", "45");
    auto tbu = textBox("txtTbu", "19,5");
    auto nameless = textBox("", "lost");
    const QList<QLineEdit*> boxes = {tw0.get(), tw1.get(), tbu.get(), nameless.get()};
    SalvaCampi(boxes, "Data1");
    EXPECT_EQ(settingsText(), "[Data1]\ntxtTw1(0)=7\ntxtTw1(1)=45\ntxtTbu=19,5\n");

    for (QLineEdit* box : boxes)
        box->setText("changed");
    DecimalSep = ".";
    RipristinaCampi(boxes, "Data1");
    EXPECT_EQ(tw0->text(), "7");
    EXPECT_EQ(tw1->text(), "45");
    EXPECT_EQ(tbu->text(), "19.5"); // saved under "," and restored under "."
    EXPECT_EQ(nameless->text(), "changed");
}

TEST_F(ProgramFolder, MissingKeyEmptiesTheBox)
{
    writeSettings("[Data2]\ntxtQa=0.3\n");
    auto qa = textBox("txtQa", "x");
    auto pst = textBox("txtPst", "x");
    DecimalSep = ",";
    RipristinaCampi({qa.get(), pst.get()}, "Data2");
    EXPECT_EQ(qa->text(), "0,3");
    EXPECT_EQ(pst->text(), "");
}

TEST(ProfileInteger, ReadsSixteenBitIntegers)
{
    EXPECT_EQ(profileInteger(" 300"), 300);
    EXPECT_EQ(profileInteger("-1"), -1);
    EXPECT_EQ(profileInteger("32767"), 32767);
    EXPECT_FALSE(profileInteger(""));
    EXPECT_FALSE(profileInteger("abc"));
    EXPECT_FALSE(profileInteger("3 00"));
    EXPECT_FALSE(profileInteger("32768"));
}

TEST(LanguageBase, OfTheSystemLocaleOrEnglish)
{
    const std::pair<QLocale::Language, int> cases[] = {
        {QLocale::Italian, 100}, {QLocale::English, 300}, {QLocale::French, 500}, {QLocale::German, 700},
        {QLocale::Spanish, 900}, {QLocale::Polish, 1100}, {QLocale::Dutch, 300},  {QLocale::Japanese, 300}};
    for (const auto& [language, base] : cases)
        EXPECT_EQ(languageBaseOf(QLocale(language)), base) << QLocale::languageToString(language).toStdString();
}

// Start-up reading of the units and the language, with good, missing and broken values.
TEST_F(ProgramFolder, StartReadsSavedUnitsAndLanguage)
{
    writeSettings("[Common]\nMulti= 1100\n1100=PL\n300=EN\n[Unmis]\nPt= 1\nQa= 2\nQw= 1\nDpW= 1\nDpA= 1\n");
    CaricaUnita();
    EXPECT_EQ(LangBase, 1100);
    EXPECT_EQ(LangCode, "PL");
    EXPECT_EQ(UnitPt.index, 1);
    EXPECT_EQ(UnitQa.index, 2);
    EXPECT_EQ(UnitQw.index, 1);
    EXPECT_EQ(UnitDpW.index, 1);
    EXPECT_EQ(UnitDpA.index, 1);
    EXPECT_EQ(UnitQa.name(), "m3/h");
}

TEST_F(ProgramFolder, MissingSettingsFileGivesSoundDefaults)
{
    UnitQa.index = 2;
    CaricaUnita();
    EXPECT_EQ(LangBase, languageBaseOf(QLocale::system()));
    EXPECT_TRUE(isLanguageBase(LangBase));
    EXPECT_EQ(LangCode, "");
    for (const UnitChoice* unit : {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA})
        EXPECT_EQ(unit->index, 0);
    EXPECT_FALSE(QFile::exists(settingsFilePath())); // reading creates nothing
}

TEST_F(ProgramFolder, BrokenSettingsGiveSoundDefaults)
{
    writeSettings("[Common]\nMulti=English\n[Unmis]\nPt=W\nQa= 9\nQw=-1\nDpW=\nDpA= 99999\n");
    CaricaUnita();
    EXPECT_EQ(LangBase, languageBaseOf(QLocale::system()));
    for (const UnitChoice* unit : {&UnitPt, &UnitQa, &UnitQw, &UnitDpW, &UnitDpA})
        EXPECT_EQ(unit->index, 0) << unit->names.first().toStdString();

    writeSettings("[Common]\nMulti= 400\n");
    CaricaUnita();
    EXPECT_EQ(LangBase, languageBaseOf(QLocale::system())); // 400 is no language base
}

} // namespace
