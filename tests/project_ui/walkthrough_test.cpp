// A new user's session from end to end: three rooms selected by hand in the KX and ducted
// windows (one with both duties), the example room list imported, the project saved,
// closed, reopened from the recent projects, one item edited in its selection window, and
// the schedule exported to Excel and PDF. TARVELLO_FIT_PICTURES=<folder> keeps the files
// and pictures of the schedule window there.

#include "project/project_file.h"
#include "project_ui/fprogetto.h"
#include "project_ui/project_menu.h"
#include "shell/fmenu.h"
#include "shell/language.h"
#include "shell/shell_services.h"

#include "project_ui_support.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>

namespace tarvello {
namespace {

using testing::ProjectWindowTest;
using Fields = std::vector<std::pair<QString, QString>>;

class Walkthrough : public ProjectWindowTest {
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(scratch.isValid());
        folder = qEnvironmentVariable("TARVELLO_FIT_PICTURES", scratch.path());
        QDir().mkpath(folder);
        services().endProgram = [] {};
        main = new Fmenu;
        menu = new ProjectMenu(main, *session, *link, [this](int line) { openWindow(line); });
        main->setCaptions();
    }
    void TearDown() override
    {
        delete main.data();
        services() = ShellServices{};
        ProjectWindowTest::TearDown();
    }
    QString file(const QString& name) const { return QDir(folder).filePath(name); }
    void trigger(const char* entry) { main->findChild<QAction*>(QString::fromLatin1(entry))->trigger(); }
    void picture(QWidget* window, const QString& name)
    {
        window->resize(1024, 728);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window->grab().save(file(name)));
    }

    QTemporaryDir scratch;
    QString folder;
    QPointer<Fmenu> main;
    ProjectMenu* menu = nullptr;
};

TEST_F(Walkthrough, ThreeByHandTwentyImportedSavedReopenedEditedExported)
{
    // Three rooms by hand: a fan coil with both duties, another fan coil, a ducted unit.
    SelectionWindow* kxWindow = openWindow(LineKX);
    runWith(kxWindow, ModeCooling, false,
            {{"txtTsa1(0)", "27"}, {"txtUr", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "2000"}});
    prompts.items.push_back({"UT-01", "Reception desk", 1});
    addRow(kxWindow, 2);
    runWith(kxWindow, ModeHeating, false,
            {{"txtTsa1(1)", "20"}, {"txtTw1(1)", "45"}, {"txtTw2(1)", "40"}, {"txtPotric", "1800"}});
    prompts.items.push_back({"UT-01", "", 1});
    addRow(kxWindow, 2);
    runWith(kxWindow, ModeCooling, false,
            {{"txtTsa1(0)", "26"}, {"txtUr", "50"}, {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}, {"txtPotric", "3000"}});
    prompts.items.push_back({"UT-02", "Manager's office", 2});
    addRow(kxWindow, 2);
    kxWindow->hide();
    SelectionWindow* ductedWindow = openWindow(LineMRZ);
    runWith(ductedWindow, ModeCooling, true,
            {{"txtqatot(0)", "400"}, {"txtpqaric(0)", "100"}, {"txtTsa1ric(0)", "26"}, {"txtUrric", "50"},
             {"txtTw1(0)", "7"}, {"txtTw2(0)", "12"}});
    prompts.items.push_back({"UT-03", "Meeting room", 1});
    addRow(ductedWindow, 2);
    ductedWindow->hide();
    ASSERT_EQ(session->project().items.size(), 3u);
    EXPECT_TRUE(session->project().items[0].cooling && session->project().items[0].heating);

    // The example room list.
    prompts.openNames.push_back(QStringLiteral(TARVELLO_SOURCE_DIR "/data/examples/rooms.csv"));
    trigger("mnuImportaLocali");
    ASSERT_GE(session->project().items.size(), 23u);
    ASSERT_NE(menu->roomsWithoutFit(), nullptr);
    picture(menu->roomsWithoutFit(), QStringLiteral("rooms-without-fit.png"));

    // Saved, closed, reopened from the recent projects.
    prompts.saveNames.push_back(file(QStringLiteral("via-roma-12.tarvello")));
    trigger("mnuSalvaProgetto");
    EXPECT_FALSE(session->modified());
    const size_t items = session->project().items.size();
    trigger("mnuNuovoProgetto");
    EXPECT_EQ(prompts.saveQuestions, 0) << "nothing unsaved";
    EXPECT_TRUE(session->project().items.empty());
    menu->fillRecent();
    main->findChild<QAction*>(QStringLiteral("mnuRecente(0)"))->trigger();
    ASSERT_EQ(session->project().items.size(), items);
    FProgetto* schedule = menu->schedule();
    ASSERT_NE(schedule, nullptr);
    picture(schedule, QStringLiteral("schedule-reopened.png"));

    // Edit UT-02: the KX window shows its run; another row replaces its model.
    schedule->selectItem(1);
    schedule->cmdModifica_Click();
    ASSERT_TRUE(kx && kx->isVisible());
    const int highlighted = kx->Grd->currentIndex().row();
    EXPECT_EQ(modelOnRow(kx.get(), highlighted).toStdString(), session->project().items[1].model);
    const int other = highlighted + 1 < kx->Grd->grid().rows() ? highlighted + 1 : 2;
    const QString replacement = modelOnRow(kx.get(), other);
    kx->Grd->setCurrentIndex(kx->Grd->model()->index(other, 1));
    picture(kx.get(), QStringLiteral("edit-in-kx-window.png"));
    addRow(kx.get(), other);
    kx->hide();
    EXPECT_EQ(session->project().items[1].model, replacement.toStdString());
    EXPECT_TRUE(session->modified());
    EXPECT_TRUE(main->windowTitle().startsWith(QStringLiteral("via-roma-12.tarvello * - ")));

    // Exported to Excel and PDF, saved.
    prompts.saveNames.push_back(file(QStringLiteral("via-roma-12.xlsx")));
    trigger("mnuEsportaExcel");
    prompts.saveNames.push_back(file(QStringLiteral("via-roma-12.pdf")));
    trigger("mnuEsportaPdf");
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("via-roma-12.xlsx"))).size() > 0);
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("via-roma-12.pdf"))).size() > 0);
    trigger("mnuSalvaProgetto");
    EXPECT_EQ(openProject(file(QStringLiteral("via-roma-12.tarvello")).toStdString()).items[1].model,
              replacement.toStdString());
    picture(schedule, QStringLiteral("schedule-after-edit.png"));
    LangBase = 300;
    main->setCaptions();
    picture(schedule, QStringLiteral("schedule-english.png"));
    QMenu* file = main->fileMenu();
    file->popup(QPoint(0, 0));
    QCoreApplication::processEvents();
    EXPECT_TRUE(file->grab().save(QDir(folder).filePath(QStringLiteral("file-menu-english.png"))));
    file->hide();
    EXPECT_TRUE(sink.messages.size() <= 1) << "only the heating duty was told";
}

} // namespace
} // namespace tarvello
