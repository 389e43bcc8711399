#pragma once
// The units window: one list per quantity, and the switch between the metric and the US
// units that sets them all at once. Power and water pressure drop move together by system
// (W or kW with kPa, Cal/h - Frig/h with mH2O, Btu/h, MBH or tons with ft wg or psi); OK
// saves the choice in the settings file. Closing the window in any way applies the shown
// units until the program ends, converting the values typed in the selection windows.

#include "shell/units.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tarvello {

class Funmis : public QWidget {
    Q_OBJECT
public:
    explicit Funmis(QWidget* owner = nullptr);

    void cmdOK_Click();
    // The "Metric" (0) or "Imperial (US)" (1) switch: every list takes the system's unit.
    void optSistema_Click(int system);

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    void cboPotenz_Click();
    void cboDpw_Click();
    void showSystemOfLists();
    UnitSelection shownUnits() const;
    void showUnits(const UnitSelection& units);
    void copyIndexes();

    bool loading = true;
    QLabel* lblSistema = nullptr;
    QRadioButton* optSistema[2] = {};
    QLabel* lblPotenz = nullptr;
    QLabel* lbldpw = nullptr;
    QLabel* lblQw = nullptr;
    QLabel* lblQa = nullptr;
    QLabel* lblpsu = nullptr;
    QLabel* lblTemperatura = nullptr;
    QComboBox* cboPotenz = nullptr;
    QComboBox* cboqw = nullptr;
    QComboBox* cboqa = nullptr;
    QComboBox* cboDpw = nullptr;
    QComboBox* cboDpA = nullptr;
    QComboBox* cboTemperatura = nullptr;
    QPushButton* cmdOK = nullptr;
};

// The family of a power unit and of a water pressure drop unit: 0 W, kW and kPa; 1 Cal/h
// - Frig/h and mH2O; 2 Btu/h, MBH, tons, ft wg and psi.
int powerUnitSystem(int powerIndex);
int waterPressureUnitSystem(int waterPressureIndex);

} // namespace tarvello
