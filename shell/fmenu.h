#pragma once
// The main window: the parent of the chooser, with the menu bar, the tool buttons, the
// clock and the version. Closing it shuts the program down in order.

#include <QMainWindow>

#include <functional>

class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolButton;

namespace tarvello {

class Fscelta;

class Fmenu : public QMainWindow {
    Q_OBJECT
public:
    Fmenu();

    // The load handler: clock, version, property tables, captions, the chooser.
    void load();
    // Window title, menu entries and tool-button tips in the current language.
    void setCaptions();
    // A new chooser in the work area (used by Forms::fscelta).
    Fscelta* addChooser();

    QMdiArea* workArea() const { return mdi; }

    // The File menu, where the project's commands go before the printer set-up.
    QMenu* fileMenu() const { return mnufile; }
    QAction* printerSetupEntry() const { return mnuDefprt; }
    // The open project's name, shown first in the title ("" for none).
    void setProjectTitle(const QString& title);
    // Asked before the program shuts down: false keeps it running (unsaved changes the
    // user did not give up).
    void setCloseGuard(std::function<bool()> guard) { closeGuard_ = std::move(guard); }

signals:
    // The captions were set again (a change of language).
    void captionsChanged();

public:

    // The text of the clock: the long date, two spaces and the long time.
    static QString clockText(const QDateTime& now, const QLocale& locale);

protected:
    void closeEvent(QCloseEvent* event) override; // MDIForm_Unload

private:
    void buildMenus();
    void applyTitle();
    void buildToolBar();
    void Timer1_Timer();
    void mnuInfotarvello_Click();
    void mnuinfosistema_Click();

    QMdiArea* mdi = nullptr;
    QTimer* Timer1 = nullptr;
    QLabel* lblOra = nullptr;
    QLabel* lblVer = nullptr;
    QMenu* mnufile = nullptr;
    QMenu* mnuOpzioni = nullptr;
    QMenu* mnuinfo = nullptr;
    QAction* mnuDefprt = nullptr;
    QAction* mnufine = nullptr;
    QAction* mnulingua = nullptr;
    QAction* mnuUnmis = nullptr;
    QAction* mnuInfotarvello = nullptr;
    QAction* mnuinfosistema = nullptr;
    QToolButton* SSdefprt = nullptr;
    QToolButton* SSunmis = nullptr;
    QToolButton* SSlingua = nullptr;
    QToolButton* SSdescr = nullptr;
    QToolButton* SSCommand1 = nullptr;
    bool unloading = false;
    QString projectTitle_;
    std::function<bool()> closeGuard_;
};

} // namespace tarvello
