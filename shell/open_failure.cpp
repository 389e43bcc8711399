#include "shell/open_failure.h"

#include "platform/shell_open.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/shell_services.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>

namespace tarvello {

namespace {

int documentReasonText(int code)
{
    switch (code) {
    case kShellFileNotFound:
    case kShellPathNotFound: return kDocumentMissingText;
    case kShellAccessDenied: return kDocumentUnreadableText;
    case kShellNoAssociation: return kNoViewerText;
    default: return kBrokenViewerText;
    }
}

QString classicText(int code)
{
    return QStringLiteral("(") + shellErrorText(code) + QLatin1Char(')');
}

void copyToClipboard(const QString& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

QString title()
{
    return QString::fromLatin1(kProgramTitle);
}

} // namespace

QString documentNotOpenedText(int code, const QString& path)
{
    return Testo(documentReasonText(code)) + QStringLiteral("\n\n") + QDir::toNativeSeparators(path)
           + QStringLiteral("\n\n") + Testo(kDocumentOffersText) + QStringLiteral("\n\n") + classicText(code);
}

void reportDocumentNotOpened(int code, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    const bool folderThere = QFileInfo(folder).isDir();
    QStringList offers;
    if (folderThere)
        offers << Testo(kOpenFolderText);
    offers << Testo(kCopyPathText);
    const int picked = messages().choose(documentNotOpenedText(code, path), title(), offers);
    if (picked < 0 || picked >= offers.size())
        return;
    if (offers.at(picked) == Testo(kCopyPathText)) {
        copyToClipboard(QDir::toNativeSeparators(path));
        return;
    }
    if (!shellLauncher().openFolder(folder)) // no file manager either: the path is what is left
        messages().exclamation(Testo(kNoViewerText) + QStringLiteral("\n\n") + QDir::toNativeSeparators(folder),
                               title());
}

QString addressNotOpenedText(int code, const QString& address)
{
    int reason = kBrokenAddressProgramText;
    if (code == kShellNoAssociation)
        reason = QUrl(address).scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0 ? kNoMailProgramText
                                                                                                    : kNoBrowserText;
    return Testo(reason) + QStringLiteral("\n\n") + address + QStringLiteral("\n\n") + classicText(code);
}

void reportAddressNotOpened(int code, const QString& address)
{
    const QStringList offers{Testo(kCopyAddressText)};
    if (messages().choose(addressNotOpenedText(code, address), title(), offers) == 0) {
        // A mail address is copied without its scheme, as one would type it.
        const QUrl url(address);
        copyToClipboard(url.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0 ? url.path() : address);
    }
}

} // namespace tarvello
