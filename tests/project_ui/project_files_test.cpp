// The project's file commands as the main window offers them: the project's name in the
// title, the question about unsaved changes before a new project, another project or the
// end of the program, the recent projects kept in the settings, a room list imported with
// the rooms that have no fit shown with their reasons, and the schedule exported.

#include "project/project_file.h"
#include "project_ui/fprogetto.h"
#include "project_ui/project_menu.h"
#include "shell/fmenu.h"
#include "shell/language.h"
#include "shell/settings.h"
#include "shell/shell_services.h"

#include "project_ui_support.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTableView>
#include <QTemporaryDir>

namespace tarvello {
namespace {

using testing::ProjectWindowTest;

class ProjectFiles : public ProjectWindowTest {
protected:
    void SetUp() override
    {
        ProjectWindowTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(dir.isValid());
        services().endProgram = [this] { ended = true; };
    }
    void TearDown() override
    {
        delete main.data();
        services() = ShellServices{};
        ProjectWindowTest::TearDown();
    }
    QString file(const QString& name) const { return QDir(dir.path()).filePath(name); }
    QString writeRooms(const QString& name, const QByteArray& text) const
    {
        QFile out(file(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        return out.fileName();
    }
    // A project of one imported room, saved as `name`, then changed (unsaved).
    void savedThenChanged(const QString& name)
    {
        ASSERT_TRUE(session->importRoomListFrom(nullptr, writeRooms("a.csv", "tag,cooling_total_W\nA,1500\n")));
        prompts.saveNames.push_back(file(name));
        ASSERT_TRUE(session->save(nullptr));
        session->duplicateItem(0);
        ASSERT_TRUE(session->modified());
    }
    Fmenu* mainWindow()
    {
        main = new Fmenu;
        menu = new ProjectMenu(main, *session, *link, [](int) {});
        main->setCaptions();
        return main;
    }

    QTemporaryDir dir;
    QPointer<Fmenu> main;
    ProjectMenu* menu = nullptr;
    bool ended = false;
};

// --- unsaved changes ----------------------------------------------------------------------

enum class Action { NewProject, OpenAnother, CloseProgram };

struct UnsavedCase {
    const char* name;
    Action action;
    SaveAnswer answer;
    bool goesOn;     // the action happened
    int itemsSaved;  // items in the saved file afterwards
};

const UnsavedCase kUnsaved[] = {
    {"NewSave", Action::NewProject, SaveAnswer::Save, true, 2},
    {"NewDiscard", Action::NewProject, SaveAnswer::Discard, true, 1},
    {"NewCancel", Action::NewProject, SaveAnswer::Cancel, false, 1},
    {"OpenSave", Action::OpenAnother, SaveAnswer::Save, true, 2},
    {"OpenDiscard", Action::OpenAnother, SaveAnswer::Discard, true, 1},
    {"OpenCancel", Action::OpenAnother, SaveAnswer::Cancel, false, 1},
    {"CloseCancel", Action::CloseProgram, SaveAnswer::Cancel, false, 1},
    {"CloseSave", Action::CloseProgram, SaveAnswer::Save, true, 2},
};

class UnsavedChanges : public ProjectFiles, public ::testing::WithParamInterface<UnsavedCase> {};

TEST_P(UnsavedChanges, TheUserIsAskedAndTheAnswerHolds)
{
    const UnsavedCase& c = GetParam();
    Project other;
    other.info.name = "Other job";
    saveProject(other, file("other.tarvello").toStdString());
    savedThenChanged("job.tarvello");
    Fmenu* window = mainWindow();
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("job.tarvello * - Tarvello")))
        << window->windowTitle().toStdString();
    prompts.saveAnswers.push_back(c.answer);
    prompts.openNames.push_back(file("other.tarvello"));
    switch (c.action) {
    case Action::NewProject: window->findChild<QAction*>(QStringLiteral("mnuNuovoProgetto"))->trigger(); break;
    case Action::OpenAnother: window->findChild<QAction*>(QStringLiteral("mnuApriProgetto"))->trigger(); break;
    case Action::CloseProgram: window->close(); break;
    }
    EXPECT_EQ(prompts.saveQuestions, 1);
    EXPECT_EQ(prompts.askedName, QStringLiteral("job.tarvello"));
    EXPECT_EQ(openProject(file("job.tarvello").toStdString()).items.size(), size_t(c.itemsSaved));
    switch (c.action) {
    case Action::NewProject: EXPECT_EQ(session->project().items.empty(), c.goesOn); break;
    case Action::OpenAnother: EXPECT_EQ(session->project().info.name == "Other job", c.goesOn); break;
    case Action::CloseProgram: EXPECT_EQ(ended, c.goesOn); break;
    }
    if (!c.goesOn) {
        EXPECT_TRUE(session->modified()) << "the changes are still there";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, UnsavedChanges, ::testing::ValuesIn(kUnsaved),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFiles, DiscardingThenCancellingTheFileKeepsTheChanges)
{
    savedThenChanged("job.tarvello");
    prompts.saveAnswers.push_back(SaveAnswer::Discard); // and no file is picked
    EXPECT_FALSE(session->openFile(nullptr));
    EXPECT_EQ(session->project().items.size(), 2u);
    EXPECT_TRUE(session->modified()) << "the project was not replaced, its changes are unsaved";
}

TEST_F(ProjectFiles, NoQuestionWithoutChanges)
{
    Fmenu* window = mainWindow();
    EXPECT_TRUE(window->windowTitle().startsWith(Testo(kAddToProjectText + 17).trimmed() + QStringLiteral(" - Tarvello")));
    window->findChild<QAction*>(QStringLiteral("mnuNuovoProgetto"))->trigger();
    EXPECT_EQ(prompts.saveQuestions, 0);
}

TEST_F(ProjectFiles, AFailedSaveKeepsTheProjectAndTellsWhy)
{
    savedThenChanged("job.tarvello");
    prompts.saveNames.push_back(file("no folder/job.tarvello"));
    EXPECT_FALSE(session->saveAs(nullptr));
    EXPECT_TRUE(session->modified());
    EXPECT_EQ(session->path(), file("job.tarvello"));
    ASSERT_FALSE(sink.messages.isEmpty());
    EXPECT_EQ(sink.messages.back().kind, RecordingMessageSink::Kind::Critical);
    EXPECT_TRUE(sink.messages.back().text.startsWith(Testo(kAddToProjectText + 38)));
}

// --- recent projects ----------------------------------------------------------------------

TEST_F(ProjectFiles, RecentProjectsLatestFirstAtMostSix)
{
    QStringList saved;
    for (int i = 0; i < 8; ++i) {
        saved.prepend(file(QStringLiteral("p%1.tarvello").arg(i)));
        prompts.saveNames.push_back(saved.front());
        ASSERT_TRUE(session->saveAs(nullptr));
    }
    EXPECT_EQ(session->recentProjects(), saved.mid(0, kRecentCount));
    EXPECT_EQ(LeggiIni(kRecentSection, QStringLiteral("Recente1")), saved.front()) << "kept in the settings file";

    ASSERT_TRUE(session->openPath(nullptr, saved[3]));
    EXPECT_EQ(session->recentProjects().front(), saved[3]);
    EXPECT_EQ(session->recentProjects().size(), kRecentCount);

    Fmenu* window = mainWindow();
    menu->fillRecent();
    QAction* first = window->findChild<QAction*>(QStringLiteral("mnuRecente(0)"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->text().contains(QFileInfo(saved[3]).fileName()));
}

// A recent project that can no longer be opened, and whether the list forgets it.
struct RefusedCase {
    const char* name;
    const char* content; // nullptr: the file is gone
    bool forgotten;
};

const RefusedCase kRefused[] = {
    {"Gone", nullptr, true},
    {"Damaged", "{\"format\": \"tarvello-project\", \"vers", false},
    {"NotAProject", "{\"name\": \"shopping list\"}", false},
    {"Newer", "{\"format\": \"tarvello-project\", \"version\": 7}", false},
};

class RefusedProject : public ProjectFiles, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedProject, IsToldAndTheOpenProjectStays)
{
    const RefusedCase& c = GetParam();
    saveProject(Project{}, file("other.tarvello").toStdString());
    ASSERT_TRUE(session->openPath(nullptr, file("other.tarvello"))); // now a recent project
    ASSERT_TRUE(session->newProject(nullptr));
    savedThenChanged("job.tarvello");
    ASSERT_TRUE(QFile::remove(file("other.tarvello")));
    if (c.content) {
        QFile out(file("other.tarvello"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(c.content);
    }
    prompts.saveAnswers.push_back(SaveAnswer::Discard);
    EXPECT_FALSE(session->openPath(nullptr, file("other.tarvello")));
    ASSERT_FALSE(sink.messages.isEmpty());
    EXPECT_EQ(sink.messages.back().kind, RecordingMessageSink::Kind::Critical);
    EXPECT_TRUE(sink.messages.back().text.startsWith(Testo(kAddToProjectText + 37)));
    EXPECT_TRUE(sink.messages.back().text.contains(QStringLiteral("other.tarvello")));
    EXPECT_EQ(session->project().items.size(), 2u) << "the open project stays";
    EXPECT_EQ(session->path(), file("job.tarvello"));
    EXPECT_EQ(session->recentProjects().contains(file("other.tarvello")), !c.forgotten);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedProject, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.name); });

// --- import -------------------------------------------------------------------------------

struct ImportCase {
    const char* name;
    QByteArray csv;
    bool accepted;
    std::vector<size_t> withoutFit;
};

const ImportCase kImports[] = {
    {"EveryRoomFits", "tag,cooling_total_W,heating_W\nA,1500,1600\nB,2500,\n", true, {}},
    {"TwoWithoutFit", "tag,room,cooling_total_W,heating_W\nA,Office,1500,1600\nB,Atrium,90000,\nC,Hall,,90000\n", true,
     {1, 2}},
    {"DamagedListIsRefusedWhole", "tag,cooling_total_W\nA,1500\nB,lots\n", false, {}},
    {"UnknownColumnIsRefused", "tag,cooling_totl_W\nA,1500\n", false, {}},
};

class ImportRooms : public ProjectFiles, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportRooms, RoomsWithoutAFitAreShownWithTheirReasons)
{
    const ImportCase& c = GetParam();
    Fmenu* window = mainWindow();
    prompts.openNames.push_back(writeRooms("rooms.csv", c.csv));
    window->findChild<QAction*>(QStringLiteral("mnuImportaLocali"))->trigger();
    if (!c.accepted) {
        EXPECT_TRUE(session->project().items.empty());
        EXPECT_FALSE(session->modified());
        ASSERT_FALSE(sink.messages.isEmpty());
        EXPECT_TRUE(sink.messages.back().text.startsWith(Testo(kAddToProjectText + 39)));
        EXPECT_TRUE(sink.messages.back().text.contains(QStringLiteral("rooms.csv")));
        return;
    }
    EXPECT_EQ(session->lastImportWithoutFit(), c.withoutFit);
    ASSERT_NE(menu->schedule(), nullptr) << "the schedule is shown";
    FSenzaScelta* withoutFit = menu->roomsWithoutFit();
    ASSERT_EQ(withoutFit != nullptr, !c.withoutFit.empty());
    if (!withoutFit)
        return;
    QAbstractItemModel* rows = withoutFit->rooms()->model();
    ASSERT_EQ(rows->rowCount(), int(c.withoutFit.size()));
    for (int r = 0; r < rows->rowCount(); ++r) {
        const ProjectItem& item = session->project().items[c.withoutFit[size_t(r)]];
        EXPECT_EQ(rows->data(rows->index(r, 0)).toString().toStdString(), item.tag);
        const QString reason = rows->data(rows->index(r, 2)).toString();
        EXPECT_TRUE(reason.startsWith(Testo(kAddToProjectText + 46).trimmed())) << reason.toStdString();
        EXPECT_EQ(reason, noFitText(item));
        EXPECT_EQ(menu->schedule()->flagsText(int(c.withoutFit[size_t(r)])), Testo(kAddToProjectText + 26).trimmed());
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ImportRooms, ::testing::ValuesIn(kImports),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFiles, AnImportWithATagOfTheProjectIsRefusedWhole)
{
    ASSERT_TRUE(session->importRoomListFrom(nullptr, writeRooms("a.csv", "tag,cooling_total_W\nA,1500\n")));
    EXPECT_FALSE(session->importRoomListFrom(nullptr, writeRooms("b.csv", "tag,cooling_total_W\nB,1500\nA,1800\n")));
    EXPECT_EQ(session->project().items.size(), 1u);
    ASSERT_FALSE(sink.messages.isEmpty());
    EXPECT_TRUE(sink.messages.back().text.contains(Testo(kAddToProjectText + 49).arg(QStringLiteral("A"))));
}

// --- export -------------------------------------------------------------------------------

struct ExportCase {
    const char* name;
    ScheduleFormat format;
    const char* suffix;
    QByteArray magic; // the file's first bytes
};

const ExportCase kExports[] = {
    {"Excel", ScheduleFormat::Excel, ".xlsx", "PK"},
    {"Csv", ScheduleFormat::Csv, ".csv", ""},
    {"Pdf", ScheduleFormat::Pdf, ".pdf", "%PDF"},
};

class ExportSchedule : public ProjectFiles, public ::testing::WithParamInterface<ExportCase> {};

TEST_P(ExportSchedule, TheScheduleIsWrittenBesideTheProject)
{
    const ExportCase& c = GetParam();
    savedThenChanged("job.tarvello");
    prompts.saveNames.push_back(file("schedule")); // the suffix is added
    ASSERT_TRUE(session->exportSchedule(nullptr, c.format));
    EXPECT_EQ(prompts.lastSuggested, file(QStringLiteral("job") + QString::fromLatin1(c.suffix)));
    QFile written(file(QStringLiteral("schedule") + QString::fromLatin1(c.suffix)));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray start = written.read(16);
    EXPECT_FALSE(start.isEmpty());
    EXPECT_TRUE(start.startsWith(c.magic));
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportSchedule, ::testing::ValuesIn(kExports),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProjectFiles, AnExportThatCannotBeWrittenIsTold)
{
    savedThenChanged("job.tarvello");
    EXPECT_FALSE(session->exportScheduleTo(nullptr, file("no folder/s.csv")));
    ASSERT_FALSE(sink.messages.isEmpty());
    EXPECT_EQ(sink.messages.back().kind, RecordingMessageSink::Kind::Critical);
    EXPECT_TRUE(sink.messages.back().text.startsWith(Testo(kAddToProjectText + 40)));
}

} // namespace
} // namespace tarvello
