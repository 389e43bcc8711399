#pragma once
// The information window: the start-up splash (no close button, not waited for) and the
// about box of the program (modal, with its close button). Two of its labels are links to
// the maker's web site and support mail.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarvello {

inline const QString kMakerWebAddress = QStringLiteral("https://www.tarvello.example");
inline const QString kMakerMailAddress = QStringLiteral("mailto:support@tarvello.example");

class FInfo : public QDialog {
    Q_OBJECT
public:
    FInfo();
    void showCloseButton(bool visible);
    // Shows the window as the start-up splash and lets it paint.
    void showAsSplash();
    // A web or mail link clicked: opened with the desktop's program for it; when there is
    // none, or it cannot start, the user is told and may copy the address.
    void openLink(const QString& address);

protected:
    void closeEvent(QCloseEvent* event) override;

private:

    QLabel* lblDescri = nullptr;
    QLabel* lblVer = nullptr;
    QLabel* lblWeb = nullptr;
    QLabel* lblMail = nullptr;
    QPushButton* cmdfine = nullptr;
};

} // namespace tarvello
