#pragma once
// The program's link between the selection windows and the open project: "Add to
// project" asks for the item (tag, room, quantity) and adds the chosen model; an edit
// shows the item's run again in its line's window, where the command replaces the item's
// model.

#include "project_ui/project_session.h"
#include "selection_ui/project_command.h"

namespace tarvello {

class SessionProjectLink : public ProjectLink {
public:
    explicit SessionProjectLink(ProjectSession& session) : session_(session) {}

    bool addToProject(const ChosenSelection& chosen) override;
    std::optional<EditedRun> takeEditedRun() override;
    bool editing() const override { return edited_.has_value(); }
    void selectionClosed() override;

    // Starts editing item `index`: its run (the cooling duty, else the heating) is taken
    // by the next selection window shown. False when the item has no run to show.
    bool beginEdit(size_t index);
    // The run of item `index` as an edit shows it.
    static std::optional<EditedRun> editedRunOf(const ProjectItem& item);

    // A tag the project does not have yet: "FC-01", "FC-02", ...
    static QString freeTag(const Project& project);

private:
    ProjectSession& session_;
    std::optional<size_t> edited_;      // the item being edited
    std::optional<EditedRun> pending_;  // its run, until a window takes it
};

} // namespace tarvello
