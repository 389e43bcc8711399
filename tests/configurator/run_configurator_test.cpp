// The program's run from a program folder: the database beside it, or a clear message.
#include "configurator/frm_configurator.h"
#include "configurator/module1.h"

#include "fake_configurator.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace pinvale {
namespace {

using testing::RecordingMessages;
using testing::RecordingOpener;

const QString kFixture =
    QStringLiteral(TARVELLO_SHARED_DIR "/fixtures/independent-writer/pinvale.mdb");

TEST(RunConfigurator, AMissingDatabaseIsNamedAndTheProgramEnds)
{
    QTemporaryDir programDir;
    RecordingMessages messages;
    RecordingOpener opener;
    EXPECT_EQ(runConfigurator(programDir.path(), messages, opener), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(programDir.filePath("pinvale.mdb")))
        << messages.shown[0].toStdString();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(RunConfigurator, AnUnreadableDatabaseIsNamedAndTheProgramEnds)
{
    QTemporaryDir programDir;
    QFile garbage(programDir.filePath("pinvale.mdb"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not an Access file");
    garbage.close();
    RecordingMessages messages;
    RecordingOpener opener;
    EXPECT_EQ(runConfigurator(programDir.path(), messages, opener), 1);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].contains(programDir.filePath("pinvale.mdb")));
}

TEST(RunConfigurator, ShowsTheWindowOverTheRealDatabaseAndEndsWhenItCloses)
{
    QTemporaryDir programDir;
    if (!QFile::exists(kFixture))
        GTEST_SKIP() << "the shared fixture " << kFixture.toStdString() << " is not there (../shared is absent)";
    ASSERT_TRUE(QFile::copy(kFixture, programDir.filePath("pinvale.mdb")));
    RecordingMessages messages;
    RecordingOpener opener;
    QString shownWiring;
    // Once the event loop runs: read the window, open the diagram, then close it.
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<Frm_configurator*>(top);
            if (!window)
                continue;
            shownWiring = window->findChild<QLineEdit*>("Txt_Wiring")->text();
            window->findChild<QPushButton*>("Btn_ShowWiring")->click();
            window->findChild<QPushButton*>("Btn_Close")->click();
        }
    });
    EXPECT_EQ(runConfigurator(programDir.path(), messages, opener), 0);
    EXPECT_EQ(shownWiring, "w1111000.pdf");
    EXPECT_EQ(opener.opened,
              QStringList({programDir.filePath("wiring diagrams/w1111000.pdf")}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

} // namespace
} // namespace pinvale
