#include "platform/shell_open.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QUrl>

namespace tarvello {

namespace {

// xdg-mime is a shell script that reads a few small files: a few seconds is plenty, and a
// hung query must not freeze the window for ever.
constexpr int kMimeQueryTimeout_ms = 5000;

} // namespace

QString shellErrorText(int code)
{
    if (shellOpenSucceeded(code))
        return {};
    switch (code) {
    case 2: return QStringLiteral("File not found");
    case 3: return QStringLiteral("Path not found");
    case 5: return QStringLiteral("Access denied");
    case 8: return QStringLiteral("Out of memory");
    case 11: return QStringLiteral("Invalid EXE file or error in EXE image");
    case 26: return QStringLiteral("A sharing violation occurred");
    case 27: return QStringLiteral("Incomplete or invalid file association");
    case 28: return QStringLiteral("DDE Time out");
    case 29: return QStringLiteral("DDE transaction failed");
    case 30: return QStringLiteral("DDE busy");
    case 31: return QStringLiteral("No association for file extension");
    case 32: return QStringLiteral("DLL not found");
    default: return QStringLiteral("Unknown error");
    }
}

QString shellErrorMessage(int code, const QString& path)
{
    return shellErrorText(code) + QStringLiteral(" on ") + path;
}

ShellDesktop xdgDesktop()
{
    ShellDesktop desktop;
    desktop.defaultApplicationFor = [](const QString& mimeType) {
        QProcess query;
        query.start(QStringLiteral("xdg-mime"),
                    {QStringLiteral("query"), QStringLiteral("default"), mimeType});
        if (!query.waitForStarted() || !query.waitForFinished(kMimeQueryTimeout_ms)) {
            query.kill();
            query.waitForFinished();
            return QString();
        }
        if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
            return QString();
        return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    };
    desktop.startViewer = [](const QString& path) {
        return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
    };
    return desktop;
}

int ShellExecute(const QString& path, const ShellDesktop& desktop)
{
    const QFileInfo file(path);
    // A missing folder is reported as such, not as a missing file inside it.
    if (!file.absoluteDir().exists())
        return kShellPathNotFound;
    if (!file.exists())
        return kShellFileNotFound;
    if (!file.isFile() || !file.isReadable())
        return kShellAccessDenied;
    const QString mimeType = QMimeDatabase().mimeTypeForFile(file).name();
    if (!desktop.defaultApplicationFor || desktop.defaultApplicationFor(mimeType).isEmpty())
        return kShellNoAssociation;
    if (!desktop.startViewer || !desktop.startViewer(file.absoluteFilePath()))
        return kShellInvalidAssociation;
    return kShellOpened;
}

int ShellExecute(const QString& path)
{
    return ShellExecute(path, xdgDesktop());
}

int ShellOpenAddress(const QString& address, const ShellDesktop& desktop)
{
    const QUrl url(address);
    // A one-letter scheme is a drive letter, not a protocol.
    if (url.scheme().size() < 2 || url.isLocalFile())
        return ShellExecute(url.isLocalFile() ? url.toLocalFile() : address, desktop);
    const QString handler = QStringLiteral("x-scheme-handler/") + url.scheme().toLower();
    if (!desktop.defaultApplicationFor || desktop.defaultApplicationFor(handler).isEmpty())
        return kShellNoAssociation;
    if (!desktop.startViewer || !desktop.startViewer(address))
        return kShellInvalidAssociation;
    return kShellOpened;
}

int ShellOpenAddress(const QString& address)
{
    return ShellOpenAddress(address, xdgDesktop());
}

} // namespace tarvello
