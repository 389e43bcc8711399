// Start-up, the main window, the chooser, the language and units windows and the
// shutdown, driven without a display; message boxes, the database and the selection
// windows are recorded.
#include "engine/model_table.h"
#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/finfo.h"
#include "shell/flingua.h"
#include "shell/fmenu.h"
#include "shell/forms.h"
#include "shell/fscelta.h"
#include "shell/funmis.h"
#include "shell/language.h"
#include "shell/recording_message_sink.h"
#include "shell/settings.h"
#include "shell/shell_services.h"
#include "shell/startup.h"
#include "shell/text_table.h"
#include "shell/units.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

#include "qt_print.h"

using namespace tarvello;

namespace {

const QByteArray kShippedSettings = "[Common]\n100=IT\n300=EN\n500=FR\n700=DE\n900=ES\n1100=PL\n"
                                    "[Unmis]\nPt= 0\nQa= 0\nQw= 0\nDpW= 0\nDpA= 0\n";

// The shipped settings with a saved language.
QByteArray withLanguage(int base)
{
    return "[Common]\nMulti= " + QByteArray::number(base) + "\n" + kShippedSettings.mid(9);
}

// Everything the shell asked of the world, in order.
class RecordingWorld : public ModelSource, public SelectionWindows, public DocumentOpener {
public:
    std::optional<QString> open(const QString& path, const QString& connect) override
    {
        log << "open " + path + " " + connect;
        const FInfo* splash = Forms::findLoaded<FInfo>();
        splashShownAtOpen = splash && splash->isVisible() && !Forms::findLoaded<Fmenu>();
        return openFailure;
    }
    void close() override { log << "close database"; }
    std::optional<QString> loadLine(int line) override
    {
        log << QStringLiteral("load %1 series %2").arg(line).arg(QString::fromStdString(modelTable().SeriesCode));
        return loadFailure;
    }
    void setCaption(int line, const QString& caption) override
    {
        log << QStringLiteral("caption %1 %2").arg(line).arg(caption);
    }
    void showModal(int line) override { log << QStringLiteral("show %1").arg(line); }
    int openAddress(const QUrl& address) override
    {
        log << "open address " + address.toString();
        return kShellOpened;
    }

    QStringList log;
    std::optional<QString> openFailure;
    bool splashShownAtOpen = false;
    std::optional<QString> loadFailure;
};

class ShellWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        writeFile("Tarvello.ini", kShippedSettings);
        writeFile("tarvello.mdb", "stand-in");
        services().models = &world;
        services().selection = &world;
        services().documents = &world;
        services().endProgram = [this] { world.log << "end program"; };
        modelTable().SeriesCode.clear();
    }
    void TearDown() override
    {
        Forms::unloadAllExcept({});
        flushDeletions();
        services() = ShellServices{};
    }

    static void flushDeletions() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    void writeFile(const QString& name, const QByteArray& data) const
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    QString setting(const QString& section, const QString& key) const { return LeggiIni(section, key); }

    bool start(int screenWidth = 1280)
    {
        const bool started = Main(dir.path(), screenWidth);
        flushDeletions();
        return started;
    }
    // A restart of the program: orderly shutdown, then a new start in the same folder.
    void restart()
    {
        Forms::fmenu()->close();
        flushDeletions();
        ASSERT_TRUE(Forms::openWindows().isEmpty());
        ASSERT_TRUE(start());
    }

    QStringList openWindowNames() const
    {
        QStringList names;
        for (QWidget* window : Forms::openWindows())
            names << window->objectName();
        return names;
    }
    template <typename T>
    static T* control(QWidget* window, const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTemporaryDir dir;
    RecordingWorld world;
    RecordingMessageSink sink;
};

