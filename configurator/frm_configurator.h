#pragma once
// Frm_configurator, the one window of Pinvale: the installation choices on the left,
// the DIP-switch positions and the wiring diagram on the right. The window only forwards
// clicks to ConfiguratorChoices and copies its state back to the controls.

#include "configurator/configurator_choices.h"

#include <QWidget>

#include <array>
#include <functional>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pinvale {

class ConfiguratorData;
class DocumentOpener;
class MessageSink;

class Frm_configurator : public QWidget {
    Q_OBJECT
public:
    // Creates the window at its design-time state and runs its initialisation, which reads
    // the database: a ConfiguratorDataError from it propagates to the caller.
    Frm_configurator(ConfiguratorData& data, DocumentOpener& opener, MessageSink& messages,
                     QString programDir, QWidget* parent = nullptr);

    const ConfiguratorChoices& choices() const { return choices_; }
    // The handler trace of ConfiguratorChoices (tests follow the nested order with it).
    void setTrace(std::function<void(const QString&)> trace);

    QAbstractButton* choiceButton(Choice choice) const;
    QWidget* knob(int n, bool onRow) const;

private:
    void buildFrames();
    void buildChoices();
    void buildSwitchDisplay();
    void buildOtherControls();
    QGroupBox* addFrame(const char* name, const QString& caption, QWidget* parent, double x,
                        double y, double w, double h);
    void place(QWidget* control, double x, double y, double w, double h);
    void placeInFrame(QWidget* control, double x, double y, double w, double h);

    // Runs a handler; a database failure inside it ends the program after its message.
    void runGuarded(const std::function<void()>& action);
    void endAfterDatabaseError(const QString& message);
    void showChoices();

    void Btn_Initialise_Click();
    void Btn_Close_Click();
    void Btn_ShowWiring_Click();

    ConfiguratorData& data_;
    DocumentOpener& opener_;
    MessageSink& messages_;
    QString programDir_;
    ConfiguratorChoices choices_;

    std::array<QAbstractButton*, kChoiceCount> choiceButtons_{};
    std::array<QWidget*, kSwitchCount> onKnobs_{};
    std::array<QWidget*, kSwitchCount> offKnobs_{};
    QLineEdit* Txt_Wiring = nullptr;
    QLabel* Label1 = nullptr;
};

} // namespace pinvale
