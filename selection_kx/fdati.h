#pragma once
// FDati: the selection window of line 0, the KX fan coils. The user picks cooling or
// heating, types the design conditions (each field is checked when it is left), and
// "Calcola" rates every model of the line into the results grid Grd; Grdrif sums up the
// inputs for the print report. The fields persist in settings section "Data1".
//
// The window is thin: field ranges and completeness checks live in kx_inputs.h, the run
// in kx_run.h, the grid texts in kx_grid.h.

#include "selection_kx/grid_view.h"
#include "selection_kx/kx_inputs.h"

#include <QDialog>
#include <QList>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace tarvello {

class FormKeyPress;

class FDati : public QDialog {
    Q_OBJECT
public:
    explicit FDati(QWidget* parent = nullptr);
    ~FDati() override;

    // 0 cooling, 1 heating (a negative list index counts as cooling).
    int mode() const;

    // The selection run (cmdCalcola_Click without hiding the laminar warning first).
    void CalcolaKX();
    // Reads and checks the inputs of the current mode; false after a message.
    bool LeggiDatiKX();
    void ImpostaGriglia();
    void RiepilogoDati();

    GridView* Grd = nullptr;
    GridView* Grdrif = nullptr;

    // The focus moved from `old` to `now`: leave-field checks and text selection.
    void onFocusChanged(QWidget* old, QWidget* now);

    // The text boxes in the window's control order (the order they are saved in).
    QList<QLineEdit*> textBoxes() const;

    // The conditions the last LeggiDatiKX read.
    const KxConditions& conditions() const { return conditions_; }

public slots:
    void done(int result) override;

private:
    void buildControls();
    void setCaptions();
    void fillLists();
    void connectHandlers();

    void cbofunz_Click();
    void cmdCalcola_Click();
    void cmdStampa_Click();
    void setPowerUnitLabel();

    void leaveField(QLineEdit* box, QWidget* now);
    void txtTw2_LostFocus(int i, QWidget* now);
    void txtQw_LostFocus(int i);
    void txtTbu_LostFocus(QWidget* now);
    void txtUr_LostFocus(QWidget* now);
    void checkRange(QLineEdit* box, KxField field, int i, QWidget* now);
    void reportRunError(int number);
    void setFocusTo(const QString& objectName);
    void saveFields();

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
    std::array<QLineEdit*, 2> txtTsa1{}, txtTw1{}, txtTw2{}, txtQw{}, txtGlic{}, txtpsu{};
    QLineEdit* txtTbu = nullptr;
    QLineEdit* txtUr = nullptr;
    QLineEdit* txtPotric = nullptr;
    std::array<QLabel*, 2> lblTbs{}, lblTw1{}, lblTw2{}, lblQw{}, lblumQw{}, lblglic{}, lbldpa{}, lblumDpa{};
    QLabel* lbltbu = nullptr;
    QLabel* lblUr = nullptr;
    QLabel* lblPotric = nullptr;
    QLabel* lblUmPt = nullptr;
    QLabel* lblRange = nullptr;
    QLabel* lblVel = nullptr;
    QLabel* lblLaminare = nullptr;

    FormKeyPress* keys_ = nullptr;
    KxConditions conditions_;
    bool inputOutOfRange_ = false;
    bool handlingFocus_ = false; // a leave-field handler or a run is moving the focus
    bool running_ = false;
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
