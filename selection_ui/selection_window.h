#pragma once
// What the KX window FDati and its ducted twin FDatiMRZ share around their own fields: the
// menu, the selection frame (mode, required capacity, approximation, speed and the two
// commands), the results frame with Grd and the laminar warning, the hidden input summary
// Grdrif, the keyboard handling, the leave-field checks run from the focus changes, the
// messages of an incomplete reading, and the frame of a run (one at a time, the grid reset,
// every failure reported with its number, a run that lists nothing told why), and the
// "Not listed" panel of the models the last run left out (its button and F7). Each window
// adds its mode frames, its fields, its reading of them and its run.

#include "engine/coil_state.h"
#include "selection/result_columns.h"
#include "selection/run_request.h"
#include "selection/run_result.h"
#include "selection_ui/field_checks.h"
#include "selection_ui/grid_view.h"
#include "selection_ui/kx_inputs.h"

#include <QDialog>
#include <QList>
#include <QScrollArea>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvello {

class DetailsFollower;
class FNonElencati;
class FormKeyPress;
class ProjectCommand;
struct EditedRun;

// A text box of a selection window (narrow, named).
QLineEdit* makeFieldBox(QWidget* parent, const QString& name);
// A label; an empty name leaves it unnamed.
QLabel* makeFieldLabel(QWidget* parent, const QString& name, const QString& text = {});

// The scroll area of a selection window's inputs (the selection frame and the mode frames).
class InputScrollArea : public QScrollArea {
public:
    explicit InputScrollArea(QWidget* parent) : QScrollArea(parent)
    {
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus); // the fields take the focus, the area scrolls to them
    }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

class SelectionWindow : public QDialog {
    Q_OBJECT
public:
    ~SelectionWindow() override;

    // 0 cooling, 1 heating (a negative list index counts as cooling).
    int mode() const;

    GridView* Grd = nullptr;
    GridView* Grdrif = nullptr;

    // What the last run gave, every model of the line with its outcome (empty before a run).
    const RunResult& lastRun() const { return lastRun_; }
    // The request of the last run.
    const RunRequest& lastRequest() const { return lastRequest_; }
    // The details panel of the grid's current row (the "Details" command and F8).
    DetailsFollower* details() const { return details_; }

    // Opens the "Not listed" panel of the last run (the button and F7); nothing when the
    // run left no model out or the mode changed since.
    void showNotListed();
    // The panel, once opened.
    FNonElencati* notListedPanel() const { return notListedPanel_; }

    // The focus moved from `old` to `now`: leave-field checks and text selection.
    void onFocusChanged(QWidget* old, QWidget* now);

    // Sizes the window to its contents within `available` (a screen's work area): the
    // inputs scroll when they do not fit, the grid keeps its room, and the window shrinks
    // back when fields hide. Its maximum is the available room.
    void fitWithin(const QSize& available);
    // The same within the work area of the window's screen.
    void fitToScreen();
    // The scroll area around the inputs.
    QScrollArea* inputScrollArea() const { return inputArea; }

    // The text boxes in the window's control order (the order they are saved in).
    virtual QList<QLineEdit*> textBoxes() const = 0;

    // "Add to project" (selection_window_project.cpp): the required capacity typed, W (0
    // when none is), and the fields filled from a project item's run, then the run.
    float requiredCapacity_W() const;
    void presentRun(const EditedRun& run);
    ProjectCommand* projectCommand() const { return projectCommand_; }

protected:
    explicit SelectionWindow(QWidget* parent);

    // The window's own parts, called from the shared ones.
    virtual void buildModeFrames() = 0; // sets frmCooling and frmHeating (chkDF in heating)
    virtual void leaveField(QLineEdit* box, QWidget* now) = 0;
    virtual void cbofunz_Click() = 0;
    virtual void runCalcola() = 0; // the window's selection run
    virtual void cmdStampa_Click() = 0;
    // The window's own fields of a project item's run, in the user's units.
    virtual void presentConditions(const RunRequest& request) = 0;

    // Builds every control (the mode frames through buildModeFrames) and the key handling.
    void buildControls();
    // The captions of the shared controls.
    void setSharedCaptions();
    // The mode list (set to cooling without a click), the approximation list, chkDF.
    void fillSharedLists();
    // The shared commands, the exit menu and the focus tracking.
    void connectSharedHandlers();

    // The frame of the mode shown, the mode value of the working record, the power unit.
    void showModeFrame();
    void setPowerUnitLabel();

    // CheckRange on a field, its verdict kept in the input-out-of-range flag.
    void checkRange(QLineEdit* box, const RangeRule& rule, QWidget* now);

    // Shows a failed completeness check (critical message, focus to its field); true when
    // something was missing.
    bool reportMissing(const std::optional<MissingInput>& missing);
    void reportRunError(int number);
    void setFocusTo(const QString& objectName);

    // One run at a time: the field checks are off, Grd is emptied to its headings and one
    // blank row, `readAndRate` lists the models, the blank row goes when models were
    // listed, and any failure is reported with its classic number.
    void runSelection(const std::function<void()>& readAndRate);
    // Rates the loaded line for `request` with the capacity band of txtPotric and
    // cboApprox, and lists its listed models in Grd under `columns`; a laminar water flow
    // shows the warning. A failure that ended the run is raised after its rows are listed.
    void rateAndList(RunRequest request, const std::vector<ResultColumn>& columns);
    // Repaints while a run proceeds; the user's input waits for its end.
    static PendingEventsHook letWindowsPaint();

    InputScrollArea* inputArea = nullptr;
    QMenu* mnufile = nullptr;
    QAction* mnuExit = nullptr;
    QGroupBox* frmselection = nullptr;
    QGroupBox* frmCooling = nullptr;
    QGroupBox* frmHeating = nullptr;
    QGroupBox* frmSolutions = nullptr;
    QComboBox* cbofunz = nullptr;
    QComboBox* cboApprox = nullptr;
    QComboBox* cboVel = nullptr;
    QCheckBox* chkDF = nullptr;
    QPushButton* cmdCalcola = nullptr;
    QPushButton* cmdStampa = nullptr;
    QPushButton* cmdNonElencati = nullptr;
    QPushButton* cmdDettagli = nullptr;
    QPushButton* cmdProgetto = nullptr;
    QLineEdit* txtPotric = nullptr;
    QLabel* lblPotric = nullptr;
    QLabel* lblUmPt = nullptr;
    QLabel* lblRange = nullptr;
    QLabel* lblVel = nullptr;
    QLabel* lblLaminare = nullptr;

    FormKeyPress* keys_ = nullptr;
    bool inputOutOfRange_ = false;
    bool handlingFocus_ = false; // a leave-field handler or a run is moving the focus

private:
    void buildSelectionFrame();
    // Hides the laminar warning of the last run and starts a new one.
    void cmdCalcola_Click();
    // After a run: the "Not listed" button and an open panel follow it, and a run rated to
    // its end that lists no model says why.
    void tellRunOutcome();
    // The results are gone (a change of mode): the button is disabled, the panel hidden.
    void closeNotListed();

    bool running_ = false;
    RunResult lastRun_;
    RunRequest lastRequest_;
    bool ratedToTheEnd_ = false; // the last run rated every model without a failure
    FNonElencati* notListedPanel_ = nullptr;
    DetailsFollower* details_ = nullptr;
    ProjectCommand* projectCommand_ = nullptr;
};

} // namespace tarvello
