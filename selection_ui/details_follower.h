#pragma once
// What ties the details panel to a selection window: the "Details" command (and F8) opens
// the panel, which then follows the grid's current row (the selection model's current row,
// not the click, so the print mark a click toggles is left alone) and the window's runs.

#include "selection/run_request.h"
#include "selection/run_result.h"

#include <QObject>

#include <functional>

class QPushButton;

namespace tarvello {

class FDettagli;
class GridView;

class DetailsFollower : public QObject {
    Q_OBJECT
public:
    // The run the grid shows, its request and the line's caption, as the window holds them.
    struct Run {
        const RunResult* result;
        const RunRequest* request;
        QString caption;
    };

    // Follows `grid` of `window`; `command` opens the panel.
    DetailsFollower(QWidget* window, GridView* grid, QPushButton* command, std::function<Run()> run);

    // Opens the panel on the current row (the command and F8).
    void showDetails();
    // The window's run changed: the command and an open panel follow it.
    void runChanged();
    // The grid was emptied (a change of mode): the command is disabled, an open panel
    // asks for a row.
    void runGone();

    FDettagli* panel() const { return panel_; }

    // The listed model shown on grid row `row` (data rows from 2), if any.
    static const ModelOutcome* modelOnRow(const RunResult& result, int row);

private:
    void follow(int row);

    QWidget* window_;
    GridView* grid_;
    QPushButton* command_;
    std::function<Run()> run_;
    FDettagli* panel_ = nullptr;
    bool runShown_ = false; // the grid shows the window's last run
};

} // namespace tarvello