TEST_F(ShellWindows, StartShowsMainWindowWithChooserInSavedLanguage)
{
    writeFile("Tarvello.ini", withLanguage(100));
    ASSERT_TRUE(start());

    EXPECT_EQ(LangBase, 100);
    EXPECT_EQ(LangCode, "IT");
    EXPECT_EQ(openWindowNames(), QStringList({"Fmenu", "fscelta"})); // the splash is gone
    Fmenu* menu = Forms::fmenu();
    EXPECT_EQ(menu->windowTitle(), "Tarvello - " + textForLanguage(100, 60));
    EXPECT_EQ(control<QLabel>(menu, "lblVer")->text(), "Ver. 3.2");
    EXPECT_FALSE(control<QLabel>(menu, "lblOra")->text().isEmpty());
    EXPECT_EQ(control<QMenu>(menu, "mnufile")->title(), textForLanguage(100, 2));
    EXPECT_EQ(control<QMenu>(menu, "mnuinfo")->title(), "&Info");
    EXPECT_EQ(control<QToolButton>(menu, "SSunmis")->toolTip(), textForLanguage(100, 4));
    EXPECT_EQ(world.log, QStringList({"open " + dir.path() + "/tarvello.mdb ;PWD=kelbrun"}));
    EXPECT_TRUE(world.splashShownAtOpen); // the splash is up, the main window not yet
    EXPECT_TRUE(sink.messages.isEmpty());

    Fscelta* chooser = Forms::fscelta();
    EXPECT_EQ(control<QGroupBox>(chooser, "frmselection(0)")->title(), textForLanguage(100, 11));
    EXPECT_EQ(control<QGroupBox>(chooser, "frmselection(1)")->title(), textForLanguage(100, 88));
    EXPECT_EQ(control<QGroupBox>(chooser, "frmselection(2)")->title(), textForLanguage(100, 128));
    EXPECT_EQ(control<QLabel>(chooser, "lbltitolo")->text(), textForLanguage(100, 27));
}

TEST_F(ShellWindows, StartFindsTheLocalesDecimalSeparatorAndTheProgramFolder)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    ASSERT_TRUE(start());
    EXPECT_EQ(DecimalSep, ",");
    EXPECT_EQ(AppDir, dir.path() + "/");
    restart();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    restart();
    EXPECT_EQ(DecimalSep, ".");
    QLocale::setDefault(saved);
}

TEST_F(ShellWindows, ScreenWarningBelowEightHundredPixels)
{
    ASSERT_TRUE(start(800));
    EXPECT_TRUE(sink.messages.isEmpty());
    restart(); // 1280 again: nothing
    EXPECT_TRUE(sink.messages.isEmpty());
    Forms::fmenu()->close();
    flushDeletions();
    ASSERT_TRUE(start(799));
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Critical);
    EXPECT_EQ(sink.messages[0].text, "You must set the screen resolution at least 800 X 600 pixels with small fonts");
    EXPECT_TRUE(Forms::fmenu()->isVisible()); // the program goes on
}

TEST_F(ShellWindows, DatabaseThatCannotBeOpenedEndsTheStart)
{
    world.openFailure = "Cannot open the model database '" + dir.path() + "/tarvello.mdb': Not a valid password.";
    EXPECT_FALSE(start());
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text, *world.openFailure);
    EXPECT_TRUE(Forms::openWindows().isEmpty());
}

TEST(FileCheckModelSource, NamesTheFileAndTheReason)
{
    QTemporaryDir dir;
    FileCheckModelSource source;
    const QString path = dir.filePath("tarvello.mdb");
    const std::optional<QString> missing = source.open(path, ";PWD=kelbrun");
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->contains(path));
    EXPECT_TRUE(missing->contains("does not exist"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_FALSE(source.open(path, ";PWD=kelbrun"));
}

void click(QWidget* widget)
{
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

TEST_F(ShellWindows, ChooserPicksSetCaptionThenLoadThenShow)
{
    writeFile("Tarvello.ini", withLanguage(300));
    ASSERT_TRUE(start());
    world.log.clear();
    Fscelta* chooser = Forms::fscelta();
    click(control<QWidget>(chooser, "frmselection(0)"));
    click(control<QWidget>(chooser, "imgselection(1)"));
    click(control<QWidget>(chooser, "frmselection(2)"));
    chooser->frmselection_Click(3); // no such line: nothing
    chooser->imgselection_Click(-1);
    EXPECT_EQ(world.log, QStringList({"caption 0 Models KXA KXE KXH", "load 0 series ", "show 0",
                                      "caption 1 Models KXR", "load 1 series MRZ", "show 1",
                                      "caption 2 Models KXN", "load 2 series HJQ", "show 2"}));
    EXPECT_EQ(modelTable().SeriesCode, "HJQ");
}

TEST_F(ShellWindows, LoadErrorIsShownThenTheProgramEndsInOrder)
{
    ASSERT_TRUE(start());
    world.log.clear();
    world.loadFailure = "Table DatiMRZ, row 3, column Portata: Invalid use of Null";
    Forms::fscelta()->frmselection_Click(1);
    flushDeletions();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].text, *world.loadFailure);
    ASSERT_GE(world.log.size(), 3);
    EXPECT_EQ(world.log.mid(1), QStringList({"load 1 series MRZ", "close database", "end program"}));
    EXPECT_TRUE(Forms::openWindows().isEmpty());
}

