// The project windows on a 1024x768 screen in every language: the schedule of the example
// room list, the rooms without a fit and the item question fit, every command inside the
// window. TARVELLO_FIT_PICTURES=<folder> also writes the windows there (PNG).

#include "project_ui/fprogetto.h"
#include "project_ui/item_dialog.h"
#include "shell/language.h"

#include "project_ui_support.h"

#include <QAbstractButton>
#include <QDir>
#include <QPushButton>
#include <QTableView>

namespace tarvello {
namespace {

using testing::ProjectWindowTest;

constexpr qint16 kLanguages[] = {100, 300, 500, 700, 900, 1100};
const QSize kSmallScreen(1024, 768 - 40); // a 1024x768 screen less a panel

class ProjectWindowsFit : public ProjectWindowTest, public ::testing::WithParamInterface<qint16> {
protected:
    // The window laid out as shown: within the screen, every command inside it.
    void expectFits(QWidget* window, const char* name)
    {
        window->show();
        QCoreApplication::processEvents();
        EXPECT_LE(window->width(), kSmallScreen.width()) << name;
        EXPECT_LE(window->height(), kSmallScreen.height()) << name;
        EXPECT_LE(window->minimumSizeHint().width(), kSmallScreen.width()) << name;
        EXPECT_LE(window->minimumSizeHint().height(), kSmallScreen.height()) << name;
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
            if (!button->isVisible() || button->objectName().isEmpty())
                continue;
            const QRect place(button->mapTo(window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(window->rect().contains(place)) << name << " " << button->objectName().toStdString();
            EXPECT_GE(button->width(), button->sizeHint().width()) << name << " " << button->objectName().toStdString()
                                                                   << " shows its whole caption";
        }
        if (const QString folder = qEnvironmentVariable("TARVELLO_FIT_PICTURES"); !folder.isEmpty()) {
            QDir().mkpath(folder);
            window->grab().save(QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(QLatin1String(name)).arg(LangBase)));
        }
    }
};

TEST_P(ProjectWindowsFit, ScheduleRoomsWithoutFitAndItemQuestion)
{
    LangBase = GetParam();
    ASSERT_TRUE(session->importRoomListFrom(nullptr, QStringLiteral(TARVELLO_SOURCE_DIR "/data/examples/rooms.csv")));
    ASSERT_GE(session->project().items.size(), 20u);
    ASSERT_FALSE(session->lastImportWithoutFit().empty());

    FProgetto schedule(nullptr, *session, *link, {});
    expectFits(&schedule, "FProgetto");
    EXPECT_EQ(schedule.items()->model()->rowCount(), int(session->project().items.size()));

    FSenzaScelta withoutFit(nullptr, session->project(), session->lastImportWithoutFit(), session->lastImportCount());
    expectFits(&withoutFit, "FSenzaScelta");

    FVoce item(nullptr, {QStringLiteral("FC-0.01")}, ItemEntry{QStringLiteral("FC-02"), QString(), 1});
    expectFits(&item, "FVoce");
}

// With a project open the selection windows show "Add to project"; they still fit, and
// the command shows its whole caption.
TEST_P(ProjectWindowsFit, SelectionWindowsWithTheProjectCommand)
{
    LangBase = GetParam();
    for (int line : {LineKX, LineMRZ, LineHJQ}) {
        kx.reset();
        ducted.reset();
        SelectionWindow* window = openWindow(line);
        window->fitWithin(kSmallScreen);
        QCoreApplication::processEvents();
        auto* command = window->findChild<QPushButton*>(QStringLiteral("cmdProgetto"));
        ASSERT_NE(command, nullptr);
        EXPECT_TRUE(command->isVisible()) << line;
        EXPECT_EQ(command->text(), Testo(kAddToProjectText));
        EXPECT_GE(command->width(), command->sizeHint().width()) << line;
        EXPECT_LE(window->width(), kSmallScreen.width()) << line;
        EXPECT_LE(window->height(), kSmallScreen.height()) << line;
        if (const QString folder = qEnvironmentVariable("TARVELLO_FIT_PICTURES"); !folder.isEmpty())
            window->grab().save(QDir(folder).filePath(QStringLiteral("selection-%1-%2.png").arg(line).arg(LangBase)));
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, ProjectWindowsFit, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return std::to_string(info.param); });

} // namespace
} // namespace tarvello
