#pragma once
// Our layer for the shell's "Open" operation on a document: it hands the document to the
// viewer that the desktop associates with it and answers with the classic shell result
// codes, so that the windows report failures the way users of the programs know them.
// A code of 33 or more means success; 0 to 32 are failures with fixed English texts.

#include <QString>

#include <functional>

namespace tarvello {

// Classic shell result codes that our layer produces.
constexpr int kShellFileNotFound = 2;
constexpr int kShellPathNotFound = 3;
constexpr int kShellAccessDenied = 5;
constexpr int kShellInvalidAssociation = 27;
constexpr int kShellNoAssociation = 31;
constexpr int kShellOpened = 42; // any value above 32 is success

// True for the codes that mean the document was handed to its viewer.
constexpr bool shellOpenSucceeded(int code) { return code >= 33; }

// The fixed English text of a failure code ("File not found" for 2, ...); "Unknown error"
// for any other code below 33, and an empty text for a success code.
QString shellErrorText(int code);

// The message shown for a failed open: "<text> on <path>".
QString shellErrorMessage(int code, const QString& path);

// How the layer asks the desktop: which application opens a MIME type (empty when none),
// and starting the viewer on a path without waiting for it (false when it cannot start).
// Tests replace both so that no viewer is ever launched.
struct ShellDesktop {
    std::function<QString(const QString& mimeType)> defaultApplicationFor;
    std::function<bool(const QString& path)> startViewer;
};

// The real desktop: `xdg-mime query default <type>` and a detached `xdg-open <path>`.
ShellDesktop xdgDesktop();

// Opens the document at `path` (a full path) with its associated viewer. Checks, in this
// order: the folder exists (else 3), the file exists (else 2), it is a readable file
// (else 5), its MIME type has a default application (else 31), the viewer starts (else
// 27). Returns kShellOpened when the viewer was started.
int ShellExecute(const QString& path, const ShellDesktop& desktop);
int ShellExecute(const QString& path);

// Opens a web or mail address ("https://...", "mailto:...") with the program the desktop
// associates with its scheme (MIME type "x-scheme-handler/<scheme>"): 31 when there is
// none, 27 when it cannot start, kShellOpened when it started. An address without a
// scheme, or a "file:" address, is a document and goes through ShellExecute.
int ShellOpenAddress(const QString& address, const ShellDesktop& desktop);
int ShellOpenAddress(const QString& address);

} // namespace tarvello
