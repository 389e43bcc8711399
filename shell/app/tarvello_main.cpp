// The selection program: the shell's start-up, with the model database and the selection
// windows wired to the chooser.
#include "modeldata/model_db.h"
#include "modeldata/model_loaders.h"
#include "shell/app_state.h"
#include "shell/shell_services.h"
#include "shell/startup.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

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

// Until the selection windows are part of the program: a modal window with the caption
// the chooser gives, so that a pick can be followed from end to end.
class PlaceholderSelectionWindows : public SelectionWindows {
public:
    void setCaption(int line, const QString& caption) override { captions[line == 0 ? 0 : 1] = caption; }
    void showModal(int line) override
    {
        QDialog window(QApplication::activeWindow());
        window.setObjectName(line == 0 ? QStringLiteral("FDati") : QStringLiteral("FDatiMRZ"));
        window.setWindowTitle(captions[line == 0 ? 0 : 1]);
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QLabel(captions[line == 0 ? 0 : 1], &window));
        window.resize(480, 240);
        window.exec();
    }

private:
    QString captions[2];
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvello"));

    ModelDbSource database;
    PlaceholderSelectionWindows selection;
    services().models = &database;
    services().selection = &selection;
    setPendingEventsHook([] { QApplication::processEvents(); });

    const QScreen* screen = QApplication::primaryScreen();
    const int screenWidth = screen ? screen->geometry().width() : 0;
    if (!Main(QApplication::applicationDirPath(), screenWidth))
        return 1;
    return app.exec();
}