TEST_F(ShellWindows, ClosingTheMainWindowShutsDownInOrder)
{
    ASSERT_TRUE(start());
    Forms::flingua()->show();
    Forms::funmis()->show();
    world.log.clear();
    EXPECT_EQ(openWindowNames(), QStringList({"Fmenu", "fscelta", "Flingua", "Funmis"}));
    control<QAction>(Forms::fmenu(), "mnufine")->trigger();
    flushDeletions();
    EXPECT_EQ(world.log, QStringList({"close database", "end program"}));
    EXPECT_TRUE(Forms::openWindows().isEmpty());
}

TEST_F(ShellWindows, LanguageChangeReplacesTheChooserAndPersists)
{
    writeFile("Tarvello.ini", withLanguage(100));
    ASSERT_TRUE(start());
    Fmenu* menu = Forms::fmenu();
    control<QAction>(menu, "mnuUnmis")->trigger();
    control<QAction>(menu, "mnulingua")->trigger();
    Flingua* languages = Forms::flingua();
    EXPECT_EQ(languages->windowTitle(), textForLanguage(100, 69));
    EXPECT_EQ(control<QLabel>(languages, "lblLingua(4)")->text(), textForLanguage(100, 17));
    const QPointer<Fscelta> oldChooser = Forms::fscelta();

    control<QToolButton>(languages, "Image1(1)")->click(); // English
    flushDeletions();

    EXPECT_EQ(LangBase, 300);
    EXPECT_EQ(LangCode, "EN");
    EXPECT_EQ(menu->windowTitle(), "Tarvello - Calculation program");
    EXPECT_TRUE(oldChooser.isNull());
    EXPECT_EQ(openWindowNames(), QStringList({"Fmenu", "fscelta"}));
    EXPECT_EQ(control<QLabel>(Forms::fscelta(), "lbltitolo")->text(), "Fan Coil Selection");
    EXPECT_EQ(setting("Common", "Multi"), "300");

    Forms::flingua()->Image1_Click(5); // Polish, then a restart opens in Polish
    restart();
    EXPECT_EQ(LangBase, 1100);
    EXPECT_EQ(LangCode, "PL");
    EXPECT_EQ(Forms::fmenu()->windowTitle(), "Tarvello - " + textForLanguage(1100, 60));
}

TEST_F(ShellWindows, SpanishChooserTitleAtTwentyPoints)
{
    writeFile("Tarvello.ini", withLanguage(300));
    ASSERT_TRUE(start());
    const int designSize = control<QLabel>(Forms::fscelta(), "lbltitolo")->font().pointSize();
    EXPECT_NE(designSize, 20);
    Forms::flingua()->Image1_Click(4);
    flushDeletions();
    EXPECT_EQ(control<QLabel>(Forms::fscelta(), "lbltitolo")->font().pointSize(), 20);
    Forms::flingua()->Image1_Click(3);
    flushDeletions();
    EXPECT_EQ(control<QLabel>(Forms::fscelta(), "lbltitolo")->font().pointSize(), designSize);
}

