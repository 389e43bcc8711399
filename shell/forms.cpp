#include "shell/forms.h"

#include "shell/finfo.h"
#include "shell/flingua.h"
#include "shell/fmenu.h"
#include "shell/fscelta.h"
#include "shell/funmis.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>

// The pictures of the windows live in the library's resources; a static library's
// resources must be registered by name before use.
static void registerShellPictures()
{
    Q_INIT_RESOURCE(shell_images);
}

namespace tarvello {

namespace {

const bool picturesRegistered = (registerShellPictures(), true);

QList<QPointer<QWidget>>& loadedWindows()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}

QMdiSubWindow* frameOf(QWidget* window)
{
    return qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

} // namespace

namespace Forms {

QList<QWidget*> openWindows()
{
    QList<QWidget*> out;
    for (const QPointer<QWidget>& window : loadedWindows())
        if (window)
            out.append(window.data());
    return out;
}

void loaded(QWidget* window)
{
    if (window && !openWindows().contains(window))
        loadedWindows().append(window);
}

void forget(QWidget* window)
{
    loadedWindows().removeIf([window](const QPointer<QWidget>& w) { return !w || w == window; });
}

void unload(QWidget* window)
{
    if (!window)
        return;
    forget(window);
    QWidget* outer = frameOf(window) ? static_cast<QWidget*>(frameOf(window)) : window;
    outer->close(); // a frame passes the close on to the window inside it
    outer->hide();
    outer->deleteLater();
}

void unloadAllExcept(const QStringList& keep)
{
    qsizetype position = 0;
    while (position < openWindows().size()) {
        QWidget* window = openWindows().at(position);
        if (keep.contains(window->objectName()))
            ++position;
        else
            unload(window); // the next window moves into this position
    }
}

Fmenu* fmenu()
{
    if (Fmenu* loadedMenu = findLoaded<Fmenu>())
        return loadedMenu;
    auto* menu = new Fmenu;
    menu->load();
    return menu;
}

Fscelta* fscelta()
{
    if (Fscelta* chooser = findLoaded<Fscelta>())
        return chooser;
    Fmenu* menu = fmenu();
    if (Fscelta* chooser = findLoaded<Fscelta>()) // loading the main window shows one
        return chooser;
    return menu->addChooser();
}

FInfo* finfo()
{
    FInfo* info = findLoaded<FInfo>();
    if (!info)
        info = new FInfo;
    if (!info->isVisible()) // the start-up splash keeps its place while it shows
        ownByMainWindow(info);
    return info;
}

Flingua* flingua()
{
    if (Flingua* languages = findLoaded<Flingua>())
        return languages;
    return new Flingua(findLoaded<Fmenu>());
}

Funmis* funmis()
{
    if (Funmis* units = findLoaded<Funmis>())
        return units;
    return new Funmis(findLoaded<Fmenu>());
}

void ownByMainWindow(QWidget* window)
{
    Fmenu* menu = findLoaded<Fmenu>();
    if (!window || !menu || window == menu || window->parentWidget())
        return;
    // Reparenting a top-level window keeps it one only when its flags are given again.
    const Qt::WindowFlags flags = window->windowFlags();
    window->setParent(menu, flags | Qt::Window);
}

void bringForward(QWidget* window)
{
    if (!window)
        return;
    ownByMainWindow(window);
    if (window->isMinimized())
        window->showNormal();
    else
        window->show();
    window->raise();
    window->activateWindow();
}

} // namespace Forms

QPoint centredTopLeft(const QSize& area, const QSize& window)
{
    return {(area.width() - window.width()) / 2, (area.height() - window.height()) / 2};
}

void CentraForm(QWidget* window)
{
    if (QMdiSubWindow* frame = frameOf(window)) {
        if (QMdiArea* area = frame->mdiArea())
            frame->move(centredTopLeft(area->viewport()->size(), frame->size()));
        return;
    }
    const QScreen* screen = window->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    window->move(available.topLeft() + centredTopLeft(available.size(), window->frameGeometry().size()));
}

} // namespace tarvello
