#pragma once
// FDatiMRZ: the selection window of the two ducted lines, KXR ("MRZ") and KXN ("HJQ"). The
// twin of the KX window: the same water side, capacity, approximation, mode, 4-pipe option,
// grids and printing, plus the air side of a ducted unit: the entering air is a mix of
// return and fresh air, and either the external static pressure or the total air flow is
// the given quantity. The fields persist in settings section "Data2", which both lines share.
//
// The window is thin: field ranges, the shares and LeggiDatiMRZ's checks live in
// ducted_inputs.h, the run in ducted_run.h, the grid texts in ducted_grid.h, what it
// shares with the KX window in selection_window.h.

#include "printing/report_source.h"
#include "selection_ducted/ducted_inputs.h"
#include "selection_ui/selection_window.h"

#include <QList>

#include <array>

class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvello {

class FDatiMRZ : public SelectionWindow {
    Q_OBJECT
public:
    explicit FDatiMRZ(QWidget* parent = nullptr);

    // The load handler: captions, lists (the speeds of the current series code), fields
    // restored from "Data2", the given quantity of each mode, grid, centring. Runs when the
    // window is created and again at its next use after it was closed.
    void load();
    bool isLoaded() const { return loaded_; }

    // The speed list of the current series code: "Min", "Med", "Max" for "MRZ", "1" to "7"
    // for "HJQ"; both start on the third entry.
    void fillSpeedList();
    // The series code the speed list was filled for.
    const QString& speedSeries() const { return speedSeries_; }

    // The selection run (cmdCalcola_Click without hiding the laminar warning first).
    void CalcolaMRZ();
    // Reads and checks the inputs of the current mode; false after a message.
    bool LeggiDatiMRZ();
    void IntestazioniMRZ();
    void RiferimentiMRZ();

    QList<QLineEdit*> textBoxes() const override;

    // What the print report reads: the caption, both grids and a picture of the window.
    ReportSource reportSource();

    // What the last LeggiDatiMRZ read.
    const DuctedConditions& conditions() const { return conditions_; }

public slots:
    void done(int result) override;

private:
    void buildModeFrames() override;
    void buildModeFrame(int i);
    void setCaptions();
    void fillLists();
    void connectHandlers();

    void cbofunz_Click() override;
    void runCalcola() override { CalcolaMRZ(); }
    void cmdStampa_Click() override;
    void presentConditions(const RunRequest& request) override; // *_project.cpp
    void optPortata_Click(int i);
    void optpressione_Click(int i);
    void txtpqaric_LostFocus(int i, QWidget* now);
    void txtpqarin_LostFocus(int i);
    void chooseGivenQuantities();

    void leaveField(QLineEdit* box, QWidget* now) override;
    void showFreshAir(int i, bool show);
    void placeSharedLabels(int i);
    void syncLabels();
    void saveFields();

    std::array<QRadioButton*, 2> optPortata{}, optpressione{};
    std::array<QLineEdit*, 2> txtqatot{}, txtpqaric{}, txtTsa1ric{}, txtpqarin{}, txtTsa1rin{};
    std::array<QLineEdit*, 2> txtpsu{}, txtTw1{}, txtTw2{}, txtQw{}, txtGlic{};
    QLineEdit* txtTburic = nullptr;
    QLineEdit* txtUrric = nullptr;
    QLineEdit* txttburin = nullptr;
    QLineEdit* txturrin = nullptr;
    // Captions shared by both frames: they move into the frame that is shown.
    QLabel* lblqaTot = nullptr;
    QLabel* lblpqaric = nullptr;
    QLabel* lblTbsric = nullptr;
    QLabel* lblpqarin = nullptr;
    QLabel* lblTbsrin = nullptr;
    QLabel* lbldpa = nullptr;
    QLabel* lblTw1 = nullptr;
    QLabel* lblTw2 = nullptr;
    QLabel* lblQw = nullptr;
    QLabel* lblglic = nullptr;
    // Cooling only.
    QLabel* lbltburic = nullptr;
    QLabel* lblUrric = nullptr;
    QLabel* lbltburin = nullptr;
    QLabel* lblurrin = nullptr;
    std::array<QLabel*, 2> lblumQa{}, lblumDpa{}, lblumQw{};
    std::array<QGridLayout*, 2> frameGrids{};
    // One row of a mode frame: its caption (shared by both frames, or cooling only), its
    // box and unit label per mode (nullptr where the mode has none), its row per frame.
    struct FieldRow {
        QLabel* caption = nullptr;
        std::array<QLineEdit*, 2> boxes{};
        std::array<QLabel*, 2> units{};
        std::array<int, 2> gridRow{-1, -1};
    };
    QList<FieldRow> fieldRows_;

    DuctedConditions conditions_;
    bool loaded_ = false;
    QString speedSeries_; // the series code the speed list was filled for
};

// The single instance, created on first use (and then loaded).
FDatiMRZ* fdatiMRZ(QWidget* parent = nullptr);
// The window's caption, set by the product-line window for line 1 (Testo(88)) or line 2
// (Testo(128)) after it has set the series code; loads the window when it is not loaded.
void setFDatiMRZCaption(const QString& caption);
// Shows the window modally for line 1 or 2; returns when the user closes it (the fields
// are then saved to "Data2"). The one window serves both lines.
void showFDatiMRZ(int line, QWidget* parent = nullptr);

} // namespace tarvello