TEST_F(ShellWindows, UnitsWindowOpensWithPowerMatchingThePressureDrop)
{
    writeFile("Tarvello.ini", "[Unmis]\nPt= 1\nQa= 2\nQw= 1\nDpW= 0\nDpA= 1\n");
    ASSERT_TRUE(start());
    Funmis* units = Forms::funmis();
    EXPECT_EQ(control<QComboBox>(units, "cboPotenz")->currentText(), "W");
    EXPECT_EQ(control<QComboBox>(units, "cboDpw")->currentText(), "kPa");
    EXPECT_EQ(control<QComboBox>(units, "cboqa")->currentText(), "m3/h");
    EXPECT_EQ(control<QComboBox>(units, "cboqw")->currentText(), "l/h");
    EXPECT_EQ(control<QComboBox>(units, "cboDpA")->currentText(), "mmH2O");
    units->cmdOK_Click();
    flushDeletions();
    EXPECT_EQ(setting("Unmis", "Pt"), "0");
    EXPECT_EQ(UnitPt.index, 0);
    EXPECT_FALSE(Forms::findLoaded<Funmis>());
    QFile file(dir.filePath("Tarvello.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Unmis]\nPt= 0\nQa= 2\nQw= 1\nDpW= 0\nDpA= 1\nT= 0\n");
}

TEST_F(ShellWindows, PowerAndWaterPressureDropMoveTogether)
{
    ASSERT_TRUE(start());
    Funmis* units = Forms::funmis();
    units->show();
    auto* power = control<QComboBox>(units, "cboPotenz");
    auto* pressureDrop = control<QComboBox>(units, "cboDpw");
    power->setCurrentIndex(1);
    EXPECT_EQ(pressureDrop->currentText(), "mH2O");
    pressureDrop->setCurrentIndex(0);
    EXPECT_EQ(power->currentText(), "W");
    pressureDrop->setCurrentIndex(1);
    EXPECT_EQ(power->currentText(), "Cal/h - Frig/h");
    power->setCurrentIndex(0);
    EXPECT_EQ(pressureDrop->currentText(), "kPa");
    control<QComboBox>(units, "cboqa")->setCurrentIndex(2); // free choice
    EXPECT_EQ(power->currentText(), "W");
}

TEST_F(ShellWindows, CloseBoxAppliesUnitsOnlyUntilTheEnd)
{
    ASSERT_TRUE(start());
    Funmis* units = Forms::funmis();
    units->show();
    control<QComboBox>(units, "cboqa")->setCurrentIndex(2);
    units->close(); // the close box
    flushDeletions();
    EXPECT_EQ(UnitQa.name(), "m3/h");
    EXPECT_EQ(setting("Unmis", "Qa"), "0");
    restart();
    EXPECT_EQ(UnitQa.name(), "l/s");
}

TEST_F(ShellWindows, UnitChangeWithOkPersistsAcrossARestart)
{
    ASSERT_TRUE(start());
    Funmis* units = Forms::funmis();
    control<QComboBox>(units, "cboPotenz")->setCurrentIndex(1);
    control<QComboBox>(units, "cboqw")->setCurrentIndex(1);
    control<QPushButton>(units, "cmdOK")->click();
    flushDeletions();
    restart();
    EXPECT_EQ(UnitPt.name(), "Cal/h - Frig/h");
    EXPECT_EQ(UnitDpW.name(), "mH2O");
    EXPECT_EQ(UnitQw.name(), "l/h");
}

TEST_F(ShellWindows, InfoWindowLinksOpenTheMakersAddresses)
{
    ASSERT_TRUE(start());
    FInfo* info = Forms::finfo();
    EXPECT_EQ(control<QLabel>(info, "lblVer")->text(), "VERSION 3.2");
    EXPECT_EQ(control<QLabel>(info, "lblDescri")->text(), Testo(60) + " Tarvello");
    EXPECT_FALSE(control<QPushButton>(info, "cmdfine")->isVisibleTo(info));
    world.log.clear();
    emit control<QLabel>(info, "lblWeb")->linkActivated(kMakerWebAddress);
    emit control<QLabel>(info, "lblMail")->linkActivated(kMakerMailAddress);
    EXPECT_EQ(world.log, QStringList({"open address https://www.tarvello.example",
                                      "open address mailto:support@tarvello.example"}));
}

TEST_F(ShellWindows, SystemInfoIsTheAboutBox)
{
    ASSERT_TRUE(start());
    control<QAction>(Forms::fmenu(), "mnuinfosistema")->trigger();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::About);
    EXPECT_TRUE(sink.messages[0].text.contains("Qt "));
}

TEST_F(ShellWindows, PrinterSetUpWithoutPrinterSaysSo)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    ASSERT_TRUE(start());
    control<QToolButton>(Forms::fmenu(), "SSdefprt")->click();
    ASSERT_EQ(sink.messages.size(), 1);
    EXPECT_EQ(sink.messages[0].kind, RecordingMessageSink::Kind::Critical);
    EXPECT_EQ(sink.messages[0].text, Testo(112));
}

TEST(Clock, LongDateTwoSpacesAndLongTimeWithoutZone)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QDateTime when(QDate(2026, 12, 7), QTime(14, 5, 9));
    EXPECT_EQ(Fmenu::clockText(when, english), "Monday, December 7, 2026  2:05:09 PM");
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    EXPECT_EQ(Fmenu::clockText(when, italian), "lunedì 7 dicembre 2026  14:05:09");
}

TEST(CentraForm, CentresInTheArea)
{
    EXPECT_EQ(centredTopLeft(QSize(1280, 1024), QSize(400, 300)), QPoint(440, 362));
    EXPECT_EQ(centredTopLeft(QSize(800, 600), QSize(801, 600)), QPoint(0, 0)); // -0.5 truncates to 0
}

} // namespace
