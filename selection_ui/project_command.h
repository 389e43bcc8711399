#pragma once
// "Add to project" in both selection windows: the model on the results grid's current row,
// with the request of the run that listed it, goes to the open project through a
// ProjectLink that the program installs (the selection windows know no project). While
// the project edits an item, the window shows that item's run, highlights its model and
// the command replaces the item's model with the row chosen.

#include "selection/run_request.h"
#include "selection/run_result.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QPushButton;

namespace tarvello {

class GridView;
class SelectionWindow;

// What a selection window hands to the project.
struct ChosenSelection {
    RunRequest request;          // the run's request (its line, mode and conditions)
    ModelOutcome model;          // the listed model of the current row
    float required_W = 0;        // the required capacity typed, W (0: none typed)
    QWidget* window = nullptr;   // the selection window, owner of any question
};

// An item the project is editing: its run is shown again and its model highlighted.
struct EditedRun {
    RunRequest request;
    float required_W = 0;
    QString model;       // the coil rated (for a 4-pipe unit's heating, its " 4P" coil)
    float rated_W = 0;   // its capacity when it was chosen
};

class ProjectLink {
public:
    virtual ~ProjectLink() = default;
    // Adds (or, while editing, replaces) the chosen model; false when nothing changed.
    virtual bool addToProject(const ChosenSelection& chosen) = 0;
    // The run of the item being edited, taken once when its selection window shows.
    virtual std::optional<EditedRun> takeEditedRun() = 0;
    // True while an item is edited (the command then replaces its model).
    virtual bool editing() const = 0;
    // The selection window closed (an edit ends with it).
    virtual void selectionClosed() {}
};

// The program's link, or nullptr when none is installed (the command is then hidden).
ProjectLink* projectLink();
// Installs `link` (nullptr removes it); the caller keeps ownership.
void setProjectLink(ProjectLink* link);

// The text offsets of the command (shared with the project windows).
constexpr int kAddToProjectText = 231;
constexpr int kReplaceInProjectText = kAddToProjectText + 1;

// Ties the command to a window's grid and runs.
class ProjectCommand : public QObject {
    Q_OBJECT
public:
    // `requiredCapacity` gives the required capacity typed, W; `present` fills the
    // window's fields from an edited run and runs the selection.
    ProjectCommand(SelectionWindow* window, GridView* grid, QPushButton* command,
                   std::function<float()> requiredCapacity, std::function<void(const EditedRun&)> present);

    // The window's run changed: the command follows it, an edited model is highlighted.
    void runChanged();
    // The grid was emptied.
    void runGone();
    // Adds the current row's model (the command).
    void addCurrentRow();

    // The grid row of `model` in the last run, or -1.
    int rowOf(const QString& model) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setCaption();

    SelectionWindow* window_;
    GridView* grid_;
    QPushButton* command_;
    std::function<float()> requiredCapacity_;
    std::function<void(const EditedRun&)> present_;
    QString highlight_; // the edited item's model, highlighted after its run
};

} // namespace tarvello
