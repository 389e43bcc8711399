#pragma once
// The open project of the program: the project itself, its file, whether it has unsaved
// changes, and every change the windows make to it (items added from a selection window,
// a room list imported, items edited, duplicated, deleted and moved). File and export
// commands ask through projectPrompts() and tell failures through messages(); a failure
// never changes the project or its file. The recent projects are kept in the settings
// file, section "Progetti".

#include "project/line_library.h"
#include "project/project.h"
#include "selection_ui/project_command.h"
#include "project_ui/project_prompts.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace tarvello {

// What the schedule flags on an item.
struct ItemFlags {
    bool dataChanged = false;  // re-rated with the current model data, its values differ
    bool modelMissing = false; // its model (or heating coil) is no longer in the line
    bool dutyNotMet = false;   // no model, not rated, or a rated capacity below the duty

    bool any() const { return dataChanged || modelMissing || dutyNotMet; }
};

// Whether an item's stored ratings meet its duties.
bool meetsDuties(const ProjectItem& item);

enum class ScheduleFormat { Excel, Csv, Pdf };

// The settings of the recent projects.
inline const QString kRecentSection = QStringLiteral("Progetti");
constexpr int kRecentCount = 6;

class ProjectSession : public QObject {
    Q_OBJECT
public:
    explicit ProjectSession(LineLoader loader, QObject* parent = nullptr);

    const Project& project() const { return project_; }
    const QString& path() const { return path_; }
    bool modified() const { return modified_; }
    // The project's name, else its file's name, else "Untitled project".
    QString displayName() const;
    // The main window's title: the name, " *" when modified.
    QString titleText() const;

    LineLibrary& lines() { return *lines_; }
    // The model data changed (a new database): every line is loaded again when next used.
    void setLineLoader(LineLoader loader);

    // --- file commands; `owner` parents the questions; true when done ---
    bool newProject(QWidget* owner);
    bool openFile(QWidget* owner);
    bool openPath(QWidget* owner, const QString& path);
    bool save(QWidget* owner);
    bool saveAs(QWidget* owner);
    // Unsaved changes: asks Save / Discard / Cancel; false when the user cancels or the
    // save failed (the caller then stops).
    bool maybeSave(QWidget* owner);
    bool importRoomList(QWidget* owner);
    bool importRoomListFrom(QWidget* owner, const QString& path);
    bool exportSchedule(QWidget* owner, ScheduleFormat format);
    bool exportScheduleTo(QWidget* owner, const QString& path);

    // The recent project files, the latest first.
    QStringList recentProjects() const;

    // The items the last import left without a fit (indexes into the items).
    const std::vector<size_t>& lastImportWithoutFit() const { return lastImportWithoutFit_; }
    // How many rooms the last import added.
    size_t lastImportCount() const { return lastImportCount_; }

    // --- items ---
    // Adds a selection window's choice as a new item, or its duty to the item of the
    // entry's tag (rating that item's model at the run's conditions and telling whether it
    // meets the duty). False, after a message, when nothing changed.
    bool addChosen(const ChosenSelection& chosen, const ItemEntry& entry);
    // The edited item takes the chosen model at the chosen run for the run's duty; its
    // other duty is rated again with the new model.
    bool replaceModel(size_t item, const ChosenSelection& chosen);
    void removeItem(size_t item);
    void duplicateItem(size_t item);
    // Moves the item by `delta` places (within the list).
    void moveItem(size_t item, int delta);

    // The flags of every item against the current model data.
    std::vector<ItemFlags> itemFlags();

signals:
    // The project, its file or its modified state changed.
    void changed();
    // A room list was imported (lastImportWithoutFit() tells which rooms have no fit).
    void imported();

private:
    void setProject(Project project, const QString& path);
    void touch();
    void rememberRecent(const QString& path);
    void forgetRecent(const QString& path);
    std::optional<size_t> itemOfTag(const std::string& tag) const;
    // Rates the item's model for `duty` at the request of `chosen` and tells the user
    // whether it meets it.
    DutyRecord rateOtherDuty(const ProjectItem& item, const ChosenSelection& chosen);
    void rerateDuty(ProjectItem& item, std::optional<DutyRecord>& duty, int mode);
    bool writeTo(QWidget* owner, const QString& path);
    // Opens `path` once unsaved changes were dealt with.
    bool openAsked(const QString& path);

    Project project_;
    QString path_;
    bool modified_ = false;
    LineLoader loader_;
    std::unique_ptr<LineLibrary> lines_;
    std::vector<size_t> lastImportWithoutFit_;
    size_t lastImportCount_ = 0;
};

// The unit of a listed coil: a 4-pipe unit's " 4P" heating coil rated with the 4-pipe
// option stands for its "+4P" unit.
std::string unitOfCoil(const std::string& coil, const RunRequest& request);
// The coil that rates `unit` for a request in `mode` and whether it takes the 4-pipe
// option: a "+4P" unit heats with its " 4P" coil.
std::pair<std::string, bool> coilOfUnit(const std::string& unit, int mode);

} // namespace tarvello
