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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void openLink(const QString& address);

    QLabel* lblDescri = nullptr;
    QLabel* lblVer = nullptr;
    QLabel* lblWeb = nullptr;
    QLabel* lblMail = nullptr;
    QPushButton* cmdfine = nullptr;
};

} // namespace tarvello
