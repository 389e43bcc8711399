#pragma once
// The project's entries in the main window's File menu (New project, Open, Save, Save as,
// recent projects, Import room list, Export to Excel, CSV and PDF, the schedule), the
// project's name in the main window's title, and the question about unsaved changes
// before the program closes.

#include "project_ui/fprogetto.h"
#include "project_ui/project_link.h"
#include "project_ui/project_session.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;

namespace tarvello {

class Fmenu;

class ProjectMenu : public QObject {
    Q_OBJECT
public:
    // `edit` shows the selection window of a line (the chooser's pick of the line).
    ProjectMenu(Fmenu* main, ProjectSession& session, SessionProjectLink& link, std::function<void(int line)> edit);

    // The schedule window, shown and brought forward (created on first use).
    FProgetto* showSchedule();
    FProgetto* schedule() const { return schedule_; }
    // The rooms the last import left without a fit, when it left any.
    FSenzaScelta* roomsWithoutFit() const { return withoutFit_; }

    void setCaptions();
    // The recent projects submenu from the settings.
    void fillRecent();
    QMenu* recentMenu() const { return mnuRecenti; }

private:
    QAction* addEntry(QMenu* menu, QAction* before, const char* name);
    void showRoomsWithoutFit();

    Fmenu* main_;
    ProjectSession& session_;
    SessionProjectLink& link_;
    std::function<void(int)> edit_;
    QPointer<FProgetto> schedule_;
    QPointer<FSenzaScelta> withoutFit_;
    QAction* mnuNuovoProgetto = nullptr;
    QAction* mnuApriProgetto = nullptr;
    QAction* mnuSalvaProgetto = nullptr;
    QAction* mnuSalvaProgettoCome = nullptr;
    QMenu* mnuRecenti = nullptr;
    QAction* mnuImportaLocali = nullptr;
    QMenu* mnuEsporta = nullptr;
    QAction* mnuEsportaExcel = nullptr;
    QAction* mnuEsportaCsv = nullptr;
    QAction* mnuEsportaPdf = nullptr;
    QAction* mnuTabella = nullptr;
};

} // namespace tarvello
