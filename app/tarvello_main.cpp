// The selection program: the shell's start-up, with the model database and the selection
// windows wired to the chooser.
#include "engine/product_lines.h"
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "selection_ducted/fdatimrz.h"
#include "selection_kx/fdati.h"
#include "shell/fmenu.h"
#include "shell/forms.h"
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
    return app.exec();
}
