#pragma once
// The program's windows: each a single instance, created (loaded) on its first use and
// listed in the order of loading until it is unloaded. Unloading runs the window's own
// unload handler (its close event) and destroys it, so the next use loads a new one.

#include <QList>
#include <QWidget>

namespace tarvello {

class Fmenu;
class Fscelta;
class FInfo;
class Flingua;
class Funmis;

namespace Forms {

// The loaded windows, first loaded first.
QList<QWidget*> openWindows();
// A window announces itself when it loads and is forgotten when it unloads. Windows of
// other libraries (the selection windows) may announce themselves too.
void loaded(QWidget* window);
void forget(QWidget* window);

// Unloads the window: its close event runs, it leaves the list at once and is destroyed
// when control returns to the event loop. A child of the main window closes its frame.
void unload(QWidget* window);

// Unloads every loaded window whose object name is not in `keep`, from the first.
void unloadAllExcept(const QStringList& keep);

// The single instances, loaded on first use.
Fmenu* fmenu();
Fscelta* fscelta();
FInfo* finfo();
Flingua* flingua();
Funmis* funmis();

// A window opened from the main window is owned by it (it stays in front of it and goes
// with it); a window that has an owner already keeps it.
void ownByMainWindow(QWidget* window);
// Shows the window owned as above, restored when minimised, in front and active: asking
// again for a window that went behind another brings it forward.
void bringForward(QWidget* window);

// The loaded instance of a window class, or nullptr.
template <typename Window>
Window* findLoaded()
{
    for (QWidget* window : openWindows())
        if (auto* found = qobject_cast<Window*>(window))
            return found;
    return nullptr;
}

} // namespace Forms

// Top-left corner that centres a window of `window` size in an area of `area` size.
QPoint centredTopLeft(const QSize& area, const QSize& window);

// Centres the window on its screen; a child of the main window in the main window's
// work area.
void CentraForm(QWidget* window);

} // namespace tarvello
