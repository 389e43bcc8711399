#pragma once
// FDati: the selection window of line 0, the KX fan coils. The user picks cooling or
// heating, types the design conditions (each field is checked when it is left), and
// "Calcola" rates every model of the line into the results grid Grd; Grdrif sums up the
// inputs for the print report. The fields persist in settings section "Data1".
//
// The window is thin: field ranges and completeness checks live in kx_inputs.h, the run
// in kx_run.h, the grid texts in kx_grid.h, what it shares with the ducted window in
// selection_window.h.

#include "selection_ui/kx_inputs.h"
#include "selection_ui/selection_window.h"

#include <QList>

#include <array>

class QLabel;
class QLineEdit;

namespace tarvello {

class FDati : public SelectionWindow {
    Q_OBJECT
public:
    explicit FDati(QWidget* parent = nullptr);

    // The selection run (cmdCalcola_Click without hiding the laminar warning first).
    void CalcolaKX();
    // Reads and checks the inputs of the current mode; false after a message.
    bool LeggiDatiKX();
    void ImpostaGriglia();
    void RiepilogoDati();

    QList<QLineEdit*> textBoxes() const override;

    // The conditions the last LeggiDatiKX read.
    const KxConditions& conditions() const { return conditions_; }

public slots:
    void done(int result) override;

private:
    void buildModeFrames() override;
    void setCaptions();
    void fillLists();

    void cbofunz_Click() override;
    void runCalcola() override { CalcolaKX(); }
    void cmdStampa_Click() override;
    void presentConditions(const RunRequest& request) override; // *_project.cpp

    void leaveField(QLineEdit* box, QWidget* now) override;
    void txtTw2_LostFocus(int i, QWidget* now);
    void txtQw_LostFocus(int i);
    void txtTbu_LostFocus(QWidget* now);
    void txtUr_LostFocus(QWidget* now);
    void saveFields();

    std::array<QLineEdit*, 2> txtTsa1{}, txtTw1{}, txtTw2{}, txtQw{}, txtGlic{}, txtpsu{};
    QLineEdit* txtTbu = nullptr;
    QLineEdit* txtUr = nullptr;
    std::array<QLabel*, 2> lblTbs{}, lblTw1{}, lblTw2{}, lblQw{}, lblumQw{}, lblglic{}, lbldpa{}, lblumDpa{};
    QLabel* lbltbu = nullptr;
    QLabel* lblUr = nullptr;

    KxConditions conditions_;
    bool saved_ = false;
};

// The single instance, loaded on first use (its fields restored from "Data1") as a
// window owned by `parent`, or by the active window when none is given.
FDati* fdati(QWidget* parent = nullptr);
// The window's caption, set by the product-line window (Testo(11)).
void setFDatiCaption(const QString& caption);
// Shows the window modally; returns when the user closes it (the fields are then saved
// and the window unloaded).
void showFDati(QWidget* parent = nullptr);

} // namespace tarvello
