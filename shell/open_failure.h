#pragma once
// A document or an address that the desktop did not open, told in plain words with what
// the user can do about it: open the folder that holds the document, copy its path, or
// copy the address. The classic shell result code stays the caller's.

#include <QString>

namespace tarvello {

// Text offsets of these messages.
constexpr int kNoViewerText = 162;
constexpr int kBrokenViewerText = 163;
constexpr int kDocumentMissingText = 164;
constexpr int kDocumentUnreadableText = 165;
constexpr int kDocumentOffersText = 166;
constexpr int kOpenFolderText = 167;
constexpr int kCopyPathText = 168;
constexpr int kNoBrowserText = 169;
constexpr int kNoMailProgramText = 170;
constexpr int kBrokenAddressProgramText = 171;
constexpr int kCopyAddressText = 172;

// The message for the document at `path` that failed with the shell's `code`, in the
// current language: what happened, the path, what the user can do, and the classic text.
QString documentNotOpenedText(int code, const QString& path);

// Shows that message with its offers (open the folder when it exists, copy the path) and
// does what the user picks. `code` is a failure code (below 33).
void reportDocumentNotOpened(int code, const QString& path);

// The message for a web or mail address that failed with `code`.
QString addressNotOpenedText(int code, const QString& address);

// Shows that message, offering to copy the address.
void reportAddressNotOpened(int code, const QString& address);

} // namespace tarvello
