#pragma once
// The desktop's viewers checked before they are asked: a default application whose
// program is missing makes `xdg-open` fail after it was started without waiting, and the
// user would see nothing. Header only, so that Pinvale, which links nothing of Tarvello,
// reports a broken viewer the same way.

#include "platform/shell_open.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace tarvello {

// The program a desktop entry's Exec line starts (its first word, quotes removed).
inline QString desktopEntryProgram(const QString& entryText)
{
    bool inEntry = false;
    for (const QString& rawLine : entryText.split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec="))) {
            const QStringList words = QProcess::splitCommand(line.mid(5));
            return words.value(0);
        }
    }
    return {};
}

// True when the desktop entry `desktopId` ("viewer.desktop") is found among the
// applications and its program can be started.
inline bool desktopEntryCanStart(const QString& desktopId)
{
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        QFile entry(QDir(folder).filePath(desktopId));
        if (!entry.open(QIODevice::ReadOnly))
            continue;
        const QString program = desktopEntryProgram(QString::fromUtf8(entry.readAll()));
        if (program.isEmpty())
            return false;
        if (QFileInfo(program).isAbsolute())
            return QFileInfo(program).isExecutable();
        return !QStandardPaths::findExecutable(program).isEmpty();
    }
    return false;
}

// The MIME type the desktop looks up for a document path or an address.
inline QString desktopTypeOf(const QString& pathOrAddress)
{
    const QUrl url(pathOrAddress);
    if (url.scheme().size() >= 2 && !url.isLocalFile())
        return QStringLiteral("x-scheme-handler/") + url.scheme().toLower();
    return QMimeDatabase().mimeTypeForFile(url.isLocalFile() ? url.toLocalFile() : pathOrAddress).name();
}

// `base` whose viewer is started only when its default application can start; a broken
// one gives the classic "invalid association" through the shell-open layer.
inline ShellDesktop checkedDesktop(ShellDesktop base)
{
    ShellDesktop checked = base;
    checked.startViewer = [base](const QString& target) {
        const QString application = base.defaultApplicationFor ? base.defaultApplicationFor(desktopTypeOf(target)) : QString();
        if (!application.isEmpty() && !desktopEntryCanStart(application))
            return false;
        return base.startViewer && base.startViewer(target);
    };
    return checked;
}

inline ShellDesktop checkedDesktop()
{
    return checkedDesktop(xdgDesktop());
}

// Shows a folder with the desktop's file manager: false when the folder is not there or
// no file manager that can start is set.
inline bool showFolder(const QString& folder, const ShellDesktop& desktop = checkedDesktop())
{
    if (!QFileInfo(folder).isDir() || !desktop.defaultApplicationFor
        || desktop.defaultApplicationFor(desktopTypeOf(folder)).isEmpty())
        return false;
    return desktop.startViewer && desktop.startViewer(folder);
}

} // namespace tarvello
