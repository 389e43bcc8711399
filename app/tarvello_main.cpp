// The selection program: the shell's start-up, with the model database and the selection
// windows wired to the chooser.
#include "engine/product_lines.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "project_ui/project_link.h"
#include "project_ui/project_menu.h"
#include "project_ui/project_session.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_kx/fdati.h"
#include "shell/fmenu.h"
#include "shell/forms.h"
#include "shell/fscelta.h"
#include "shell/shell_services.h"
#include "shell/startup.h"

#include <QApplication>
#include <QFileInfo>
#include <QScreen>

#include <exception>

namespace {

using namespace tarvello;

// The model database through the model-data layer.
class ModelDbSource : public ModelSource {
public:
    std::optional<QString> open(const QString& path, const QString&) override
    {
        try {
            openModelDb(QFileInfo(path).absolutePath().toStdString() + "/");
            return std::nullopt;
        } catch (const std::exception& error) {
            return QString::fromStdString(error.what());
        }
    }
    void close() override { closeModelDb(); }
    std::optional<QString> loadLine(int line) override
    {
        try {
            CaricaLinea(line);
            return std::nullopt;
        } catch (const std::exception& error) {
            return QString::fromStdString(error.what());
        }
    }
};

// The two selection windows: FDati for line 0, FDatiMRZ for the ducted lines 1 and 2,
// owned by the main window.
class ProgramSelectionWindows : public SelectionWindows {
public:
    void setCaption(int line, const QString& caption) override
    {
        if (!productLine(line).ducted())
            setFDatiCaption(caption);
        else
            setFDatiMRZCaption(caption);
    }
    void showModal(int line) override
    {
        QWidget* owner = Forms::findLoaded<Fmenu>();
        if (!productLine(line).ducted())
            showFDati(owner);
        else
            showFDatiMRZ(line, owner);
    }
};

// The lines a project rates, from the open model database (each loaded once, apart from
// the selection windows' model table).
void loadProjectLine(ModelTable& table, int line)
{
    switch (line) {
    case LineKX: CaricaDatiKORVE(table, ModelDb()); break;
    case LineMRZ: CaricaDatiMRZ(table, ModelDb()); break;
    default: CaricaDatiHJQ(table, ModelDb()); break;
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvello"));

    ModelDbSource database;
    ProgramSelectionWindows selection;
    services().models = &database;
    services().selection = &selection;
    setPendingEventsHook([] { QApplication::processEvents(); });

    const QScreen* screen = QApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    if (!Main(QApplication::applicationDirPath(), screenWidth))
        return 1;

    // The open project: the File menu, "Add to project" in the selection windows and the
    // schedule. A project file given on the command line (the desktop's "Open with") opens.
    ProjectSession project(loadProjectLine);
    SessionProjectLink link(project);
    setProjectLink(&link);
    if (auto* mainWindow = Forms::findLoaded<Fmenu>()) {
        auto* menu = new ProjectMenu(mainWindow, project, link, [](int line) { selectLine(line); });
        const QStringList arguments = QApplication::arguments();
        if (arguments.size() > 1 && project.openPath(mainWindow, arguments.at(1)))
            menu->showSchedule();
    }
    const int result = app.exec();
    setProjectLink(nullptr);
    return result;
}
