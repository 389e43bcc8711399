#pragma once
// The units window: one list per quantity. Power and water pressure drop move together
// (W with kPa, Cal/h - Frig/h with mH2O); OK saves the choice in the settings file.
// Closing the window in any way applies the shown units until the program ends.

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace tarvello {

class Funmis : public QWidget {
    Q_OBJECT
public:
    explicit Funmis(QWidget* owner = nullptr);

    void cmdOK_Click();

protected:
    void closeEvent(QCloseEvent* event) override; // Form_Unload

private:
    void cboPotenz_Click();
    void cboDpw_Click();
    void copyIndexes();

    bool loading = true;
    QLabel* lblPotenz = nullptr;
    QLabel* lbldpw = nullptr;
    QLabel* lblQw = nullptr;
    QLabel* lblQa = nullptr;
    QLabel* lblpsu = nullptr;
    QComboBox* cboPotenz = nullptr;
    QComboBox* cboqw = nullptr;
    QComboBox* cboqa = nullptr;
    QComboBox* cboDpw = nullptr;
    QComboBox* cboDpA = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace tarvello
